// The modal message box: one line in a coloured strip, held until a key.
#include "core/game.h"

// The strip across the screen, above the fight's action bar; red for alerts.
static const int BOX_Y = 380;
static const int BOX_H = 30;
static const Colour ALERT_RED = {255, 0, 0};
// The line, a little left of the strip's top.
static const int TEXT_X = 10;
static const int TEXT_Y = 378;

void CGame::displayFightConsoleMessage(const char* text, bool alert) {
    if (alert)
        fillRect(0, BOX_Y, SCREEN_W, BOX_H, ALERT_RED);
    else
        fillRect(0, BOX_Y, SCREEN_W, BOX_H, MESSAGE_BLUE);
    drawText(text, TEXT_X, TEXT_Y, WHITE);
    SDL_Flip(screen);
    SDL_Event record;
    waitForKey(&record);
}
