// The map loader: what each shape of map file leaves in the 100 x 100 cells.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "support/harness.h"
#include "world/map.h"

namespace {

std::string codesOfRow(int y) { // differing from row to row
    std::string codes;
    for (int x = 0; x < MAP_SIZE; x++)
        codes += static_cast<char>('0' + (x + y) % 8);
    return codes;
}

std::string rowOf(const Map& map, int y) {
    return std::string(map.cells[y], MAP_SIZE);
}

TEST(MapFile, FullFileWithLfOrCrlfReplacesEveryCell) {
    for (const char* end : {"\n", "\r\n"}) {
        DataTree folder;
        folder.enter();
        std::string contents;
        for (int y = 0; y < MAP_SIZE; y++)
            contents += codesOfRow(y) + end;
        folder.write("data/map.qor", contents + std::string(100, '1')); // not read
        Map map;
        startCapture();
        map.loadMap("data/map.qor");
        EXPECT_EQ(stopCapture(), "Loaded map file...\n");
        for (int y = 0; y < MAP_SIZE; y++)
            ASSERT_EQ(rowOf(map, y), codesOfRow(y)) << "row " << y;
    }
}

// A short line ends with the byte 0 and keeps the rest of the row; an
// over-long line keeps 100 codes and stops the reading.
TEST(MapFile, ShortLinesEndWithZeroOverlongLinesStopTheReading) {
    DataTree folder;
    folder.enter();
    folder.write("data/map.qor", codesOfRow(0).substr(0, 37) + "\r\n\n" + codesOfRow(2) + "7\n" +
                                     codesOfRow(3) + "\n");
    Map map;
    memset(map.cells, 'k', sizeof map.cells);
    startCapture();
    map.loadMap("data/map.qor");
    stopCapture();
    std::string kept(MAP_SIZE, 'k');
    EXPECT_EQ(rowOf(map, 0), codesOfRow(0).substr(0, 37) + '\0' + kept.substr(38));
    EXPECT_EQ(rowOf(map, 1), '\0' + kept.substr(1));
    EXPECT_EQ(rowOf(map, 2), codesOfRow(2));
    for (int y = 3; y < MAP_SIZE; y++)
        ASSERT_EQ(rowOf(map, y), '\0' + kept.substr(1)) << "row " << y;
}

// A read error is no end of the file: the process's memory fails the first read.
TEST(MapFileDeathTest, ReadErrorEndsTheGameAsAMissingMap) {
    Map map;
    EXPECT_EXIT(map.loadMap("/proc/self/mem"), ::testing::ExitedWithCode(1),
                "^Map /proc/self/mem not found..\n$");
}

} // namespace
