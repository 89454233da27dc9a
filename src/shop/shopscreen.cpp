// The shop screen: the shopkeeper's goods nine rows at a time, a highlight the
// arrows move, buying with Return and the money line. Entered after talking to
// the shopkeeper and from the developer console; Escape leaves it.
#include <climits>
#include <cstdio>
#include <string>

#include "core/game.h"
#include "core/clamp.h"

// The blue of the whole screen behind the list.
static const Colour SHOP_BLUE = {0, 0, 125};
// The shop's picture, right of the list.
static const int PICTURE_X = 360;
static const int PICTURE_Y = 25;
// The list's first row, and its scroll arrows right of the rows.
static const int LIST_X = 10;
static const int LIST_Y = 10;
static const int ARROW_X = 340;
static const int ARROW_UP_Y = 10;
static const int ARROW_DOWN_Y = 420;
// The money line at the bottom.
static const int MONEY_X = 10;
static const int MONEY_Y = 448;

void CGame::shopKeeping() {
    // Every visit starts at the top of the list with the first good highlighted.
    menuCursor = -1;
    menuoff = -1;
    for (;;) {
        if (!Shop_DrawFrame())
            return;
        SDL_Flip(screen);

        // Nothing on the screen changes until the player does something.
        if (!waitForEvent())
            return; // a termination signal
        bool leave = false;
        while (SDL_PollEvent(&event)) {
            if (event.type != SDL_KEYDOWN)
                continue;
            switch (event.key.keysym.sym) {
            case SDLK_ESCAPE:
                leave = true; // the rest of this frame's keys still count
                break;
            case SDLK_UP:
                Shop_MoveUp();
                break;
            case SDLK_DOWN:
                Shop_MoveDown();
                break;
            case SDLK_RETURN:
                Shop_BuyHighlighted();
                break;
            default:
                break;
            }
        }
        if (leave)
            return;
    }
}

bool CGame::Shop_DrawFrame() {
    fillRect(0, 0, SCREEN_W, SCREEN_H, SHOP_BLUE);
    if (shop.items.empty()) {
        puts("Shop is empty!?!");
        return false;
    }
    // The shop's picture lands on the plain fill: its copy prepared over that
    // blue holds the very pixels that blending it here would give.
    drawImage(preparedOver(icons[ICON_SHOP], SHOP_BLUE.r, SHOP_BLUE.g, SHOP_BLUE.b), PICTURE_X,
              PICTURE_Y);
    if (menuCursor < 0)
        menuCursor = 0;
    if (menuoff < 0)
        menuoff = 0;
    Shop_DrawList();
    Item* highlighted = Shop_Highlighted();
    if (highlighted && highlighted->stock > 0)
        printItemInfo(highlighted->name, highlighted->price);
    return true;
}

Item* CGame::Shop_Highlighted() {
    if (menuCursor < 0 || (size_t)menuCursor >= shop.items.size())
        return NULL;
    return shop.items[menuCursor];
}

void CGame::Shop_DrawList() {
    int penY = LIST_Y;
    int rows = 0;
    for (size_t i = 0; i < shop.items.size(); i++) {
        long long index = (long long)i + menuoff;
        if (index < 0) {
            puts("Error check: i+menuoff failed");
            return;
        }
        // The scrolling keeps the ninth row on the last good; this only
        // guards the table against a list placed past its end.
        if (index >= (long long)shop.items.size())
            return;
        Item* item = shop.items[index];
        std::string label =
            item->name + " for " + std::to_string(item->price) + " x" + std::to_string(item->stock);
        // An icon number outside the table draws no icon; the label still shows.
        drawListRow(LIST_X, penY,
                    item->stock > 0 ? itemIconFor(item->iconIndex) : icons[ICON_SOLD_OUT], label,
                    index == menuCursor);
        rows++;
        penY += LIST_ROW_STEP;
        if (rows >= LIST_ROWS) {
            if (shop.items.size() != (size_t)menuoff + rows)
                drawImage(icons[ICON_SCROLL_DOWN], ARROW_X, ARROW_DOWN_Y);
            return;
        }
        if (menuoff > 0)
            drawImage(icons[ICON_SCROLL_UP], ARROW_X, ARROW_UP_Y);
    }
}

void CGame::Shop_MoveUp() {
    if (menuCursor <= 0)
        return;
    menuCursor--;
    printf("I think you are at position %i on screen\n", menuCursor - menuoff);
    if (menuCursor - menuoff < 0) {
        puts("Scrolling up");
        menuoff--;
    }
}

void CGame::Shop_MoveDown() {
    if (menuCursor >= (int)shop.items.size() - 1)
        return;
    menuCursor++;
    printf("I think you're at pos %i\n", menuCursor - menuoff);
    if (menuCursor - menuoff > LIST_ROWS - 1) {
        puts("Scrolling down?");
        menuoff++;
    }
}

void CGame::Shop_BuyHighlighted() {
    Item* item = Shop_Highlighted();
    if (!item || item->stock <= 0)
        return; // a sold-out good cannot be bought
    if (player.gold < item->price) {
        displayFightConsoleMessage("Not enough gold to buy this!", true);
        return;
    }
    displayFightConsoleMessage("Purchased!", false);
    // A negative price in the shop file pays the player; the purse stops at
    // the largest amount it can hold instead of wrapping around.
    player.gold = addClamped(player.gold, -(long long)item->price);
    item->stock--;

    // What a good is for: the first of potion, blade and scroll that applies.
    if (item->isHealingPotion) {
        player.healPotions = addClamped(player.healPotions, 1);
    } else if (item->weaponMod > 0) {
        player.weaponMod = item->weaponMod;
        printf("Bought blade, mod of %i\n", item->weaponMod);
        player.inventory.push_back(item);
    } else if (item->isSpellScroll) {
        for (int k = 0; k < SCROLL_SPELLS; k++) {
            if (item->teachesSpell[k]) {
                player.spellKnown[k] = 1;
                break;
            }
        }
    }
    // A key, armour and a mana potion come on top of whatever else it is.
    if (item->isKey)
        player.keys = addClamped(player.keys, 1);
    if (item->armourClass > 0) {
        player.armour = item->armourClass;
        printf("Bought armor, AC of %i\n", item->armourClass);
        // QUIRK: a blade that is also armour goes into the inventory twice.
        player.inventory.push_back(item);
    }
    if (item->isManaPotion)
        player.manaPotions = addClamped(player.manaPotions, 1);
}

void CGame::printItemInfo(const std::string&, int) {
    if (drawText("You have $" + std::to_string(player.gold), MONEY_X, MONEY_Y, WHITE) < 0)
        puts("Might be out of memory...");
}
