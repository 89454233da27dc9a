// The character menu: the hero's portrait and statistics, and the blades and
// armour he has bought, newest first, with a bar to pick one to equip. Opened
// with Escape while roaming; Space goes back to roaming, Escape ends the game.
#include <cstdio>
#include <string>

#include "core/game.h"

// The blue of the whole screen behind the menu.
static const Colour MENU_BLUE = {0, 0, 150};
// The portrait at the top left, the statistics right of it, a line apart,
// and the keys' reminder at the bottom.
static const int PORTRAIT_X = 10;
static const int PORTRAIT_Y = 10;
static const int STATS_X = 140;
static const int STATS_Y = 10;
static const int STATS_STEP = 30;
static const int KEYS_Y = 450;
// The inventory's list right of the statistics, and its scroll arrows.
static const int LIST_X = 270;
static const int LIST_Y = 10;
static const int EQUIPPED_X = 318;
static const int EQUIPPED_DY = 20; // under the item's name
static const int ARROW_X = 600;
static const int ARROW_UP_Y = 10;
static const int ARROW_DOWN_Y = 440;

void CGame::characterMenu() {
    int n = (int)player.inventory.size();
    // The bar starts on the newest item (-1 with nothing bought), unscrolled.
    if (menuCursor < 0)
        menuCursor = n - 1;
    if (menuoff < 0)
        menuoff = 0;
    for (;;) {
        Menu_DrawFrame();
        bool leave = false;
        bool anyEvent = false;
        while (SDL_PollEvent(&event)) {
            anyEvent = true;
            if (event.type != SDL_KEYDOWN)
                continue;
            SDLKey key = event.key.keysym.sym;
            if (key == SDLK_SPACE)
                return; // back to roaming at once: this frame is never shown
            if (key == SDLK_ESCAPE) {
                quit = 1; // the game ends; the keys queued behind still count
                leave = true;
            } else {
                Menu_HandleKey(key);
            }
        }
        // QUIRK: a frame shows what was drawn before its keys were handled.
        SDL_Flip(screen);
        if (leave)
            return;
        // After keys the next frame shows their effect at once; otherwise
        // nothing changes until the player does something.
        if (!anyEvent && !waitForEvent())
            return; // a termination signal
    }
}

void CGame::Menu_DrawFrame() {
    fillRect(0, 0, SCREEN_W, SCREEN_H, MENU_BLUE);
    // The portrait lands on the plain fill: its copy prepared over that blue
    // holds the very pixels that blending it here would give.
    drawImage(preparedOver(portrait, MENU_BLUE.r, MENU_BLUE.g, MENU_BLUE.b), PORTRAIT_X,
              PORTRAIT_Y);
    const std::string stats[] = {
        "HP: " + std::to_string(player.hp) + "/" + std::to_string(player.maxHp),
        "MP: " + std::to_string(player.mp) + "/" + std::to_string(player.maxMp),
        "Weapon: " + std::to_string(player.weaponMod),
        "Armour: " + std::to_string(player.armour),
        "Exp: " + std::to_string(player.exp),
        "Gold: " + std::to_string(player.gold)};
    int y = STATS_Y;
    for (const std::string& line : stats) {
        drawText(line, STATS_X, y, WHITE);
        y += STATS_STEP;
    }
    drawText("Press ESC to quit, SPACE to leave menu", STATS_X, KEYS_Y, WHITE);
    Menu_DrawInventory();
}

void CGame::Menu_DrawInventory() {
    int n = (int)player.inventory.size();
    if (n == 0) {
        drawText("Nothing in inventory", LIST_X, LIST_Y, WHITE);
        return;
    }
    int rowY = LIST_Y;
    int count = 0;
    for (int i = n - 1; i >= 0; i--) {
        long long k = (long long)i - menuoff;
        if (k < 0 || k >= n) {
            puts("Something broke... i-menuoff was out of range");
            return;
        }
        Item* item = player.inventory[k];
        if (!item || (item->armourClass <= 0 && item->weaponMod <= 0))
            continue; // not equipment: no row
        if (drawListRow(LIST_X, rowY, itemIconFor(item->iconIndex), item->name, k == menuCursor) >=
            0)
            count++;
        // Equipment is recognised by value: every item with the modifier the
        // player now has is marked, not only the one he picked.
        bool equipped = (item->weaponMod > 0 && item->weaponMod == player.weaponMod) ||
                        (item->armourClass > 0 && item->armourClass == player.armour);
        if (equipped)
            drawText("Equipped", EQUIPPED_X, rowY + EQUIPPED_DY, WHITE);
        rowY += LIST_ROW_STEP;
        if (menuoff > 0)
            drawImage(icons[ICON_SCROLL_UP], ARROW_X, ARROW_UP_Y);
        if (count >= LIST_ROWS) {
            if (n != menuoff + count)
                drawImage(icons[ICON_SCROLL_DOWN], ARROW_X, ARROW_DOWN_Y);
            return;
        }
    }
}

void CGame::Menu_HandleKey(SDLKey key) {
    int n = (int)player.inventory.size();
    switch (key) {
    case SDLK_DOWN: // towards older items, lower on the screen
        if (menuCursor > 0)
            menuCursor--;
        // The list scrolls by one row when the bar passes its ninth row...
        if (Menu_ScreenPos() > LIST_ROWS - 1)
            menuoff++;
        break;
    case SDLK_UP: // towards newer items, higher on the screen
        if (menuCursor < n - 1)
            menuCursor++;
        // ...or its first.
        if (Menu_ScreenPos() < 0)
            menuoff--;
        break;
    case SDLK_RETURN:
        if (menuCursor >= 0 && menuCursor < n && player.inventory[menuCursor]) {
            Item* item = player.inventory[menuCursor];
            if (item->weaponMod > 0)
                player.weaponMod = item->weaponMod;
            if (item->armourClass > 0)
                player.armour = item->armourClass;
        }
        break;
    default:
        break;
    }
}

int CGame::Menu_ScreenPos() {
    int screenPos = ((int)player.inventory.size() - 1) - menuCursor - menuoff;
    printf("Screenpos:%i\n", screenPos);
    return screenPos;
}
