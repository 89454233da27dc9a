// The test program's SDL_Flip stands in front of SDL's (the game's library is
// linked in, so its calls bind here), shows the frame and plays the script.
#include "screentest.h"

#include <dlfcn.h>

namespace {
std::vector<std::vector<SDLKey>> script;
size_t nextBatch = 0;
int flips = 0;
int safetyEscapes = 0;
std::function<void(int, SDL_Surface*)> flipWatcher;
} // namespace

void onEveryFlip(std::function<void(int, SDL_Surface*)> watcher) {
    flipWatcher = watcher;
}

int flipsSeen() {
    return flips;
}

extern "C" int SDL_Flip(SDL_Surface* screen) {
    typedef int (*FlipFunction)(SDL_Surface*);
    static FlipFunction realFlip = (FlipFunction)dlsym(RTLD_NEXT, "SDL_Flip");
    int result = realFlip ? realFlip(screen) : 0;
    if (flipWatcher)
        flipWatcher(flips, screen);
    flips++;
    if (nextBatch < script.size()) {
        for (SDLKey key : script[nextBatch++])
            pushKeyDown(key);
    } else if (!script.empty() && flips < 1000) {
        // A broken screen fails its checks instead of hanging.
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
    script.clear();
    flipWatcher = nullptr;
    GameTest::TearDown();
}

std::string ScreenTest::play(const std::vector<std::vector<SDLKey>>& batches,
                             const std::function<void()>& screen) {
    script = batches;
    nextBatch = 0;
    flips = 0;
    safetyEscapes = 0;
    startCapture();
    screen();
    std::string out = stopCapture();
    if (safetyEscapes > 0)
        drainEvents(); // the Escape the last frame got and never took
    EXPECT_EQ(nextBatch, script.size()) << "the screen left before taking every key";
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
