// The colours several screens share, each named once. A colour only one
// screen uses is named at the top of that screen's file.
#pragma once

#include <SDL.h>

struct Colour {
    Uint8 r, g, b;
};

// Every text of the game.
const Colour WHITE = {255, 255, 255};
// Behind the fight's scene and the HUD's bars.
const Colour BLACK = {0, 0, 0};
// The message box and the conversation bar.
const Colour MESSAGE_BLUE = {0, 0, 200};
// The highlight of the shop's list and the character menu's selection bar.
const Colour HIGHLIGHT_RED = {100, 0, 0};
