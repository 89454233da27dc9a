// A scripted player for the fight's waiting screens: each time the game
// blocks with an empty queue, the screen is checked against the script's next
// step, kept, and the step's key pressed. An unplanned wait aborts the test.
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

void scriptPlayer(CGame* game, const std::vector<Wait>& waits);
// Lets the armed script end with the process (death tests); any other exit
// in the middle of a script fails the test binary.
void expectProcessEnd();
// Disarms the script and returns what was seen (shots live until the next
// script or endScript()); `problems` receives every mismatch.
std::vector<Seen> scriptResult(std::vector<std::string>* problems);
void endScript();

// True when the surface shows `text` in the game's font at (x, y): the colour
// exactly where the glyphs are.
bool showsLine(CGame* game, SDL_Surface* surface, const std::string& text, int x, int y,
               Rgb colour = Rgb{255, 255, 255});
