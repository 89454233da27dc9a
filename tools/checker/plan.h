// The walk through the campaign as a careful player makes it: on each floor
// every errand of the quest giver in turn, then the stairs, opening the locked
// doors on the way with the keys earned so far or bought in the shop.
#pragma once

#include "reach.h"

class Planner {
  public:
    std::vector<PlanStep> steps;
    bool wins = false;

    // `gear`: the goods to buy at the first visit to the shopkeeper.
    Planner(const Campaign& campaign, Report& report, const std::vector<int>& gear);

    // Walks floor `n` from `arrival`: all its quests, then up the stairs,
    // whose cell goes to `up`. False when there is no way up.
    bool climbFloor(int n, const FloorGrid& floor, Cell arrival, Cell* up);

  private:
    const Campaign& campaign;
    Report& report;
    FloorGrid* grid = NULL; // the floor being walked, its doors opened as we go
    int floorNumber = 0;
    Cell pos{START_X, START_Y};
    int keys = 0;
    int gold = START_GOLD;
    int keysEarned = 0;
    int keysBought = 0;
    int doorsOpened = 0;
    bool shortReported = false;
    std::vector<bool> sold; // shop goods already bought
    std::vector<int> gear;
    bool shopping = false; // on the way to the shopkeeper
    bool onErrand = false; // steps now are part of an errand's round trip

    void push(PlanStep::Kind kind, Cell at, int item = -1, int quest = -1);
    // Cells from which the player talks to the figure at `who` alone if he
    // can, else with no hostile character near, else at all (tier 0 to 2).
    std::vector<bool> talkCells(Cell who, int tier) const;
    // Walks to the nearest cell of `goal` (the last step climbing if `climb`);
    // false when there is no way at all.
    bool walkTo(const std::vector<bool>& goal, const char* purpose, bool climb);
    bool walkToTalk(Cell who, const char* purpose);
    void follow(const Route& route, bool climbAtEnd);
    // Fights the first hostile character on the way to `goal` when only
    // hostile characters block it; false when there is none to fight.
    bool fightTheWayOpen(const std::vector<bool>& goal);
    // Walks to the shopkeeper and buys `goods` (keys counted as such).
    bool buy(const std::vector<int>& goods, PlanStep::Kind kind);
    // Buys up to `wanted` keys from the shop; returns how many it got.
    int buyKeys(int wanted);
    // Fetches the quest from the quest giver and solves it; false when it
    // cannot be done.
    bool doQuest(int index);
    // Talks to the quest giver where the player stands and walks to the target.
    bool fetchQuest(int index);
};
