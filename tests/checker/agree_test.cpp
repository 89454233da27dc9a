// The checker and the game agree on tiny first floors (without their guard):
// the checker's way is walked with the game's own objects, and where the
// checker finds no way up, the game's collision finds none either.
#include <functional>

#include "support/harness.h"
#include "tiny.h"

namespace {

struct Verdict {
    bool climbs, opensDoor, solvesQuest;
    bool operator==(const Verdict& o) const {
        return climbs == o.climbs && opensDoor == o.opensDoor && solvesQuest == o.solvesQuest;
    }
};

class Agreement : public GameTest {
  protected:
    // Where the game lets the player walk from where he stands.
    bool gameReachesStairs() {
        std::vector<bool> seen(MAP_SIZE * MAP_SIZE);
        std::vector<std::pair<int, int>> todo{{game->player.posX, game->player.posY}};
        while (!todo.empty()) {
            auto [x, y] = todo.back();
            todo.pop_back();
            if (game->map.cells[y][x] == CELL_STAIRS)
                return true;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                if (!game->tileCollision(x + dx, y + dy) && !seen[(y + dy) * MAP_SIZE + x + dx])
                    seen[(y + dy) * MAP_SIZE + x + dx] = true, todo.push_back({x + dx, y + dy});
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
        Verdict checker{}, played{};
        for (const PlanStep& step : plan.steps) {
            if (step.floor != 0)
                break;
            Player& hero = game->player;
            int dx = step.x - hero.posX, dy = step.y - hero.posY;
            if (step.kind == PlanStep::TalkToQuestGiver) {
                checker.solvesQuest = step.quest >= 0;
                pushKeyDown(SDLK_SPACE);
                game->Roam_CheckNPCConvo(hero.posX, hero.posY);
            } else if (step.kind == PlanStep::OpenDoor) {
                checker.opensDoor = true;
                played.opensDoor = game->tileCollision(step.x, step.y) &&
                                   game->map.cells[step.y][step.x] == CELL_OPEN_DOOR;
            } else {
                checker.climbs = step.kind == PlanStep::Climb;
                if (game->tileCollision(step.x, step.y))
                    break; // the game stops the player here
                played.solvesQuest |= hero.moveRelative(dx, dy);
                played.climbs = game->map.cells[hero.posY][hero.posX] == CELL_STAIRS;
            }
        }
        // The checker's way passes a door it has no key for: no way up.
        bool keysShort = report.mentions("key(s) by then");
        checker.climbs &= !keysShort, checker.opensDoor &= !keysShort;
        played.climbs = played.climbs || gameReachesStairs();
        EXPECT_TRUE(checker == c.expected) << "case " << &c - cases;
        EXPECT_TRUE(played == c.expected) << "case " << &c - cases;
    }
}

} // namespace
