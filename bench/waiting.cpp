// Waiting screens: the processor a screen uses while it waits for the player.
// Each screen is entered with nothing in SDL's queue; a helper thread reads the
// process's CPU time (every thread) over two seconds of that wait, then presses
// the key that ends it. The figure is that CPU time over the two seconds.
#include <chrono>
#include <functional>
#include <thread>

#include <benchmark/benchmark.h>

#include "support.h"

// Time for the screen to draw itself and start waiting, before measuring.
static const double SETTLE_SECONDS = 0.5;
static const double WAIT_SECONDS = 2.0;

static void measureWait(benchmark::State& state, const std::function<void(CGame&)>& prepare,
                        const std::function<void(CGame&)>& screen, SDLKey key) {
    CGame& game = sharedGame();
    for (auto _ : state) {
        drainEvents();
        prepare(game);
        double cpu = 0, wall = 0;
        std::thread presser([&] {
            std::this_thread::sleep_for(std::chrono::duration<double>(SETTLE_SECONDS));
            double cpu0 = processCpuSeconds();
            auto wall0 = std::chrono::steady_clock::now();
            std::this_thread::sleep_for(std::chrono::duration<double>(WAIT_SECONDS));
            cpu = processCpuSeconds() - cpu0;
            wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
            pushKey(key);
        });
        screen(game);
        presser.join();
        state.SetIterationTime(wall);
        state.counters["cpu_seconds"] = cpu;
        state.counters["cpu_percent"] = 100.0 * cpu / wall;
    }
    drainEvents();
    resetToFirstFloor(game);
}

static void nothing(CGame&) {}

// A character of the floor to talk to that is not the quest giver.
static NPC* someone(CGame& game) {
    for (NPC* npc : game.npcs)
        if (!npc->isQuestGiver)
            return npc;
    return game.npcs.front();
}

static void registerWait(const char* name, std::function<void(CGame&)> prepare,
                         std::function<void(CGame&)> screen, SDLKey key) {
    benchmark::RegisterBenchmark(name,
                                 [prepare, screen, key](benchmark::State& state) {
                                     measureWait(state, prepare, screen, key);
                                 })
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

void registerWaiting() {
    registerWait(
        "Wait_TitleScreen", nothing, [](CGame& g) { g.titleScreen(); }, SDLK_SPACE);
    registerWait(
        "Wait_MessageBox", [](CGame& g) { g.Roam_DrawEverything(); },
        [](CGame& g) { g.displayFightConsoleMessage("Purchased!", false); }, SDLK_SPACE);
    registerWait(
        "Wait_Conversation", [](CGame& g) { g.Roam_DrawEverything(); },
        [](CGame& g) { g.initiateConversation(someone(g), g.player.floor); }, SDLK_SPACE);
    registerWait(
        "Wait_QuestNotice", [](CGame& g) { g.Roam_DrawEverything(); },
        [](CGame& g) { g.displayQuestCompletion(); }, SDLK_SPACE);
    registerWait(
        "Wait_MagicMenu",
        [](CGame& g) {
            g.fighting = 1;
            g.playerTurn = 1;
            g.fightEnemy = someone(g);
            g.Fight_DrawScene();
        },
        [](CGame& g) { g.Fight_magicMenu(); }, SDLK_ESCAPE);
    registerWait(
        "Wait_Shop", nothing, [](CGame& g) { g.shopKeeping(); }, SDLK_ESCAPE);
    registerWait(
        "Wait_CharacterMenu",
        [](CGame& g) {
            g.menuCursor = -1;
            g.menuoff = -1;
        },
        [](CGame& g) { g.characterMenu(); }, SDLK_SPACE);
}
