// What the benchmarks share: the one game object they draw with, built in the
// shipped data tree, and small tools for keys, CPU time and screen sizes.
#pragma once

#include <string>

#include <SDL.h>
#include <benchmark/benchmark.h>

#include "core/game.h"

// One 640 x 480 screen at 16 bits per pixel: the size of the reference copy.
const size_t SCREEN_BYTES = (size_t)SCREEN_W * SCREEN_H * 2;

// The game object every drawing benchmark uses, built on first use in the
// working directory (the shipped build folder). Only one game object may live
// at a time: each sets the video mode, which replaces the screen.
CGame& sharedGame();
// Destroys the shared game object, so that a benchmark can build its own.
void dropSharedGame();

// The repetitions every timed figure is a median of: a benchmark registered
// once, run nine times, with only the aggregates reported.
const int REPETITIONS = 9;
benchmark::internal::Benchmark* repeated(benchmark::internal::Benchmark* registered);

// Process CPU time (every thread), in seconds.
double processCpuSeconds();
// Pushes a key press onto SDL's queue, as the player would.
void pushKey(SDLKey key);
// Empties SDL's queue.
void drainEvents();

// Puts the player on a floor's map and population (0 is the first), with the
// roaming flags of a new game.
void loadFloor(CGame& game, int floor);
inline void resetToFirstFloor(CGame& game) {
    loadFloor(game, 0);
}
// The cell of the current floor with the most characters in view (the 14 x 10
// cells the screen shows around the player), among the cells he can stand on
// whose whole view lies on the map.
void busiestCell(CGame& game, int* x, int* y, int* charactersInView);
// Writes a floor's file of `inFile` NPCs and returns its path: twelve in view
// of the player at (50, 50) (x 45 to 56, rows 47 to 49) and the rest on rows
// 1 to 20 of the map, far out of view, many to a cell.
std::string crowdFile(int inFile);
