// The names of the game's pictures, and the list of them with the message
// the game ends with when one is refused, as core/assets.cpp and
// core/title.cpp check them; the content checker reads the same list.
#include "core/pictures.h"

#include <cstdio>

const SpriteRow SPRITE_ROWS[CHARACTER_COUNT] = {
    {"data/gfx/sprites/pc/", false},   {"data/gfx/sprites/npc0/", false},
    {"data/gfx/sprites/npc1/", true},  {"data/gfx/sprites/npc2/", false},
    {"data/gfx/sprites/npc4/", true},  {"data/gfx/sprites/npc5/", false},
    {"data/gfx/sprites/npc3/", false}, {"data/gfx/sprites/npc6/", false},
    {"data/gfx/sprites/npc7/", false}, {"data/gfx/sprites/npc8/", true},
};
const int LATER_ROWS[CHARACTER_COUNT - 2] = {2, 4, 3, 5, 6, 7, 8, 9};

const char* const CLOUDS_PICTURE = "data/gfx/clouds.jpg";
const char* const ICON_FILES[ICON_COUNT] = {
    "data/icn/fight.png",      "data/icn/defend.png", "data/icn/magick.png",
    "data/icn/heart.png",      "data/icn/manap.png",  "data/gfx/scrollup.png",
    "data/gfx/scrolldown.png", "data/gfx/shop.png",   "data/gfx/soldout.png",
};
const char* const BACKGROUND_FILES[BACKGROUND_COUNT] = {"data/decor/grass.png",
                                                        "data/decor/inside.png"};
const char* const FX_FILES[FX_COUNT] = {
    "data/gfx/fx/slash.png",   "data/gfx/fx/heal1.png",   "data/gfx/fx/fire1.png",
    "data/gfx/fx/zappy.png",   "data/gfx/fx/earth.png",   "data/gfx/fx/meteor.png",
    "data/gfx/fx/hand.png",    "data/gfx/fx/heal2.png",   "data/gfx/fx/scorn.png",
    "data/gfx/fx/messiah.png", "data/gfx/fx/rapture.png",
};
const char* const PORTRAIT_PICTURE = "data/gfx/portrait.png";
const char* const TITLE_PICTURE = "data/gfx/title.png";
const char* const TILE_FORMAT = "data/gfx/tiles/%02i.png";
const char* const ITEM_ICON_FORMAT = "data/gfx/items/%i.png";
const char* const TILE_MESSAGES[TILE_COUNT] = {
    "data/gfx/tiles/00.png missing!",   "data/gfx/tiles/01.png missing!",
    "data/gfx/tiles/02.png missing!",   "data/gfx/tiles/03.png missing!\n",
    "data/gfx/tiles/04.png missing!\n", "data/gfx/tiles/05.png missing!\n",
    "data/gfx/tiles/06.png missing!\n", "data/gfx/tiles/07.png missing!\n",
};

std::string spritePicture(int row, int heading) {
    const SpriteRow& sprites = SPRITE_ROWS[row];
    return sprites.folder + std::to_string(sprites.singleImage ? 0 : heading) + ".png";
}

std::string numberedPicture(const char* format, int index) {
    char text[96];
    snprintf(text, sizeof text, format, index);
    return text;
}

namespace {

// A sprite row's files: the first heading's is checked on its own for the
// first two rows; every other one by the check of all rows and headings.
void addSpriteRow(std::vector<GamePicture>& list, int row) {
    const SpriteRow& sprites = SPRITE_ROWS[row];
    for (int h = 0; h < (sprites.singleImage ? 1 : HEADING_COUNT); h++) {
        std::string path = spritePicture(row, h);
        std::string ending =
            "Character " + std::to_string(row) + ", heading " + std::to_string(h) + " missing\n";
        if (h == 0 && row == 0)
            ending = path + " missing";
        else if (h == 0 && row == 1)
            ending = path + " missing\n";
        list.push_back({path, ending, sprites.singleImage ? HEADING_COUNT : 1});
    }
}

} // namespace

std::vector<GamePicture> gamePictures() {
    std::vector<GamePicture> list;
    addSpriteRow(list, 0);
    addSpriteRow(list, 1);
    for (int row : LATER_ROWS)
        addSpriteRow(list, row);
    list.push_back({CLOUDS_PICTURE, std::string(CLOUDS_PICTURE) + " is missing\n"});
    for (int i = 0; i < TILE_COUNT; i++)
        list.push_back({numberedPicture(TILE_FORMAT, i), TILE_MESSAGES[i]});
    for (const char* icon : ICON_FILES)
        list.push_back({icon, ""});
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        list.push_back(
            {BACKGROUND_FILES[i], numberedPicture("Fight scene background %i not located\n", i)});
    for (int i = 0; i < ITEM_ICON_COUNT; i++)
        list.push_back({numberedPicture(ITEM_ICON_FORMAT, i), ""});
    list.push_back({PORTRAIT_PICTURE, ""});
    for (int i = 0; i < FX_COUNT; i++)
        list.push_back({FX_FILES[i], numberedPicture("missing %i fight fx\n", i)});
    list.push_back({TITLE_PICTURE, "Oh no! The title screen image (title.png) is missing!\n"});
    return list;
}
