// The checker's play rules on tiny campaigns broken one way at a time: each
// problem a player would meet is found and named; campaigns that can be won
// are clean.
#include <functional>

#include "tiny.h"

namespace {

typedef std::function<void(TinyCampaign&)> Change;

// A wall across the floor between the arrival and the stairs, with one
// locked door in row 60.
void lockTheWayUp(TinyCampaign& t, int floor) {
    int x = floor == 0 ? 45 : TinyCampaign::stairsX(floor) - 1;
    t.fill(floor, x, 1, x, 98, '1');
    t.set(floor, x, 60, '7');
}

void errands(TinyCampaign& t) { // the second at (30,30) on floor 1
    t.quests = questRecord(10, 10, 1, "First", false) + questRecord(30, 30, 1, "Errand", false);
}

TEST_F(CheckerTest, PlayProblemsAreFoundAndNamed) {
    const struct {
        Change change;
        std::string words;
        const char* file;
        int line;
    } cases[] = {
        {[](TinyCampaign& t) { t.set(1, 80, 80, '6'), t.wallIn(1, 80, 80); },
         "the stairs at (80,80) cannot be reached from (50,50)", "map1.qor", 81},
        {[](TinyCampaign& t) { t.wallIn(3, TinyCampaign::stairsX(3), 50); }, "there is no way up",
         NULL, 0},
        {[](TinyCampaign& t) { t.set(5, TinyCampaign::stairsX(5), 50, '3'); },
         "the game cannot be won", NULL, 0},
        {[](TinyCampaign& t) { t.fill(2, 1, 1, 3, 3, '1'), t.set(2, 2, 2, '3'); },
         "the quest giver at (2,2) cannot be reached", NULL, 0},
        {[](TinyCampaign& t) { t.set(4, 5, 2, '5'); },
         "the shopkeeper stands on an obstacle at (5,2)", NULL, 0},
        {[](TinyCampaign& t) { t.set(0, START_X, START_Y, '5'); },
         "the player starts at (25,19) on an obstacle", NULL, 0},
        {[](TinyCampaign& t) { t.set(1, TinyCampaign::stairsX(0), 50, '1'); },
         "of floor 0 land the player here on a wall", "map1.qor", 51},
        {[](TinyCampaign& t) {
             t.npcs[2] = npcRecord(20, false, "Doorman", "Hi", TinyCampaign::stairsX(1), 50, 3);
         },
         "of floor 1 land the player here on a character", NULL, 0},
        {[](TinyCampaign& t) { lockTheWayUp(t, 0); },
         "passes 1 locked door(s), the first at (45,60), but the player has only 0 key(s) by then",
         "map.qor", 61},
        {[](TinyCampaign& t) { t.npcs[0] = npcRecord(999, true, "Titan", "Hm", 70, 70, 4); },
         "Titan (999 hit points) is too strong", "npcs.qor", 1},
        {[](TinyCampaign& t) { t.npcs[2].clear(); }, "floor 2 has no guard on its way up",
         "map2.qor", 0},
        {[](TinyCampaign& t) { t.wallIn(1, 20, 20), t.set(1, 20, 21, '3'); },
         "a dead end at (20,20)", "map1.qor", 21},
        {[](TinyCampaign& t) { errands(t), t.set(1, 30, 30, '1'); },
         "the target (30,30) of \"Errand\" is a wall", "quests.qor", 6},
        {[](TinyCampaign& t) { errands(t), t.wallIn(1, 30, 30); }, "cannot be reached on floor 1",
         "quests.qor", 6},
        {[](TinyCampaign& t) {
             errands(t), t.npcs[1] = npcRecord(20, false, "Bob", "Hi", 30, 30, 3);
         },
         "is where Bob stands on floor 1", "quests.qor", 6},
        {[](TinyCampaign& t) {
             t.set(0, 30, 30, '1'), t.npcs[0] = npcRecord(9, false, "Wally", "Hi", 30, 30, 3);
         },
         "Wally stands on a wall at (30,30)", "npcs.qor", 8},
        {[](TinyCampaign& t) {
             t.npcs[0] = npcRecord(20, false, "Twin", "Hi", 40, 40, 3) +
                         npcRecord(20, false, "Other twin", "Hi", 40, 40, 4);
         },
         "Other twin stands on the same cell (40,40) as Twin", NULL, 0},
        {[](TinyCampaign& t) { t.npcs[0] = npcRecord(20, false, "Wanderer", "Hi", 120, 7, 6); },
         "Wanderer stands at (120,7), off the map", NULL, 0},
    };
    for (const auto& c : cases) {
        tiny = TinyCampaign();
        c.change(tiny);
        Report report = check();
        const Problem* p = findProblem(report, c.words);
        ASSERT_NE(p, nullptr) << "no problem says \"" << c.words << "\"";
        EXPECT_EQ(p->file, c.file ? dir + "/" + c.file : p->file) << c.words;
        EXPECT_EQ(p->line, c.line ? c.line : p->line) << c.words;
    }
}

TEST_F(CheckerTest, CampaignsThatCanBeWonAreCleanAndPlanEachGuardAndKeyOnce) {
    const Change cases[] = {
        [](TinyCampaign&) {},
        [](TinyCampaign& t) { // quests on the stairs and on a locked door
            t.quests = questRecord(TinyCampaign::stairsX(0), 50, 0, "Stairs", false) +
                       questRecord(10, 30, 0, "Key", true) +
                       questRecord(30, 30, 0, "Cupboard", false);
            t.set(0, 30, 30, '7');
        },
        [](TinyCampaign& t) { lockTheWayUp(t, 0), t.quests = questRecord(10, 30, 0, "Key", true); },
        [](TinyCampaign& t) {
            lockTheWayUp(t, 0), t.shop = itemRecord(2000, 2, "Key", 0, 0, true);
        },
        [](TinyCampaign& t) { // an errand at the end of a passage is no dead end
            t.wallIn(0, 20, 20), t.set(0, 20, 21, '3'),
                t.quests = questRecord(20, 20, 0, "Dig", false);
        },
        [](TinyCampaign& t) { // the best shield money can buy beats the titan
            t.npcs[0] += npcRecord(999, true, "Titan", "Hm", 70, 70, 4);
            t.shop += itemRecord(START_GOLD, 10, "Perfect Shield", 0, 19);
        },
    };
    for (const Change& change : cases) {
        tiny = TinyCampaign();
        change(tiny);
        ClimbPlan plan;
        Report report = check(&plan);
        EXPECT_TRUE(report.clean()) << report.problems[0].text;
        EXPECT_TRUE(plan.wins);
        int fights = 0, keys = 0, doors = 0;
        for (const PlanStep& step : plan.steps) {
            fights += step.kind == PlanStep::Fight;
            keys += step.kind == PlanStep::BuyKey;
            doors += step.kind == PlanStep::OpenDoor;
        }
        EXPECT_EQ(fights, FLOOR_COUNT); // each guard on the way, no other
        EXPECT_LE(keys, 1);
        EXPECT_LE(doors, 1);
    }
}

} // namespace
