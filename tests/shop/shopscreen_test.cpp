// The shop screen: the list and its scrolling, buying, stock and the messages.
#include <algorithm>
#include <climits>

#include "support/harness.h"

namespace {

class ShopScreenTest : public GameTest {
  protected:
    // `count` goods "Good i" with icon i, blades of modifier i + 1.
    void openWith(int count) {
        std::string file;
        for (int i = 0; i < count; i++)
            file += goodRecord("Good " + std::to_string(i), 10 + i, i, i + 1, 0);
        openWith(file);
    }
    void openWith(const std::string& file) {
        tree.write("data/shopdata.qor", file);
        start();
    }
    // Runs the shop with one key for each of its waits; returns its output.
    std::string shopWith(const std::vector<SDLKey>& keys) {
        scriptKeys(keys);
        startCapture();
        game->shopKeeping();
        std::string out = stopCapture();
        EXPECT_EQ(endScript(), 0u) << "the shop left before taking every key";
        return out;
    }
    Uint32 shot(size_t wait, int x, int y) { return pixelAt(shots().at(wait), x, y); }
    Uint32 iconOnRow(size_t wait, int row) { return shot(wait, 20, 30 + 49 * row); }
    Uint32 itemIcon(int icon) {
        return colourOf("data/gfx/items/" + std::to_string(icon) + ".png");
    }
    bool arrowUpShown(size_t wait) {
        return shot(wait, 350, 20) == colourOf("data/gfx/scrollup.png");
    }
    bool arrowDownShown(size_t wait) {
        return shot(wait, 350, 430) == colourOf("data/gfx/scrolldown.png");
    }
};

TEST_F(ShopScreenTest, TheFirstFrameListsTheGoodsFromTheTopWithTheFirstHighlighted) {
    start();
    EXPECT_EQ(shopWith({}), "Shop is empty!?!\n") << "an empty shop says so and leaves";
    openWith(3);
    game->menuCursor = 2; // left over from the character menu
    game->menuoff = 1;
    EXPECT_EQ(shopWith({ESCAPE}), "") << "the first frame prints nothing";
    EXPECT_EQ(shot(0, 400, 100), colourOf("data/gfx/shop.png")) << "the shop's picture";
    for (int row = 0; row < 3; row++)
        EXPECT_EQ(iconOnRow(0, row), itemIcon(row)) << "row " << row;
    EXPECT_EQ(shot(0, 305, 55), rgb(100, 0, 0)) << "the first row is highlighted";
    EXPECT_EQ(shot(0, 305, 100), rgb(0, 0, 125)) << "the second row is not";
    EXPECT_TRUE(anyIn(10, 448, 300, 480, rgb(255, 255, 255))) << "the money line";
    EXPECT_FALSE(arrowUpShown(0)) << "three goods never scroll up";
    EXPECT_FALSE(arrowDownShown(0)) << "three goods never scroll down";
}

TEST_F(ShopScreenTest, TenGoodsScrollByOneRowWhenTheTenthIsReachedAndTheEndsStopTheCursor) {
    openWith(10);
    std::vector<SDLKey> keys(10, DOWN);
    keys.insert(keys.end(), 10, UP);
    keys.push_back(ESCAPE);
    std::vector<std::string> lines = linesOf(shopWith(keys));
    for (int frame = 0; frame <= 20; frame++) { // frame f shows the list after f keys
        bool scrolled = frame >= 9 && frame <= 18;
        EXPECT_EQ(arrowUpShown(frame), scrolled) << "frame " << frame;
        EXPECT_EQ(arrowDownShown(frame), !scrolled) << "frame " << frame;
        EXPECT_EQ(iconOnRow(frame, 0), itemIcon(scrolled ? 1 : 0)) << "frame " << frame;
    }
    EXPECT_EQ(lines.at(9), "Scrolling down?") << "the tenth good scrolls";
    EXPECT_EQ(lines.at(18), "I think you are at position -1 on screen")
        << "scrolling back up prints the row above";
    EXPECT_EQ(lines.size(), 20u) << "the keys at the ends move nothing";
    EXPECT_EQ(game->menuCursor, 0) << "the cursor stops at the first good";
}

TEST_F(ShopScreenTest, BuyingWithExactlyEnoughGoldLeavesNoneAndSellsOutTooLittleChangesNothing) {
    openWith(goodRecord("Sword", 250, 3, 5, 0));
    game->player.gold = 249;
    EXPECT_EQ(shopWith({RETURN, SDLK_a, ESCAPE}), "") << "a refused purchase prints nothing";
    EXPECT_TRUE(boxSays(game.get(), shots()[1], "Not enough gold to buy this!", true))
        << "too little gold is refused in red";
    EXPECT_EQ(game->player.gold, 249) << "a refused purchase costs nothing";
    EXPECT_TRUE(game->player.inventory.empty()) << "a refused purchase gives nothing";
    game->player.gold = 250;
    // Frame, "Purchased!", the sold-out frame, Return on it (no message), Escape.
    EXPECT_EQ(shopWith({RETURN, SDLK_SPACE, RETURN, ESCAPE}), "Bought blade, mod of 5\n")
        << "a sold-out good is bought once";
    EXPECT_TRUE(boxSays(game.get(), shots()[1], "Purchased!", false)) << "a purchase says so";
    EXPECT_EQ(game->player.gold, 0) << "exactly enough gold buys";
    EXPECT_EQ(game->shop.items[0]->stock, 0) << "a purchase takes the stock";
    ASSERT_EQ(game->player.inventory.size(), 1u) << "a blade goes into the inventory";
    EXPECT_EQ(game->player.inventory[0], game->shop.items[0]) << "the inventory holds the good";
    EXPECT_EQ(iconOnRow(3, 0), colourOf("data/gfx/soldout.png")) << "a sold-out good shows so";
    EXPECT_FALSE(anyIn(10, 448, 300, 480, rgb(255, 255, 255))) << "no money line";
}

// What each flag of a good adds, and the counts that stop at the largest
// number instead of wrapping.
TEST_F(ShopScreenTest, WhatAGoodWithSeveralFlagsAdds) {
    openWith(goodRecord("Mixed", 100, 0, 0, 0));
    struct Flags {
        int heal, weaponMod, scroll, key, armour, mana;
    };
    struct Counts {
        int healPotions, weaponMod, keys, armour, manaPotions;
    };
    const struct {
        const char* name;
        Flags good;
        int countsBefore; // potions and keys
        Counts after;
        bool learnsSpell4;
        size_t inventoryEntries;
        const char* printed;
    } cases[] = {
        {"a blade that is a key and armour",
         {0, 4, 0, 1, 6, 0},
         0,
         {0, 4, 1, 6, 0},
         false,
         2,
         "Bought blade, mod of 4\nBought armor, AC of 6\n"},
        {"a blade before a scroll",
         {0, 4, 1, 0, 0, 0},
         0,
         {0, 4, 0, 1, 0},
         false,
         1,
         "Bought blade, mod of 4\n"},
        {"a scroll teaches its first spell only",
         {0, 0, 1, 1, 0, 1},
         0,
         {0, 1, 1, 1, 1},
         true,
         0,
         ""},
        {"a potion is nothing else", {1, 7, 1, 0, 0, 0}, 0, {1, 1, 0, 1, 0}, false, 0, ""},
        {"full counts stay full",
         {1, 0, 0, 1, 0, 1},
         INT_MAX,
         {INT_MAX, 1, INT_MAX, 1, INT_MAX},
         false,
         0,
         ""},
    };
    Item* item = game->shop.items[0];
    Player& p = game->player;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        item->isHealingPotion = c.good.heal;
        item->weaponMod = c.good.weaponMod;
        item->isSpellScroll = c.good.scroll;
        for (int k = 0; k < SCROLL_SPELLS; k++)
            item->teachesSpell[k] = k == 4 || k == 6;
        item->isKey = c.good.key;
        item->armourClass = c.good.armour;
        item->isManaPotion = c.good.mana;
        item->stock = 1;
        p.gold = 1000;
        p.healPotions = c.countsBefore;
        p.keys = c.countsBefore;
        p.manaPotions = c.countsBefore;
        p.weaponMod = 1;
        p.armour = 1;
        std::fill(p.spellKnown, p.spellKnown + SPELL_COUNT, 0);
        p.inventory.clear();
        EXPECT_EQ(shopWith({RETURN, SDLK_SPACE, ESCAPE}), c.printed) << "what buying prints";
        EXPECT_EQ(p.healPotions, c.after.healPotions) << "a healing potion adds one";
        EXPECT_EQ(p.weaponMod, c.after.weaponMod) << "a blade sets the modifier";
        EXPECT_EQ(p.keys, c.after.keys) << "a key adds one";
        EXPECT_EQ(p.armour, c.after.armour) << "armour sets the class";
        EXPECT_EQ(p.manaPotions, c.after.manaPotions) << "a mana potion adds one";
        for (int k = 0; k < SPELL_COUNT; k++) {
            bool taught = k == 4 && c.learnsSpell4;
            EXPECT_EQ(p.spellKnown[k], taught) << "a scroll teaches spell " << k;
        }
        EXPECT_EQ(p.inventory.size(), c.inventoryEntries) << "blades and armour are kept";
        EXPECT_EQ(p.gold, 900) << "the price is paid";
    }
}

TEST_F(ShopScreenTest, ANegativePriceCannotWrapTheFullPurseAndOddIconsDrawNone) {
    openWith(goodRecord("Gift", -100, -1, 3, 0) + goodRecord("Far", 10, 14, 2, 0));
    game->player.gold = INT_MAX - 10;
    shopWith({RETURN, SDLK_SPACE, ESCAPE});
    EXPECT_EQ(game->player.gold, INT_MAX) << "the purse stops at the largest amount";
    EXPECT_EQ(iconOnRow(0, 0), rgb(100, 0, 0)) << "the highlight, no icon";
    EXPECT_EQ(iconOnRow(0, 1), rgb(0, 0, 125)) << "an icon beyond the table draws none";
    EXPECT_TRUE(anyIn(58, 59, 300, 89, rgb(255, 255, 255))) << "its name is still drawn";
}

} // namespace
