// The title screen: the picture centred, any key ends it, a quit request ends
// the game at once.
#include <atomic>
#include <chrono>
#include <thread>

#include "support/harness.h"

namespace {

class TitleScreen : public GameTest {
  protected:
    // Shows the title with the given events already queued; returns what it printed.
    std::string show() {
        startCapture();
        game->titleScreen();
        return stopCapture();
    }
};

class TitleKeys : public TitleScreen, public ::testing::WithParamInterface<SDLKey> {};

TEST_P(TitleKeys, AnyKeyEndsTheTitleScreen) {
    start();
    pushKeyDown(GetParam());
    EXPECT_EQ(show(), "Welcome to the game...\n");
    EXPECT_EQ(at(320, 240), colourOf("data/gfx/title.png"));
}

INSTANTIATE_TEST_SUITE_P(Keys, TitleKeys,
                         ::testing::Values(SDLK_RETURN, SDLK_a, SDLK_ESCAPE, SDLK_F4, SDLK_LSHIFT));

TEST_F(TitleScreen, ClickAndKeyReleaseDoNotEndIt) {
    start();
    pushMouseClick(320, 240);
    pushKeyUp(SDLK_a);
    // The key comes only later; the title screen must still be waiting for it.
    std::atomic<bool> keySent(false);
    std::thread player([&keySent] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        keySent = true;
        pushKeyDown(SDLK_a);
    });
    show();
    EXPECT_TRUE(keySent);
    player.join();
    EXPECT_EQ(pendingEvents(), 0); // every event of the pass is taken
}

TEST_F(TitleScreen, SmallPictureIsCentredWithoutClearingTheScreen) {
    tree.writeImage("data/gfx/title.png", 200, 100);
    start();
    game->fillRect(0, 0, 640, 480, 10, 20, 30);
    pushKeyDown(SDLK_a);
    show();
    Uint32 title = colourOf("data/gfx/title.png");
    EXPECT_EQ(at(220, 190), title);
    EXPECT_EQ(at(419, 289), title);
    EXPECT_EQ(at(219, 190), rgb(10, 20, 30));
    EXPECT_EQ(at(420, 289), rgb(10, 20, 30));
    EXPECT_EQ(at(220, 189), rgb(10, 20, 30));
}

TEST_F(TitleScreen, LargePictureIsClippedAroundItsCentre) {
    tree.writeImage("data/gfx/title.png", 800, 600);
    start();
    pushKeyDown(SDLK_a);
    EXPECT_EQ(show(), "Welcome to the game...\n");
    EXPECT_EQ(at(0, 0), colourOf("data/gfx/title.png"));
    EXPECT_EQ(at(639, 479), colourOf("data/gfx/title.png"));
}

// A quit request ends the game with status 0, even behind a key of the same pass.
class TitleQuit : public TitleScreen,
                  public ::testing::WithParamInterface<std::vector<const char*>> {};

TEST_P(TitleQuit, EndsTheGameWithStatusZero) {
    start();
    for (const char* event : GetParam()) {
        std::string name = event;
        if (name == "key")
            pushKeyDown(SDLK_a);
        else if (name == "click")
            pushMouseClick(5, 5);
        else
            pushQuit();
    }
    EXPECT_EXIT(game->titleScreen(), ::testing::ExitedWithCode(0), "^$");
}

INSTANTIATE_TEST_SUITE_P(Events, TitleQuit,
                         ::testing::Values(std::vector<const char*>{"quit"},
                                           std::vector<const char*>{"key", "quit"},
                                           std::vector<const char*>{"click", "quit", "key"}));

TEST_F(TitleScreen, MissingPictureEndsTheGame) {
    start();
    tree.remove("data/gfx/title.png");
    pushKeyDown(SDLK_a);
    EXPECT_EXIT(game->titleScreen(), ::testing::ExitedWithCode(1),
                "^Oh no! The title screen image \\(title\\.png\\) is missing!\n$");
}

} // namespace
