// The reference every figure is divided by: copying one 640 x 480 16-bit
// screen with memcpy. And presenting alone: SDL_Flip of the screen, which the
// main loop and every waiting screen pay on top of their drawing.
#include <cstdlib>
#include <cstring>

#include <benchmark/benchmark.h>

#include "support.h"

void registerReference() {
    repeated(benchmark::RegisterBenchmark("Reference_ScreenCopy", [](benchmark::State& state) {
        // Two separate screens, as a frame would be copied from one to
        // another.
        char* from = (char*)aligned_alloc(64, SCREEN_BYTES);
        char* to = (char*)aligned_alloc(64, SCREEN_BYTES);
        memset(from, 0x5a, SCREEN_BYTES);
        memset(to, 0, SCREEN_BYTES);
        for (auto _ : state) {
            memcpy(to, from, SCREEN_BYTES);
            benchmark::DoNotOptimize(to);
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)SCREEN_BYTES);
        free(from);
        free(to);
    }));

    repeated(benchmark::RegisterBenchmark("Present_SDL_Flip", [](benchmark::State& state) {
        CGame& game = sharedGame();
        resetToFirstFloor(game);
        game.Roam_DrawEverything();
        for (auto _ : state)
            SDL_Flip(game.screen);
    }));
}
