// The NPCs of a floor: the NPC file loader, the two characters every floor
// gets (the quest giver and the shopkeeper) and the clean-up of the list.
#include <cstdio>
#include <cstdlib>
#include <new>

#include "core/datafile.h"
#include "core/game.h"

// An NPC file that cannot be opened or read to its end ends the game.
static void npcFileMissing(const char* path) {
    fprintf(stderr, "NPC file %s missing\n", path);
    exit(1);
}

void CGame::loadNPCs(const char* path) {
    puts("Opening file");
    FILE* file = openDataFile(path);
    if (!file)
        npcFileMissing(path);
    spawnMrQuesty();
    puts("Opened file");
    bool whole = NPC::readFile(file, npcs);
    fclose(file);
    if (!whole)
        npcFileMissing(path);
}

void CGame::spawnMrQuesty() {
    NPC* questy = new (std::nothrow) NPC();
    if (!questy) {
        fprintf(stderr, "Couldn't spawn Mr. Questy, maybe out of mem\n");
        exit(1);
    }
    questy->name = "Mr. Questy";
    questy->dialogue = "MR. QUESTY ERRORED";
    questy->posX = QUEST_GIVER_X;
    questy->posY = QUEST_GIVER_Y;
    questy->isQuestGiver = 1;
    questy->character = CHARACTER_QUEST_GIVER;
    questy->heading = HEADING_DOWN;
    npcs.push_back(questy);

    NPC* shoppy = new (std::nothrow) NPC();
    if (!shoppy) {
        fprintf(stderr, "Couldn't spawn Shop Keeper, maybe out of mem\n");
        exit(1);
    }
    shoppy->name = "Mr. Shoppy";
    shoppy->dialogue = "Welcome to my shop!";
    shoppy->posX = SHOPKEEPER_X;
    shoppy->posY = SHOPKEEPER_Y;
    shoppy->isShopKeeper = 1;
    shoppy->character = CHARACTER_SHOPKEEPER;
    shoppy->heading = HEADING_DOWN;
    npcs.push_back(shoppy);
}

void CGame::clearNPCs() {
    while (!npcs.empty()) {
        NPC* npc = npcs.front();
        npcs.pop_front();
        // Outside a fight nothing may keep pointing at a destroyed NPC.
        if (npc == fightEnemy)
            fightEnemy = NULL;
        delete npc;
    }
}
