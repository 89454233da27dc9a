// The main loop, its frame-rate report performance.txt, presenting only
// changed frames, and the termination signals.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <glob.h>
#include <sys/resource.h>

#include "core/entry.h"
#include "support/harness.h"
#include "support/process.h"

namespace {

class MainLoopTest : public GameTest {
  protected:
    std::vector<std::string> report() { return linesOf(readFile(tree.path("performance.txt"))); }
};

// Quit already set: no pass; a quit request read in a pass: that pass counts.
TEST_F(MainLoopTest, ReportCountsThePassesTheirSecondsAndRateOverAnEarlierReport) {
    tree.write("performance.txt", std::string(5000, 'x') + "\nold\nlines\n");
    start();
    for (int i = 0; i < 3; i++)
        game->npcs.push_back(new NPC()); // the list owns them
    game->quit = 1;
    game->gameLoop();
    std::vector<std::string> lines = report();
    ASSERT_EQ(lines.size(), 5u) << "the report has five lines";
    EXPECT_EQ(lines[0], "QorProfiler 2.0") << "the report's title";
    EXPECT_EQ(lines[1], "====") << "the report's rule";
    EXPECT_TRUE(
        ::testing::internal::RE::FullMatch(lines[2], "Did 0 frames in [0-9]+\\.[0-9]{6} seconds"));
    EXPECT_EQ(lines[3], "Had 5 NPC's at 640x480 resolution") << "the report counts the NPCs";
    game->quit = 0;
    pushQuit();
    game->gameLoop();
    lines = report();
    ASSERT_EQ(lines.size(), 5u) << "the report has five lines";
    float seconds = 0;
    ASSERT_EQ(sscanf(lines[2].c_str(), "Did 1 frames in %f seconds", &seconds), 1) << lines[2];
    char rate[64];
    snprintf(rate, sizeof rate, "Avg. FPS: %f", (double)(1.0f / seconds));
    EXPECT_EQ(lines[4], rate) << "the rate is frames over seconds";
}

// A termination signal (a desktop logout, kill) ends the game from every
// screen after the title as a quit request while roaming does: a waiting
// screen leaves at once, the main loop ends after its pass and writes its
// report.
TEST_F(MainLoopTest, TerminationSignalEndsEveryScreenLikeAQuitRequest) {
    start();
    game->fightEnemy = game->npcs.front();
    void (*screens[])(CGame&) = {
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
            Lines written = linesOf(readFile("performance.txt"));
            fputs(written.empty() ? "no report" : written[0].c_str(), stderr);
            exit(0);
        };
        EXPECT_EXIT(signalled(), ::testing::ExitedWithCode(0), "^QorProfiler 2.0$")
            << "a signal ends the game with its report";
    }
}

// Under a file-size limit smaller than its report, the game set up as its entry
// function sets it up writes its report at the end: the write fails with the
// message a full disk gives instead of the limit's signal killing the game,
// and no unfinished file is left behind.
TEST_F(MainLoopTest, AReportPastTheFileSizeLimitFailsWithItsMessageAndLeavesNothing) {
    start();
    auto endUnderTheLimit = [&] {
        ignoreFileSizeLimitSignal();
        // Room for the message on the captured standard error, not the report.
        struct rlimit disk = {64, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &disk);
        game->quit = 1;
        game->gameLoop();
        disk.rlim_cur = RLIM_INFINITY;
        setrlimit(RLIMIT_FSIZE, &disk);
        glob_t left;
        bool alone = glob("performance.txt*", 0, NULL, &left) == GLOB_NOMATCH;
        fputs(alone ? "nothing left" : "a file left", stderr);
        exit(0);
    };
    EXPECT_EXIT(endUnderTheLimit(), ::testing::ExitedWithCode(0),
                "^Could not write performance\\.txt: File too large\nnothing left$")
        << "the failed write is said and leaves no file";
}

TEST_F(MainLoopTest, OnlyAChangedFrameIsPresentedAndTheDisplayHoldsTheLastFrameDrawn) {
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
        EXPECT_EQ(game->presentFrame(), pass.presents) << "only a changed frame is presented";
        ASSERT_EQ(game->shown.pixels.size(), (size_t)game->screen->pitch * SCREEN_H)
            << "the whole presented frame is kept";
        EXPECT_EQ(
            memcmp(game->shown.pixels.data(), game->screen->pixels, game->shown.pixels.size()), 0)
            << "the kept frame is the one presented";
    }
}

} // namespace
