// The drawing helpers every screen uses: fills clipped without wrapping,
// texts in their colour, and image tables never read outside.
#include "support/harness.h"

namespace {

class DrawTest : public GameTest {};

TEST_F(DrawTest, FillIsClippedNotWrappedAndEmptyDrawsNothing) {
    start();
    paintScreen();
    game->fillRect(-10, -10, 20, 20, 200, 0, 0);
    EXPECT_EQ(at(9, 9), rgb(200, 0, 0)) << "a fill from off the screen reaches its last pixel";
    EXPECT_EQ(at(10, 9), painted()) << "a fill stops at its width";
    game->fillRect(0, 100, 65536 + 5, 1, 0, 200, 0); // 5 pixels, if wrapped
    EXPECT_EQ(at(639, 100), rgb(0, 200, 0)) << "a fill beyond the screen is clipped, not wrapped";
    paintScreen();
    game->fillRect(65536 + 50, 200, 10, 1, 200, 0, 0); // x 50, if wrapped
    game->fillRect(100, 100, 0, 50, 200, 0, 0);
    game->fillRect(100, 100, 50, -50, 200, 0, 0);
    EXPECT_EQ(count(0, 0, SCREEN_W - 1, SCREEN_H - 1, rgb(200, 0, 0)), 0)
        << "an empty fill draws nothing";
}

// Rendered texts are kept for the next frames, each in its own colour.
TEST_F(DrawTest, TheSameTextInAnotherColourIsDrawnInThatColour) {
    start();
    game->drawText("Goblin", 10, 10, 255, 255, 255);
    game->drawText("Goblin", 10, 10, 255, 0, 100);
    EXPECT_TRUE(showsText(game.get(), game->screen, "Goblin", 10, 10, {255, 0, 100}))
        << "a kept text in another colour is drawn in that colour";
}

TEST_F(DrawTest, TablesAreNeverReadOutside) {
    start();
    EXPECT_EQ(game->spriteFor(9, 3), game->sprites[9][3])
        << "the last sprite of the table is found";
    for (auto o : {std::make_pair(-1, 0), {10, 0}, {0, -1}, {0, 4}, {-2147483647 - 1, 0}})
        EXPECT_EQ(game->spriteFor(o.first, o.second), nullptr) << o.first << "," << o.second;
    EXPECT_EQ(game->itemIconFor(13), game->itemIcons[13])
        << "the last item icon of the table is found";
    for (int index : {-1, 14})
        EXPECT_EQ(game->itemIconFor(index), nullptr) << index;
}

} // namespace
