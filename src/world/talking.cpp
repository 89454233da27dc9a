// Talking: Return speaks to every NPC within one cell of the player, his own
// cell and the diagonals included, in the order of the NPC list. The quest
// giver hands out the floor's next errand, the shopkeeper greets the player
// and opens his shop, and a hostile NPC says its line and then starts a fight.
#include <cstdio>

#include "core/game.h"

void CGame::Roam_CheckNPCConvo(int x, int y) {
    printf("You = (%i,%i)\n", x, y);
    // The NPCs within one cell, found through the floor's cell table, in
    // the list's order. The scan does not stop at the first NPC found: all of
    // them talk, each with its own conversation, and of several hostile ones
    // the last in the list becomes the enemy.
    for (NPC* npc : npcsAround(x, y)) {
        int dx = (int)((long long)npc->posX - x);
        int dy = (int)((long long)npc->posY - y);
        printf("NPC found relative to player: (%i,%i)\n", dx, dy);
        // Whatever was said, the roaming frame is drawn afresh after it.
        roamChanged = true;
        if (npc->isQuestGiver) {
            // Replaces the current quest even when no errand is left.
            player.currentQuest = initiateConversation(npc, player.floor);
        } else if (npc->isShopKeeper) {
            initiateConversation(npc, player.floor);
            shopKeeping();
        } else {
            initiateConversation(npc, player.floor);
            if (npc->hostile)
                Roam_StartFight(npc);
        }
    }
}

void CGame::Roam_StartFight(NPC* enemy) {
    puts("Initializing fight...");
    fighting = 1;
    fightEnemy = enemy;
    // Indoors unless the player stands on grass ('0'): codes compare as bytes,
    // so the byte 0 and any code below '0' also give the grass. A player
    // teleported off the grid stands outside the building: grass too.
    fightBackground = 0;
    if (Map::contains(player.posX, player.posY) &&
        (unsigned char)map.cells[player.posY][player.posX] > (unsigned char)CELL_GRASS)
        fightBackground = 1;
    printf("Fight engine activated, background %i\n", fightBackground);
    // The fight itself begins with the next pass of the main loop; the rest
    // of this input pass still runs.
}
