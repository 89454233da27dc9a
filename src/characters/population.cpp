// The NPCs of a floor: the NPC file loader, the two characters every floor
// gets (the quest giver and the shopkeeper) and the clean-up of the list.
#include <cstdio>
#include <cstdlib>
#include <new>

#include "core/datafile.h"
#include "core/game.h"

void CGame::loadNPCs(const char* path) {
    puts("Opening file");
    FILE* file = openDataFile(path);
    if (!file)
        fatal(NPC_FILE_MISSING, path);
    spawnMrQuesty();
    puts("Opened file");
    bool whole = NPC::readFile(file, npcs);
    fclose(file);
    if (!whole)
        fatal(NPC_FILE_MISSING, path);
}

// Makes one of the characters every floor gets, facing down; when there is no
// memory for him the game ends, naming him in `failure`.
static NPC* spawnNPC(const char* name, const char* dialogue, int x, int y, int character,
                     const char* failure) {
    NPC* npc = new (std::nothrow) NPC();
    if (!npc)
        fatal("%s\n", failure);
    npc->name = name;
    npc->dialogue = dialogue;
    npc->posX = x;
    npc->posY = y;
    npc->character = character;
    npc->heading = HEADING_DOWN;
    return npc;
}

void CGame::spawnMrQuesty() {
    NPC* questy = spawnNPC("Mr. Questy", "MR. QUESTY ERRORED", QUEST_GIVER_X, QUEST_GIVER_Y,
                           CHARACTER_QUEST_GIVER, "Couldn't spawn Mr. Questy, maybe out of mem");
    questy->isQuestGiver = 1;
    npcs.push_back(questy);
    NPC* shoppy = spawnNPC("Mr. Shoppy", "Welcome to my shop!", SHOPKEEPER_X, SHOPKEEPER_Y,
                           CHARACTER_SHOPKEEPER, "Couldn't spawn Shop Keeper, maybe out of mem");
    shoppy->isShopKeeper = 1;
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
