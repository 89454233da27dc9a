// A complete load: its progress lines, the tables it fills and how each
// picture is prepared; and the pictures the game can do without.
#include <chrono>
#include <ostream>

#include "assets/loading.h"

namespace {

// The colour of a surface's pixel, whatever the surface's format.
Rgb colourAt(SDL_Surface* s, int x, int y) {
    Uint8 r, g, b;
    SDL_GetRGB(pixelAt(s, x, y), s->format, &r, &g, &b);
    return Rgb{r, g, b};
}

// Colours compared at the precision of a 16-bit screen.
bool sameColour(Rgb a, Rgb b) {
    return (a.r >> 3) == (b.r >> 3) && (a.g >> 2) == (b.g >> 2) && (a.b >> 3) == (b.b >> 3);
}

Uint8 alphaAt(SDL_Surface* s, int x, int y) {
    Uint8 r, g, b, a;
    SDL_GetRGBA(pixelAt(s, x, y), s->format, &r, &g, &b, &a);
    return a;
}

std::vector<std::string> everyItemPresent() {
    std::vector<std::string> lines;
    for (int i = 0; i < 14; i++)
        lines.push_back("Item " + std::to_string(i) + " is existant");
    return lines;
}

TEST_F(AssetLoading, ItemIconsAreAnnouncedInOrderBetweenTheirLines) {
    startRecording();
    EXPECT_EQ(linesBetween("Loaded shop icons", "Surfaces loaded..."), everyItemPresent());
    EXPECT_EQ(linesBetween("Loading shop items icons", "Loaded shop icons"),
              std::vector<std::string>());
    EXPECT_EQ(err, "");
}

TEST_F(AssetLoading, NpcsAndFontFollowTheImagesInTheirPlaces) {
    startRecording();
    std::vector<std::string> lines = linesOf(out);
    const std::vector<std::string> milestones = {"Loading shop items icons",
                                                 "Loaded shop icons",
                                                 "Surfaces loaded...",
                                                 "Loading NPCs!",
                                                 "Opening file",
                                                 "NPC load complete",
                                                 "HUDController()",
                                                 "Initializing font setup",
                                                 "Font init, loading fonts...",
                                                 "Fonts loaded. OK"};
    size_t at = 0;
    for (const std::string& milestone : milestones) {
        while (at < lines.size() && lines[at] != milestone)
            at++;
        EXPECT_LT(at, lines.size()) << "\"" << milestone << "\" missing or out of order";
    }
    EXPECT_NE(game->font, nullptr);
}

TEST_F(AssetLoading, EveryTableIsFilled) {
    startRecording();
    for (int r = 0; r < CHARACTER_COUNT; r++)
        for (int h = 0; h < HEADING_COUNT; h++)
            EXPECT_NE(game->sprites[r][h], nullptr) << r << "," << h;
    for (SDL_Surface* tile : game->tiles)
        EXPECT_NE(tile, nullptr);
    for (SDL_Surface* icon : game->icons)
        EXPECT_NE(icon, nullptr);
    for (SDL_Surface* background : game->fightBackgrounds)
        EXPECT_NE(background, nullptr);
    for (SDL_Surface* effect : game->fx)
        EXPECT_NE(effect, nullptr);
    ASSERT_EQ(game->itemIcons.size(), 14u);
    for (SDL_Surface* item : game->itemIcons)
        EXPECT_NE(item, nullptr);
    EXPECT_NE(game->clouds, nullptr);
    EXPECT_NE(game->portrait, nullptr);
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
            EXPECT_TRUE(sameColour(colourAt(game->sprites[r][h], 24, 24), DataTree::colourOf(file)))
                << "row " << r << ", heading " << h << " should come from " << file;
        }
    }
}

TEST_F(AssetLoading, OneFileRowsHoldASurfacePerHeading) {
    startRecording();
    for (int r : {2, 4, 9}) {
        for (int h = 1; h < HEADING_COUNT; h++)
            for (int other = 0; other < h; other++)
                EXPECT_NE(game->sprites[r][h], game->sprites[r][other]) << r << "," << h;
    }
}

TEST_F(AssetLoading, PicturesArePreparedForTheirUse) {
    startRecording();
    SDL_PixelFormat* screen = game->screen->format;
    // Characters, icons, items and effects keep their alpha channel.
    for (SDL_Surface* s : {game->sprites[0][0], game->sprites[9][3], game->icons[ICON_HEART],
                           game->itemIcons[13], game->fx[FX_RAPTURE]}) {
        EXPECT_NE(s->format->Amask, 0u);
        EXPECT_EQ(s->format->BitsPerPixel, 32);
    }
    EXPECT_EQ(alphaAt(game->sprites[0][0], 0, 0), 0) << "the border stays transparent";
    EXPECT_EQ(alphaAt(game->sprites[0][0], 24, 24), 255);
    // Tiles and fight scenes are converted to the screen's own format.
    for (SDL_Surface* s :
         {game->tiles[0], game->tiles[7], game->fightBackgrounds[0], game->fightBackgrounds[1]}) {
        EXPECT_EQ(s->format->BitsPerPixel, screen->BitsPerPixel);
        EXPECT_EQ(s->format->Rmask, screen->Rmask);
    }
    // The backdrop and the portrait stay as they were loaded.
    EXPECT_EQ(game->clouds->format->BitsPerPixel, 32);
    EXPECT_EQ(game->portrait->format->BitsPerPixel, 32);
    EXPECT_FALSE(game->sprites[0][0]->flags & SDL_SRCCOLORKEY) << "no colour keys";
}

TEST_F(AssetLoading, MousePointerIsHidden) {
    startRecording();
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
}

class ToleratedIcon : public AssetLoading, public ::testing::WithParamInterface<int> {};

TEST_P(ToleratedIcon, MissingLeavesItsEntryEmptySilently) {
    const char* files[ICON_COUNT] = {
        "data/icn/fight.png",      "data/icn/defend.png", "data/icn/magick.png",
        "data/icn/heart.png",      "data/icn/manap.png",  "data/gfx/scrollup.png",
        "data/gfx/scrolldown.png", "data/gfx/shop.png",   "data/gfx/soldout.png"};
    startRecording();
    std::string completeOut = out;
    game.reset();
    tree.remove(files[GetParam()]);
    startRecording();
    for (int i = 0; i < ICON_COUNT; i++) {
        if (i == GetParam())
            EXPECT_EQ(game->icons[i], nullptr);
        else
            EXPECT_NE(game->icons[i], nullptr) << i;
    }
    EXPECT_EQ(out, completeOut);
    EXPECT_EQ(err, "");
}

INSTANTIATE_TEST_SUITE_P(EachIcon, ToleratedIcon, ::testing::Range(0, ICON_COUNT));

TEST_F(AssetLoading, MissingPortraitLeavesItEmptySilently) {
    startRecording();
    std::string completeOut = out;
    game.reset();
    tree.remove("data/gfx/portrait.png");
    startRecording();
    EXPECT_EQ(game->portrait, nullptr);
    EXPECT_EQ(out, completeOut);
    EXPECT_EQ(err, "");
}

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
