// The pictures the game loads at start-up, named once for the game
// (core/assets.cpp, core/title.cpp) and for the content checker, with what
// the game does when its picture loader refuses one (core/pictures.cpp).
#pragma once

#include <string>
#include <vector>

#include "rules.h"

// Sizes of the image tables.
const int ICON_COUNT = 9;
const int BACKGROUND_COUNT = 2;
const int FX_COUNT = 11;

// Folder of each row of the sprite table and whether the row has one image
// for all four headings. QUIRK: the folder numbers do not follow the rows.
struct SpriteRow {
    const char* folder;
    bool singleImage;
};
extern const SpriteRow SPRITE_ROWS[CHARACTER_COUNT];
// Rows 2 to 9 are loaded in this order, before anything is checked.
extern const int LATER_ROWS[CHARACTER_COUNT - 2];

extern const char* const CLOUDS_PICTURE;
extern const char* const ICON_FILES[ICON_COUNT];
extern const char* const BACKGROUND_FILES[BACKGROUND_COUNT];
extern const char* const FX_FILES[FX_COUNT];
extern const char* const PORTRAIT_PICTURE;
extern const char* const TITLE_PICTURE;
// printf formats of a tile's and a shop item icon's file, by index.
extern const char* const TILE_FORMAT;
extern const char* const ITEM_ICON_FORMAT;
// Messages for a missing tile. QUIRK: those of tiles 00 to 02 have no line feed.
extern const char* const TILE_MESSAGES[TILE_COUNT];

// The file of a sprite row's picture for a heading: single-image rows have
// one file for all four.
std::string spritePicture(int row, int heading);
// A numbered picture's file, by one of the formats above.
std::string numberedPicture(const char* format, int index);

// One picture file of the game and what it does when the loader refuses it:
// the message it ends with (exactly, line feed or not), or "" when it goes on
// without the picture.
struct GamePicture {
    std::string path; // as the game opens it, "data/..."
    std::string ending;
    // How often the game loads it: a single-image sprite row's file once
    // for each heading, so that each holds a surface of its own.
    int loads = 1;
};

// Every picture file the game loads, each once, in the order it loads them.
std::vector<GamePicture> gamePictures();
