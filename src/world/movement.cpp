// Collision and doors: which cell the player may enter, and how a locked door
// gives way to a key. The step itself (heading and position) and the quest
// check that follows it belong to the player record (characters/npc.cpp).
#include <cstdio>

#include "core/game.h"

bool CGame::tileCollision(int x, int y) {
    // The tests run in this order and the first that applies decides. An NPC
    // blocks even beyond the grid's edge; walking into one starts nothing
    // (talking takes the Return key).
    if (npcAt(x, y))
        return true;
    if (!Map::contains(x, y))
        return true;
    char code = map.cells[y][x];
    if (code == CELL_LOCKED_DOOR) {
        // The player bumps the door open (if he holds a key) but stays where
        // he is: he walks through on his next step.
        detectAndOpenDoors(x, y);
        return true;
    }
    return cellBlocks(code);
}

void CGame::detectAndOpenDoors(int x, int y) {
    puts("Detecting door");
    if (!Map::contains(x, y) || map.cells[y][x] != CELL_LOCKED_DOOR) {
        puts("Not a door");
        return;
    }
    if (player.keys <= 0) {
        puts("Not enough keys");
        return;
    }
    puts("Opening door.");
    map.cells[y][x] = CELL_OPEN_DOOR;
    player.keys -= 1;
    roamChanged = true;
}
