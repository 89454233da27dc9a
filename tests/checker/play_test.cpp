// The checker's play rules on tiny campaigns broken one way at a time: each
// problem a player would meet is found and named.
#include "tiny.h"

namespace {

// Surrounds (x, y) with walls on all eight sides.
void enclose(TinyCampaign& tiny, int floor, int x, int y) {
    tiny.fill(floor, x - 1, y - 1, x + 1, y + 1, '1');
    tiny.set(floor, x, y, '3');
}

// A wall across the floor between where the player arrives and the stairs,
// with one locked door at (returned column, 60).
int lockTheWayUp(TinyCampaign& tiny, int floor) {
    int x = floor == 0 ? 45 : TinyCampaign::stairsX(floor) - 1;
    tiny.fill(floor, x, 1, x, 98, '1');
    tiny.set(floor, x, 60, '7');
    return x;
}

void expectProblem(const Report& report, const std::string& words) {
    EXPECT_NE(findProblem(report, words), nullptr) << "no problem says \"" << words << "\"";
}

TEST_F(CheckerTest, TheTinyCampaignIsCleanAndCanBeWon) {
    ClimbPlan plan;
    Report report = check(&plan);
    EXPECT_TRUE(report.clean()) << report.problems[0].text;
    EXPECT_TRUE(plan.wins);
}

TEST_F(CheckerTest, StairsNobodyCanReachAreReported) {
    tiny.set(1, 80, 80, '6');
    tiny.wallIn(1, 80, 80);
    Report report = check();
    const Problem* p = findProblem(report, "the stairs at (80,80) cannot be reached from (50,50)");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->line, 81);
    EXPECT_EQ(findProblem(report, "no stairs can be reached"), nullptr);
}

TEST_F(CheckerTest, AFloorWithoutAWayUpIsReported) {
    tiny.wallIn(3, TinyCampaign::stairsX(3), TinyCampaign::stairsY());
    expectProblem(check(), "no stairs can be reached from (54,50), where the player arrives on "
                           "floor 3: there is no way up");
    tiny = TinyCampaign();
    tiny.set(5, TinyCampaign::stairsX(5), TinyCampaign::stairsY(), '3');
    expectProblem(check(), "the game cannot be won");
}

TEST_F(CheckerTest, SpawnCellsOutOfReachAreReported) {
    enclose(tiny, 2, 2, 2);
    expectProblem(check(), "the quest giver at (2,2) cannot be reached from (52,50)");
    tiny = TinyCampaign();
    tiny.set(4, 5, 2, '5');
    expectProblem(check(), "the shopkeeper stands on an obstacle at (5,2)");
}

struct QuestCase {
    const char* name;
    int x, y;
    char code;     // put on the target cell of floor 1
    bool walledIn; // wall the target in
    bool characterThere;
    const char* words;
};

class QuestTargets : public CheckerTest, public ::testing::WithParamInterface<QuestCase> {};

TEST_P(QuestTargets, ThatCannotBeSolvedAreReported) {
    const QuestCase& c = GetParam();
    tiny.quests =
        questRecord(10, 10, 1, "First", false) + questRecord(c.x, c.y, 1, "Errand", false);
    if (Map::contains(c.x, c.y) && c.code)
        tiny.set(1, c.x, c.y, c.code);
    if (c.walledIn)
        tiny.wallIn(1, c.x, c.y);
    if (c.characterThere)
        tiny.npcs[1] = npcRecord(20, false, "Bob", "Hi", c.x, c.y, 3);
    Report report = check();
    const Problem* p = findProblem(report, c.words);
    ASSERT_NE(p, nullptr) << "no problem says \"" << c.words << "\"";
    EXPECT_EQ(p->file, dir + "/quests.qor");
    EXPECT_EQ(p->line, 6);
}

INSTANTIATE_TEST_SUITE_P(
    Play, QuestTargets,
    ::testing::Values(
        QuestCase{"onAWall", 30, 30, '1', false, false,
                  "the target (30,30) of \"Errand\" is a wall"},
        QuestCase{"onAnObstacle", 30, 30, '5', false, false, "is an obstacle on floor 1"},
        QuestCase{"walledIn", 30, 30, 0, true, false, "cannot be reached on floor 1"},
        QuestCase{"whereSomeoneStands", 30, 30, 0, false, true, "is where Bob stands on floor 1"},
        QuestCase{"offTheMap", 150, 30, 0, false, false,
                  "the target (150,30) of \"Errand\" is off the map"}),
    [](const ::testing::TestParamInfo<QuestCase>& info) { return std::string(info.param.name); });

TEST_F(CheckerTest, AQuestOnTheStairsOrOnALockedDoorCanBeSolved) {
    tiny.quests = questRecord(TinyCampaign::stairsX(0), 50, 0, "Stand on the stairs", false) +
                  questRecord(10, 30, 0, "Find a key", true) +
                  questRecord(30, 30, 0, "Open the cupboard", false);
    tiny.set(0, 30, 30, '7');
    ClimbPlan plan;
    Report report = check(&plan);
    EXPECT_TRUE(report.clean()) << report.problems[0].text;
}

TEST_F(CheckerTest, CharactersOnWallsOnEachOtherOrOffTheMapAreReported) {
    tiny.set(0, 30, 30, '1');
    tiny.npcs[0] = npcRecord(20, false, "Wally", "Hi", 30, 30, 3) +
                   npcRecord(20, false, "Twin", "Hi", 40, 40, 3) +
                   npcRecord(20, false, "Other twin", "Hi", 40, 40, 4) +
                   npcRecord(20, false, "Shop rival", "Hi", 5, 2, 5) +
                   npcRecord(20, false, "Wanderer", "Hi", 120, 7, 6) +
                   npcRecord(20, false, "Hermit", "Hi", 70, 70, 7);
    enclose(tiny, 0, 70, 70);
    Report report = check();
    const Problem* wally = findProblem(report, "Wally stands on a wall at (30,30)");
    ASSERT_NE(wally, nullptr);
    EXPECT_EQ(wally->line, 8);
    expectProblem(report, "Other twin stands on the same cell (40,40) as Twin");
    expectProblem(report, "Shop rival stands on the same cell (5,2) as the shopkeeper");
    expectProblem(report, "Wanderer stands at (120,7), off the map");
    expectProblem(report, "Hermit at (70,70) cannot be reached from (25,19)");
    EXPECT_EQ(findProblem(report, "Twin at"), nullptr);
}

TEST_F(CheckerTest, TheStartOnAWallIsReported) {
    tiny.set(0, START_X, START_Y, '5');
    expectProblem(check(), "the player starts at (25,19) on an obstacle");
}

TEST_F(CheckerTest, LandingCellsThatAreBlockedOrLeadNowhereAreReported) {
    tiny.set(1, TinyCampaign::stairsX(0), 50, '1');
    Report report = check();
    const Problem* p =
        findProblem(report, "the stairs at (50,50) of floor 0 land the player here on a wall");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->file, dir + "/map1.qor");
    EXPECT_EQ(p->line, 51);

    tiny = TinyCampaign();
    tiny.npcs[2] = npcRecord(20, false, "Doorman", "Hi", TinyCampaign::stairsX(1), 50, 3);
    expectProblem(check(), "the stairs at (52,50) of floor 1 land the player here on a character");

    tiny = TinyCampaign();
    enclose(tiny, 3, TinyCampaign::stairsX(2), 50);
    expectProblem(check(), "the stairs at (54,50) of floor 2 land the player where no stairs of "
                           "floor 3 can be reached");
}

TEST_F(CheckerTest, ALockedDoorWithoutAKeyIsReported) {
    lockTheWayUp(tiny, 0);
    Report report = check();
    const Problem* p = findProblem(report, "passes 1 locked door(s), the first at (45,60), but the "
                                           "player has only 0 key(s) by then");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->file, dir + "/map.qor");
    EXPECT_EQ(p->line, 61);
}

TEST_F(CheckerTest, AQuestKeyOpensTheDoorOnTheWay) {
    lockTheWayUp(tiny, 0);
    tiny.quests = questRecord(10, 30, 0, "Find the key", true);
    ClimbPlan plan;
    Report report = check(&plan);
    EXPECT_TRUE(report.clean()) << report.problems[0].text;
    int opened = 0;
    for (const PlanStep& step : plan.steps)
        opened += step.kind == PlanStep::OpenDoor && step.x == 45 && step.y == 60;
    EXPECT_EQ(opened, 1);
}

TEST_F(CheckerTest, AKeyBoughtInTheShopOpensTheDoorOnTheWay) {
    lockTheWayUp(tiny, 0);
    tiny.shop = itemRecord(2000, 2, "Key", 0, 0, true);
    ClimbPlan plan;
    Report report = check(&plan);
    EXPECT_TRUE(report.clean()) << report.problems[0].text;
    bool bought = false;
    for (const PlanStep& step : plan.steps) {
        if (step.kind == PlanStep::BuyKey)
            bought = true;
        if (step.kind == PlanStep::OpenDoor) {
            EXPECT_TRUE(bought) << "the door is opened before the key is bought";
        }
    }
    EXPECT_TRUE(bought);
}

TEST_F(CheckerTest, EachGoodIsBoughtOnceAndOnlyWithTheGoldThereIs) {
    lockTheWayUp(tiny, 0);
    lockTheWayUp(tiny, 1);
    tiny.shop = itemRecord(2000, 2, "Key", 0, 0, true);
    expectProblem(check(), "the player has only 0 key(s) by then (0 earned from quests, 1 bought, "
                           "1 doors opened before)");
    tiny.shop = itemRecord(START_GOLD + 1, 2, "Golden Key", 0, 0, true);
    expectProblem(check(), "passes 1 locked door(s)");
}

TEST_F(CheckerTest, KeysLeftOverCarryToTheFloorsAbove) {
    lockTheWayUp(tiny, 0);
    lockTheWayUp(tiny, 2);
    tiny.quests = questRecord(10, 30, 0, "Key one", true) + questRecord(12, 30, 0, "Key two", true);
    Report report = check();
    EXPECT_TRUE(report.clean()) << report.problems[0].text;
    lockTheWayUp(tiny, 3);
    report = check();
    const Problem* p = findProblem(report, "passes 1 locked door(s)");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->file, dir + "/map3.qor");
}

TEST_F(CheckerTest, QuestsAreDoneInTheOrderTheQuestGiverHandsThemOut) {
    // The first errand lies behind the door; the key comes with the second.
    lockTheWayUp(tiny, 0);
    tiny.quests =
        questRecord(70, 30, 0, "Behind the door", false) + questRecord(10, 30, 0, "Key", true);
    expectProblem(check(), "to a quest target passes 1 locked door(s)");
    tiny.quests =
        questRecord(10, 30, 0, "Key", true) + questRecord(70, 30, 0, "Behind the door", false);
    Report report = check();
    EXPECT_TRUE(report.clean()) << report.problems[0].text;
}

TEST_F(CheckerTest, AHostileCharacterNobodyCanBeatIsReported) {
    tiny.npcs[0] = npcRecord(999, true, "Titan", "I am inevitable.", 70, 70, 4);
    Report report = check();
    const Problem* p = findProblem(report, "Titan (999 hit points) is too strong");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->line, 1);
    // The best shield money can buy makes him beatable.
    tiny.shop += itemRecord(START_GOLD, 10, "Perfect Shield", 0, 19);
    report = check();
    EXPECT_TRUE(report.clean()) << report.problems[0].text;
}

} // namespace
