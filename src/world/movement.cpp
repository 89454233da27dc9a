// Collision and doors (not yet built).
#include "core/game.h"

bool CGame::tileCollision(int, int) { return true; }
void CGame::detectAndOpenDoors(int, int) {}
