// The screenshot file: the whole screen as a BMP, replacing the last one.
#include "core/game.h"

void CGame::saveScreenshot() {
    SDL_RWops* out = SDL_RWFromFile("screenshot.bmp", "wb");
    if (!out)
        return; // not writable: skipped without a word
    SDL_SaveBMP_RW(screen, out, 1);
}
