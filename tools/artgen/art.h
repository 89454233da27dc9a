// The pictures of the game: each drawing file adds its images, with their
// paths inside the data folder, to one list that the generator writes out.
#pragma once

#include <string>
#include <vector>

#include "image.h"

// Every picture is painted in art pixels of 2 x 2 screen pixels.
const int GRAIN = 2;

struct Asset {
    std::string path; // relative to the data folder, e.g. "gfx/tiles/00.png"
    Image image;      // at screen size
};
using Assets = std::vector<Asset>;

void drawTiles(Assets& out);      // tiles.cpp
void drawCharacters(Assets& out); // characters.cpp
void drawIcons(Assets& out);      // icons.cpp
void drawItems(Assets& out);      // items.cpp
void drawEffects(Assets& out);    // effects.cpp
void drawScenes(Assets& out);     // scenes.cpp
void drawTitle(Assets& out);      // title.cpp

// The installed game's icon (appicon.cpp): the PNG sizes with their paths in
// an icon theme folder, the art they are made from, and the scalable one as
// SVG text with its path.
void drawAppIcons(Assets& out);
Image appIconArt();
std::string appIconFile();
std::string svgOf(const Image& art);

// A character seen from one side, in art pixels (24 x 24): used by the
// sprite files and again, larger, in the shop picture.
Image characterArt(int row, int heading);
// Tile art (24 x 24 art pixels) for a cell code 0 to 7.
Image tileArt(int code);
