// The shop screen (not yet built).
#include "core/game.h"

void CGame::shopKeeping() {}
void CGame::printItemInfo(const std::string&, int) {}
