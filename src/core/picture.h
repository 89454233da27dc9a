// Loading one picture of the game's data tree, and decoding a list of them
// ahead on a worker thread (core/picture.cpp).
#pragma once

#include <string>
#include <vector>

#include <SDL.h>

// The largest picture the game accepts, in pixels along either side: far more
// than a 640 x 480 screen can show.
const int PICTURE_MAX_SIDE = 4096;

// Loads the picture at `path` with the decoder its name gives: a ".png" file
// as PNG, a ".jpg" file as JPEG. Returns NULL, as for a missing file, when it
// cannot be opened, is not a regular file, holds anything else than its type
// says, or is larger than PICTURE_MAX_SIDE on a side.
SDL_Surface* loadPicture(const char* path);

// Pictures decoded ahead by loadPicture on a worker thread, in the list's
// order, while the caller goes on with something else (the game sets its
// video mode meanwhile). Only plain decoding happens there: whatever needs
// the screen is done by the caller once it has the picture.
struct PicturesAhead {
    std::vector<std::string> paths;
    std::vector<SDL_Surface*> pictures; // what the worker decoded, NULL when nothing
    std::vector<bool> taken;            // handed over already
    SDL_Thread* worker = NULL;
};
// Starts decoding `paths`; when no thread can be started, nothing is decoded
// ahead and every picture is decoded when it is taken.
void decodeAhead(PicturesAhead& ahead, const std::vector<std::string>& paths);
// Waits for the worker, then hands over the picture decoded for the first
// entry of `path` not yet taken. A path not in the list (or taken as often as
// it is listed) is decoded there and then: either way the picture is the one
// loadPicture(path) gives, and the caller owns it.
SDL_Surface* takePicture(PicturesAhead& ahead, const char* path);
// Waits for the worker and frees every picture never handed over.
void dropPicturesAhead(PicturesAhead& ahead);
