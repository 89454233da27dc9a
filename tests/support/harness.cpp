// The test harness shared by every test binary.
#include "support/harness.h"

#include <cstdio>
#include <cstring>
#include <sstream>

void pushKeyDown(SDLKey key) {
    SDL_Event event;
    memset(&event, 0, sizeof event);
    event.type = SDL_KEYDOWN;
    event.key.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

void pushKeyUp(SDLKey key) {
    SDL_Event event;
    memset(&event, 0, sizeof event);
    event.type = SDL_KEYUP;
    event.key.type = SDL_KEYUP;
    event.key.state = SDL_RELEASED;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

void pushQuit() {
    SDL_Event event;
    memset(&event, 0, sizeof event);
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

void pushMouseClick(int x, int y) {
    SDL_Event event;
    memset(&event, 0, sizeof event);
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = SDL_PRESSED;
    event.button.x = (Uint16)x;
    event.button.y = (Uint16)y;
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
    Uint8* row = (Uint8*)surface->pixels + y * surface->pitch;
    Uint32 value = 0;
    switch (surface->format->BytesPerPixel) {
    case 2:
        value = ((Uint16*)row)[x];
        break;
    case 4:
        value = ((Uint32*)row)[x];
        break;
    default:
        memcpy(&value, row + x * surface->format->BytesPerPixel, surface->format->BytesPerPixel);
    }
    SDL_UnlockSurface(surface);
    return value;
}

Uint32 mapped(SDL_Surface* surface, Uint8 r, Uint8 g, Uint8 b) {
    return SDL_MapRGB(surface->format, r, g, b);
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

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
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
    game.reset();
    drainEvents();
    releaseAllKeys();
}

void GameTest::start() {
    startCapture();
    game.reset(new CGame());
    stopCapture();
    drainEvents();
    releaseAllKeys();
}
