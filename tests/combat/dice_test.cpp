// The dice of a fight, checked against the rolls of seeded games: which die
// is whose, the strict comparison, the bounds and the damage range.
#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>

#include "core/game.h"

namespace {

// The first seed whose first two dice satisfy `wanted`.
unsigned seedWithDice(const std::function<bool(int, int)>& wanted) {
    for (unsigned seed = 1; seed < 100000; seed++) {
        srand(seed);
        int first = rand() % 20;
        int second = rand() % 20;
        if (wanted(first, second))
            return seed;
    }
    ADD_FAILURE() << "no seed gives such dice";
    return 1;
}

TEST(Dice, EqualTotalsMiss) {
    srand(seedWithDice([](int a, int b) { return a == 3 && b == 3; }));
    EXPECT_FALSE(hitSuccess(5, 5));
    srand(seedWithDice([](int a, int b) { return a == 4 && b == 3; }));
    EXPECT_TRUE(hitSuccess(5, 5));
}

TEST(Dice, TheAttackersDieIsDrawnFirst) {
    // Dice 12 then 4: the attacker's 12 beats a defence of 7 plus the 4, and
    // ties with 8 plus the 4. Were the defender's die drawn first, both would
    // lose.
    unsigned seed = seedWithDice([](int a, int b) { return a == 12 && b == 4; });
    srand(seed);
    EXPECT_TRUE(hitSuccess(0, 7));
    srand(seed);
    EXPECT_FALSE(hitSuccess(0, 8));
}

TEST(Dice, AWeaponOf18AlwaysHitsAndArmourOf19IsNeverHit) {
    // The player's attack value is weaponMod + 2; the enemy attacks with 0.
    bool weapon17Missed = false, armour18Hit = false;
    for (unsigned seed = 1; seed <= 3000; seed++) {
        srand(seed);
        EXPECT_TRUE(hitSuccess(18 + 2, 0)) << "seed " << seed;
        srand(seed);
        EXPECT_FALSE(hitSuccess(0, 19)) << "seed " << seed;
        srand(seed);
        weapon17Missed |= !hitSuccess(17 + 2, 0);
        srand(seed);
        armour18Hit |= hitSuccess(0, 18);
    }
    // The bounds are tight: one point less and the dice can go either way.
    EXPECT_TRUE(weapon17Missed);
    EXPECT_TRUE(armour18Hit);
}

TEST(Dice, HugeModifiersDoNotWrapAround) {
    srand(1);
    EXPECT_TRUE(hitSuccess(2147483647, 0));
    srand(1);
    EXPECT_FALSE(hitSuccess(0, 2147483647));
}

TEST(Dice, DamageRangesOverTwentyValuesFromItsBase) {
    for (int base : {0, 1, 10, 30}) {
        int lowest = 1000, highest = -1000;
        for (unsigned seed = 1; seed <= 2000; seed++) {
            srand(seed);
            int damage = calculateDamage(base);
            lowest = std::min(lowest, damage);
            highest = std::max(highest, damage);
        }
        EXPECT_EQ(lowest, base);
        EXPECT_EQ(highest, base + 19);
    }
}

} // namespace
