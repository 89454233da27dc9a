// The test harness: a game object built in its own data tree, pushed events,
// held keys, screen pixels and captured output.
#pragma once

#include <memory>
#include <string>

#include <SDL.h>
#include <gtest/gtest.h>

#include "core/game.h"
#include "support/datatree.h"

// Events, as the player would make them.
void pushKeyDown(SDLKey key);
void pushKeyUp(SDLKey key);
void pushQuit();
void pushMouseClick(int x, int y);
// Held keys: written into SDL's key state array, which keeps them.
void holdKey(SDLKey key, bool held = true);
void releaseAllKeys();
// Empties SDL's event queue.
void drainEvents();
// Number of events waiting in SDL's queue.
int pendingEvents();

// The screen pixel at (x, y), and a colour in the screen's format.
Uint32 pixelAt(SDL_Surface* surface, int x, int y);
Uint32 mapped(SDL_Surface* surface, Uint8 r, Uint8 g, Uint8 b);
Uint32 mapped(SDL_Surface* surface, Rgb colour);

// Standard output captured around a piece of code.
void startCapture();
std::string stopCapture();
// Splits captured output into its lines (without their line feeds).
std::vector<std::string> linesOf(const std::string& text);

// A test with a fresh data tree; start() builds the game object in it.
class GameTest : public ::testing::Test {
  protected:
    DataTree tree;
    std::unique_ptr<CGame> game;

    void SetUp() override;
    void TearDown() override;
    // Builds the game (after the test has written its data files), with its
    // start-up output swallowed.
    void start();
    // Screen pixel helpers on the game's screen.
    Uint32 at(int x, int y) { return pixelAt(game->screen, x, y); }
    Uint32 rgb(Uint8 r, Uint8 g, Uint8 b) { return mapped(game->screen, r, g, b); }
    Uint32 colourOf(const std::string& image) {
        return mapped(game->screen, DataTree::colourOf(image));
    }
};
