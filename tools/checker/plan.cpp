// The planned walk through the campaign, and the key count that goes with it:
// every locked door on the way must be opened with a key the player has by
// then, earned from a quest or bought in the shop (each good in stock once).
#include "plan.h"

Planner::Planner(const Campaign& c, Report& r)
    : campaign(c), report(r), sold(c.items.size(), false) {}

void Planner::push(PlanStep::Kind kind, Cell at, int item, int quest) {
    steps.push_back(PlanStep{kind, floorNumber, at.x, at.y, item, quest});
}

std::vector<bool> Planner::talkCells(Cell who, int tier) const {
    std::vector<bool> goal(MAP_SIZE * MAP_SIZE, false);
    for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++) {
            Cell c{who.x + dx, who.y + dy};
            if (c == who || !grid->enterable(c) || grid->isStairs(c))
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
            grid->cells[c.y][c.x] = '2';
        }
        bool last = i + 1 == route.cells.size();
        push(climbAtEnd && last ? PlanStep::Climb : PlanStep::Walk, c);
        pos = c;
    }
}

int Planner::buyKeys(int wanted) {
    std::vector<int> goods;
    int affordable = gold;
    for (size_t i = 0; i < campaign.items.size() && (int)goods.size() < wanted; i++) {
        const Item& item = campaign.items[i].item;
        if (item.isKey && !sold[i] && item.price <= affordable) {
            goods.push_back((int)i);
            affordable -= item.price;
        }
    }
    if (goods.empty())
        return 0;
    Cell shopkeeper{SHOPKEEPER_X, SHOPKEEPER_Y};
    for (int tier = 0; tier < 3; tier++) {
        Route route = findRoute(*grid, pos, talkCells(shopkeeper, tier), true);
        if (!route.found)
            continue;
        if (route.doors > keys)
            return 0;
        follow(route, false);
        for (int i : goods) {
            push(PlanStep::BuyKey, pos, i);
            sold[i] = true;
            gold -= campaign.items[i].item.price;
            keys++;
            keysBought++;
        }
        return (int)goods.size();
    }
    return 0;
}

bool Planner::walkTo(const std::vector<bool>& goal, const char* purpose, bool climb) {
    Route route = findRoute(*grid, pos, goal, true);
    if (!route.found)
        return false;
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
    return false;
}

bool Planner::doQuest(int index) {
    const Quest& quest = campaign.quests[index].quest;
    if (!walkToTalk(Cell{QUEST_GIVER_X, QUEST_GIVER_Y}, "to the quest giver"))
        return false;
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
    gold += QUEST_GOLD;
    if (quest.rewardKey) {
        keys++;
        keysEarned++;
    }
    return true;
}

bool Planner::climbFloor(int n, const FloorGrid& floor, Cell arrival, Cell* up) {
    FloorGrid walked = floor;
    grid = &walked;
    floorNumber = n;
    pos = arrival;
    shortReported = false;
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
