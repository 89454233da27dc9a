// The character menu: portrait and statistics, the inventory newest first with
// its selection bar and scrolling, equipping, and the ways out.
#include <string>
#include <vector>

#include "../shop/screentest.h"

namespace {

const SDLKey UP = SDLK_UP, DOWN = SDLK_DOWN, RETURN = SDLK_RETURN, ESCAPE = SDLK_ESCAPE;

int rowTop(int row) {
    return 10 + 49 * row;
}

class CharacterMenuTest : public ScreenTest {
  protected:
    // Starts a game whose shop holds `count` blades, good i with icon i and
    // modifier i + 2, and puts them in the inventory in shop order (bought
    // oldest first).
    void startWithBlades(int count) {
        std::string file;
        for (int i = 0; i < count; i++)
            file += goodRecord("Blade " + std::to_string(i), 10, i, i + 2, 0);
        tree.write("data/shopdata.qor", file);
        start();
        for (Item* item : game->shop.items)
            game->player.inventory.push_back(item);
    }

    // Opens the menu the way roaming does, with one batch of keys per shown
    // frame; returns stdout.
    std::string menuWith(const std::vector<std::vector<SDLKey>>& batches) {
        game->menuCursor = -1;
        game->menuoff = -1;
        return play(batches, [this] { game->characterMenu(); });
    }

    Uint32 rowIcon(int row) { return at(280, rowTop(row) + 20); }
    bool barOn(int row) { return at(560, rowTop(row) + 30) == rgb(100, 0, 0); }
    bool arrowUpShown() { return at(610, 20) == colourOf("data/gfx/scrollup.png"); }
    bool arrowDownShown() { return at(610, 450) == colourOf("data/gfx/scrolldown.png"); }
    // "Equipped" sits under the name of its row.
    bool equippedShown(int row) { return whiteIn(318, rowTop(row) + 24, 420, rowTop(row) + 40); }
};

TEST_F(CharacterMenuTest, TheFrameShowsPortraitStatisticsAndTheHelpLine) {
    start();
    menuWith({{ESCAPE}});
    EXPECT_EQ(at(60, 60), colourOf("data/gfx/portrait.png"));
    for (int line = 0; line < 6; line++)
        EXPECT_TRUE(whiteIn(140, 10 + 30 * line, 265, 30 + 30 * line)) << "statistic " << line;
    EXPECT_TRUE(whiteIn(140, 450, 500, 475));
    EXPECT_EQ(at(5, 470), rgb(0, 0, 150));
}

TEST_F(CharacterMenuTest, AnEmptyInventorySaysSoAndTheKeysChangeNothing) {
    start();
    // All three keys in the first frame, then Escape.
    pushKeyDown(UP);
    pushKeyDown(DOWN);
    pushKeyDown(RETURN);
    EXPECT_EQ(menuWith({{ESCAPE}}), "Screenpos:0\nScreenpos:0\n");
    EXPECT_TRUE(whiteIn(270, 10, 500, 35)) << "Nothing in inventory";
    EXPECT_EQ(game->menuCursor, -1);
    EXPECT_EQ(game->menuoff, 0);
    EXPECT_EQ(game->player.weaponMod, 1);
    EXPECT_EQ(game->player.armour, 1);
}

TEST_F(CharacterMenuTest, ThreeItemsShowNewestFirstAndTheBarStopsAtBothEnds) {
    startWithBlades(3);
    std::vector<int> barRows;
    onEveryFlip([&](int, SDL_Surface*) {
        for (int row = 0; row < 3; row++)
            EXPECT_EQ(rowIcon(row), itemIcon(2 - row)) << "row " << row;
        int shown = -1;
        for (int row = 0; row < 3; row++)
            if (barOn(row))
                shown = row;
        barRows.push_back(shown);
    });
    std::string out = menuWith({{DOWN}, {DOWN}, {DOWN}, {UP}, {UP}, {UP}, {ESCAPE}});
    EXPECT_EQ(out, "Screenpos:1\nScreenpos:2\nScreenpos:2\n"
                   "Screenpos:1\nScreenpos:0\nScreenpos:0\n");
    // Each key shows first in the frame after the one that took it.
    std::vector<int> expected = {0, 0, 1, 2, 2, 1, 0, 0};
    EXPECT_EQ(barRows, expected);
    EXPECT_EQ(game->menuCursor, 2);
    EXPECT_FALSE(arrowUpShown());
    EXPECT_FALSE(arrowDownShown());
}

TEST_F(CharacterMenuTest, TwelveItemsScrollWhenTheBarPassesTheNinthRow) {
    startWithBlades(12);
    struct Seen {
        bool up, down;
        Uint32 top;
    };
    std::vector<Seen> frames;
    onEveryFlip([&](int, SDL_Surface*) {
        frames.push_back({arrowUpShown(), arrowDownShown(), rowIcon(0)});
    });
    std::vector<std::vector<SDLKey>> keys(11, {DOWN}); // to the oldest
    keys.insert(keys.end(), 11, {UP});                 // back to the newest
    keys.push_back({ESCAPE});
    std::vector<std::string> lines = linesOf(menuWith(keys));

    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[8], "Screenpos:9");
    EXPECT_EQ(lines[10], "Screenpos:9");
    EXPECT_EQ(lines[11], "Screenpos:7");
    EXPECT_EQ(lines[19], "Screenpos:-1");
    // The scroll after each key: Downs 9 to 11 scroll down, Ups 9 to 11 back.
    std::vector<int> offset = {0};
    for (int key = 1; key <= 22; key++)
        offset.push_back(key <= 8 ? 0 : key <= 11 ? key - 8 : key <= 19 ? 3 : 3 - (key - 19));
    // Frame f shows the list after f - 1 keys (the first two after none).
    ASSERT_EQ(frames.size(), 24u);
    for (int f = 0; f < 24; f++) {
        int scroll = offset[f == 0 ? 0 : f - 1];
        EXPECT_EQ(frames[f].up, scroll > 0) << "frame " << f;
        EXPECT_EQ(frames[f].down, scroll < 3) << "frame " << f;
        EXPECT_EQ(frames[f].top, itemIcon(11 - scroll)) << "frame " << f;
    }
    EXPECT_EQ(game->menuoff, 0);
    EXPECT_EQ(game->menuCursor, 11);
}

TEST_F(CharacterMenuTest, EquippingGoesByValueAndMarksEveryMatchingItem) {
    tree.write("data/shopdata.qor",
               goodRecord("Old Five", 10, 0, 5, 0) + goodRecord("Three", 10, 1, 3, 0) +
                   goodRecord("Twin Five", 10, 2, 5, 0) + goodRecord("Mail", 10, 3, 0, 4));
    start();
    for (Item* item : game->shop.items)
        game->player.inventory.push_back(item);
    // Rows: Mail, Twin Five, Three, Old Five.
    menuWith({{ESCAPE}});
    for (int row = 0; row < 4; row++)
        EXPECT_FALSE(equippedShown(row)) << "row " << row;

    menuWith({{DOWN}, {RETURN}, {ESCAPE}});
    EXPECT_EQ(game->player.weaponMod, 5);
    EXPECT_EQ(game->player.armour, 1);
    EXPECT_FALSE(equippedShown(0));
    EXPECT_TRUE(equippedShown(1));
    EXPECT_FALSE(equippedShown(2));
    EXPECT_TRUE(equippedShown(3));

    menuWith({{RETURN}, {ESCAPE}});
    EXPECT_EQ(game->player.weaponMod, 5);
    EXPECT_EQ(game->player.armour, 4);
    EXPECT_TRUE(equippedShown(0));
}

TEST_F(CharacterMenuTest, ABladeThatIsAlsoArmourIsListedTwiceAndEquipsBoth) {
    tree.write("data/shopdata.qor", goodRecord("Spiked Shield", 10, 6, 4, 7));
    start();
    play({{RETURN}, {SDLK_SPACE}, {ESCAPE}}, [this] { game->shopKeeping(); });
    ASSERT_EQ(game->player.inventory.size(), 2u);
    game->player.weaponMod = 1;
    game->player.armour = 1;

    menuWith({{RETURN}, {ESCAPE}});
    EXPECT_EQ(game->player.weaponMod, 4);
    EXPECT_EQ(game->player.armour, 7);
    for (int row = 0; row < 2; row++) {
        EXPECT_EQ(rowIcon(row), itemIcon(6)) << "row " << row;
        EXPECT_TRUE(equippedShown(row)) << "row " << row;
    }
    EXPECT_EQ(rowIcon(2), rgb(0, 0, 150));
}

TEST_F(CharacterMenuTest, RowsSkipEmptyEntriesAndGoodsThatAreNotEquipment) {
    tree.write("data/shopdata.qor", goodRecord("Old", 10, 0, 2, 0) +
                                        goodRecord("Potion", 10, 1, 0, 0) +
                                        goodRecord("New", 10, 2, 3, 0));
    start();
    std::vector<Item*>& items = game->shop.items;
    game->player.inventory = {items[0], nullptr, items[1], items[2]};
    menuWith({{ESCAPE}});
    EXPECT_EQ(rowIcon(0), itemIcon(2));
    EXPECT_EQ(rowIcon(1), itemIcon(0));
    EXPECT_EQ(rowIcon(2), rgb(0, 0, 150));
    EXPECT_TRUE(barOn(0));
}

TEST_F(CharacterMenuTest, AnIconOutsideTheTableDrawsNoIconButTheName) {
    tree.write("data/shopdata.qor",
               goodRecord("Nowhere", 10, -1, 2, 0) + goodRecord("Beyond", 10, 14, 3, 0));
    start();
    for (Item* item : game->shop.items)
        game->player.inventory.push_back(item);
    menuWith({{ESCAPE}});
    EXPECT_EQ(rowIcon(0), rgb(100, 0, 0)) << "the bar shows where the icon would be";
    EXPECT_EQ(rowIcon(1), rgb(0, 0, 150));
    for (int row = 0; row < 2; row++)
        EXPECT_TRUE(whiteIn(318, rowTop(row), 500, rowTop(row) + 20)) << "row " << row;
}

TEST_F(CharacterMenuTest, EscapeEndsTheGameAfterShowingTheFrameWithItsKeys) {
    startWithBlades(3);
    pushKeyDown(ESCAPE);
    pushKeyDown(DOWN); // behind Escape in the same frame: still handled
    EXPECT_EQ(menuWith({}), "Screenpos:1\n");
    EXPECT_EQ(game->quit, 1);
    EXPECT_EQ(flipsSeen(), 1);
    EXPECT_EQ(game->menuCursor, 1);
}

TEST_F(CharacterMenuTest, SpaceReturnsAtOnceWithoutShowingTheFrame) {
    startWithBlades(3);
    pushKeyDown(SDLK_SPACE);
    pushKeyDown(DOWN); // left for roaming
    EXPECT_EQ(menuWith({}), "");
    EXPECT_EQ(game->quit, 0);
    EXPECT_EQ(flipsSeen(), 0);
    EXPECT_EQ(game->menuCursor, 2);
    EXPECT_EQ(pendingEvents(), 1);
}

TEST_F(CharacterMenuTest, ThePlaceOfTheListIsKeptWhenRoamingDoesNotResetIt) {
    startWithBlades(3);
    game->menuCursor = 0;
    game->menuoff = 0;
    play({{ESCAPE}}, [this] { game->characterMenu(); });
    EXPECT_TRUE(barOn(2));
}

} // namespace
