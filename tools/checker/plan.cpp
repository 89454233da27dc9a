// The planned walk through the campaign, and the key count that goes with it:
// every locked door on the way must be opened with a key the player has by
// then, earned from a quest or bought in the shop (each good in stock once).
#include "plan.h"

#include "core/clamp.h"

Planner::Planner(const Campaign& c, Report& r, const std::vector<int>& g)
    : campaign(c), report(r), sold(c.items.size(), false), gear(g) {}

void Planner::push(PlanStep::Kind kind, Cell at, int item, int quest) {
    steps.push_back(PlanStep{kind, floorNumber, at.x, at.y, item, quest, onErrand});
}

int ClimbPlan::walked() const {
    int count = 0;
    for (const PlanStep& step : steps)
        count += step.walks();
    return count;
}

int ClimbPlan::walkedOnErrands() const {
    int count = 0;
    for (const PlanStep& step : steps)
        count += step.walksOnErrand();
    return count;
}

std::vector<bool> Planner::talkCells(Cell who, int tier) const {
    std::vector<bool> goal(MAP_SIZE * MAP_SIZE, false);
    for (Cell c : cellsAround(who)) {
        // Where the player stands he can talk from, whoever shares his cell.
        bool here = c == pos && grid->inside(c);
        if (c == who || (!here && !grid->enterable(c)) || grid->isStairs(c))
            continue;
        bool hostile;
        int around = grid->figuresAround(c, &hostile);
        if ((tier == 0 && around != 1) || (tier <= 1 && hostile))
            continue;
        goal[cellIndex(c)] = true;
    }
    return goal;
}

void Planner::follow(const Route& route, bool climbAtEnd) {
    for (size_t i = 0; i < route.cells.size(); i++) {
        Cell c = route.cells[i];
        if (grid->isDoor(c)) {
            push(PlanStep::OpenDoor, c);
            keys--;
            doorsOpened++;
            grid->cells[c.y][c.x] = CELL_OPEN_DOOR;
        }
        bool last = i + 1 == route.cells.size();
        push(climbAtEnd && last ? PlanStep::Climb : PlanStep::Walk, c);
        pos = c;
    }
}

bool Planner::buy(const std::vector<int>& goods, PlanStep::Kind kind) {
    // Keys for doors on the way to the shop itself cannot be bought there.
    if (shopping)
        return false;
    shopping = true;
    bool there = walkToTalk(Cell{SHOPKEEPER_X, SHOPKEEPER_Y}, "to the shopkeeper");
    shopping = false;
    if (!there)
        return false;
    for (int i : goods) {
        const Item& item = campaign.items[i].item;
        push(kind, pos, i);
        sold[i] = true;
        gold = addClamped(gold, -(long long)item.price); // as the game's purse: never wraps
        if (item.isKey) {
            keys++;
            keysBought++;
        }
    }
    return true;
}

int Planner::buyKeys(int wanted) {
    std::vector<int> goods;
    int affordable = gold;
    for (size_t i = 0; i < campaign.items.size() && (int)goods.size() < wanted; i++) {
        const Item& item = campaign.items[i].item;
        if (item.isKey && !sold[i] && item.price <= affordable) {
            goods.push_back((int)i);
            affordable = addClamped(affordable, -(long long)item.price);
        }
    }
    if (goods.empty() || !buy(goods, PlanStep::BuyKey))
        return 0;
    return (int)goods.size();
}

bool Planner::fightTheWayOpen(const std::vector<bool>& goal) {
    // MEND: this once recursed as deep as the characters were many, without
    // end when they stood round the player. The first hostile character on
    // the way, if the way to him is open;
    // else the first one on the way to him, and so on: a loop, not a
    // recursion, each round a step nearer, and never more rounds than there
    // are characters.
    std::vector<bool> target = goal;
    for (size_t round = 0; round <= grid->figures.size(); round++) {
        Route route = findRoute(*grid, pos, target, true, true);
        int f = -1;
        for (size_t i = 0; i < route.cells.size() && f < 0; i++)
            f = grid->figureAt(route.cells[i]);
        if (f < 0)
            return false;
        Cell at{grid->figures[f].x, grid->figures[f].y};
        for (int tier = 0; tier < 3; tier++) {
            std::vector<bool> talk = talkCells(at, tier);
            if (!findRoute(*grid, pos, talk, true).found)
                continue;
            if (!walkTo(talk, "to a guard", false))
                return false;
            // Every hostile character on that cell, one fight each.
            for (f = grid->figureAt(at); f >= 0 && grid->figures[f].hostile;
                 f = grid->figureAt(at)) {
                push(PlanStep::Fight, pos, grid->figures[f].record);
                grid->remove(f);
            }
            return true;
        }
        target = talkCells(at, 2);
    }
    return false;
}

bool Planner::walkTo(const std::vector<bool>& goal, const char* purpose, bool climb) {
    Route route = findRoute(*grid, pos, goal, true);
    while (!route.found) {
        if (!fightTheWayOpen(goal))
            return false;
        route = findRoute(*grid, pos, goal, true);
    }
    if (route.doors > keys && buyKeys(route.doors - keys) > 0)
        route = findRoute(*grid, pos, goal, true);
    if (!route.found)
        return false;
    if (route.doors > keys && !shortReported) {
        Cell door = route.cells[0];
        for (const Cell& c : route.cells)
            if (grid->isDoor(c)) {
                door = c;
                break;
            }
        report.add(campaign.floors[floorNumber].mapFile, door.y + 1,
                   "the way from (%d,%d) %s passes %d locked door(s), the first at (%d,%d), but "
                   "the player has only %d key(s) by then (%d earned from quests, %d bought, %d "
                   "doors opened before)",
                   pos.x, pos.y, purpose, route.doors, door.x, door.y, keys < 0 ? 0 : keys,
                   keysEarned, keysBought, doorsOpened);
        shortReported = true;
    }
    follow(route, climb);
    return true;
}

bool Planner::walkToTalk(Cell who, const char* purpose) {
    for (int tier = 0; tier < 3; tier++) {
        std::vector<bool> goal = talkCells(who, tier);
        if (findRoute(*grid, pos, goal, true).found)
            return walkTo(goal, purpose, false);
    }
    // Only hostile characters stand in the way: fight to the nearest place to talk.
    return walkTo(talkCells(who, 2), purpose, false);
}

bool Planner::doQuest(int index) {
    const Quest& quest = campaign.quests[index].quest;
    onErrand = true;
    bool done =
        walkToTalk(Cell{QUEST_GIVER_X, QUEST_GIVER_Y}, "to the quest giver") && fetchQuest(index);
    onErrand = false;
    if (!done)
        return false;
    gold = addClamped(gold, QUEST_REWARD_GOLD);
    if (quest.rewardKey) {
        keys++;
        keysEarned++;
    }
    return true;
}

bool Planner::fetchQuest(int index) {
    const Quest& quest = campaign.quests[index].quest;
    push(PlanStep::TalkToQuestGiver, pos, -1, index);
    Cell target{quest.posX, quest.posY};
    if (!grid->enterable(target))
        return false;
    if (pos == target) {
        // The quest check runs after a step: step off the target and back on.
        const Cell around[4] = {
            {pos.x, pos.y - 1}, {pos.x, pos.y + 1}, {pos.x - 1, pos.y}, {pos.x + 1, pos.y}};
        bool stepped = false;
        for (const Cell& c : around) {
            if (!stepped && grid->enterable(c) && !grid->isStairs(c) && !grid->isDoor(c)) {
                push(PlanStep::Walk, c);
                push(PlanStep::Walk, target);
                stepped = true;
            }
        }
        if (!stepped)
            return false;
    } else {
        std::vector<bool> goal(MAP_SIZE * MAP_SIZE, false);
        goal[cellIndex(target)] = true;
        if (!walkTo(goal, "to a quest target", false))
            return false;
    }
    return true;
}

bool Planner::climbFloor(int n, const FloorGrid& floor, Cell arrival, Cell* up) {
    FloorGrid walked = floor;
    grid = &walked;
    floorNumber = n;
    pos = arrival;
    shortReported = false;
    // The gear is bought at once, before the first errand.
    if (n == 0 && !gear.empty())
        buy(gear, PlanStep::BuyGear);
    // The quest giver hands out the floor's quests in file order; one that
    // cannot be done holds back every quest after it.
    for (size_t i = 0; i < campaign.quests.size(); i++)
        if (campaign.quests[i].quest.floor == n && !doQuest((int)i))
            break;
    std::vector<bool> stairs(MAP_SIZE * MAP_SIZE, false);
    for (int y = 0; y < MAP_SIZE; y++)
        for (int x = 0; x < MAP_SIZE; x++)
            stairs[cellIndex(Cell{x, y})] = walked.isStairs(Cell{x, y});
    bool climbed = walkTo(stairs, "to the stairs", true);
    grid = NULL;
    if (!climbed)
        return false;
    *up = pos;
    if (n == FLOOR_COUNT - 1)
        wins = true;
    return true;
}
