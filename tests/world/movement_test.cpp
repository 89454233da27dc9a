// Single steps: the collision rules in their order, doors and keys, the
// heading of mixed steps and the quest check after an allowed step.
#include "support/harness.h"

namespace {

class MovementTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        start();
        game->player.posX = 50;
        game->player.posY = 50;
        game->player.heading = 2;
    }
    Quest* addQuest(int x, int y, int floor, int rewardKey, const std::string& text) {
        Quest* quest = new Quest();
        quest->posX = x;
        quest->posY = y;
        quest->floor = floor;
        quest->rewardKey = rewardKey;
        quest->text = text;
        game->questMaster->quests.push_back(quest);
        return quest;
    }
};

TEST_F(MovementTest, CollisionRulesApplyInOrderAndTheFirstDecides) {
    const char* const OPENS = "Detecting door\nOpening door.\n";
    const char* const REFUSED = "Detecting door\nNot enough keys\n";
    struct Case {
        int x, y;
        char code;     // written at (x, y) when on the grid, and expected there after
        bool npcThere; // an NPC stands on (x, y)
        int keys;
        bool blocked;
        const char* output;
    } const cases[] = {
        {51, 50, '7', true, 2, true, ""}, // no door is tried under an NPC
        {-1, 50, 0, false, 3, true, ""},      {50, 100, 0, false, 3, true, ""},
        {51, 50, '7', false, 2, true, OPENS}, {51, 50, '7', false, 0, true, REFUSED},
        {51, 50, '1', false, 1, true, ""},    {51, 50, '5', false, 1, true, ""},
        {51, 50, '0', false, 1, false, ""},   {51, 50, '9', false, 1, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.code) + " at " + std::to_string(c.x) + "," +
                     std::to_string(c.y));
        bool onGrid = Map::contains(c.x, c.y);
        if (onGrid)
            game->map.cells[c.y][c.x] = c.code;
        if (c.npcThere)
            addNpc(c.x, c.y);
        game->player.keys = c.keys;
        startCapture();
        EXPECT_EQ(game->tileCollision(c.x, c.y), c.blocked);
        EXPECT_EQ(stopCapture(), c.output);
        bool opened = c.output == OPENS;
        EXPECT_EQ(game->player.keys, c.keys - opened);
        EXPECT_TRUE(!onGrid || game->map.cells[c.y][c.x] == (opened ? '2' : c.code));
        if (c.npcThere) {
            delete game->npcs.back();
            game->npcs.pop_back();
        }
    }
    game->map.cells[50][51] = '2';
    startCapture();
    game->detectAndOpenDoors(51, 50);
    EXPECT_EQ(stopCapture(), "Detecting door\nNot a door\n");
}

TEST_F(MovementTest, ADoorOpensOnOneStepAndIsEnteredOnTheNext) {
    game->map.cells[50][51] = '7';
    game->player.keys = 1;
    startCapture();
    game->Roam_Step(1, 0);
    EXPECT_EQ(stopCapture(), "Detecting door\nOpening door.\n");
    EXPECT_EQ(game->player.posX, 50);
    EXPECT_EQ(game->player.heading, 2); // a refused step does not turn him
    game->Roam_Step(1, 0);
    EXPECT_EQ(game->player.posX, 51);
    EXPECT_EQ(game->player.heading, 3);
}

TEST_F(MovementTest, TheVerticalPartOfAMixedStepDecidesTheHeading) {
    const int cases[][5] = {{5, -3, 11, 9, 0}, {-7, 2, 9, 11, 2}, {0, 0, 10, 10, 1}};
    for (const auto& c : cases) {
        Player player;
        player.posX = player.posY = 10;
        player.heading = 1;
        player.moveRelative(c[0], c[1]);
        EXPECT_EQ(player.posX * 10000 + player.posY * 10 + player.heading,
                  c[2] * 10000 + c[3] * 10 + c[4])
            << c[0] << "," << c[1];
    }
}

TEST_F(MovementTest, ArrivingAtTheQuestCellSolvesItAndShowsTheNotice) {
    Quest* quest = addQuest(51, 50, 0, 1, "Water the plants.");
    game->player.currentQuest = quest;
    game->player.gold = 100;
    game->player.keys = 0;
    scriptKeys({SDLK_SPACE}); // closes the notice
    startCapture();
    game->Roam_Step(1, 0);
    EXPECT_EQ(linesOf(stopCapture()),
              std::vector<std::string>({"Quest Water the plants. completed", "Solved a quest",
                                        "Displayed quest completion screen"}));
    EXPECT_EQ(game->player.gold, 140);
    EXPECT_EQ(game->player.keys, 1);
    EXPECT_EQ(quest->completed, 1);
    EXPECT_EQ(game->player.currentQuest, nullptr);
    EXPECT_TRUE(anyIn(20, 240, 120, 262, rgb(255, 255, 255))); // the notice's text
}

TEST_F(MovementTest, AQuestIsSolvedOnlyByAnAllowedStepOnItsOwnFloor) {
    const struct {
        int questFloor;
        char code;
    } cases[] = {{1, '3'}, {0, '7'}};
    for (const auto& c : cases) {
        game->player.posX = 50;
        game->player.keys = 0;
        game->map.cells[50][51] = c.code;
        Quest* quest = addQuest(51, 50, c.questFloor, 0, "Find the exit.");
        game->player.currentQuest = quest;
        startCapture();
        game->Roam_Step(1, 0);
        EXPECT_EQ(stopCapture().find("completed"), std::string::npos) << c.code;
        EXPECT_EQ(quest->completed, 0) << c.code;
        EXPECT_EQ(game->player.currentQuest, quest) << c.code;
    }
}

TEST_F(MovementTest, AStepThatSolvesAQuestOnTheStairsDoesNotClimbThem) {
    game->map.cells[51][50] = '6';
    game->player.currentQuest = addQuest(50, 51, 0, 0, "Guard the stairs.");
    scriptKeys({SDLK_SPACE});
    startCapture();
    game->Roam_Step(0, 1);
    stopCapture();
    EXPECT_EQ(game->player.currentQuest, nullptr);
    EXPECT_EQ(game->player.floor, 0);
}

} // namespace
