// The character menu: portrait and statistics, the inventory newest first with
// its bar and scrolling, equipping, and the ways out.
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
    // A shop of `file` whose goods are all in the inventory, oldest first.
    void startOwning(const std::string& file) {
        tree.write("data/shopdata.qor", file);
        start();
        game->player.inventory = game->shop.items;
    }
    // `count` blades, good i with icon i and modifier i + 2.
    void startWithBlades(int count) {
        std::string file;
        for (int i = 0; i < count; i++)
            file += goodRecord("Blade " + std::to_string(i), 10, i, i + 2, 0);
        startOwning(file);
    }
    // Opens the menu the way roaming does.
    std::string menuWith(const std::vector<std::vector<SDLKey>>& batches) {
        game->menuCursor = -1;
        game->menuoff = -1;
        return play(batches, [this] { game->characterMenu(); });
    }
    Uint32 rowIcon(int row) { return at(280, rowTop(row) + 20); }
    bool barOn(int row) { return at(560, rowTop(row) + 30) == rgb(100, 0, 0); }
    bool arrowUpShown() { return at(610, 20) == colourOf("data/gfx/scrollup.png"); }
    bool arrowDownShown() { return at(610, 450) == colourOf("data/gfx/scrolldown.png"); }
    bool equippedShown(int row) { return whiteIn(318, rowTop(row) + 24, 420, rowTop(row) + 40); }
};

TEST_F(CharacterMenuTest, AnEmptyInventoryShowsTheHeroSaysSoAndTheKeysChangeNothing) {
    start();
    pushKeyDown(UP);
    pushKeyDown(DOWN);
    pushKeyDown(RETURN);
    EXPECT_EQ(menuWith({{ESCAPE}}), "Screenpos:0\nScreenpos:0\n");
    EXPECT_EQ(at(60, 60), colourOf("data/gfx/portrait.png"));
    for (int line = 0; line < 6; line++)
        EXPECT_TRUE(whiteIn(140, 10 + 30 * line, 265, 30 + 30 * line)) << "statistic " << line;
    EXPECT_TRUE(whiteIn(140, 450, 500, 475)) << "help line";
    EXPECT_TRUE(whiteIn(270, 10, 500, 35)) << "Nothing in inventory";
    EXPECT_EQ(game->menuCursor, -1);
    EXPECT_EQ(game->menuoff, 0);
    EXPECT_EQ(game->player.weaponMod, 1);
}

TEST_F(CharacterMenuTest, ThreeItemsShowNewestFirstAndTheBarStopsAtBothEnds) {
    startWithBlades(3);
    std::vector<int> barRows;
    onEveryFlip([&](int, SDL_Surface*) {
        int shown = -1;
        for (int row = 0; row < 3; row++) {
            EXPECT_EQ(rowIcon(row), itemIcon(2 - row)) << "row " << row;
            if (barOn(row))
                shown = row;
        }
        barRows.push_back(shown);
    });
    EXPECT_EQ(menuWith({{DOWN}, {DOWN}, {DOWN}, {UP}, {UP}, {UP}, {ESCAPE}}),
              "Screenpos:1\nScreenpos:2\nScreenpos:2\nScreenpos:1\nScreenpos:0\nScreenpos:0\n");
    // Each key shows first in the frame after the one that took it.
    EXPECT_EQ(barRows, (std::vector<int>{0, 0, 1, 2, 2, 1, 0, 0}));
    EXPECT_FALSE(arrowUpShown() || arrowDownShown());
}

TEST_F(CharacterMenuTest, TwelveItemsScrollWhenTheBarPassesTheNinthRow) {
    startWithBlades(12);
    std::vector<std::vector<SDLKey>> keys(11, {DOWN});
    keys.insert(keys.end(), 11, {UP});
    int frame = 0;
    onEveryFlip([&](int, SDL_Surface*) {
        // Frame f shows the list after f - 1 keys (the first two after none);
        // Downs 9 to 11 scroll down, Ups 9 to 11 back.
        int key = frame < 2 ? 0 : frame - 1;
        int scroll = key <= 8 ? 0 : key <= 11 ? key - 8 : key <= 19 ? 3 : 22 - key;
        EXPECT_EQ(arrowUpShown(), scroll > 0) << "frame " << frame;
        EXPECT_EQ(arrowDownShown(), scroll < 3) << "frame " << frame;
        EXPECT_EQ(rowIcon(0), itemIcon(11 - scroll)) << "frame " << frame;
        frame++;
    });
    std::vector<std::string> lines = linesOf(menuWith(keys));
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[8], "Screenpos:9");
    EXPECT_EQ(lines[11], "Screenpos:7");
    EXPECT_EQ(lines[19], "Screenpos:-1");
    EXPECT_EQ(frame, 24);
    EXPECT_EQ(game->menuoff, 0);
}

TEST_F(CharacterMenuTest, EquippingGoesByValueAndMarksEveryMatchingItem) {
    startOwning(goodRecord("Old Five", 10, 0, 5, 0) + goodRecord("Three", 10, 1, 3, 0) +
                goodRecord("Twin Five", 10, 2, 5, 0) + goodRecord("Mail", 10, 3, 0, 4));
    // Rows: Mail, Twin Five, Three, Old Five.
    menuWith({{DOWN}, {RETURN}, {ESCAPE}});
    EXPECT_EQ(game->player.weaponMod, 5);
    EXPECT_EQ(game->player.armour, 1);
    for (int row = 0; row < 4; row++)
        EXPECT_EQ(equippedShown(row), row == 1 || row == 3) << "row " << row;

    menuWith({{RETURN}, {ESCAPE}});
    EXPECT_EQ(game->player.armour, 4);
    EXPECT_TRUE(equippedShown(0));
}

TEST_F(CharacterMenuTest, ABladeThatIsAlsoArmourIsListedTwiceAndEquipsBoth) {
    tree.write("data/shopdata.qor", goodRecord("Spiked Shield", 10, 6, 4, 7));
    start();
    play({{RETURN}, {SDLK_SPACE}, {ESCAPE}}, [this] { game->shopKeeping(); });
    game->player.weaponMod = game->player.armour = 1;
    menuWith({{RETURN}, {ESCAPE}});
    EXPECT_EQ(game->player.weaponMod, 4);
    EXPECT_EQ(game->player.armour, 7);
    for (int row = 0; row < 2; row++) {
        EXPECT_EQ(rowIcon(row), itemIcon(6)) << "row " << row;
        EXPECT_TRUE(equippedShown(row)) << "row " << row;
    }
    EXPECT_EQ(rowIcon(2), rgb(0, 0, 150));
}

TEST_F(CharacterMenuTest, RowsSkipEmptyEntriesNonEquipmentAndIconsOutsideTheTable) {
    startOwning(goodRecord("Old", 10, 0, 2, 0) + goodRecord("Potion", 10, 1, 0, 0) +
                goodRecord("Beyond", 10, 14, 3, 0));
    std::vector<Item*>& items = game->shop.items;
    game->player.inventory = {items[0], nullptr, items[1], items[2]};
    menuWith({{ESCAPE}});
    EXPECT_EQ(rowIcon(0), rgb(100, 0, 0)) << "the bar where the icon would be";
    EXPECT_TRUE(whiteIn(318, rowTop(0), 500, rowTop(0) + 20)) << "its name";
    EXPECT_EQ(rowIcon(1), itemIcon(0));
    EXPECT_EQ(rowIcon(2), rgb(0, 0, 150));
}

TEST_F(CharacterMenuTest, SpaceReturnsAtOnceAndEscapeEndsTheGameAfterAFrame) {
    startWithBlades(3);
    pushKeyDown(SDLK_SPACE);
    pushKeyDown(DOWN); // left for roaming
    EXPECT_EQ(menuWith({}), "");
    EXPECT_EQ(flipsSeen(), 0);
    EXPECT_EQ(pendingEvents(), 1);
    EXPECT_EQ(game->quit, 0);
    drainEvents();
    pushKeyDown(ESCAPE);
    pushKeyDown(DOWN); // behind Escape in the same frame: still handled
    EXPECT_EQ(menuWith({}), "Screenpos:1\n");
    EXPECT_EQ(flipsSeen(), 1);
    EXPECT_EQ(game->quit, 1);
}

TEST_F(CharacterMenuTest, ThePlaceOfTheListIsKeptWhenRoamingDoesNotResetIt) {
    startWithBlades(3);
    game->menuCursor = game->menuoff = 0;
    play({{ESCAPE}}, [this] { game->characterMenu(); });
    EXPECT_TRUE(barOn(2));
}

} // namespace
