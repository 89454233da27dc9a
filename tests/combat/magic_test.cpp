// The magic menu: its lines, each spell's need, cost, effect, image and
// message, the keys it ignores and the turn it leaves behind.
#include <algorithm>

#include "fight_fixture.h"

namespace {

const char* const HEADINGS[] = {"Magic:", "1-0 to cast, ESC to abort"};
// The menu line of each key 1 to 9 and the spell flag that offers it.
const struct {
    const char* line;
    int flag;
} MENU[] = {{"1) Heal I", 0},    {"2) Fire I", 1},  {"3) Mr. Zappy", 2},
            {"4) Earth", 3},     {"5) Meteor", 4},  {"6) Hand of Death", 5},
            {"7) Full Heal", 6}, {"8) Messiah", 8}, {"9) The Rapture (WARNING: Everyone dies)", 9}};

class MagicTest : public FightTest {
  protected:
    void SetUp() override {
        FightTest::SetUp();
        startFight("Goblin", 100);
        enemy->maxHp = 100;
    }
    void knowOnly(const std::vector<int>& flags) {
        std::fill(game->player.spellKnown, game->player.spellKnown + SPELL_COUNT, 0);
        for (int flag : flags)
            game->player.spellKnown[flag] = 1;
    }
};

// ---- The menu ----

class MenuLines : public MagicTest, public ::testing::WithParamInterface<std::vector<int>> {};

TEST_P(MenuLines, ListOnlyTheKnownSpellsWithoutGaps) {
    knowOnly(GetParam());
    std::vector<std::string> lines(std::begin(HEADINGS), std::end(HEADINGS));
    for (const auto& entry : MENU)
        if (game->player.spellKnown[entry.flag])
            lines.push_back(entry.line);
    pass({SDLK_c}, {menu(SDLK_ESCAPE, lines)});
}

INSTANTIATE_TEST_SUITE_P(KnownSpells, MenuLines,
                         ::testing::Values(std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
                                           std::vector<int>{0, 2, 7, 9}, std::vector<int>{}));

TEST_F(MagicTest, EscapeGivesTheTurnBackForNothing) {
    game->player.mp = 50;
    pass({SDLK_c}, {menu(SDLK_ESCAPE)});
    EXPECT_EQ(game->playerTurn, 1);
    EXPECT_EQ(game->player.mp, 50);
    EXPECT_EQ(enemy->hp, 100);
    pass({}, {});
    EXPECT_EQ(at(5, 413), rgb(200, 200, 200)); // the action bar is back
}

TEST_F(MagicTest, KeyZeroUnknownSpellsOtherEventsAndAQuitRequestAreIgnored) {
    knowOnly({1});
    game->player.mp = 50;
    pushKeyDown(SDLK_c);
    pushQuit(); // dropped by the menu
    pass({}, {menu(SDLK_0), menu(SDLK_1), menu(SDLK_a), menu(SDLK_ESCAPE)});
    EXPECT_EQ(game->quit, 0);
    EXPECT_EQ(game->player.mp, 50);
    EXPECT_EQ(game->playerTurn, 1);
}

TEST_F(MagicTest, TheMessiahOnlyExplainsItselfAndTheMenuStaysOpen) {
    game->player.mp = 50;
    pass({SDLK_c},
         {menu(SDLK_8), box("Messiah triggers automatically...", false), menu(SDLK_ESCAPE)});
    EXPECT_EQ(game->player.mp, 50);
    EXPECT_EQ(game->playerTurn, 1);
}

// ---- Needs and costs ----

struct RefusalCase {
    SDLKey key;
    int mp;
    const char* message;
};

class Refusals : public MagicTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusals, CostTheTurnButNoMP) {
    const RefusalCase& c = GetParam();
    game->player.mp = c.mp;
    game->player.hp = 30;
    pass({SDLK_c}, {menu(c.key), box(c.message, true)});
    EXPECT_EQ(game->player.mp, c.mp);
    EXPECT_EQ(game->player.hp, 30);
    EXPECT_EQ(enemy->hp, 100);
    EXPECT_EQ(game->playerTurn, 0);
}

INSTANTIATE_TEST_SUITE_P(LackOfMP, Refusals,
                         ::testing::Values(RefusalCase{SDLK_1, 5,
                                                       "Not enough energy to cast Heal I"},
                                           RefusalCase{SDLK_2, 7, "Not enough energy for Fire I"},
                                           RefusalCase{SDLK_4, 14, "Not enough energy!"},
                                           RefusalCase{SDLK_5, 19, "Not enough energy!"},
                                           RefusalCase{SDLK_6, 24, "Not enough energy!"},
                                           RefusalCase{SDLK_7, 34, "Not enough energy!"}));

TEST_F(MagicTest, MrZappysRefusalKeepsTheMenuOpen) {
    game->player.mp = 10;
    pass({SDLK_c}, {menu(SDLK_3), box("Not enough energy!", true), menu(SDLK_ESCAPE)});
    EXPECT_EQ(game->player.mp, 10);
    EXPECT_EQ(game->playerTurn, 1);
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

TEST_F(MagicTest, HealIRestoresUpToNineteenForFiveMP) {
    game->player.mp = 6;
    game->player.hp = 20;
    std::vector<Seen> seen = pass({SDLK_c}, {menu(SDLK_1), box("Healed!!!!", false)});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(game->player.mp, 1);
    EXPECT_GE(game->player.hp, 20);
    EXPECT_LE(game->player.hp, 39);
    EXPECT_EQ(game->playerTurn, 0);
    EXPECT_EQ(pixelAt(seen[1].shot, 80, 180), colourOf("data/gfx/fx/heal1.png"));
    // At full health it still costs its MP.
    game->playerTurn = 1;
    game->player.mp = 50;
    game->player.hp = 60;
    seedSoThat([] { return calculateDamage(0) > 0; });
    pass({SDLK_c}, {menu(SDLK_1), box("Healed!!!!", false)});
    EXPECT_EQ(game->player.hp, 60);
    EXPECT_EQ(game->player.mp, 45);
}

TEST_F(MagicTest, FullHealRefillsForThirtyFiveMP) {
    game->player.mp = 35;
    game->player.hp = 1;
    std::vector<Seen> seen = pass({SDLK_c}, {menu(SDLK_7), box("Fully healed", false)});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(game->player.hp, 60);
    EXPECT_EQ(game->player.mp, 0);
    EXPECT_EQ(pixelAt(seen[1].shot, 100, 180), colourOf("data/gfx/fx/heal2.png"));
}

TEST_F(MagicTest, AKillingSpellLeadsToTheWinWithoutAnEnemyAttack) {
    enemy->hp = 30; // the Hand of Death deals at least 30
    game->player.mp = 50;
    pass({SDLK_c}, {menu(SDLK_6), box("Whap! Hit %i", false)});
    EXPECT_LE(enemy->hp, 0);
    EXPECT_EQ(game->playerTurn, 1);
    pass({}, {box("You got your win on!!", false)});
    EXPECT_EQ(game->fighting, 0);
    EXPECT_EQ(game->player.hp, 60);
}

} // namespace
