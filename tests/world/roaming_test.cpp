// The roaming pass: held keys in their order, stairs to the next floor and
// the win, the cheat keys, Return and screenshots.
#include <cstdio>
#include <unistd.h>

#include "support/harness.h"

namespace {

class RoamingTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        start();
        game->player.posX = 50;
        game->player.posY = 50;
        game->player.heading = 2;
    }
    // One input pass with exactly these keys held.
    std::string passHolding(std::initializer_list<SDLKey> keys) {
        releaseAllKeys();
        for (SDLKey key : keys)
            holdKey(key);
        startCapture();
        game->Roam_GetInput();
        std::string out = stopCapture();
        releaseAllKeys();
        return out;
    }
};

TEST_F(RoamingTest, HeldArrowsStepOnceEachPassWithUpOverDownAndLeftOverRight) {
    struct Case {
        std::initializer_list<SDLKey> keys;
        int x, y, heading;
    };
    const Case cases[] = {
        {{SDLK_DOWN}, 50, 51, 2},
        {{SDLK_RIGHT}, 51, 50, 3},
        {{SDLK_DOWN, SDLK_RIGHT}, 51, 51, 3},
        {{SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT}, 49, 49, 1},
        {{SDLK_a, SDLK_SPACE}, 50, 50, 2},
    };
    for (const Case& c : cases) {
        game->player.posX = 50;
        game->player.posY = 50;
        game->player.heading = 2;
        EXPECT_EQ(passHolding(c.keys), "");
        EXPECT_EQ(game->player.posX, c.x);
        EXPECT_EQ(game->player.posY, c.y);
        EXPECT_EQ(game->player.heading, c.heading);
    }
    // The vertical step comes first: up-then-left passes the wall on his left.
    game->map.cells[50][49] = '1';
    game->player.posX = 50;
    game->player.posY = 50;
    passHolding({SDLK_UP, SDLK_LEFT});
    EXPECT_EQ(game->player.posX, 49);
    EXPECT_EQ(game->player.posY, 49);
}

TEST_F(RoamingTest, StairsOfEachFloorLeadToTheNextAndTheLastOnesWin) {
    for (int next = 1; next <= 5; next++) {
        SCOPED_TRACE(next);
        const std::string n = std::to_string(next);
        tree.write("data/map" + n + ".qor", mapText((char)('0' + next)));
        tree.write("data/npcs" + n + ".qor",
                   "9\n9\n0\n0\n1\nTroll " + n + "\nNone shall pass.\n40\n41\n6\n");
        game->player.posX = 50;
        game->player.posY = 50;
        game->map.cells[51][50] = '6';
        Quest* dropped = new Quest();
        game->questMaster->quests.push_back(dropped);
        game->player.currentQuest = dropped;
        addNpc(10, 10, 3, 0, "Left Behind");
        std::string out = passHolding({SDLK_DOWN});
        EXPECT_EQ(game->player.floor, next);
        EXPECT_EQ(game->player.posY, 51);
        EXPECT_EQ(game->player.currentQuest, nullptr);
        EXPECT_EQ(game->map.cells[0][0], '0' + next);
        std::vector<std::string> names;
        for (NPC* npc : game->npcs)
            names.push_back(npc->name);
        EXPECT_EQ(names, std::vector<std::string>({"Mr. Questy", "Mr. Shoppy", "Troll " + n}));
        EXPECT_NE(out.find("Loaded map file..."), std::string::npos);
    }
    game->player.posY = 50;
    game->map.cells[51][50] = '6';
    holdKey(SDLK_DOWN);
    EXPECT_EXIT(
        {
            fflush(stdout);
            dup2(2, 1); // "You won" goes to standard output
            game->Roam_GetInput();
        },
        ::testing::ExitedWithCode(0), "^You won\n$");
}

TEST_F(RoamingTest, AMissingMapAtTheStairsEndsTheGame) {
    game->player.floor = 2;
    game->map.cells[51][50] = '6';
    holdKey(SDLK_DOWN);
    EXPECT_EXIT(game->Roam_GetInput(), ::testing::ExitedWithCode(1),
                "Map data/map3.qor not found..");
}

TEST_F(RoamingTest, CheatKeysTradeGoldAndKeysPastZero) {
    game->player.gold = 10;
    game->player.keys = 0;
    std::string out = passHolding({SDLK_k}) + passHolding({SDLK_k});
    EXPECT_EQ(out, "CHEATER!!!!!!! Key added\nCHEATER!!!!!!! Key added\n");
    EXPECT_EQ(game->player.gold, 8);
    EXPECT_EQ(game->player.keys, 2);
    game->player.keys = 0;
    EXPECT_EQ(passHolding({SDLK_g}), "CHEATER!!!!!!! Gold added\n");
    EXPECT_EQ(game->player.keys, -1);
    EXPECT_EQ(game->player.gold, 9);
    EXPECT_EQ(passHolding({SDLK_g, SDLK_k}), "CHEATER!!!!!!! Key added\n"); // k wins
    // The counts stop at the ends of an int.
    game->player.gold = -2147483647 - 1;
    game->player.keys = 2147483647;
    passHolding({SDLK_k});
    EXPECT_EQ(game->player.gold, -2147483647 - 1);
    EXPECT_EQ(game->player.keys, 2147483647);
}

TEST_F(RoamingTest, ReturnWithNobodyAroundOnlySaysWhereThePlayerIsAndQuitGoesOn) {
    pushKeyDown(SDLK_a);
    pushMouseClick(100, 100);
    pushQuit();
    pushKeyDown(SDLK_RETURN);
    EXPECT_EQ(passHolding({SDLK_DOWN}), "You = (50,50)\n");
    EXPECT_EQ(pendingEvents(), 0);
    EXPECT_EQ(game->quit, 1);
    EXPECT_EQ(game->player.posY, 51);
}

TEST_F(RoamingTest, F4SavesThePassesFrameDrawnBeforeItsInputWithoutAWord) {
    game->map.cells[50][51] = '4';
    unlink("screenshot.bmp");
    pushKeyDown(SDLK_F4);
    holdKey(SDLK_RIGHT);
    startCapture();
    game->RoamLoop();
    EXPECT_EQ(stopCapture(), "");
    releaseAllKeys();
    SDL_Surface* shot = SDL_LoadBMP("screenshot.bmp");
    ASSERT_NE(shot, nullptr);
    Uint8 r, g, b;
    SDL_GetRGB(pixelAt(shot, 370, 242), shot->format, &r, &g, &b);
    EXPECT_EQ(rgb(r, g, b), colourOf(tileFile(4))); // him before his step
    SDL_FreeSurface(shot);
    EXPECT_EQ(game->player.posX, 51);
}

} // namespace
