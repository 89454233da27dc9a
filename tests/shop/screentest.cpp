// The flip counter, the screen fixture and the goods of the screen tests.
// The test binary's own SDL_Flip stands in front of SDL's (the game's library
// is linked into the test program, so its calls bind here), shows the frame
// through the real one and then plays the script.
#include "screentest.h"

#include <dlfcn.h>

namespace {
std::vector<std::vector<SDLKey>> script;
size_t nextBatch = 0;
int flips = 0;
int safetyEscapes = 0;
// No safety Escapes after this many frames (a screen ignoring them hangs).
const int safetyFlipLimit = 1000;
std::function<void(int, SDL_Surface*)> flipWatcher;
} // namespace

void keysOnFlips(const std::vector<std::vector<SDLKey>>& batches) {
    script = batches;
    nextBatch = 0;
    flips = 0;
    safetyEscapes = 0;
}

void endScript() {
    // A screen that leaves after its last frame got an Escape it never took.
    if (safetyEscapes > 0)
        drainEvents();
    safetyEscapes = 0;
}

void onEveryFlip(std::function<void(int, SDL_Surface*)> watcher) {
    flipWatcher = watcher;
}

int flipsSeen() {
    return flips;
}

int batchesLeft() {
    return (int)(script.size() - nextBatch);
}

void resetFlips() {
    script.clear();
    nextBatch = 0;
    flips = 0;
    safetyEscapes = 0;
    flipWatcher = nullptr;
}

extern "C" int SDL_Flip(SDL_Surface* screen) {
    typedef int (*FlipFunction)(SDL_Surface*);
    static FlipFunction realFlip = (FlipFunction)dlsym(RTLD_NEXT, "SDL_Flip");
    int result = realFlip ? realFlip(screen) : 0;
    if (flipWatcher)
        flipWatcher(flips, screen);
    flips++;
    if (nextBatch < script.size()) {
        for (SDLKey key : script[nextBatch])
            pushKeyDown(key);
        nextBatch++;
    } else if (!script.empty() && flips < safetyFlipLimit) {
        // A screen still waiting after the whole script gets Escape, which
        // closes every one of them: a broken screen fails its test's checks
        // instead of hanging until the test is killed.
        pushKeyDown(SDLK_ESCAPE);
        safetyEscapes++;
    }
    return result;
}

std::string goodRecord(const std::string& name, int price, int icon, int weaponMod, int armour) {
    std::string text = std::to_string(price) + "\n" + std::to_string(icon) + "\n" +
                       std::to_string(weaponMod) + "\n" + name + "\n";
    for (int flag = 0; flag < 11; flag++)
        text += "0\n";
    return text + std::to_string(armour) + "\n";
}

void ScreenTest::TearDown() {
    resetFlips();
    GameTest::TearDown();
}

std::string ScreenTest::play(const std::vector<std::vector<SDLKey>>& batches,
                             const std::function<void()>& screen) {
    keysOnFlips(batches);
    startCapture();
    screen();
    std::string out = stopCapture();
    endScript();
    EXPECT_EQ(batchesLeft(), 0) << "the screen left before taking every key";
    return out;
}

Uint32 ScreenTest::itemIcon(int icon) {
    return colourOf("data/gfx/items/" + std::to_string(icon) + ".png");
}

bool ScreenTest::whiteIn(int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++)
            if (at(x, y) == rgb(255, 255, 255))
                return true;
    return false;
}
