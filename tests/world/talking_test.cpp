// Talking: who is found around the player and in which order, the quest
// giver's errands, the fight a hostile NPC starts with its background, and
// the conversation screen itself.
#include <unistd.h>

#include "support/harness.h"

namespace {

class TalkingTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        // Floor 0: two errands; floor 1: one; floor 2: none.
        tree.write("data/quests.qor", "30\n31\n0\nFetch me a coffee.\n1\n"
                                      "40\n20\n0\nCheck the mailroom.\n0\n"
                                      "7\n8\n1\nWater the ferns.\n0\n");
        start();
        game->player.posX = 50;
        game->player.posY = 50;
    }
    // Talks around the player's cell, each conversation ended by a key.
    std::vector<std::string> talk() {
        scriptKeys(std::vector<SDLKey>(20, SDLK_SPACE));
        startCapture();
        game->Roam_CheckNPCConvo(game->player.posX, game->player.posY);
        endScript();
        return linesOf(stopCapture());
    }
};

TEST_F(TalkingTest, NeighboursTalkInListOrderAndNobodyFurtherIsFound) {
    addNpc(51, 51, 3, 0, "First");
    addNpc(49, 49, 3, 0, "Second");
    addNpc(50, 50, 3, 0, "Third");
    addNpc(52, 50, 3, 0, "Too far");
    addNpc(50, 48, 3, 0, "Too far");
    EXPECT_EQ(talk(),
              std::vector<std::string>({"You = (50,50)", "NPC found relative to player: (1,1)",
                                        "NPC found relative to player: (-1,-1)",
                                        "NPC found relative to player: (0,0)"}));
    EXPECT_EQ(game->fighting, 0);
}

TEST_F(TalkingTest, OfSeveralHostileNeighboursTheLastInTheListIsFought) {
    addNpc(51, 50, 3, 1, "Brute");
    addNpc(49, 50, 3, 0, "Bystander");
    NPC* last = addNpc(50, 49, 3, 1, "Bully");
    EXPECT_EQ(talk(),
              std::vector<std::string>(
                  {"You = (50,50)", "NPC found relative to player: (1,0)", "Initializing fight...",
                   "Fight engine activated, background 1", "NPC found relative to player: (-1,0)",
                   "NPC found relative to player: (0,-1)", "Initializing fight...",
                   "Fight engine activated, background 1"}));
    EXPECT_EQ(game->fighting, 1);
    EXPECT_EQ(game->fightEnemy, last);
}

TEST_F(TalkingTest, TheFightBackgroundIsGrassOnlyOnGrassOrOffTheGrid) {
    const struct {
        char code;
        int background;
    } cases[] = {{'0', 0}, {'1', 1}, {'9', 1}, {'\0', 0}, {(char)200, 1}};
    addNpc(51, 50, 3, 1);
    for (const auto& c : cases) {
        game->map.cells[50][50] = c.code;
        game->fighting = 0;
        game->fightBackground = 1 - c.background;
        std::vector<std::string> lines = talk();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(),
                  "Fight engine activated, background " + std::to_string(c.background))
            << (int)(unsigned char)c.code;
        EXPECT_EQ(game->fightBackground, c.background);
    }
    game->player.posX = -1;
    game->player.posY = 10;
    addNpc(0, 10, 3, 1);
    game->fightBackground = 1;
    EXPECT_EQ(talk().back(), "Fight engine activated, background 0");
}

TEST_F(TalkingTest, TheQuestGiverHandsOutTheFloorsFirstOpenErrand) {
    game->player.posX = 3; // beside him at (2, 2), out of the shopkeeper's reach
    game->player.posY = 3;
    EXPECT_EQ(talk(),
              std::vector<std::string>({"You = (3,3)", "NPC found relative to player: (-1,-1)",
                                        "made quest request", "Fetch me a coffee. (30,31)",
                                        "Returned Fetch me a coffee.", "made quest request"}));
    Quest* first = game->questMaster->quests[0];
    EXPECT_EQ(game->player.currentQuest, first);
    EXPECT_EQ(game->npcs.front()->dialogue, "Fetch me a coffee.");
    talk(); // the same errand until it is solved
    EXPECT_EQ(game->player.currentQuest, first);
    first->completed = 1;
    talk();
    EXPECT_EQ(game->player.currentQuest, game->questMaster->quests[1]);
    game->player.floor = 1;
    talk();
    EXPECT_EQ(game->player.currentQuest, game->questMaster->quests[2]);
    // With no open errand he says so and takes the quest away.
    game->player.floor = 2;
    EXPECT_EQ(talk(),
              std::vector<std::string>({"You = (3,3)", "NPC found relative to player: (-1,-1)",
                                        "made quest request", "could not find any quests",
                                        "Returned I have no work for you on this floor!",
                                        "made quest request"}));
    EXPECT_EQ(game->player.currentQuest, nullptr);
}

TEST_F(TalkingTest, TheConversationShowsTheNameAboveTheBarAndTheLineOnIt) {
    NPC* npc = addNpc(51, 50, 3, 0, "Grumpy Gardener");
    npc->dialogue = "Get off my lawn!";
    game->Roam_DrawEverything();
    Uint32 white = rgb(255, 255, 255);
    Uint32 blue = rgb(0, 0, 200);
    pushKeyDown(SDLK_SPACE);
    EXPECT_EQ(game->initiateConversation(npc, 0), nullptr);
    EXPECT_EQ(at(639, 460), blue);
    EXPECT_EQ(at(639, 479), blue);
    EXPECT_EQ(at(639, 459), colourOf(tileFile(3)));
    EXPECT_TRUE(anyIn(0, 438, 200, 460, white));    // the name
    EXPECT_TRUE(anyIn(0, 460, 200, 480, white));    // the line
    EXPECT_FALSE(anyIn(300, 430, 640, 480, white)); // neither reaches this far
    EXPECT_EQ(pendingEvents(), 0);
}

TEST_F(TalkingTest, F4InAConversationSavesItAndTheWindowCannotBeClosed) {
    unlink("screenshot.bmp");
    NPC* npc = addNpc(51, 50, 3, 0, "Clara");
    game->Roam_DrawEverything();
    pushKeyDown(SDLK_F4);
    pushQuit();
    pushKeyUp(SDLK_F4);
    pushKeyDown(SDLK_SPACE);
    startCapture();
    game->initiateConversation(npc, 0);
    EXPECT_EQ(stopCapture(), "Screenshot\n");
    EXPECT_EQ(game->quit, 0);
    SDL_Surface* shot = SDL_LoadBMP("screenshot.bmp");
    ASSERT_NE(shot, nullptr);
    Uint8 r, g, b;
    SDL_GetRGB(pixelAt(shot, 639, 470), shot->format, &r, &g, &b);
    EXPECT_EQ(rgb(r, g, b), rgb(0, 0, 200));
    SDL_FreeSurface(shot);
}

} // namespace
