// The shared game object and the small tools of the benchmarks.
#include "support.h"

#include <cstdio>
#include <ctime>
#include <memory>

static std::unique_ptr<CGame> shared;

CGame& sharedGame() {
    if (!shared) {
        shared.reset(new CGame());
        drainEvents();
    }
    return *shared;
}

void dropSharedGame() {
    shared.reset();
}

benchmark::internal::Benchmark* repeated(benchmark::internal::Benchmark* registered) {
    return registered->Repetitions(REPETITIONS)->ReportAggregatesOnly(true);
}

double processCpuSeconds() {
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

void pushKey(SDLKey key) {
    SDL_Event event;
    SDL_memset(&event, 0, sizeof event);
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

void drainEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
}

void loadFloor(CGame& game, int floor) {
    game.fighting = 0;
    game.playerTurn = 1;
    game.fightEnemy = NULL;
    game.player.floor = floor;
    char path[32];
    snprintf(path, sizeof path, floor == 0 ? "data/map.qor" : "data/map%i.qor", floor);
    game.map.loadMap(path);
    game.clearNPCs();
    snprintf(path, sizeof path, floor == 0 ? "data/npcs.qor" : "data/npcs%i.qor", floor);
    game.loadNPCs(path);
}

void busiestCell(CGame& game, int* bestX, int* bestY, int* bestCount) {
    *bestX = MAP_SIZE / 2;
    *bestY = MAP_SIZE / 2;
    *bestCount = -1;
    // The view reaches 8 cells each way.
    for (int y = 8; y < MAP_SIZE - 8; y++) {
        for (int x = 8; x < MAP_SIZE - 8; x++) {
            // A cell he could stand on: no wall, water or door, nobody there
            // (asked directly: the game's own test opens doors).
            char code = game.map.cells[y][x];
            if (code == '1' || code == '5' || code == '7')
                continue;
            bool taken = false;
            for (NPC* npc : game.npcs)
                taken = taken || (npc->posX == x && npc->posY == y);
            if (taken)
                continue;
            // The screen shows columns -7 to +6 and rows -5 to +4 around him.
            int count = 0;
            for (NPC* npc : game.npcs)
                if (npc->posX >= x - 7 && npc->posX <= x + 6 && npc->posY >= y - 5 &&
                    npc->posY <= y + 4)
                    count++;
            if (count > *bestCount) {
                *bestX = x;
                *bestY = y;
                *bestCount = count;
            }
        }
    }
}

std::string crowdFile(int inFile) {
    std::string path = "/tmp/tessary_bench_crowd_" + std::to_string(inFile) + ".qor";
    FILE* file = fopen(path.c_str(), "w");
    for (int i = 0; file && i < inFile; i++) {
        int x = i < 12 ? 45 + i : 10 + i % 80;
        int y = i < 12 ? 47 + i % 3 : 1 + i % 20;
        fprintf(file, "20\n20\n0\n0\n0\nCrowd\nHello.\n%d\n%d\n%d\n", x, y, 1 + i % 9);
    }
    if (file)
        fclose(file);
    return path;
}
