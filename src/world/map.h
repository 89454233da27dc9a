// Map: the current floor, a 100 x 100 grid of one-byte cell codes, and the
// loader of a floor's map file. Records never include SDL.
#pragma once

#include <cstdio>

#include "rules.h"

// The size of every floor, in cells, along both axes.
const int MAP_SIZE = 100;
// What the game prints, with the file's path, before it ends over a map file
// that cannot be opened or read to its end.
const char* const MAP_MISSING = "Map %s not found..\n";

class Map {
  public:
    // cells[y][x]: column x, row y, (0, 0) at the top left.
    char cells[MAP_SIZE][MAP_SIZE];

    // Fills every cell with a pseudo-random code '0' to '7' (10000 rand() calls).
    Map();
    // Reads a map file over the cells; ends the process when it cannot be
    // opened. Its progress line goes to `progress` (NULL: nowhere).
    void loadMap(const char* filename, FILE* progress = stdout);

    // True when (x, y) lies on the grid. Every read of the grid by a position
    // that may come from outside it (the console can teleport the player
    // anywhere) goes through this first.
    static bool contains(int x, int y) { return x >= 0 && x < MAP_SIZE && y >= 0 && y < MAP_SIZE; }
};
