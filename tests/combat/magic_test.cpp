// The magic menu: its lines, each spell's need, cost, effect, image and
// message, the keys it ignores, the turn it leaves behind, and the Rapture.
#include <algorithm>

#include "fight_fixture.h"

namespace {

class MagicTest : public FightFixture {
  protected:
    void SetUp() override {
        FightFixture::SetUp();
        startFight("Goblin", 100);
        enemy->maxHp = 100;
    }
};

TEST_F(MagicTest, TheMenuListsOnlyTheKnownSpellsWithoutGapsAndIgnoresOtherKeys) {
    std::fill(game->player.spellKnown, game->player.spellKnown + SPELL_COUNT, 0);
    for (int flag : {1, 2, 7, 9})
        game->player.spellKnown[flag] = 1;
    game->player.mp = 50;
    pushKeyDown(SDLK_c);
    pushQuit();                                      // dropped by the menu
    pass({}, {SDLK_0, SDLK_1, SDLK_a, SDLK_ESCAPE}); // 0 and 1: no such spells known
    int y = 80;
    int line = TTF_FontHeight(game->font);
    for (const char* text : {"Magic:", "1-0 to cast, ESC to abort", "2) Fire I", "3) Mr. Zappy",
                             "9) The Rapture (WARNING: Everyone dies)"}) {
        EXPECT_TRUE(showsText(game.get(), shots()[0], text, 170, y))
            << "the known spells, one a line: " << text;
        y += line;
    }
    EXPECT_FALSE(anyIn(170, y, SCREEN_W, y + line, rgb(255, 255, 255))) << "no line after them";
    EXPECT_EQ(game->quit, 0) << "the menu drops a quit request";
    EXPECT_EQ(game->player.mp, 50) << "unknown spells cost nothing";
    EXPECT_EQ(enemy->hp, 100) << "unknown spells do nothing";
    EXPECT_EQ(game->playerTurn, 1) << "Escape keeps the turn";
}

TEST_F(MagicTest, RefusalsCostTheTurnButNoMPExceptTheMessiahsAndMrZappysKeepTheMenu) {
    const struct {
        SDLKey key;
        int mp;
        const char* message;
        int turn;
    } cases[] = {{SDLK_1, 5, "Not enough energy to cast Heal I", 0},
                 {SDLK_2, 7, "Not enough energy for Fire I", 0},
                 {SDLK_7, 34, "Not enough energy!", 0},
                 {SDLK_3, 10, "Not enough energy!", 1},
                 {SDLK_8, 10, "Messiah triggers automatically...", 1}};
    for (const auto& c : cases) {
        game->playerTurn = 1;
        game->player.mp = c.mp;
        game->player.hp = 30;
        pass({SDLK_c}, c.turn ? std::vector<SDLKey>{c.key, SDLK_SPACE, SDLK_ESCAPE}
                              : std::vector<SDLKey>{c.key, SDLK_SPACE});
        EXPECT_TRUE(says(1, c.message, c.key != SDLK_8)) << "the refusal: " << c.message;
        EXPECT_EQ(game->player.mp, c.mp) << "a refusal costs no MP: " << c.message;
        EXPECT_EQ(game->player.hp, 30) << "a refusal heals nothing: " << c.message;
        EXPECT_EQ(enemy->hp, 100) << "a refusal deals nothing: " << c.message;
        EXPECT_EQ(game->playerTurn, c.turn) << "a refusal costs the turn: " << c.message;
    }
}

TEST_F(MagicTest, AttacksTakeTheirCostAndDealTheDamageTheyShow) {
    const struct {
        SDLKey key;
        int mp, mpLeft;
        const char* message;
        int lowest; // the damage lies in lowest .. lowest + 19
        const char* image;
        int x, y;
    } cases[] = {
        {SDLK_2, 8, 0, "Foom! Hit ", 0, "data/gfx/fx/fire1.png", 300, 210},
        {SDLK_3, 11, 0, "Foom! Hit ", 10, "data/gfx/fx/zappy.png", 280, 190},
        {SDLK_4, 15, 0, "Thud! Hit ", 15, "data/gfx/fx/earth.png", 280, 190},
        {SDLK_5, 22, -3, "KABOOM!!!!!! Hit ", 20, "data/gfx/fx/meteor.png", 280, 190},
        {SDLK_6, 25, 0, "Whap! Hit ", 30, "data/gfx/fx/hand.png", 280, 160},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.image);
        game->playerTurn = 1;
        enemy->hp = 100;
        game->player.mp = c.mp;
        srand(1);
        int damage = calculateDamage(c.lowest);
        srand(1);
        pass({SDLK_c}, {c.key, SDLK_SPACE});
        EXPECT_TRUE(says(1, c.message + std::to_string(damage), false)) << "the damage shown";
        EXPECT_EQ(enemy->hp, 100 - damage) << "the damage dealt is the damage shown";
        EXPECT_EQ(game->player.mp, c.mpLeft) << "a spell takes its cost";
        EXPECT_EQ(game->playerTurn, 0) << "a spell passes the turn";
        EXPECT_EQ(pixelAt(shots()[1], c.x, c.y), colourOf(c.image)) << "the spell's picture";
        EXPECT_EQ(pixelAt(shots()[1], c.x + 59, c.y + 59), colourOf(c.image))
            << "the spell's picture, whole";
    }
    enemy->hp = 1; // a spell that kills keeps the turn: the next pass is the win
    game->playerTurn = 1;
    game->player.mp = 22;
    pass({SDLK_c}, {SDLK_5, SDLK_SPACE});
    EXPECT_EQ(game->playerTurn, 1) << "a killing spell keeps the turn";
}

TEST_F(MagicTest, HealIRestoresUpToNineteenAndFullHealRefills) {
    game->player.mp = 6;
    game->player.hp = 20;
    srand(1);
    int healed = 20 + calculateDamage(0);
    srand(1);
    pass({SDLK_c}, {SDLK_1, SDLK_SPACE});
    EXPECT_TRUE(says(1, "Healed!!!!", false)) << "Heal I says so";
    EXPECT_EQ(game->player.mp, 1) << "Heal I costs 5";
    EXPECT_EQ(game->player.hp, healed) << "Heal I restores a die";
    EXPECT_EQ(game->playerTurn, 0) << "a heal passes the turn";
    EXPECT_EQ(pixelAt(shots()[1], 80, 180), colourOf("data/gfx/fx/heal1.png"))
        << "Heal I's picture";
    game->playerTurn = 1;
    game->player.mp = 35;
    pass({SDLK_c}, {SDLK_7, SDLK_SPACE});
    EXPECT_TRUE(says(1, "Fully healed", false)) << "Full Heal says so";
    EXPECT_EQ(game->player.hp, 60) << "Full Heal refills HP";
    EXPECT_EQ(game->player.mp, 0) << "Full Heal costs 35";
}

TEST_F(MagicTest, TheRaptureLeavesAWastedFloorAndALoneQuestGiver) {
    game->npcs.push_back(new NPC());
    game->player.posX = 0; // the quest giver lands off the grid, in column -1
    game->player.posY = 7;
    game->player.mp = 0; // the Rapture needs no MP
    game->map.cells[60][70] = '6';
    srand(5);
    pass({SDLK_c}, {SDLK_9, SDLK_SPACE});
    EXPECT_TRUE(says(1, "Everyone has died.", true)) << "the Rapture says so in red";
    int nextRoll = rand();
    srand(5);
    for (int cell = 0; cell < MAP_SIZE * MAP_SIZE; cell++)
        rand();
    EXPECT_EQ(nextRoll, rand()) << "one roll per cell, stairs included";
    // Three seconds of the picture, then a fade of 255 steps, each 20 ms.
    EXPECT_EQ(delaysAsked(), std::vector<Uint32>(150 + 255, 20)) << "the Rapture's show";

    EXPECT_EQ(game->fighting, 0) << "the Rapture ends the fight";
    EXPECT_EQ(game->fightEnemy, nullptr) << "the enemy died with everyone";
    EXPECT_EQ(at(320, 240), rgb(1, 1, 1)) << "the fade ends on the darkest grey";
    EXPECT_EQ(game->map.cells[60][70], '6') << "the way up survives";
    std::string floor(&game->map.cells[0][0], MAP_SIZE * MAP_SIZE);
    EXPECT_EQ(floor.find_first_not_of("0146"), std::string::npos) << "the floor is laid waste";

    ASSERT_EQ(game->npcs.size(), 1u) << "only the quest giver is left";
    NPC* questGiver = game->npcs.front();
    EXPECT_EQ(questGiver->name, "Mr. Questy") << "only the quest giver is left";
    EXPECT_EQ(questGiver->isQuestGiver, 0) << "he hands out no more errands";
    EXPECT_EQ(questGiver->isShopKeeper, 0) << "he sells nothing";
    EXPECT_EQ(questGiver->posX, -1) << "he stands up-left of the hero";
    EXPECT_EQ(questGiver->posY, 6) << "he stands up-left of the hero";
    EXPECT_EQ(questGiver->dialogue, "What have you done?") << "his one line";

    startFight("Orc", 20); // the next fight opens with the enemy's attack
    game->player.armour = NEVER_HIT_ARMOUR;
    pass({}, {SDLK_SPACE});
    EXPECT_TRUE(says(0, "Orc missed!", false)) << "the next fight opens with the enemy's attack";
}

} // namespace
