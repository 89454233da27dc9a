// The magic menu: its lines, each spell's need, cost, effect, image and
// message, the keys it ignores and the turn it leaves behind.
#include <algorithm>

#include "fight_fixture.h"

namespace {

class MagicTest : public FightTest {
  protected:
    void SetUp() override {
        FightTest::SetUp();
        startFight("Goblin", 100);
        enemy->maxHp = 100;
    }
};

TEST_F(MagicTest, TheMenuListsOnlyTheKnownSpellsWithoutGaps) {
    std::fill(game->player.spellKnown, game->player.spellKnown + SPELL_COUNT, 0);
    for (int flag : {0, 2, 7, 9})
        game->player.spellKnown[flag] = 1;
    pass({SDLK_c},
         {menu(SDLK_ESCAPE, {"Magic:", "1-0 to cast, ESC to abort", "1) Heal I", "3) Mr. Zappy",
                             "9) The Rapture (WARNING: Everyone dies)"})});
    std::fill(game->player.spellKnown, game->player.spellKnown + SPELL_COUNT, 1);
    pass({SDLK_c}, {menu(SDLK_ESCAPE, {"Magic:", "1-0 to cast, ESC to abort", "1) Heal I",
                                       "2) Fire I", "3) Mr. Zappy", "4) Earth", "5) Meteor",
                                       "6) Hand of Death", "7) Full Heal", "8) Messiah",
                                       "9) The Rapture (WARNING: Everyone dies)"})});
}

TEST_F(MagicTest, ZeroUnknownSpellsOtherKeysAndQuitAreIgnoredAndEscapeCostsNothing) {
    std::fill(game->player.spellKnown, game->player.spellKnown + SPELL_COUNT, 0);
    game->player.spellKnown[1] = 1;
    game->player.mp = 50;
    pushKeyDown(SDLK_c);
    pushQuit(); // dropped by the menu
    pass({}, {menu(SDLK_0), menu(SDLK_1), menu(SDLK_a), menu(SDLK_ESCAPE)});
    EXPECT_EQ(game->quit, 0);
    EXPECT_EQ(game->player.mp, 50);
    EXPECT_EQ(enemy->hp, 100);
    EXPECT_EQ(game->playerTurn, 1);
}

TEST_F(MagicTest, TheMessiahAndMrZappysRefusalKeepTheMenuOpen) {
    game->player.mp = 10;
    pass({SDLK_c}, {menu(SDLK_8), box("Messiah triggers automatically...", false), menu(SDLK_3),
                    box("Not enough energy!", true), menu(SDLK_ESCAPE)});
    EXPECT_EQ(game->player.mp, 10);
    EXPECT_EQ(game->playerTurn, 1);
}

TEST_F(MagicTest, RefusalsCostTheTurnButNoMP) {
    const struct {
        SDLKey key;
        int mp;
        const char* message;
    } cases[] = {{SDLK_1, 5, "Not enough energy to cast Heal I"},
                 {SDLK_2, 7, "Not enough energy for Fire I"},
                 {SDLK_7, 34, "Not enough energy!"}};
    for (const auto& c : cases) {
        game->playerTurn = 1;
        game->player.mp = c.mp;
        game->player.hp = 30;
        pass({SDLK_c}, {menu(c.key), box(c.message, true)});
        EXPECT_EQ(game->player.mp, c.mp);
        EXPECT_EQ(game->player.hp, 30);
        EXPECT_EQ(enemy->hp, 100);
        EXPECT_EQ(game->playerTurn, 0);
    }
}

struct AttackCase {
    SDLKey key;
    int mp, mpLeft;
    const char* message;
    int lowest; // the damage lies in lowest .. lowest + 19
    const char* image;
    int x, y;
};

class Attacks : public MagicTest, public ::testing::WithParamInterface<AttackCase> {};

TEST_P(Attacks, TakeTheirCostAndDealTheDamageTheyShow) {
    const AttackCase& c = GetParam();
    game->player.mp = c.mp;
    std::vector<Seen> seen = pass({SDLK_c}, {menu(c.key), box(c.message, false)});
    ASSERT_EQ(seen.size(), 2u);
    int damage = seen[1].number;
    EXPECT_GE(damage, c.lowest);
    EXPECT_LE(damage, c.lowest + 19);
    EXPECT_EQ(enemy->hp, 100 - damage);
    EXPECT_EQ(game->player.mp, c.mpLeft);
    EXPECT_EQ(game->playerTurn, 0);
    EXPECT_EQ(pixelAt(seen[1].shot, c.x, c.y), colourOf(c.image));
    EXPECT_EQ(pixelAt(seen[1].shot, c.x + 59, c.y + 59), colourOf(c.image));
}

INSTANTIATE_TEST_SUITE_P(
    Spells, Attacks,
    ::testing::Values(
        AttackCase{SDLK_2, 8, 0, "Foom! Hit %i", 0, "data/gfx/fx/fire1.png", 300, 210},
        AttackCase{SDLK_3, 11, 0, "Foom! Hit %i", 10, "data/gfx/fx/zappy.png", 280, 190},
        AttackCase{SDLK_4, 15, 0, "Thud! Hit %i", 15, "data/gfx/fx/earth.png", 280, 190},
        AttackCase{SDLK_5, 22, -3, "KABOOM!!!!!! Hit %i", 20, "data/gfx/fx/meteor.png", 280, 190},
        AttackCase{SDLK_6, 25, 0, "Whap! Hit %i", 30, "data/gfx/fx/hand.png", 280, 160}));

TEST_F(MagicTest, HealIRestoresUpToNineteenAndFullHealRefills) {
    game->player.mp = 6;
    game->player.hp = 20;
    std::vector<Seen> seen = pass({SDLK_c}, {menu(SDLK_1), box("Healed!!!!", false)});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(game->player.mp, 1);
    EXPECT_GE(game->player.hp, 20);
    EXPECT_LE(game->player.hp, 39);
    EXPECT_EQ(game->playerTurn, 0);
    EXPECT_EQ(pixelAt(seen[1].shot, 80, 180), colourOf("data/gfx/fx/heal1.png"));

    game->playerTurn = 1;
    game->player.mp = 35;
    game->player.hp = 1;
    seen = pass({SDLK_c}, {menu(SDLK_7), box("Fully healed", false)});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(game->player.hp, 60);
    EXPECT_EQ(game->player.mp, 0);
    EXPECT_EQ(pixelAt(seen[1].shot, 100, 180), colourOf("data/gfx/fx/heal2.png"));
}

} // namespace
