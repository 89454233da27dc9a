// The Rapture: everyone on the floor dies, the floor is laid waste, the quest
// giver comes back alone and changed, and the next fight opens with the
// enemy's attack. (It pauses for about eight seconds, as in the game.)
#include "fight_fixture.h"

namespace {

TEST_F(FightTest, TheRaptureLeavesAWastedFloorAndALoneQuestGiver) {
    startFight("Goblin", 100);
    game->npcs.push_back(new NPC());
    game->player.posX = 0; // the quest giver lands off the grid, in column -1
    game->player.posY = 7;
    game->player.mp = 0; // the Rapture needs no MP
    game->map.cells[60][70] = '6';
    srand(5);
    pass({SDLK_c}, {menu(SDLK_9), box("Everyone has died.", true)});
    int nextRoll = rand();
    srand(5);
    for (int cell = 0; cell < MAP_SIZE * MAP_SIZE; cell++)
        rand();
    EXPECT_EQ(nextRoll, rand()) << "one roll per cell, stairs included";

    EXPECT_EQ(game->fighting, 0);
    EXPECT_EQ(game->playerTurn, 0);
    EXPECT_EQ(game->fightEnemy, nullptr);
    EXPECT_EQ(at(320, 240), rgb(1, 1, 1)); // the fade ends on the darkest grey
    int counts[256] = {0};
    for (int y = 0; y < MAP_SIZE; y++)
        for (int x = 0; x < MAP_SIZE; x++)
            counts[(unsigned char)game->map.cells[y][x]]++;
    EXPECT_EQ(game->map.cells[60][70], '6'); // the way up survives
    EXPECT_EQ(counts['0'] + counts['1'] + counts['4'], MAP_SIZE * MAP_SIZE - 1);
    EXPECT_GT(counts['0'], 0);
    EXPECT_GT(counts['1'], 0);
    EXPECT_GT(counts['4'], MAP_SIZE * MAP_SIZE * 8 / 10);

    ASSERT_EQ(game->npcs.size(), 1u);
    NPC* questGiver = game->npcs.front();
    EXPECT_EQ(questGiver->name, "Mr. Questy");
    EXPECT_EQ(questGiver->isQuestGiver, 0);
    EXPECT_EQ(questGiver->isShopKeeper, 0);
    EXPECT_EQ(questGiver->posX, -1);
    EXPECT_EQ(questGiver->posY, 6);
    EXPECT_EQ(questGiver->dialogue, "What have you done?");

    startFight("Orc", 20);
    game->player.armour = NEVER_HIT_ARMOUR;
    pass({}, {box("Orc missed!", false)});
    EXPECT_EQ(game->playerTurn, 1);
}

} // namespace
