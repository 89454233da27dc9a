// The screenshot file: the whole screen as a BMP, replacing the last one only
// once the new one is written whole.
#include "core/game.h"
#include "core/replacement.h"

void CGame::saveScreenshot() {
    FileReplacement out("screenshot.bmp");
    SDL_RWops* stream = out.file ? SDL_RWFromFP(out.file, 0) : NULL;
    bool saved = stream && SDL_SaveBMP_RW(screen, stream, 0) == 0;
    if (stream)
        SDL_RWclose(stream);
    out.commit(saved);
}
