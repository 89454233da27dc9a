// The shop screen: the list and its scrolling, buying and what each good does,
// stock, the money line and the messages.
#include <climits>
#include <string>
#include <vector>

#include "screentest.h"

namespace {

// One good as the shop file spells it.
struct Good {
    std::string name;
    int price;
    int icon;
    int weaponMod;
    int armour;
};

// Goods named "Good 0", "Good 1"... with icon i, blades of modifier i + 1.
std::vector<Good> numberedGoods(int count) {
    std::vector<Good> goods;
    for (int i = 0; i < count; i++)
        goods.push_back({"Good " + std::to_string(i), 10 + i, i, i + 1, 0});
    return goods;
}

const SDLKey UP = SDLK_UP, DOWN = SDLK_DOWN, RETURN = SDLK_RETURN, ESCAPE = SDLK_ESCAPE;

// Pixels inside the scroll arrows and the first icon of each row.
const int ARROW_X = 350;
const int ARROW_UP_Y = 20;
const int ARROW_DOWN_Y = 430;
int rowIconY(int row) {
    return 10 + 49 * row + 20;
}

class ShopScreenTest : public ScreenTest {
  protected:
    void openWith(const std::vector<Good>& goods) {
        std::string file;
        for (const Good& good : goods)
            file += goodRecord(good.name, good.price, good.icon, good.weaponMod, good.armour);
        tree.write("data/shopdata.qor", file);
        start();
    }

    // Runs the shop with one batch of keys per shown frame; returns stdout.
    std::string shopWith(const std::vector<std::vector<SDLKey>>& batches) {
        return play(batches, [this] { game->shopKeeping(); });
    }

    bool arrowUpShown() { return at(ARROW_X, ARROW_UP_Y) == colourOf("data/gfx/scrollup.png"); }
    bool arrowDownShown() {
        return at(ARROW_X, ARROW_DOWN_Y) == colourOf("data/gfx/scrolldown.png");
    }
    bool moneyLineShown() { return whiteIn(10, 448, 300, 480); }
};

TEST_F(ShopScreenTest, AnEmptyShopSaysSoAndReturnsEveryTimeWithoutShowingAFrame) {
    start();
    for (int visit = 0; visit < 2; visit++) {
        keysOnFlips({});
        startCapture();
        game->shopKeeping();
        EXPECT_EQ(stopCapture(), "Shop is empty!?!\n");
        EXPECT_EQ(flipsSeen(), 0);
    }
}

TEST_F(ShopScreenTest, TheFirstFrameListsTheGoodsFromTheTopWithTheFirstHighlighted) {
    openWith(numberedGoods(3));
    game->menuCursor = 2; // left over from the character menu
    game->menuoff = 1;
    onEveryFlip([this](int flip, SDL_Surface*) {
        if (flip != 0)
            return;
        EXPECT_EQ(at(400, 100), colourOf("data/gfx/shop.png"));
        for (int row = 0; row < 3; row++)
            EXPECT_EQ(at(20, rowIconY(row)), itemIcon(row)) << "row " << row;
        EXPECT_EQ(at(305, 55), rgb(100, 0, 0)) << "highlight on the first row";
        EXPECT_EQ(at(305, 100), rgb(0, 0, 125)) << "no highlight on the second";
        EXPECT_TRUE(whiteIn(58, 10, 300, 40)) << "the first label";
        EXPECT_TRUE(moneyLineShown());
        EXPECT_FALSE(arrowUpShown());
        EXPECT_FALSE(arrowDownShown());
    });
    EXPECT_EQ(shopWith({{ESCAPE}}), "");
    EXPECT_EQ(game->menuCursor, 0);
    EXPECT_EQ(game->menuoff, 0);
    EXPECT_EQ(flipsSeen(), 1);
}

TEST_F(ShopScreenTest, NineGoodsNeverShowAnArrow) {
    openWith(numberedGoods(9));
    std::vector<std::vector<SDLKey>> keys(8, {DOWN});
    keys.push_back({ESCAPE});
    int framesWithArrows = 0;
    onEveryFlip([&](int, SDL_Surface*) { framesWithArrows += arrowUpShown() || arrowDownShown(); });
    std::vector<std::string> lines = linesOf(shopWith(keys));
    EXPECT_EQ(framesWithArrows, 0);
    ASSERT_EQ(lines.size(), 8u);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(lines[i], "I think you're at pos " + std::to_string(i + 1));
    EXPECT_EQ(game->menuCursor, 8);
    EXPECT_EQ(game->menuoff, 0);
    EXPECT_EQ(at(20, rowIconY(8)), itemIcon(8));
}

TEST_F(ShopScreenTest, TenGoodsScrollByOneRowWhenTheTenthIsReachedAndBack) {
    openWith(numberedGoods(10));
    std::vector<std::vector<SDLKey>> keys(9, {DOWN});
    keys.insert(keys.end(), 9, {UP});
    keys.push_back({ESCAPE});
    // What each shown frame had: (arrow up, arrow down, icon of the top row).
    struct Seen {
        bool up, down;
        Uint32 top;
    };
    std::vector<Seen> frames;
    onEveryFlip([&](int, SDL_Surface*) {
        frames.push_back({arrowUpShown(), arrowDownShown(), at(20, rowIconY(0))});
    });
    std::vector<std::string> lines = linesOf(shopWith(keys));

    // Frame f shows the list after f keys.
    ASSERT_EQ(frames.size(), 19u);
    for (int f = 0; f < 19; f++) {
        bool scrolled = f >= 9 && f <= 17; // from the ninth Down to the last Up
        EXPECT_EQ(frames[f].up, scrolled) << "frame " << f;
        EXPECT_EQ(frames[f].down, !scrolled) << "frame " << f;
        EXPECT_EQ(frames[f].top, itemIcon(scrolled ? 1 : 0)) << "frame " << f;
    }
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[7], "I think you're at pos 8");
    EXPECT_EQ(lines[8], "I think you're at pos 9");
    EXPECT_EQ(lines[9], "Scrolling down?");
    EXPECT_EQ(lines[10], "I think you are at position 7 on screen");
    EXPECT_EQ(lines[17], "I think you are at position 0 on screen");
    EXPECT_EQ(lines[18], "I think you are at position -1 on screen");
    EXPECT_EQ(lines[19], "Scrolling up");
}

TEST_F(ShopScreenTest, UpOnTheFirstAndDownOnTheLastDoNothingAndPrintNothing) {
    openWith(numberedGoods(2));
    EXPECT_EQ(shopWith({{UP}, {DOWN}, {DOWN}, {ESCAPE}}), "I think you're at pos 1\n");
    EXPECT_EQ(game->menuCursor, 1);
    EXPECT_EQ(game->menuoff, 0);
}

TEST_F(ShopScreenTest, BuyingWithExactlyEnoughGoldLeavesNoneAndSellsOut) {
    openWith({{"Sword", 250, 3, 5, 0}});
    game->player.gold = 250;
    bool messageShown = false;
    onEveryFlip([&](int flip, SDL_Surface*) {
        if (flip == 1)
            messageShown = at(600, 395) == rgb(0, 0, 200);
    });
    // Frame, "Purchased!", the sold-out frame, Return on it, Escape.
    std::string out = shopWith({{RETURN}, {SDLK_SPACE}, {RETURN}, {ESCAPE}});
    EXPECT_TRUE(messageShown);
    EXPECT_EQ(out, "Bought blade, mod of 5\n");
    EXPECT_EQ(game->player.gold, 0);
    EXPECT_EQ(game->shop.items[0]->stock, 0);
    EXPECT_EQ(game->player.weaponMod, 5);
    ASSERT_EQ(game->player.inventory.size(), 1u);
    EXPECT_EQ(game->player.inventory[0], game->shop.items[0]);
    // Return on the sold-out good showed no message: one frame for it.
    EXPECT_EQ(flipsSeen(), 4);
    EXPECT_EQ(at(20, rowIconY(0)), colourOf("data/gfx/soldout.png"));
    EXPECT_FALSE(moneyLineShown());
    EXPECT_TRUE(whiteIn(58, 10, 300, 40)) << "the sold-out good is still listed";
}

TEST_F(ShopScreenTest, TooLittleGoldShowsTheErrorAndChangesNothing) {
    openWith({{"Sword", 250, 3, 5, 0}});
    game->player.gold = 249;
    bool errorShown = false;
    onEveryFlip([&](int flip, SDL_Surface*) {
        if (flip == 1)
            errorShown = at(600, 395) == rgb(255, 0, 0);
    });
    EXPECT_EQ(shopWith({{RETURN}, {SDLK_a}, {ESCAPE}}), "");
    EXPECT_TRUE(errorShown);
    EXPECT_EQ(game->player.gold, 249);
    EXPECT_EQ(game->shop.items[0]->stock, 1);
    EXPECT_EQ(game->player.weaponMod, 1);
    EXPECT_TRUE(game->player.inventory.empty());
    EXPECT_TRUE(moneyLineShown());
}

TEST_F(ShopScreenTest, EscapeDuringPurchasedOnlyClosesTheMessage) {
    openWith(numberedGoods(2));
    // The message takes the first Escape; the shop then still moves and leaves.
    shopWith({{RETURN}, {ESCAPE}, {DOWN}, {ESCAPE}});
    EXPECT_EQ(game->menuCursor, 1);
    EXPECT_EQ(flipsSeen(), 4);
    EXPECT_EQ(game->shop.items[0]->stock, 0);
}

TEST_F(ShopScreenTest, TheKeysOfOneFrameAllCountBeforeEscapeLeaves) {
    openWith(numberedGoods(3));
    EXPECT_EQ(shopWith({{ESCAPE, DOWN, DOWN}}),
              "I think you're at pos 1\nI think you're at pos 2\n");
    EXPECT_EQ(game->menuCursor, 2);
    EXPECT_EQ(flipsSeen(), 1);
}

TEST_F(ShopScreenTest, WhatAGoodWithSeveralFlagsAdds) {
    openWith({{"Mixed", 100, 0, 0, 0}});
    struct Case {
        const char* what;
        int heal, weaponMod, scroll, spell, key, armour, mana;
        // Expected changes.
        int potions, weapon, spellLearnt, keys, armourSet, manaPotions, entries;
        const char* printed;
    };
    const Case cases[] = {
        {"potion and blade", 1, 7, 0, -1, 0, 0, 0, 1, 1, -1, 0, 1, 0, 0, ""},
        {"key and armour", 0, 0, 0, -1, 1, 6, 0, 0, 1, -1, 1, 6, 0, 1, "Bought armor, AC of 6\n"},
        {"blade and armour", 0, 4, 0, -1, 0, 6, 0, 0, 4, -1, 0, 6, 0, 2,
         "Bought blade, mod of 4\nBought armor, AC of 6\n"},
        {"blade and scroll", 0, 4, 1, 2, 0, 0, 0, 0, 4, -1, 0, 1, 0, 1, "Bought blade, mod of 4\n"},
        {"scroll and mana", 0, 0, 1, 2, 0, 0, 1, 0, 1, 2, 0, 1, 1, 0, ""},
        {"potion, key and mana", 1, 0, 0, -1, 1, 0, 1, 1, 1, -1, 1, 1, 1, 0, ""},
    };
    Item* item = game->shop.items[0];
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        item->isHealingPotion = c.heal;
        item->weaponMod = c.weaponMod;
        item->isSpellScroll = c.scroll;
        for (int k = 0; k < SCROLL_SPELLS; k++)
            item->teachesSpell[k] = k == c.spell;
        item->isKey = c.key;
        item->armourClass = c.armour;
        item->isManaPotion = c.mana;
        item->stock = 1;
        Player& p = game->player;
        p.gold = 1000;
        p.healPotions = p.keys = p.manaPotions = 0;
        p.weaponMod = p.armour = 1;
        for (int k = 0; k < SPELL_COUNT; k++)
            p.spellKnown[k] = 0;
        p.inventory.clear();

        EXPECT_EQ(shopWith({{RETURN}, {SDLK_SPACE}, {ESCAPE}}), c.printed);
        EXPECT_EQ(p.gold, 900);
        EXPECT_EQ(p.healPotions, c.potions);
        EXPECT_EQ(p.weaponMod, c.weapon);
        for (int k = 0; k < SPELL_COUNT; k++)
            EXPECT_EQ(p.spellKnown[k], k == c.spellLearnt ? 1 : 0) << "spell " << k;
        EXPECT_EQ(p.keys, c.keys);
        EXPECT_EQ(p.armour, c.armourSet);
        EXPECT_EQ(p.manaPotions, c.manaPotions);
        EXPECT_EQ(p.inventory.size(), (size_t)c.entries);
        for (Item* entry : p.inventory)
            EXPECT_EQ(entry, item);
    }
}

TEST_F(ShopScreenTest, AScrollTeachesOnlyTheFirstSpellItNames) {
    openWith({{"Scroll", 100, 0, 0, 0}});
    Item* item = game->shop.items[0];
    item->weaponMod = 0;
    item->isSpellScroll = 1;
    item->teachesSpell[4] = 1;
    item->teachesSpell[6] = 1;
    for (int k = 0; k < SPELL_COUNT; k++)
        game->player.spellKnown[k] = 0;
    shopWith({{RETURN}, {SDLK_SPACE}, {ESCAPE}});
    for (int k = 0; k < SPELL_COUNT; k++)
        EXPECT_EQ(game->player.spellKnown[k], k == 4 ? 1 : 0) << "spell " << k;
}

TEST_F(ShopScreenTest, ANegativePriceCannotWrapTheFullPurse) {
    openWith({{"Gift", -100, 0, 3, 0}});
    game->player.gold = INT_MAX - 10;
    shopWith({{RETURN}, {SDLK_SPACE}, {ESCAPE}});
    EXPECT_EQ(game->player.gold, INT_MAX);
}

TEST_F(ShopScreenTest, AnIconOutsideTheTableDrawsNoIconButTheLabel) {
    openWith({{"Lost", 10, -1, 2, 0}, {"Far", 10, 14, 2, 0}, {"Farther", 10, 1000, 2, 0}});
    std::vector<std::vector<SDLKey>> keys = {{ESCAPE}};
    onEveryFlip([this](int, SDL_Surface*) {
        EXPECT_EQ(at(20, rowIconY(0)), rgb(100, 0, 0)) << "the highlight, no icon";
        for (int row = 1; row < 3; row++) {
            EXPECT_EQ(at(20, rowIconY(row)), rgb(0, 0, 125)) << "row " << row;
            EXPECT_TRUE(whiteIn(58, 10 + 49 * row, 300, 40 + 49 * row)) << "row " << row;
        }
    });
    shopWith(keys);
    EXPECT_EQ(flipsSeen(), 1);
}

} // namespace
