// The game's entry function, called once by the platform's launcher.
#pragma once

extern "C" int SDL_main(int argc, char** argv);

// Asks sdl12-compat, before SDL starts, to show each frame at the display's
// vertical refresh and to scale the 640 x 480 picture to the display without
// blurring it, and SDL for its software renderer on a plain window
// framebuffer. A value the user has set himself is kept.
void setPresentingDefaults();

// Makes a write past the process's file-size limit fail with an error, as on
// a full disk, instead of the limit's signal ending the game.
void ignoreFileSizeLimitSignal();
