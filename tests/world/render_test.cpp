// World rendering, checked by the pixels of the frame: the camera on the
// player, the backdrop around the grid, tiles by cell code, who is drawn on a
// shared cell, the partly visible edges of the view and the item strip.
#include "world/world_support.h"

namespace {

class RenderTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        start();
        game->player.heading = 2;
    }
    void placePlayer(int x, int y) {
        game->player.posX = x;
        game->player.posY = y;
    }
    // Screen position of the top left corner of the cell dx columns and dy
    // rows away from the player's.
    static int cellLeft(int dx) { return 320 + 48 * dx; }
    static int cellTop(int dy) { return 240 + 48 * dy; }
    // The middle of a cell shows its character; its corner (inside the
    // character images' transparent border) shows its tile.
    Uint32 middleOf(int dx, int dy) { return at(cellLeft(dx) + 24, cellTop(dy) + 24); }
    Uint32 cornerOf(int dx, int dy) { return at(cellLeft(dx) + 2, cellTop(dy) + 2); }
    Uint32 clouds() { return colourOf("data/gfx/clouds.jpg"); }
    Uint32 tile(int index) { return colourOf(tileFile(index)); }
    Uint32 sprite(int row, int heading) { return colourOf(spriteFile(row, heading)); }
};

TEST_F(RenderTest, PlayerAtTheTopLeftCornerSeesTheBackdropAboveAndLeftOfHisCell) {
    placePlayer(0, 0);
    game->map.cells[2][3] = '4'; // 3 columns right, 2 rows down
    game->Roam_DrawEverything();
    EXPECT_EQ(cornerOf(0, 0), tile(3));
    EXPECT_EQ(middleOf(0, 0), sprite(0, 2));
    EXPECT_EQ(middleOf(3, 2), tile(4));
    EXPECT_EQ(middleOf(6, 4), tile(3));
    EXPECT_EQ(at(319, 240), clouds());
    EXPECT_EQ(at(320, 239), clouds());
    EXPECT_EQ(middleOf(-1, 2), clouds());
    EXPECT_EQ(middleOf(3, -1), clouds());
}

TEST_F(RenderTest, PlayerAtTheBottomRightCornerSeesTheBackdropBelowAndRightOfHisCell) {
    placePlayer(99, 99);
    game->map.cells[97][94] = '5'; // 5 columns left, 2 rows up
    game->Roam_DrawEverything();
    EXPECT_EQ(cornerOf(0, 0), tile(3));
    EXPECT_EQ(middleOf(-5, -2), tile(5));
    EXPECT_EQ(middleOf(-6, -4), tile(3));
    EXPECT_EQ(at(368, 250), clouds());
    EXPECT_EQ(at(330, 288), clouds());
    EXPECT_EQ(middleOf(-3, 1), clouds());
    EXPECT_EQ(middleOf(2, -3), clouds());
}

TEST_F(RenderTest, EachCellCodeSelectsItsTileAndUnknownCodesUseTileZero) {
    struct Case {
        char code;
        int tile;
    };
    const Case cases[] = {{'0', 0}, {'1', 1}, {'2', 2}, {'3', 3}, {'4', 4},  {'5', 5},
                          {'6', 6}, {'7', 7}, {'8', 0}, {'/', 0}, {'\0', 0}, {(char)200, 0}};
    placePlayer(50, 50);
    for (const Case& c : cases) {
        game->map.cells[52][51] = c.code; // one column right, two rows down
        game->Roam_DrawEverything();
        EXPECT_EQ(middleOf(1, 2), tile(c.tile)) << "code " << (int)(unsigned char)c.code;
    }
}

TEST_F(RenderTest, ThePlayerIsDrawnOverAnNpcAndTheFirstNpcOverLaterOnes) {
    placePlayer(50, 50);
    addNpc(*game, 50, 50, 3);
    addNpc(*game, 52, 51, 3);
    addNpc(*game, 52, 51, 5);
    game->Roam_DrawEverything();
    EXPECT_EQ(middleOf(0, 0), sprite(0, 2));
    EXPECT_EQ(middleOf(2, 1), sprite(3, 2));
    EXPECT_EQ(cornerOf(2, 1), tile(3));
}

TEST_F(RenderTest, NpcsAreDrawnFromTheirCharacterRowAndHeading) {
    placePlayer(50, 50);
    NPC* facingLeft = addNpc(*game, 51, 50, 7);
    facingLeft->heading = 1;
    addNpc(*game, 49, 50, 9); // a row with one image for every heading
    game->Roam_DrawEverything();
    EXPECT_EQ(middleOf(1, 0), sprite(7, 1));
    EXPECT_EQ(middleOf(-1, 0), sprite(9, 2));
}

TEST_F(RenderTest, ACharacterNumberWithoutARowDrawsNothing) {
    placePlayer(50, 50);
    for (int character : {-1, 10, 123, -2147483647 - 1}) {
        addNpc(*game, 51, 50, character);
        game->Roam_DrawEverything();
        EXPECT_EQ(middleOf(1, 0), tile(3)) << "character " << character;
        removeLastNpc(*game);
    }
}

TEST_F(RenderTest, TheOuterColumnsShowTwoThirdsOfTheirCells) {
    placePlayer(50, 50);
    addNpc(*game, 43, 50, 3); // 7 columns left: its cell starts at x = -16
    addNpc(*game, 56, 51, 5); // 6 columns right: its cell ends at x = 655
    addNpc(*game, 51, 45, 6); // 5 rows up: the top row of the screen
    game->Roam_DrawEverything();
    // The character images have an 8-pixel transparent border.
    EXPECT_EQ(at(0, 264), sprite(3, 2));
    EXPECT_EQ(at(23, 264), sprite(3, 2));
    EXPECT_EQ(at(24, 264), tile(3));
    EXPECT_EQ(at(616, 312), sprite(5, 2));
    EXPECT_EQ(at(639, 312), sprite(5, 2));
    EXPECT_EQ(at(615, 312), tile(3));
    EXPECT_EQ(at(392, 8), sprite(6, 2));
    EXPECT_EQ(at(392, 7), tile(3));
}

TEST_F(RenderTest, ThePlayerFacesTheWayOfHisLastStep) {
    struct Case {
        int dx, dy, heading;
    };
    const Case cases[] = {{0, -1, 0}, {-1, 0, 1}, {0, 1, 2}, {1, 0, 3}};
    placePlayer(50, 50);
    for (const Case& c : cases) {
        game->Roam_Step(c.dx, c.dy);
        game->Roam_DrawEverything();
        EXPECT_EQ(middleOf(0, 0), sprite(0, c.heading)) << "heading " << c.heading;
    }
}

TEST_F(RenderTest, TheStripDrawsOneIconPerPotionAndKeyAndNoneForCountsBelowOne) {
    struct Case {
        int heal, mana, keys;
    };
    const Case cases[] = {{2, 0, 0}, {0, 3, 1}, {-4, 1, 2}, {1, -1, 3}, {2, 0, -5}};
    placePlayer(50, 50);
    for (const Case& c : cases) {
        game->player.healPotions = c.heal;
        game->player.manaPotions = c.mana;
        game->player.keys = c.keys;
        game->Roam_DrawEverything();
        const struct {
            const char* icon;
            int count, y;
        } rows[] = {{"data/gfx/items/0.png", c.heal, 425},
                    {"data/gfx/items/13.png", c.mana, 376},
                    {"data/gfx/items/2.png", c.keys, 327}};
        for (const auto& row : rows) {
            for (int i = 0; i < 5; i++) {
                bool drawn = at(15 + 49 * i + 20, row.y + 20) == colourOf(row.icon);
                EXPECT_EQ(drawn, i < row.count) << row.icon << " icon " << i;
            }
        }
    }
}

TEST_F(RenderTest, AHugeCountFillsTheStripToTheScreensEdge) {
    placePlayer(50, 50);
    game->player.keys = 2147483647;
    game->Roam_DrawEverything();
    // The 13th icon starts at x = 603 and is cut at the edge.
    EXPECT_EQ(at(603, 330), colourOf("data/gfx/items/2.png"));
    EXPECT_EQ(at(639, 330), colourOf("data/gfx/items/2.png"));
}

TEST_F(RenderTest, APlayerOffTheGridSeesOnlyTheCellsWithinReach) {
    placePlayer(105, 50); // columns 97 to 99 lie 8 to 6 columns to his left
    game->Roam_DrawEverything();
    EXPECT_EQ(cornerOf(-6, 0), tile(3));
    EXPECT_EQ(cornerOf(-5, 0), clouds());
    EXPECT_EQ(middleOf(0, 0), clouds()); // characters stand on cells of the grid only
    for (int x : {-1000, 2147483647, -2147483647 - 1}) {
        placePlayer(x, x);
        game->Roam_DrawEverything();
        EXPECT_EQ(cornerOf(0, 0), clouds()) << x;
        EXPECT_EQ(cornerOf(-6, -4), clouds()) << x;
        EXPECT_EQ(cornerOf(5, 3), clouds()) << x;
    }
}

} // namespace
