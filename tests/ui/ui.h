// What the presentation tests share: a painted screen to draw on, and the
// game font's own rendering of a text to compare the screen with.
#pragma once

#include <string>
#include <vector>

#include "support/harness.h"

class UiTest : public GameTest {
  protected:
    // Covers the screen in a colour none of the drawings use.
    void paintScreen() { game->fillRect(0, 0, SCREEN_W, SCREEN_H, 10, 20, 30); }
    Uint32 painted() { return rgb(10, 20, 30); }

    // Which screen pixels `text` covers when drawn at (x, y) with the game font.
    std::vector<bool> textMask(const std::string& text, int x, int y);
    // Pixels of the rectangle (inclusive corners) that have `colour`.
    int count(int x0, int y0, int x1, int y1, Uint32 colour);
    // Of the pixels `mask` covers, how many differ from `colour`; and how many it covers.
    int mismatches(const std::vector<bool>& mask, Uint32 colour, int* covered = nullptr);
};
