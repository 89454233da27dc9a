// The checker's play rules on tiny campaigns broken one way at a time: each
// problem a player would meet is found and named.
#include <functional>

#include "tiny.h"

namespace {

// Surrounds (x, y) with walls on all eight sides.
void enclose(TinyCampaign& tiny, int floor, int x, int y) {
    tiny.fill(floor, x - 1, y - 1, x + 1, y + 1, '1');
    tiny.set(floor, x, y, '3');
}

// A wall across the floor between where the player arrives and the stairs,
// with one locked door in row 60.
void lockTheWayUp(TinyCampaign& tiny, int floor) {
    int x = floor == 0 ? 45 : TinyCampaign::stairsX(floor) - 1;
    tiny.fill(floor, x, 1, x, 98, '1');
    tiny.set(floor, x, 60, '7');
}

// Two errands on floor 1, the second at (30,30).
void errands(TinyCampaign& tiny) {
    tiny.quests = questRecord(10, 10, 1, "First", false) + questRecord(30, 30, 1, "Errand", false);
}

struct PlayCase {
    std::function<void(TinyCampaign&)> change;
    const char* words;       // what the report must say
    const char* file = NULL; // where, if it matters
    int line = 0;
};

TEST_F(CheckerTest, PlayProblemsAreFoundAndNamed) {
    const std::string door = "passes 1 locked door(s)";
    const PlayCase cases[] = {
        {[](TinyCampaign& t) { t.set(1, 80, 80, '6'), t.wallIn(1, 80, 80); },
         "the stairs at (80,80) cannot be reached from (50,50)", "map1.qor", 81},
        {[](TinyCampaign& t) { t.wallIn(3, TinyCampaign::stairsX(3), 50); },
         "no stairs can be reached from (54,50), where the player arrives on floor 3: there is "
         "no way up"},
        {[](TinyCampaign& t) { t.set(5, TinyCampaign::stairsX(5), 50, '3'); },
         "the game cannot be won"},
        {[](TinyCampaign& t) { enclose(t, 2, 2, 2); },
         "the quest giver at (2,2) cannot be reached from (52,50)"},
        {[](TinyCampaign& t) { t.set(4, 5, 2, '5'); },
         "the shopkeeper stands on an obstacle at (5,2)"},
        {[](TinyCampaign& t) { t.set(0, START_X, START_Y, '5'); },
         "the player starts at (25,19) on an obstacle"},
        {[](TinyCampaign& t) { t.set(1, TinyCampaign::stairsX(0), 50, '1'); },
         "the stairs at (50,50) of floor 0 land the player here on a wall", "map1.qor", 51},
        {[](TinyCampaign& t) {
             t.npcs[2] = npcRecord(20, false, "Doorman", "Hi", TinyCampaign::stairsX(1), 50, 3);
         },
         "the stairs at (52,50) of floor 1 land the player here on a character"},
        {[](TinyCampaign& t) { enclose(t, 3, TinyCampaign::stairsX(2), 50); },
         "the stairs at (54,50) of floor 2 land the player where no stairs of floor 3 can be "
         "reached"},
        {[](TinyCampaign& t) { lockTheWayUp(t, 0); },
         "passes 1 locked door(s), the first at (45,60), but the player has only 0 key(s) by then",
         "map.qor", 61},
        // Each good is bought once, and only with the gold there is.
        {[](TinyCampaign& t) {
             lockTheWayUp(t, 0), lockTheWayUp(t, 1);
             t.shop = itemRecord(2000, 2, "Key", 0, 0, true);
         },
         "the player has only 0 key(s) by then (0 earned from quests, 1 bought, 1 doors opened "
         "before)"},
        {[](TinyCampaign& t) {
             lockTheWayUp(t, 0);
             t.shop = itemRecord(START_GOLD + 1, 2, "Golden Key", 0, 0, true);
         },
         door.c_str()},
        // Keys left over carry to the floors above, but not one more.
        {[](TinyCampaign& t) {
             lockTheWayUp(t, 0), lockTheWayUp(t, 2), lockTheWayUp(t, 3);
             t.quests =
                 questRecord(10, 30, 0, "Key one", true) + questRecord(12, 30, 0, "Key two", true);
         },
         door.c_str(), "map3.qor"},
        // Quests are done in the order the quest giver hands them out.
        {[](TinyCampaign& t) {
             lockTheWayUp(t, 0);
             t.quests = questRecord(70, 30, 0, "Behind the door", false) +
                        questRecord(10, 30, 0, "Key", true);
         },
         "to a quest target passes 1 locked door(s)"},
        {[](TinyCampaign& t) { t.npcs[0] = npcRecord(999, true, "Titan", "Hm", 70, 70, 4); },
         "Titan (999 hit points) is too strong", "npcs.qor", 1},
        {[](TinyCampaign& t) { t.npcs[2].clear(); },
         "floor 2 has no guard on its way up: the stairs can be reached from (52,50) without a "
         "fight",
         "map2.qor"},
        {[](TinyCampaign& t) { t.wallIn(1, 20, 20), t.set(1, 20, 21, '3'); },
         "a dead end at (20,20): a passage that leads nowhere", "map1.qor", 21},
        // Quest targets, the second record of the file.
        {[](TinyCampaign& t) { errands(t), t.set(1, 30, 30, '1'); },
         "the target (30,30) of \"Errand\" is a wall", "quests.qor", 6},
        {[](TinyCampaign& t) { errands(t), t.wallIn(1, 30, 30); }, "cannot be reached on floor 1",
         "quests.qor", 6},
        {[](TinyCampaign& t) {
             errands(t), t.npcs[1] = npcRecord(20, false, "Bob", "Hi", 30, 30, 3);
         },
         "is where Bob stands on floor 1", "quests.qor", 6},
    };
    for (const PlayCase& c : cases) {
        tiny = TinyCampaign();
        c.change(tiny);
        Report report = check();
        const Problem* p = findProblem(report, c.words);
        ASSERT_NE(p, nullptr) << "no problem says \"" << c.words << "\"";
        if (c.file) {
            EXPECT_EQ(p->file, dir + "/" + c.file) << c.words;
        }
        if (c.line) {
            EXPECT_EQ(p->line, c.line) << c.words;
        }
    }
}

TEST_F(CheckerTest, CharactersOnWallsOnEachOtherOrOffTheMapAreReported) {
    tiny.set(0, 30, 30, '1');
    tiny.npcs[0] = npcRecord(20, false, "Wally", "Hi", 30, 30, 3) +
                   npcRecord(20, false, "Twin", "Hi", 40, 40, 3) +
                   npcRecord(20, false, "Other twin", "Hi", 40, 40, 4) +
                   npcRecord(20, false, "Shop rival", "Hi", 5, 2, 5) +
                   npcRecord(20, false, "Wanderer", "Hi", 120, 7, 6);
    Report report = check();
    const Problem* wally = findProblem(report, "Wally stands on a wall at (30,30)");
    ASSERT_NE(wally, nullptr);
    EXPECT_EQ(wally->line, 8);
    for (const char* words : {"Other twin stands on the same cell (40,40) as Twin",
                              "Shop rival stands on the same cell (5,2) as the shopkeeper",
                              "Wanderer stands at (120,7), off the map"})
        EXPECT_NE(findProblem(report, words), nullptr) << words;
    EXPECT_EQ(findProblem(report, "Twin at"), nullptr);
}

TEST_F(CheckerTest, CampaignsThatCanBeWonAreClean) {
    const std::function<void(TinyCampaign&)> cases[] = {
        [](TinyCampaign&) {},
        [](TinyCampaign& t) { // quests on the stairs and on a locked door
            t.quests = questRecord(TinyCampaign::stairsX(0), 50, 0, "Stand on the stairs", false) +
                       questRecord(10, 30, 0, "Find a key", true) +
                       questRecord(30, 30, 0, "Open the cupboard", false);
            t.set(0, 30, 30, '7');
        },
        [](TinyCampaign& t) { // the key comes with the first errand
            lockTheWayUp(t, 0);
            t.quests =
                questRecord(10, 30, 0, "Key", true) + questRecord(70, 30, 0, "Behind", false);
        },
        [](TinyCampaign& t) { // an errand at the end of a passage is no dead end
            t.wallIn(0, 20, 20), t.set(0, 20, 21, '3');
            t.quests = questRecord(20, 20, 0, "Dig", false);
        },
        [](TinyCampaign& t) { // the best shield money can buy beats the titan
            t.npcs[0] += npcRecord(999, true, "Titan", "Hm", 70, 70, 4);
            t.shop += itemRecord(START_GOLD, 10, "Perfect Shield", 0, 19);
        },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; i++) {
        tiny = TinyCampaign();
        cases[i](tiny);
        ClimbPlan plan;
        Report report = check(&plan);
        EXPECT_TRUE(report.clean()) << "case " << i << ": " << report.problems[0].text;
        EXPECT_TRUE(plan.wins) << "case " << i;
        int fights = 0;
        for (const PlanStep& step : plan.steps)
            fights += step.kind == PlanStep::Fight;
        EXPECT_EQ(fights, FLOOR_COUNT) << "case " << i; // each guard on the way, no other
    }
}

TEST_F(CheckerTest, TheDoorIsOpenedOnceWithAQuestKeyOrAfterBuyingOne) {
    for (bool buy : {false, true}) {
        tiny = TinyCampaign();
        lockTheWayUp(tiny, 0);
        if (buy)
            tiny.shop = itemRecord(2000, 2, "Key", 0, 0, true);
        else
            tiny.quests = questRecord(10, 30, 0, "Find the key", true);
        ClimbPlan plan;
        Report report = check(&plan);
        EXPECT_TRUE(report.clean()) << report.problems[0].text;
        int opened = 0, bought = 0;
        for (const PlanStep& step : plan.steps) {
            bought += step.kind == PlanStep::BuyKey;
            if (step.kind == PlanStep::OpenDoor && step.x == 45 && step.y == 60) {
                opened++;
                EXPECT_EQ(bought, buy ? 1 : 0) << "the door is opened before the key is bought";
            }
        }
        EXPECT_EQ(opened, 1);
    }
}

} // namespace
