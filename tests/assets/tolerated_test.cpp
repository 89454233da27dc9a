// A complete load: its progress lines, the tables it fills and how each
// picture is prepared; and the pictures the game can do without.
#include <chrono>
#include <ostream>

#include "assets/loading.h"

namespace {

// Colours compared at the precision of a 16-bit screen.
bool sameColour(SDL_Surface* s, int x, int y, Rgb b) {
    Uint8 r, g, bl;
    SDL_GetRGB(pixelAt(s, x, y), s->format, &r, &g, &bl);
    return (r >> 3) == (b.r >> 3) && (g >> 2) == (b.g >> 2) && (bl >> 3) == (b.b >> 3);
}

std::vector<std::string> everyItemPresent() {
    std::vector<std::string> lines;
    for (int i = 0; i < 14; i++)
        lines.push_back("Item " + std::to_string(i) + " is existant");
    return lines;
}

TEST_F(AssetLoading, ItemIconsNpcsAndFontAreAnnouncedInTheirPlaces) {
    startRecording();
    EXPECT_EQ(err, "");
    EXPECT_EQ(linesBetween("Loaded shop icons", "Surfaces loaded..."), everyItemPresent());
    EXPECT_EQ(linesBetween("Loading shop items icons", "Loaded shop icons"),
              std::vector<std::string>());
    std::vector<std::string> lines = linesOf(out);
    const std::vector<std::string> milestones = {
        "Surfaces loaded...",          "Loading NPCs!",   "Opening file",
        "NPC load complete",           "HUDController()", "Initializing font setup",
        "Font init, loading fonts...", "Fonts loaded. OK"};
    size_t at = 0;
    for (const std::string& milestone : milestones) {
        while (at < lines.size() && lines[at] != milestone)
            at++;
        EXPECT_LT(at, lines.size()) << "\"" << milestone << "\" missing or out of order";
    }
}

// Each row of the sprite table comes from its own folder.
// QUIRK: the folders do not follow the rows.
TEST_F(AssetLoading, SpriteRowsComeFromTheirFolders) {
    startRecording();
    const char* folders[CHARACTER_COUNT] = {"pc",   "npc0", "npc1", "npc2", "npc4",
                                            "npc5", "npc3", "npc6", "npc7", "npc8"};
    const bool oneFile[CHARACTER_COUNT] = {false, false, true,  false, true,
                                           false, false, false, false, true};
    for (int r = 0; r < CHARACTER_COUNT; r++) {
        for (int h = 0; h < HEADING_COUNT; h++) {
            std::string file = std::string("data/gfx/sprites/") + folders[r] + "/" +
                               std::to_string(oneFile[r] ? 0 : h) + ".png";
            ASSERT_NE(game->sprites[r][h], nullptr);
            EXPECT_TRUE(sameColour(game->sprites[r][h], 24, 24, DataTree::colourOf(file)))
                << "row " << r << ", heading " << h << " should come from " << file;
        }
    }
}

// The icons of the table, then the portrait.
class ToleratedPicture : public AssetLoading, public ::testing::WithParamInterface<int> {};

TEST_P(ToleratedPicture, MissingLeavesItsEntryEmptySilently) {
    const char* files[ICON_COUNT + 1] = {"data/icn/fight.png",      "data/icn/defend.png",
                                         "data/icn/magick.png",     "data/icn/heart.png",
                                         "data/icn/manap.png",      "data/gfx/scrollup.png",
                                         "data/gfx/scrolldown.png", "data/gfx/shop.png",
                                         "data/gfx/soldout.png",    "data/gfx/portrait.png"};
    startRecording();
    std::string completeOut = out;
    game.reset();
    tree.remove(files[GetParam()]);
    startRecording();
    for (int i = 0; i <= ICON_COUNT; i++) {
        SDL_Surface* entry = i < ICON_COUNT ? game->icons[i] : game->portrait;
        EXPECT_EQ(entry == nullptr, i == GetParam()) << files[i];
    }
    EXPECT_EQ(out, completeOut);
    EXPECT_EQ(err, "");
}

INSTANTIATE_TEST_SUITE_P(Each, ToleratedPicture, ::testing::Range(0, ICON_COUNT + 1));

TEST_F(AssetLoading, MissingItemIconIsReportedAndTheGameGoesOn) {
    tree.remove("data/gfx/items/5.png");
    startRecording();
    std::vector<std::string> expected = everyItemPresent();
    expected[5] = "Item load error, 5";
    EXPECT_EQ(linesBetween("Loaded shop icons", "Surfaces loaded..."), expected);
    EXPECT_EQ(err, "");
    ASSERT_EQ(game->itemIcons.size(), 14u);
    EXPECT_EQ(game->itemIcons[5], nullptr);
    EXPECT_NE(game->itemIcons[4], nullptr);
    EXPECT_NE(game->itemIcons[6], nullptr);
    EXPECT_NE(game->fx[FX_RAPTURE], nullptr) << "loading went on past the item icons";
    // Wherever icon 5 would be drawn, nothing is.
    game->fillRect(0, 0, SCREEN_W, SCREEN_H, 1, 2, 3);
    game->drawImage(game->itemIconFor(5), 15, 425);
    EXPECT_EQ(at(15 + 20, 425 + 20), rgb(1, 2, 3));
}

TEST_F(AssetLoading, EachMissingItemIconPausesTheLoad) {
    for (int i : {1, 7, 12})
        tree.remove("data/gfx/items/" + std::to_string(i) + ".png");
    auto before = std::chrono::steady_clock::now();
    startRecording();
    auto took = std::chrono::steady_clock::now() - before;
    EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 3 * 200);
}

} // namespace
