// The main loop, its frame-rate report performance.txt, the screenshot, and
// the termination signals.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <glob.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/process.h"
#include "support/harness.h"

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
            struct rlimit disk = {64, 64}; // no room beyond 64 bytes
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
    SDL_Surface* shot = SDL_LoadBMP("screenshot.bmp");
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->w * 1000 + shot->h, 640480);
    SDL_FreeSurface(shot);
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
        [](CGame& g) { g.initiateConversation(g.npcs.back(), 0); },
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
        game->RoamLoop();
        EXPECT_EQ(game->presentFrame(), pass.presents);
        ASSERT_EQ(game->shownFrame.size(), (size_t)game->screen->pitch * SCREEN_H);
        EXPECT_EQ(memcmp(game->shownFrame.data(), game->screen->pixels, game->shownFrame.size()),
                  0);
    }
}

} // namespace
