// World rendering: one complete roaming frame, drawn from scratch every pass.
// The camera sits on the player: the top left corner of his cell is always at
// (320, 240), and every cell within 8 columns and 8 rows of his is drawn (the
// screen shows columns -7 to +6 and rows -5 to +4 of that block; the rest is
// clipped). Then come his HP and MP bars and the strip of potions and keys.
#include "core/game.h"

// How far from the player's cell the view reaches, in cells, along each axis.
static const int VIEW_REACH = 8;
// Screen position of the top left corner of the player's cell.
static const int CAMERA_X = SCREEN_W / 2;
static const int CAMERA_Y = SCREEN_H / 2;

// The item strip: rows of icons from the bottom left, one icon every 49 pixels.
static const int STRIP_LEFT = 15;
static const int STRIP_STEP = 49;

void CGame::Roam_DrawEverything() {
    // The cloud backdrop, tiled over the screen with one column and one row
    // more than fit exactly; the screen clips what sticks out.
    if (clouds && clouds->w > 0 && clouds->h > 0) {
        for (int r = 0; r <= SCREEN_H / clouds->h; r++)
            for (int c = 0; c <= SCREEN_W / clouds->w; c++)
                drawImage(clouds, c * clouds->w, r * clouds->h);
    }
    paintTiles();
    HUD_Player();
    drawItemsPotionsKeys();
}

// Clamps the view's reach around `centre` to the grid. Long arithmetic: the
// developer console can put the player anywhere, even near the ends of int.
static void viewRange(int centre, int* first, int* last) {
    long long lo = (long long)centre - VIEW_REACH;
    long long hi = (long long)centre + VIEW_REACH;
    *first = lo < 0 ? 0 : (int)(lo < MAP_SIZE ? lo : MAP_SIZE);
    *last = hi >= MAP_SIZE ? MAP_SIZE - 1 : (int)(hi < 0 ? -1 : hi);
}

void CGame::paintTiles() {
    // Only cells of the grid are visited (a player teleported off the grid
    // sees the backdrop where there are none). Column by column, each cell's
    // tile and then its character: a character is overdrawn by the cells that
    // come after it, exactly like a tile.
    int firstX, lastX, firstY, lastY;
    viewRange(player.posX, &firstX, &lastX);
    viewRange(player.posY, &firstY, &lastY);
    for (int x = firstX; x <= lastX; x++) {
        for (int y = firstY; y <= lastY; y++) {
            SDL_Rect where;
            where.x = (Sint16)((x - player.posX) * CELL_SIZE + CAMERA_X);
            where.y = (Sint16)((y - player.posY) * CELL_SIZE + CAMERA_Y);
            where.w = CELL_SIZE;
            where.h = CELL_SIZE;
            // Codes without an image of their own ('8', letters, the byte 0)
            // are drawn as tile 00.
            char code = map.cells[y][x];
            SDL_Surface* tile = tiles[0];
            if (code >= '0' && code <= '7' && tiles[code - '0'])
                tile = tiles[code - '0'];
            drawImage(tile, where.x, where.y);
            drawSprite(x, y, &where);
        }
    }
}

void CGame::drawSprite(int x, int y, SDL_Rect* where) {
    // The player always wins his own cell and is drawn from row 0 whatever his
    // `character` says; otherwise the first NPC of the list on the cell is the
    // one drawn. A character number without a row in the table draws nothing.
    if (x == player.posX && y == player.posY) {
        drawImage(spriteFor(0, player.heading), where->x, where->y);
        return;
    }
    for (std::list<NPC*>::iterator it = npcs.begin(); it != npcs.end(); ++it) {
        NPC* npc = *it;
        if (npc->posX == x && npc->posY == y) {
            drawImage(spriteFor(npc->character, npc->heading), where->x, where->y);
            return;
        }
    }
}

// One row of the item strip: `count` copies of `icon` from the left, as many
// as can reach the screen (a count of 0 or below draws none).
static int visibleIcons(int count) {
    int fit = (SCREEN_W - STRIP_LEFT + STRIP_STEP - 1) / STRIP_STEP;
    return count < fit ? count : fit;
}

void CGame::drawItemsPotionsKeys() {
    struct StripRow {
        int icon;
        int count;
        int y;
    };
    const StripRow rows[] = {
        {0, player.healPotions, 425},
        {13, player.manaPotions, 376},
        {2, player.keys, 327},
    };
    for (const StripRow& row : rows) {
        SDL_Surface* icon = itemIconFor(row.icon);
        int shown = visibleIcons(row.count);
        for (int i = 0; i < shown; i++)
            drawImage(icon, STRIP_LEFT + i * STRIP_STEP, row.y);
    }
}
