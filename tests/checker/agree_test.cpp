// The checker and the game agree on tiny first floors (without their guard):
// the checker's way is walked with the game's own objects, and where the
// checker finds no way up, the game's collision finds none either.
#include <array>
#include <functional>

#include "support/harness.h"
#include "tiny.h"

namespace {

enum { CLIMBS, OPENS_DOOR, SOLVES_QUEST };
using Verdict = std::array<bool, 3>;

class Agreement : public GameTest {
  protected:
    // Whether the game lets the player walk from where he stands to stairs.
    bool gameReachesStairs() {
        std::vector<bool> seen(MAP_SIZE * MAP_SIZE);
        std::vector<std::pair<int, int>> todo{{game->player.posX, game->player.posY}};
        while (!todo.empty()) {
            auto [x, y] = todo.back();
            todo.pop_back();
            if (game->map.cells[y][x] == CELL_STAIRS)
                return true;
            for (auto [nx, ny] : {std::pair{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}})
                if (!game->tileCollision(nx, ny) && !seen[ny * MAP_SIZE + nx])
                    seen[ny * MAP_SIZE + nx] = true, todo.push_back({nx, ny});
        }
        return false;
    }
};

TEST_F(Agreement, OnTheWayUpOfTheFirstFloor) {
    const auto lockedWay = [](TinyCampaign& t) {
        t.fill(0, 45, 1, 45, 98, CELL_WALL), t.set(0, 45, 60, CELL_LOCKED_DOOR);
    };
    const struct {
        std::function<void(TinyCampaign&)> change;
        Verdict expected;
    } cases[] = {
        {[](TinyCampaign&) {}, {true, false, false}},
        {[](TinyCampaign& t) { t.wallIn(0, TinyCampaign::stairsX(0), 50); }, {false, false, false}},
        {lockedWay, {false, false, false}},
        {[&](TinyCampaign& t) { lockedWay(t), t.quests = questRecord(10, 30, 0, "Key", true); },
         {true, true, true}},
    };
    for (const auto& c : cases) {
        TinyCampaign tiny;
        tiny.npcs[0] = "";
        c.change(tiny);
        tiny.write(tree.path("data"));
        Campaign campaign;
        Report report;
        ClimbPlan plan;
        loadCampaign(tree.path("data"), campaign, report);
        checkPlay(campaign, report, &plan);
        start();
        Player& hero = game->player;
        Verdict checker{}, played{};
        for (const PlanStep& s : plan.steps) {
            bool here = s.floor == 0;
            checker[CLIMBS] |= here && s.kind == PlanStep::Climb;
            checker[OPENS_DOOR] |= here && s.kind == PlanStep::OpenDoor;
            checker[SOLVES_QUEST] |= here && s.kind == PlanStep::TalkToQuestGiver && s.quest >= 0;
        }
        for (const PlanStep& step : plan.steps) {
            if (step.floor != 0)
                break;
            if (step.kind == PlanStep::TalkToQuestGiver) {
                pushKeyDown(SDLK_SPACE);
                game->Roam_CheckNPCConvo(hero.posX, hero.posY);
            } else if (step.kind == PlanStep::OpenDoor) {
                played[OPENS_DOOR] = game->tileCollision(step.x, step.y) &&
                                     game->map.cells[step.y][step.x] == CELL_OPEN_DOOR;
            } else if (game->tileCollision(step.x, step.y)) {
                break; // the game stops the player here
            } else {
                played[SOLVES_QUEST] |= hero.moveRelative(step.x - hero.posX, step.y - hero.posY);
            }
        }
        // A way through a door the player has no key for is no way up.
        if (report.mentions("key(s) by then"))
            checker[CLIMBS] = checker[OPENS_DOOR] = false;
        played[CLIMBS] = gameReachesStairs();
        EXPECT_EQ(checker, c.expected) << "case " << &c - cases;
        EXPECT_EQ(played, c.expected) << "case " << &c - cases;
    }
}

} // namespace
