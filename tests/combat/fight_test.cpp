// The fight pass: the screen it draws, its trace lines, the player's keys,
// the enemy's attack, death and the Messiah's revival.
#include "fight_fixture.h"

namespace {

const std::vector<std::string> HUD_ENEMY_LINES = {
    "Initializing rectangle", "Initializing colour",      "allocating dialogue memory",
    "sprintf operation",      "Mapped rect, blitting...", "Memory freed, HUD_Enemy exiting"};

std::vector<std::string> drawingTrace(int character) {
    std::vector<std::string> lines = {"Initializing fight roll",
                                      "Initialized variables",
                                      "Blitted background",
                                      "Drawing sprite " + std::to_string(character),
                                      "Blitted sprite " + std::to_string(character),
                                      "Drawing player HUD...",
                                      "Drew player HUD, drawing enemy HUD.."};
    lines.insert(lines.end(), HUD_ENEMY_LINES.begin(), HUD_ENEMY_LINES.end());
    lines.push_back("Drew enemy HP/MP/etc");
    return lines;
}

// ---- Drawing ----

struct SceneCase {
    int background;
    const char* image;
    int w, h; // an odd size shows how the centring rounds
    int x, y; // where its top left corner must land
};

class FightScene : public FightTest, public ::testing::WithParamInterface<SceneCase> {};

TEST_P(FightScene, DrawsTheBackgroundCentredOverBlackAndBothFighters) {
    const SceneCase& c = GetParam();
    tree.writeImage(c.image, c.w, c.h);
    startFight();
    game->fightBackground = c.background;
    pass({}, {});

    // Edges checked away from the HUDs, the fighters and the action bar.
    Uint32 scene = colourOf(c.image);
    int midX = c.x + c.w / 2, midY = c.y + c.h / 2;
    EXPECT_EQ(at(midX, c.y), scene);
    EXPECT_EQ(at(midX, c.y - 1), rgb(0, 0, 0));
    EXPECT_EQ(at(c.x, midY), scene);
    EXPECT_EQ(at(c.x - 1, midY), rgb(0, 0, 0));
    EXPECT_EQ(at(c.x + c.w - 1, midY), scene);
    EXPECT_EQ(at(c.x + c.w, midY), rgb(0, 0, 0));
    // The sprites' opaque part starts 8 pixels inside their 48 x 48 images.
    EXPECT_EQ(at(108, 238), colourOf("data/gfx/sprites/pc/3.png"));
    EXPECT_EQ(at(318, 238), colourOf("data/gfx/sprites/npc0/1.png"));
}

INSTANTIATE_TEST_SUITE_P(Backgrounds, FightScene,
                         ::testing::Values(SceneCase{0, "data/decor/grass.png", 301, 201, 169, 139},
                                           SceneCase{1, "data/decor/inside.png", 500, 400, 70,
                                                     40}));

TEST_F(FightTest, TheActionBarShowsOnlyInThePlayersTurn) {
    startFight();
    game->player.armour = NEVER_HIT_ARMOUR;
    pass({}, {});
    EXPECT_EQ(at(5, 413), rgb(200, 200, 200));
    EXPECT_EQ(at(5, 477), rgb(200, 200, 200));
    EXPECT_EQ(at(5, 415), rgb(0, 0, 195));
    EXPECT_EQ(at(5, 474), rgb(0, 0, 195));
    const char* icons[] = {"data/icn/fight.png", "data/icn/defend.png", "data/icn/magick.png",
                           "data/icn/manap.png"};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(at(22 + 49 * i, 422), colourOf(icons[i])) << icons[i];
        EXPECT_EQ(at(22 + 49 * i + 39, 461), colourOf(icons[i])) << icons[i];
    }

    game->playerTurn = 0;
    pass({}, {box("Goblin missed!", false)});
    EXPECT_EQ(at(5, 413), colourOf("data/decor/grass.png"));
    EXPECT_EQ(at(22, 422), colourOf("data/decor/grass.png"));
}

TEST_F(FightTest, AnEnemyWithoutASpriteRowIsNotDrawnButStillTraced) {
    for (int character : {10, -1, 1000000}) {
        startFight("Ghost", 20, character);
        std::vector<std::string> output;
        tracedPass({}, {}, &output);
        EXPECT_EQ(output, drawingTrace(character));
        EXPECT_EQ(at(318, 238), colourOf("data/decor/grass.png")) << character;
        game->npcs.remove(enemy);
        delete enemy;
    }
}

// ---- The player's turn ----

TEST_F(FightTest, AHitShowsTheDamageDealtAndPassesTheTurn) {
    startFight("Goblin", 40);
    game->player.weaponMod = SURE_HIT_WEAPON;
    srand(11);
    std::vector<Seen> seen = pass({SDLK_z}, {box("You hit Goblin for %i damage", false)});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(enemy->hp, 40 - seen[0].number);
    EXPECT_GE(seen[0].number, 1);
    EXPECT_LE(seen[0].number, 20);
    EXPECT_EQ(game->playerTurn, 0);
    // The slash is drawn before the message.
    EXPECT_EQ(pixelAt(seen[0].shot, 285, 190), colourOf("data/gfx/fx/slash.png"));
}

TEST_F(FightTest, AMissIsRedAndPassesTheTurn) {
    startFight("Goblin", 40);
    game->player.weaponMod = SURE_MISS_WEAPON;
    pass({SDLK_z}, {box("You missed Goblin", true)});
    EXPECT_EQ(enemy->hp, 40);
    EXPECT_EQ(game->playerTurn, 0);
}

TEST_F(FightTest, MessagesKeepLongNamesWhole) {
    std::string name(59, 'N');
    startFight(name, 40);
    game->player.weaponMod = SURE_MISS_WEAPON;
    // Wider than the screen: the box shows what fits, cut at its edge.
    pass({SDLK_z}, {box("You missed " + name, true)});
}

struct PotionCase {
    SDLKey key;
    int value, maximum;
    int expected;
    const char* message;
};

class Potions : public FightTest, public ::testing::WithParamInterface<PotionCase> {};

TEST_P(Potions, GiveFifteenPointsUpToTheMaximumAndPassTheTurn) {
    const PotionCase& c = GetParam();
    startFight();
    Player& p = game->player;
    p.healPotions = 2;
    p.manaPotions = 2;
    int& value = c.key == SDLK_x ? p.hp : p.mp;
    int& maximum = c.key == SDLK_x ? p.maxHp : p.maxMp;
    value = c.value;
    maximum = c.maximum;
    pass({c.key}, {box(c.message, false)});
    EXPECT_EQ(value, c.expected);
    EXPECT_EQ(c.key == SDLK_x ? p.healPotions : p.manaPotions, 1);
    EXPECT_EQ(c.key == SDLK_x ? p.manaPotions : p.healPotions, 2);
    EXPECT_EQ(game->playerTurn, 0);
}

INSTANTIATE_TEST_SUITE_P(HealthAndMana, Potions,
                         ::testing::Values(PotionCase{SDLK_x, 30, 60, 45, "Gained 15 health!"},
                                           PotionCase{SDLK_x, 50, 60, 60, "Gained 15 health!"},
                                           PotionCase{SDLK_v, 40, 50, 50, "Gained 15 mana!"},
                                           PotionCase{SDLK_v, -5, 50, 10, "Gained 15 mana!"}));

TEST_F(FightTest, NoPotionsLeftKeepsTheTurn) {
    startFight();
    game->player.healPotions = 0;
    game->player.manaPotions = 0;
    game->player.hp = 10;
    pass({SDLK_x}, {box("No potions left.", true)});
    pass({SDLK_v}, {box("No potions left.", true)});
    EXPECT_EQ(game->playerTurn, 1);
    EXPECT_EQ(game->player.hp, 10);
    EXPECT_EQ(game->player.healPotions, 0);
}

TEST_F(FightTest, OtherKeysAndEventsAreIgnored) {
    startFight();
    pushKeyUp(SDLK_z);
    pushMouseClick(20, 20);
    pass({SDLK_a, SDLK_RETURN, SDLK_SPACE}, {});
    EXPECT_EQ(game->playerTurn, 1);
    EXPECT_EQ(game->quit, 0);
    EXPECT_EQ(enemy->hp, 20);
    EXPECT_EQ(pendingEvents(), 0);
}

TEST_F(FightTest, ClosingTheWindowStillPlaysTheKeysQueuedBehindIt) {
    startFight();
    game->player.hp = 10;
    pushQuit();
    pass({SDLK_x}, {box("Gained 15 health!", false)});
    EXPECT_EQ(game->quit, 1);
    EXPECT_EQ(game->player.hp, 25);
    EXPECT_EQ(game->fighting, 1);
}

TEST_F(FightTest, EscapeEndsTheProcess) {
    startFight();
    pushKeyDown(SDLK_ESCAPE);
    EXPECT_EXIT(game->FightLoop(), ::testing::ExitedWithCode(0), "");
}

// ---- The enemy's turn ----

TEST_F(FightTest, TheEnemysHitIsRedAndItsMissBlueBothTracedAndHandBackTheTurn) {
    startFight();
    for (bool hits : {true, false}) {
        SCOPED_TRACE(hits ? "hit" : "miss");
        game->playerTurn = 0;
        game->player.armour = hits ? ALWAYS_HIT_ARMOUR : NEVER_HIT_ARMOUR;
        game->player.hp = 60;
        std::vector<std::string> output;
        std::vector<Seen> seen = tracedPass(
            {}, {hits ? box("Goblin hit you for %i damage", true) : box("Goblin missed!", false)},
            &output);
        ASSERT_EQ(seen.size(), 1u);
        int damage = hits ? seen[0].number : 0;
        EXPECT_EQ(game->player.hp, 60 - damage);
        EXPECT_GE(damage, 0);
        EXPECT_LE(damage, 19);
        EXPECT_EQ(game->playerTurn, 1);
        std::vector<std::string> expected = drawingTrace(1);
        expected.push_back(hits ? "Enemy hit you" : "Enemy missed");
        expected.push_back("Wrote string");
        EXPECT_EQ(output, expected);
    }
}

// ---- Death and revival ----

class Dying : public FightTest {
  protected:
    // The enemy's next attack takes at least `damage` off the player.
    void enemyWillDeal(int damage) {
        game->playerTurn = 0;
        game->player.armour = ALWAYS_HIT_ARMOUR;
        seedSoThat(
            [&] { return hitSuccess(0, ALWAYS_HIT_ARMOUR) && calculateDamage(0) >= damage; });
    }
};

TEST_F(Dying, WithTenMPTheMessiahRevivesAtFullHealthForAllOfIt) {
    startFight();
    game->player.hp = 3;
    game->player.mp = 10;
    enemyWillDeal(3);
    std::vector<Seen> seen =
        pass({}, {box("Goblin hit you for %i damage", true), box("You died....", true),
                  box("Back from the grave!!!!", false)});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(pixelAt(seen[2].shot, 100, 180), colourOf("data/gfx/fx/messiah.png"));
    EXPECT_EQ(game->player.mp, 0);
    EXPECT_EQ(game->player.hp, game->player.maxHp);
    EXPECT_EQ(game->playerTurn, 1);
    EXPECT_EQ(game->fighting, 1);
}

TEST_F(Dying, WithNineMPTheGameEnds) {
    startFight();
    game->player.hp = 3;
    game->player.mp = 9;
    enemyWillDeal(3);
    scriptPlayer(game.get(), {box("Goblin hit you for %i damage", true), box("You died....", true),
                              box("Not enough MP to respawn...", true)});
    expectProcessEnd();
    EXPECT_EXIT(game->FightLoop(), ::testing::ExitedWithCode(0),
                "3 waits answered; last: Not enough MP to respawn\\.\\.\\.; problems: 0");
}

TEST_F(Dying, WithoutTheMessiahTheGameEndsAtOnce) {
    startFight();
    game->player.hp = 3;
    game->player.mp = 50;
    game->player.spellKnown[8] = 0;
    enemyWillDeal(3);
    scriptPlayer(game.get(),
                 {box("Goblin hit you for %i damage", true), box("You died....", true)});
    expectProcessEnd();
    EXPECT_EXIT(game->FightLoop(), ::testing::ExitedWithCode(0),
                "2 waits answered; last: You died\\.\\.\\.\\.; problems: 0");
}

// ---- Whole fights ----

const std::vector<Message> ANY_FIGHT_MESSAGE = {
    {"You hit Goblin for %i damage", false}, {"You missed Goblin", true},
    {"Goblin hit you for %i damage", true},  {"Goblin missed!", false},
    {"You got your win on!!", false},        {"You died....", true}};

TEST_F(FightTest, AFightPlaysTurnAboutUntilTheVictory) {
    startFight("Goblin", 20);
    Player& p = game->player;
    p.maxHp = p.hp = 1000; // the player outlives any run of bad luck
    srand(2024);
    std::vector<std::string> messages;
    int passes = 0;
    while (game->fighting && passes++ < 200) {
        int enemyHp = enemy->hp, playerHp = p.hp, turn = game->playerTurn;
        // The pass after a killing blow reads no keys: it is the victory.
        bool attack = turn && enemy->hp > 0;
        std::vector<Seen> seen = pass(attack ? std::vector<SDLKey>{SDLK_z} : std::vector<SDLKey>{},
                                      {oneOf(ANY_FIGHT_MESSAGE)}, true);
        ASSERT_EQ(seen.size(), 1u);
        const std::string& text = seen[0].text;
        messages.push_back(text);
        if (text == "You got your win on!!")
            break;
        // Each pass is one side's action and hands the turn over, except a
        // killing blow, after which the player's next pass is the victory.
        EXPECT_EQ(text.rfind(turn ? "You " : "Goblin ", 0), 0u) << text;
        if (text.rfind("You hit", 0) == 0) {
            EXPECT_EQ(enemy->hp, enemyHp - seen[0].number);
        }
        if (text.rfind("Goblin hit", 0) == 0) {
            EXPECT_EQ(p.hp, playerHp - seen[0].number);
        }
        EXPECT_EQ(game->playerTurn, enemy->hp <= 0 ? 1 : 1 - turn);
    }
    ASSERT_GE(messages.size(), 3u);
    EXPECT_EQ(messages.back(), "You got your win on!!");
    EXPECT_EQ(messages[messages.size() - 2].rfind("You hit Goblin", 0), 0u);
    EXPECT_EQ(game->fighting, 0);
    EXPECT_EQ(p.exp, 2);
}

TEST_F(FightTest, AFightLostWithoutTheMessiahEndsTheGame) {
    startFight("Goblin", 20);
    game->player.weaponMod = SURE_MISS_WEAPON;
    game->player.armour = ALWAYS_HIT_ARMOUR;
    game->player.spellKnown[8] = 0;
    srand(99);
    EXPECT_EXIT(
        {
            scriptPlayer(game.get(), {oneOf(ANY_FIGHT_MESSAGE)}, true);
            expectProcessEnd();
            for (int passes = 0; passes < 200; passes++) {
                if (game->playerTurn)
                    pushKeyDown(SDLK_z);
                game->FightLoop();
            }
        },
        ::testing::ExitedWithCode(0), "last: You died\\.\\.\\.\\.; problems: 0");
}

} // namespace
