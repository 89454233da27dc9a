// The magic menu and the Rapture (not yet built).
#include "core/game.h"

void CGame::Fight_magicMenu() {}
void CGame::theRapture() {}
