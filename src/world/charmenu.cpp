// The character menu (not yet built).
#include "core/game.h"

void CGame::characterMenu() {}
