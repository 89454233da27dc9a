// The title screen: the picture centred, any key ends it, a quit request ends
// the game at once.
#include "support/harness.h"

namespace {

class TitleScreen : public GameTest {
  protected:
    std::string show() { // with the events already queued; returns what it printed
        startCapture();
        game->titleScreen();
        return stopCapture();
    }
};

TEST_F(TitleScreen, AnyKeyEndsIt) {
    start();
    for (SDLKey key : {SDLK_RETURN, SDLK_F4, SDLK_LSHIFT}) {
        pushKeyDown(key);
        EXPECT_EQ(show(), "Welcome to the game...\n") << key;
        EXPECT_EQ(at(320, 240), colourOf("data/gfx/title.png"));
    }
}

TEST_F(TitleScreen, SmallPictureIsCentredWithoutClearingTheScreen) {
    tree.writeImage("data/gfx/title.png", 200, 100);
    start();
    game->fillRect(0, 0, 640, 480, 10, 20, 30);
    pushKeyDown(SDLK_a);
    show();
    Uint32 title = colourOf("data/gfx/title.png"), behind = rgb(10, 20, 30);
    EXPECT_EQ(at(220, 190), title);
    EXPECT_EQ(at(419, 289), title);
    EXPECT_EQ(at(219, 190), behind);
    EXPECT_EQ(at(420, 289), behind);
}

// Even behind a key of the same pass.
TEST_F(TitleScreen, QuitRequestEndsTheGameWithStatusZero) {
    start();
    pushMouseClick(5, 5);
    pushQuit();
    pushKeyDown(SDLK_a);
    EXPECT_EXIT(game->titleScreen(), ::testing::ExitedWithCode(0), "^$");
}

} // namespace
