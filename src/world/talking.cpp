// Talking to the NPCs around the player (not yet built).
#include "core/game.h"

void CGame::Roam_CheckNPCConvo(int, int) {}
