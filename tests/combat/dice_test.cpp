// The fight's dice: whose die is drawn first, the strict comparison, the
// damage's base and totals that cannot wrap.
#include <climits>

#include "fight_fixture.h"

namespace {

class DiceTest : public FightFixture {};

TEST_F(DiceTest, TheAttackersDieIsDrawnFirstTiesMissAndDamageStartsAtItsBase) {
    unsigned seed = seedSoThat([] { return rand() % 20 == 12 && rand() % 20 == 4; });
    EXPECT_TRUE(hitSuccess(0, 7)) << "12 against 7 + 4 hits";
    srand(seed);
    EXPECT_FALSE(hitSuccess(0, 8)) << "12 against 8 + 4 is a tie, which misses"; // 12 against 8 + 4
    srand(seed);
    EXPECT_EQ(calculateDamage(30), 30 + 12) << "damage is the base plus the die";
    srand(seed);
    EXPECT_TRUE(hitSuccess(INT_MAX, 0)) << "the totals must not wrap";
}

} // namespace
