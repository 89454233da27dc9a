// The title screen: the picture centred, any key ends it, a quit request ends
// the game at once.
#include "support/harness.h"

namespace {

// A small picture is centred without clearing the screen.
TEST_F(GameTest, TitleScreenShowsThePictureCentredUntilAnyKeyOrEndsTheGameOnAQuitRequest) {
    tree.writeImage("data/gfx/title.png", 200, 100);
    start();
    Uint32 title = colourOf("data/gfx/title.png");
    for (SDLKey key : {SDLK_RETURN, SDLK_F4, SDLK_LSHIFT}) {
        paintScreen();
        pushKeyDown(key);
        startCapture();
        game->titleScreen();
        EXPECT_EQ(stopCapture(), "Welcome to the game...\n") << key;
        EXPECT_EQ(count(220, 190, 419, 289, title), 200 * 100);
        EXPECT_EQ(count(219, 190, 420, 190, painted()), 2); // left as it was
    }
    // A quit request ends the game, even behind a key of the same pass.
    pushMouseClick(5, 5);
    pushQuit();
    pushKeyDown(SDLK_a);
    EXPECT_EXIT(game->titleScreen(), ::testing::ExitedWithCode(0), "^$");
}

} // namespace
