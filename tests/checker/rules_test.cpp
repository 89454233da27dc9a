// The checker's rules on the tiny campaign broken one way at a time: each
// thing a loader would do silently and each problem a player would meet is
// named with its file and line; campaigns that can be won are clean.
#include <functional>

#include "reach.h"
#include "tiny.h"

namespace {

using T = TinyCampaign;
using Change = std::function<void(T&)>;
using RulesTest = CheckerTest;

TEST_F(RulesTest, ProblemsAreFoundAndNamedWithFileAndLine) {
    const std::string potion = goodRecord("Potion", 10, 0, 0, 0);
    const std::string errands = questRecord("First", 10, 10, 1) + questRecord("Errand", 30, 30, 1);
    const struct {
        Change change;
        std::string words;
        const char* file = NULL; // not checked when NULL
        int line = 0;
    } cases[] = {
        // What a loader would do silently.
        {[](T& t) { t.maps[2][10].resize(37); }, "37 codes, 100 expected: cell 37 becomes 0",
         "map2.qor", 11},
        {[](T& t) { t.maps[2][5] += '3'; }, "101 codes, 100 expected: reading stops here",
         "map2.qor", 6},
        {[](T& t) { t.maps[0].resize(60); }, "the file ends after 60 lines", "map.qor", 61},
        {[](T& t) { t.set(1, 7, 3, 'x'); }, "cell (7,3) has code 120", "map1.qor", 4},
        {[](T& t) { t.maps[3].clear(); }, "not found..\"", "map3.qor", 0},
        {[](T& t) { t.npcs[0] = npcRecord(std::string(60, 'n'), 1, 1); },
         "name has 60 characters, at most 59 fit", "npcs.qor", 6},
        {[](T& t) { t.npcs[0] = npcRecord("Bob", 1, 1, 0, 12); },
         "character number 12 is outside the sprite", "npcs.qor", 10},
        {[](T& t) { t.npcs[0] = npcRecord("Bob", 10, 10) + "20\n20\n0\n0\n0\nCut\nShort\n"; },
         "inside this record: its last 3 line(s) read empty", "npcs.qor", 11},
        {[](T& t) { t.npcs[1] = "20\n20\n0\n0\nyes\nBob\nHi\n10\n10\n3\n"; },
         "hostile flag \"yes\" is not a number: it reads as 0", "npcs1.qor", 5},
        {[](T& t) { t.quests = questRecord("Go", 1, 1, 7); }, "floor 7 does not exist",
         "quests.qor", 3},
        {[](T& t) { t.quests = "1\n1\n0\nGo\n0\n" + questRecord(std::string(40, 't'), 1, 1); },
         "text has 40 characters, at most 39 fit", "quests.qor", 9},
        {[&](T& t) { t.shop = potion + goodRecord("Rock", 1, -1, 0, 0); },
         "icon index -1 is outside the item icons", "shopdata.qor", 18},
        {[](T& t) { t.shop = "10\n6\n0\nBlank Scroll\n0\n1\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n"; },
         "Blank Scroll is a scroll that names no spell", "shopdata.qor", 6},
        {[&](T& t) { t.shop = potion + goodRecord("Free Key", 0, 2, 0, 0) + potion; },
         "this record ends the file (its price and weapon modifier are 0)", "shopdata.qor", 17},
        {[](T& t) { t.shop = ""; }, "the shop has no goods", "shopdata.qor", 0},
        // What a player would meet.
        {[](T& t) {
             t.set(1, 80, 80, '6');
             t.wallIn(1, 80, 80);
         },
         "stairs at (80,80) cannot be reached from (50,50)", "map1.qor", 81},
        {[](T& t) { t.wallIn(3, T::stairsX(3), 50); }, "there is no way up"},
        {[](T& t) { t.set(5, T::stairsX(5), 50, '3'); }, "the game cannot be won"},
        {[](T& t) {
             t.fill(2, 1, 1, 3, 3, '1');
             t.set(2, 2, 2, '3');
         },
         "quest giver at (2,2) cannot be reached"},
        {[](T& t) { t.set(4, 5, 2, '5'); }, "shopkeeper stands on an obstacle at (5,2)"},
        {[](T& t) { t.set(0, START_X, START_Y, '5'); }, "player starts at (25,19) on an obstacle"},
        {[](T& t) { t.set(1, 50, 50, '1'); }, "land the player here on a wall", "map1.qor", 51},
        {[](T& t) { t.npcs[2] = npcRecord("Door", 52, 50); },
         "floor 1 land the player here on a character"},
        {[](T& t) { t.lockWayUp(); },
         "1 locked door(s), the first at (45,60), but the player has only 0 key(s)", "map.qor", 61},
        {[](T& t) { t.npcs[0] = guard("Titan", 7, 7, 999); },
         "Titan (999 hit points) is too strong", "npcs.qor", 1},
        {[](T& t) { t.npcs[2].clear(); }, "floor 2 has no guard on its way up", "map2.qor", 0},
        {[](T& t) {
             t.wallIn(1, 20, 20);
             t.set(1, 20, 21, '3');
         },
         "dead end at (20,20)", "map1.qor", 21},
        {[&](T& t) {
             t.quests = errands;
             t.set(1, 30, 30, '1');
         },
         "target (30,30) of \"Errand\" is a wall", "quests.qor", 6},
        {[&](T& t) {
             t.quests = errands;
             t.wallIn(1, 30, 30);
         },
         "cannot be reached on floor 1", "quests.qor", 6},
        {[&](T& t) {
             t.quests = errands;
             t.npcs[1] = npcRecord("Bob", 30, 30);
         },
         "is where Bob stands on floor 1", "quests.qor", 6},
        {[](T& t) {
             t.set(0, 30, 30, '1');
             t.npcs[0] = npcRecord("Wally", 30, 30);
         },
         "Wally stands on a wall at (30,30)", "npcs.qor", 8},
        {[](T& t) { t.npcs[0] = npcRecord("Twin", 4, 4) + npcRecord("Other twin", 4, 4); },
         "Other twin stands on the same cell (4,4) as Twin"},
        {[](T& t) { t.npcs[0] = npcRecord("Wanderer", 120, 7); },
         "Wanderer stands at (120,7), off the map"},
        // Hostile characters on the start and all round it: the plan once
        // recursed without end looking for a way past them.
        {[](T& t) {
             for (const Cell& c : {Cell{0, 0}, Cell{0, -1}, Cell{0, 1}, Cell{-1, 0}, Cell{1, 0}})
                 t.npcs[0] += guard("Mob", START_X + c.x, START_Y + c.y, 5);
         },
         "the player starts at (25,19) on a character", "map.qor", 20},
    };
    for (const auto& c : cases) {
        tiny = TinyCampaign();
        c.change(tiny);
        expectProblem(check(), c.words, c.file, c.line);
    }
}

TEST_F(RulesTest, CampaignsThatCanBeWonAreCleanAndPlanEachGuardAndKeyOnce) {
    const Change cases[] = {
        // Files without their last line feed.
        [](T& t) {
            t.npcs[2].pop_back();
            t.quests = questRecord("Go", 20, 20);
            t.quests.pop_back();
        },
        [](T& t) { // quests on the stairs and on a locked door
            t.quests = questRecord("Stairs", 50, 50) + questRecord("Key", 10, 30, 0, 1);
            t.quests += questRecord("Cupboard", 30, 30);
            t.set(0, 30, 30, '7');
        },
        [](T& t) { // a key bought (its key flag set)
            t.lockWayUp();
            t.shop = goodRecord("Key", 2000, 2, 0, 0, "00000000010");
        },
        [](T& t) { // an errand at the end of a passage is no dead end
            t.wallIn(0, 20, 20);
            t.set(0, 20, 21, '3');
            t.quests = questRecord("Dig", 20, 20);
        },
        [](T& t) { // the best shield money can buy beats the titan
            t.npcs[0] += guard("Titan", 7, 7, 999);
            t.shop += goodRecord("Shield", START_GOLD, 10, 0, 19);
        },
    };
    for (const Change& change : cases) {
        tiny = TinyCampaign();
        change(tiny);
        ClimbPlan plan;
        Report report = check(&plan);
        EXPECT_TRUE(report.clean()) << "a winnable campaign is clean: " << report.problems[0].text;
        EXPECT_TRUE(plan.wins) << "the plan wins";
        int fights = 0;
        int keys = 0;
        for (const PlanStep& step : plan.steps) {
            if (step.kind == PlanStep::Fight)
                fights++;
            if (step.kind == PlanStep::BuyKey)
                keys++;
        }
        EXPECT_EQ(fights, FLOOR_COUNT) << "the plan fights each guard on the way, no other";
        EXPECT_LE(keys, 1) << "the plan buys at most one key";
    }
}

} // namespace
