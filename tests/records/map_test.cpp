// The map loader: what each shape of map file leaves in the 100 x 100 cells.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "folder.h"
#include "support/harness.h"
#include "world/map.h"

namespace {

// A map file in a folder of its own; loads print one line, which is checked.
class MapLoading : public ::testing::Test {
  protected:
    RecordFolder folder;
    Map map;

    void SetUp() override {
        // A known "earlier" floor, so cells a load leaves alone can be seen.
        memset(map.cells, 'k', sizeof map.cells);
    }
    void load(const std::string& contents) {
        folder.write("data/map.qor", contents);
        startCapture();
        map.loadMap("data/map.qor");
        EXPECT_EQ(stopCapture(), "Loaded map file...\n");
    }
    std::string row(int y) const { return std::string(map.cells[y], MAP_SIZE); }
};

// 100 codes for row y: a pattern that differs from row to row.
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

// A row that kept its old cells but got the byte 0 at `x`.
std::string keptRowWithZeroAt(int x) {
    std::string expected(MAP_SIZE, 'k');
    expected[x] = 0;
    return expected;
}

TEST_F(MapLoading, CompleteFileReplacesEveryCellWithLfOrCrlfAndLaterLinesAreNotRead) {
    for (const std::string& contents :
         {fileOfRows(100), fileOfRows(100, "\r\n"), fileOfRows(100) + std::string(100, '1')}) {
        memset(map.cells, 'k', sizeof map.cells);
        load(contents);
        for (int y = 0; y < MAP_SIZE; y++)
            ASSERT_EQ(row(y), codesOfRow(y)) << "row " << y << " of " << contents.size();
    }
}

TEST_F(MapLoading, CrlfShortLinesLoadLikeLfShortLines) {
    load("123\r\n\r\n45\r\n");
    Map lf;
    memset(lf.cells, 'k', sizeof lf.cells);
    folder.write("data/lf.qor", "123\n\n45\n");
    startCapture();
    lf.loadMap("data/lf.qor");
    stopCapture();
    EXPECT_EQ(memcmp(map.cells, lf.cells, sizeof map.cells), 0);
    EXPECT_EQ(row(0).substr(0, 5), std::string("123\0k", 5));
}

TEST_F(MapLoading, EmptyLineClearsOnlyTheFirstCellOfItsRow) {
    load(codesOfRow(0) + "\n\n" + codesOfRow(2) + "\n");
    EXPECT_EQ(row(0), codesOfRow(0));
    EXPECT_EQ(row(1), keptRowWithZeroAt(0));
    EXPECT_EQ(row(2), codesOfRow(2));
}

TEST_F(MapLoading, ShortLineEndsWithZeroAndKeepsTheRest) {
    std::string line = codesOfRow(0).substr(0, 37);
    load(line + "\n");
    std::string expected = keptRowWithZeroAt(37);
    expected.replace(0, 37, line);
    EXPECT_EQ(row(0), expected);
}

TEST_F(MapLoading, MissingRowsGetZeroInTheirFirstCellOnly) {
    for (int rows : {60, 0})
        for (bool finalLineFeed : {true, false}) {
            SCOPED_TRACE(std::to_string(rows) + (finalLineFeed ? " rows with" : " rows without") +
                         " final line feed");
            memset(map.cells, 'k', sizeof map.cells);
            std::string contents = fileOfRows(rows);
            if (!finalLineFeed && rows)
                contents.pop_back();
            load(contents);
            for (int y = 0; y < MAP_SIZE; y++)
                ASSERT_EQ(row(y), y < rows ? codesOfRow(y) : keptRowWithZeroAt(0)) << "row " << y;
        }
}

TEST_F(MapLoading, OverlongLineKeepsHundredCodesAndStopsReading) {
    load(codesOfRow(0) + "7\n" + codesOfRow(1) + "\n");
    EXPECT_EQ(row(0), codesOfRow(0));
    for (int y = 1; y < MAP_SIZE; y++)
        ASSERT_EQ(row(y), keptRowWithZeroAt(0)) << "row " << y;
}

TEST_F(MapLoading, AnyByteAndALoneCarriageReturnAreStoredAsCodes) {
    load(std::string("9\r\0 ", 4) + "\n");
    EXPECT_EQ(row(0).substr(0, 5), std::string("9\r\0 \0", 5));
}

TEST_F(MapLoading, SecondLoadKeepsWhatTheFirstPutBeyondShortLines) {
    load(fileOfRows(100));
    load("0\n");
    std::string expected = codesOfRow(0);
    expected[0] = '0';
    expected[1] = 0;
    EXPECT_EQ(row(0), expected);
    std::string second = codesOfRow(1);
    second[0] = 0;
    EXPECT_EQ(row(1), second);
}

TEST(MapFill, FillIsColumnByColumnOneRandPerCell) {
    srand(42);
    Map map;
    srand(42);
    for (int x = 0; x < MAP_SIZE; x++)
        for (int y = 0; y < MAP_SIZE; y++)
            ASSERT_EQ(map.cells[y][x], '0' + rand() % 8) << x << "," << y;
}

TEST(MapFileDeathTest, MissingFileEndsTheGameWithItsName) {
    Map map;
    EXPECT_EXIT(map.loadMap("data/no-such-folder/map3.qor"), ::testing::ExitedWithCode(1),
                "^Map data/no-such-folder/map3\\.qor not found\\.\\.\n$");
}

} // namespace
