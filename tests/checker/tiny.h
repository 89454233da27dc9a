// A tiny, valid campaign that each checker test breaks in one way: six floors
// of plain floor inside a wall, each with one stairs cell in a nook held by a
// weak hostile guard, whose landing on the next floor is free, and no quests.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "checker.h"

struct TinyCampaign {
    std::vector<std::string> maps[FLOOR_COUNT]; // 100 rows of 100 codes
    std::string npcs[FLOOR_COUNT], quests, shop;

    TinyCampaign();
    static int stairsX(int floor) { return 50 + 2 * floor; } // all stairs are on row 50
    void set(int floor, int x, int y, char code) { maps[floor][y][x] = code; }
    void fill(int floor, int x0, int y0, int x1, int y1, char code); // corners included
    void wallIn(int floor, int x, int y) {                           // the four sides
        char kept = maps[floor][y][x];
        fill(floor, x - 1, y, x + 1, y, '1'), fill(floor, x, y - 1, x, y + 1, '1');
        set(floor, x, y, kept);
    }
    void write(const std::string& dir) const; // into an existing folder
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
    // Writes the tiny campaign, replaces `file` with `contents` (unless empty;
    // "<missing>" removes it) and checks the folder.
    Report check(ClimbPlan* plan = NULL, const std::string& file = "",
                 const std::string& contents = "");
};
