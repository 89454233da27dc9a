// Victory: experience, levels with their spells, and the beaten NPC leaving
// the floor.
#include <algorithm>

#include "fight_fixture.h"

namespace {

class VictoryTest : public FightFixture {};

TEST_F(VictoryTest, AWinGivesOnePointAndEveryThirdALevelWithItsSpell) {
    const struct {
        int expBefore;
        int level;                // 0: no level-up
        const char* spellMessage; // nullptr: no spell with this level
        int spellFlag;
    } cases[] = {{1, 0, nullptr, -1},
                 {2, 1, nullptr, -1},
                 {8, 3, "Learned spell: Scorn & Abuse", 7},
                 {17, 6, "Learned spell: The Messiah", 8},
                 {26, 9, "Learned spell: The Rapture", 9}};
    start();
    Player& p = game->player;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expBefore);
        startFight("Goblin", 0);
        game->npcs.push_back(enemy); // listed twice: every entry leaves the floor
        size_t others = game->npcs.size() - 2;
        std::fill(p.spellKnown, p.spellKnown + SPELL_COUNT, 0);
        p.exp = c.expBefore;
        p.maxHp = 60;
        p.maxMp = 50;
        p.hp = 5;
        p.mp = 3;
        std::vector<SDLKey> keys(c.level ? (c.spellMessage ? 4 : 3) : 1, SDLK_SPACE);
        pass({}, keys);
        EXPECT_TRUE(says(0, "You got your win on!!", false)) << "a win says so";
        EXPECT_TRUE(!c.level || says(1, "You are now level " + std::to_string(c.level), false))
            << "a new level says so";
        EXPECT_TRUE(!c.spellMessage || says(2, c.spellMessage, false)) << "a learned spell says so";
        EXPECT_TRUE(!c.level || says(keys.size() - 1, "Recharged mana, health", false))
            << "a new level recharges last";
        EXPECT_EQ(p.exp, c.expBefore + 1) << "a win gives one point";
        for (int flag = 0; flag < SPELL_COUNT; flag++) {
            int taught = flag == c.spellFlag ? 1 : 0;
            EXPECT_EQ(p.spellKnown[flag], taught)
                << "a level teaches only its spell: flag " << flag;
        }
        EXPECT_EQ(p.maxHp, c.level ? 85 : 60) << "a level adds 25 to the HP maximum";
        EXPECT_EQ(p.hp, c.level ? 85 : 5) << "a level refills HP";
        EXPECT_EQ(p.mp, c.level ? 60 : 3) << "a level refills MP";
        EXPECT_EQ(game->fighting, 0) << "a win ends the fight";
        EXPECT_EQ(game->playerTurn, 1) << "the turn is the player's after a win";
        EXPECT_EQ(game->npcs.size(), others) << "the beaten enemy leaves the floor";
        EXPECT_EQ(game->fightEnemy, nullptr) << "nothing points at the beaten enemy";
    }
}

} // namespace
