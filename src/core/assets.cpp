// Asset loading: every image of the game and the font, once, in a fixed order.
// The order decides which message is written when several files are missing.
#include <cstdio>
#include <cstdlib>

#include "core/datafile.h"
#include "core/game.h"
#include "core/picture.h"
#include "platform/platform.h"

// The preparations an image gets before it is drawn.
static SDL_Surface* prepareAlpha(SDL_Surface* loaded) {
    SDL_Surface* converted = SDL_DisplayFormatAlpha(loaded);
    SDL_FreeSurface(loaded);
    return converted;
}

static SDL_Surface* prepareScreenFormat(SDL_Surface* loaded, SDL_Surface* screen) {
    SDL_Surface* converted = SDL_ConvertSurface(loaded, screen->format, 0);
    SDL_FreeSurface(loaded);
    return converted;
}

// Folder of each row of the sprite table and whether the row has one image
// for all four headings. QUIRK: the folder numbers do not follow the rows.
struct SpriteRow {
    const char* folder;
    bool singleImage;
};
static const SpriteRow SPRITE_ROWS[CHARACTER_COUNT] = {
    {"data/gfx/sprites/pc/", false},   {"data/gfx/sprites/npc0/", false},
    {"data/gfx/sprites/npc1/", true},  {"data/gfx/sprites/npc2/", false},
    {"data/gfx/sprites/npc4/", true},  {"data/gfx/sprites/npc5/", false},
    {"data/gfx/sprites/npc3/", false}, {"data/gfx/sprites/npc6/", false},
    {"data/gfx/sprites/npc7/", false}, {"data/gfx/sprites/npc8/", true},
};
// Rows 2 to 9 are loaded in this order, before anything is checked.
static const int LATER_ROWS[] = {2, 4, 3, 5, 6, 7, 8, 9};

static const char* const ICON_FILES[ICON_COUNT] = {
    "data/icn/fight.png",      "data/icn/defend.png", "data/icn/magick.png",
    "data/icn/heart.png",      "data/icn/manap.png",  "data/gfx/scrollup.png",
    "data/gfx/scrolldown.png", "data/gfx/shop.png",   "data/gfx/soldout.png",
};

static const char* const BACKGROUND_FILES[BACKGROUND_COUNT] = {"data/decor/grass.png",
                                                               "data/decor/inside.png"};

static const char* const FX_FILES[FX_COUNT] = {
    "data/gfx/fx/slash.png",   "data/gfx/fx/heal1.png",   "data/gfx/fx/fire1.png",
    "data/gfx/fx/zappy.png",   "data/gfx/fx/earth.png",   "data/gfx/fx/meteor.png",
    "data/gfx/fx/hand.png",    "data/gfx/fx/heal2.png",   "data/gfx/fx/scorn.png",
    "data/gfx/fx/messiah.png", "data/gfx/fx/rapture.png",
};

// Messages for a missing tile. QUIRK: those of tiles 00 to 02 have no line feed.
static const char* const TILE_MESSAGES[TILE_COUNT] = {
    "data/gfx/tiles/00.png missing!",   "data/gfx/tiles/01.png missing!",
    "data/gfx/tiles/02.png missing!",   "data/gfx/tiles/03.png missing!\n",
    "data/gfx/tiles/04.png missing!\n", "data/gfx/tiles/05.png missing!\n",
    "data/gfx/tiles/06.png missing!\n", "data/gfx/tiles/07.png missing!\n",
};

static void loadSpriteRow(SDL_Surface* row[HEADING_COUNT], int r) {
    char path[64];
    for (int h = 0; h < HEADING_COUNT; h++) {
        // Single-image rows load their one file four times, so each cell
        // holds a surface of its own.
        snprintf(path, sizeof path, "%s%i.png", SPRITE_ROWS[r].folder,
                 SPRITE_ROWS[r].singleImage ? 0 : h);
        row[h] = loadPicture(path);
    }
}

void CGame::loadSurfaces() {
    loadSpriteRow(sprites[0], 0);
    if (!sprites[0][0])
        fatal("data/gfx/sprites/pc/0.png missing");
    loadSpriteRow(sprites[1], 1);
    if (!sprites[1][0])
        fatal("data/gfx/sprites/npc0/0.png missing\n");
    for (int r : LATER_ROWS)
        loadSpriteRow(sprites[r], r);

    clouds = loadPicture("data/gfx/clouds.jpg");
    if (!clouds)
        fatal("data/gfx/clouds.jpg is missing\n");

    for (int r = 0; r < CHARACTER_COUNT; r++) {
        for (int h = 0; h < HEADING_COUNT; h++) {
            if (!sprites[r][h])
                fatal("Character %i, heading %i missing\n", r, h);
            sprites[r][h] = prepareAlpha(sprites[r][h]);
        }
    }

    char path[64];
    for (int i = 0; i < TILE_COUNT; i++) {
        snprintf(path, sizeof path, "data/gfx/tiles/%02i.png", i);
        tiles[i] = loadPicture(path);
        if (!tiles[i])
            fatal("%s", TILE_MESSAGES[i]);
    }
    for (int i = 0; i < TILE_COUNT; i++)
        tiles[i] = prepareScreenFormat(tiles[i], screen);

    for (int i = 0; i < ICON_COUNT; i++)
        icons[i] = loadPicture(ICON_FILES[i]);
    for (int i = 0; i < ICON_COUNT; i++)
        if (icons[i])
            icons[i] = prepareAlpha(icons[i]);

    for (int i = 0; i < BACKGROUND_COUNT; i++)
        fightBackgrounds[i] = loadPicture(BACKGROUND_FILES[i]);
    for (int i = 0; i < BACKGROUND_COUNT; i++) {
        if (!fightBackgrounds[i])
            fatal("Fight scene background %i not located\n", i);
        fightBackgrounds[i] = prepareScreenFormat(fightBackgrounds[i], screen);
    }

    puts("Loading shop items icons");
    for (int i = 0; i < ITEM_ICON_COUNT; i++) {
        snprintf(path, sizeof path, "data/gfx/items/%i.png", i);
        itemIcons.push_back(loadPicture(path));
    }
    puts("Loaded shop icons");
    for (size_t i = 0; i < itemIcons.size(); i++) {
        if (itemIcons[i]) {
            printf("Item %i is existant\n", (int)i);
            itemIcons[i] = prepareAlpha(itemIcons[i]);
        } else {
            printf("Item load error, %i\n", (int)i);
            SDL_Delay(200);
        }
    }

    portrait = loadPicture("data/gfx/portrait.png");

    puts("Surfaces loaded...");
    puts("Loading NPCs!");
    loadNPCs("data/npcs.qor");
    puts("NPC load complete");

    for (int i = 0; i < FX_COUNT; i++)
        fx[i] = loadPicture(FX_FILES[i]);
    for (int i = 0; i < FX_COUNT; i++) {
        if (!fx[i])
            fatal("missing %i fight fx\n", i);
        fx[i] = prepareAlpha(fx[i]);
    }
    prepareImages();

    SDL_ShowCursor(SDL_DISABLE);
}

void CGame::initFonts() {
    puts("HUDController()");
    puts("Initializing font setup");
    if (TTF_Init() < 0)
        fatal("SDL_ttf couldn't be initialized!!!\n");
    puts("Font init, loading fonts...");
    font = openFont("data/font.ttf", 18);
    if (!font)
        fatal("Could not load data/font.ttf\n");
    puts("Fonts loaded. OK");
}
