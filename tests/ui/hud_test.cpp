// The player's HP and MP bars and the enemy's line, read back from the screen.
#include <climits>

#include "support/harness.h"

namespace {

class HudTest : public GameTest {
  protected:
    void show(int hp, int maxHp, int mp, int maxMp) {
        paintScreen();
        game->player.hp = hp;
        game->player.maxHp = maxHp;
        game->player.mp = mp;
        game->player.maxMp = maxMp;
        game->HUD_Player();
    }
};

TEST_F(HudTest, BarsShowTwoPixelsAPointWithTheirNumbersAndClipInsteadOfWrapping) {
    tree.remove("data/icn/heart.png"); // the heart would cover the start of the HP bar
    start();
    show(30, 100, 0, 60);
    Uint32 red = rgb(100, 0, 0);
    Uint32 green = rgb(0, 100, 0);
    Uint32 black = rgb(0, 0, 0);
    EXPECT_EQ(count(20, 30, 79, 30, red), 60) << "30 of 100 HP: two pixels a point from x 20";
    EXPECT_EQ(count(80, 30, 219, 30, black), 140) << "the rest of the HP bar's 200 is black";
    EXPECT_EQ(at(220, 30), painted()) << "the HP bar is twice the maximum long";
    EXPECT_EQ(count(60, 10, 219, 10, red), 20) << "the HP bar's fill starts at y 10";
    EXPECT_EQ(count(60, 10, 219, 10, black), 140) << "the HP bar's black starts at y 10";
    EXPECT_EQ(at(20, 31), painted()) << "the bars end at y 30";
    EXPECT_EQ(count(225, 30, 344, 30, black), 120) << "no MP: all black, from 2 x 100 + 25";
    EXPECT_EQ(at(224, 30), painted()) << "the MP bar starts 25 after the HP bar";
    EXPECT_TRUE(showsText(game.get(), game->screen, "30", 30, 10)) << "the HP number";
    EXPECT_TRUE(showsText(game.get(), game->screen, "0", 225, 10)) << "the MP number";
    show(-5, 10, 50, 50);
    EXPECT_EQ(count(0, 30, SCREEN_W - 1, 30, red), 0) << "HP below zero fills nothing";
    EXPECT_EQ(count(45, 30, 144, 30, green), 100) << "a full MP bar from 2 x 10 + 25";
    show(307, 307, 50, 50); // HP over x 20 to 633, the gap, one column of MP
    EXPECT_EQ(at(638, 30), painted()) << "the gap between the bars";
    EXPECT_EQ(at(639, 30), green) << "the MP bar's first column on the screen";
    show(32773, 32773, 50, 50); // 2 x 32773 wrapped to 16 bits would be 10 pixels
    EXPECT_EQ(at(639, 30), red) << "a long bar is clipped, not wrapped";
    show(INT_MIN, INT_MIN, INT_MIN, INT_MAX);
    EXPECT_EQ(count(0, 10, SCREEN_W - 1, 30, red), 0) << "the lowest HP fills nothing";
    EXPECT_EQ(count(0, 10, SCREEN_W - 1, 30, green), 0) << "the lowest MP fills nothing";
}

TEST_F(HudTest, EnemyLineShowsNameAndHitPointsEvenBelowZero) {
    start();
    NPC enemy;
    enemy.name = "Mr. Spunky";
    enemy.maxHp = 20;
    enemy.hp = -3;
    paintScreen();
    game->HUD_Enemy(&enemy);
    EXPECT_TRUE(showsText(game.get(), game->screen, "Mr. Spunky HP: -3/20", 20, 30, {255, 0, 100}))
        << "the enemy's name and HP, even below zero";
}

} // namespace
