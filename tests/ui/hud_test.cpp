// The player's HP and MP bars and the enemy's line, read back from the screen.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <ostream>

#include "ui/ui.h"

namespace {

class PlayerHud : public UiTest {
  protected:
    // Without the heart, which would cover the start of the HP bar.
    void startWithoutHeart() {
        tree.remove("data/icn/heart.png");
        start();
        paintScreen();
    }

    // One bar, 21 rows from y 10: `filled` pixels of `fill` from `left`, then
    // black up to `width`, the number's pixels white, the screen clipping it.
    void expectBar(const char* name, int left, int width, int filled, Uint32 fill,
                   const std::string& number, int numberX) {
        std::vector<bool> text = textMask(number, numberX, 10);
        int wrong = 0, firstWrong = -1;
        for (int y = 9; y <= 31; y++) {
            for (int x = std::max(left - 1, 0); x <= std::min(left + width, SCREEN_W - 1); x++) {
                Uint32 expected = painted();
                if (text[y * SCREEN_W + x])
                    expected = rgb(255, 255, 255);
                else if (y >= 10 && y <= 30 && x >= left && x < left + width)
                    expected = x - left < filled ? fill : rgb(0, 0, 0);
                if (at(x, y) != expected && wrong++ == 0)
                    firstWrong = y * SCREEN_W + x;
            }
        }
        EXPECT_EQ(wrong, 0) << name << " bar: first wrong pixel at (" << firstWrong % SCREEN_W
                            << ", " << firstWrong / SCREEN_W << ")";
        int covered = 0;
        EXPECT_EQ(mismatches(text, rgb(255, 255, 255), &covered), 0) << name << " number";
        EXPECT_GT(covered, 0) << name << " number not on the screen";
    }
};

struct Points {
    int hp, maxHp, mp, maxMp;
};

void PrintTo(const Points& p, std::ostream* os) {
    *os << "HP " << p.hp << "/" << p.maxHp << ", MP " << p.mp << "/" << p.maxMp;
}

class HudPoints : public PlayerHud, public ::testing::WithParamInterface<Points> {};

// Each bar is 2 pixels per point, black behind; nothing is filled for 0 or
// fewer points, so a negative MP shows only the black background.
TEST_P(HudPoints, BarsFollowThePoints) {
    Points p = GetParam();
    startWithoutHeart();
    game->player.hp = p.hp;
    game->player.maxHp = p.maxHp;
    game->player.mp = p.mp;
    game->player.maxMp = p.maxMp;
    game->HUD_Player();
    int mpLeft = 2 * p.maxHp + 25;
    expectBar("HP", 20, 2 * p.maxHp, std::max(0, 2 * p.hp), rgb(100, 0, 0), std::to_string(p.hp),
              30);
    expectBar("MP", mpLeft, 2 * p.maxMp, std::max(0, 2 * p.mp), rgb(0, 100, 0),
              std::to_string(p.mp), mpLeft);
}

INSTANTIATE_TEST_SUITE_P(Cases, HudPoints,
                         ::testing::Values(Points{60, 60, 50, 50},    // a new player
                                           Points{0, 60, 50, 50},     // HP 0: black only
                                           Points{30, 60, 0, 50},     // half, no MP
                                           Points{60, 60, -3, 50},    // negative MP
                                           Points{60, 100, 60, 60})); // MP bar further right

TEST_F(PlayerHud, HeartIsDrawnAtTheCornerOverTheBar) {
    start();
    paintScreen();
    game->HUD_Player();
    Uint32 heart = colourOf("data/icn/heart.png");
    EXPECT_EQ(at(0, 0), heart);
    EXPECT_EQ(at(22, 20), heart) << "drawn after the bars";
    EXPECT_EQ(at(39, 39), heart);
}

TEST_F(PlayerHud, MpBarReachesTheLastColumnAtMaxHp307) {
    startWithoutHeart();
    game->player.maxHp = game->player.hp = 307;
    game->HUD_Player();
    // HP over x 20 to 633, the gap, and one column of MP.
    EXPECT_EQ(at(633, 30), rgb(100, 0, 0));
    EXPECT_EQ(at(634, 30), painted());
    EXPECT_EQ(at(638, 30), painted());
    EXPECT_EQ(at(639, 30), rgb(0, 100, 0));
}

TEST_F(PlayerHud, LargeMaxHpPushesTheMpBarOffTheScreen) {
    startWithoutHeart();
    game->player.maxHp = game->player.hp = 308;
    game->HUD_Player();
    EXPECT_EQ(count(0, 0, SCREEN_W - 1, SCREEN_H - 1, rgb(0, 100, 0)), 0);
    int white = count(0, 0, SCREEN_W - 1, SCREEN_H - 1, rgb(255, 255, 255));
    int hpNumber = 0;
    mismatches(textMask("308", 30, 10), rgb(255, 255, 255), &hpNumber);
    EXPECT_EQ(white, hpNumber) << "only the HP number is written";
    EXPECT_EQ(at(635, 30), rgb(100, 0, 0));
    EXPECT_EQ(at(639, 30), painted());
}

// 2 x 32773 pixels does not fit the 16 bits of an SDL rectangle: wrapped, the
// bar would be 10 pixels wide; clipped, it runs to the screen's edge.
TEST_F(PlayerHud, HugeAndExtremePointsAreClippedNotWrapped) {
    startWithoutHeart();
    game->player.maxHp = game->player.hp = 32773;
    game->HUD_Player();
    EXPECT_EQ(at(100, 30), rgb(100, 0, 0));
    EXPECT_EQ(at(639, 30), rgb(100, 0, 0));
    game->player.maxHp = game->player.hp = INT_MAX;
    game->player.maxMp = INT_MAX;
    game->player.mp = INT_MIN;
    paintScreen();
    game->HUD_Player();
    EXPECT_EQ(at(639, 30), rgb(100, 0, 0));
    game->player.maxHp = INT_MIN;
    game->player.hp = INT_MIN;
    paintScreen();
    game->HUD_Player();
    EXPECT_EQ(count(0, 10, SCREEN_W - 1, 30, rgb(100, 0, 0)), 0);
    EXPECT_EQ(count(0, 10, SCREEN_W - 1, 30, rgb(0, 100, 0)), 0);
}

class EnemyHud : public UiTest {
  protected:
    NPC enemy;
    void SetUp() override {
        UiTest::SetUp();
        enemy.name = "Mr. Spunky";
        enemy.maxHp = 20;
    }
    // The enemy line must be exactly `line` at (20, 30) in (255, 0, 100).
    void expectLine(const std::string& line) {
        Uint32 colour = rgb(255, 0, 100);
        int covered = 0;
        EXPECT_EQ(mismatches(textMask(line, 20, 30), colour, &covered), 0);
        EXPECT_GT(covered, 0);
        EXPECT_EQ(count(0, 0, SCREEN_W - 1, SCREEN_H - 1, colour), covered)
            << "nothing else is drawn in the enemy's colour";
    }
};

TEST_F(EnemyHud, ShowsNameAndHitPointsEvenBelowZeroUnderThePlayersBars) {
    start();
    for (int hp : {12, -3}) {
        paintScreen();
        enemy.hp = hp;
        startCapture();
        game->HUD_Enemy(&enemy);
        std::string out = stopCapture();
        expectLine("Mr. Spunky HP: " + std::to_string(hp) + "/20");
        EXPECT_EQ(out,
                  "Initializing rectangle\nInitializing colour\nallocating dialogue memory\n"
                  "sprintf operation\nMapped rect, blitting...\nMemory freed, HUD_Enemy exiting\n");
    }
}

TEST_F(EnemyHud, LineThatCannotBeRenderedEndsTheGame) {
    start();
    enemy.hp = 12;
    EXPECT_EXIT(
        {
            TTF_CloseFont(game->font);
            game->font = nullptr;
            game->HUD_Enemy(&enemy);
        },
        ::testing::ExitedWithCode(1), ::testing::Eq(std::string("Failure in rendering text.\n")));
}

} // namespace
