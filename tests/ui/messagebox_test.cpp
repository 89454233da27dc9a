// The message box: its strip and text, its wait for a key, and the
// screenshot that F4 saves while it waits.
#include "support/harness.h"

namespace {

class MessageBoxTest : public GameTest {};

TEST_F(MessageBoxTest, TheBoxIsAStripAcrossTheScreenWithWhiteText) {
    start();
    for (bool alert : {false, true}) {
        paintScreen();
        scriptKeys({SDLK_a});
        game->displayFightConsoleMessage("Not enough gold to buy this!", alert);
        EXPECT_TRUE(boxSays(game.get(), game->screen, "Not enough gold to buy this!", alert))
            << "the box shows its text on its strip";
        EXPECT_EQ(count(0, 379, SCREEN_W - 1, 379, painted()), SCREEN_W) << "from y 380";
        EXPECT_EQ(count(0, 410, SCREEN_W - 1, 410, painted()), SCREEN_W) << "to y 409";
    }
}

// A quit request is dropped; key releases and clicks do not end the wait, and
// the events behind the key that ends it are taken with it.
TEST_F(MessageBoxTest, TheBoxWaitsForAKeySavingTheScreenWithTheBoxOnF4) {
    start();
    tree.write("screenshot.bmp", "an older screenshot");
    game->drawImage(game->fightBackgrounds[1], 0, 0);
    game->HUD_Player();
    pushQuit();
    pushKeyDown(SDLK_F4);
    pushKeyUp(SDLK_F4);
    pushMouseClick(320, 240);
    scriptKeys({SDLK_RETURN});
    startCapture();
    game->displayFightConsoleMessage("Enemy hit you for 7 damage", true);
    EXPECT_EQ(stopCapture(), "Screenshot\n") << "F4 says Screenshot";
    EXPECT_EQ(endScript(), 0u) << "the box ended before a key other than F4";
    SDL_Surface* shot = SDL_LoadBMP("screenshot.bmp");
    ASSERT_NE(shot, nullptr) << SDL_GetError();
    ASSERT_EQ(shot->w, SCREEN_W) << "the screenshot is the whole screen";
    ASSERT_EQ(shot->h, SCREEN_H) << "the screenshot is the whole screen";
    const struct {
        const char* what;
        int x;
        int y;
    } samples[] = {{"the bar", 30, 20}, {"the strip", 320, 405}, {"the backdrop", 600, 300}};
    for (const auto& sample : samples) {
        Uint8 r;
        Uint8 g;
        Uint8 b;
        SDL_GetRGB(pixelAt(shot, sample.x, sample.y), shot->format, &r, &g, &b);
        EXPECT_EQ(at(sample.x, sample.y), rgb(r, g, b)) << "the screenshot shows " << sample.what;
    }
    SDL_FreeSurface(shot);
    pushKeyDown(SDLK_a);
    pushKeyDown(SDLK_b);
    game->displayFightConsoleMessage("You missed Mr. Spunky", false);
    EXPECT_EQ(pendingEvents(), 0) << "the events behind the key are taken with it";
    EXPECT_EQ(game->quit, 0) << "the box drops a quit request";
}

} // namespace
