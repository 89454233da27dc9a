// Who stands where: the per-floor cell table of NPCs that drawing, stepping,
// doors and Return read, so that none of them depends on how many NPCs the
// floor's file holds. NPCs off the grid (a file may place them anywhere) are
// kept in a short list of their own.
#include <algorithm>

#include "core/game.h"

static const size_t CELL_COUNT = (size_t)MAP_SIZE * MAP_SIZE;

static size_t cellIndex(int x, int y) {
    return (size_t)y * MAP_SIZE + (size_t)x;
}

void CGame::refreshStanding() {
    // NPCs do not move (the Rapture's lone quest giver is placed once, as
    // soon as he is made): the list changes only by NPCs made and added, or
    // removed, and either shows in the count of NPCs ever made or in the
    // list's size.
    if (!cellStart.empty() && standingListSize == npcs.size() && standingNpcsMade == NPC::made)
        return;
    // Counted per cell first, then placed in the list's order.
    cellStart.assign(CELL_COUNT + 1, 0);
    offGridNpcs.clear();
    for (NPC* npc : npcs)
        if (Map::contains(npc->posX, npc->posY))
            cellStart[cellIndex(npc->posX, npc->posY) + 1]++;
    for (size_t c = 0; c < CELL_COUNT; c++)
        cellStart[c + 1] += cellStart[c];
    cellNpcs.resize(cellStart[CELL_COUNT]);
    std::vector<Uint32> next(cellStart.begin(), cellStart.end() - 1);
    size_t order = 0;
    for (NPC* npc : npcs) {
        ListedNPC listed = {order++, npc};
        if (Map::contains(npc->posX, npc->posY))
            cellNpcs[next[cellIndex(npc->posX, npc->posY)]++] = listed;
        else
            offGridNpcs.push_back(listed);
    }
    standingListSize = npcs.size();
    standingNpcsMade = NPC::made;
}

NPC* CGame::standingOn(int x, int y) {
    // The earliest in the list wins the cell.
    refreshStanding();
    size_t c = cellIndex(x, y);
    return cellStart[c] < cellStart[c + 1] ? cellNpcs[cellStart[c]].npc : NULL;
}

bool CGame::npcAt(int x, int y) {
    if (Map::contains(x, y))
        return standingOn(x, y) != NULL;
    refreshStanding();
    for (const ListedNPC& listed : offGridNpcs)
        if (listed.npc->posX == x && listed.npc->posY == y)
            return true;
    return false;
}

std::vector<NPC*> CGame::npcsAround(int x, int y) {
    refreshStanding();
    // Compared in long long: a player at the end of int still has
    // neighbours, just nobody standing there.
    auto near = [x, y](const NPC* npc) {
        long long dx = (long long)npc->posX - x;
        long long dy = (long long)npc->posY - y;
        return dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
    };
    std::vector<ListedNPC> found;
    for (long long cy = (long long)y - 1; cy <= (long long)y + 1; cy++) {
        for (long long cx = (long long)x - 1; cx <= (long long)x + 1; cx++) {
            if (cx < 0 || cx >= MAP_SIZE || cy < 0 || cy >= MAP_SIZE)
                continue;
            size_t c = cellIndex((int)cx, (int)cy);
            found.insert(found.end(), cellNpcs.begin() + cellStart[c],
                         cellNpcs.begin() + cellStart[c + 1]);
        }
    }
    for (const ListedNPC& listed : offGridNpcs)
        if (near(listed.npc))
            found.push_back(listed);
    std::sort(found.begin(), found.end(),
              [](const ListedNPC& a, const ListedNPC& b) { return a.order < b.order; });
    std::vector<NPC*> around;
    for (const ListedNPC& listed : found)
        around.push_back(listed.npc);
    return around;
}
