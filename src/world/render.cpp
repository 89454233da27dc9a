// World rendering: the roaming frame (not yet built).
#include "core/game.h"

void CGame::Roam_DrawEverything() {}
void CGame::paintTiles() {}
void CGame::drawSprite(int, int, SDL_Rect*) {}
void CGame::drawItemsPotionsKeys() {}
