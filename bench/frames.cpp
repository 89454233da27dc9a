// One frame of each screen, drawing only (the main loop or the screen itself
// flips afterwards; Present_SDL_Flip measures that apart): the roaming view
// among characters, at a corner of the map and on a crowded floor, a fight,
// the shop and the character menu.
#include <cstdio>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "support.h"

// Mid-map among characters: of all floors, the cell with the most characters
// in view. Otherwise the top left corner of the first floor.
static void roamFrame(benchmark::State& state, bool busiest) {
    CGame& game = sharedGame();
    int floor = 0, x = 0, y = 0, inView = 0;
    for (int f = 0; busiest && f <= LAST_FLOOR; f++) {
        loadFloor(game, f);
        int fx, fy, count;
        busiestCell(game, &fx, &fy, &count);
        if (count > inView) {
            floor = f;
            x = fx;
            y = fy;
            inView = count;
        }
    }
    loadFloor(game, floor);
    game.player.posX = x;
    game.player.posY = y;
    game.player.heading = 2;
    for (auto _ : state)
        game.Roam_DrawEverything();
    state.counters["floor"] = floor;
    state.counters["cell_x"] = x;
    state.counters["cell_y"] = y;
    state.counters["npcs_in_view"] = inView;
    resetToFirstFloor(game);
}

// The same roaming frame with 12 or 100,000 NPCs in the floor's file.
static void crowdFrame(benchmark::State& state, int inFile) {
    CGame& game = sharedGame();
    resetToFirstFloor(game);
    std::string path = crowdFile(inFile);
    game.clearNPCs();
    game.loadNPCs(path.c_str());
    remove(path.c_str());
    game.player.posX = 50;
    game.player.posY = 50;
    game.Roam_DrawEverything(); // the first frame after a load works out who stands where
    for (auto _ : state)
        game.Roam_DrawEverything();
    state.counters["npcs"] = (double)game.npcs.size();
    resetToFirstFloor(game);
}

// The first hostile character of the floor, or any, to fight.
static NPC* someEnemy(CGame& game) {
    for (NPC* npc : game.npcs)
        if (npc->hostile)
            return npc;
    return game.npcs.empty() ? NULL : game.npcs.front();
}

static void fightFrame(benchmark::State& state, int background) {
    CGame& game = sharedGame();
    resetToFirstFloor(game);
    game.fighting = 1;
    game.playerTurn = 1; // with the action bar
    game.fightEnemy = someEnemy(game);
    game.fightBackground = background;
    for (auto _ : state)
        game.Fight_DrawScene();
    resetToFirstFloor(game);
}

// The player's bought equipment for the menu: every blade and armour of the
// shop, twice over, so that the list scrolls.
static void equipFromShop(CGame& game) {
    game.player.inventory.clear();
    for (int round = 0; round < 2; round++)
        for (Item* item : game.shop.items)
            if (item->weaponMod > 0 || item->armourClass > 0)
                game.player.inventory.push_back(item);
}

static void menuFrame(benchmark::State& state) {
    CGame& game = sharedGame();
    equipFromShop(game);
    game.menuCursor = (int)game.player.inventory.size() - 1;
    game.menuoff = 0;
    for (auto _ : state)
        game.Menu_DrawFrame();
    state.counters["inventory"] = (double)game.player.inventory.size();
    game.player.inventory.clear();
}

static void shopFrame(benchmark::State& state) {
    CGame& game = sharedGame();
    game.menuCursor = 0;
    game.menuoff = 0;
    for (auto _ : state)
        game.Shop_DrawFrame();
    state.counters["goods"] = (double)game.shop.items.size();
}

void registerFrames() {
    repeated(benchmark::RegisterBenchmark("Roam_DrawEverything/mid_map_among_characters", roamFrame,
                                          true));
    repeated(benchmark::RegisterBenchmark("Roam_DrawEverything/map_corner_0_0", roamFrame, false));
    repeated(benchmark::RegisterBenchmark("Roam_Crowd/12_in_file", crowdFrame, 12));
    repeated(benchmark::RegisterBenchmark("Roam_Crowd/100000_in_file", crowdFrame, 100000));
    repeated(benchmark::RegisterBenchmark("Fight_DrawScene/grass", fightFrame, 0));
    repeated(benchmark::RegisterBenchmark("Fight_DrawScene/inside", fightFrame, 1));
    repeated(benchmark::RegisterBenchmark("Shop_DrawFrame", shopFrame));
    repeated(benchmark::RegisterBenchmark("Menu_DrawFrame", menuFrame));
}
