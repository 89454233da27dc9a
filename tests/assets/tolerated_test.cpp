// A complete load fills its tables from the right files; some pictures the
// game can do without.
#include <chrono>

#include "assets/loading.h"

namespace {

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
            Rgb want = DataTree::colourOf(file);
            Uint8 red, green, blue; // compared at the precision of a 16-bit screen
            SDL_GetRGB(pixelAt(game->sprites[r][h], 24, 24), game->sprites[r][h]->format, &red,
                       &green, &blue);
            EXPECT_TRUE(red >> 3 == want.r >> 3 && green >> 2 == want.g >> 2 &&
                        blue >> 3 == want.b >> 3)
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
    tree.remove(files[GetParam()]);
    startRecording();
    for (int i = 0; i <= ICON_COUNT; i++)
        EXPECT_EQ((i < ICON_COUNT ? game->icons[i] : game->portrait) == nullptr, i == GetParam())
            << files[i];
    EXPECT_EQ(out.find("rror"), std::string::npos) << out;
    EXPECT_EQ(err, "");
}

INSTANTIATE_TEST_SUITE_P(Each, ToleratedPicture, ::testing::Range(0, ICON_COUNT + 1));

TEST_F(AssetLoading, MissingItemIconIsReportedPausesAndTheGameGoesOn) {
    tree.remove("data/gfx/items/5.png");
    auto before = std::chrono::steady_clock::now();
    startRecording();
    auto took = std::chrono::steady_clock::now() - before;
    EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 200);
    std::string expected = "Loaded shop icons\n";
    for (int i = 0; i < 14; i++)
        expected +=
            i == 5 ? "Item load error, 5\n" : "Item " + std::to_string(i) + " is existant\n";
    EXPECT_NE(out.find(expected + "Surfaces loaded...\n"), std::string::npos) << out;
    EXPECT_EQ(err, "");
    EXPECT_EQ(game->itemIcons[5], nullptr);
    EXPECT_NE(game->itemIcons[6], nullptr);
    EXPECT_NE(game->fx[FX_RAPTURE], nullptr) << "loading went on past the item icons";
}

} // namespace
