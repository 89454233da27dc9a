// The checker and the game agree on tiny first floors (without their guard):
// the checker's way is walked with the game's own objects, and where the
// checker finds no way up, the game's collision finds none either.
#include <functional>

#include "tiny.h"

namespace {

// Whether the game lets the player walk from where he stands to stairs.
bool gameReachesStairs(CGame* game) {
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

TEST_F(GameTest, CheckerAndGameAgreeOnTheWayUpOfTheFirstFloor) {
    const auto lockedWay = [](TinyCampaign& t) {
        t.fill(0, 45, 1, 45, 98, CELL_WALL), t.set(0, 45, 60, CELL_LOCKED_DOOR);
    };
    const struct {
        std::function<void(TinyCampaign&)> change;
        bool climbs;
    } cases[] = {
        {[](TinyCampaign&) {}, true},
        {[](TinyCampaign& t) { t.wallIn(0, TinyCampaign::stairsX(0), 50); }, false},
        {lockedWay, false},
        {[&](TinyCampaign& t) { lockedWay(t), t.quests = questRecord("Key", 10, 30, 0, 1); }, true},
    };
    for (const auto& c : cases) {
        TinyCampaign tiny;
        tiny.npcs[0] = "";
        c.change(tiny);
        tiny.write(tree);
        Campaign campaign;
        Report report;
        ClimbPlan plan;
        loadCampaign(tree.path("data"), campaign, report);
        checkPlay(campaign, report, &plan);
        start();
        // The checker's steps on this floor, played until the game stops the player.
        bool climbs = false;
        for (const PlanStep& step : plan.steps) {
            Player& hero = game->player;
            scriptKeys({SDLK_SPACE});
            if (step.floor != 0)
                break;
            else if (step.kind == PlanStep::TalkToQuestGiver)
                game->Roam_CheckNPCConvo(hero.posX, hero.posY);
            else if (step.kind == PlanStep::OpenDoor) { // the game opens it as the player bumps
                if (!game->tileCollision(step.x, step.y) ||
                    game->map.cells[step.y][step.x] != CELL_OPEN_DOOR)
                    break;
            } else if (game->tileCollision(step.x, step.y))
                break;
            else
                hero.moveRelative(step.x - hero.posX, step.y - hero.posY);
            climbs |= step.kind == PlanStep::Climb;
        }
        EXPECT_EQ(climbs, c.climbs) << "case " << &c - cases;
        EXPECT_EQ(gameReachesStairs(game.get()), c.climbs) << "case " << &c - cases;
        endScript();
    }
}

} // namespace
