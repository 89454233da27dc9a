// Patterned pictures for the tests that compare whole frames pixel for pixel:
// every pixel differs from its neighbours, and the alpha channel runs through
// transparent, every translucent step and opaque, so that any change in how a
// picture is converted, blended, clipped or placed shows somewhere. And a
// comparison of two screens that names the first differing pixel.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include <SDL.h>
#include <stb/stb_image_write.h>

#include "support/datatree.h"

// How a patterned picture's alpha runs.
enum PatternAlpha {
    PATTERN_OPAQUE,      // no alpha channel at all (a 3-channel PNG)
    PATTERN_FULL_ALPHA,  // an alpha channel, every pixel 255
    PATTERN_GRADED_ALPHA // transparent border, then alpha rising through 0..255
};

// Writes a w x h PNG at `relative` in the tree; `seed` varies the colours.
inline void writePatterned(const DataTree& tree, const std::string& relative, int w, int h,
                           int seed, PatternAlpha alpha) {
    tree.writeImage(relative, 1, 1); // creates the folders
    int channels = alpha == PATTERN_OPAQUE ? 3 : 4;
    std::vector<unsigned char> pixels((size_t)w * h * channels);
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            unsigned char* p = &pixels[((size_t)y * w + x) * channels];
            p[0] = (unsigned char)(x * 7 + y * 3 + seed * 41);
            p[1] = (unsigned char)(x * 3 + y * 11 + seed * 13);
            p[2] = (unsigned char)(x * y + seed * 97);
            if (channels == 4) {
                bool border = x < 4 || y < 4 || x >= w - 4 || y >= h - 4;
                p[3] = alpha == PATTERN_FULL_ALPHA ? 255
                       : border                    ? 0
                                : (unsigned char)((x * 13 + y * 29 + seed) % 256);
            }
        }
    }
    DataTree::writePicture(tree.path(relative), w, h, channels, pixels.data());
}

// A screen-sized snapshot of a surface's pixels (16 bits each).
inline std::vector<Uint16> snapshot(SDL_Surface* screen) {
    std::vector<Uint16> pixels((size_t)screen->w * screen->h);
    SDL_LockSurface(screen);
    for (int y = 0; y < screen->h; y++)
        memcpy(&pixels[(size_t)y * screen->w], (Uint8*)screen->pixels + y * screen->pitch,
               (size_t)screen->w * 2);
    SDL_UnlockSurface(screen);
    return pixels;
}

// Fills the screen with a pattern of its own, standing for whatever the last
// frame left there.
inline void scribble(SDL_Surface* screen) {
    SDL_LockSurface(screen);
    for (int y = 0; y < screen->h; y++) {
        Uint16* row = (Uint16*)((Uint8*)screen->pixels + y * screen->pitch);
        for (int x = 0; x < screen->w; x++)
            row[x] = (Uint16)(x * 31 + y * 17);
    }
    SDL_UnlockSurface(screen);
}

// "" when both snapshots are equal, else where they first differ and how many
// pixels do.
inline std::string differences(const std::vector<Uint16>& expected,
                               const std::vector<Uint16>& actual, int width) {
    size_t count = 0, first = 0;
    for (size_t i = 0; i < expected.size() && i < actual.size(); i++) {
        if (expected[i] != actual[i]) {
            if (count == 0)
                first = i;
            count++;
        }
    }
    if (count == 0 && expected.size() == actual.size())
        return "";
    return std::to_string(count) + " pixels differ, the first at (" +
           std::to_string(first % width) + ", " + std::to_string(first / width) + ")";
}
