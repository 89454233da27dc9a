// A whole encounter: talking to a hostile NPC of the floor's file starts the
// fight, and the win takes it off the floor.
#include <algorithm>

#include "fight_fixture.h"

namespace {

TEST_F(FightTest, TalkingToAHostileNPCLeadsIntoAFightThatRemovesItWhenWon) {
    // hp, maxHp, mp, maxMp, hostile, name, dialogue, posX, posY, character
    tree.write("data/npcs.qor", "1\n20\n0\n0\n1\nRat\nSqueak!\n26\n19\n3\n");
    start();
    ASSERT_EQ(game->npcs.size(), 3u);
    NPC* rat = game->npcs.back();
    game->player.weaponMod = SURE_HIT_WEAPON;

    scriptPlayer(game.get(), {press(SDLK_SPACE)}); // the rat's line
    game->Roam_CheckNPCConvo(game->player.posX, game->player.posY);
    std::vector<std::string> problems;
    scriptResult(&problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(game->fighting, 1);
    ASSERT_EQ(game->fightEnemy, rat);

    pass({SDLK_z}, {box("You hit Rat for %i damage", false)});
    pass({}, {box("You got your win on!!", false)});
    EXPECT_EQ(game->fighting, 0);
    EXPECT_EQ(game->npcs.size(), 2u);
    EXPECT_EQ(std::count(game->npcs.begin(), game->npcs.end(), rat), 0);
}

} // namespace
