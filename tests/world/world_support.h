// Helpers shared by the world tests: NPCs placed by hand, the colours of the
// character images, and a feeder of key presses for screens that wait more
// than once in a row.
#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "support/harness.h"

// Appends an NPC to the game's list (which owns it) and returns it.
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

// Removes and destroys the NPC added last.
inline void removeLastNpc(CGame& game) {
    delete game.npcs.back();
    game.npcs.pop_back();
}

// The image file the game loads for a character row and heading; rows with a
// single image use it for every heading.
inline std::string spriteFile(int row, int heading) {
    int file = SPRITE_FILE_COUNTS[row] == 1 ? 0 : heading;
    return std::string("data/gfx/sprites/") + SPRITE_FOLDERS[row] + "/" + std::to_string(file) +
           ".png";
}

inline std::string tileFile(int index) {
    return "data/gfx/tiles/0" + std::to_string(index) + ".png";
}

// A 100 x 100 map file of `fill` as text, for the tree.
inline std::string uniformMap(char fill) {
    std::string contents;
    for (int y = 0; y < 100; y++)
        contents += std::string(100, fill) + "\n";
    return contents;
}

// Presses Space every few milliseconds from another thread until destroyed,
// so that each of several modal waits in a row gets a key of its own (a
// notice takes every event queued when it ends, so keys pushed beforehand
// would all go to the first one). Space means nothing to the roaming pass.
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
