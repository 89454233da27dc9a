// The presentation tests' fixture.
#include "ui/ui.h"

std::vector<bool> UiTest::textMask(const std::string& text, int x, int y) {
    std::vector<bool> mask(SCREEN_W * SCREEN_H, false);
    SDL_Color white = {255, 255, 255, 0};
    SDL_Surface* rendered = TTF_RenderText_Solid(game->font, text.c_str(), white);
    if (!rendered)
        return mask;
    // Solid text is an 8-bit picture: index 0 is the see-through background.
    SDL_LockSurface(rendered);
    for (int j = 0; j < rendered->h; j++) {
        for (int i = 0; i < rendered->w; i++) {
            Uint8 index = ((Uint8*)rendered->pixels)[j * rendered->pitch + i];
            int sx = x + i, sy = y + j;
            if (index != 0 && sx >= 0 && sy >= 0 && sx < SCREEN_W && sy < SCREEN_H)
                mask[sy * SCREEN_W + sx] = true;
        }
    }
    SDL_UnlockSurface(rendered);
    SDL_FreeSurface(rendered);
    return mask;
}

int UiTest::count(int x0, int y0, int x1, int y1, Uint32 colour) {
    int n = 0;
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++)
            n += at(x, y) == colour;
    return n;
}

int UiTest::mismatches(const std::vector<bool>& mask, Uint32 colour, int* covered) {
    int wrong = 0, n = 0;
    for (int y = 0; y < SCREEN_H; y++) {
        for (int x = 0; x < SCREEN_W; x++) {
            if (!mask[y * SCREEN_W + x])
                continue;
            n++;
            wrong += at(x, y) != colour;
        }
    }
    if (covered)
        *covered = n;
    return wrong;
}
