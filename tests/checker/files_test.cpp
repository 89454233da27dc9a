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

std::string mapWith(int row, const std::string& replacement, int rows = MAP_SIZE) {
    std::string text;
    for (int y = 0; y < rows; y++) {
        std::string line = std::string(MAP_SIZE, '3');
        if (y == 0 || y == rows - 1)
            line = std::string(MAP_SIZE, '1');
        text += (y == row ? replacement : line) + "\n";
    }
    return text;
}

struct FileCase {
    const char* name;
    const char* file;
    std::string contents;
    const char* words; // what the report must say
    int line;          // where
};

class FileProblems : public CheckerTest, public ::testing::WithParamInterface<FileCase> {};

TEST_P(FileProblems, AreNamedWithFileAndLine) {
    const FileCase& c = GetParam();
    Report report = checkWith(c.file, c.contents);
    const Problem* problem = findProblem(report, c.words);
    ASSERT_NE(problem, nullptr) << "no problem says \"" << c.words << "\"";
    EXPECT_EQ(problem->file, dir + "/" + c.file);
    EXPECT_EQ(problem->line, c.line);
}

const std::string NAME_60(60, 'n');
const std::string BOB = npcRecord(20, false, "Bob", "Hi.", 10, 10, 3);

INSTANTIATE_TEST_SUITE_P(
    Maps, FileProblems,
    ::testing::Values(
        FileCase{"short", "map2.qor", mapWith(10, std::string(37, '3')),
                 "line has 37 codes, 100 expected: cell 37 becomes 0", 11},
        FileCase{"long", "map2.qor", mapWith(5, std::string(101, '3')),
                 "line has 101 codes, 100 expected: reading stops here", 6},
        FileCase{"missingLines", "map.qor", mapWith(-1, "", 60), "the file ends after 60 lines",
                 61},
        FileCase{"unknownCode", "map1.qor", mapWith(3, "3333333x" + std::string(92, '3')),
                 "cell (7,3) has code 120", 4},
        FileCase{"textAfterTheGrid", "map1.qor", mapWith(-1, "") + "junk\n",
                 "text after line 100 is never read", 101},
        FileCase{"windowsLineEnds", "map1.qor", lines(100, std::string(100, '3') + "\r"),
                 "carriage return before the line feed on 100 line(s)", 1},
        FileCase{"missingMap", "map3.qor", "<missing>", "missing: the game ends with \"Map", 0}),
    [](const ::testing::TestParamInfo<FileCase>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Characters, FileProblems,
    ::testing::Values(
        FileCase{"nameTooLong", "npcs.qor", npcRecord(20, false, NAME_60, "Hi.", 10, 10, 3),
                 "the name has 60 characters, at most 59 fit", 6},
        FileCase{"hitPointsTooLong", "npcs.qor",
                 BOB + npcRecord(1000, true, "Ogre", "Grr", 12, 12, 4),
                 "the hit points has 4 characters, at most 3 fit", 11},
        FileCase{"characterOutsideTable", "npcs.qor", npcRecord(20, false, "Bob", "Hi", 10, 10, 12),
                 "character number 12 is outside the sprite table", 10},
        FileCase{"emptyRecordEndsEarly", "npcs.qor", BOB + lines(10, "") + BOB,
                 "an empty record ends the file here; lines 21 to 30 are never read", 11},
        FileCase{"recordAtTheCorner", "npcs.qor", npcRecord(20, false, "Cornered", "Hi", 0, 0, 3),
                 "this record ends the file (its position is (0,0))", 1},
        FileCase{"endsInsideRecord", "npcs.qor", BOB + "20\n20\n0\n0\n0\nCut\nShort\n",
                 "the file ends inside this record: its last 3 line(s) read empty", 11},
        FileCase{"flagNotANumber", "npcs1.qor", "20\n20\n0\n0\nyes\nBob\nHi\n10\n10\n3\n",
                 "the hostile flag \"yes\" is not a number: it reads as 0", 5},
        FileCase{"windowsLineEnds", "npcs2.qor",
                 "20\r\n20\r\n0\r\n0\r\n0\r\nBob\r\nHi\r\n10\r\n10\r\n3\r\n",
                 "carriage return before the line feed on 10 line(s)", 1},
        FileCase{"missingFile", "npcs4.qor", "<missing>", "missing: the game ends with \"NPC file",
                 0}),
    [](const ::testing::TestParamInfo<FileCase>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    QuestsAndGoods, FileProblems,
    ::testing::Values(
        FileCase{"questOnNoFloor", "quests.qor", questRecord(10, 10, 7, "Go up", false),
                 "floor 7 does not exist", 3},
        FileCase{"questTextTooLong", "quests.qor",
                 questRecord(10, 10, 0, "Go", false) +
                     questRecord(10, 10, 0, std::string(40, 't'), false),
                 "the text has 40 characters, at most 39 fit", 9},
        FileCase{"questAtTheCorner", "quests.qor",
                 questRecord(10, 10, 0, "Go", false) + questRecord(0, 0, 0, "Corner", true),
                 "this record ends the file (its target is (0,0))", 6},
        FileCase{"iconOutsideTable", "shopdata.qor", itemRecord(10, 14, "Rock"),
                 "icon index 14 is outside the item icons", 2},
        FileCase{"iconNotSet", "shopdata.qor",
                 itemRecord(10, 0, "Potion") + itemRecord(10, -1, "Rock"),
                 "icon index -1 is outside the item icons", 18},
        FileCase{"scrollWithoutSpell", "shopdata.qor",
                 "10\n6\n0\nBlank Scroll\n0\n1\n" + lines(7, "0") + "0\n0\n0\n",
                 "Blank Scroll is a scroll that names no spell", 6},
        FileCase{"goodNameTooLong", "shopdata.qor", itemRecord(10, 0, "Potion of Longwinded"),
                 "the name has 20 characters, at most 18 fit", 4},
        FileCase{"freeNonBladeEndsTheShop", "shopdata.qor",
                 itemRecord(10, 0, "Potion") + itemRecord(0, 2, "Free Key", 0, 0, true) +
                     itemRecord(10, 13, "Mana"),
                 "this record ends the file (its price and weapon modifier are 0)", 17},
        FileCase{"emptyShop", "shopdata.qor", "", "the shop has no goods", 0}),
    [](const ::testing::TestParamInfo<FileCase>& info) { return std::string(info.param.name); });

TEST_F(CheckerTest, CleanFilesEndingWithALineFeedOrWithoutOneReportNothing) {
    tiny.npcs[1] = BOB;
    tiny.npcs[2] = BOB.substr(0, BOB.size() - 1); // no line feed after the last line
    tiny.quests = questRecord(20, 20, 0, "Go", false);
    tiny.quests.pop_back();
    Report report = check();
    EXPECT_TRUE(report.clean()) << report.problems[0].text;
}

TEST_F(CheckerTest, AShortMapLineLeavesTheFloorBeforeInTheGrid) {
    // The game reads every floor into one grid: the cells a short line of
    // floor 1 leaves unread still hold floor 0's codes.
    tiny.set(0, 80, 20, '5');
    tiny.maps[1][20] = std::string(30, '3');
    tiny.write(dir);
    Campaign* campaign = new Campaign();
    Report report;
    loadCampaign(dir, *campaign, report);
    EXPECT_EQ(campaign->floors[1].cells[20][30], 0);
    EXPECT_EQ(campaign->floors[1].cells[20][80], '5');
    EXPECT_EQ(campaign->floors[1].cells[21][80], '3');
    delete campaign;
}

} // namespace
