// The message box: its strip and text, its wait for a key, and the
// screenshot that F4 saves while it waits.
#include <atomic>
#include <chrono>
#include <sys/stat.h>
#include <thread>

#include "ui/ui.h"

namespace {

bool fileExists(const char* path) {
    struct stat info;
    return stat(path, &info) == 0;
}

class MessageBox : public UiTest {
  protected:
    // Shows a box with the events already queued; returns what it printed.
    std::string show(const char* text = "You missed Mr. Spunky", bool alert = false) {
        startCapture();
        game->displayFightConsoleMessage(text, alert);
        return stopCapture();
    }
};

struct Strip {
    bool alert;
    Uint8 r, g, b;
};

class MessageBoxColour : public MessageBox, public ::testing::WithParamInterface<Strip> {};

TEST_P(MessageBoxColour, StripAcrossTheScreenWithWhiteText) {
    start();
    paintScreen();
    pushKeyDown(SDLK_a);
    show("Not enough gold to buy this!", GetParam().alert);
    Uint32 strip = rgb(GetParam().r, GetParam().g, GetParam().b);
    std::vector<bool> text = textMask("Not enough gold to buy this!", 10, 378);
    int covered = 0;
    EXPECT_EQ(mismatches(text, rgb(255, 255, 255), &covered), 0);
    EXPECT_GT(covered, 0);
    int wrong = 0;
    for (int y = 370; y < 420; y++) {
        for (int x = 0; x < SCREEN_W; x++) {
            if (text[y * SCREEN_W + x])
                continue;
            Uint32 expected = y >= 380 && y < 410 ? strip : painted();
            wrong += at(x, y) != expected;
        }
    }
    EXPECT_EQ(wrong, 0) << "the strip covers x 0 to 639, y 380 to 409, and nothing else";
}

INSTANTIATE_TEST_SUITE_P(Kinds, MessageBoxColour,
                         ::testing::Values(Strip{false, 0, 0, 200}, Strip{true, 255, 0, 0}));

TEST_F(MessageBox, KeyPressEndsItTakingTheEventsBehindAndDroppingAQuitRequest) {
    start();
    pushQuit();
    pushKeyDown(SDLK_a);
    pushKeyDown(SDLK_b);
    pushKeyUp(SDLK_a);
    pushMouseClick(5, 5);
    EXPECT_EQ(show(), "");
    EXPECT_EQ(pendingEvents(), 0);
    EXPECT_EQ(game->quit, 0);
    EXPECT_FALSE(fileExists("screenshot.bmp"));
}

// Only a key press ends the wait; F4 saves the screen and the box stays.
TEST_F(MessageBox, F4SavesAndKeepsWaitingAsDoReleasesAndClicks) {
    start();
    pushKeyDown(SDLK_F4);
    pushKeyUp(SDLK_F4);
    pushMouseClick(320, 240);
    pushQuit();
    std::atomic<bool> keySent(false), savedBeforeKey(false);
    std::thread player([&] {
        for (int i = 0; i < 1000 && !fileExists("screenshot.bmp"); i++)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        savedBeforeKey = fileExists("screenshot.bmp");
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        keySent = true;
        pushKeyDown(SDLK_RETURN);
    });
    std::string out = show();
    EXPECT_TRUE(keySent) << "the box ended before a key other than F4";
    player.join();
    EXPECT_TRUE(savedBeforeKey);
    EXPECT_EQ(out, "Screenshot\n");
}

TEST_F(MessageBox, F4ThenAnotherKeyQueuedTogetherSavesAndCloses) {
    start();
    pushKeyDown(SDLK_F4);
    pushKeyDown(SDLK_SPACE);
    EXPECT_EQ(show(), "Screenshot\n");
    EXPECT_TRUE(fileExists("screenshot.bmp"));
    EXPECT_EQ(pendingEvents(), 0);
}

TEST_F(MessageBox, ScreenshotIsTheScreenWithTheBoxOnIt) {
    start();
    // Something worth photographing under the box, replacing an old file.
    tree.write("screenshot.bmp", "an older screenshot");
    game->drawImage(game->fightBackgrounds[1], 0, 0);
    game->drawImage(game->sprites[0][3], 100, 230);
    game->HUD_Player();
    pushKeyDown(SDLK_F4);
    pushKeyDown(SDLK_a);
    show("Enemy hit you for 7 damage", true);
    SDL_Surface* shot = SDL_LoadBMP("screenshot.bmp");
    ASSERT_NE(shot, nullptr) << SDL_GetError();
    ASSERT_EQ(shot->w, SCREEN_W);
    ASSERT_EQ(shot->h, SCREEN_H);
    int wrong = 0;
    for (int y = 0; y < SCREEN_H; y++) {
        for (int x = 0; x < SCREEN_W; x++) {
            Uint8 r1, g1, b1, r2, g2, b2;
            SDL_GetRGB(at(x, y), game->screen->format, &r1, &g1, &b1);
            SDL_GetRGB(pixelAt(shot, x, y), shot->format, &r2, &g2, &b2);
            wrong += r1 != r2 || g1 != g2 || b1 != b2;
        }
    }
    EXPECT_EQ(wrong, 0);
    Uint8 r, g, b;
    SDL_GetRGB(pixelAt(shot, 320, 405), shot->format, &r, &g, &b);
    EXPECT_EQ(r, 255) << "the red strip is in the picture";
    EXPECT_EQ(g, 0);
    SDL_FreeSurface(shot);
}

TEST_F(MessageBox, UnwritableScreenshotIsSkippedAndTheWaitGoesOn) {
    start();
    ASSERT_EQ(mkdir("screenshot.bmp", 0755), 0); // a folder in the file's place
    pushKeyDown(SDLK_F4);
    pushKeyDown(SDLK_a);
    EXPECT_EQ(show(), "Screenshot\n");
    EXPECT_EQ(pendingEvents(), 0);
}

} // namespace
