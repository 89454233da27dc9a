// The fight pass: the screen it draws, the player's keys, the enemy's attack,
// death and the Messiah's revival.
#include "fight_fixture.h"

namespace {

class FightTest : public FightFixture {
  protected:
    // Starts a fight in which the enemy's next attack kills a player of 3 HP.
    void enemyWillKill(int mp) {
        startFight();
        game->player.hp = 3;
        game->player.mp = mp;
        game->playerTurn = 0;
        game->player.armour = ALWAYS_HIT_ARMOUR;
        seedSoThat([&] { return hitSuccess(0, ALWAYS_HIT_ARMOUR) && calculateDamage(0) >= 3; });
    }
};

TEST_F(FightTest, DrawsTheBackgroundCentredOverBlackBothFightersAndTheActionBar) {
    tree.writeImage("data/decor/grass.png", 301, 201); // odd: shows how centring rounds
    startFight();
    game->player.armour = NEVER_HIT_ARMOUR;
    pass({}, {});
    Uint32 scene = colourOf("data/decor/grass.png");
    EXPECT_EQ(at(319, 139), scene) << "the centred scene's top row, rounded down";
    EXPECT_EQ(at(319, 138), rgb(0, 0, 0)) << "black above the scene";
    EXPECT_EQ(at(169, 239), scene) << "the centred scene's left column, rounded down";
    EXPECT_EQ(at(168, 239), rgb(0, 0, 0)) << "black left of the scene";
    EXPECT_EQ(at(469, 239), scene) << "the scene's right column";
    EXPECT_EQ(at(470, 239), rgb(0, 0, 0)) << "black right of the scene";
    EXPECT_EQ(at(108, 238), colourOf("data/gfx/sprites/pc/3.png")) << "the hero faces right";
    EXPECT_EQ(at(318, 238), colourOf("data/gfx/sprites/npc0/1.png")) << "the enemy faces left";
    EXPECT_EQ(at(5, 413), rgb(200, 200, 200)) << "the action bar's grey frame";
    EXPECT_EQ(at(5, 415), rgb(0, 0, 195)) << "the action bar's blue band";
    const char* icons[] = {"data/icn/fight.png", "data/icn/defend.png", "data/icn/magick.png",
                           "data/icn/manap.png"};
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(at(22 + 49 * i, 422), colourOf(icons[i])) << "the bar's icons: " << icons[i];

    game->playerTurn = 0; // no action bar in the enemy's turn
    pass({}, {SDLK_SPACE});
    EXPECT_EQ(shots().size(), 1u) << "the enemy's turn waits once";
    EXPECT_EQ(pixelAt(shots()[0], 5, 413), rgb(0, 0, 0)) << "no action bar in the enemy's turn";
    EXPECT_EQ(delaysAsked(), std::vector<Uint32>({200})) << "the enemy's turn is paced 200 ms";
}

TEST_F(FightTest, AHitShowsTheDamageDealtAndAMissIsRedBothPassingTheTurnUnlessTheHitKills) {
    startFight("Goblin", 40);
    game->player.weaponMod = SURE_HIT_WEAPON;
    pass({SDLK_z}, {SDLK_SPACE});
    EXPECT_TRUE(says(0, "You hit Goblin for " + std::to_string(40 - enemy->hp) + " damage", false))
        << "a hit shows the damage dealt";
    EXPECT_LT(enemy->hp, 40) << "a hit deals damage";
    EXPECT_EQ(game->playerTurn, 0) << "a hit passes the turn";
    EXPECT_EQ(pixelAt(shots()[0], 285, 190), colourOf("data/gfx/fx/slash.png"))
        << "a hit shows the slash";

    game->playerTurn = 1;
    enemy->hp = 40;
    game->player.weaponMod = SURE_MISS_WEAPON;
    pass({SDLK_z}, {SDLK_SPACE});
    EXPECT_TRUE(says(0, "You missed Goblin", true)) << "a miss says so in red";
    EXPECT_EQ(enemy->hp, 40) << "a miss deals nothing";
    EXPECT_EQ(game->playerTurn, 0) << "a miss passes the turn";

    // A killing blow keeps the turn for the win.
    game->playerTurn = 1;
    enemy->hp = 1;
    game->player.weaponMod = SURE_HIT_WEAPON;
    pass({SDLK_z}, {SDLK_SPACE});
    EXPECT_EQ(game->playerTurn, 1) << "a killing blow keeps the turn";
}

// On the rolls where it decides, the blade adds 2 to its modifier; its damage
// is a die plus 1.
TEST_F(FightTest, TheBladeAddsTwoToItsModifierAndOneToTheDamageDie) {
    startFight("Goblin", 40);
    game->player.weaponMod = 0;
    auto hitsWith = [](unsigned seed, int attack) {
        srand(seed);
        return hitSuccess(attack, 0);
    };
    for (bool hits : {true, false}) { // a hit that 1 would miss, a miss that 3 would hit
        unsigned seed = 1;
        while (hitsWith(seed, 2) != hits || hitsWith(seed, hits ? 1 : 3) == hits)
            seed++;
        int damage = hitsWith(seed, 2) ? calculateDamage(1) : 0;
        game->playerTurn = 1;
        enemy->hp = 40;
        srand(seed);
        pass({SDLK_z}, {SDLK_SPACE});
        EXPECT_EQ(enemy->hp, 40 - damage) << "the blade adds 2 to hit and 1 to damage: " << hits;
    }
}

TEST_F(FightTest, PotionsGiveFifteenUpToTheMaximumOrKeepTheTurnWhenNoneAreLeft) {
    startFight();
    Player& p = game->player;
    const struct {
        SDLKey key;
        int *potions, *value, before, after, turn;
        const char* message;
    } cases[] = {{SDLK_x, &p.healPotions, &p.hp, 50, 60, 0, "Gained 15 health!"},
                 {SDLK_v, &p.manaPotions, &p.mp, -5, 10, 0, "Gained 15 mana!"},
                 {SDLK_x, &p.healPotions, &p.hp, 50, 50, 1, "No potions left."},
                 {SDLK_v, &p.manaPotions, &p.mp, 20, 20, 1, "No potions left."}};
    for (const auto& c : cases) {
        game->playerTurn = 1;
        *c.potions = 1 - c.turn;
        *c.value = c.before;
        pass({c.key}, {SDLK_SPACE});
        EXPECT_TRUE(says(0, c.message, c.turn == 1)) << "what a potion says: " << c.message;
        EXPECT_EQ(*c.value, c.after) << "15 points up to the maximum: " << c.message;
        EXPECT_EQ(*c.potions, 0) << "a potion is used up: " << c.message;
        EXPECT_EQ(game->playerTurn, c.turn) << "no potion keeps the turn: " << c.message;
    }
}

TEST_F(FightTest, OtherKeysAndEventsAreIgnoredAndEscapeEndsTheProcess) {
    startFight();
    pushKeyUp(SDLK_z);
    pushMouseClick(20, 20);
    pass({SDLK_a, SDLK_RETURN}, {});
    EXPECT_EQ(game->playerTurn, 1) << "other keys keep the turn";
    EXPECT_EQ(enemy->hp, 20) << "other keys do nothing";
    EXPECT_EQ(pendingEvents(), 0) << "the pass takes every event";
    pushKeyDown(SDLK_ESCAPE);
    EXPECT_EXIT(game->FightLoop(), ::testing::ExitedWithCode(0), "") << "Escape ends the game";
}

TEST_F(FightTest, TheEnemysHitIsRedAndItsMissBlueBothHandingBackTheTurn) {
    startFight();
    for (bool hits : {true, false}) {
        game->playerTurn = 0;
        game->player.hp = 60;
        game->player.armour = hits ? ALWAYS_HIT_ARMOUR : NEVER_HIT_ARMOUR;
        pass({}, {SDLK_SPACE});
        int damage = 60 - game->player.hp; // a hit's die may show 0
        EXPECT_TRUE(hits ? says(0, "Goblin hit you for " + std::to_string(damage) + " damage", true)
                         : says(0, "Goblin missed!", false) && damage == 0)
            << "the enemy's hit in red, its miss in blue";
        EXPECT_EQ(game->playerTurn, 1) << "the enemy hands back the turn";
    }
}

TEST_F(FightTest, WithTenMPTheMessiahRevivesAtFullHealthForAllOfIt) {
    enemyWillKill(10);
    pass({}, {SDLK_SPACE, SDLK_SPACE, SDLK_SPACE});
    EXPECT_TRUE(says(1, "You died....", true)) << "death says so";
    EXPECT_TRUE(says(2, "Back from the grave!!!!", false)) << "the Messiah says so";
    EXPECT_EQ(pixelAt(shots()[2], 100, 180), colourOf("data/gfx/fx/messiah.png"))
        << "the Messiah's picture";
    EXPECT_EQ(game->player.mp, 0) << "the Messiah takes all the MP";
    EXPECT_EQ(game->player.hp, game->player.maxHp) << "the Messiah revives at full health";
    EXPECT_EQ(game->playerTurn, 1) << "the revived hero has the turn";
}

TEST_F(FightTest, WithNineMPOrWithoutTheMessiahTheGameEndsAfterItsNotices) {
    enemyWillKill(9);
    scriptKeys({SDLK_SPACE, SDLK_SPACE, SDLK_SPACE, SDLK_SPACE});
    EXPECT_EXIT(game->FightLoop(), ::testing::ExitedWithCode(0), "scripted waits: 3\n")
        << "with nine MP the game ends after three notices";
    enemyWillKill(50);
    game->player.spellKnown[8] = 0;
    scriptKeys({SDLK_SPACE, SDLK_SPACE, SDLK_SPACE, SDLK_SPACE});
    EXPECT_EXIT(game->FightLoop(), ::testing::ExitedWithCode(0), "scripted waits: 2\n")
        << "without the Messiah the game ends after two notices";
}

} // namespace
