// Drawings shared between the item icons and the fight icons.
#pragma once

#include "image.h"

// A potion flask holding a liquid of the given colour (24 x 24 art pixels).
Image potionArt(Rgba liquid);

// A blade lying diagonally, hilt at the bottom left, point at the top right.
struct Blade {
    int length; // of the blade, in art pixels along the diagonal
    Rgba blade, edge, guard, grip, pommel;
    int guardHalf = 3;
};
Image swordArt(const Blade& b);
