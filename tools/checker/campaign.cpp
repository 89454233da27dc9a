// The campaign's rules of craft (see campaign.h): bare stretches along the
// planned way, props beside errands, walls repeated from floor to floor,
// the length of fights and the boss's own picture, with the figures an
// author tunes them by.
#include "campaign.h"

#include <algorithm>
#include <set>

namespace {

// The code every cell in the player's view shares, or 0 when they differ.
char loneTileInView(const Floor& floor, int px, int py) {
    char seen = 0;
    for (int y = py - VIEW_UP; y <= py + VIEW_DOWN; y++)
        for (int x = px - VIEW_LEFT; x <= px + VIEW_RIGHT; x++) {
            if (!Map::contains(x, y))
                continue;
            char code = floor.cells[y][x];
            if (seen && code != seen)
                return 0;
            seen = code;
        }
    return seen;
}

void checkBareStretches(const Campaign& campaign, const ClimbPlan& plan, Report& report,
                        CampaignFigures& figures) {
    int run = 0, floor = -1;
    PlanStep first{};
    for (const PlanStep& step : plan.steps) {
        if (step.floor != floor)
            run = 0;
        floor = step.floor;
        if (step.kind != PlanStep::Walk)
            continue;
        const Floor& f = campaign.floors[floor];
        char lone = loneTileInView(f, step.x, step.y);
        if (!lone) {
            run = 0;
            continue;
        }
        if (run == 0)
            first = step;
        run++;
        int& longest = figures.floors[floor].longestBare;
        longest = std::max(longest, run);
        if (run == BARE_STRETCH_LIMIT + 1)
            report.add(f.mapFile, first.y + 1,
                       "the planned way crosses more than %d cells from (%d,%d) with nothing but "
                       "code %c in view: draw a path, a wall or a landmark",
                       BARE_STRETCH_LIMIT, first.x, first.y, lone);
    }
}

// The group of wall and crate cells touching `start`, up to one cell more
// than a prop may have.
std::vector<Cell> blockGroup(const Floor& floor, Cell start) {
    std::vector<Cell> group{start};
    std::set<int> seen{cellIndex(start)};
    for (size_t i = 0; i < group.size() && (int)group.size() <= PROP_MAX_CELLS; i++)
        for (Cell c : cellsAround(group[i]))
            if (Map::contains(c.x, c.y) && cellBlocks(floor.cells[c.y][c.x]) &&
                seen.insert(cellIndex(c)).second)
                group.push_back(c);
    return group;
}

std::string shapeOf(const Floor& floor, const std::vector<Cell>& cells) {
    int x0 = MAP_SIZE, y0 = MAP_SIZE, x1 = -1, y1 = -1;
    for (const Cell& c : cells) {
        x0 = std::min(x0, c.x);
        y0 = std::min(y0, c.y);
        x1 = std::max(x1, c.x);
        y1 = std::max(y1, c.y);
    }
    std::string shape;
    for (int y = y0 - 1; y <= y1 + 1; y++) {
        for (int x = x0 - 1; x <= x1 + 1; x++)
            shape += Map::contains(x, y) ? floor.cells[y][x] : ' ';
        shape += '/';
    }
    return shape;
}

// The wall cells beside the planned way on floor `n`.
std::set<int> wallsAlongTheWay(const Campaign& campaign, const ClimbPlan& plan, int n) {
    std::set<int> walls;
    const Floor& floor = campaign.floors[n];
    for (const PlanStep& step : plan.steps) {
        if (step.floor != n || !step.walks())
            continue;
        for (Cell c : cellsAround(Cell{step.x, step.y}))
            if (Map::contains(c.x, c.y) && floor.cells[c.y][c.x] == CELL_WALL)
                walls.insert(cellIndex(c));
    }
    return walls;
}

void checkSharedWalls(const Campaign& campaign, const ClimbPlan& plan, Report& report,
                      CampaignFigures& figures) {
    std::set<int> walls[FLOOR_COUNT];
    for (int n = 0; n < FLOOR_COUNT; n++)
        walls[n] = wallsAlongTheWay(campaign, plan, n);
    for (int a = 0; a < FLOOR_COUNT; a++)
        for (int b = a + 1; b < FLOOR_COUNT; b++) {
            size_t fewer = std::min(walls[a].size(), walls[b].size());
            if (fewer == 0)
                continue;
            size_t shared = 0;
            for (int c : walls[a])
                shared += walls[b].count(c);
            int percent = (int)(shared * 100 / fewer);
            for (int n : {a, b})
                if (percent > figures.floors[n].sharedPercent) {
                    figures.floors[n].sharedPercent = percent;
                    figures.floors[n].sharedWith = n == a ? b : a;
                }
            if (percent > WALL_SHARE_PERCENT_LIMIT)
                report.add(campaign.floors[b].mapFile, 0,
                           "floors %d and %d share %d%% of the walls along the planned way (at "
                           "most %d%%): make their rooms differ",
                           a, b, percent, WALL_SHARE_PERCENT_LIMIT);
        }
}

void checkProps(const Campaign& campaign, Report& report, CampaignFigures& figures) {
    for (int n = 0; n < FLOOR_COUNT; n++) {
        if (!campaign.floors[n].present)
            continue;
        std::vector<Prop> props = findProps(campaign, n);
        figures.floors[n].props = (int)props.size();
        for (size_t i = 0; i < campaign.quests.size(); i++) {
            const PlacedQuest& q = campaign.quests[i];
            if (q.quest.floor != n)
                continue;
            bool found = false;
            for (const Prop& p : props)
                found = found || p.quest == (int)i;
            if (!found)
                report.add(campaign.questFile, q.line,
                           "the errand \"%s\" has no prop beside its target (%d,%d): a group of "
                           "at most %d wall or crate cells the player would call by its name",
                           q.quest.text.c_str(), q.quest.posX, q.quest.posY, PROP_MAX_CELLS);
        }
        for (size_t i = 0; i < props.size(); i++)
            for (size_t j = 0; j < i; j++)
                if (props[i].shape == props[j].shape) {
                    const PlacedQuest& q = campaign.quests[props[i].quest];
                    report.add(campaign.questFile, q.line,
                               "the errand \"%s\" has a prop of the same shape as the errand "
                               "\"%s\" on floor %d",
                               q.quest.text.c_str(),
                               campaign.quests[props[j].quest].quest.text.c_str(), n);
                    break;
                }
    }
}

void checkFightLengths(const Campaign& campaign, const ClimbPlan& plan, Report& report,
                       CampaignFigures& figures) {
    std::vector<int> floors;
    std::vector<const PlacedNPC*> hostiles = hostilesInOrder(campaign, &floors);
    for (size_t v = 0; v < hostiles.size(); v++) {
        const NPC& npc = hostiles[v]->npc;
        bool boss = v + 1 == hostiles.size();
        Hero kit = equip(heroAfter((int)v), campaign.items, plan.gear);
        FightLength fight{floors[v], &npc, averageTurns(kit, npc.hp), boss};
        figures.fights.push_back(fight);
        int limit = boss ? BOSS_TURN_LIMIT : GUARD_TURN_LIMIT;
        if (fight.turns > limit)
            report.add(campaign.floors[fight.floor].npcFile, hostiles[v]->line,
                       "%s (%d hit points) takes %.1f turns on average with the plan's gear, "
                       "more than the %d a %s fight should last",
                       npc.name.c_str(), npc.hp, fight.turns, limit, boss ? "boss" : "guard");
    }
    if (hostiles.empty())
        return;
    const PlacedNPC& boss = *hostiles.back();
    for (int n = 0; n < FLOOR_COUNT; n++)
        for (const PlacedNPC& other : campaign.floors[n].npcs)
            if (&other != &boss && other.npc.character == boss.npc.character) {
                report.add(campaign.floors[floors.back()].npcFile, boss.line,
                           "the boss %s shares sprite row %d with %s on floor %d: give the boss "
                           "a picture of its own",
                           boss.npc.name.c_str(), boss.npc.character, other.npc.name.c_str(), n);
                return;
            }
}

} // namespace

std::vector<Prop> findProps(const Campaign& campaign, int n) {
    const Floor& floor = campaign.floors[n];
    std::vector<Prop> props;
    for (size_t i = 0; i < campaign.quests.size(); i++) {
        const Quest& q = campaign.quests[i].quest;
        if (q.floor != n)
            continue;
        for (Cell c : cellsAround(Cell{q.posX, q.posY})) {
            bool taken = !props.empty() && props.back().quest == (int)i;
            if (taken || !Map::contains(c.x, c.y) || !cellBlocks(floor.cells[c.y][c.x]))
                continue;
            std::vector<Cell> group = blockGroup(floor, c);
            if ((int)group.size() <= PROP_MAX_CELLS)
                props.push_back(Prop{(int)i, group, shapeOf(floor, group)});
        }
    }
    return props;
}

void checkCraft(const Campaign& campaign, const ClimbPlan& plan, Report& report,
                CampaignFigures& figures) {
    for (const PlanStep& step : plan.steps) {
        if (!step.walks())
            continue;
        figures.floors[step.floor].steps++;
        figures.floors[step.floor].errandSteps += step.walksOnErrand();
    }
    checkBareStretches(campaign, plan, report, figures);
    checkProps(campaign, report, figures);
    checkSharedWalls(campaign, plan, report, figures);
    checkFightLengths(campaign, plan, report, figures);
}

void printCraftFigures(const CampaignFigures& figures, FILE* out) {
    for (int n = 0; n < FLOOR_COUNT; n++) {
        const FloorFigures& f = figures.floors[n];
        fprintf(out,
                "floor %d: %d steps, %d on errands; longest bare stretch %d cells (at most %d); "
                "%d errand(s) with a prop",
                n, f.steps, f.errandSteps, f.longestBare, BARE_STRETCH_LIMIT, f.props);
        if (f.sharedWith >= 0)
            fprintf(out, "; %d%% of its walls along the way as on floor %d (at most %d%%)",
                    f.sharedPercent, f.sharedWith, WALL_SHARE_PERCENT_LIMIT);
        fputc('\n', out);
    }
    for (const FightLength& fight : figures.fights)
        fprintf(out, "floor %d %s: %s lasts %.1f turns on average with the gear (at most %d)\n",
                fight.floor, fight.boss ? "boss" : "guard", fight.npc->name.c_str(), fight.turns,
                fight.boss ? BOSS_TURN_LIMIT : GUARD_TURN_LIMIT);
}
