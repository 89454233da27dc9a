// The fight odds and the gear the plan buys: modifiers at the ends of int
// count as the sure hit and the sure guard they are, the shortcut for a
// certain win agrees with playing every fight, and the gear is the best the
// gold pays for, the cheapest of equals.
#include <algorithm>
#include <climits>

#include "tiny.h"

namespace {

const Hero START_HERO = heroAfter(0);

Hero with(int weaponMod, int armour) {
    Hero hero = START_HERO;
    hero.weaponMod = weaponMod;
    hero.armour = armour;
    return hero;
}

TEST(FightOddsTest, ModifiersPastTheSureThingChangeNothing) {
    // A die is 0 to 19: a blade of 20 always hits, an armour of 19 is never hit.
    const struct {
        Hero sure, beyond;
    } cases[] = {
        {with(20, START_ARMOUR), with(INT_MAX, START_ARMOUR)},
        {with(START_WEAPON_MOD, 19), with(START_WEAPON_MOD, INT_MAX)},
        {with(20, 19), with(INT_MAX, INT_MAX)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(winChance(c.beyond, 300), winChance(c.sure, 300))
            << c.beyond.weaponMod << " " << c.beyond.armour;
}

TEST(FightOddsTest, TheCertainWinShortcutAgreesWithPlayingEveryFight) {
    // 300 hit points take ten Hands of Death: 260 magic points pay for them
    // with the Messiah's 10 left, and 191 hit points outlast nine blows of 19.
    const struct {
        int maxHp, maxMp, enemyHp;
    } cases[] = {
        {191, 260, 300}, {190, 260, 300},   {191, 259, 300},          {60, 50, 1},
        {60, 50, 0},     {2560, 1050, 999}, {START_HP, START_MP, 40},
    };
    for (const auto& c : cases) {
        Hero hero = START_HERO;
        hero.maxHp = c.maxHp;
        hero.maxMp = c.maxMp;
        EXPECT_EQ(winChance(hero, c.enemyHp), simulatedWinChance(hero, c.enemyHp))
            << c.maxHp << " " << c.maxMp << " " << c.enemyHp;
    }
}

PlacedItem good(const std::string& name, int price, int weaponMod, int armour) {
    Item item;
    item.name = name;
    item.price = price;
    item.weaponMod = weaponMod;
    item.armourClass = armour;
    return PlacedItem{item, 1};
}

TEST(FightOddsTest, TheBestKitTheGoldPaysForAndOfEqualKitsTheCheapest) {
    const struct {
        int enemyHp;
        std::vector<PlacedItem> shop;
        std::vector<std::string> bought;
    } cases[] = {
        // Only a shield of 19 keeps the titan's blows off; any one will do.
        {999,
         {good("Shield", 50000, 0, 19), good("Cheap Shield", 10, 0, 19), good("Stick", 5, 2, 0)},
         {"Cheap Shield"}},
        // A blade at the top of int hits every time.
        {250, {good("Stick", 5, 2, 0), good("Godblade", 10, INT_MAX, 0)}, {"Godblade"}},
        {999, {good("Shield", START_GOLD + 1, 0, 19)}, {}},
    };
    for (const auto& c : cases) {
        std::unique_ptr<Campaign> campaign(new Campaign());
        NPC titan;
        titan.hp = titan.maxHp = c.enemyHp;
        titan.hostile = 1;
        campaign->floors[0].npcs.push_back(PlacedNPC{titan, 1});
        campaign->items = c.shop;
        std::vector<std::string> bought;
        for (int i : chooseGear(*campaign))
            bought.push_back(campaign->items[i].item.name);
        std::sort(bought.begin(), bought.end());
        EXPECT_EQ(bought, c.bought) << c.shop[0].item.name;
    }
}

} // namespace
