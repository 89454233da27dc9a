// The floor as the player meets it on foot: which cells he can enter, where
// characters stand, and the searches for a way from one cell to others.
#pragma once

#include <array>
#include <vector>

#include "checker.h"

struct Cell {
    int x, y;
    bool operator==(const Cell& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Cell& other) const { return !(*this == other); }
};

inline int cellIndex(Cell c) {
    return c.y * MAP_SIZE + c.x;
}

// The nine cells within one cell of `c`, `c` included, row by row; some may
// lie off the map.
inline std::array<Cell, 9> cellsAround(Cell c) {
    std::array<Cell, 9> around;
    for (int i = 0; i < 9; i++)
        around[i] = Cell{c.x + i % 3 - 1, c.y + i / 3 - 1};
    return around;
}

// A character of the floor (the spawned two included).
struct Figure {
    int x, y;
    bool hostile;
    const NPC* npc; // NULL for the quest giver and the shopkeeper
    int record;     // index of the NPC in the floor's file, or -1
    bool standing;  // not beaten yet
};

// The floor with its characters, each cell knowing who stands on it, so that
// every question about a cell takes the same time however many stand about.
class FloorGrid {
  public:
    char cells[MAP_SIZE][MAP_SIZE];
    std::vector<Figure> figures; // the quest giver, the shopkeeper, then the file's NPCs

    explicit FloorGrid(const Floor& floor);

    // Takes the hostile characters off the floor, as beating them does.
    void beatHostiles();
    // Takes figure `f`, or everybody, off the floor.
    void remove(int f);
    void removeAll();
    // Index in `figures` of the first one standing at `c`, or -1.
    int figureAt(Cell c) const;

    static bool walls(char code) { return cellBlocks(code); }
    bool inside(Cell c) const { return Map::contains(c.x, c.y); }
    char code(Cell c) const { return cells[c.y][c.x]; }
    bool occupied(Cell c) const { return inside(c) && standing[cellIndex(c)] > 0; }
    // True when the player can stand on the cell once its door (if any) is
    // open; with `throughHostiles`, once the hostile characters on it are beaten.
    bool enterable(Cell c, bool throughHostiles = false) const {
        return inside(c) && !walls(code(c)) &&
               standing[cellIndex(c)] == (throughHostiles ? hostiles[cellIndex(c)] : 0);
    }
    bool isStairs(Cell c) const { return inside(c) && code(c) == CELL_STAIRS; }
    bool isDoor(Cell c) const { return inside(c) && code(c) == CELL_LOCKED_DOOR; }
    // Number of characters within one cell of `c` (its own cell included),
    // and whether one of them is hostile.
    int figuresAround(Cell c, bool* hostileNear) const;

  private:
    std::vector<int> standing, hostiles; // per cell: characters standing there, hostile ones
    std::vector<int> first;              // per cell: the first figure standing there, or -1
    std::vector<int> next;               // per figure: the next one on its cell, or -1
};

// A way found from one cell to another.
struct Route {
    bool found = false;
    int doors = 0;           // locked doors on it
    std::vector<Cell> cells; // every cell entered, in order (the start not included)
};

// The way with the fewest locked doors, then the fewest steps, from `from` to
// any cell marked in `goal`. Stairs are entered only as the goal: a step onto
// them climbs. With `useDoors` false, locked doors block; with
// `throughHostiles`, hostile characters do not.
Route findRoute(const FloorGrid& grid, Cell from, const std::vector<bool>& goal, bool useDoors,
                bool throughHostiles = false);

// Every cell the player can stand on from `from`, doors opened as needed,
// stairs not crossed (index y * MAP_SIZE + x).
std::vector<bool> reachableFrom(const FloorGrid& grid, Cell from);

// Whether a character at `c` can be talked to: some cell within one cell of it
// is one the player can stand on.
bool talkable(const FloorGrid& grid, const std::vector<bool>& reached, Cell c);

// Whether the player can end a step on `c`: a cell he reaches, or stairs (or
// any enterable cell) next to one.
bool canStepOnto(const FloorGrid& grid, const std::vector<bool>& reached, Cell c);
