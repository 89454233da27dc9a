// The art generator's own little bitmap font (5 x 7 with descenders, in cells
// of 6 x 8): used for the title's lettering, the sold-out stamp and the
// captions of the contact sheet. Unknown characters draw as blanks.
#pragma once

#include <string>

#include "image.h"

const int GLYPH_W = 6; // advance, including one column of spacing
const int GLYPH_H = 8;

// Draws `text` with its top left at (x, y), each font pixel a k x k block.
void drawLabel(Image& img, const std::string& text, int x, int y, Rgba colour, int k = 1);
// Width in pixels of `text` at scale k (without the trailing spacing column).
int labelWidth(const std::string& text, int k = 1);
