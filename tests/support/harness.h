// The test harness: a game object built in its own data tree, pushed events,
// held keys, screen pixels and captured output.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <SDL.h>
#include <gtest/gtest.h>

#include "core/game.h"
#include "support/datatree.h"

// The keys the menus take.
const SDLKey UP = SDLK_UP;
const SDLKey DOWN = SDLK_DOWN;
const SDLKey RETURN = SDLK_RETURN;
const SDLKey ESCAPE = SDLK_ESCAPE;

// Events, as the player would make them.
void pushKeyDown(SDLKey key);
void pushKeyUp(SDLKey key);
void pushQuit();
void pushMouseClick(int x, int y);
// Held keys, kept in SDL's key state array.
void holdKey(SDLKey key, bool held = true);
void releaseAllKeys();
void drainEvents();  // empties SDL's event queue
int pendingEvents(); // events waiting in SDL's queue

// The scripted player, the one way tests answer the game's waiting screens.
// Every wait looks at the queue with SDL_PollEvent(NULL) (CGame::waitForEvent);
// when it finds the queue empty, a copy of the screen is kept and the script's
// next key is pressed. A wait the script has no key for aborts the test.
void scriptKeys(const std::vector<SDLKey>& keys);
// The screens seen at the waits so far, in order (freed by the next script).
const std::vector<SDL_Surface*>& shots();
// Keys of the script not yet pressed; ends the script.
size_t endScript();
// The pauses asked of SDL_Delay since the last script, in milliseconds; while
// a script runs they return at once.
const std::vector<Uint32>& delaysAsked();

// Whether `text` in the game's font is drawn in `colour` at (x, y): that colour
// exactly where the glyphs are and nowhere else in their box.
bool showsText(CGame* game, SDL_Surface* surface, const std::string& text, int x, int y,
               Rgb colour = Rgb{255, 255, 255});
// Whether the surface shows the message box with `text`: red for an alert, else blue.
bool boxSays(CGame* game, SDL_Surface* surface, const std::string& text, bool alert);

// The screen pixel at (x, y), and a colour in the screen's format.
Uint32 pixelAt(SDL_Surface* surface, int x, int y);
Uint32 mapped(SDL_Surface* surface, Rgb colour);

// Standard output captured around a piece of code, and split into its lines.
typedef std::vector<std::string> Lines;
void startCapture();
std::string stopCapture();
Lines linesOf(const std::string& text);

// A test with a fresh data tree; start() builds the game object in it.
class GameTest : public ::testing::Test {
  protected:
    DataTree tree;
    std::unique_ptr<CGame> game;

    void SetUp() override;
    void TearDown() override;
    // Builds the game (after the test has written its data files), its
    // start-up output swallowed; a game built before is ended first.
    void start(bool shortcuts = true);
    // Makes `input` the whole of standard input, where the developer console
    // reads; after the test, standard input is empty again.
    void typeIn(const std::string& input);
    bool typedIn = false;
    Uint32 at(int x, int y) { return pixelAt(game->screen, x, y); }
    Uint32 rgb(Uint8 r, Uint8 g, Uint8 b) { return mapped(game->screen, {r, g, b}); }
    Uint32 colourOf(const std::string& image) {
        return mapped(game->screen, DataTree::colourOf(image));
    }
    // Covers the screen in a colour none of the drawings use.
    void paintScreen() { game->fillRect(0, 0, SCREEN_W, SCREEN_H, 10, 20, 30); }
    Uint32 painted() { return rgb(10, 20, 30); }
    // Pixels of the rectangle (inclusive corners) that have `colour`.
    int count(int x0, int y0, int x1, int y1, Uint32 colour) {
        int n = 0;
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++)
                n += at(x, y) == colour;
        return n;
    }
    // Whether any pixel of [x0, x1) x [y0, y1) has `colour`.
    bool anyIn(int x0, int y0, int x1, int y1, Uint32 colour) {
        return count(x0, y0, x1 - 1, y1 - 1, colour) > 0;
    }
    // An NPC placed by hand, facing down.
    NPC* addNpc(int x, int y, int character = 1, int hostile = 0,
                const std::string& name = "Mr. Spunky") {
        NPC* npc = new NPC();
        npc->posX = x;
        npc->posY = y;
        npc->character = character;
        npc->hostile = hostile;
        npc->name = name;
        npc->heading = 2;
        game->npcs.push_back(npc);
        return npc;
    }
};
