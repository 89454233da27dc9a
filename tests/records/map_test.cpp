// The map loader: what each shape of map file leaves in the 100 x 100 cells.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "folder.h"
#include "support/harness.h"
#include "world/map.h"

namespace {

// 100 codes for row y, differing from row to row.
std::string codesOfRow(int y) {
    std::string codes;
    for (int x = 0; x < MAP_SIZE; x++)
        codes += static_cast<char>('0' + (x + y) % 8);
    return codes;
}

std::string fileOfRows(int rows, const char* lineEnd = "\n") {
    std::string contents;
    for (int y = 0; y < rows; y++)
        contents += codesOfRow(y) + lineEnd;
    return contents;
}

// A row that kept its old 'k' cells but got the byte 0 at `x`.
std::string keptRowWithZeroAt(int x) {
    std::string expected(MAP_SIZE, 'k');
    expected[x] = 0;
    return expected;
}

class MapLoading : public ::testing::Test {
  protected:
    RecordFolder folder;
    Map map;

    void load(const std::string& contents, bool fresh = true) {
        if (fresh)
            memset(map.cells, 'k', sizeof map.cells); // cells a load leaves alone show
        folder.write("data/map.qor", contents);
        startCapture();
        map.loadMap("data/map.qor");
        EXPECT_EQ(stopCapture(), "Loaded map file...\n");
    }
    std::string row(int y) const { return std::string(map.cells[y], MAP_SIZE); }
};

TEST_F(MapLoading, CompleteFileWithLfOrCrlfReplacesEveryCell) {
    for (const std::string& contents : {fileOfRows(100), fileOfRows(100, "\r\n")}) {
        load(contents + std::string(100, '1')); // lines after the grid are not read
        for (int y = 0; y < MAP_SIZE; y++)
            ASSERT_EQ(row(y), codesOfRow(y)) << "row " << y;
    }
}

TEST_F(MapLoading, ShortEmptyAndMissingLinesEndWithZeroAndKeepTheRest) {
    std::string line = codesOfRow(0).substr(0, 37);
    load(line + "\r\n\n" + std::string("9\r\0 ", 4));
    std::string expected = keptRowWithZeroAt(37);
    expected.replace(0, 37, line);
    EXPECT_EQ(row(0), expected);
    EXPECT_EQ(row(1), keptRowWithZeroAt(0));
    EXPECT_EQ(row(2).substr(0, 5), std::string("9\r\0 \0", 5)); // any byte is a code
    for (int y = 3; y < MAP_SIZE; y++)
        ASSERT_EQ(row(y), keptRowWithZeroAt(0)) << "row " << y;
}

TEST_F(MapLoading, OverlongLineKeepsHundredCodesAndStopsReading) {
    load(codesOfRow(0) + "7\n" + codesOfRow(1) + "\n");
    EXPECT_EQ(row(0), codesOfRow(0));
    EXPECT_EQ(row(1), keptRowWithZeroAt(0));
}

TEST_F(MapLoading, SecondLoadKeepsWhatTheFirstPutBeyondShortLines) {
    load(fileOfRows(100));
    load("0\n", false);
    std::string expected = codesOfRow(0);
    expected.replace(0, 2, std::string("0\0", 2));
    EXPECT_EQ(row(0), expected);
    EXPECT_EQ(row(1), std::string(1, '\0') + codesOfRow(1).substr(1));
}

TEST(MapFill, FillIsColumnByColumnOneRandPerCell) {
    srand(42);
    Map map;
    srand(42);
    for (int x = 0; x < MAP_SIZE; x++)
        for (int y = 0; y < MAP_SIZE; y++)
            ASSERT_EQ(map.cells[y][x], '0' + rand() % 8) << x << "," << y;
}

// A folder or a named pipe in place of a floor's map is a missing map, and a
// pipe does not hold up the game. A read error is no end of the file: the
// process's own memory file fails the first read.
TEST(MapFileDeathTest, MissingFolderOrPipeEndsTheGameWithItsName) {
    RecordFolder folder;
    ASSERT_EQ(mkdir("data/map2.qor", 0755), 0);
    ASSERT_EQ(mkfifo("data/map3.qor", 0644), 0);
    Map map;
    for (const char* path :
         {"data/no-such-folder/map3.qor", "data/map2.qor", "data/map3.qor", "/proc/self/mem"})
        EXPECT_EXIT(map.loadMap(path), ::testing::ExitedWithCode(1),
                    ::testing::Eq(std::string("Map ") + path + " not found..\n"));
}

} // namespace
