// Map: the random fill of a new grid and the map file loader.
#include "world/map.h"

#include <cstdio>
#include <cstdlib>

#include "core/datafile.h"
#include "core/fatal.h"

Map::Map() {
    // Column by column, one rand() per cell. This runs before the game seeds
    // the generator, so the fill is the same on every run; it only shows where
    // a map file leaves cells unread.
    for (int x = 0; x < MAP_SIZE; x++)
        for (int y = 0; y < MAP_SIZE; y++)
            cells[y][x] = cellOfTile(rand() % TILE_COUNT);
}

void Map::loadMap(const char* filename, FILE* progress) {
    FILE* file = openDataFile(filename);
    if (!file)
        fatal(MAP_MISSING, filename);
    bool stopped = false; // an over-long line or the end of the file was met
    for (int y = 0; y < MAP_SIZE; y++) {
        if (stopped) {
            // QUIRK: once reading has stopped, each remaining row only gets its
            // first cell cleared; the rest of the row keeps its old codes.
            cells[y][0] = 0;
            continue;
        }
        int x = 0;
        for (;;) {
            int c = getc(file);
            if (c == EOF) {
                stopped = true;
                break;
            }
            if (c == '\r') {
                // A carriage return before the line feed belongs to the line end.
                int next = getc(file);
                if (next == '\n')
                    break;
                if (next != EOF)
                    ungetc(next, file);
            } else if (c == '\n') {
                break;
            }
            if (x == MAP_SIZE) {
                // Over-long line: the row keeps its 100 codes and reading stops.
                stopped = true;
                break;
            }
            cells[y][x++] = static_cast<char>(c);
        }
        // QUIRK: a short line ends with a 0 byte; the cells after it keep the
        // codes they held before this load (the random fill, or the last floor).
        if (x < MAP_SIZE)
            cells[y][x] = 0;
    }
    // A read error is not the end of the file: half a floor is no floor.
    if (ferror(file))
        fatal(MAP_MISSING, filename);
    fclose(file);
    progressLine(progress, "Loaded map file...");
}
