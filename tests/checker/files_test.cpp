// The checker's reading of the data files: each thing a loader would do
// silently is reported with the file and the line where it happens.
#include <string>

#include "tiny.h"

namespace {

std::string lines(int count, const std::string& line) {
    std::string text;
    for (int i = 0; i < count; i++)
        text += line + "\n";
    return text;
}

// A walled map of `rows` lines whose line `row` (from 0) is `replacement`.
std::string mapWith(int row, const std::string& replacement, int rows = MAP_SIZE) {
    std::string text;
    for (int y = 0; y < rows; y++)
        text += (y == row                  ? replacement
                 : y == 0 || y == rows - 1 ? std::string(MAP_SIZE, '1')
                                           : std::string(MAP_SIZE, '3')) +
                "\n";
    return text;
}

TEST_F(CheckerTest, FileProblemsAreNamedWithFileAndLine) {
    const std::string bob = npcRecord(20, false, "Bob", "Hi.", 10, 10, 3);
    struct {
        const char* file;
        std::string contents;
        const char* words;
        int line;
    } cases[] = {
        {"map2.qor", mapWith(10, std::string(37, '3')),
         "line has 37 codes, 100 expected: cell 37 becomes 0", 11},
        {"map2.qor", mapWith(5, std::string(101, '3')),
         "line has 101 codes, 100 expected: reading stops here", 6},
        {"map.qor", mapWith(-1, "", 60), "the file ends after 60 lines", 61},
        {"map1.qor", mapWith(3, "3333333x" + std::string(92, '3')), "cell (7,3) has code 120", 4},
        {"map3.qor", "<missing>", "missing: the game ends with \"Map", 0},
        {"npcs.qor", npcRecord(20, false, std::string(60, 'n'), "Hi.", 10, 10, 3),
         "the name has 60 characters, at most 59 fit", 6},
        {"npcs.qor", npcRecord(20, false, "Bob", "Hi", 10, 10, 12),
         "character number 12 is outside the sprite table", 10},
        {"npcs.qor", bob + "20\n20\n0\n0\n0\nCut\nShort\n",
         "the file ends inside this record: its last 3 line(s) read empty", 11},
        {"npcs1.qor", "20\n20\n0\n0\nyes\nBob\nHi\n10\n10\n3\n",
         "the hostile flag \"yes\" is not a number: it reads as 0", 5},
        {"quests.qor", questRecord(10, 10, 7, "Go up", false), "floor 7 does not exist", 3},
        {"quests.qor",
         questRecord(10, 10, 0, "Go", false) + questRecord(10, 10, 0, std::string(40, 't'), false),
         "the text has 40 characters, at most 39 fit", 9},
        {"shopdata.qor", itemRecord(10, 0, "Potion") + itemRecord(10, -1, "Rock"),
         "icon index -1 is outside the item icons", 18},
        {"shopdata.qor", "10\n6\n0\nBlank Scroll\n0\n1\n" + lines(10, "0"),
         "Blank Scroll is a scroll that names no spell", 6},
        {"shopdata.qor",
         itemRecord(10, 0, "Potion") + itemRecord(0, 2, "Free Key", 0, 0, true) +
             itemRecord(10, 13, "Mana"),
         "this record ends the file (its price and weapon modifier are 0)", 17},
        {"shopdata.qor", "", "the shop has no goods", 0},
    };
    for (const auto& c : cases) {
        tiny = TinyCampaign();
        Report report = check(NULL, c.file, c.contents);
        const Problem* problem = findProblem(report, c.words);
        ASSERT_NE(problem, nullptr) << "no problem says \"" << c.words << "\"";
        EXPECT_EQ(problem->file, dir + "/" + c.file) << c.words;
        EXPECT_EQ(problem->line, c.line) << c.words;
    }
}

TEST_F(CheckerTest, CleanFilesEndingWithALineFeedOrWithoutOneReportNothing) {
    tiny.npcs[1] = npcRecord(20, false, "Bob", "Hi.", 10, 10, 3) + tiny.npcs[1];
    tiny.npcs[2].pop_back();
    tiny.quests = questRecord(20, 20, 0, "Go", false);
    tiny.quests.pop_back();
    Report report = check();
    EXPECT_TRUE(report.clean()) << report.problems[0].text;
}

} // namespace
