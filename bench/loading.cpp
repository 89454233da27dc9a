// Loading: the game object's construction with the whole data tree, and each
// loader on the campaign's files (all six floors' maps and populations, the
// quests, the shop's goods, every image, the font).
#include <cstdio>

#include <benchmark/benchmark.h>

#include "support.h"

static const int FLOORS = LAST_FLOOR + 1;

static void construction(benchmark::State& state) {
    // Each game object sets the video mode afresh; the shared one must go.
    dropSharedGame();
    for (auto _ : state) {
        CGame* game = new CGame();
        benchmark::DoNotOptimize(game);
        state.PauseTiming();
        delete game;
        state.ResumeTiming();
    }
}

static void floorFile(char* path, size_t size, const char* kind, int floor) {
    if (floor == 0)
        snprintf(path, size, "data/%s.qor", kind);
    else
        snprintf(path, size, "data/%s%i.qor", kind, floor);
}

static void loadMaps(benchmark::State& state) {
    Map map;
    char path[32];
    for (auto _ : state) {
        for (int floor = 0; floor < FLOORS; floor++) {
            floorFile(path, sizeof path, "map", floor);
            map.loadMap(path);
        }
        benchmark::DoNotOptimize(map.cells);
    }
}

static void loadPopulations(benchmark::State& state) {
    CGame& game = sharedGame();
    char path[32];
    for (auto _ : state) {
        for (int floor = 0; floor < FLOORS; floor++) {
            floorFile(path, sizeof path, "npcs", floor);
            game.clearNPCs();
            game.loadNPCs(path);
        }
    }
    resetToFirstFloor(game);
}

static void loadQuests(benchmark::State& state) {
    for (auto _ : state) {
        QuestMaster master;
        master.loadQuests("data/quests.qor");
        benchmark::DoNotOptimize(master.quests.data());
    }
}

static void loadShop(benchmark::State& state) {
    for (auto _ : state) {
        Shop shop; // reads data/shopdata.qor
        benchmark::DoNotOptimize(shop.items.data());
    }
}

// Frees every image of the game object's tables, as the destructor does, so
// that loadSurfaces can fill them again.
static void freeImages(CGame& game) {
    SDL_Surface** tables[] = {game.tiles, &game.sprites[0][0], game.icons, game.fightBackgrounds,
                              game.fx};
    const int sizes[] = {TILE_COUNT, CHARACTER_COUNT * HEADING_COUNT, ICON_COUNT, BACKGROUND_COUNT,
                         FX_COUNT};
    for (int t = 0; t < 5; t++) {
        for (int i = 0; i < sizes[t]; i++) {
            if (tables[t][i])
                SDL_FreeSurface(tables[t][i]);
            tables[t][i] = NULL;
        }
    }
    for (SDL_Surface*& icon : game.itemIcons)
        if (icon)
            SDL_FreeSurface(icon);
    game.itemIcons.clear();
    SDL_Surface** singles[] = {&game.clouds, &game.portrait};
    for (SDL_Surface** single : singles) {
        if (*single)
            SDL_FreeSurface(*single);
        *single = NULL;
    }
    game.releasePreparedImages();
}

static void loadImages(benchmark::State& state) {
    CGame& game = sharedGame();
    for (auto _ : state) {
        state.PauseTiming();
        freeImages(game);
        game.clearNPCs();
        state.ResumeTiming();
        game.loadSurfaces(); // with the first floor's population, as at start-up
    }
}

static void loadFont(benchmark::State& state) {
    CGame& game = sharedGame();
    for (auto _ : state) {
        state.PauseTiming();
        TTF_CloseFont(game.font);
        game.font = NULL;
        TTF_Quit();
        state.ResumeTiming();
        game.initFonts();
    }
}

void registerLoading() {
    benchmark::RegisterBenchmark("Construct_CGame", construction)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);
    benchmark::RegisterBenchmark("Load_loadSurfaces_every_image", loadImages)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Load_initFonts", loadFont)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Load_loadMap_six_floors", loadMaps)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Load_loadNPCs_six_floors", loadPopulations)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Load_loadQuests", loadQuests)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Load_Shop_goods", loadShop)->Unit(benchmark::kMicrosecond);
}
