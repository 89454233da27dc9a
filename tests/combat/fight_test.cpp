// The fight pass: the screen and trace it draws, the player's keys, the
// enemy's attack, death and the Messiah's revival.
#include "fight_fixture.h"

namespace {

std::vector<std::string> drawingTrace(int character) {
    return {"Initializing fight roll",
            "Initialized variables",
            "Blitted background",
            "Drawing sprite " + std::to_string(character),
            "Blitted sprite " + std::to_string(character),
            "Drawing player HUD...",
            "Drew player HUD, drawing enemy HUD..",
            "Initializing rectangle",
            "Initializing colour",
            "allocating dialogue memory",
            "sprintf operation",
            "Mapped rect, blitting...",
            "Memory freed, HUD_Enemy exiting",
            "Drew enemy HP/MP/etc"};
}

TEST_F(FightTest, DrawsTheBackgroundCentredOverBlackBothFightersAndTheActionBar) {
    tree.writeImage("data/decor/grass.png", 301, 201); // odd: shows how centring rounds
    startFight();
    game->player.armour = NEVER_HIT_ARMOUR;
    pass({}, {});
    Uint32 scene = colourOf("data/decor/grass.png");
    EXPECT_EQ(at(319, 139), scene);
    EXPECT_EQ(at(319, 138), rgb(0, 0, 0));
    EXPECT_EQ(at(169, 239), scene);
    EXPECT_EQ(at(168, 239), rgb(0, 0, 0));
    EXPECT_EQ(at(469, 239), scene);
    EXPECT_EQ(at(470, 239), rgb(0, 0, 0));
    EXPECT_EQ(at(108, 238), colourOf("data/gfx/sprites/pc/3.png"));
    EXPECT_EQ(at(318, 238), colourOf("data/gfx/sprites/npc0/1.png"));
    EXPECT_EQ(at(5, 413), rgb(200, 200, 200));
    EXPECT_EQ(at(5, 415), rgb(0, 0, 195));
    const char* icons[] = {"data/icn/fight.png", "data/icn/defend.png", "data/icn/magick.png",
                           "data/icn/manap.png"};
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(at(22 + 49 * i, 422), colourOf(icons[i])) << icons[i];

    // No action bar in the enemy's turn.
    game->playerTurn = 0;
    pass({}, {box("Goblin missed!", false)});
    EXPECT_EQ(at(5, 413), rgb(0, 0, 0));
}

TEST_F(FightTest, AnEnemyWithoutASpriteRowIsNotDrawnButStillTraced) {
    startFight("Ghost", 20, 10);
    startCapture();
    pass({}, {});
    EXPECT_EQ(linesOf(stopCapture()), drawingTrace(10));
    EXPECT_EQ(at(318, 238), colourOf("data/decor/grass.png"));
}

TEST_F(FightTest, AHitShowsTheDamageDealtAndAMissIsRedBothPassingTheTurn) {
    startFight("Goblin", 40);
    game->player.weaponMod = SURE_HIT_WEAPON;
    std::vector<Seen> seen = pass({SDLK_z}, {box("You hit Goblin for %i damage", false)});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(enemy->hp, 40 - seen[0].number);
    EXPECT_EQ(game->playerTurn, 0);
    EXPECT_EQ(pixelAt(seen[0].shot, 285, 190), colourOf("data/gfx/fx/slash.png"));

    game->playerTurn = 1;
    enemy->hp = 40;
    game->player.weaponMod = SURE_MISS_WEAPON;
    pass({SDLK_z}, {box("You missed Goblin", true)});
    EXPECT_EQ(enemy->hp, 40);
    EXPECT_EQ(game->playerTurn, 0);
}

TEST_F(FightTest, PotionsGiveFifteenUpToTheMaximumOrKeepTheTurnWhenNoneAreLeft) {
    startFight();
    Player& p = game->player;
    p.healPotions = 2;
    p.hp = 50;
    pass({SDLK_x}, {box("Gained 15 health!", false)});
    EXPECT_EQ(p.hp, 60);
    EXPECT_EQ(p.healPotions, 1);
    EXPECT_EQ(game->playerTurn, 0);

    game->playerTurn = 1;
    p.manaPotions = 1;
    p.maxMp = 50;
    p.mp = -5;
    pass({SDLK_v}, {box("Gained 15 mana!", false)});
    EXPECT_EQ(p.mp, 10);
    EXPECT_EQ(p.manaPotions, 0);

    game->playerTurn = 1;
    p.healPotions = 0;
    pass({SDLK_x}, {box("No potions left.", true)});
    pass({SDLK_v}, {box("No potions left.", true)});
    EXPECT_EQ(game->playerTurn, 1);
    EXPECT_EQ(p.hp, 60);
}

TEST_F(FightTest, OtherKeysAndEventsAreIgnoredAndEscapeEndsTheProcess) {
    startFight();
    pushKeyUp(SDLK_z);
    pushMouseClick(20, 20);
    pass({SDLK_a, SDLK_RETURN}, {});
    EXPECT_EQ(game->playerTurn, 1);
    EXPECT_EQ(enemy->hp, 20);
    EXPECT_EQ(pendingEvents(), 0);
    pushKeyDown(SDLK_ESCAPE);
    EXPECT_EXIT(game->FightLoop(), ::testing::ExitedWithCode(0), "");
}

TEST_F(FightTest, TheEnemysHitIsRedAndItsMissBlueBothTracedAndHandBackTheTurn) {
    startFight();
    for (bool hits : {true, false}) {
        SCOPED_TRACE(hits ? "hit" : "miss");
        game->playerTurn = 0;
        game->player.armour = hits ? ALWAYS_HIT_ARMOUR : NEVER_HIT_ARMOUR;
        game->player.hp = 60;
        startCapture();
        std::vector<Seen> seen = pass(
            {}, {hits ? box("Goblin hit you for %i damage", true) : box("Goblin missed!", false)});
        std::vector<std::string> output = linesOf(stopCapture());
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(game->player.hp, 60 - (hits ? seen[0].number : 0));
        EXPECT_EQ(game->playerTurn, 1);
        std::vector<std::string> expected = drawingTrace(1);
        expected.push_back(hits ? "Enemy hit you" : "Enemy missed");
        expected.push_back("Wrote string");
        EXPECT_EQ(output, expected);
    }
}

class Dying : public FightTest {
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

TEST_F(Dying, WithTenMPTheMessiahRevivesAtFullHealthForAllOfIt) {
    enemyWillKill(10);
    std::vector<Seen> seen =
        pass({}, {box("Goblin hit you for %i damage", true), box("You died....", true),
                  box("Back from the grave!!!!", false)});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(pixelAt(seen[2].shot, 100, 180), colourOf("data/gfx/fx/messiah.png"));
    EXPECT_EQ(game->player.mp, 0);
    EXPECT_EQ(game->player.hp, game->player.maxHp);
    EXPECT_EQ(game->playerTurn, 1);
}

TEST_F(Dying, WithNineMPOrWithoutTheMessiahTheGameEnds) {
    enemyWillKill(9);
    scriptPlayer(game.get(), {box("Goblin hit you for %i damage", true), box("You died....", true),
                              box("Not enough MP to respawn...", true)});
    expectProcessEnd();
    EXPECT_EXIT(game->FightLoop(), ::testing::ExitedWithCode(0),
                "3 waits answered; last: Not enough MP to respawn\\.\\.\\.; problems: 0");

    enemyWillKill(50);
    game->player.spellKnown[8] = 0;
    scriptPlayer(game.get(),
                 {box("Goblin hit you for %i damage", true), box("You died....", true)});
    expectProcessEnd();
    EXPECT_EXIT(game->FightLoop(), ::testing::ExitedWithCode(0),
                "2 waits answered; last: You died\\.\\.\\.\\.; problems: 0");
}

} // namespace
