// Fight odds: the game's duel played with its own numbers.
#include <memory>

#include "tiny.h"

namespace {

TEST(FightOdds, LevelsComeWithEveryThirdPointOfExperience) {
    struct {
        int victories, maxHp, maxMp;
    } cases[] = {{1, 60, 50}, {2, 85, 60}, {4, 85, 60}, {5, 110, 70}};
    for (const auto& c : cases) {
        Hero hero = heroAfter(c.victories);
        EXPECT_EQ(hero.maxHp, c.maxHp) << c.victories << " victories";
        EXPECT_EQ(hero.maxMp, c.maxMp) << c.victories << " victories";
        EXPECT_EQ(hero.weaponMod + hero.armour + hero.healPotions, 4);
    }
}

TEST(FightOdds, WinChanceFallsAsTheEnemyGrowsAndRisesWithGear) {
    Hero hero = heroAfter(0);
    EXPECT_EQ(winChance(hero, 0), 1.0); // an enemy without hit points
    double weak = winChance(hero, 20), strong = winChance(hero, 200);
    EXPECT_GT(weak, 0.95);
    EXPECT_LT(strong, weak);
    EXPECT_LT(winChance(hero, 999), 0.1);
    hero.armour = 19; // cannot be hit
    hero.maxMp = 0;   // no magic, no revival: the blade alone
    EXPECT_EQ(winChance(hero, 999), 1.0);
}

TEST(FightOdds, TheGearBoughtIsTheKitTheStartGoldPaysWithTheBestWorstOdds) {
    std::unique_ptr<Campaign> campaign(new Campaign());
    std::vector<PlacedItem>& shop = campaign->items;
    shop.resize(3);
    shop[0].item.price = 60000;
    shop[0].item.weaponMod = 15;
    shop[1].item.price = 50000;
    shop[1].item.armourClass = 19;
    shop[2].item.price = 400;
    shop[2].item.weaponMod = 18;
    shop[2].item.isHealingPotion = 1; // a potion, whatever else it says
    campaign->floors[0].npcs.resize(1);
    NPC& titan = campaign->floors[0].npcs[0].npc;
    titan.hostile = 1;
    titan.hp = 999;
    EXPECT_EQ(chooseGear(*campaign), std::vector<int>{1}); // the blade would overspend the gold
    shop[1].item.price = START_GOLD + 1;
    titan.hp = 250;
    EXPECT_EQ(chooseGear(*campaign), std::vector<int>{0});
}

} // namespace
