// Start-up and shutdown: the game object's fields right after construction,
// the progress lines in their order from the banner on, each missing data
// file's message and exit status, and what the destructor gives back.
#include <cctype>
#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "process.h"
#include "support/harness.h"

namespace {

typedef std::vector<std::string> Lines;

TEST_F(GameTest, ConstructionLeavesTheDocumentedDefaults) {
    start();
    EXPECT_EQ(game->playerTurn, 1);
    EXPECT_EQ(game->menuCursor, -1);
    EXPECT_EQ(game->menuoff, -1);
    EXPECT_EQ(game->player.gold, 100000);
    EXPECT_EQ(game->screen->w * 1000 + game->screen->h, 640480);
}

// A small world, so that every loader has something to say.
void writeSmallWorld(const DataTree& tree) {
    tree.write("data/shopdata.qor", "300\n4\n6\nBroadsword\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n");
    tree.write("data/quests.qor", "3\n4\n0\nFind the cellar\n1\n");
    tree.write("data/npcs.qor", "30\n30\n0\n0\n1\nRat\nSqueak\n10\n11\n3\n");
}

// Everything the constructor prints for the small world, in order.
Lines constructorLines() {
    Lines lines = {"Loading shop...",
                   "Loading item",
                   "Item loaded, adding",
                   "Loading item",
                   "Item loaded, adding",
                   "Probably a null item.",
                   "Shop initialized",
                   "QuestMaster()",
                   "Loaded Quest Find the cellar, (3,4,0)",
                   "pushing back",
                   "looping",
                   "Loaded Quest , (0,0,0)",
                   "invalid",
                   "Loading sprites and tiles",
                   "Loading shop items icons",
                   "Loaded shop icons"};
    for (int i = 0; i < 14; i++)
        lines.push_back("Item " + std::to_string(i) + " is existant");
    const Lines rest = {"Surfaces loaded...",
                        "Loading NPCs!",
                        "Opening file",
                        "Opened file",
                        "Panic mode: Null NPC probably received",
                        "NPC load complete",
                        "Sprites and tiles loaded.",
                        "Loading map...",
                        "Loaded map file...",
                        "Map loaded.",
                        "HUDController()",
                        "Initializing font setup",
                        "Font init, loading fonts...",
                        "Fonts loaded. OK"};
    lines.insert(lines.end(), rest.begin(), rest.end());
    return lines;
}

// The real executable, started in the data tree as a player would start it.
class GameBinary : public ::testing::Test {
  protected:
    DataTree tree;
    GameRun run(const std::string& folder) {
        return runGame(TESSARY_BINARY, {"tessary"}, folder, tree.root());
    }
};

TEST_F(GameBinary, PrintsTheBannerAndEveryStartUpLineThenWaitsOnTheTitle) {
    writeSmallWorld(tree);
    GameProcess game(TESSARY_BINARY, {"tessary"}, tree.root(), tree.root());
    // Once SDL runs, a termination signal is the window system's quit request,
    // which the title screen answers by ending the game with status 0.
    ASSERT_TRUE(game.waitUntilQuitRequestsAreEvents(30000));
    GameRun result = game.askToQuit();
    Lines expected = constructorLines();
    expected.insert(expected.begin(), "Tessary by the Tessary team");
    EXPECT_EQ(linesOf(result.out), expected); // no "Welcome to the game..."
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.status, 0);
    EXPECT_FALSE(fileExists(tree.path("performance.txt")));
}

struct MissingFileCase {
    const char* file;
    const char* message;  // on standard error
    const char* lastLine; // of standard output
};

void PrintTo(const MissingFileCase& c, std::ostream* os) {
    *os << c.file;
}

class MissingDataFile : public GameBinary, public ::testing::WithParamInterface<MissingFileCase> {};

TEST_P(MissingDataFile, EndsTheGameWithItsMessageAndStatusOne) {
    writeSmallWorld(tree);
    tree.remove(GetParam().file);
    GameRun result = run(tree.root());
    EXPECT_EQ(result.err, GetParam().message);
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.status, 1);
    Lines out = linesOf(result.out);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.front(), "Tessary by the Tessary team");
    EXPECT_EQ(out.back(), GetParam().lastLine);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MissingDataFile,
    // The shop and the quests are read before SDL starts; the title image is
    // loaded by the title screen after everything else.
    ::testing::Values(
        MissingFileCase{"data/shopdata.qor", "File data/shopdata.qor missing\n", "Loading shop..."},
        MissingFileCase{"data/quests.qor", "Quest file data/quests.qor missing\n", "QuestMaster()"},
        MissingFileCase{"data/npcs.qor", "NPC file data/npcs.qor missing\n", "Opening file"},
        MissingFileCase{"data/map.qor", "Map data/map.qor not found..\n", "Loading map..."},
        MissingFileCase{"data/gfx/title.png",
                        "Oh no! The title screen image (title.png) is missing!\n",
                        "Fonts loaded. OK"}));

// SDL starts afresh in each of these: they run in a process of their own.
TEST_F(GameTest, AudioThatCannotStartDoesNotStopTheGame) {
    EXPECT_EXIT(
        {
            setenv("SDL_AUDIODRIVER", "no-such-audio", 1);
            start();
            fprintf(stderr, "screen %dx%d", game->screen->w, game->screen->h);
            exit(0);
        },
        ::testing::ExitedWithCode(0), "^screen 640x480$");
}

TEST_F(GameTest, VideoThatCannotStartEndsTheGame) {
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
    // A fight in progress and a bought blade: the destructor must neither free
    // the blade twice nor touch the enemy after the NPCs are gone.
    game->player.inventory.push_back(game->shop.items[0]);
    game->fighting = 1;
    game->fightEnemy = game->npcs.back();
    game.reset();
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

} // namespace
