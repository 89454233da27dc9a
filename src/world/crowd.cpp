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
    NpcTable& table = standing;
    if (!table.cellStart.empty() && table.listSize == npcs.size() && table.npcsMade == NPC::made)
        return;
    // Counted per cell first, then placed in the list's order.
    table.cellStart.assign(CELL_COUNT + 1, 0);
    table.offGrid.clear();
    for (NPC* npc : npcs)
        if (Map::contains(npc->posX, npc->posY))
            table.cellStart[cellIndex(npc->posX, npc->posY) + 1]++;
    for (size_t c = 0; c < CELL_COUNT; c++)
        table.cellStart[c + 1] += table.cellStart[c];
    table.cellNpcs.resize(table.cellStart[CELL_COUNT]);
    std::vector<Uint32> next(table.cellStart.begin(), table.cellStart.end() - 1);
    size_t order = 0;
    for (NPC* npc : npcs) {
        ListedNPC listed = {order++, npc};
        if (Map::contains(npc->posX, npc->posY))
            table.cellNpcs[next[cellIndex(npc->posX, npc->posY)]++] = listed;
        else
            table.offGrid.push_back(listed);
    }
    table.listSize = npcs.size();
    table.npcsMade = NPC::made;
}

// Shortcuts off, every question walks the NPC list itself.
static NPC* firstInList(const std::list<NPC*>& npcs, int x, int y) {
    for (NPC* npc : npcs)
        if (npc->posX == x && npc->posY == y)
            return npc;
    return NULL;
}

NPC* CGame::standingOn(int x, int y) {
    // The earliest in the list wins the cell.
    if (!shortcuts)
        return firstInList(npcs, x, y);
    refreshStanding();
    size_t c = cellIndex(x, y);
    const NpcTable& table = standing;
    return table.cellStart[c] < table.cellStart[c + 1] ? table.cellNpcs[table.cellStart[c]].npc
                                                       : NULL;
}

bool CGame::npcAt(int x, int y) {
    if (!shortcuts)
        return firstInList(npcs, x, y) != NULL;
    if (Map::contains(x, y))
        return standingOn(x, y) != NULL;
    refreshStanding();
    for (const ListedNPC& listed : standing.offGrid)
        if (listed.npc->posX == x && listed.npc->posY == y)
            return true;
    return false;
}

std::vector<NPC*> CGame::npcsAround(int x, int y) {
    // Compared in long long: a player at the end of int still has
    // neighbours, just nobody standing there.
    auto near = [x, y](const NPC* npc) {
        long long dx = (long long)npc->posX - x;
        long long dy = (long long)npc->posY - y;
        return dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
    };
    std::vector<NPC*> around;
    if (!shortcuts) {
        for (NPC* npc : npcs)
            if (near(npc))
                around.push_back(npc);
        return around;
    }
    refreshStanding();
    const NpcTable& table = standing;
    std::vector<ListedNPC> found;
    for (long long cy = (long long)y - 1; cy <= (long long)y + 1; cy++) {
        for (long long cx = (long long)x - 1; cx <= (long long)x + 1; cx++) {
            if (cx < 0 || cx >= MAP_SIZE || cy < 0 || cy >= MAP_SIZE)
                continue;
            size_t c = cellIndex((int)cx, (int)cy);
            found.insert(found.end(), table.cellNpcs.begin() + table.cellStart[c],
                         table.cellNpcs.begin() + table.cellStart[c + 1]);
        }
    }
    for (const ListedNPC& listed : table.offGrid)
        if (near(listed.npc))
            found.push_back(listed);
    std::sort(found.begin(), found.end(),
              [](const ListedNPC& a, const ListedNPC& b) { return a.order < b.order; });
    for (const ListedNPC& listed : found)
        around.push_back(listed.npc);
    return around;
}
