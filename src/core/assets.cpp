// Asset loading: every image of the game and the font, once, in a fixed order.
// The order decides which message is written when several files are missing.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/datafile.h"
#include "core/game.h"
#include "core/picture.h"
#include "core/pictures.h"
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

void CGame::decodePicturesAhead() {
    // The game's list of pictures is in the order loadSurfaces takes them,
    // then the title screen's.
    std::vector<std::string> paths;
    for (const GamePicture& picture : gamePictures())
        paths.insert(paths.end(), (size_t)picture.loads, picture.path);
    decodeAhead(picturesAhead, paths);
}

void CGame::loadSpriteRow(int r) {
    // Single-image rows load their one file four times, so each cell holds a
    // surface of its own.
    for (int h = 0; h < HEADING_COUNT; h++)
        sprites[r][h] = takePicture(picturesAhead, spritePicture(r, h).c_str());
}

void CGame::loadSurfaces() {
    loadSpriteRow(0);
    if (!sprites[0][0])
        fatal("data/gfx/sprites/pc/0.png missing");
    loadSpriteRow(1);
    if (!sprites[1][0])
        fatal("data/gfx/sprites/npc0/0.png missing\n");
    for (int r : LATER_ROWS)
        loadSpriteRow(r);

    clouds = takePicture(picturesAhead, CLOUDS_PICTURE);
    if (!clouds)
        fatal("data/gfx/clouds.jpg is missing\n");

    for (int r = 0; r < CHARACTER_COUNT; r++) {
        for (int h = 0; h < HEADING_COUNT; h++) {
            if (!sprites[r][h])
                fatal("Character %i, heading %i missing\n", r, h);
            sprites[r][h] = prepareAlpha(sprites[r][h]);
        }
    }

    for (int i = 0; i < TILE_COUNT; i++) {
        tiles[i] = takePicture(picturesAhead, numberedPicture(TILE_FORMAT, i).c_str());
        if (!tiles[i])
            fatal("%s", TILE_MESSAGES[i]);
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
        if (!fightBackgrounds[i])
            fatal("Fight scene background %i not located\n", i);
        fightBackgrounds[i] = prepareScreenFormat(fightBackgrounds[i], screen);
    }

    puts("Loading shop items icons");
    for (int i = 0; i < ITEM_ICON_COUNT; i++) {
        itemIcons.push_back(
            takePicture(picturesAhead, numberedPicture(ITEM_ICON_FORMAT, i).c_str()));
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

    portrait = takePicture(picturesAhead, PORTRAIT_PICTURE);

    puts("Surfaces loaded...");
    puts("Loading NPCs!");
    loadNPCs("data/npcs.qor");
    puts("NPC load complete");

    for (int i = 0; i < FX_COUNT; i++)
        fx[i] = takePicture(picturesAhead, FX_FILES[i]);
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
