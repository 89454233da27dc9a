// Ways across a floor: the collision rules of the player's step, and searches
// that count the locked doors a way needs.
#include "reach.h"

#include <cstring>
#include <queue>

FloorGrid::FloorGrid(const Floor& floor) {
    memcpy(cells, floor.cells, sizeof cells);
    figures.push_back(Figure{QUEST_GIVER_X, QUEST_GIVER_Y, false, NULL});
    figures.push_back(Figure{SHOPKEEPER_X, SHOPKEEPER_Y, false, NULL});
    for (const PlacedNPC& placed : floor.npcs)
        figures.push_back(
            Figure{placed.npc.posX, placed.npc.posY, placed.npc.hostile != 0, &placed.npc});
}

void FloorGrid::beatHostiles() {
    std::vector<Figure> left;
    for (const Figure& f : figures)
        if (!f.hostile)
            left.push_back(f);
    figures = left;
}

int FloorGrid::figureAt(Cell c) const {
    for (size_t i = 0; i < figures.size(); i++)
        if (figures[i].x == c.x && figures[i].y == c.y)
            return (int)i;
    return -1;
}

bool FloorGrid::occupied(Cell c) const {
    return figureAt(c) >= 0;
}

int FloorGrid::figuresAround(Cell c, bool* hostileNear) const {
    int count = 0;
    bool hostile = false;
    for (const Figure& f : figures) {
        if (f.x >= c.x - 1 && f.x <= c.x + 1 && f.y >= c.y - 1 && f.y <= c.y + 1) {
            count++;
            hostile = hostile || f.hostile;
        }
    }
    if (hostileNear)
        *hostileNear = hostile;
    return count;
}

namespace {

const int DX[4] = {0, 0, -1, 1};
const int DY[4] = {-1, 1, 0, 0};
// A locked door weighs more than any number of steps: fewest doors first.
const long DOOR_WEIGHT = 1000000;

} // namespace

Route findRoute(const FloorGrid& grid, Cell from, const std::vector<bool>& goal, bool useDoors) {
    Route route;
    const int cells = MAP_SIZE * MAP_SIZE;
    std::vector<long> cost(cells, -1);
    std::vector<int> previous(cells, -1);
    typedef std::pair<long, int> Entry;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    if (!grid.inside(from))
        return route;
    cost[cellIndex(from)] = 0;
    open.push(Entry(0, cellIndex(from)));
    int reachedGoal = -1;
    while (!open.empty()) {
        Entry top = open.top();
        open.pop();
        Cell here{top.second % MAP_SIZE, top.second / MAP_SIZE};
        if (top.first != cost[top.second])
            continue;
        if (goal[top.second]) {
            reachedGoal = top.second;
            break;
        }
        // Nobody walks on from the stairs: the step onto them climbs.
        if (grid.isStairs(here) && here != from)
            continue;
        for (int d = 0; d < 4; d++) {
            Cell next{here.x + DX[d], here.y + DY[d]};
            if (!grid.enterable(next))
                continue;
            int index = cellIndex(next);
            if (grid.isStairs(next) && !goal[index])
                continue;
            long step = 1;
            if (grid.isDoor(next)) {
                if (!useDoors)
                    continue;
                step = DOOR_WEIGHT + 2; // one step opens it, the next enters
            }
            long total = top.first + step;
            if (cost[index] < 0 || total < cost[index]) {
                cost[index] = total;
                previous[index] = top.second;
                open.push(Entry(total, index));
            }
        }
    }
    if (reachedGoal < 0)
        return route;
    route.found = true;
    for (int i = reachedGoal; i != cellIndex(from); i = previous[i]) {
        Cell c{i % MAP_SIZE, i / MAP_SIZE};
        route.cells.insert(route.cells.begin(), c);
        if (grid.isDoor(c))
            route.doors++;
    }
    return route;
}

std::vector<bool> reachableFrom(const FloorGrid& grid, Cell from) {
    std::vector<bool> reached(MAP_SIZE * MAP_SIZE, false);
    if (!grid.enterable(from))
        return reached;
    std::vector<Cell> todo{from};
    reached[cellIndex(from)] = true;
    while (!todo.empty()) {
        Cell here = todo.back();
        todo.pop_back();
        for (int d = 0; d < 4; d++) {
            Cell next{here.x + DX[d], here.y + DY[d]};
            if (!grid.enterable(next) || grid.isStairs(next) || reached[cellIndex(next)])
                continue;
            reached[cellIndex(next)] = true;
            todo.push_back(next);
        }
    }
    return reached;
}

bool talkable(const FloorGrid& grid, const std::vector<bool>& reached, Cell c) {
    for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++) {
            Cell near{c.x + dx, c.y + dy};
            if (grid.inside(near) && reached[cellIndex(near)])
                return true;
        }
    return false;
}

bool canStepOnto(const FloorGrid& grid, const std::vector<bool>& reached, Cell c) {
    if (!grid.enterable(c))
        return false;
    if (reached[cellIndex(c)])
        return true;
    for (int d = 0; d < 4; d++) {
        Cell near{c.x + DX[d], c.y + DY[d]};
        if (grid.inside(near) && reached[cellIndex(near)])
            return true;
    }
    return false;
}
