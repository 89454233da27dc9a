// The row of the nine-row scrolling lists the shop screen and the character
// menu draw: a highlight bar behind the chosen row, the row's icon, its label.
#include "core/game.h"

// The highlight bar; rows are LIST_ROW_STEP apart, one pixel less than it.
static const int ROW_BAR_W = 300;
static const int ROW_BAR_H = 50;
// The label starts right after the icon.
static const int ROW_ICON_W = 48;

int CGame::drawListRow(int x, int y, SDL_Surface* icon, const std::string& label,
                       bool highlighted) {
    if (highlighted)
        fillRect(x, y, ROW_BAR_W, ROW_BAR_H, HIGHLIGHT_RED);
    drawImage(icon, x, y);
    return drawText(label, x + ROW_ICON_W, y, WHITE);
}
