// Fuzzes the game's picture loader: any bytes as a picture of the data tree,
// under the name FUZZ_PICTURE ("picture.png" or "picture.jpg").
// Whatever the bytes, the loader gives a picture no larger than the game
// accepts, or nothing.
#include <cstdlib>

#include "core/picture.h"
#include "input_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SDL_Surface* picture = loadPicture(writeInput(FUZZ_PICTURE, data, size).c_str());
    if (!picture)
        return 0;
    if (picture->w > PICTURE_MAX_SIDE || picture->h > PICTURE_MAX_SIDE)
        abort();
    SDL_FreeSurface(picture);
    return 0;
}
