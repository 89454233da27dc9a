// The main loop, its frame-rate report performance.txt, presenting only
// changed frames, and the termination signals.
#include <csignal>
#include <cstdio>
#include <cstring>

#include "support/harness.h"
#include "support/process.h"

namespace {

class MainLoop : public GameTest {
  protected:
    std::vector<std::string> report() { return linesOf(readFile(tree.path("performance.txt"))); }
};

// Quit already set: no pass; a quit request read in a pass: that pass counts.
TEST_F(MainLoop, ReportCountsThePassesTheirSecondsAndRateOverAnEarlierReport) {
    tree.write("performance.txt", std::string(5000, 'x') + "\nold\nlines\n");
    start();
    for (int i = 0; i < 3; i++)
        game->npcs.push_back(new NPC()); // the list owns them
    game->quit = 1;
    game->gameLoop();
    std::vector<std::string> lines = report();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "QorProfiler 2.0");
    EXPECT_EQ(lines[1], "====");
    EXPECT_TRUE(
        ::testing::internal::RE::FullMatch(lines[2], "Did 0 frames in [0-9]+\\.[0-9]{6} seconds"));
    EXPECT_EQ(lines[3], "Had 5 NPC's at 640x480 resolution");
    game->quit = 0;
    pushQuit();
    game->gameLoop();
    lines = report();
    ASSERT_EQ(lines.size(), 5u);
    float seconds = 0;
    ASSERT_EQ(sscanf(lines[2].c_str(), "Did 1 frames in %f seconds", &seconds), 1) << lines[2];
    char rate[64];
    snprintf(rate, sizeof rate, "Avg. FPS: %f", (double)(1.0f / seconds));
    EXPECT_EQ(lines[4], rate);
}

// A termination signal (a desktop logout, kill) ends the game from every
// screen as a quit request while roaming does: a waiting screen leaves at
// once, the main loop ends after its pass and writes its report.
TEST_F(MainLoop, TerminationSignalEndsEveryScreenLikeAQuitRequest) {
    start();
    game->fightEnemy = game->npcs.front();
    void (*screens[])(CGame&) = {
        [](CGame& g) { g.titleScreen(); },
        [](CGame&) {},
        [](CGame& g) { g.characterMenu(); },
        [](CGame& g) { g.displayFightConsoleMessage("Rat hit you", true); },
    };
    for (auto open : screens) {
        auto signalled = [&] {
            for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
                raise(sig);
                open(*game);
            }
            game->gameLoop();
            fputs(readFile("performance.txt").substr(0, 16).c_str(), stderr);
            exit(0);
        };
        EXPECT_EXIT(signalled(), ::testing::ExitedWithCode(0), "^QorProfiler 2.0\n$");
    }
}

TEST_F(MainLoop, OnlyAChangedFrameIsPresentedAndTheDisplayHoldsTheLastFrameDrawn) {
    start();
    const struct {
        void (*change)(CGame&);
        bool presents;
    } passes[] = {
        {[](CGame&) {}, true}, // the first frame
        {[](CGame&) {}, false},
        {[](CGame& g) { g.player.heading ^= 1; }, true},  // mid-screen
        {[](CGame& g) { g.player.hp--; }, true},          // top left
        {[](CGame& g) { g.player.healPotions++; }, true}, // bottom rows
        {[](CGame&) {}, false},
    };
    for (const auto& pass : passes) {
        pass.change(*game);
        game->Roam_DrawEverything();
        EXPECT_EQ(game->presentFrame(), pass.presents);
        ASSERT_EQ(game->shownFrame.size(), (size_t)game->screen->pitch * SCREEN_H);
        EXPECT_EQ(memcmp(game->shownFrame.data(), game->screen->pixels, game->shownFrame.size()),
                  0);
    }
}

} // namespace
