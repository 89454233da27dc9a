// The shop screen: the list and its scrolling, buying, stock and the messages.
#include <climits>
#include <string>
#include <vector>

#include "screentest.h"

namespace {

const SDLKey UP = SDLK_UP, DOWN = SDLK_DOWN, RETURN = SDLK_RETURN, ESCAPE = SDLK_ESCAPE;

int rowIconY(int row) {
    return 30 + 49 * row;
}

class ShopScreenTest : public ScreenTest {
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
    std::string shopWith(const std::vector<std::vector<SDLKey>>& batches) {
        return play(batches, [this] { game->shopKeeping(); });
    }
    bool arrowUpShown() { return at(350, 20) == colourOf("data/gfx/scrollup.png"); }
    bool arrowDownShown() { return at(350, 430) == colourOf("data/gfx/scrolldown.png"); }
    bool moneyLineShown() { return whiteIn(10, 448, 300, 480); }
};

TEST_F(ShopScreenTest, AnEmptyShopSaysSoAndReturnsEveryTimeWithoutShowingAFrame) {
    start();
    for (int visit = 0; visit < 2; visit++) {
        EXPECT_EQ(play({}, [this] { game->shopKeeping(); }), "Shop is empty!?!\n");
        EXPECT_EQ(flipsSeen(), 0);
    }
}

TEST_F(ShopScreenTest, TheFirstFrameListsTheGoodsFromTheTopWithTheFirstHighlighted) {
    openWith(3);
    game->menuCursor = 2; // left over from the character menu
    game->menuoff = 1;
    onEveryFlip([this](int flip, SDL_Surface*) {
        if (flip != 0)
            return;
        EXPECT_EQ(at(400, 100), colourOf("data/gfx/shop.png"));
        for (int row = 0; row < 3; row++)
            EXPECT_EQ(at(20, rowIconY(row)), itemIcon(row)) << "row " << row;
        EXPECT_EQ(at(305, 55), rgb(100, 0, 0));
        EXPECT_EQ(at(305, 100), rgb(0, 0, 125));
        EXPECT_TRUE(whiteIn(58, 10, 300, 40));
        EXPECT_TRUE(moneyLineShown());
        EXPECT_FALSE(arrowUpShown() || arrowDownShown());
    });
    EXPECT_EQ(shopWith({{ESCAPE}}), "");
    EXPECT_EQ(game->menuCursor, 0);
    EXPECT_EQ(game->menuoff, 0);
    EXPECT_EQ(flipsSeen(), 1);
}

TEST_F(ShopScreenTest, TenGoodsScrollByOneRowWhenTheTenthIsReachedAndBack) {
    openWith(10);
    std::vector<std::vector<SDLKey>> keys(9, {DOWN});
    keys.insert(keys.end(), 9, {UP});
    int frame = 0;
    onEveryFlip([&](int, SDL_Surface*) {
        bool scrolled = frame >= 9 && frame <= 17; // frame f shows the list after f keys
        EXPECT_EQ(arrowUpShown(), scrolled) << "frame " << frame;
        EXPECT_EQ(arrowDownShown(), !scrolled) << "frame " << frame;
        EXPECT_EQ(at(20, rowIconY(0)), itemIcon(scrolled ? 1 : 0)) << "frame " << frame;
        frame++;
    });
    std::vector<std::string> lines = linesOf(shopWith(keys));
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[8], "I think you're at pos 9");
    EXPECT_EQ(lines[9], "Scrolling down?");
    EXPECT_EQ(lines[10], "I think you are at position 7 on screen");
    EXPECT_EQ(lines[18], "I think you are at position -1 on screen");
    EXPECT_EQ(lines[19], "Scrolling up");
}

TEST_F(ShopScreenTest, BuyingWithExactlyEnoughGoldLeavesNoneAndSellsOut) {
    openWith(goodRecord("Sword", 250, 3, 5, 0));
    game->player.gold = 250;
    bool messageShown = false;
    onEveryFlip([&](int flip, SDL_Surface*) {
        if (flip == 1)
            messageShown = at(600, 395) == rgb(0, 0, 200);
    });
    // Frame, "Purchased!", the sold-out frame, Return on it, Escape.
    EXPECT_EQ(shopWith({{RETURN}, {SDLK_SPACE}, {RETURN}, {ESCAPE}}), "Bought blade, mod of 5\n");
    EXPECT_TRUE(messageShown);
    EXPECT_EQ(game->player.gold, 0);
    EXPECT_EQ(game->shop.items[0]->stock, 0);
    EXPECT_EQ(game->player.weaponMod, 5);
    ASSERT_EQ(game->player.inventory.size(), 1u);
    EXPECT_EQ(game->player.inventory[0], game->shop.items[0]);
    EXPECT_EQ(flipsSeen(), 4); // no message for the sold-out good
    EXPECT_EQ(at(20, rowIconY(0)), colourOf("data/gfx/soldout.png"));
    EXPECT_FALSE(moneyLineShown());
    EXPECT_TRUE(whiteIn(58, 10, 300, 40));
}

TEST_F(ShopScreenTest, TooLittleGoldShowsTheErrorAndChangesNothing) {
    openWith(goodRecord("Sword", 250, 3, 5, 0));
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
    EXPECT_TRUE(game->player.inventory.empty());
}

TEST_F(ShopScreenTest, TheEndsOfTheListStopTheCursorAndKeysBehindEscapeStillCount) {
    openWith(3);
    EXPECT_EQ(shopWith({{UP}, {ESCAPE, DOWN, DOWN, DOWN}}),
              "I think you're at pos 1\nI think you're at pos 2\n");
    EXPECT_EQ(game->menuCursor, 2);
    EXPECT_EQ(flipsSeen(), 2);
}

TEST_F(ShopScreenTest, WhatAGoodWithSeveralFlagsAdds) {
    openWith(goodRecord("Mixed", 100, 0, 0, 0));
    struct Case {
        int heal, weaponMod, scroll, key, armour, mana;
        // The player afterwards; a scroll names spells 4 and 6.
        int potions, weapon, spellLearnt, keys, armourSet, manaPotions, entries;
        const char* printed;
    };
    const Case cases[] = {
        {0, 4, 0, 1, 6, 0, 0, 4, -1, 1, 6, 0, 2, "Bought blade, mod of 4\nBought armor, AC of 6\n"},
        {0, 4, 1, 0, 0, 0, 0, 4, -1, 0, 1, 0, 1, "Bought blade, mod of 4\n"},
        {0, 0, 1, 1, 0, 1, 0, 1, 4, 1, 1, 1, 0, ""},
        {1, 7, 1, 0, 0, 0, 1, 1, -1, 0, 1, 0, 0, ""},
    };
    Item* item = game->shop.items[0];
    Player& p = game->player;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.printed);
        item->isHealingPotion = c.heal;
        item->weaponMod = c.weaponMod;
        item->isSpellScroll = c.scroll;
        for (int k = 0; k < SCROLL_SPELLS; k++)
            item->teachesSpell[k] = k == 4 || k == 6;
        item->isKey = c.key;
        item->armourClass = c.armour;
        item->isManaPotion = c.mana;
        item->stock = 1;
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
    }
}

TEST_F(ShopScreenTest, ANegativePriceCannotWrapTheFullPurse) {
    openWith(goodRecord("Gift", -100, 0, 3, 0));
    game->player.gold = INT_MAX - 10;
    shopWith({{RETURN}, {SDLK_SPACE}, {ESCAPE}});
    EXPECT_EQ(game->player.gold, INT_MAX);
}

TEST_F(ShopScreenTest, AnIconOutsideTheTableDrawsNoIconButTheLabel) {
    openWith(goodRecord("Lost", 10, -1, 2, 0) + goodRecord("Far", 10, 14, 2, 0));
    shopWith({{ESCAPE}});
    EXPECT_EQ(at(20, rowIconY(0)), rgb(100, 0, 0)) << "the highlight, no icon";
    EXPECT_EQ(at(20, rowIconY(1)), rgb(0, 0, 125));
    EXPECT_TRUE(whiteIn(58, 59, 300, 89));
}

} // namespace
