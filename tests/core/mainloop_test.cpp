// The main loop and its frame-rate report, performance.txt.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <glob.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

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

// The files the game writes replace the old ones only when written whole: on
// a full disk the previous file stays and standard error says so; a link of
// that name is replaced by a file, and what it pointed to is left alone.
TEST_F(MainLoop, SavedFilesReplaceTheOldOnlyWhenWrittenWhole) {
    start();
    const struct {
        const char* file;
        void (*save)(CGame&);
    } files[] = {{"screenshot.bmp", [](CGame& g) { g.saveScreenshot(); }},
                 {"performance.txt", [](CGame& g) { g.quit = 1, g.gameLoop(); }}};
    for (const auto& f : files) {
        tree.write(f.file, "the previous one");
        auto saveOnAFullDisk = [&] {
            struct rlimit disk; // no room beyond 64 bytes
            disk.rlim_cur = disk.rlim_max = 64;
            setrlimit(RLIMIT_FSIZE, &disk);
            signal(SIGXFSZ, SIG_IGN);
            f.save(*game);
            exit(0);
        };
        EXPECT_EXIT(saveOnAFullDisk(), ::testing::ExitedWithCode(0),
                    ::testing::Eq(std::string("Could not write ") + f.file + ": File too large\n"));
        EXPECT_EQ(readFile(tree.path(f.file)), "the previous one");
        glob_t left;
        EXPECT_EQ(glob((std::string(f.file) + ".*").c_str(), 0, NULL, &left), GLOB_NOMATCH);

        tree.write("elsewhere", "not the game's");
        unlink(f.file);
        ASSERT_EQ(symlink(tree.path("elsewhere").c_str(), f.file), 0);
        f.save(*game);
        EXPECT_EQ(readFile(tree.path("elsewhere")), "not the game's");
        struct stat info;
        EXPECT_TRUE(lstat(f.file, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 64);
    }
}

// A termination signal (a desktop logout, kill) ends the game from every
// screen as a quit request while roaming does: a waiting screen leaves at
// once, the main loop ends after its pass and writes its report.
TEST_F(MainLoop, TerminationSignalEndsEveryScreenLikeAQuitRequest) {
    tree.write("data/shopdata.qor", "300\n4\n6\nBroadsword\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n");
    start();
    game->fightEnemy = game->npcs.front();
    const struct {
        const char* screen;
        void (*open)(CGame&);
    } screens[] = {
        {"title", [](CGame& g) { g.titleScreen(); }},
        {"roaming", [](CGame&) {}},
        {"conversation", [](CGame& g) { g.initiateConversation(g.npcs.back(), 0); }},
        {"shop", [](CGame& g) { g.shopKeeping(); }},
        {"character menu", [](CGame& g) { g.characterMenu(); }},
        {"magic menu", [](CGame& g) { g.Fight_magicMenu(); }},
        {"fight message", [](CGame& g) { g.displayFightConsoleMessage("Rat hit you", true); }},
    };
    for (const auto& s : screens) {
        // Each of the three signals, one after the other on the same screen.
        auto signalled = [&] {
            for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
                raise(sig);
                s.open(*game);
            }
            game->gameLoop();
            fputs(readFile("performance.txt").substr(0, 16).c_str(), stderr);
            exit(0);
        };
        EXPECT_EXIT(signalled(), ::testing::ExitedWithCode(0), "^QorProfiler 2.0\n$") << s.screen;
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
