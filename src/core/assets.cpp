// Asset loading: every image of the game and the font, once, in a fixed order.
// The order decides which message is written when several files are missing.
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "core/datafile.h"
#include "core/game.h"
#include "core/picture.h"

// Fatal load failure: the message as given (some have no line feed), status 1.
static void fail(const char* message) {
    fputs(message, stderr);
    exit(1);
}

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

static const char* const CLOUDS_FILE = "data/gfx/clouds.jpg";
static const char* const PORTRAIT_FILE = "data/gfx/portrait.png";

// Single-image rows load their one file four times, so each cell holds a
// surface of its own.
static std::string spriteFile(int r, int h) {
    return std::string(SPRITE_ROWS[r].folder) + std::to_string(SPRITE_ROWS[r].singleImage ? 0 : h) +
           ".png";
}

static std::string tileFile(int i) {
    char path[32];
    snprintf(path, sizeof path, "data/gfx/tiles/%02i.png", i);
    return path;
}

static std::string itemIconFile(int i) {
    return "data/gfx/items/" + std::to_string(i) + ".png";
}

void CGame::decodePicturesAhead() {
    // In the order loadSurfaces takes them, then the title screen's.
    std::vector<std::string> paths;
    std::vector<int> rows = {0, 1};
    rows.insert(rows.end(), std::begin(LATER_ROWS), std::end(LATER_ROWS));
    for (int r : rows)
        for (int h = 0; h < HEADING_COUNT; h++)
            paths.push_back(spriteFile(r, h));
    paths.push_back(CLOUDS_FILE);
    for (int i = 0; i < TILE_COUNT; i++)
        paths.push_back(tileFile(i));
    paths.insert(paths.end(), ICON_FILES, ICON_FILES + ICON_COUNT);
    paths.insert(paths.end(), BACKGROUND_FILES, BACKGROUND_FILES + BACKGROUND_COUNT);
    for (int i = 0; i < ITEM_ICON_COUNT; i++)
        paths.push_back(itemIconFile(i));
    paths.push_back(PORTRAIT_FILE);
    paths.insert(paths.end(), FX_FILES, FX_FILES + FX_COUNT);
    paths.push_back(TITLE_PICTURE);
    decodeAhead(picturesAhead, paths);
}

void CGame::loadSpriteRow(int r) {
    for (int h = 0; h < HEADING_COUNT; h++)
        sprites[r][h] = takePicture(picturesAhead, spriteFile(r, h).c_str());
}

void CGame::loadSurfaces() {
    loadSpriteRow(0);
    if (!sprites[0][0])
        fail("data/gfx/sprites/pc/0.png missing");
    loadSpriteRow(1);
    if (!sprites[1][0])
        fail("data/gfx/sprites/npc0/0.png missing\n");
    for (int r : LATER_ROWS)
        loadSpriteRow(r);

    clouds = takePicture(picturesAhead, CLOUDS_FILE);
    if (!clouds)
        fail("data/gfx/clouds.jpg is missing\n");

    for (int r = 0; r < CHARACTER_COUNT; r++) {
        for (int h = 0; h < HEADING_COUNT; h++) {
            if (!sprites[r][h]) {
                fprintf(stderr, "Character %i, heading %i missing\n", r, h);
                exit(1);
            }
            sprites[r][h] = prepareAlpha(sprites[r][h]);
        }
    }

    for (int i = 0; i < TILE_COUNT; i++) {
        tiles[i] = takePicture(picturesAhead, tileFile(i).c_str());
        if (!tiles[i])
            fail(TILE_MESSAGES[i]);
    }
    for (int i = 0; i < TILE_COUNT; i++)
        tiles[i] = prepareScreenFormat(tiles[i], screen);

    for (int i = 0; i < ICON_COUNT; i++)
        icons[i] = takePicture(picturesAhead, ICON_FILES[i]);
    for (int i = 0; i < ICON_COUNT; i++)
        if (icons[i])
            icons[i] = prepareAlpha(icons[i]);

    for (int i = 0; i < BACKGROUND_COUNT; i++)
        fightBackgrounds[i] = takePicture(picturesAhead, BACKGROUND_FILES[i]);
    for (int i = 0; i < BACKGROUND_COUNT; i++) {
        if (!fightBackgrounds[i]) {
            fprintf(stderr, "Fight scene background %i not located\n", i);
            exit(1);
        }
        fightBackgrounds[i] = prepareScreenFormat(fightBackgrounds[i], screen);
    }

    puts("Loading shop items icons");
    for (int i = 0; i < ITEM_ICON_COUNT; i++) {
        itemIcons.push_back(takePicture(picturesAhead, itemIconFile(i).c_str()));
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

    portrait = takePicture(picturesAhead, PORTRAIT_FILE);

    puts("Surfaces loaded...");
    puts("Loading NPCs!");
    loadNPCs("data/npcs.qor");
    puts("NPC load complete");

    for (int i = 0; i < FX_COUNT; i++)
        fx[i] = takePicture(picturesAhead, FX_FILES[i]);
    for (int i = 0; i < FX_COUNT; i++) {
        if (!fx[i]) {
            fprintf(stderr, "missing %i fight fx\n", i);
            exit(1);
        }
        fx[i] = prepareAlpha(fx[i]);
    }
    prepareImages();

    SDL_ShowCursor(SDL_DISABLE);
}

void CGame::initFonts() {
    puts("HUDController()");
    puts("Initializing font setup");
    if (TTF_Init() < 0) {
        fprintf(stderr, "SDL_ttf couldn't be initialized!!!\n");
        exit(1);
    }
    puts("Font init, loading fonts...");
    // Opened like every data file, so a folder or a named pipe there is a
    // missing font rather than a hang.
    FILE* file = openDataFile("data/font.ttf");
    SDL_RWops* source = file ? SDL_RWFromFP(file, 1) : NULL;
    if (file && !source)
        fclose(file);
    font = source ? TTF_OpenFontRW(source, 1, 18) : NULL;
    if (!font) {
        fprintf(stderr, "Could not load data/font.ttf\n");
        exit(1);
    }
    puts("Fonts loaded. OK");
}
