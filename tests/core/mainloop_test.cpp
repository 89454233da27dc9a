// The main loop and its frame-rate report, performance.txt.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "process.h"
#include "support/harness.h"

namespace {

class MainLoop : public GameTest {
  protected:
    std::vector<std::string> report() { return linesOf(readFile(tree.path("performance.txt"))); }
};

TEST_F(MainLoop, QuitAlreadySetRunsNoPassAndReportsOverAnEarlierReport) {
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
        ::testing::internal::RE::FullMatch(lines[2], "Did 0 frames in [0-9]+\\.[0-9]{6} seconds"))
        << lines[2];
    EXPECT_EQ(lines[3], "Had 5 NPC's at 640x480 resolution");
    // No frame in no time: whatever dividing zero by the seconds gives.
    EXPECT_TRUE(::testing::internal::RE::FullMatch(lines[4], "Avg\\. FPS: (-?nan|0\\.000000)"))
        << lines[4];
}

TEST_F(MainLoop, PassInWhichQuitIsSetIsCounted) {
    start();
    pushQuit(); // read by the first roaming pass
    game->gameLoop();
    ASSERT_EQ(report().size(), 5u);
    EXPECT_TRUE(::testing::internal::RE::FullMatch(report()[2],
                                                   "Did 1 frames in [0-9]+\\.[0-9]{6} seconds"))
        << report()[2];
}

TEST_F(MainLoop, ReportGivesFramesSecondsAndTheirRate) {
    start();
    std::thread windowSystem([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        pushQuit();
    });
    game->gameLoop();
    windowSystem.join();
    std::vector<std::string> lines = report();
    ASSERT_EQ(lines.size(), 5u);
    int frames = 0;
    float seconds = 0;
    ASSERT_EQ(sscanf(lines[2].c_str(), "Did %i frames in %f seconds", &frames, &seconds), 2);
    EXPECT_GT(frames, 1);
    EXPECT_EQ(game->presented, 1u); // the same frame every pass after the first
    EXPECT_GE(seconds, 0.3f);
    char rate[64];
    snprintf(rate, sizeof rate, "Avg. FPS: %f", (double)((float)frames / seconds));
    EXPECT_EQ(lines[4], rate);
}

TEST_F(MainLoop, OnlyAChangedFrameIsPresentedAndTheDisplayHoldsTheLastFrameDrawn) {
    start();
    const struct {
        void (*change)(CGame&);
        bool presents;
    } passes[] = {
        {[](CGame&) {}, true}, // the first frame
        {[](CGame&) {}, false},
        {[](CGame& g) { g.player.heading ^= 1; }, true}, // mid-screen
        {[](CGame&) {}, false},
        {[](CGame& g) { g.player.hp--; }, true},          // top left
        {[](CGame& g) { g.player.healPotions++; }, true}, // bottom rows
        {[](CGame&) {}, false},
    };
    for (const auto& pass : passes) {
        pass.change(*game);
        game->RoamLoop();
        EXPECT_EQ(game->presentFrame(), pass.presents);
        ASSERT_EQ(game->shownFrame.size(), (size_t)game->screen->pitch * SCREEN_H);
        EXPECT_EQ(memcmp(game->shownFrame.data(), game->screen->pixels, game->shownFrame.size()),
                  0);
    }
}

} // namespace
