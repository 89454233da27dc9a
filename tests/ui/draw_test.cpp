// The drawing helpers every screen uses: fills and pictures clipped to the
// screen without wrapping, and image tables never read outside.
#include "ui/ui.h"

namespace {

class Drawing : public UiTest {};

TEST_F(Drawing, FillIsClippedToTheScreen) {
    start();
    paintScreen();
    game->fillRect(-10, -10, 20, 20, 200, 0, 0);
    EXPECT_EQ(at(0, 0), rgb(200, 0, 0));
    EXPECT_EQ(at(9, 9), rgb(200, 0, 0));
    EXPECT_EQ(at(10, 9), painted());
    EXPECT_EQ(at(9, 10), painted());
    game->fillRect(630, 470, 100, 100, 0, 200, 0);
    EXPECT_EQ(at(639, 479), rgb(0, 200, 0));
    EXPECT_EQ(at(629, 479), painted());
}

TEST_F(Drawing, FillTooWideIsNotWrappedAndAnEmptyOneDrawsNothing) {
    start();
    paintScreen();
    game->fillRect(0, 100, 65536 + 5, 1, 200, 0, 0); // 5 pixels, if wrapped
    EXPECT_EQ(at(639, 100), rgb(200, 0, 0));
    game->fillRect(65536 + 50, 200, 10, 1, 0, 200, 0); // x 50, if wrapped
    EXPECT_EQ(count(0, 200, SCREEN_W - 1, 200, rgb(0, 200, 0)), 0);
    // Empty or negative sizes draw nothing.
    paintScreen();
    game->fillRect(100, 100, 0, 50, 200, 0, 0);
    game->fillRect(100, 100, 50, 0, 200, 0, 0);
    game->fillRect(100, 100, -50, 50, 200, 0, 0);
    game->fillRect(100, 100, 50, -50, 200, 0, 0);
    EXPECT_EQ(count(0, 0, SCREEN_W - 1, SCREEN_H - 1, rgb(200, 0, 0)), 0);
}

TEST_F(Drawing, PictureHalfOffTheScreenShowsItsVisiblePartAndOneFarOffNothing) {
    start();
    paintScreen();
    game->drawImage(game->tiles[3], 65536 + 100, 100); // x 100, if wrapped
    game->drawImage(game->tiles[3], 100, -65536 + 100);
    game->drawImage(nullptr, 100, 100);
    EXPECT_EQ(count(0, 0, SCREEN_W - 1, SCREEN_H - 1, painted()), SCREEN_W * SCREEN_H);
    // The test sprites are opaque from 8 to 39: at x -16 that is x -8 to 23.
    game->drawImage(game->spriteFor(0, 2), -16, 100);
    Uint32 colour = colourOf("data/gfx/sprites/pc/2.png");
    EXPECT_EQ(at(0, 124), colour);
    EXPECT_EQ(at(23, 124), colour);
    EXPECT_EQ(at(24, 124), painted());
    EXPECT_EQ(at(10, 107), painted()) << "the transparent border shows what is behind";
}

TEST_F(Drawing, TablesAreNeverReadOutside) {
    start();
    EXPECT_EQ(game->spriteFor(0, 0), game->sprites[0][0]);
    EXPECT_EQ(game->spriteFor(9, 3), game->sprites[9][3]);
    const int outside[][2] = {{-1, 0}, {10, 0}, {0, -1}, {0, 4}, {100, 2}, {-2147483647 - 1, 0}};
    for (const auto& o : outside)
        EXPECT_EQ(game->spriteFor(o[0], o[1]), nullptr) << o[0] << "," << o[1];
    EXPECT_EQ(game->itemIconFor(0), game->itemIcons[0]);
    EXPECT_EQ(game->itemIconFor(13), game->itemIcons[13]);
    for (int index : {-1, 14, 18, 1000})
        EXPECT_EQ(game->itemIconFor(index), nullptr) << index;
}

TEST_F(Drawing, TextIsDrawnAndMeasured) {
    start();
    paintScreen();
    int height = game->drawText("Purchased!", 200, 150, 255, 255, 255);
    EXPECT_EQ(height, TTF_FontHeight(game->font));
    int covered = 0;
    EXPECT_EQ(mismatches(textMask("Purchased!", 200, 150), rgb(255, 255, 255), &covered), 0);
    EXPECT_GT(covered, 0);
    EXPECT_EQ(game->drawText("", 200, 300, 255, 255, 255), -1) << "an empty text renders nothing";
}

} // namespace
