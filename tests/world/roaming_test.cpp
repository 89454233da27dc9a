// The roaming pass: held keys in their order and pace, stairs to the next
// floor and the win, the cheat keys, Return and screenshots.
#include <cstdio>
#include <unistd.h>

#include "support/harness.h"

namespace {

class RoamingTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        start();
        placeAt(50, 50);
    }
    void placeAt(int x, int y) {
        game->player.posX = x;
        game->player.posY = y;
        game->player.heading = 2;
    }
    // One input pass with exactly these keys held.
    std::string passHolding(std::initializer_list<SDLKey> keys) {
        releaseAllKeys();
        for (SDLKey key : keys)
            holdKey(key);
        startCapture();
        game->Roam_GetInput();
        releaseAllKeys();
        return stopCapture();
    }
};

TEST_F(RoamingTest, HeldArrowsStepOnceEachPassVerticalFirstWithUpOverDownAndLeftOverRight) {
    const struct {
        std::initializer_list<SDLKey> keys;
        int x, y, heading;
        size_t steps; // each step attempt is paced by 60 ms
    } cases[] = {
        {{SDLK_DOWN}, 50, 51, 2, 1},
        {{SDLK_RIGHT}, 51, 50, 3, 1},
        {{SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT}, 49, 49, 1, 2},
        {{SDLK_a, SDLK_SPACE}, 50, 50, 2, 0},
    };
    for (const auto& c : cases) {
        placeAt(50, 50);
        scriptKeys({});
        EXPECT_EQ(passHolding(c.keys), "") << "a step says nothing";
        EXPECT_EQ(endScript(), 0u) << "a step waits for no key";
        EXPECT_EQ(game->player.posX, c.x) << "left over right, one column a pass";
        EXPECT_EQ(game->player.posY, c.y) << "up over down, one row a pass";
        EXPECT_EQ(game->player.heading, c.heading) << "he faces his last step";
        EXPECT_EQ(delaysAsked(), std::vector<Uint32>(c.steps, 60)) << "each step takes 60 ms";
    }
    game->map.cells[50][49] = '1'; // up-then-left passes the wall on his left
    placeAt(50, 50);
    passHolding({SDLK_UP, SDLK_LEFT});
    EXPECT_EQ(game->player.posX, 49) << "the vertical step comes first";
    EXPECT_EQ(game->player.posY, 49) << "the vertical step comes first";
}

TEST_F(RoamingTest, StairsLeadToTheNextFloorWithItsPeopleAndTheLastOnesWin) {
    for (int next : {1, 5}) {
        const std::string n = std::to_string(next);
        tree.write("data/map" + n + ".qor", mapText((char)('0' + next)));
        tree.write("data/npcs" + n + ".qor", npcRecord("Troll " + n, 40, 41));
        game->player.floor = next - 1;
        placeAt(50, 50);
        game->map.cells[51][50] = '6';
        Quest* dropped = new Quest();
        game->questMaster->quests.push_back(dropped);
        game->player.currentQuest = dropped;
        addNpc(10, 10, 3, 0, "Left Behind");
        passHolding({SDLK_DOWN});
        EXPECT_EQ(game->player.floor, next) << "the stairs climb one floor";
        EXPECT_EQ(game->player.posY, 51) << "he keeps the stairs' cell";
        EXPECT_EQ(game->player.currentQuest, nullptr) << "the floor's quest is dropped";
        EXPECT_EQ(game->map.cells[0][0], '0' + next) << "the next floor's map is loaded";
        std::vector<std::string> names;
        for (NPC* npc : game->npcs)
            names.push_back(npc->name);
        EXPECT_EQ(names, std::vector<std::string>({"Mr. Questy", "Mr. Shoppy", "Troll " + n}))
            << "the next floor's people replace the last floor's";
    }
    placeAt(50, 50);
    game->map.cells[51][50] = '6';
    holdKey(SDLK_DOWN);
    EXPECT_EXIT(
        {
            fflush(stdout);
            dup2(2, 1); // "You won" goes to standard output
            game->Roam_GetInput();
        },
        ::testing::ExitedWithCode(0), "^You won\n$");
    game->player.floor = 2;
    EXPECT_EXIT(game->Roam_GetInput(), ::testing::ExitedWithCode(1),
                "Map data/map3.qor not found..");
}

TEST_F(RoamingTest, CheatKeysTradeGoldAndKeysPastZero) {
    game->player.gold = 10;
    game->player.keys = 0;
    EXPECT_EQ(passHolding({SDLK_k}), "CHEATER!!!!!!! Key added\n") << "k says so";
    EXPECT_EQ(game->player.gold, 9) << "k takes one gold";
    EXPECT_EQ(game->player.keys, 1) << "k adds a key";
    game->player.keys = 0;
    EXPECT_EQ(passHolding({SDLK_g}), "CHEATER!!!!!!! Gold added\n") << "g says so";
    EXPECT_EQ(game->player.keys, -1) << "g takes a key, past zero";
    EXPECT_EQ(game->player.gold, 10) << "g adds one gold";
    EXPECT_EQ(passHolding({SDLK_g, SDLK_k}), "CHEATER!!!!!!! Key added\n") << "k wins over g";
}

TEST_F(RoamingTest, ReturnWithNobodyAroundOnlySaysWhereThePlayerIsAndQuitGoesOn) {
    pushKeyDown(SDLK_a);
    pushMouseClick(100, 100);
    pushQuit();
    pushKeyDown(SDLK_RETURN);
    EXPECT_EQ(passHolding({SDLK_DOWN}), "You = (50,50)\n") << "Return says where he is";
    EXPECT_EQ(pendingEvents(), 0) << "the pass takes every queued event";
    EXPECT_EQ(game->quit, 1) << "a quit request ends the game after the pass";
    EXPECT_EQ(game->player.posY, 51) << "the held key still steps";
}

TEST_F(RoamingTest, F4SavesThePassesFrameDrawnBeforeItsInputWithoutAWord) {
    game->map.cells[50][51] = '4';
    unlink("screenshot.bmp");
    pushKeyDown(SDLK_F4);
    holdKey(SDLK_RIGHT);
    startCapture();
    game->RoamLoop();
    EXPECT_EQ(stopCapture(), "") << "roaming saves the screenshot without a word";
    releaseAllKeys();
    SDL_Surface* shot = SDL_LoadBMP("screenshot.bmp");
    ASSERT_NE(shot, nullptr) << "F4 saves screenshot.bmp";
    Uint8 r, g, b;
    SDL_GetRGB(pixelAt(shot, 370, 242), shot->format, &r, &g, &b);
    EXPECT_EQ(rgb(r, g, b), colourOf(tileFile(4))) << "the frame shows him before his step";
    SDL_FreeSurface(shot);
    EXPECT_EQ(game->player.posX, 51) << "the step follows the screenshot";
}

} // namespace
