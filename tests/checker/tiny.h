// A tiny, valid campaign that each checker test breaks in one way: six floors
// of plain floor inside a wall, each with one stairs cell in a nook held by a
// weak guard, whose landing on the next floor is free, and no quests.
#pragma once

#include "checker.h"
#include "support/harness.h"

// A guard of `hp` hit points.
inline std::string guard(const std::string& name, int x, int y, int hp) {
    return npcRecord(name, x, y, 1, 4, "Hello.", hp);
}

struct TinyCampaign {
    std::vector<std::string> maps[FLOOR_COUNT]; // 100 rows of 100 codes
    std::string npcs[FLOOR_COUNT];
    std::string quests;
    std::string shop = goodRecord("Healing Potion", 100, 0, 0, 0);

    TinyCampaign() {
        for (int n = 0; n < FLOOR_COUNT; n++) {
            maps[n].assign(MAP_SIZE, std::string(MAP_SIZE, '1'));
            fill(n, 1, 1, 98, 98, '3');
            fill(n, stairsX(n) - 1, 49, stairsX(n) + 1, 51, '1');
            set(n, stairsX(n), 50, '6');
            set(n, stairsX(n), 51, '3');
            npcs[n] = guard("Rat", stairsX(n), 51, 1);
        }
    }
    static int stairsX(int floor) { return 50 + 2 * floor; } // all stairs are on row 50
    void set(int floor, int x, int y, char code) { maps[floor][y][x] = code; }
    void fill(int floor, int x0, int y0, int x1, int y1, char code) { // corners included
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++)
                set(floor, x, y, code);
    }
    void wallIn(int floor, int x, int y) { // the four sides
        char kept = maps[floor][y][x];
        fill(floor, x - 1, y, x + 1, y, '1');
        fill(floor, x, y - 1, x, y + 1, '1');
        set(floor, x, y, kept);
    }
    void lockWayUp() { // a wall between the arrival and the stairs, a locked door in row 60
        fill(0, 45, 1, 45, 98, '1');
        set(0, 45, 60, '7');
    }
    void write(const DataTree& tree) const { // into the tree's data folder
        for (int n = 0; n < FLOOR_COUNT; n++) {
            std::string suffix = (n ? std::to_string(n) : "") + ".qor";
            std::string map;
            for (const std::string& row : maps[n])
                map += row + "\n";
            // A floor without rows has no map file.
            if (maps[n].empty())
                tree.remove("data/map" + suffix);
            else
                tree.write("data/map" + suffix, map);
            tree.write("data/npcs" + suffix, npcs[n]);
        }
        tree.write("data/quests.qor", quests);
        tree.write("data/shopdata.qor", shop);
    }
};

// A test with a data tree and a tiny campaign to break.
class CheckerTest : public ::testing::Test {
  protected:
    DataTree tree;
    std::string dir = tree.path("data");
    TinyCampaign tiny;

    // The campaign of the data folder, loaded into `report`.
    std::unique_ptr<Campaign> load(Report& report) {
        std::unique_ptr<Campaign> campaign(new Campaign()); // too big for the stack
        loadCampaign(dir, *campaign, report);
        return campaign;
    }
    // Writes the tiny campaign and checks it.
    Report check(ClimbPlan* plan = NULL) {
        tiny.write(tree);
        Report report;
        std::unique_ptr<Campaign> campaign = load(report);
        checkPlay(*campaign, report, plan);
        return report;
    }
    // Some problem says `words`, in `file` at `line` (unless `file` is NULL).
    void expectProblem(const Report& report, const std::string& words, const char* file, int line) {
        for (const Problem& p : report.problems)
            if (p.text.find(words) != std::string::npos) {
                if (file) {
                    EXPECT_EQ(p.file, dir + "/" + file) << "the file named for: " << words;
                    EXPECT_EQ(p.line, line) << "the line named for: " << words;
                }
                return;
            }
        ADD_FAILURE() << "no problem says \"" << words << "\"";
    }
};
