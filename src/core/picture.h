// Loading one picture of the game's data tree (core/picture.cpp).
#pragma once

#include <SDL.h>

// The largest picture the game accepts, in pixels along either side: far more
// than a 640 x 480 screen can show.
const int PICTURE_MAX_SIDE = 4096;

// Loads the picture at `path` with the decoder its name gives: a ".png" file
// as PNG, a ".jpg" file as JPEG. Returns NULL, as for a missing file, when it
// cannot be opened, is not a regular file, holds anything else than its type
// says, or is larger than PICTURE_MAX_SIDE on a side.
SDL_Surface* loadPicture(const char* path);
