// The developer console (not yet built).
#include "core/game.h"

void CGame::ConsoleLoop() {}
