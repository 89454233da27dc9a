// The checker's rules of craft on the tiny campaign: a bare stretch of the
// way, props beside errands, walls repeated from floor to floor, fight
// lengths and the boss's own picture. Each rule is shown failing and passing,
// each limit at its edge.
#include <functional>

#include "campaign.h"
#include "tiny.h"

namespace {

using T = TinyCampaign;
using Change = std::function<void(T&)>;

const int LAST = FLOOR_COUNT - 1;

// The last floor's guard, the boss, of `hp` hit points in sprite row `row`.
std::string boss(int hp, int row) {
    return npcRecord("Boss", T::stairsX(LAST), 51, 1, row, "Hello.", hp);
}

// A stripe of flagstones every fifth column, so that no view is bare, and a
// boss with a sprite row of his own (the other guards wear row 4).
void craft(T& t) {
    for (int n = 0; n < FLOOR_COUNT; n++)
        for (int x = 5; x < MAP_SIZE - 1; x += 5)
            t.fill(n, x, 1, x, 48, '4');
    t.npcs[LAST] = boss(20, 7);
}

// Walk steps on floor `n` along row `y`, from column `x0` to `x1`.
std::vector<PlanStep> walk(int n, int y, int x0, int x1) {
    std::vector<PlanStep> steps;
    for (int x = x0; x <= x1; x++)
        steps.push_back(PlanStep{PlanStep::Walk, n, x, y, -1, -1, false});
    return steps;
}

// A change to the crafted campaign and the words the report then says (NULL:
// nothing about the rule at hand).
struct CraftCase {
    Change change;
    const char* words;
};

class CampaignTest : public CheckerTest {
  protected:
    CampaignFigures figures;
    std::unique_ptr<Campaign> campaign;

    void loadTiny() {
        tiny.write(tree);
        Report loading;
        campaign = load(loading);
        ASSERT_TRUE(loading.clean()) << loading.problems[0].text;
    }
    // The craft rules along the checker's own plan.
    Report checkAlongThePlan() {
        loadTiny();
        Report play;
        Report report;
        ClimbPlan plan;
        checkPlay(*campaign, play, &plan);
        checkCraft(*campaign, plan, report, figures);
        return report;
    }
    // The craft rules along the steps given.
    Report checkAlong(const std::vector<PlanStep>& steps) {
        loadTiny();
        Report report;
        ClimbPlan plan;
        plan.steps = steps;
        checkCraft(*campaign, plan, report, figures);
        return report;
    }
    // The crafted campaign changed by each case, along the plan: the report
    // says the case's words, or (for NULL) nothing about `rule`.
    void expectCrafted(const std::vector<CraftCase>& cases, const char* rule) {
        for (const CraftCase& c : cases) {
            tiny = TinyCampaign();
            craft(tiny);
            c.change(tiny);
            Report report = checkAlongThePlan();
            if (c.words)
                EXPECT_TRUE(report.mentions(c.words)) << c.words;
            else
                EXPECT_FALSE(report.mentions(rule)) << "the campaign keeps the rule: " << rule;
        }
    }
};

TEST_F(CampaignTest, ABareStretchOfTheWayIsLongerThanFifteenCells) {
    // Row 30 of the tiny floor shows nothing but planks round columns 20 to 40.
    const struct {
        int steps;
        bool fails;
    } cases[] = {{BARE_STRETCH_LIMIT, false}, {BARE_STRETCH_LIMIT + 1, true}};
    for (const auto& c : cases) {
        tiny = TinyCampaign();
        Report report = checkAlong(walk(0, 30, 20, 20 + c.steps - 1));
        EXPECT_EQ(report.mentions("with nothing but code 3 in view"), c.fails) << c.steps;
        EXPECT_EQ(figures.floors[0].longestBare, c.steps) << "the longest bare stretch";
    }
}

TEST_F(CampaignTest, ALandmarkInViewBreaksABareStretch) {
    // A row of crates that some column of it is in view from every step of a
    // walk along row 30 from column 21 to 40: rows 25 to 34 are in view.
    const struct {
        int row;
        bool bare;
    } cases[] = {{25, false}, {24, true}, {34, false}, {35, true}};
    for (const auto& c : cases) {
        tiny = TinyCampaign();
        tiny.fill(0, 27, c.row, 34, c.row, '5');
        Report report = checkAlong(walk(0, 30, 21, 40));
        EXPECT_EQ(report.mentions("in view"), c.bare) << "crates in row " << c.row;
    }
}

TEST_F(CampaignTest, AnErrandNeedsAPropOfItsOwnShapeBesideItsTarget) {
    expectCrafted(
        {
            {[](T& t) { t.quests = questRecord("Dig", 20, 20); }, "has no prop beside its target"},
            {[](T& t) {
                 t.quests = questRecord("Open the crates", 20, 20);
                 t.fill(0, 21, 21, 32, 21, '5'); // twelve in a row
             },
             NULL},
            {[](T& t) {
                 t.quests = questRecord("Open the crates", 20, 20);
                 t.fill(0, 21, 21, 33, 21, '5'); // thirteen: a wall of crates, no prop
             },
             "has no prop beside its target"},
            {[](T& t) {
                 t.quests = questRecord("Crate one", 20, 20) + questRecord("Crate two", 40, 20);
                 t.set(0, 21, 20, '5');
                 t.set(0, 41, 20, '5');
             },
             "has a prop of the same shape as the errand \"Crate one\""},
            {[](T& t) {
                 t.quests = questRecord("Crate", 20, 20) + questRecord("Stone", 40, 20);
                 t.set(0, 21, 20, '5');
                 t.set(0, 41, 20, '1');
             },
             NULL},
        },
        "prop");
}

TEST_F(CampaignTest, TwoFloorsShareAtMostAQuarterOfTheWallsAlongTheirWay) {
    // Floor 0's walk along row 30 has eight walls beside it, in row 29; floor
    // 1's has eight in row 31, and some of floor 0's.
    const struct {
        int shared;
        bool fails;
    } cases[] = {{2, false}, {3, true}};
    for (const auto& c : cases) {
        tiny = TinyCampaign();
        tiny.fill(0, 19, 29, 26, 29, '1');
        tiny.fill(1, 19, 31, 26, 31, '1');
        tiny.fill(1, 19, 29, 19 + c.shared - 1, 29, '1');
        std::vector<PlanStep> steps = walk(0, 30, 20, 25);
        std::vector<PlanStep> upstairs = walk(1, 30, 20, 25);
        steps.insert(steps.end(), upstairs.begin(), upstairs.end());
        Report report = checkAlong(steps);
        EXPECT_EQ(report.mentions("floors 0 and 1 share"), c.fails) << c.shared;
        EXPECT_EQ(figures.floors[1].sharedPercent, c.shared * 100 / 8) << "the share printed";
        EXPECT_EQ(figures.floors[1].sharedWith, 0) << "the floor it shares with";
    }
}

// The least hit points a hostile character needs to last more than `turns`
// turns on average against the hero at `victories`.
int hitPointsBeyond(int turns, int victories) {
    int hp = 1;
    while (averageTurns(heroAfter(victories), hp) <= turns)
        hp++;
    return hp;
}

TEST_F(CampaignTest, GuardFightsLastAtMostTwelveTurnsAndTheBossTwenty) {
    const int guardEdge = hitPointsBeyond(GUARD_TURN_LIMIT, 0);
    const int bossEdge = hitPointsBeyond(BOSS_TURN_LIMIT, LAST);
    expectCrafted(
        {
            {[&](T& t) { t.npcs[0] = guard("Ox", T::stairsX(0), 51, guardEdge - 1); }, NULL},
            {[&](T& t) { t.npcs[0] = guard("Ox", T::stairsX(0), 51, guardEdge); },
             "more than the 12 a guard fight should last"},
            {[&](T& t) { t.npcs[LAST] = boss(bossEdge - 1, 7); }, NULL},
            {[&](T& t) { t.npcs[LAST] = boss(bossEdge, 7); },
             "more than the 20 a boss fight should last"},
        },
        "fight should last");
}

TEST_F(CampaignTest, AFightsTurnsComeFromTheGamesDice) {
    const struct {
        int hp;
        double turns;
    } cases[] = {
        {0, 0.0}, // down before the first turn
        {1, 1.0}, // the Hand of Death never misses
        {HAND_OF_DEATH.base, 1.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(averageTurns(heroAfter(0), c.hp), c.turns) << c.hp << " hit points";
    EXPECT_GT(averageTurns(heroAfter(0), HAND_OF_DEATH.base + 1), 1.0)
        << "the Hand of Death's weakest roll leaves one point";
}

TEST_F(CampaignTest, TheBossHasASpriteRowOfHisOwn) {
    // The other guards wear row 4; the crafted boss wears row 7.
    expectCrafted(
        {
            {[](T& t) { t.npcs[LAST] = boss(20, 4); }, "shares sprite row"},
            {[](T&) {}, NULL},
        },
        "shares sprite row");
}

} // namespace
