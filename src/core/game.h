// CGame: the one game object. It holds all state of a running game, and every
// screen of the game is one of its member functions, defined in the folder of
// its subsystem (core, world, menus, console, characters, shop, combat, ui).
#pragma once

#include <list>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_ttf.h>

#include "characters/npc.h"
#include "characters/quest.h"
#include "core/fatal.h"
#include "core/picture.h"
#include "core/pictures.h"
#include "ui/colours.h"
#include "shop/shop.h"
#include "world/map.h"

// The screen is always 640 x 480; screens use these as fixed numbers.
const int SCREEN_W = 640;
const int SCREEN_H = 480;
// Size of a map cell on screen, in pixels.
const int CELL_SIZE = 48;
// The highest floor; climbing its stairs wins the game.
const int LAST_FLOOR = FLOOR_COUNT - 1;

// The scrolling lists of the shop and the character menu: rows shown at once,
// and the distance between rows.
const int LIST_ROWS = 9;
const int LIST_ROW_STEP = 49;

// Indices of the icons table.
enum IconIndex {
    ICON_FIGHT = 0,
    ICON_DEFEND = 1,
    ICON_MAGIC = 2,
    ICON_HEART = 3,
    ICON_MANA_POTION = 4,
    ICON_SCROLL_UP = 5,
    ICON_SCROLL_DOWN = 6,
    ICON_SHOP = 7,
    ICON_SOLD_OUT = 8
};

// Indices of the fight effects table.
enum FxIndex {
    FX_SLASH = 0,
    FX_HEAL1 = 1,
    FX_FIRE1 = 2,
    FX_ZAPPY = 3,
    FX_EARTH = 4,
    FX_METEOR = 5,
    FX_HAND = 6,
    FX_HEAL2 = 7,
    FX_SCORN = 8,
    FX_MESSIAH = 9,
    FX_RAPTURE = 10
};

// The two dice formulas of a fight: every roll is rand() % DIE_SIDES.
int calculateDamage(int base);
bool hitSuccess(int attack, int defence);

// The drawing shortcuts: copies and tables that make a frame cheap while its
// pixels stay exactly those of plain drawing. With the shortcuts off (the
// game object's `shortcuts`, given when it is made) every frame is drawn the
// plain way: pictures as loaded, texts rendered afresh, the NPC list searched,
// every cell of the view visited and every frame presented. Tests compare the
// two pixel for pixel.

// A picture drawn over a solid colour, kept as the opaque result: the same
// pixels as blending it there afresh (ui/prepared.cpp).
struct PreparedImage {
    SDL_Surface* image;
    Uint32 colour; // in the screen's format
    SDL_Surface* result;
};

// Prepared copies, made once after loading (ui/prepared.cpp). Where a
// picture cannot be prepared it is drawn as loaded.
struct PreparedPictures {
    std::vector<SDL_Surface*> storage;    // rows behind the rebased pictures
    SDL_Surface* backdrop = NULL;         // the clouds tiled over one screen, or NULL
    std::vector<PreparedImage> overFills; // pictures over solid colours
};

// A text as the font rendered it, kept for the frames that draw it again
// (ui/draw.cpp).
struct RenderedText {
    TTF_Font* font;
    std::string text;
    Uint32 colour; // 0xRRGGBB
    SDL_Surface* surface;
};
struct RenderedTexts {
    std::vector<RenderedText> recent; // oldest first
};

// The main loop's frame as it was last presented, so that an unchanged frame
// is not presented again (core/mainloop.cpp).
struct PresentedFrame {
    std::vector<Uint8> pixels; // empty until the first
    Uint32 ticks = 0;          // when the main loop last presented
    unsigned long count = 0;   // frames the main loop has presented
};

// An NPC and its place in the NPC list (0 for the first), so that NPCs found
// through the cell table can be taken in the list's order (world/crowd.cpp).
struct ListedNPC {
    size_t order;
    NPC* npc;
};

// Who stands on each cell of the floor, worked out from the NPC list
// (world/crowd.cpp): the NPCs of cell c are cellNpcs[cellStart[c]] up to
// cellNpcs[cellStart[c + 1]], in the list's order; NPCs off the grid are in
// offGrid. The list's size and the count of NPCs ever made tell when the
// list may have changed since.
struct NpcTable {
    std::vector<ListedNPC> cellNpcs;
    std::vector<Uint32> cellStart;
    std::vector<ListedNPC> offGrid;
    size_t listSize = 0;
    unsigned long npcsMade = 0;
};

class CGame {
  public:
    // ---- State, in declaration order ----
    SDL_Surface* screen;
    SDL_Event event;
    Map map;
    int quit;
    int fighting;
    int playerTurn;
    std::list<NPC*> npcs;
    Player player;
    QuestMaster* questMaster;
    NPC* fightEnemy;
    int fightBackground;
    Shop shop;
    TTF_Font* font;
    int menuCursor;
    int menuoff;
    SDL_Surface* tiles[TILE_COUNT];
    SDL_Surface* sprites[CHARACTER_COUNT][HEADING_COUNT];
    SDL_Surface* icons[ICON_COUNT];
    SDL_Surface* fightBackgrounds[BACKGROUND_COUNT];
    SDL_Surface* clouds;
    SDL_Surface* portrait;
    SDL_Surface* fx[FX_COUNT];
    std::vector<SDL_Surface*> itemIcons;
    // Every picture above and the title's, decoded on a worker thread while
    // the video mode is set; loading takes them from here (core/assets.cpp).
    PicturesAhead picturesAhead;
    // Something that shows on the roaming frame changed since the roaming
    // pass last drew it; only then does the pass draw (world/roaming.cpp).
    bool roamChanged = true;
    // ---- The drawing shortcuts, apart from the game's own state ----
    bool shortcuts;
    PreparedPictures prepared;
    RenderedTexts rendered;
    PresentedFrame shown;
    NpcTable standing;

    // Shortcuts off draws every frame the plain way (for tests and benchmarks).
    explicit CGame(bool shortcuts = true);
    ~CGame();

    // ---- Core: src/core ----
    void decodePicturesAhead(); // assets.cpp: starts the worker
    void loadSurfaces();        // assets.cpp
    void loadSpriteRow(int r);  // assets.cpp
    void initFonts();           // assets.cpp
    void titleScreen();         // title.cpp
    void gameLoop();            // mainloop.cpp
    // mainloop.cpp: shows the pass's frame, or when it is the frame already
    // shown, waits for the display's next refresh instead; true if presented
    bool presentFrame();
    void flipFrame();      // mainloop.cpp: presents the screen as it is
    void waitForRefresh(); // mainloop.cpp

    // ---- World: src/world ----
    void Roam_DrawEverything();                     // render.cpp
    void paintTiles();                              // render.cpp
    void drawSprite(int x, int y, SDL_Rect* where); // render.cpp
    void drawItemsPotionsKeys();                    // render.cpp
    NPC* standingOn(int x, int y);                  // crowd.cpp: first NPC on a grid cell
    bool npcAt(int x, int y);                       // crowd.cpp: anyone on any cell
    std::vector<NPC*> npcsAround(int x, int y);     // crowd.cpp: within one cell, list order
    void refreshStanding();                         // crowd.cpp: the table, when stale
    // render.cpp: the clouds everywhere but the rectangle the cells hide
    void drawBackdrop(int left, int top, int right, int bottom);
    bool tileCollision(int x, int y);      // movement.cpp
    void detectAndOpenDoors(int x, int y); // movement.cpp
    bool RoamLoop();                       // roaming.cpp: true when it drew
    void Roam_Idle();                      // roaming.cpp: after a pass that drew nothing
    void Roam_GetInput();                  // roaming.cpp
    void Roam_CheckNPCConvo(int x, int y); // talking.cpp
    void Roam_Step(int dx, int dy);        // roaming.cpp: one paced step attempt
    void Roam_ChangeFloor();               // roaming.cpp: stairs, or the win
    void Roam_StartFight(NPC* enemy);      // talking.cpp: flags and background

    // ---- The character menu: src/menus ----
    void characterMenu();            // charmenu.cpp
    void Menu_DrawFrame();           // charmenu.cpp: portrait, statistics, list
    void Menu_DrawInventory();       // charmenu.cpp: newest first, with the bar
    void Menu_HandleKey(SDLKey key); // charmenu.cpp: arrows and Return
    int Menu_ScreenPos();            // charmenu.cpp: the bar's row, printed

    // ---- The developer console: src/console ----
    void ConsoleLoop();                                        // console.cpp
    bool Console_Command(const std::string& word);             // console.cpp: false after "exit"
    bool Console_AskNumber(const char* question, int* answer); // console.cpp: false at the end
    bool Console_InputEnded();                                 // console.cpp: leaves, says so
    int Console_SwapDoors(char from, char to); // console.cpp: cells changed, counted
    void Console_Stats();                      // console.cpp: the player's numbers

    // ---- Characters and quests: src/characters ----
    void loadNPCs(const char* path);                  // population.cpp
    void clearNPCs();                                 // population.cpp
    void spawnMrQuesty();                             // population.cpp
    Quest* initiateConversation(NPC* npc, int floor); // conversation.cpp
    void displayQuestCompletion();                    // conversation.cpp
    void solvedQuestScreen();                         // conversation.cpp

    // ---- Shop: src/shop ----
    void shopKeeping();                                     // shopscreen.cpp
    void printItemInfo(const std::string& name, int price); // shopscreen.cpp
    Item* Shop_Highlighted();                               // shopscreen.cpp: NULL if none
    bool Shop_DrawFrame();      // shopscreen.cpp: one frame unflipped; false for an empty shop
    void Shop_DrawList();       // shopscreen.cpp: nine rows
    void Shop_MoveUp();         // shopscreen.cpp
    void Shop_MoveDown();       // shopscreen.cpp
    void Shop_BuyHighlighted(); // shopscreen.cpp

    // ---- Combat: src/combat ----
    void FightLoop();        // fight.cpp
    void Fight_magicMenu();  // magic.cpp
    void theRapture();       // magic.cpp
    void Fight_DrawScene();  // fight.cpp: scene, HUDs, action bar
    void Fight_PlayerTurn(); // fight.cpp: the player's queued keys
    bool Fight_Attack();     // fight.cpp: true after a killing blow
    void Fight_DrinkPotion(int& potions, int& value, int maximum,
                           const char* message); // fight.cpp: x and v
    void Fight_EnemyTurn();                      // fight.cpp: the enemy's attack
    void Fight_PlayerDied();                     // fight.cpp: revival or the end
    void Fight_Victory();                        // victory.cpp: experience, levels, removal
    bool Fight_CastSpell(int key);               // magic.cpp: true when the menu closes
    void Fight_LeaveQuestGiverAlone();           // magic.cpp: the floor after the Rapture

    // ---- Presentation: src/ui ----
    void HUD_Player();                                             // hud.cpp
    void HUD_Enemy(NPC* enemy);                                    // hud.cpp
    void displayFightConsoleMessage(const char* text, bool alert); // messagebox.cpp
    void prepareImages();         // prepared.cpp: after loading, before any frame
    void releasePreparedImages(); // prepared.cpp
    SDL_Surface* Prepare_FastCopy(SDL_Surface* image); // prepared.cpp: same pixels, plain copy
    SDL_Surface* Prepare_Surface(int w, int h);        // prepared.cpp: blank, screen format
    // prepared.cpp: `image` as it looks drawn over a solid fill of (r, g, b)
    SDL_Surface* preparedOver(SDL_Surface* image, Uint8 r, Uint8 g, Uint8 b);
    // prepared.cpp: true when `image` at (x, y) hides every pixel of the
    // rectangle, so what lies beneath need not be drawn; never with the shortcuts off
    bool opaqueCovers(SDL_Surface* image, int x, int y, int left, int top, int right, int bottom);

    // ---- Shared helpers: the one way to do each of these jobs ----
    // Blocks until SDL's event queue holds an event, leaving it queued, so a
    // screen that waits for the player uses next to no processor. Returns
    // false instead when a termination signal came: the waiting screen then
    // leaves at once, and the game ends after the pass (ui/input.cpp).
    bool waitForEvent();
    // From the start of SDL on, SIGTERM, SIGINT and SIGHUP are taken as
    // requests to end the game, on every screen (ui/input.cpp).
    void catchTerminationSignals();
    // Sets `quit` and returns true when a termination signal came (ui/input.cpp).
    bool takeTerminationRequest();
    // Waits for a key the way every modal notice does: events go into `record`;
    // F4 prints "Screenshot", saves the screen and keeps waiting; any other key
    // ends the wait once the events queued behind it are taken; everything else,
    // window-close requests too, is dropped. A termination signal ends the wait
    // (ui/input.cpp).
    void waitForKey(SDL_Event* record);
    // Writes the screen to "screenshot.bmp"; when that fails, the last
    // screenshot stays and standard error says so (ui/screenshot.cpp).
    void saveScreenshot();
    // Renders `text` in solid mode with the game font and draws it with its
    // top left corner at (x, y); the most recent texts stay rendered for the
    // next frames. Returns the rendered height, or -1 when nothing could be
    // rendered (an empty text renders nothing) (ui/draw.cpp).
    int drawText(const std::string& text, int x, int y, Uint8 r, Uint8 g, Uint8 b);
    int drawText(const std::string& text, int x, int y, Colour c) {
        return drawText(text, x, y, c.r, c.g, c.b);
    }
    // Fills a rectangle in a colour. A width or height below 1 fills nothing;
    // sizes beyond what an SDL rectangle holds are clipped (ui/draw.cpp).
    void fillRect(int x, int y, int w, int h, Uint8 r, Uint8 g, Uint8 b);
    void fillRect(int x, int y, int w, int h, Colour c) { fillRect(x, y, w, h, c.r, c.g, c.b); }
    // One row of a scrolling list at (x, y): the highlight bar when chosen,
    // the icon and the label. Returns what drawText returns (ui/scrolllist.cpp).
    int drawListRow(int x, int y, SDL_Surface* icon, const std::string& label, bool highlighted);
    // Draws a whole image with its top left corner at (x, y); NULL draws nothing
    // (ui/draw.cpp).
    void drawImage(SDL_Surface* image, int x, int y);
    // Table lookups that never read outside their table: NULL when out of range
    // (ui/draw.cpp).
    SDL_Surface* spriteFor(int character, int heading);
    SDL_Surface* itemIconFor(int iconIndex);
};
