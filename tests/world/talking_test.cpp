// Talking: who is found around the player and in which order, the quest
// giver's errands, the fight a hostile NPC starts with its background, and
// the conversation screen itself.
#include "support/harness.h"

namespace {

class TalkingTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        // Floor 0: two errands; floor 1: one; floor 2: none.
        tree.write("data/quests.qor", questRecord("Fetch me a coffee.", 30, 31, 0, 1) +
                                          questRecord("Check the mailroom.", 40, 20) +
                                          questRecord("Water the ferns.", 7, 8, 1));
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

TEST_F(TalkingTest, NeighboursTalkInListOrderAndTheLastHostileOneIsFought) {
    addNpc(51, 51, 3, 0, "First");
    addNpc(49, 49, 3, 1, "Brute");
    addNpc(50, 50, 3, 0, "Third");
    addNpc(52, 50, 3, 1, "Too far");
    addNpc(50, 48, 3, 1, "Too far");
    NPC* last = addNpc(50, 49, 3, 1, "Bully");
    EXPECT_EQ(talk(),
              std::vector<std::string>(
                  {"You = (50,50)", "NPC found relative to player: (1,1)",
                   "NPC found relative to player: (-1,-1)", "Initializing fight...",
                   "Fight engine activated, background 1", "NPC found relative to player: (0,0)",
                   "NPC found relative to player: (0,-1)", "Initializing fight...",
                   "Fight engine activated, background 1"}));
    EXPECT_EQ(shots().size(), 4u) << "each neighbour has his say, hostile or not";
    EXPECT_EQ(game->fighting, 1) << "a hostile neighbour starts a fight";
    EXPECT_EQ(game->fightEnemy, last) << "the last hostile one is fought";
}

TEST_F(TalkingTest, TheFightBackgroundIsGrassOnlyOnGrassOrOffTheGrid) {
    const struct {
        char code;
        int background;
    } cases[] = {{'0', 0}, {'1', 1}, {'9', 1}, {'\0', 0}, {(char)200, 1}};
    addNpc(51, 50, 3, 1);
    for (const auto& c : cases) {
        game->map.cells[50][50] = c.code;
        game->fightBackground = 1 - c.background;
        EXPECT_EQ(talk().back(),
                  "Fight engine activated, background " + std::to_string(c.background))
            << (int)(unsigned char)c.code;
        EXPECT_EQ(game->fightBackground, c.background) << "grass only on grass or off the grid";
    }
    game->player.posX = -1;
    addNpc(0, 50, 3, 1);
    game->fightBackground = 1;
    EXPECT_EQ(talk().back(), "Fight engine activated, background 0") << "the fight says its scene";
}

TEST_F(TalkingTest, TheQuestGiverHandsOutTheFloorsFirstOpenErrand) {
    game->player.posX = 3; // beside him at (2, 2), out of the shopkeeper's reach
    game->player.posY = 3;
    talk();
    std::vector<Quest*>& quests = game->questMaster->quests;
    EXPECT_EQ(game->player.currentQuest, quests[0]) << "the floor's first open errand";
    EXPECT_EQ(game->npcs.front()->dialogue, "Fetch me a coffee.") << "he says the errand";
    talk(); // the same errand until it is solved
    EXPECT_EQ(game->player.currentQuest, quests[0]) << "an open errand is handed out again";
    quests[0]->completed = 1;
    talk();
    EXPECT_EQ(game->player.currentQuest, quests[1]) << "a completed errand is skipped";
    game->player.floor = 1;
    talk();
    EXPECT_EQ(game->player.currentQuest, quests[2]) << "the first open errand of his new floor";
    game->player.floor = 2; // no open errand: he says so and takes the quest away
    EXPECT_EQ(talk()[4], "Returned I have no work for you on this floor!") << "no errand left";
    EXPECT_EQ(game->player.currentQuest, nullptr) << "no errand left, none is held";
}

// The wait that follows is the message box's, tried there.
TEST_F(TalkingTest, TheConversationShowsTheNameAndLineOnItsBar) {
    NPC* npc = addNpc(51, 50, 3, 0, "Old Hermit");
    npc->dialogue = "Get off my lawn!";
    game->Roam_DrawEverything();
    Uint32 blue = rgb(0, 0, 200);
    pushKeyDown(SDLK_SPACE);
    EXPECT_EQ(game->initiateConversation(npc, 0), nullptr) << "a plain NPC hands out nothing";
    EXPECT_EQ(at(639, 460), blue) << "the bar starts at y 460";
    EXPECT_EQ(at(639, 479), blue) << "the bar reaches the bottom";
    EXPECT_EQ(at(639, 459), colourOf(tileFile(3))) << "the frame shows above the bar";
    EXPECT_TRUE(showsText(game.get(), game->screen, "Old Hermit", 0, 438)) << "the name";
    EXPECT_TRUE(showsText(game.get(), game->screen, "Get off my lawn!", 0, 458)) << "the line";
}

} // namespace
