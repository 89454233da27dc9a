// The roaming pass and its input (not yet built).
#include "core/game.h"

void CGame::RoamLoop() {}
void CGame::Roam_GetInput() {}
