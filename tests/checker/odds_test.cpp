// Fight odds: the game's duel played with its own numbers.
#include "tiny.h"

namespace {

TEST(HeroAfter, LevelsComeWithEveryThirdPointOfExperience) {
    struct {
        int victories, maxHp, maxMp;
    } cases[] = {{0, 60, 50}, {1, 60, 50}, {2, 85, 60}, {4, 85, 60}, {5, 110, 70}, {8, 135, 80}};
    for (const auto& c : cases) {
        Hero hero = heroAfter(c.victories);
        EXPECT_EQ(hero.maxHp, c.maxHp) << c.victories << " victories";
        EXPECT_EQ(hero.maxMp, c.maxMp) << c.victories << " victories";
        EXPECT_EQ(hero.weaponMod, 1);
        EXPECT_EQ(hero.armour, 1);
        EXPECT_EQ(hero.healPotions, 2);
    }
}

TEST(WinChance, AnEnemyWithoutHitPointsIsAlwaysBeaten) {
    EXPECT_EQ(winChance(heroAfter(0), 0), 1.0);
    EXPECT_EQ(winChance(heroAfter(0), -5), 1.0);
}

TEST(WinChance, ArmourOf19CannotBeHit) {
    Hero hero = heroAfter(0);
    hero.armour = 19;
    hero.maxMp = 0; // no magic, no revival: the blade alone
    EXPECT_EQ(winChance(hero, 999), 1.0);
}

TEST(WinChance, FallsAsTheEnemyGrowsAndRisesWithGear) {
    Hero hero = heroAfter(0);
    double weak = winChance(hero, 20), strong = winChance(hero, 200), titan = winChance(hero, 999);
    EXPECT_GT(weak, 0.95);
    EXPECT_LT(strong, weak);
    EXPECT_LT(titan, 0.1);
    Hero armoured = hero;
    armoured.armour = 12;
    armoured.weaponMod = 15;
    EXPECT_GT(winChance(armoured, 200), strong);
}

TEST(BestWinChance, BuysOnlyTheKitTheStartGoldPays) {
    std::vector<PlacedItem> shop(3);
    shop[0].item.price = 60000;
    shop[0].item.weaponMod = 15;
    shop[1].item.price = 50000;
    shop[1].item.armourClass = 19;
    shop[2].item.price = 400;
    shop[2].item.weaponMod = 18;
    shop[2].item.isHealingPotion = 1; // a potion, whatever else it says
    Hero kit;
    double chance = bestWinChance(shop, heroAfter(0), 999, &kit);
    EXPECT_EQ(chance, 1.0);
    EXPECT_EQ(kit.armour, 19);
    EXPECT_EQ(kit.weaponMod, 1); // the blade would overspend the gold
    shop[1].item.price = START_GOLD + 1;
    EXPECT_LT(bestWinChance(shop, heroAfter(0), 999, &kit), 0.5);
    bestWinChance(shop, heroAfter(0), 250, &kit);
    EXPECT_EQ(kit.weaponMod, 15);
    EXPECT_EQ(kit.armour, 1);
}

} // namespace
