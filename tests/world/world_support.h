// Helpers of the world tests: NPCs placed by hand, image files, and a feeder
// of key presses for screens that wait more than once in a row.
#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "support/harness.h"

inline NPC* addNpc(CGame& game, int x, int y, int character = 1, int hostile = 0,
                   const std::string& name = "Mr. Spunky") {
    NPC* npc = new NPC();
    npc->posX = x;
    npc->posY = y;
    npc->character = character;
    npc->hostile = hostile;
    npc->name = name;
    npc->heading = 2;
    game.npcs.push_back(npc);
    return npc;
}

inline void removeLastNpc(CGame& game) {
    delete game.npcs.back();
    game.npcs.pop_back();
}

// Rows with a single image use it for every heading.
inline std::string spriteFile(int row, int heading) {
    int file = SPRITE_FILE_COUNTS[row] == 1 ? 0 : heading;
    return std::string("data/gfx/sprites/") + SPRITE_FOLDERS[row] + "/" + std::to_string(file) +
           ".png";
}

inline std::string tileFile(int index) {
    return "data/gfx/tiles/0" + std::to_string(index) + ".png";
}

inline std::string uniformMap(char fill) {
    std::string contents;
    for (int y = 0; y < 100; y++)
        contents += std::string(100, fill) + "\n";
    return contents;
}

// Presses Space every few milliseconds until destroyed, so that each of
// several waits in a row gets a key of its own (a wait drains the queue).
class KeyFeeder {
  public:
    KeyFeeder()
        : running(true), worker([this] {
              while (running) {
                  pushKeyDown(SDLK_SPACE);
                  std::this_thread::sleep_for(std::chrono::milliseconds(5));
              }
          }) {}
    ~KeyFeeder() {
        running = false;
        worker.join();
        drainEvents();
    }

  private:
    std::atomic<bool> running;
    std::thread worker;
};
