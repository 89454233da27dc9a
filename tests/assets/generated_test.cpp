// The pictures our art generator draws: every one the game loads, at the
// sizes its screens need, the same on every run.
#include <cstdlib>

#include <SDL_image.h>

#include "assets/loading.h"

namespace {

int run(const std::string& command) {
    return system((command + " > /dev/null").c_str());
}

class GeneratedArt : public AssetLoading {
  protected:
    void generate() { // replaces the test tree's pictures
        ASSERT_EQ(run("rm -rf data/gfx data/icn data/decor"), 0);
        ASSERT_EQ(run(std::string(TESSARY_ARTGEN) + " data"), 0);
    }
    // A picture with its alpha, as 32-bit RGBA; freed by the caller.
    SDL_Surface* load(const std::string& file) {
        SDL_Surface* loaded = IMG_Load(file.c_str());
        if (!loaded)
            return nullptr;
        SDL_Surface* rgba = SDL_CreateRGBSurface(SDL_SWSURFACE, loaded->w, loaded->h, 32, 0xFF,
                                                 0xFF00, 0xFF0000, 0xFF000000);
        SDL_SetAlpha(loaded, 0, 255);
        SDL_BlitSurface(loaded, NULL, rgba, NULL);
        SDL_FreeSurface(loaded);
        return rgba;
    }
};

TEST_F(GeneratedArt, TheGameLoadsEveryPictureAtTheSizesItsScreensNeed) {
    generate();
    startRecording();
    EXPECT_EQ(err, "");
    EXPECT_EQ(out.find("Item load error"), std::string::npos);
    for (SDL_Surface* icon : game->icons)
        ASSERT_NE(icon, nullptr);
    for (SDL_Surface* tile : game->tiles)
        EXPECT_EQ(tile->w * 1000 + tile->h, CELL_SIZE * 1001);
    for (auto& row : game->sprites)
        for (SDL_Surface* sprite : row)
            EXPECT_EQ(sprite->w * 1000 + sprite->h, CELL_SIZE * 1001);
    for (SDL_Surface* full :
         {game->fightBackgrounds[0], game->fightBackgrounds[1], game->fx[FX_RAPTURE]})
        EXPECT_EQ(full->w * 1000 + full->h, 640480);
    // Icons stand in rows and columns 49 apart.
    std::vector<SDL_Surface*> inRows = game->itemIcons;
    for (int i : {ICON_FIGHT, ICON_DEFEND, ICON_MAGIC, ICON_MANA_POTION, ICON_SOLD_OUT})
        inRows.push_back(game->icons[i]);
    for (SDL_Surface* icon : inRows)
        EXPECT_TRUE(icon->w <= 48 && icon->h <= 49);
    // Left of the HP bar at x 20; the shop picture from (360, 25) clear of the
    // money line at y 448 and of the arrows at x 340; the portrait at (10, 10)
    // left of the statistics at x 140.
    EXPECT_LE(game->icons[ICON_HEART]->w, 20);
    EXPECT_LE(360 + game->icons[ICON_SHOP]->w, SCREEN_W);
    EXPECT_LE(25 + game->icons[ICON_SHOP]->h, 448);
    EXPECT_LE(340 + game->icons[ICON_SCROLL_UP]->w, 360);
    EXPECT_LE(440 + game->icons[ICON_SCROLL_DOWN]->h, SCREEN_H);
    ASSERT_NE(game->portrait, nullptr);
    EXPECT_LE(10 + game->portrait->w, 140);
}

TEST_F(GeneratedArt, SameSourceDrawsTheSameFilesAndAContactSheet) {
    ASSERT_EQ(run(std::string(TESSARY_ARTGEN) + " first"), 0);
    ASSERT_EQ(run(std::string(TESSARY_ARTGEN) + " second --contact-sheet sheet.png"), 0);
    EXPECT_EQ(run("diff -r first second"), 0);
    SDL_Surface* sheet = load("sheet.png");
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->w >= 640 && sheet->h >= 480);
    SDL_FreeSurface(sheet);
    tree.write("blocked", "a file where a folder should be");
    EXPECT_NE(run(std::string(TESSARY_ARTGEN) + " blocked 2>/dev/null"), 0);
}

} // namespace
