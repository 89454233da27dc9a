// The map loader: what each shape of map file leaves in the 100 x 100 cells.
#include <cstring>

#include "support/harness.h"
#include "world/map.h"

namespace {

// A full file (LF or CRLF) replaces every cell; a short line ends with the
// byte 0 and keeps the rest of the row; an over-long line keeps 100 codes and
// stops the reading.
TEST(MapTest, EachShapeOfFileLeavesItsRows) {
    std::string lf;
    std::string crlf;
    std::vector<std::string> rows(MAP_SIZE);
    for (int y = 0; y < MAP_SIZE; y++) {
        for (int x = 0; x < MAP_SIZE; x++)
            rows[y] += static_cast<char>('0' + (x + y) % 8); // differing from row to row
        lf += rows[y] + "\n";
        crlf += rows[y] + "\r\n";
    }
    // A row of 37 codes: the byte 0 after them, then what the cells held.
    std::string short37;
    for (int x = 0; x < 37; x++)
        short37 += rows[0][x];
    std::string afterStop = '\0' + std::string(MAP_SIZE - 1, 'k');
    std::vector<std::string> stopped(MAP_SIZE, afterStop);
    stopped[0] = short37 + '\0' + std::string(MAP_SIZE - 38, 'k');
    stopped[2] = rows[2];
    const struct {
        std::string contents;
        const std::vector<std::string>& rows;
    } cases[] = {
        {lf + std::string(100, '1'), rows}, // no 101st row is read
        {crlf, rows},
        {short37 + "\r\n\n" + rows[2] + "7\n" + rows[3] + "\n", stopped},
    };
    for (const auto& c : cases) {
        DataTree folder;
        folder.enter();
        folder.write("data/map.qor", c.contents);
        Map map;
        memset(map.cells, 'k', sizeof map.cells);
        startCapture();
        map.loadMap("data/map.qor");
        EXPECT_EQ(stopCapture(), "Loaded map file...\n") << "the loader's progress line";
        for (int y = 0; y < MAP_SIZE; y++)
            ASSERT_EQ(std::string(map.cells[y], MAP_SIZE), c.rows[y]) << "the cells of row " << y;
    }
}

// A read error is no end of the file: the process's memory fails the first read.
TEST(MapTest, ReadErrorEndsTheGameAsAMissingMap) {
    Map map;
    EXPECT_EXIT(map.loadMap("/proc/self/mem"), ::testing::ExitedWithCode(1),
                "^Map /proc/self/mem not found..\n$");
}

} // namespace
