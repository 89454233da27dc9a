// The campaign's rules of craft, on top of the play rules: what makes a floor
// one a new player can follow and enjoy rather than merely one he can finish.
// The planned way must never cross a long stretch with nothing but one tile in
// view; every errand's target lies beside a prop of its own shape; no two
// floors share much of the walls along their way; fights end in a sensible
// number of turns; and the boss has a picture nobody else wears.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "reach.h"

// The longest stretch of the planned way, in steps, with one tile alone in view.
const int BARE_STRETCH_LIMIT = 15;
// What the player sees around his cell: columns -7 to +6, rows -5 to +4.
const int VIEW_LEFT = 7;
const int VIEW_RIGHT = 6;
const int VIEW_UP = 5;
const int VIEW_DOWN = 4;
// A prop is a group of at most this many wall and crate cells (touching, also
// corner to corner); a bigger group is a wall of the floor.
const int PROP_MAX_CELLS = 12;
// The share of the walls along one floor's way that another floor may repeat.
const int WALL_SHARE_PERCENT_LIMIT = 25;
// Average player turns of a fight, with the plan's gear.
const int GUARD_TURN_LIMIT = 12;
const int BOSS_TURN_LIMIT = 20;

// A prop beside an errand's target: its cells and its shape (the codes of its
// bounding box and one cell round it, row by row).
struct Prop {
    int quest; // index in the campaign's quest list
    std::vector<Cell> cells;
    std::string shape;
};

// The props of every errand of floor `n` that has one.
std::vector<Prop> findProps(const Campaign& campaign, int n);

// A guard's fight, as long as it lasts with the plan's gear.
struct FightLength {
    int floor;
    const NPC* npc;
    double turns; // the player's turns, on average
    bool boss;    // the last hostile character the hero meets
};

struct FloorFigures {
    int steps = 0;         // walked on this floor: walking, against doors and onto stairs
    int errandSteps = 0;   // of those, on errand round trips
    int longestBare = 0;   // the longest stretch with one tile alone in view
    int props = 0;         // errands with a prop beside them
    int sharedPercent = 0; // the most of its walls along the way another floor repeats
    int sharedWith = -1;   // that floor
};

struct CampaignFigures {
    FloorFigures floors[FLOOR_COUNT];
    std::vector<FightLength> fights;
};

// Checks the campaign's craft along `plan` and fills `figures`.
void checkCraft(const Campaign& campaign, const ClimbPlan& plan, Report& report,
                CampaignFigures& figures);

// Writes one line of figures per floor, then one per fight.
void printCraftFigures(const CampaignFigures& figures, FILE* out);
