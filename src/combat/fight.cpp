// The fight pass (not yet built).
#include "core/game.h"

void CGame::FightLoop() {}
