// The campaign we ship: clean by the checker, and what it promises a player:
// six themed floors with errands, keys for the doors, fights that grow harder
// and a shop where choices matter.
#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "tiny.h"

namespace {

class ShippedCampaign : public ::testing::Test {
  protected:
    static Campaign* campaign;
    static Report* report;
    static ClimbPlan* plan;

    static void SetUpTestSuite() {
        campaign = new Campaign();
        report = new Report();
        plan = new ClimbPlan();
        loadCampaign(TESSARY_CAMPAIGN, *campaign, *report);
        checkPlay(*campaign, *report, plan);
    }
    static void TearDownTestSuite() {
        delete campaign;
        delete report;
        delete plan;
    }
};
Campaign* ShippedCampaign::campaign;
Report* ShippedCampaign::report;
ClimbPlan* ShippedCampaign::plan;

TEST_F(ShippedCampaign, HasNoProblemAndCanBeWon) {
    for (const Problem& p : report->problems)
        ADD_FAILURE() << p.file << ":" << p.line << ": " << p.text;
    EXPECT_TRUE(plan->wins);
}

TEST_F(ShippedCampaign, MapsAreExactly100LinesOf100CodesWithPlainLineFeeds) {
    for (int n = 0; n < FLOOR_COUNT; n++) {
        std::ifstream in(campaign->floors[n].mapFile, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        std::string text = bytes.str();
        ASSERT_EQ(text.size(), 100u * 101u) << campaign->floors[n].mapFile;
        for (int y = 0; y < MAP_SIZE; y++) {
            EXPECT_EQ(text[y * 101 + 100], '\n')
                << campaign->floors[n].mapFile << " line " << y + 1;
            for (int x = 0; x < MAP_SIZE; x++) {
                char c = text[y * 101 + x];
                EXPECT_TRUE(c >= '0' && c <= '7')
                    << campaign->floors[n].mapFile << " (" << x << "," << y << ")";
            }
        }
    }
}

TEST_F(ShippedCampaign, TheGroundFloorOpensOntoAGardenWithFightsOnTheGrass) {
    const Floor& ground = campaign->floors[0];
    int grass = 0, fightsOnGrass = 0;
    for (int y = 0; y < MAP_SIZE; y++)
        for (int x = 0; x < MAP_SIZE; x++)
            grass += ground.cells[y][x] == '0';
    for (const PlacedNPC& p : ground.npcs)
        fightsOnGrass += p.npc.hostile && ground.cells[p.npc.posY][p.npc.posX] == '0';
    EXPECT_GT(grass, 1000);
    EXPECT_GE(fightsOnGrass, 1);
}

TEST_F(ShippedCampaign, EveryFloorHasErrandsAKeyRewardAndALockedDoorOnTheWay) {
    for (int n = 0; n < FLOOR_COUNT; n++) {
        int quests = 0, keyQuests = 0, doors = 0;
        for (const PlacedQuest& q : campaign->quests)
            if (q.quest.floor == n) {
                quests++;
                keyQuests += q.quest.rewardKey;
            }
        for (const PlanStep& step : plan->steps)
            doors += step.floor == n && step.kind == PlanStep::OpenDoor;
        EXPECT_GE(quests, 3) << "floor " << n;
        EXPECT_GE(keyQuests, 1) << "floor " << n;
        EXPECT_GE(doors, 1) << "floor " << n;
    }
}

TEST_F(ShippedCampaign, EveryFloorHasPeacefulFolkAndFoesStrongerThanTheFloorBelow) {
    int weakestBelow = 0, strongestBelow = 0;
    for (int n = 0; n < FLOOR_COUNT; n++) {
        int peaceful = 0, weakest = 1000, strongest = 0;
        for (const PlacedNPC& p : campaign->floors[n].npcs) {
            const NPC& npc = p.npc;
            EXPECT_FALSE(npc.name.empty());
            EXPECT_FALSE(npc.dialogue.empty()) << npc.name;
            // 0 is the player's look, 2 the quest giver's, 8 the shopkeeper's.
            EXPECT_TRUE(npc.character >= 1 && npc.character <= 9 && npc.character != 2 &&
                        npc.character != 8)
                << npc.name;
            if (!npc.hostile) {
                peaceful++;
                continue;
            }
            weakest = std::min(weakest, npc.hp);
            strongest = std::max(strongest, npc.hp);
        }
        EXPECT_GE(peaceful, 2) << "floor " << n;
        EXPECT_GT(strongest, 0) << "no hostile character on floor " << n;
        EXPECT_GT(weakest, weakestBelow) << "floor " << n;
        EXPECT_GT(strongest, strongestBelow) << "floor " << n;
        weakestBelow = weakest;
        strongestBelow = strongest;
    }
}

TEST_F(ShippedCampaign, TheShopSellsEveryKindOfGoodWithAllFourteenIcons) {
    const std::vector<PlacedItem>& goods = campaign->items;
    ASSERT_GE(goods.size(), 14u);
    std::set<int> icons, blades, armours, spells;
    int healing = 0, mana = 0, keys = 0;
    for (const PlacedItem& p : goods) {
        const Item& item = p.item;
        icons.insert(item.iconIndex);
        healing += item.isHealingPotion;
        mana += item.isManaPotion;
        keys += item.isKey;
        if (item.weaponMod > 0)
            blades.insert(item.weaponMod);
        if (item.armourClass > 0)
            armours.insert(item.armourClass);
        for (int k = 0; k < SCROLL_SPELLS; k++)
            if (item.isSpellScroll && item.teachesSpell[k])
                spells.insert(k);
    }
    EXPECT_EQ(icons.size(), 14u);
    EXPECT_EQ(*icons.begin(), 0);
    EXPECT_EQ(*icons.rbegin(), 13);
    EXPECT_EQ(spells.size(), 7u);
    EXPECT_GE(blades.size(), 3u);
    EXPECT_GE(armours.size(), 3u);
    EXPECT_GE(healing, 1);
    EXPECT_GE(mana, 1);
    EXPECT_GE(keys, 1);
}

TEST_F(ShippedCampaign, TheStartGoldCannotBuyEverythingNorTheBestOfBoth) {
    int total = 0, bestBlade = 0, bestBladePrice = 0, bestArmour = 0, bestArmourPrice = 0;
    for (const PlacedItem& p : campaign->items) {
        total += p.item.price;
        if (p.item.weaponMod > bestBlade) {
            bestBlade = p.item.weaponMod;
            bestBladePrice = p.item.price;
        }
        if (p.item.armourClass > bestArmour) {
            bestArmour = p.item.armourClass;
            bestArmourPrice = p.item.price;
        }
    }
    int questGold = QUEST_GOLD * (int)campaign->quests.size();
    EXPECT_GT(total, START_GOLD + questGold);
    EXPECT_GT(bestBladePrice + bestArmourPrice, START_GOLD + questGold);
    // Neither blade nor armour makes the hero untouchable or sure to hit.
    EXPECT_LT(bestBlade, 18);
    EXPECT_LT(bestArmour, 19);
}

TEST_F(ShippedCampaign, TheToughestFoeNeedsGearOrLevels) {
    int strongest = 0;
    for (const PlacedNPC& p : campaign->floors[FLOOR_COUNT - 1].npcs)
        strongest = std::max(strongest, p.npc.hostile ? p.npc.hp : 0);
    // A hero fresh from the start, with nothing bought, should lose to the boss.
    EXPECT_LT(winChance(heroAfter(0), strongest), 0.5);
}

} // namespace
