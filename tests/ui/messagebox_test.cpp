// The message box: its strip and text, its wait for a key, and the
// screenshot that F4 saves while it waits.
#include <atomic>
#include <chrono>
#include <sys/stat.h>
#include <thread>

#include "ui/ui.h"

namespace {

bool saved() {
    struct stat info;
    return stat("screenshot.bmp", &info) == 0;
}

class MessageBox : public UiTest {
  protected:
    std::string show(const char* text = "You missed Mr. Spunky", bool alert = false) {
        startCapture(); // the events are already queued
        game->displayFightConsoleMessage(text, alert);
        return stopCapture();
    }
};

TEST_F(MessageBox, StripAcrossTheScreenWithWhiteText) {
    start();
    for (bool alert : {false, true}) {
        paintScreen();
        pushKeyDown(SDLK_a);
        show("Not enough gold to buy this!", alert);
        Uint32 strip = alert ? rgb(255, 0, 0) : rgb(0, 0, 200);
        std::vector<bool> text = textMask("Not enough gold to buy this!", 10, 378);
        int covered = 0, wrong = 0;
        EXPECT_EQ(mismatches(text, rgb(255, 255, 255), &covered), 0);
        EXPECT_GT(covered, 0);
        for (int y = 370; y < 420; y++)
            for (int x = 0; x < SCREEN_W; x++)
                if (!text[y * SCREEN_W + x])
                    wrong += at(x, y) != (y >= 380 && y < 410 ? strip : painted());
        EXPECT_EQ(wrong, 0) << "the strip covers y 380 to 409 only; alert " << alert;
    }
}

TEST_F(MessageBox, KeyPressEndsItTakingTheEventsBehindAndDroppingAQuitRequest) {
    start();
    pushQuit();
    pushKeyDown(SDLK_a);
    pushKeyDown(SDLK_b);
    pushMouseClick(5, 5);
    EXPECT_EQ(show(), "");
    EXPECT_EQ(pendingEvents(), 0);
    EXPECT_EQ(game->quit, 0);
    EXPECT_FALSE(saved());
}

TEST_F(MessageBox, F4SavesAndKeepsWaitingAsDoReleasesAndClicks) {
    start();
    pushKeyDown(SDLK_F4);
    pushKeyUp(SDLK_F4);
    pushMouseClick(320, 240);
    std::atomic<bool> keySent(false), savedBeforeKey(false);
    std::thread player([&] {
        for (int i = 0; i < 1000 && !saved(); i++)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        savedBeforeKey = saved();
        keySent = true;
        pushKeyDown(SDLK_RETURN);
    });
    EXPECT_EQ(show(), "Screenshot\n");
    EXPECT_TRUE(keySent) << "the box ended before a key other than F4";
    player.join();
    EXPECT_TRUE(savedBeforeKey);
}

TEST_F(MessageBox, ScreenshotIsTheScreenWithTheBoxOnIt) {
    start();
    tree.write("screenshot.bmp", "an older screenshot");
    game->drawImage(game->fightBackgrounds[1], 0, 0);
    game->HUD_Player();
    pushKeyDown(SDLK_F4);
    pushKeyDown(SDLK_a);
    show("Enemy hit you for 7 damage", true);
    SDL_Surface* shot = SDL_LoadBMP("screenshot.bmp");
    ASSERT_NE(shot, nullptr) << SDL_GetError();
    ASSERT_EQ(shot->w * 1000 + shot->h, 640480);
    for (auto p : {std::make_pair(30, 20), {320, 405}, {600, 300}}) { // bar, strip, backdrop
        Uint8 r1, g1, b1, r2, g2, b2;
        SDL_GetRGB(at(p.first, p.second), game->screen->format, &r1, &g1, &b1);
        SDL_GetRGB(pixelAt(shot, p.first, p.second), shot->format, &r2, &g2, &b2);
        EXPECT_TRUE(r1 == r2 && g1 == g2 && b1 == b2) << p.first << ", " << p.second;
    }
    SDL_FreeSurface(shot);
}

} // namespace
