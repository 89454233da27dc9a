// The character menu: portrait and statistics, the inventory newest first with
// its bar and scrolling, equipping, and the ways out.
#include "support/harness.h"

namespace {

const Uint32 WHITE = 0xFFFF; // on the 16-bit screen

int rowTop(int row) {
    return 10 + 49 * row;
}

class CharMenuTest : public GameTest {
  protected:
    // `count` blades, good i with icon i and modifier i + 2, all owned, oldest first.
    void startOwning(int count, std::string file = "") {
        for (int i = 0; i < count; i++)
            file += goodRecord("Blade " + std::to_string(i), 10, i, i + 2, 0);
        tree.write("data/shopdata.qor", file);
        start();
        game->player.inventory = game->shop.items;
    }
    // Opens the menu the way roaming does, one key for each wait; returns its
    // output. Screen i shows the menu after i keys.
    std::string menuWith(const std::vector<SDLKey>& keys) {
        game->menuCursor = -1;
        game->menuoff = -1;
        scriptKeys(keys);
        startCapture();
        game->characterMenu();
        EXPECT_EQ(endScript(), 0u) << "the menu left before taking every key";
        return stopCapture();
    }
    Uint32 shot(size_t wait, int x, int y) { return pixelAt(shots().at(wait), x, y); }
    Uint32 icon(int i) { return colourOf("data/gfx/items/" + std::to_string(i) + ".png"); }
    Uint32 rowIcon(int row) { return at(280, rowTop(row) + 20); }
    bool equipped(int row) { return anyIn(318, rowTop(row) + 24, 420, rowTop(row) + 40, WHITE); }
};

TEST_F(CharMenuTest, AnEmptyInventoryShowsTheHeroSaysSoAndTheKeysChangeNothing) {
    startOwning(0);
    Player& p = game->player;
    p.hp = 7;
    p.maxHp = 8;
    p.mp = 9;
    p.maxMp = 10;
    p.armour = 4;
    p.exp = 5;
    p.gold = 6;
    for (SDLKey key : {UP, DOWN, RETURN})
        pushKeyDown(key);
    EXPECT_EQ(menuWith({ESCAPE}), "Screenpos:0\nScreenpos:0\n") << "arrows print the bar's row";
    EXPECT_EQ(at(60, 60), colourOf("data/gfx/portrait.png")) << "the portrait at the top left";
    const char* stats[] = {"HP: 7/8", "MP: 9/10", "Weapon: 1", "Armour: 4", "Exp: 5", "Gold: 6"};
    for (int i = 0; i < 6; i++)
        EXPECT_TRUE(showsText(game.get(), game->screen, stats[i], 140, 10 + 30 * i)) << stats[i];
    EXPECT_TRUE(showsText(game.get(), game->screen, "Nothing in inventory", 270, 10))
        << "an empty inventory says so";
    EXPECT_EQ(game->menuCursor, -1) << "the keys move no bar";
    EXPECT_EQ(game->player.weaponMod, 1) << "Return equips nothing";
}

TEST_F(CharMenuTest, ItemsShowNewestFirstAndTheBarStopsAtBothEnds) {
    startOwning(3);
    EXPECT_EQ(menuWith({DOWN, DOWN, DOWN, UP, UP, UP, ESCAPE}),
              "Screenpos:1\nScreenpos:2\nScreenpos:2\nScreenpos:1\nScreenpos:0\nScreenpos:0\n");
    const int bar[] = {0, 1, 2, 2, 1, 0, 0};
    for (int wait = 0; wait < 7; wait++)
        for (int row = 0; row < 3; row++) {
            EXPECT_EQ(shot(wait, 280, rowTop(row) + 20), icon(2 - row)) << "row " << row;
            bool onBar = row == bar[wait];
            bool barDrawn = shot(wait, 560, rowTop(row) + 30) == rgb(100, 0, 0);
            EXPECT_EQ(barDrawn, onBar)
                << "the bar marks the chosen row: wait " << wait << " row " << row;
        }
    EXPECT_NE(at(610, 20), colourOf("data/gfx/scrollup.png")) << "three items never scroll";
}

TEST_F(CharMenuTest, TwelveItemsScrollWhenTheBarPassesTheNinthRow) {
    startOwning(12);
    std::vector<SDLKey> keys(11, DOWN);
    keys.insert(keys.end(), 11, UP);
    keys.push_back(ESCAPE);
    std::vector<std::string> lines = linesOf(menuWith(keys));
    for (int key = 0; key <= 22; key++) { // Downs 9 to 11 scroll down, Ups 9 to 11 back
        int scroll = key <= 8 ? 0 : key <= 11 ? key - 8 : key <= 19 ? 3 : 22 - key;
        bool upShown = shot(key, 610, 20) == colourOf("data/gfx/scrollup.png");
        bool downShown = shot(key, 610, 450) == colourOf("data/gfx/scrolldown.png");
        EXPECT_EQ(upShown, scroll > 0) << "the up arrow once scrolled: key " << key;
        EXPECT_EQ(downShown, scroll < 3) << "the down arrow before the end: key " << key;
        EXPECT_EQ(shot(key, 280, rowTop(0) + 20), icon(11 - scroll))
            << "the first row follows the scroll: key " << key;
    }
    ASSERT_EQ(lines.size(), 22u) << "every arrow prints the bar's row";
    EXPECT_EQ(lines[8], "Screenpos:9") << "the ninth Down reaches the tenth row";
    EXPECT_EQ(lines[11], "Screenpos:7") << "the bar's row printed after scrolling";
}

TEST_F(CharMenuTest, EquippingGoesByValueAndMarksEveryMatchingItem) {
    startOwning(0, goodRecord("Old Five", 10, 0, 5, 0) + goodRecord("Three", 10, 1, 3, 0) +
                       goodRecord("Twin Five", 10, 2, 5, 0) + goodRecord("Mail", 10, 3, 0, 4));
    menuWith({DOWN, RETURN, ESCAPE}); // rows: Mail, Twin Five, Three, Old Five
    EXPECT_EQ(game->player.weaponMod, 5) << "Return equips the chosen blade";
    EXPECT_EQ(game->player.armour, 1) << "a blade leaves the armour";
    for (int row = 0; row < 4; row++) {
        bool aFive = row == 1 || row == 3;
        EXPECT_EQ(equipped(row), aFive) << "every blade of five is marked: row " << row;
    }
    menuWith({RETURN, ESCAPE});
    EXPECT_EQ(game->player.armour, 4) << "Return equips the chosen armour";
    EXPECT_TRUE(equipped(0)) << "the worn armour is marked";
}

TEST_F(CharMenuTest, RowsSkipEmptyEntriesNonEquipmentAndIconsOutsideTheTable) {
    startOwning(0, goodRecord("Old", 10, 0, 2, 0) + goodRecord("Potion", 10, 1, 0, 0) +
                       goodRecord("Beyond", 10, 14, 3, 0));
    std::vector<Item*>& items = game->shop.items;
    game->player.inventory = {items[0], nullptr, items[1], items[2]};
    menuWith({ESCAPE});
    EXPECT_EQ(rowIcon(0), rgb(100, 0, 0)) << "the bar where the icon would be";
    EXPECT_TRUE(anyIn(318, rowTop(0), 500, rowTop(0) + 20, WHITE)) << "its name";
    EXPECT_EQ(rowIcon(1), icon(0)) << "an empty entry and a potion take no row";
    EXPECT_EQ(rowIcon(2), rgb(0, 0, 150)) << "an icon outside the table draws none";
}

TEST_F(CharMenuTest, SpaceReturnsAtOnceAndEscapeEndsTheGameAfterItsKeys) {
    startOwning(3);
    pushKeyDown(SDLK_SPACE);
    pushKeyDown(DOWN); // left for roaming
    EXPECT_EQ(menuWith({}), "") << "Space leaves at once";
    EXPECT_EQ(pendingEvents(), 1) << "the keys behind Space are left for roaming";
    EXPECT_EQ(game->quit, 0) << "Space does not end the game";
    drainEvents();
    pushKeyDown(ESCAPE);
    pushKeyDown(DOWN); // behind Escape in the same frame: still handled
    EXPECT_EQ(menuWith({}), "Screenpos:1\n") << "the keys behind Escape are handled";
    EXPECT_EQ(game->quit, 1) << "Escape ends the game";
}

} // namespace
