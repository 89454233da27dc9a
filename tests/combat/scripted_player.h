// A scripted player for the fight's waiting screens. A fight pass reads the
// keys already queued, but a message box or the magic menu blocks until the
// player presses a key: the player here stands in for him. Each time the game
// blocks with an empty queue, the screen is checked against the next step of
// the script (which message box, or which menu lines), kept, and the step's
// key is pressed. An unplanned wait aborts the test instead of hanging it.
#pragma once

#include <string>
#include <vector>

#include <SDL.h>

#include "core/game.h"
#include "support/datatree.h"

// A message box: its text (one "%i" stands for any number) and its colour.
struct Message {
    std::string text;
    bool alert;
};

// One wait of the game, what it must show and the key that answers it.
struct Wait {
    bool isMenu;
    std::vector<Message> boxShows;      // a box showing one of these
    std::vector<std::string> menuLines; // the menu's lines; empty: not checked
    SDLKey key;
};

Wait box(const std::string& text, bool alert, SDLKey key = SDLK_SPACE);
Wait oneOf(const std::vector<Message>& messages, SDLKey key = SDLK_SPACE);
Wait menu(SDLKey key, const std::vector<std::string>& lines = {});
// Any other waiting screen (a conversation): answered, not checked.
Wait press(SDLKey key);

// What the player saw at one wait.
struct Seen {
    std::string text; // the box's text with the number filled in; "" for the menu
    bool alert;
    int number;        // the number that stood for "%i"
    SDL_Surface* shot; // a copy of the whole screen
};

// Arms the script. With `repeatLast` the last step answers every further wait.
void scriptPlayer(CGame* game, const std::vector<Wait>& waits, bool repeatLast = false);
// Lets the armed script end with the process (death tests); otherwise an exit
// in the middle of a script fails the test binary.
void expectProcessEnd();
// Disarms the script and returns what was seen; `problems` receives every
// mismatch and every step left unanswered. The shots live until the next
// script or endScript().
std::vector<Seen> scriptResult(std::vector<std::string>* problems);
// Disarms the script and frees the shots.
void endScript();

// True when `text`, rendered with the game's font, is what the surface shows
// in its box at (x, y): the colour exactly where the glyphs are.
bool showsLine(CGame* game, SDL_Surface* surface, const std::string& text, int x, int y,
               Rgb colour = Rgb{255, 255, 255});
