// Victory: experience, levels with their spells, and the beaten NPC leaving
// the floor.
#include <algorithm>

#include "fight_fixture.h"

namespace {

const Rgb ENEMY_LINE = {255, 0, 100};

struct LevelCase {
    int expBefore;
    int level;                // 0: no level-up
    const char* spellMessage; // nullptr: no spell with this level
    int spellFlag;
};

class Victory : public FightTest, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(Victory, GivesOnePointAndEveryThirdALevelWithItsSpell) {
    const LevelCase& c = GetParam();
    startFight("Goblin", 0);
    Player& p = game->player;
    std::fill(p.spellKnown, p.spellKnown + SPELL_COUNT, 0);
    p.exp = c.expBefore;
    p.hp = 5;
    p.mp = 3;
    std::vector<Wait> waits = {box("You got your win on!!", false)};
    if (c.level) {
        waits.push_back(box("You are now level " + std::to_string(c.level), false));
        if (c.spellMessage)
            waits.push_back(box(c.spellMessage, false));
        waits.push_back(box("Recharged mana, health", false));
    }
    std::vector<Seen> seen = pass({}, waits);
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(showsLine(game.get(), seen[0].shot, "Goblin HP: 0/20", 20, 30, ENEMY_LINE));
    EXPECT_EQ(p.exp, c.expBefore + 1);
    for (int flag = 0; flag < SPELL_COUNT; flag++)
        EXPECT_EQ(p.spellKnown[flag], flag == c.spellFlag ? 1 : 0) << "flag " << flag;
    EXPECT_EQ(p.maxHp, c.level ? 85 : 60);
    EXPECT_EQ(p.hp, c.level ? 85 : 5);
    EXPECT_EQ(p.mp, c.level ? 60 : 3);
    EXPECT_EQ(game->fighting, 0);
    EXPECT_EQ(game->playerTurn, 1);
}

INSTANTIATE_TEST_SUITE_P(Levels, Victory,
                         ::testing::Values(LevelCase{1, 0, nullptr, -1},
                                           LevelCase{2, 1, nullptr, -1},
                                           LevelCase{8, 3, "Learned spell: Scorn & Abuse", 7},
                                           LevelCase{17, 6, "Learned spell: The Messiah", 8},
                                           LevelCase{26, 9, "Learned spell: The Rapture", 9}));

TEST_F(FightTest, AKillingBlowLeavesTheTurnAndTheNextPassIsTheWin) {
    startFight("Goblin", 1);
    game->player.weaponMod = SURE_HIT_WEAPON;
    std::vector<Seen> seen = pass({SDLK_z}, {box("You hit Goblin for %i damage", false)});
    ASSERT_EQ(seen.size(), 1u);
    int hpLeft = enemy->hp;
    EXPECT_EQ(hpLeft, 1 - seen[0].number);
    EXPECT_EQ(game->playerTurn, 1);
    seen = pass({}, {box("You got your win on!!", false)});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(showsLine(game.get(), seen[0].shot, "Goblin HP: " + std::to_string(hpLeft) + "/20",
                          20, 30, ENEMY_LINE));
    EXPECT_EQ(game->fighting, 0);
}

TEST_F(FightTest, TheBeatenNPCLeavesTheFloorWithEveryEntryOfIt) {
    startFight("Goblin", 0);
    NPC* bystander = new NPC();
    game->npcs.push_back(bystander);
    game->npcs.push_back(enemy); // listed twice
    pass({}, {box("You got your win on!!", false)});
    EXPECT_EQ(game->npcs.size(), 3u);
    EXPECT_EQ(std::count(game->npcs.begin(), game->npcs.end(), bystander), 1);
    EXPECT_EQ(game->fightEnemy, nullptr);
}

} // namespace
