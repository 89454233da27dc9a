// A tiny, valid campaign that each checker test breaks in one way: six floors
// of plain floor inside a wall, each with one stairs cell whose landing on the
// next floor is free, no characters but the two every floor gets, and no quests.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "checker.h"

struct TinyCampaign {
    std::vector<std::string> maps[FLOOR_COUNT]; // 100 rows of 100 codes
    std::string npcs[FLOOR_COUNT];
    std::string quests;
    std::string shop;

    TinyCampaign();

    // The stairs of floor n.
    static int stairsX(int floor) { return 50 + 2 * floor; }
    static int stairsY() { return 50; }

    void set(int floor, int x, int y, char code) { maps[floor][y][x] = code; }
    // Fills a rectangle, both corners included.
    void fill(int floor, int x0, int y0, int x1, int y1, char code);
    // Walls in the cell (x, y) on all four sides.
    void wallIn(int floor, int x, int y);

    // Writes the data files into `dir` (which must exist).
    void write(const std::string& dir) const;
    // Writes, loads and checks: the checker's report on this campaign.
    Report check(const std::string& dir, ClimbPlan* plan = NULL) const;
};

// Records as the data files hold them, each line ended by a line feed.
std::string npcRecord(int hp, bool hostile, const std::string& name, const std::string& line, int x,
                      int y, int character);
std::string questRecord(int x, int y, int floor, const std::string& text, bool key);
std::string itemRecord(int price, int icon, const std::string& name, int weaponMod = 0,
                       int armourClass = 0, bool key = false, int spell = 0);

// The problem whose text contains `words`, or NULL.
const Problem* findProblem(const Report& report, const std::string& words);

// A test with a temporary data folder and a tiny campaign to break.
class CheckerTest : public ::testing::Test {
  protected:
    std::string dir;
    TinyCampaign tiny;

    void SetUp() override;
    void TearDown() override;
    // Checks the tiny campaign as it stands now.
    Report check(ClimbPlan* plan = NULL) { return tiny.check(dir, plan); }
    // Writes the tiny campaign, then replaces one file of it with `contents`
    // and checks the folder.
    Report checkWith(const std::string& file, const std::string& contents);
};
