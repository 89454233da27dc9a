// Start-up and shutdown: the progress lines from the banner on, each missing
// data file's message and exit status, a machine without a display or sound,
// and what the destructor gives back.
#include <algorithm>
#include <sys/stat.h>

#include "support/harness.h"
#include "support/process.h"

namespace {

// A small world, so that every loader has something to say.
void writeSmallWorld(const DataTree& tree) {
    tree.write("data/shopdata.qor", goodRecord("Broadsword", 300, 4, 6, 0));
    tree.write("data/quests.qor", questRecord("Find the cellar", 3, 4, 0, 1));
    tree.write("data/npcs.qor", npcRecord("Rat", 10, 11, 1, 3, "Squeak"));
}

// The shop and the quests are read before SDL starts; the title image after
// everything else. A folder or a named pipe of that name is a missing file
// too (a pipe must not block the start).
TEST_F(GameTest, MissingDataFileEndsTheGameWithItsMessageAndStatusOne) {
    const struct {
        const char *file, *message, *lastLine, *kind;
    } cases[] = {
        {"data/gfx/title.png", "Oh no! The title screen image (title.png) is missing!\n",
         "Fonts loaded. OK", ""},
        {"data/shopdata.qor", "File data/shopdata.qor missing\n", "Loading shop...", "pipe"},
        {"data/quests.qor", "Quest file data/quests.qor missing\n", "QuestMaster()", "folder"},
        {"data/npcs.qor", "NPC file data/npcs.qor missing\n", "Opening file", "pipe"},
        {"data/map.qor", "Map data/map.qor not found..\n", "Loading map...", "folder"}};
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
        EXPECT_EQ(out.at(0), "Tessary by the Tessary team") << "the banner comes first";
        auto last = std::find(all.begin(), all.end(), c.lastLine);
        ASSERT_NE(last, all.end()) << c.lastLine;
        EXPECT_EQ(out, Lines(all.begin(), last + 1)) << c.file;
    }
}

TEST_F(GameTest, WithNoDisplayItEndsInsteadOfWaitingWithoutAWindow) {
    DataTree tree;
    GameRun run =
        runGame(tree.root(), "tessary", "", "unset DISPLAY WAYLAND_DISPLAY SDL_VIDEODRIVER;");
    // Wayland's client library may complain first, on a line of its own.
    EXPECT_EQ(linesOf(run.err).back(),
              "CRITICAL: Couldn't initialize screen surface: no display was found");
    EXPECT_EQ(run.status, 1) << "no display ends the game with status 1";
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
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE) << "the game hides the pointer";
    // A fight in progress and a bought blade: neither freed twice nor touched
    // after the NPCs are gone.
    game->player.inventory.push_back(game->shop.items[0]);
    game->fighting = 1;
    game->fightEnemy = game->npcs.back();
    game.reset();
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE) << "the game's end shows the pointer again";
}

} // namespace
