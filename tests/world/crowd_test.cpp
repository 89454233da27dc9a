// The cell table of who stands where, against the plain way of finding NPCs:
// walking the whole NPC list. Stepping, doors, Return and drawing read the
// table (their own tests show what each does with it); it must agree with the
// list wherever the player may stand, with several NPCs to a cell, NPCs off
// the grid, and after the list changed.
#include <climits>

#include "support/harness.h"

namespace {

class CrowdTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        start();
        game->clearNPCs();
    }
    // The plain way: the first NPC of the list on the cell, or every NPC
    // within one cell.
    std::vector<NPC*> listAround(int x, int y) {
        std::vector<NPC*> around;
        for (NPC* npc : game->npcs) {
            long long dx = (long long)npc->posX - x;
            long long dy = (long long)npc->posY - y;
            if (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1)
                around.push_back(npc);
        }
        return around;
    }
    NPC* listFirstAt(int x, int y) {
        for (NPC* npc : game->npcs)
            if (npc->posX == x && npc->posY == y)
                return npc;
        return NULL;
    }
    // Table and list agree on every cell of the grid and a band around it,
    // and at the far ends of int.
    void expectTableAgreesWithList() {
        for (int y = -2; y <= MAP_SIZE + 1; y++) {
            for (int x = -2; x <= MAP_SIZE + 1; x++) {
                ASSERT_EQ(game->npcAt(x, y), listFirstAt(x, y) != nullptr) << x << "," << y;
                ASSERT_EQ(game->npcsAround(x, y), listAround(x, y)) << x << "," << y;
                if (Map::contains(x, y)) {
                    ASSERT_EQ(game->standingOn(x, y), listFirstAt(x, y)) << x << "," << y;
                }
            }
        }
        for (int end : {INT_MIN, INT_MAX}) {
            EXPECT_EQ(game->npcAt(end, end), listFirstAt(end, end) != nullptr) << end;
            EXPECT_EQ(game->npcsAround(end, end), listAround(end, end)) << end;
        }
    }
};

TEST_F(CrowdTest, TableAgreesWithTheListOnSharedCellsAndOffTheGrid) {
    // Three to a cell, in an order unlike their cells' order.
    addNpc(10, 10, 1, 0, "First");
    addNpc(11, 10, 1, 0, "Neighbour");
    addNpc(10, 10, 2, 1, "Second");
    addNpc(10, 10, 3, 0, "Third");
    // On the grid's edges and corners.
    addNpc(0, 0);
    addNpc(99, 99);
    addNpc(0, 99);
    // Off the grid, next to it and far away.
    addNpc(-1, 0);
    addNpc(100, 50);
    addNpc(50, -1);
    addNpc(-1, -1);
    addNpc(INT_MAX, INT_MAX);
    addNpc(INT_MIN, INT_MAX);
    addNpc(INT_MIN, INT_MIN);
    expectTableAgreesWithList();
}

TEST_F(CrowdTest, TableFollowsTheListWhenABeatenHostileLeavesOrOthersJoin) {
    addNpc(20, 20, 1, 0, "Bystander");
    NPC* hostile = addNpc(20, 20, 2, 1, "Brute");
    addNpc(21, 20, 1, 0, "Other");
    NPC* offGrid = addNpc(-1, 20, 2, 1, "Lurker");
    expectTableAgreesWithList();

    // Beaten: the first on his cell goes first, then one off the grid.
    for (NPC* beaten : {game->npcs.front(), offGrid, hostile}) {
        game->fighting = 1;
        game->fightEnemy = beaten;
        scriptKeys(std::vector<SDLKey>(10, SDLK_SPACE));
        startCapture();
        game->Fight_Victory();
        stopCapture();
        endScript();
        ASSERT_EQ(game->fightEnemy, nullptr);
        expectTableAgreesWithList();
    }
    EXPECT_FALSE(game->npcAt(20, 20)) << "the cell is free to step on";

    // One leaves and another joins: the list's size stays the same.
    delete game->npcs.front();
    game->npcs.pop_front();
    addNpc(30, 30);
    expectTableAgreesWithList();

    // Everyone gone.
    game->clearNPCs();
    expectTableAgreesWithList();
}

} // namespace
