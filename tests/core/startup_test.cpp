// Start-up and shutdown of the real executable: the progress lines from the
// banner on, each missing data file's message and exit status, where the game
// finds its data, and what the destructor gives back.
#include <algorithm>
#include <csignal>
#include <sys/stat.h>

#include "process.h"
#include "support/harness.h"

namespace {

typedef std::vector<std::string> Lines;

// A small world, so that every loader has something to say.
void writeSmallWorld(const DataTree& tree) {
    tree.write("data/shopdata.qor", "300\n4\n6\nBroadsword\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n");
    tree.write("data/quests.qor", "3\n4\n0\nFind the cellar\n1\n");
    tree.write("data/npcs.qor", "30\n30\n0\n0\n1\nRat\nSqueak\n10\n11\n3\n");
}

// The shop and the quests are read before SDL starts; the title image after
// everything else. A folder or a named pipe of that name is a missing file
// too (a pipe must not block the start).
TEST(GameBinary, MissingDataFileEndsTheGameWithItsMessageAndStatusOne) {
    const struct {
        const char *file, *message, *lastLine, *kind;
    } cases[] = {
        {"data/gfx/title.png", "Oh no! The title screen image (title.png) is missing!\n",
         "Fonts loaded. OK", ""},
        {"data/shopdata.qor", "File data/shopdata.qor missing\n", "Loading shop...", "pipe"},
        {"data/quests.qor", "Quest file data/quests.qor missing\n", "QuestMaster()", "folder"},
        {"data/npcs.qor", "NPC file data/npcs.qor missing\n", "Opening file", "pipe"},
        {"data/map.qor", "Map data/map.qor not found..\n", "Loading map...", "folder"},
        {"data/map.qor", "Map data/map.qor not found..\n", "Loading map...", "pipe"}};
    Lines all; // the whole start-up: each case stops at its line of it
    for (const auto& c : cases) {
        DataTree tree;
        writeSmallWorld(tree);
        tree.remove(c.file);
        ASSERT_EQ(c.kind[0] == 'f'   ? mkdir(tree.path(c.file).c_str(), 0755)
                  : c.kind[0] == 'p' ? mkfifo(tree.path(c.file).c_str(), 0644)
                                     : 0,
                  0);
        GameRun run = runGame(tree.root());
        EXPECT_EQ(run.err, c.message) << c.kind;
        EXPECT_EQ(run.status, 1) << c.file;
        Lines out = linesOf(run.out);
        if (all.empty()) // the title picture is checked last, after every other file
            all = out;
        EXPECT_EQ(out.at(0), "Tessary by the Tessary team");
        auto last = std::find(all.begin(), all.end(), c.lastLine);
        ASSERT_NE(last, all.end()) << c.lastLine;
        EXPECT_EQ(out, Lines(all.begin(), last + 1)) << c.file;
    }
}

// The working directory first, then the executable's folder; a Finder start
// ("-psn..." as the first argument) enters the folder holding the application.
TEST(GameBinary, FindsItsDataWhereItIsStarted) {
    DataTree tree;
    tree.write("data/quests.qor", "3\n4\n0\nQuest of the test tree\n1\n");
    tree.remove("data/gfx/title.png");
    ASSERT_EQ(system(("cd '" + tree.root() +
                      "' && mkdir -p Tessary.app/Contents/MacOS elsewhere bin && cp " +
                      TESSARY_BINARY + " tessary && cp " + TESSARY_BINARY + " bin/tessary")
                         .c_str()),
              0);
    const std::string title = "Oh no! The title screen image (title.png) is missing!\n";
    const std::string bundle = tree.path("Tessary.app/Contents/MacOS/tessary"),
                      gone = tree.path("gone/Contents/MacOS/tessary");
    const struct {
        std::string binary, name, args, folder, err;
        int status;
    } cases[] = {
        {TESSARY_BINARY, "tessary", "", ".", title, 1},
        {tree.path("tessary"), "tessary", "", "elsewhere", title, 1},
        {tree.path("bin/tessary"), tree.path("bin/tessary"), "", "elsewhere",
         "File data/shopdata.qor missing\n", 1},
        {TESSARY_BINARY, bundle, "-psn", "elsewhere", title, 1},
        {TESSARY_BINARY, gone, "-psn_0_1", ".",
         "tessary: cannot enter the folder of the application bundle\n", 128 + SIGABRT},
        {TESSARY_BINARY, gone, "-ps", ".", title, 1},
        {TESSARY_BINARY, gone, "x -psn_0_1", ".", title, 1},
    };
    for (const auto& c : cases) {
        GameRun run = runGame(tree.path(c.folder), c.name, c.args, "", c.binary);
        EXPECT_EQ(run.status, c.status) << c.name << " " << c.args;
        EXPECT_EQ(run.err, c.err) << c.name << " " << c.args;
        EXPECT_EQ(run.out.find("Loaded Quest Quest of the test tree") != std::string::npos,
                  c.err == title);
    }
}

TEST(GameBinary, WithNoDisplayItEndsInsteadOfWaitingWithoutAWindow) {
    DataTree tree;
    GameRun run =
        runGame(tree.root(), "tessary", "", "unset DISPLAY WAYLAND_DISPLAY SDL_VIDEODRIVER;");
    // Wayland's client library may complain first, on a line of its own.
    EXPECT_EQ(linesOf(run.err).back(),
              "CRITICAL: Couldn't initialize screen surface: no display was found");
    EXPECT_EQ(run.status, 1);
}

// SDL starts afresh in each of these: they run in a process of their own.
TEST_F(GameTest, AudioThatCannotStartDoesNotStopTheGameButVideoDoes) {
    EXPECT_EXIT(
        {
            setenv("SDL_AUDIODRIVER", "no-such-audio", 1);
            start();
            fprintf(stderr, "screen %dx%d", game->screen->w, game->screen->h);
            exit(0);
        },
        ::testing::ExitedWithCode(0), "^screen 640x480$");
    EXPECT_EXIT((setenv("SDL_VIDEODRIVER", "no-such-video", 1), start()),
                ::testing::ExitedWithCode(1), "^CRITICAL: SDL didn't init .+\n$");
}

TEST_F(GameTest, DestructionShowsThePointerAgainAndLeavesNoEnemyBehind) {
    writeSmallWorld(tree);
    start();
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    // A fight in progress and a bought blade: neither freed twice nor touched
    // after the NPCs are gone.
    game->player.inventory.push_back(game->shop.items[0]);
    game->fighting = 1;
    game->fightEnemy = game->npcs.back();
    game.reset();
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

} // namespace
