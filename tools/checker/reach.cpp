// Ways across a floor: the collision rules of the player's step, and searches
// that count the locked doors a way needs.
#include "reach.h"

#include <algorithm>
#include <cstring>
#include <queue>

FloorGrid::FloorGrid(const Floor& floor)
    : standing(MAP_SIZE * MAP_SIZE, 0), hostiles(MAP_SIZE * MAP_SIZE, 0),
      first(MAP_SIZE * MAP_SIZE, -1) {
    memcpy(cells, floor.cells, sizeof cells);
    figures.push_back(Figure{QUEST_GIVER_X, QUEST_GIVER_Y, false, NULL, -1, true});
    figures.push_back(Figure{SHOPKEEPER_X, SHOPKEEPER_Y, false, NULL, -1, true});
    for (size_t i = 0; i < floor.npcs.size(); i++) {
        const NPC& npc = floor.npcs[i].npc;
        figures.push_back(Figure{npc.posX, npc.posY, npc.hostile != 0, &npc, (int)i, true});
    }
    // Each cell's figures in file order, linked from the last one back.
    next.assign(figures.size(), -1);
    for (int f = (int)figures.size() - 1; f >= 0; f--) {
        Cell at{figures[f].x, figures[f].y};
        if (!inside(at))
            continue;
        int c = cellIndex(at);
        next[f] = first[c];
        first[c] = f;
        standing[c]++;
        hostiles[c] += figures[f].hostile;
    }
}

void FloorGrid::remove(int f) {
    Figure& figure = figures[f];
    if (!figure.standing)
        return;
    figure.standing = false;
    Cell at{figure.x, figure.y};
    if (!inside(at))
        return;
    int c = cellIndex(at);
    standing[c]--;
    hostiles[c] -= figure.hostile;
    while (first[c] >= 0 && !figures[first[c]].standing)
        first[c] = next[first[c]];
}

void FloorGrid::beatHostiles() {
    for (size_t f = 0; f < figures.size(); f++)
        if (figures[f].hostile)
            remove((int)f);
}

void FloorGrid::removeAll() {
    for (size_t f = 0; f < figures.size(); f++)
        remove((int)f);
}

int FloorGrid::figureAt(Cell c) const {
    return inside(c) ? first[cellIndex(c)] : -1;
}

int FloorGrid::figuresAround(Cell c, bool* hostileNear) const {
    int count = 0, hostile = 0;
    for (Cell near : cellsAround(c))
        if (inside(near)) {
            count += standing[cellIndex(near)];
            hostile += hostiles[cellIndex(near)];
        }
    if (hostileNear)
        *hostileNear = hostile > 0;
    return count;
}

namespace {

const int DX[4] = {0, 0, -1, 1};
const int DY[4] = {-1, 1, 0, 0};
// A locked door weighs more than any number of steps: fewest doors first.
const long DOOR_WEIGHT = 1000000;

} // namespace

Route findRoute(const FloorGrid& grid, Cell from, const std::vector<bool>& goal, bool useDoors,
                bool throughHostiles) {
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
            if (!grid.enterable(next, throughHostiles))
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
        route.cells.push_back(c);
        if (grid.isDoor(c))
            route.doors++;
    }
    std::reverse(route.cells.begin(), route.cells.end());
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
    for (Cell near : cellsAround(c))
        if (grid.inside(near) && reached[cellIndex(near)])
            return true;
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
