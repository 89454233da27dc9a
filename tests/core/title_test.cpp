// The title screen: the picture centred, any key ends it, a quit request or a
// termination signal ends the game at once.
#include "support/harness.h"
#include "support/process.h"

namespace {

class TitleTest : public GameTest {};

// A small picture is centred without clearing the screen.
TEST_F(TitleTest, ShowsThePictureCentredUntilAnyKeyOrEndsTheGameOnAQuitRequest) {
    tree.writeImage("data/gfx/title.png", 200, 100);
    start();
    Uint32 title = colourOf("data/gfx/title.png");
    for (SDLKey key : {SDLK_RETURN, SDLK_F4, SDLK_LSHIFT}) {
        paintScreen();
        pushKeyDown(key);
        startCapture();
        game->titleScreen();
        EXPECT_EQ(stopCapture(), "Welcome to the game...\n") << "any key ends the title: " << key;
        EXPECT_EQ(count(220, 190, 419, 289, title), 200 * 100) << "the picture is centred";
        EXPECT_EQ(count(219, 190, 420, 190, painted()), 2) << "the rest is left as it was";
    }
    // A quit request ends the game, even behind a key of the same pass.
    pushMouseClick(5, 5);
    pushQuit();
    pushKeyDown(SDLK_a);
    EXPECT_EXIT(game->titleScreen(), ::testing::ExitedWithCode(0), "^$")
        << "a quit request on the title ends the game at once";
}

// The real game, sent SIGTERM while it waits on the title: status 0 and no
// frame report, as after the title's quit request.
TEST_F(TitleTest, ATerminationSignalEndsTheGameAsAQuitRequestDoes) {
    // The shell's own process becomes the game; the signal comes once the
    // game has long been waiting.
    GameRun run = runGame(tree.root(), "tessary", "", "(sleep 2; kill -TERM \\$\\$) &");
    EXPECT_EQ(run.status, 0) << "a signalled title ends the game normally";
    EXPECT_EQ(readFile(tree.path("performance.txt")), "") << "the title writes no frame report";
    EXPECT_EQ(linesOf(run.out).back(), "Fonts loaded. OK") << "the game ends on the title";
}

} // namespace
