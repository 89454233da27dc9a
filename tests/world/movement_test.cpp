// Single steps: the collision rules in their order, doors and keys, the
// headings of mixed steps and the quest check that follows an allowed step.
#include "world/world_support.h"

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
    // A quest owned by the quest master, as if read from the quest file.
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
        const char* what;
        int x, y;
        char code;     // written at (x, y) when on the grid, and expected there after
        bool npcThere; // an NPC stands on (x, y)
        int keys;
        bool blocked;
        const char* output;
    } const cases[] = {
        {"NPC on a free cell", 51, 50, '3', true, 0, true, ""},
        {"NPC in a doorway: no door is tried", 51, 50, '7', true, 2, true, ""},
        {"left of column 0", -1, 50, 0, false, 3, true, ""},
        {"right of column 99", 100, 50, 0, false, 3, true, ""},
        {"above row 0", 50, -1, 0, false, 3, true, ""},
        {"below row 99", 50, 100, 0, false, 3, true, ""},
        {"door with two keys", 51, 50, '7', false, 2, true, OPENS},
        {"door with no key", 51, 50, '7', false, 0, true, REFUSED},
        {"door with a negative count", 51, 50, '7', false, -3, true, REFUSED},
        {"wall '1'", 51, 50, '1', false, 1, true, ""},
        {"wall '5'", 51, 50, '5', false, 1, true, ""},
        {"grass '0'", 51, 50, '0', false, 1, false, ""},
        {"open door '2'", 51, 50, '2', false, 1, false, ""},
        {"floor '4'", 51, 50, '4', false, 1, false, ""},
        {"stairs '6'", 51, 50, '6', false, 1, false, ""},
        {"unknown code '9'", 51, 50, '9', false, 1, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bool onGrid = Map::contains(c.x, c.y);
        if (onGrid)
            game->map.cells[c.y][c.x] = c.code;
        if (c.npcThere)
            addNpc(*game, c.x, c.y);
        game->player.keys = c.keys;
        startCapture();
        EXPECT_EQ(game->tileCollision(c.x, c.y), c.blocked);
        EXPECT_EQ(stopCapture(), c.output);
        bool opened = c.output == OPENS;
        EXPECT_EQ(game->player.keys, c.keys - opened);
        if (onGrid) {
            EXPECT_EQ(game->map.cells[c.y][c.x], opened ? '2' : c.code);
        }
        if (c.npcThere)
            removeLastNpc(*game);
    }
}

TEST_F(MovementTest, DetectingADoorWhereThereIsNoneSaysSo) {
    game->map.cells[50][51] = '2';
    game->player.keys = 4;
    for (int x : {51, -1, 100}) {
        startCapture();
        game->detectAndOpenDoors(x, 50);
        EXPECT_EQ(linesOf(stopCapture()),
                  std::vector<std::string>({"Detecting door", "Not a door"}));
    }
    EXPECT_EQ(game->map.cells[50][51], '2');
    EXPECT_EQ(game->player.keys, 4);
}

TEST_F(MovementTest, ADoorOpensOnOneStepAndIsEnteredOnTheNext) {
    game->map.cells[50][51] = '7';
    game->player.keys = 1;
    startCapture();
    game->Roam_Step(1, 0);
    EXPECT_EQ(linesOf(stopCapture()),
              std::vector<std::string>({"Detecting door", "Opening door."}));
    EXPECT_EQ(game->player.posX, 50);
    EXPECT_EQ(game->player.heading, 2); // a refused step does not turn him
    EXPECT_EQ(game->player.keys, 0);
    startCapture();
    game->Roam_Step(1, 0);
    EXPECT_EQ(stopCapture(), "");
    EXPECT_EQ(game->player.posX, 51);
    EXPECT_EQ(game->player.heading, 3);
}

TEST_F(MovementTest, TheVerticalPartOfAMixedStepDecidesTheHeading) {
    struct Case {
        int dx, dy;
        int x, y, heading;
    };
    const Case cases[] = {
        {5, -3, 11, 9, 0}, {-7, 2, 9, 11, 2}, {4, 0, 11, 10, 3},
        {-1, 0, 9, 10, 1}, {0, 0, 10, 10, 1}, // no step: heading kept
    };
    for (const Case& c : cases) {
        Player player;
        player.posX = 10;
        player.posY = 10;
        player.heading = 1;
        player.moveRelative(c.dx, c.dy);
        EXPECT_EQ(player.posX, c.x) << c.dx << "," << c.dy;
        EXPECT_EQ(player.posY, c.y) << c.dx << "," << c.dy;
        EXPECT_EQ(player.heading, c.heading) << c.dx << "," << c.dy;
    }
}

TEST_F(MovementTest, ArrivingAtTheQuestCellSolvesItAndShowsTheNotice) {
    Quest* quest = addQuest(51, 50, 0, 1, "Water the plants.");
    game->player.currentQuest = quest;
    game->player.gold = 100;
    game->player.keys = 0;
    pushKeyDown(SDLK_SPACE); // closes the notice
    startCapture();
    game->Roam_Step(1, 0);
    EXPECT_EQ(linesOf(stopCapture()),
              std::vector<std::string>({"Quest Water the plants. completed", "Solved a quest",
                                        "Displayed quest completion screen"}));
    EXPECT_EQ(game->player.posX, 51);
    EXPECT_EQ(game->player.gold, 140);
    EXPECT_EQ(game->player.keys, 1);
    EXPECT_EQ(quest->completed, 1);
    EXPECT_EQ(game->player.currentQuest, nullptr);
    // The notice's white text stands at (20, 240), over the frame.
    bool white = false;
    for (int x = 20; x < 120 && !white; x++)
        for (int y = 240; y < 262 && !white; y++)
            white = at(x, y) == rgb(255, 255, 255);
    EXPECT_TRUE(white);
    EXPECT_EQ(pendingEvents(), 0);
}

TEST_F(MovementTest, AQuestIsSolvedOnlyByAnAllowedStepOnItsOwnFloor) {
    struct Case {
        const char* what;
        int questFloor;
        char code; // of the quest's cell
        bool npcThere;
    };
    const Case cases[] = {
        {"another floor", 1, '3', false},
        {"a wall", 0, '1', false},
        {"a locked door", 0, '7', false},
        {"an NPC's cell", 0, '3', true},
    };
    for (const Case& c : cases) {
        game->player.posX = 50;
        game->player.posY = 50;
        game->player.keys = 0;
        game->map.cells[50][51] = c.code;
        Quest* quest = addQuest(51, 50, c.questFloor, 0, "Find the exit.");
        game->player.currentQuest = quest;
        if (c.npcThere)
            addNpc(*game, 51, 50);
        int gold = game->player.gold;
        startCapture();
        game->Roam_Step(1, 0);
        std::string out = stopCapture();
        EXPECT_EQ(out.find("completed"), std::string::npos) << c.what;
        EXPECT_EQ(quest->completed, 0) << c.what;
        EXPECT_EQ(game->player.currentQuest, quest) << c.what;
        EXPECT_EQ(game->player.gold, gold) << c.what;
        if (c.npcThere)
            removeLastNpc(*game);
    }
}

TEST_F(MovementTest, AStepThatSolvesAQuestOnTheStairsDoesNotClimbThem) {
    game->map.cells[51][50] = '6';
    game->player.currentQuest = addQuest(50, 51, 0, 0, "Guard the stairs.");
    pushKeyDown(SDLK_SPACE);
    startCapture();
    game->Roam_Step(0, 1);
    stopCapture();
    EXPECT_EQ(game->player.currentQuest, nullptr);
    EXPECT_EQ(game->player.floor, 0);
    EXPECT_EQ(game->player.posY, 51);
}

} // namespace
