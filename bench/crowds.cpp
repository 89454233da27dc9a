// Crowds: a step attempt and a Return on the first floor as shipped, and with
// a million NPCs in the floor's file (none of them near the player). Both
// find NPCs through the floor's cell table, so the two should cost the same;
// the summary gives their ratio.
#include <cstdio>
#include <string>

#include <benchmark/benchmark.h>

#include "support.h"

// The first cell from row 60 down whose neighbours hold no NPC of the floor,
// so that Return starts no conversation.
static void quietCell(CGame& game, int* x, int* y) {
    for (*y = 60; *y < MAP_SIZE - 1; (*y)++)
        for (*x = 40; *x < 60; (*x)++)
            if (game.npcsAround(*x, *y).empty())
                return;
}

// The shipped first floor, or the same map with `inFile` NPCs in its file.
static void crowdFloor(CGame& game, int inFile) {
    resetToFirstFloor(game);
    if (inFile == 0)
        return;
    std::string path = crowdFile(inFile);
    game.clearNPCs();
    game.loadNPCs(path.c_str());
    remove(path.c_str());
}

// What a step attempt asks of the world, without its 60 ms pause: whether the
// cell to the right may be entered.
static void stepAttempt(benchmark::State& state, int inFile) {
    CGame& game = sharedGame();
    crowdFloor(game, inFile);
    int x, y;
    quietCell(game, &x, &y);
    game.player.keys = 0; // a door stays shut
    for (auto _ : state)
        benchmark::DoNotOptimize(game.tileCollision(x + 1, y));
    state.counters["npcs"] = (double)game.npcs.size();
    resetToFirstFloor(game);
}

// Return with nobody near: the whole search for someone to talk to.
static void returnKey(benchmark::State& state, int inFile) {
    CGame& game = sharedGame();
    crowdFloor(game, inFile);
    int x, y;
    quietCell(game, &x, &y);
    for (auto _ : state)
        game.Roam_CheckNPCConvo(x, y);
    state.counters["npcs"] = (double)game.npcs.size();
    resetToFirstFloor(game);
}

void registerCrowds() {
    const int million = 1000000;
    repeated(benchmark::RegisterBenchmark("Crowd_StepAttempt/shipped", stepAttempt, 0));
    repeated(
        benchmark::RegisterBenchmark("Crowd_StepAttempt/1000000_in_file", stepAttempt, million));
    repeated(benchmark::RegisterBenchmark("Crowd_Return/shipped", returnKey, 0));
    repeated(benchmark::RegisterBenchmark("Crowd_Return/1000000_in_file", returnKey, million));
}
