// The player's HP and MP bars and the enemy's line, read back from the screen.
#include <algorithm>
#include <climits>

#include "ui/ui.h"

namespace {

class PlayerHud : public UiTest {
  protected:
    void startWithoutHeart() { // the heart would cover the start of the HP bar
        tree.remove("data/icn/heart.png");
        start();
        paintScreen();
    }
    void show(int hp, int maxHp, int mp, int maxMp) {
        game->player.hp = hp;
        game->player.maxHp = maxHp;
        game->player.mp = mp;
        game->player.maxMp = maxMp;
        game->HUD_Player();
    }
    // One bar over y 10 to 30: `filled` pixels of `fill` from `left`, black up
    // to `width`, the number in white at (numberX, 10).
    void expectBar(int left, int width, int filled, Uint32 fill, int number, int numberX) {
        std::vector<bool> text = textMask(std::to_string(number), numberX, 10);
        int wrong = 0;
        for (int y = 9; y <= 31; y++) {
            for (int x = std::max(left - 1, 0); x <= std::min(left + width, SCREEN_W - 1); x++) {
                Uint32 expected = painted();
                if (text[y * SCREEN_W + x])
                    expected = rgb(255, 255, 255);
                else if (y >= 10 && y <= 30 && x >= left && x < left + width)
                    expected = x - left < filled ? fill : rgb(0, 0, 0);
                wrong += at(x, y) != expected;
            }
        }
        EXPECT_EQ(wrong, 0) << "bar at x " << left;
        int covered = 0;
        EXPECT_EQ(mismatches(text, rgb(255, 255, 255), &covered), 0);
        EXPECT_GT(covered, 0);
    }
};

// 2 pixels per point, black behind; nothing filled for 0 or fewer points.
TEST_F(PlayerHud, BarsFollowThePoints) {
    const int cases[][4] = {{60, 60, 50, 50}, {0, 60, -3, 50}, {30, 100, 60, 60}};
    startWithoutHeart();
    for (const auto& p : cases) {
        paintScreen();
        show(p[0], p[1], p[2], p[3]);
        int mpLeft = 2 * p[1] + 25;
        expectBar(20, 2 * p[1], std::max(0, 2 * p[0]), rgb(100, 0, 0), p[0], 30);
        expectBar(mpLeft, 2 * p[3], std::max(0, 2 * p[2]), rgb(0, 100, 0), p[2], mpLeft);
    }
}

TEST_F(PlayerHud, MpBarLeavesTheScreenAfterMaxHp307) {
    startWithoutHeart();
    show(307, 307, 50, 50); // HP over x 20 to 633, the gap, one column of MP
    EXPECT_EQ(at(633, 30), rgb(100, 0, 0));
    EXPECT_EQ(at(638, 30), painted());
    EXPECT_EQ(at(639, 30), rgb(0, 100, 0));
    paintScreen();
    show(308, 308, 50, 50);
    EXPECT_EQ(count(0, 0, SCREEN_W - 1, SCREEN_H - 1, rgb(0, 100, 0)), 0);
    int hpNumber = 0;
    mismatches(textMask("308", 30, 10), rgb(255, 255, 255), &hpNumber);
    EXPECT_EQ(count(0, 0, SCREEN_W - 1, SCREEN_H - 1, rgb(255, 255, 255)), hpNumber)
        << "only the HP number is written";
}

// 2 x 32773 pixels wrapped to 16 bits would be a 10-pixel bar.
TEST_F(PlayerHud, HugePointsAreClippedNotWrapped) {
    startWithoutHeart();
    show(32773, 32773, 50, 50);
    EXPECT_EQ(at(639, 30), rgb(100, 0, 0));
    paintScreen();
    show(INT_MIN, INT_MIN, INT_MIN, INT_MAX);
    EXPECT_EQ(count(0, 10, SCREEN_W - 1, 30, rgb(100, 0, 0)), 0);
    EXPECT_EQ(count(0, 10, SCREEN_W - 1, 30, rgb(0, 100, 0)), 0);
}

TEST_F(UiTest, EnemyLineShowsNameAndHitPointsEvenBelowZero) {
    start();
    NPC enemy;
    enemy.name = "Mr. Spunky";
    enemy.maxHp = 20;
    enemy.hp = -3;
    paintScreen();
    startCapture();
    game->HUD_Enemy(&enemy);
    EXPECT_EQ(stopCapture(),
              "Initializing rectangle\nInitializing colour\nallocating dialogue memory\n"
              "sprintf operation\nMapped rect, blitting...\nMemory freed, HUD_Enemy exiting\n");
    int covered = 0;
    EXPECT_EQ(mismatches(textMask("Mr. Spunky HP: -3/20", 20, 30), rgb(255, 0, 100), &covered), 0);
    EXPECT_EQ(count(0, 0, SCREEN_W - 1, SCREEN_H - 1, rgb(255, 0, 100)), covered);
    EXPECT_GT(covered, 0);
    EXPECT_EXIT(
        {
            TTF_CloseFont(game->font);
            game->font = nullptr;
            game->HUD_Enemy(&enemy);
        },
        ::testing::ExitedWithCode(1), ::testing::Eq(std::string("Failure in rendering text.\n")));
}

} // namespace
