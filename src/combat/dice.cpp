// The two dice formulas of a fight. Every roll is rand() % 20, drawn in a
// fixed order so that a seeded game replays the same fight.
#include <cstdlib>

#include "core/game.h"

int calculateDamage(int base) { return rand() % 20 + base; }

bool hitSuccess(int attack, int defence) {
    // The attacker's die is drawn first; equal totals miss.
    int attackRoll = rand() % 20 + attack;
    int defenceRoll = defence + rand() % 20;
    return attackRoll > defenceRoll;
}
