// The test harness shared by every test binary.
#include "support/harness.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <iostream>
#include <sstream>

#include <SDL_ttf.h>

namespace {
bool scriptArmed = false;
std::vector<SDLKey> scriptedKeys;
size_t nextKey = 0;
std::vector<SDL_Surface*> seenScreens;
std::vector<Uint32> delays;

void freeShots() {
    for (SDL_Surface* shot : seenScreens)
        SDL_FreeSurface(shot);
    seenScreens.clear();
}

// A death test's check reads how far the script got from standard error; the
// kept screens go before the leak check of a process that the game ended.
void reportWaits() {
    if (scriptArmed)
        fprintf(stderr, "scripted waits: %zu\n", nextKey);
    freeShots();
}

} // namespace

void scriptKeys(const std::vector<SDLKey>& keys) {
    static int reporting = atexit(reportWaits);
    (void)reporting;
    freeShots();
    delays.clear();
    scriptedKeys = keys;
    nextKey = 0;
    scriptArmed = true;
}

const std::vector<SDL_Surface*>& shots() {
    return seenScreens;
}

size_t endScript() {
    scriptArmed = false;
    return scriptedKeys.size() - nextKey;
}

const std::vector<Uint32>& delaysAsked() {
    return delays;
}

extern "C" int SDL_PollEvent(SDL_Event* event) {
    typedef int (*PollFunction)(SDL_Event*);
    static PollFunction sdlPollEvent = (PollFunction)dlsym(RTLD_NEXT, "SDL_PollEvent");
    if (!scriptArmed || event != NULL || sdlPollEvent(NULL))
        return sdlPollEvent(event);
    if (nextKey >= scriptedKeys.size()) {
        fprintf(stderr, "The game waits for key %zu, which the script lacks.\n", nextKey + 1);
        abort();
    }
    SDL_Surface* screen = SDL_GetVideoSurface();
    seenScreens.push_back(SDL_ConvertSurface(screen, screen->format, SDL_SWSURFACE));
    pushKeyDown(scriptedKeys[nextKey++]);
    return 1;
}

// While a script runs, pauses are asked for but cost nothing; outside one
// they are real.
extern "C" void SDL_Delay(Uint32 ms) {
    typedef void (*DelayFunction)(Uint32);
    static DelayFunction sdlDelay = (DelayFunction)dlsym(RTLD_NEXT, "SDL_Delay");
    if (delays.size() < 4096)
        delays.push_back(ms);
    if (!scriptArmed)
        sdlDelay(ms);
}

bool showsText(CGame* game, SDL_Surface* surface, const std::string& text, int x, int y,
               Rgb colour) {
    SDL_Color white = {255, 255, 255, 0};
    SDL_Surface* glyphs = TTF_RenderText_Solid(game->font, text.c_str(), white);
    if (!glyphs)
        return false;
    Uint32 ink = mapped(surface, colour);
    bool same = true;
    for (int gy = 0; gy < glyphs->h && same; gy++) {
        for (int gx = 0; gx < glyphs->w && same; gx++) {
            int sx = x + gx;
            int sy = y + gy;
            if (sx < 0 || sy < 0 || sx >= surface->w || sy >= surface->h)
                continue;
            // Solid text is an 8-bit picture: index 0 is the see-through background.
            bool glyph = ((Uint8*)glyphs->pixels)[gy * glyphs->pitch + gx] != 0;
            same = (pixelAt(surface, sx, sy) == ink) == glyph;
        }
    }
    SDL_FreeSurface(glyphs);
    return same;
}

bool boxSays(CGame* game, SDL_Surface* surface, const std::string& text, bool alert) {
    Uint32 strip = alert ? mapped(surface, {255, 0, 0}) : mapped(surface, {0, 0, 200});
    return pixelAt(surface, 5, 381) == strip && pixelAt(surface, 635, 408) == strip &&
           showsText(game, surface, text, 10, 378);
}

static void pushKey(Uint8 type, SDLKey key) {
    SDL_Event event = {};
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

void pushKeyDown(SDLKey key) {
    pushKey(SDL_KEYDOWN, key);
}

void pushKeyUp(SDLKey key) {
    pushKey(SDL_KEYUP, key);
}

void pushQuit() {
    SDL_Event event = {SDL_QUIT};
    SDL_PushEvent(&event);
}

void pushMouseClick(int x, int y) {
    SDL_Event event = {};
    event.button = {SDL_MOUSEBUTTONDOWN, 0, SDL_BUTTON_LEFT, SDL_PRESSED, (Uint16)x, (Uint16)y};
    SDL_PushEvent(&event);
}

void holdKey(SDLKey key, bool held) {
    SDL_GetKeyState(NULL)[key] = held ? 1 : 0;
}

void releaseAllKeys() {
    int count = 0;
    Uint8* keys = SDL_GetKeyState(&count);
    memset(keys, 0, (size_t)count);
}

void drainEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
}

int pendingEvents() {
    SDL_PumpEvents();
    SDL_Event events[256];
    return SDL_PeepEvents(events, 256, SDL_PEEKEVENT, SDL_ALLEVENTS);
}

Uint32 pixelAt(SDL_Surface* surface, int x, int y) {
    SDL_LockSurface(surface);
    Uint32 value = 0; // little-endian: the low bytes of the pixel
    memcpy(&value,
           (Uint8*)surface->pixels + y * surface->pitch + x * surface->format->BytesPerPixel,
           surface->format->BytesPerPixel);
    SDL_UnlockSurface(surface);
    return value;
}

Uint32 mapped(SDL_Surface* surface, Rgb colour) {
    return SDL_MapRGB(surface->format, colour.r, colour.g, colour.b);
}

void startCapture() {
    fflush(stdout);
    testing::internal::CaptureStdout();
}

std::string stopCapture() {
    fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

Lines linesOf(const std::string& text) {
    Lines lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

void GameTest::SetUp() {
    tree.enter();
}

void GameTest::TearDown() {
    if (typedIn) {
        if (!freopen("/dev/null", "r", stdin))
            perror("freopen");
        std::cin.clear();
        typedIn = false;
    }
    endScript();
    freeShots();
    game.reset();
    drainEvents();
    releaseAllKeys();
}

void GameTest::typeIn(const std::string& input) {
    tree.write("stdin.txt", input);
    typedIn = true;
    ASSERT_TRUE(freopen(tree.path("stdin.txt").c_str(), "r", stdin)) << "the console's input";
    std::cin.clear();
}

void GameTest::start(bool shortcuts) {
    game.reset();
    startCapture();
    game.reset(new CGame(shortcuts));
    stopCapture();
    drainEvents();
    releaseAllKeys();
}
