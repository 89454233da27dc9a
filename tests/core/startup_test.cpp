// Start-up and shutdown: the progress lines from the banner on, each missing
// data file's message and exit status, and what the destructor gives back.
#include <cstdlib>
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

TEST(GameBinary, PrintsTheBannerAndEveryStartUpLineThenWaitsOnTheTitle) {
    DataTree tree;
    writeSmallWorld(tree);
    GameProcess game(TESSARY_BINARY, {"tessary"}, tree.root(), tree.root());
    // A termination signal on the title ends the game as a quit request
    // while roaming does: no frame, a report, "Goodbye...", status 0.
    ASSERT_TRUE(game.waitUntilQuitRequestsAreEvents(30000));
    GameRun result = game.askToQuit();
    Lines expected;
    for (const char* line :
         {"Tessary by the Tessary team", "Loading shop...", "Loading item", "Item loaded, adding",
          "Loading item", "Item loaded, adding", "Probably a null item.", "Shop initialized",
          "QuestMaster()", "Loaded Quest Find the cellar, (3,4,0)", "pushing back", "looping",
          "Loaded Quest , (0,0,0)", "invalid", "Loading sprites and tiles",
          "Loading shop items icons", "Loaded shop icons"})
        expected.push_back(line);
    for (int i = 0; i < 14; i++)
        expected.push_back("Item " + std::to_string(i) + " is existant");
    for (const char* line :
         {"Surfaces loaded...", "Loading NPCs!", "Opening file", "Opened file",
          "Panic mode: Null NPC probably received", "NPC load complete",
          "Sprites and tiles loaded.", "Loading map...", "Loaded map file...", "Map loaded.",
          "HUDController()", "Initializing font setup", "Font init, loading fonts...",
          "Fonts loaded. OK", "Welcome to the game...", "Goodbye..."})
        expected.push_back(line);
    EXPECT_EQ(linesOf(result.out), expected);
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(readFile(tree.path("performance.txt")).find("Did 0 frames"), std::string::npos);
}

TEST(GameBinary, MissingDataFileEndsTheGameWithItsMessageAndStatusOne) {
    // The shop and the quests are read before SDL starts; the title image
    // after everything else. A folder or a named pipe of that name is a
    // missing file too (a pipe must not block the start).
    const struct {
        const char *file, *message, *lastLine;
    } cases[] = {{"data/shopdata.qor", "File data/shopdata.qor missing\n", "Loading shop..."},
                 {"data/quests.qor", "Quest file data/quests.qor missing\n", "QuestMaster()"},
                 {"data/npcs.qor", "NPC file data/npcs.qor missing\n", "Opening file"},
                 {"data/map.qor", "Map data/map.qor not found..\n", "Loading map..."},
                 {"data/gfx/title.png", "Oh no! The title screen image (title.png) is missing!\n",
                  "Fonts loaded. OK"}};
    for (const auto& c : cases) {
        for (const char* kind : {"missing", "folder", "pipe"}) {
            DataTree tree;
            writeSmallWorld(tree);
            tree.remove(c.file);
            if (kind[0] == 'f') {
                ASSERT_EQ(mkdir(tree.path(c.file).c_str(), 0755), 0);
            } else if (kind[0] == 'p') {
                ASSERT_EQ(mkfifo(tree.path(c.file).c_str(), 0644), 0);
            }
            GameRun result = runGame(TESSARY_BINARY, {"tessary"}, tree.root(), tree.root());
            EXPECT_EQ(result.err, c.message) << kind;
            EXPECT_TRUE(result.exited && result.status == 1) << c.file << ": " << result.status;
            Lines out = linesOf(result.out);
            ASSERT_FALSE(out.empty()) << c.file;
            EXPECT_EQ(out.front(), "Tessary by the Tessary team");
            EXPECT_EQ(out.back(), c.lastLine);
        }
    }
}

TEST(GameBinary, WithNoDisplayToShowOnItEndsInsteadOfWaitingWithoutAWindow) {
    DataTree tree;
    writeSmallWorld(tree);
    const char* names[] = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"};
    std::vector<std::pair<const char*, std::string>> saved;
    for (const char* name : names) {
        if (getenv(name))
            saved.push_back({name, getenv(name)});
        unsetenv(name);
    }
    GameRun result = runGame(TESSARY_BINARY, {"tessary"}, tree.root(), tree.root());
    for (const auto& entry : saved)
        setenv(entry.first, entry.second.c_str(), 1);
    // Wayland's client library may complain first, on a line of its own.
    Lines err = linesOf(result.err);
    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err.back(), "CRITICAL: Couldn't initialize screen surface: no display was found");
    EXPECT_TRUE(result.exited && result.status == 1) << result.status;
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
    EXPECT_EXIT(
        {
            setenv("SDL_VIDEODRIVER", "no-such-video", 1);
            start();
        },
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
