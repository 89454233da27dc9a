// The checker's rules on the tiny campaign broken one way at a time: each
// thing a loader would do silently and each problem a player would meet is
// named with its file and line; campaigns that can be won are clean.
#include <functional>

#include "tiny.h"

namespace {

using T = TinyCampaign;
using Change = std::function<void(T&)>;

// A walled map of `rows` lines whose line `row` (from 0) is `replacement`.
std::string mapWith(int row, const std::string& replacement, int rows = MAP_SIZE) {
    std::string text;
    for (int y = 0; y < rows; y++)
        text += (y == row ? replacement : std::string(MAP_SIZE, y % (rows - 1) ? '3' : '1')) + "\n";
    return text;
}

TEST_F(CheckerTest, FileProblemsAreNamedWithFileAndLine) {
    const std::string bob = npcRecord("Bob", 10, 10), potion = goodRecord("Potion", 10, 0, 0, 0);
    const struct {
        const char* file;
        std::string contents, words;
        int line;
    } cases[] = {
        {"map2.qor", mapWith(10, std::string(37, '3')),
         "line has 37 codes, 100 expected: cell 37 becomes 0", 11},
        {"map2.qor", mapWith(5, std::string(101, '3')),
         "line has 101 codes, 100 expected: reading stops here", 6},
        {"map.qor", mapWith(-1, "", 60), "the file ends after 60 lines", 61},
        {"map1.qor", mapWith(3, "3333333x" + std::string(92, '3')), "cell (7,3) has code 120", 4},
        {"map3.qor", "<missing>", "missing: the game ends with \"Map", 0},
        {"npcs.qor", npcRecord(std::string(60, 'n'), 10, 10),
         "the name has 60 characters, at most 59 fit", 6},
        {"npcs.qor", npcRecord("Bob", 10, 10, 0, 12),
         "character number 12 is outside the sprite table", 10},
        {"npcs.qor", bob + "20\n20\n0\n0\n0\nCut\nShort\n",
         "the file ends inside this record: its last 3 line(s) read empty", 11},
        {"npcs1.qor", "20\n20\n0\n0\nyes\nBob\nHi\n10\n10\n3\n",
         "the hostile flag \"yes\" is not a number: it reads as 0", 5},
        {"quests.qor", questRecord("Go up", 10, 10, 7), "floor 7 does not exist", 3},
        {"quests.qor", questRecord("Go", 10, 10) + questRecord(std::string(40, 't'), 10, 10),
         "the text has 40 characters, at most 39 fit", 9},
        {"shopdata.qor", potion + goodRecord("Rock", 10, -1, 0, 0),
         "icon index -1 is outside the item icons", 18},
        {"shopdata.qor", "10\n6\n0\nBlank Scroll\n0\n1\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n",
         "Blank Scroll is a scroll that names no spell", 6},
        {"shopdata.qor", potion + goodRecord("Free Key", 0, 2, 0, 0) + potion,
         "this record ends the file (its price and weapon modifier are 0)", 17},
        {"shopdata.qor", "", "the shop has no goods", 0},
    };
    for (const auto& c : cases) {
        tiny = TinyCampaign();
        expectProblem(check(NULL, c.file, c.contents), c.words, c.file, c.line);
    }
}

// A wall across the floor between the arrival and the stairs, with one
// locked door in row 60.
void lockTheWayUp(T& t) {
    t.fill(0, 45, 1, 45, 98, '1'), t.set(0, 45, 60, '7');
}

void errands(T& t) { // the second at (30,30) on floor 1
    t.quests = questRecord("First", 10, 10, 1) + questRecord("Errand", 30, 30, 1);
}

TEST_F(CheckerTest, PlayProblemsAreFoundAndNamed) {
    const struct {
        Change change;
        std::string words;
        const char* file = NULL; // not checked when NULL
        int line = 0;
    } cases[] = {
        {[](T& t) { t.set(1, 80, 80, '6'), t.wallIn(1, 80, 80); },
         "the stairs at (80,80) cannot be reached from (50,50)", "map1.qor", 81},
        {[](T& t) { t.wallIn(3, T::stairsX(3), 50); }, "there is no way up"},
        {[](T& t) { t.set(5, T::stairsX(5), 50, '3'); }, "the game cannot be won"},
        {[](T& t) { t.fill(2, 1, 1, 3, 3, '1'), t.set(2, 2, 2, '3'); },
         "the quest giver at (2,2) cannot be reached"},
        {[](T& t) { t.set(4, 5, 2, '5'); }, "the shopkeeper stands on an obstacle at (5,2)"},
        {[](T& t) { t.set(0, START_X, START_Y, '5'); },
         "the player starts at (25,19) on an obstacle"},
        {[](T& t) { t.set(1, T::stairsX(0), 50, '1'); },
         "of floor 0 land the player here on a wall", "map1.qor", 51},
        {[](T& t) { t.npcs[2] = npcRecord("Doorman", T::stairsX(1), 50); },
         "of floor 1 land the player here on a character"},
        {[](T& t) { lockTheWayUp(t); },
         "passes 1 locked door(s), the first at (45,60), but the player has only 0 key(s) by then",
         "map.qor", 61},
        {[](T& t) { t.npcs[0] = guard("Titan", 70, 70, 999); },
         "Titan (999 hit points) is too strong", "npcs.qor", 1},
        {[](T& t) { t.npcs[2].clear(); }, "floor 2 has no guard on its way up", "map2.qor", 0},
        {[](T& t) { t.wallIn(1, 20, 20), t.set(1, 20, 21, '3'); }, "a dead end at (20,20)",
         "map1.qor", 21},
        {[](T& t) { errands(t), t.set(1, 30, 30, '1'); },
         "the target (30,30) of \"Errand\" is a wall", "quests.qor", 6},
        {[](T& t) { errands(t), t.wallIn(1, 30, 30); }, "cannot be reached on floor 1",
         "quests.qor", 6},
        {[](T& t) { errands(t), t.npcs[1] = npcRecord("Bob", 30, 30); },
         "is where Bob stands on floor 1", "quests.qor", 6},
        {[](T& t) { t.set(0, 30, 30, '1'), t.npcs[0] = npcRecord("Wally", 30, 30); },
         "Wally stands on a wall at (30,30)", "npcs.qor", 8},
        {[](T& t) {
             t.npcs[0] = npcRecord("Twin", 40, 40) + npcRecord("Other twin", 40, 40, 0, 4);
         },
         "Other twin stands on the same cell (40,40) as Twin"},
        {[](T& t) { t.npcs[0] = npcRecord("Wanderer", 120, 7, 0, 6); },
         "Wanderer stands at (120,7), off the map"},
    };
    for (const auto& c : cases) {
        tiny = TinyCampaign();
        c.change(tiny);
        expectProblem(check(), c.words, c.file, c.line);
    }
}

TEST_F(CheckerTest, CampaignsThatCanBeWonAreCleanAndPlanEachGuardAndKeyOnce) {
    const Change cases[] = {
        [](T& t) { // files with and without a last line feed
            t.npcs[1] = npcRecord("Bob", 10, 10) + t.npcs[1], t.npcs[2].pop_back();
            t.quests = questRecord("Go", 20, 20), t.quests.pop_back();
        },
        [](T& t) { // quests on the stairs and on a locked door
            t.quests = questRecord("Stairs", T::stairsX(0), 50) + questRecord("Key", 10, 30, 0, 1) +
                       questRecord("Cupboard", 30, 30);
            t.set(0, 30, 30, '7');
        },
        [](T& t) { lockTheWayUp(t), t.quests = questRecord("Key", 10, 30, 0, 1); },
        [](T& t) { lockTheWayUp(t), t.shop = keyGood(2000); },
        [](T& t) { // an errand at the end of a passage is no dead end
            t.wallIn(0, 20, 20), t.set(0, 20, 21, '3'), t.quests = questRecord("Dig", 20, 20);
        },
        [](T& t) { // the best shield money can buy beats the titan
            t.npcs[0] += guard("Titan", 70, 70, 999);
            t.shop += goodRecord("Perfect Shield", START_GOLD, 10, 0, 19);
        },
    };
    for (const Change& change : cases) {
        tiny = TinyCampaign();
        change(tiny);
        ClimbPlan plan;
        Report report = check(&plan);
        EXPECT_TRUE(report.clean()) << report.problems[0].text;
        EXPECT_TRUE(plan.wins);
        int fights = 0, keys = 0;
        for (const PlanStep& step : plan.steps)
            fights += step.kind == PlanStep::Fight, keys += step.kind == PlanStep::BuyKey;
        EXPECT_EQ(fights, FLOOR_COUNT); // each guard on the way, no other
        EXPECT_LE(keys, 1);
    }
}

} // namespace
