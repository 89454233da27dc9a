// The modal message box: one line in a coloured strip, held until a key.
#include "core/game.h"

void CGame::displayFightConsoleMessage(const char* text, bool alert) {
    if (alert)
        fillRect(0, 380, SCREEN_W, 30, 255, 0, 0);
    else
        fillRect(0, 380, SCREEN_W, 30, 0, 0, 200);
    drawText(text, 10, 378, 255, 255, 255);
    SDL_Flip(screen);
    SDL_Event record;
    waitForKey(&record);
}
