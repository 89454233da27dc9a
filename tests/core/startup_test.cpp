// Start-up: the game object's fields right after construction.
#include "support/harness.h"

TEST_F(GameTest, ConstructionLeavesTheDocumentedDefaults) {
    start();
    EXPECT_EQ(game->quit, 0);
    EXPECT_EQ(game->fighting, 0);
    EXPECT_EQ(game->playerTurn, 1);
    EXPECT_EQ(game->fightEnemy, nullptr);
    EXPECT_EQ(game->fightBackground, 0);
    EXPECT_EQ(game->menuCursor, -1);
    EXPECT_EQ(game->menuoff, -1);
    EXPECT_EQ(game->player.gold, 100000);
    ASSERT_NE(game->screen, nullptr);
    EXPECT_EQ(game->screen->w, 640);
    EXPECT_EQ(game->screen->h, 480);
    EXPECT_EQ(game->npcs.size(), 2u);
}
