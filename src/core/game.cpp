// Construction and destruction of the game object: SDL and the video mode,
// every data file in its fixed order, and the release of it all at the end.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "core/game.h"

namespace {

// True when SDL picked a video driver that shows nothing on any screen.
bool onHeadlessVideo() {
    char name[32];
    if (!SDL_VideoDriverName(name, sizeof name))
        return false;
    return strcmp(name, "offscreen") == 0 || strcmp(name, "dummy") == 0;
}

} // namespace

CGame::CGame(bool shortcutsOn)
    : screen(NULL), quit(0), fighting(0), playerTurn(1), questMaster(NULL), fightEnemy(NULL),
      fightBackground(0), font(NULL), clouds(NULL), portrait(NULL), shortcuts(shortcutsOn) {
    // map, npcs, player and shop were built above in declaration order: the
    // map and the player drew from the unseeded rand(), the shop read its file.
    for (int i = 0; i < TILE_COUNT; i++)
        tiles[i] = NULL;
    for (int c = 0; c < CHARACTER_COUNT; c++)
        for (int h = 0; h < HEADING_COUNT; h++)
            sprites[c][h] = NULL;
    for (int i = 0; i < ICON_COUNT; i++)
        icons[i] = NULL;
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        fightBackgrounds[i] = NULL;
    for (int i = 0; i < FX_COUNT; i++)
        fx[i] = NULL;
    menuCursor = -1;
    menuoff = -1;

    srand(time(NULL));

    questMaster = new QuestMaster();
    questMaster->loadQuests("data/quests.qor");

    atexit(SDL_Quit);
    // Before SDL starts, so that SDL keeps its own handlers out of the way.
    catchTerminationSignals();
    // The game plays no sound: video is required, audio only if it starts.
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        fatal("CRITICAL: SDL didn't init %s\n", SDL_GetError());
    // The pictures are decoded while the video mode is set, which can take
    // a good part of a second on a display.
    decodePicturesAhead();
    SDL_InitSubSystem(SDL_INIT_AUDIO);

    // MEND: with no X server or Wayland to talk to, SDL quietly falls back
    // to a driver that draws nowhere, and the game would wait on its title
    // screen for a key that can never come. Unless the user asked for such a
    // driver, that counts as a video mode that could not be set.
    if (!getenv("SDL_VIDEODRIVER") && onHeadlessVideo())
        SDL_SetError("no display was found");
    else
        screen = SDL_SetVideoMode(SCREEN_W, SCREEN_H, 16,
                                  SDL_HWSURFACE | SDL_ANYFORMAT | SDL_DOUBLEBUF | SDL_FULLSCREEN);
    if (!screen) {
        // The worker must not be decoding while the process ends.
        dropPicturesAhead(picturesAhead);
        fatal("CRITICAL: Couldn't initialize screen surface: %s\n", SDL_GetError());
    }
    SDL_WM_SetCaption("Tessary", "qor");

    puts("Loading sprites and tiles");
    loadSurfaces();
    puts("Sprites and tiles loaded.");

    puts("Loading map...");
    map.loadMap("data/map.qor");
    puts("Map loaded.");

    quit = 0;
    playerTurn = 1;
    fighting = 0;
    fightBackground = 0;

    initFonts();

    fightEnemy = NULL;
    player.gold = START_GOLD;
}

static void freeSurface(SDL_Surface*& surface) {
    if (surface)
        SDL_FreeSurface(surface);
    surface = NULL;
}

CGame::~CGame() {
    SDL_ShowCursor(SDL_ENABLE);
    for (int c = 0; c < CHARACTER_COUNT; c++)
        for (int h = 0; h < HEADING_COUNT; h++)
            freeSurface(sprites[c][h]);
    // The inventory only points at the shop's items; the shop frees them.
    player.inventory.clear();
    clearNPCs();
    fightEnemy = NULL;
    // The font must be closed while SDL_ttf is still running.
    if (font)
        TTF_CloseFont(font);
    font = NULL;
    TTF_Quit();

    // Everything else the game object owns, so leak checkers run clean.
    delete questMaster;
    questMaster = NULL;
    for (Item* item : shop.items)
        delete item;
    shop.items.clear();
    for (int i = 0; i < TILE_COUNT; i++)
        freeSurface(tiles[i]);
    for (int i = 0; i < ICON_COUNT; i++)
        freeSurface(icons[i]);
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        freeSurface(fightBackgrounds[i]);
    freeSurface(clouds);
    freeSurface(portrait);
    for (int i = 0; i < FX_COUNT; i++)
        freeSurface(fx[i]);
    for (SDL_Surface*& icon : itemIcons)
        freeSurface(icon);
    itemIcons.clear();
    dropPicturesAhead(picturesAhead);
    // Last: the rebased tiles and scenes above borrowed their rows from here.
    releasePreparedImages();
}
