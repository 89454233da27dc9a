// World rendering by the pixels of the frame: the camera on the player, the
// backdrop around the grid, tiles by cell code, who is drawn on a crowded
// cell, and the item strip.
#include "support/harness.h"

namespace {

class RenderTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        start();
        game->player.heading = 2;
        placePlayer(50, 50);
    }
    void placePlayer(int x, int y) {
        game->player.posX = x;
        game->player.posY = y;
        game->Roam_DrawEverything();
    }
    // The middle of the cell dx, dy away from the player's shows its
    // character; its corner (in the images' transparent border) its tile.
    Uint32 middleOf(int dx, int dy) { return at(344 + 48 * dx, 264 + 48 * dy); }
    Uint32 cornerOf(int dx, int dy) { return at(322 + 48 * dx, 242 + 48 * dy); }
    Uint32 clouds() { return colourOf("data/gfx/clouds.jpg"); }
    Uint32 tile(int index) { return colourOf(tileFile(index)); }
};

TEST_F(RenderTest, TheCameraFollowsThePlayerWithTheBackdropBeyondTheGridAndTilesByCode) {
    const char codes[] = {'0', '1', '5', '7', '8', (char)200};
    const int tiles[] = {0, 1, 5, 7, 0, 0}; // unknown codes use tile 0
    for (int i = 0; i < 6; i++)
        game->map.cells[3][i] = codes[i];
    placePlayer(0, 0);
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(middleOf(i, 3), tile(tiles[i]))
            << "each code draws its tile, others tile 0: code " << (int)(unsigned char)codes[i];
    EXPECT_EQ(middleOf(0, 0), colourOf(spriteFile(0, 2))) << "the hero is drawn at (320, 240)";
    EXPECT_EQ(at(319, 240), clouds()) << "the backdrop left of column 0";
    EXPECT_EQ(at(320, 239), clouds()) << "the backdrop above row 0";
    placePlayer(99, 99);
    EXPECT_EQ(at(367, 287), tile(3)) << "the last cell of the grid is drawn";
    EXPECT_EQ(at(368, 250), clouds()) << "the backdrop right of column 99";
    EXPECT_EQ(at(330, 288), clouds()) << "the backdrop below row 99";
    placePlayer(105, 50); // columns 97 to 99 lie 8 to 6 columns to his left
    EXPECT_EQ(cornerOf(-6, 0), tile(3)) << "the grid seen from off it";
    EXPECT_EQ(cornerOf(-5, 0), clouds()) << "the backdrop where the grid ends";
    placePlayer(-2147483647 - 1, 2147483647);
    EXPECT_EQ(cornerOf(5, 3), clouds()) << "far off the grid only the backdrop shows";
}

TEST_F(RenderTest, TheStripDrawsOneIconPerPotionAndKeyAndNoneForCountsBelowOne) {
    game->player.healPotions = 2;
    game->player.manaPotions = -1;
    game->player.keys = 2147483647;
    placePlayer(50, 50);
    const struct {
        const char* icon;
        int count, y;
    } rows[] = {{"data/gfx/items/0.png", 2, 425},
                {"data/gfx/items/13.png", 0, 376},
                {"data/gfx/items/2.png", 13, 327}};
    for (const auto& row : rows)
        for (int i = 0; i < 4; i++) {
            bool shown = i < row.count;
            EXPECT_EQ(at(35 + 49 * i, row.y + 20) == colourOf(row.icon), shown)
                << "one icon per potion or key: " << row.icon << " icon " << i;
        }
    EXPECT_EQ(at(639, 330), colourOf("data/gfx/items/2.png")) << "the strip is cut at the edge";
}

// The earliest NPC of the list on a cell is drawn, also once the list has
// changed under the same size.
TEST_F(RenderTest, TheEarliestNPCOnACellIsDrawnAsTheListChanges) {
    NPC* first = addNpc(51, 50, 3);
    addNpc(51, 50, 5);
    placePlayer(50, 50);
    EXPECT_EQ(middleOf(1, 0), colourOf(spriteFile(3, 2))) << "the earliest NPC wins the cell";
    game->npcs.remove(first);
    delete first;
    addNpc(60, 60, 7);
    placePlayer(50, 50);
    EXPECT_EQ(middleOf(1, 0), colourOf(spriteFile(5, 2)))
        << "the next NPC wins the cell once the first has gone";
}

} // namespace
