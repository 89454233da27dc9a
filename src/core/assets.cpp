// Asset loading: every image of the game and the font, once, in a fixed order.
// The order decides which message is written when several files are missing.
#include <cstdio>
#include <cstdlib>

#include "core/datafile.h"
#include "core/game.h"
#include "core/picture.h"
#include "core/pictures.h"

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
        fail("data/gfx/sprites/pc/0.png missing");
    loadSpriteRow(sprites[1], 1);
    if (!sprites[1][0])
        fail("data/gfx/sprites/npc0/0.png missing\n");
    for (int r : LATER_ROWS)
        loadSpriteRow(sprites[r], r);

    clouds = loadPicture(CLOUDS_PICTURE);
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

    char path[64];
    for (int i = 0; i < TILE_COUNT; i++) {
        snprintf(path, sizeof path, TILE_FORMAT, i);
        tiles[i] = loadPicture(path);
        if (!tiles[i])
            fail(TILE_MESSAGES[i]);
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
        if (!fightBackgrounds[i]) {
            fprintf(stderr, "Fight scene background %i not located\n", i);
            exit(1);
        }
        fightBackgrounds[i] = prepareScreenFormat(fightBackgrounds[i], screen);
    }

    puts("Loading shop items icons");
    for (int i = 0; i < ITEM_ICON_COUNT; i++) {
        snprintf(path, sizeof path, ITEM_ICON_FORMAT, i);
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

    portrait = loadPicture(PORTRAIT_PICTURE);

    puts("Surfaces loaded...");
    puts("Loading NPCs!");
    loadNPCs("data/npcs.qor");
    puts("NPC load complete");

    for (int i = 0; i < FX_COUNT; i++)
        fx[i] = loadPicture(FX_FILES[i]);
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
