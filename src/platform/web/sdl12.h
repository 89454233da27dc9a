// Emscripten's SDL headers are of a later SDL than the 1.2 they serve; its
// JavaScript library still has this 1.2 call, which the headers left out.
// The web build includes this file ahead of every source file.
#pragma once

#include <SDL.h>

extern "C" Uint8* SDL_GetKeyState(int* numkeys);
