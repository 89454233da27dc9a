// The play rules of a campaign, floor by floor: where characters stand, what
// the player can reach from where he arrives (fighting hostile characters out
// of the way), that a guard holds the way up, that no passage leads nowhere,
// where the stairs land him, and whether every hostile character can be
// beaten. The walk through the floors with its keys and fights is in plan.cpp.
#include <algorithm>

#include "plan.h"
#include "reach.h"

namespace {

const char* wallName(char code) {
    switch (code) {
    case CELL_WALL:
        return "a wall";
    case CELL_OBSTACLE:
        return "an obstacle";
    default:
        return "a locked door";
    }
}

std::string figureName(const Figure& f) {
    if (!f.npc)
        return f.x == QUEST_GIVER_X && f.y == QUEST_GIVER_Y ? "the quest giver" : "the shopkeeper";
    return f.npc->name.empty() ? std::string("a nameless character") : f.npc->name;
}

// Where a report about a figure points: its record, or the map line of its cell.
void locate(const Floor& floor, const Figure& f, std::string* file, int* line) {
    if (f.record >= 0) {
        *file = floor.npcFile;
        *line = floor.npcs[f.record].line + 7; // the column line of the record
        return;
    }
    *file = floor.mapFile;
    *line = f.y + 1;
}

void checkFigures(const Floor& floor, const FloorGrid& grid, Report& report) {
    for (size_t i = 0; i < grid.figures.size(); i++) {
        const Figure& f = grid.figures[i];
        std::string file;
        int line;
        locate(floor, f, &file, &line);
        Cell at{f.x, f.y};
        if (!grid.inside(at)) {
            report.add(file, line, "%s stands at (%d,%d), off the map", figureName(f).c_str(), f.x,
                       f.y);
            continue;
        }
        char code = grid.code(at);
        if (FloorGrid::walls(code) || code == CELL_LOCKED_DOOR)
            report.add(file, line, "%s stands on %s at (%d,%d)", figureName(f).c_str(),
                       wallName(code), f.x, f.y);
        int first = grid.figureAt(at); // the first in file order on that cell
        if (first != (int)i)
            report.add(file, line, "%s stands on the same cell (%d,%d) as %s",
                       figureName(f).c_str(), f.x, f.y, figureName(grid.figures[first]).c_str());
    }
}

void checkReachableFigures(const Floor& floor, const FloorGrid& grid,
                           const std::vector<bool>& reached, Cell arrival, Report& report) {
    for (const Figure& f : grid.figures) {
        Cell at{f.x, f.y};
        if (talkable(grid, reached, at))
            continue;
        std::string file;
        int line;
        locate(floor, f, &file, &line);
        report.add(file, line,
                   "%s at (%d,%d) cannot be reached from (%d,%d), where the player "
                   "arrives: nobody can talk to %s",
                   figureName(f).c_str(), f.x, f.y, arrival.x, arrival.y, f.npc ? "them" : "him");
    }
}

void checkQuestTargets(const Campaign& campaign, int n, const FloorGrid& grid,
                       const std::vector<bool>& reached, Report& report) {
    for (const PlacedQuest& placed : campaign.quests) {
        const Quest& q = placed.quest;
        if (q.floor != n)
            continue;
        Cell target{q.posX, q.posY};
        const std::string& file = campaign.questFile;
        if (!grid.inside(target)) {
            report.add(file, placed.line, "the target (%d,%d) of \"%s\" is off the map", q.posX,
                       q.posY, q.text.c_str());
            continue;
        }
        if (FloorGrid::walls(grid.code(target))) {
            report.add(file, placed.line, "the target (%d,%d) of \"%s\" is %s on floor %d", q.posX,
                       q.posY, q.text.c_str(), wallName(grid.code(target)), n);
            continue;
        }
        int f = grid.figureAt(target);
        if (f >= 0) {
            report.add(file, placed.line,
                       "the target (%d,%d) of \"%s\" is where %s stands on floor %d", q.posX,
                       q.posY, q.text.c_str(), figureName(grid.figures[f]).c_str(), n);
            continue;
        }
        // The stairs are never walked across, but a step onto them is enough.
        bool reachable = canStepOnto(grid, reached, target);
        if (!reachable)
            report.add(file, placed.line,
                       "the target (%d,%d) of \"%s\" cannot be reached on floor %d", q.posX, q.posY,
                       q.text.c_str(), n);
    }
}

// Stairs cells the player can step onto from the cells he reaches.
std::vector<Cell> reachableStairs(const FloorGrid& grid, const std::vector<bool>& reached) {
    std::vector<Cell> stairs;
    for (int y = 0; y < MAP_SIZE; y++)
        for (int x = 0; x < MAP_SIZE; x++) {
            Cell s{x, y};
            if (grid.isStairs(s) && canStepOnto(grid, reached, s))
                stairs.push_back(s);
        }
    return stairs;
}

// Stairs nobody can step onto, reported once per flight (touching stairs cells).
void checkStairs(const Floor& floor, int n, const FloorGrid& grid, const std::vector<Cell>& usable,
                 Cell arrival, Report& report) {
    if (usable.empty())
        report.add(floor.mapFile, 0,
                   "no stairs can be reached from (%d,%d), where the player "
                   "arrives on floor %d: %s",
                   arrival.x, arrival.y, n,
                   n == FLOOR_COUNT - 1 ? "the game cannot be won" : "there is no way up");
    std::vector<bool> seen(MAP_SIZE * MAP_SIZE, false);
    for (const Cell& s : usable)
        seen[cellIndex(s)] = true;
    for (int y = 0; y < MAP_SIZE; y++)
        for (int x = 0; x < MAP_SIZE; x++) {
            Cell s{x, y};
            if (!grid.isStairs(s) || seen[cellIndex(s)])
                continue;
            // Flood the flight, noting whether any of it can be used.
            std::vector<Cell> flight{s}, todo{s};
            seen[cellIndex(s)] = true;
            bool used = false;
            while (!todo.empty()) {
                Cell here = todo.back();
                todo.pop_back();
                const Cell around[4] = {{here.x, here.y - 1},
                                        {here.x, here.y + 1},
                                        {here.x - 1, here.y},
                                        {here.x + 1, here.y}};
                for (const Cell& next : around) {
                    if (!grid.isStairs(next))
                        continue;
                    if (std::find(usable.begin(), usable.end(), next) != usable.end())
                        used = true;
                    if (!seen[cellIndex(next)]) {
                        seen[cellIndex(next)] = true;
                        todo.push_back(next);
                    }
                }
            }
            if (!used)
                report.add(floor.mapFile, y + 1,
                           "the stairs at (%d,%d) cannot be reached from (%d,%d), where the "
                           "player arrives",
                           x, y, arrival.x, arrival.y);
        }
}

// Each flight of stairs the player can take leads to the same cell of the
// next floor: it must be one he can stand on, with a way up from there.
void checkLandings(const Campaign& campaign, int n, const std::vector<Cell>& usable,
                   Report& report) {
    if (n + 1 >= FLOOR_COUNT || !campaign.floors[n + 1].present)
        return;
    const Floor& next = campaign.floors[n + 1];
    FloorGrid grid(next);
    grid.beatHostiles();
    for (const Cell& s : usable) {
        if (!grid.enterable(s)) {
            const char* what = grid.occupied(s) ? "a character" : wallName(grid.code(s));
            report.add(next.mapFile, s.y + 1,
                       "the stairs at (%d,%d) of floor %d land the player here on %s", s.x, s.y, n,
                       what);
            continue;
        }
        std::vector<bool> reached = reachableFrom(grid, s);
        if (reachableStairs(grid, reached).empty())
            report.add(next.mapFile, s.y + 1,
                       "the stairs at (%d,%d) of floor %d land the player where no stairs of "
                       "floor %d can be reached",
                       s.x, s.y, n, n + 1);
    }
}

// The way up must be guarded: with every character standing, the stairs are
// out of reach, and only beating the hostile ones opens the way.
void checkGuarded(const Floor& floor, int n, const FloorGrid& grid, Cell arrival, Report& report) {
    if (!grid.enterable(arrival))
        return;
    std::vector<bool> reached = reachableFrom(grid, arrival);
    if (!reachableStairs(grid, reached).empty())
        report.add(floor.mapFile, 0,
                   "floor %d has no guard on its way up: the stairs can be reached from (%d,%d) "
                   "without a fight",
                   n, arrival.x, arrival.y);
}

// A cell the player can enter from one side only leads nowhere, unless
// something waits there: an errand, someone to talk to, the stairs.
void checkDeadEnds(const Campaign& campaign, int n, const FloorGrid& grid, Cell arrival,
                   Report& report) {
    FloorGrid bare = grid;
    bare.removeAll();
    std::vector<bool> reached = reachableFrom(bare, arrival);
    std::vector<bool> wanted(MAP_SIZE * MAP_SIZE, false);
    for (const PlacedQuest& placed : campaign.quests)
        if (placed.quest.floor == n && grid.inside(Cell{placed.quest.posX, placed.quest.posY}))
            wanted[cellIndex(Cell{placed.quest.posX, placed.quest.posY})] = true;
    for (int y = 0; y < MAP_SIZE; y++)
        for (int x = 0; x < MAP_SIZE; x++) {
            Cell c{x, y};
            if (!reached[cellIndex(c)] || wanted[cellIndex(c)] || c == arrival ||
                grid.figuresAround(c, NULL) > 0)
                continue;
            const Cell around[4] = {{x, y - 1}, {x, y + 1}, {x - 1, y}, {x + 1, y}};
            int ways = 0;
            for (const Cell& next : around)
                ways += grid.inside(next) && !FloorGrid::walls(grid.code(next));
            if (ways <= 1)
                report.add(campaign.floors[n].mapFile, y + 1,
                           "a dead end at (%d,%d): a passage that leads nowhere", x, y);
        }
}

// Every hostile character must be beatable by a player who has won the
// fights before it (the weaker ones first) with the gear the plan buys.
void checkFights(const Campaign& campaign, const std::vector<int>& gear, Report& report,
                 std::vector<GuardOdds>* odds) {
    std::vector<int> floors;
    std::vector<const PlacedNPC*> hostiles = hostilesInOrder(campaign, &floors);
    for (size_t v = 0; v < hostiles.size(); v++) {
        const NPC& npc = hostiles[v]->npc;
        Hero hero = heroAfter((int)v), kit = equip(hero, campaign.items, gear);
        GuardOdds guard{floors[v], &npc, winChance(kit, npc.hp), winChance(hero, npc.hp)};
        if (guard.withGear < 0.9)
            report.add(campaign.floors[floors[v]].npcFile, hostiles[v]->line,
                       "%s (%d hit points) is too strong: a hero who has won %d fights, "
                       "with weapon %d and armour %d, wins only %d%% of the time",
                       npc.name.c_str(), npc.hp, (int)v, kit.weaponMod, kit.armour,
                       (int)(guard.withGear * 100));
        if (odds)
            odds->push_back(guard);
    }
}

} // namespace

void checkPlay(const Campaign& campaign, Report& report, ClimbPlan* plan) {
    std::vector<int> gear = chooseGear(campaign);
    Planner planner(campaign, report, gear);
    Cell arrival{START_X, START_Y};
    for (int n = 0; n < FLOOR_COUNT; n++) {
        const Floor& floor = campaign.floors[n];
        if (!floor.present)
            break; // the game ends at the missing file; reported already
        FloorGrid grid(floor), open(floor);
        open.beatHostiles(); // hostile characters can be fought out of the way
        checkFigures(floor, grid, report);
        if (n == 0 && !grid.enterable(arrival))
            report.add(floor.mapFile, arrival.y + 1, "the player starts at (%d,%d) on %s",
                       arrival.x, arrival.y,
                       grid.occupied(arrival) ? "a character" : wallName(grid.code(arrival)));
        std::vector<bool> reached = reachableFrom(open, arrival);
        checkReachableFigures(floor, grid, reached, arrival, report);
        checkQuestTargets(campaign, n, grid, reached, report);
        std::vector<Cell> usable = reachableStairs(grid, reached);
        checkStairs(floor, n, grid, usable, arrival, report);
        if (!usable.empty())
            checkGuarded(floor, n, grid, arrival, report);
        checkDeadEnds(campaign, n, grid, arrival, report);
        checkLandings(campaign, n, usable, report);
        Cell up;
        if (!planner.climbFloor(n, grid, arrival, &up))
            break;
        arrival = up;
    }
    checkFights(campaign, gear, report, plan ? &plan->guards : NULL);
    if (plan) {
        plan->steps = planner.steps;
        plan->wins = planner.wins;
        plan->gear = gear;
    }
}
