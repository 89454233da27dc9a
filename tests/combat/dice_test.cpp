// The fight's dice: whose die is drawn first, the strict comparison, the
// sure-hit bounds and the damage range.
#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>

#include "core/game.h"

namespace {

unsigned seedWithDice(const std::function<bool(int, int)>& wanted) {
    for (unsigned seed = 1; seed < 100000; seed++) {
        srand(seed);
        int first = rand() % 20;
        if (wanted(first, rand() % 20))
            return seed;
    }
    ADD_FAILURE() << "no seed gives such dice";
    return 1;
}

TEST(Dice, TheAttackersDieIsDrawnFirstAndTiesMiss) {
    unsigned seed = seedWithDice([](int a, int b) { return a == 12 && b == 4; });
    srand(seed);
    EXPECT_TRUE(hitSuccess(0, 7));
    srand(seed);
    EXPECT_FALSE(hitSuccess(0, 8)); // 12 against 8 + 4
}

TEST(Dice, AWeaponOf18AlwaysHitsAndArmourOf19IsNeverHit) {
    // The player's attack value is weaponMod + 2.
    bool weapon17Missed = false, armour18Hit = false;
    for (unsigned seed = 1; seed <= 3000; seed++) {
        srand(seed);
        EXPECT_TRUE(hitSuccess(18 + 2, 0)) << seed;
        srand(seed);
        EXPECT_FALSE(hitSuccess(0, 19)) << seed;
        srand(seed);
        weapon17Missed |= !hitSuccess(17 + 2, 0);
        srand(seed);
        armour18Hit |= hitSuccess(0, 18);
    }
    EXPECT_TRUE(weapon17Missed);
    EXPECT_TRUE(armour18Hit);
}

TEST(Dice, DamageRangesOverTwentyValuesFromItsBase) {
    for (int base : {0, 30}) {
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
