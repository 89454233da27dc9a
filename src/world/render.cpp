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
static const int STRIP_HEAL_POTIONS_Y = 425;
static const int STRIP_MANA_POTIONS_Y = 376;
static const int STRIP_KEYS_Y = 327;

// Clamps the view's reach around `centre` to the grid. Long arithmetic: the
// developer console can put the player anywhere, even near the ends of int.
static void viewRange(int centre, int* first, int* last) {
    long long lo = (long long)centre - VIEW_REACH;
    long long hi = (long long)centre + VIEW_REACH;
    *first = lo < 0 ? 0 : (int)(lo < MAP_SIZE ? lo : MAP_SIZE);
    *last = hi >= MAP_SIZE ? MAP_SIZE - 1 : (int)(hi < 0 ? -1 : hi);
}

// Screen position of a cell's top left corner along one axis, in long
// arithmetic for a player teleported far away.
static long long cellEdge(int cell, int player, int camera) {
    return ((long long)cell - player) * CELL_SIZE + camera;
}

void CGame::Roam_DrawEverything() {
    // The cloud backdrop, tiled over the screen with one column and one row
    // more than fit exactly; the screen clips what sticks out. Where the
    // cells' opaque tiles will hide it, it need not be drawn at all.
    int firstX, lastX, firstY, lastY;
    viewRange(player.posX, &firstX, &lastX);
    viewRange(player.posY, &firstY, &lastY);
    bool tilesHideCells = firstX <= lastX && firstY <= lastY;
    for (int i = 0; i < TILE_COUNT && tilesHideCells; i++) {
        // A code without a loaded tile is drawn with tile 00.
        SDL_Surface* tile = tiles[i] ? tiles[i] : tiles[0];
        tilesHideCells = opaqueCovers(tile, 0, 0, 0, 0, CELL_SIZE, CELL_SIZE);
    }
    if (tilesHideCells) {
        long long left = cellEdge(firstX, player.posX, CAMERA_X);
        long long top = cellEdge(firstY, player.posY, CAMERA_Y);
        long long right = cellEdge(lastX + 1, player.posX, CAMERA_X);
        long long bottom = cellEdge(lastY + 1, player.posY, CAMERA_Y);
        // Held to the screen, so that the rectangle fits in ints.
        auto clampX = [](long long v) { return (int)(v < 0 ? 0 : (v > SCREEN_W ? SCREEN_W : v)); };
        auto clampY = [](long long v) { return (int)(v < 0 ? 0 : (v > SCREEN_H ? SCREEN_H : v)); };
        drawBackdrop(clampX(left), clampY(top), clampX(right), clampY(bottom));
    } else {
        drawBackdrop(0, 0, 0, 0);
    }
    paintTiles();
    HUD_Player();
    drawItemsPotionsKeys();
}

void CGame::drawBackdrop(int left, int top, int right, int bottom) {
    SDL_Surface* backdrop = prepared.backdrop;
    if (!backdrop || right <= left || bottom <= top) {
        left = top = right = bottom = 0; // nothing hidden
    }
    if (!backdrop) {
        // A see-through cloud picture is drawn as loaded, all of it, every
        // frame: what shows through it is the last frame.
        if (clouds && clouds->w > 0 && clouds->h > 0) {
            for (int r = 0; r <= SCREEN_H / clouds->h; r++)
                for (int c = 0; c <= SCREEN_W / clouds->w; c++)
                    drawImage(clouds, c * clouds->w, r * clouds->h);
        }
        return;
    }
    // The prepared backdrop holds the same pixels at the same places: the
    // bands above, below, left and right of the hidden rectangle.
    const SDL_Rect bands[] = {
        {0, 0, SCREEN_W, (Uint16)top},
        {0, (Sint16)bottom, SCREEN_W, (Uint16)(SCREEN_H - bottom)},
        {0, (Sint16)top, (Uint16)left, (Uint16)(bottom - top)},
        {(Sint16)right, (Sint16)top, (Uint16)(SCREEN_W - right), (Uint16)(bottom - top)},
    };
    for (SDL_Rect band : bands) {
        if (band.w == 0 || band.h == 0)
            continue;
        SDL_Rect where = band;
        SDL_BlitSurface(backdrop, &band, screen, &where);
    }
}

void CGame::paintTiles() {
    // Only cells of the grid are visited (a player teleported off the grid
    // sees the backdrop where there are none). Column by column, each cell's
    // tile and then its character: a character is overdrawn by the cells that
    // come after it, exactly like a tile.
    int firstX, lastX, firstY, lastY;
    viewRange(player.posX, &firstX, &lastX);
    viewRange(player.posY, &firstY, &lastY);
    if (firstX > lastX || firstY > lastY)
        return;

    // A cell whose pictures all lie off the screen draws nothing: the largest
    // picture a cell can hold decides which cells can reach the screen.
    int reachW = 0, reachH = 0;
    SDL_Surface* const* pictures[] = {tiles, &sprites[0][0]};
    const int counts[] = {TILE_COUNT, CHARACTER_COUNT * HEADING_COUNT};
    for (int t = 0; t < 2; t++) {
        for (int i = 0; i < counts[t]; i++) {
            SDL_Surface* picture = pictures[t][i];
            if (picture && picture->w > reachW)
                reachW = picture->w;
            if (picture && picture->h > reachH)
                reachH = picture->h;
        }
    }

    for (int x = firstX; x <= lastX; x++) {
        long long left = cellEdge(x, player.posX, CAMERA_X);
        if (shortcuts && (left >= SCREEN_W || left + reachW <= 0))
            continue;
        for (int y = firstY; y <= lastY; y++) {
            long long top = cellEdge(y, player.posY, CAMERA_Y);
            if (shortcuts && (top >= SCREEN_H || top + reachH <= 0))
                continue;
            SDL_Rect where;
            where.x = (Sint16)left;
            where.y = (Sint16)top;
            where.w = CELL_SIZE;
            where.h = CELL_SIZE;
            // Codes without an image of their own ('8', letters, the byte 0)
            // are drawn as tile 00.
            char code = map.cells[y][x];
            SDL_Surface* tile = tiles[0];
            if (tileOf(code) >= 0 && tiles[tileOf(code)])
                tile = tiles[tileOf(code)];
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
        drawImage(spriteFor(CHARACTER_PLAYER, player.heading), where->x, where->y);
        return;
    }
    if (!Map::contains(x, y))
        return; // only cells of the grid are drawn
    NPC* npc = standingOn(x, y);
    if (npc)
        drawImage(spriteFor(npc->character, npc->heading), where->x, where->y);
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
        {ITEM_ICON_HEAL_POTION, player.healPotions, STRIP_HEAL_POTIONS_Y},
        {ITEM_ICON_MANA_POTION, player.manaPotions, STRIP_MANA_POTIONS_Y},
        {ITEM_ICON_KEY, player.keys, STRIP_KEYS_Y},
    };
    for (const StripRow& row : rows) {
        SDL_Surface* icon = itemIconFor(row.icon);
        int shown = visibleIcons(row.count);
        for (int i = 0; i < shown; i++)
            drawImage(icon, STRIP_LEFT + i * STRIP_STEP, row.y);
    }
}
