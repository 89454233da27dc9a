// The two dice formulas of a fight. Every roll is rand() % DIE_SIDES, drawn in a
// fixed order so that a seeded game replays the same fight.
#include <cstdlib>

#include "core/game.h"

int calculateDamage(int base) {
    return rand() % DIE_SIDES + base;
}

bool hitSuccess(int attack, int defence) {
    // The attacker's die is drawn first; equal totals miss. The totals are
    // summed wide so that no modifier, however large, wraps around.
    long long attackRoll = rand() % DIE_SIDES + (long long)attack;
    long long defenceRoll = defence + (long long)(rand() % DIE_SIDES);
    return attackRoll > defenceRoll;
}
