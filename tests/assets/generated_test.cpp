// The pictures our art generator draws: every one the game loads, at the
// sizes its screens need, the same on every run, and loadable by the game.
#include <cstdlib>
#include <set>

#include <SDL_image.h>

#include "assets/loading.h"

namespace {

int run(const std::string& command) {
    return system((command + " > /dev/null").c_str());
}

class GeneratedArt : public AssetLoading {
  protected:
    // Replaces the test tree's pictures with the generator's.
    void generate() {
        ASSERT_EQ(run("rm -rf data/gfx data/icn data/decor"), 0);
        ASSERT_EQ(run(std::string(TESSARY_ARTGEN) + " data"), 0);
    }
    // A picture as the file holds it (alpha and all); freed by the caller.
    SDL_Surface* load(const std::string& file) {
        SDL_Surface* loaded = IMG_Load(file.c_str());
        EXPECT_NE(loaded, nullptr) << file;
        if (!loaded)
            return nullptr;
        SDL_Surface* rgba = SDL_CreateRGBSurface(SDL_SWSURFACE, loaded->w, loaded->h, 32, 0xFF,
                                                 0xFF00, 0xFF0000, 0xFF000000);
        SDL_SetAlpha(loaded, 0, 255);
        SDL_BlitSurface(loaded, NULL, rgba, NULL);
        SDL_FreeSurface(loaded);
        return rgba;
    }
    static Uint32 rgbaAt(SDL_Surface* s, int x, int y) { return pixelAt(s, x, y); }
    static int alpha(Uint32 pixel) { return pixel >> 24; }
};

TEST_F(GeneratedArt, TheGameLoadsEveryPictureAtTheSizesItsScreensNeed) {
    generate();
    startRecording();
    EXPECT_EQ(err, "");
    std::vector<std::string> items;
    for (int i = 0; i < 14; i++)
        items.push_back("Item " + std::to_string(i) + " is existant");
    EXPECT_EQ(linesBetween("Loaded shop icons", "Surfaces loaded..."), items);
    for (SDL_Surface* icon : game->icons)
        EXPECT_NE(icon, nullptr);
    SDL_Surface* title = load("data/gfx/title.png");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->w * 1000 + title->h, 640480);
    SDL_FreeSurface(title);
    for (SDL_Surface* tile : game->tiles)
        EXPECT_EQ(tile->w * 1000 + tile->h, CELL_SIZE * 1001);
    for (auto& row : game->sprites)
        for (SDL_Surface* sprite : row)
            EXPECT_EQ(sprite->w * 1000 + sprite->h, CELL_SIZE * 1001);
    for (SDL_Surface* full :
         {game->fightBackgrounds[0], game->fightBackgrounds[1], game->fx[FX_RAPTURE]})
        EXPECT_EQ(full->w * 1000 + full->h, 640480);
    // Item icons and the fight bar's icons stand in rows and columns 49 apart.
    std::vector<SDL_Surface*> inRows = game->itemIcons;
    for (int i : {ICON_FIGHT, ICON_DEFEND, ICON_MAGIC, ICON_MANA_POTION, ICON_SOLD_OUT})
        inRows.push_back(game->icons[i]);
    for (SDL_Surface* icon : inRows) {
        EXPECT_LE(icon->w, 48);
        EXPECT_LE(icon->h, 49);
    }
    // The heart sits left of the HP bar, which starts at x 20.
    EXPECT_LE(game->icons[ICON_HEART]->w, 20);
    // The shop picture stands right of the list, from (360, 25), clear of the
    // money line at y 448; the arrows at x 340 stay left of it.
    EXPECT_LE(360 + game->icons[ICON_SHOP]->w, SCREEN_W);
    EXPECT_LE(25 + game->icons[ICON_SHOP]->h, 448);
    EXPECT_LE(340 + game->icons[ICON_SCROLL_UP]->w, 360);
    EXPECT_LE(440 + game->icons[ICON_SCROLL_DOWN]->h, SCREEN_H);
    // The portrait at (10, 10) stays left of the statistics at x 140.
    ASSERT_NE(game->portrait, nullptr);
    EXPECT_LE(10 + game->portrait->w, 140);
}

// Ten distinct figures (the hero in four headings), each with the tile
// showing around it.
TEST_F(GeneratedArt, CharactersAreDistinctFiguresWithTransparencyAround) {
    generate();
    const char* files[] = {"pc/0",   "pc/1",   "pc/2",   "pc/3",   "npc0/2", "npc1/0", "npc2/2",
                           "npc3/2", "npc4/0", "npc5/2", "npc6/2", "npc7/2", "npc8/0"};
    std::set<std::string> seen;
    for (const char* name : files) {
        SDL_Surface* s = load(std::string("data/gfx/sprites/") + name + ".png");
        ASSERT_NE(s, nullptr);
        int visible = 0;
        for (int y = 0; y < s->h; y++)
            for (int x = 0; x < s->w; x++)
                visible += alpha(rgbaAt(s, x, y)) > 0;
        EXPECT_EQ(alpha(rgbaAt(s, 0, 0)), 0) << name;
        EXPECT_EQ(alpha(rgbaAt(s, 47, 47)), 0) << name;
        EXPECT_GT(visible, 48 * 48 / 4) << name << ": a figure, not a speck";
        EXPECT_LT(visible, 48 * 48 * 3 / 4) << name << ": the tile shows around it";
        seen.insert(std::string((const char*)s->pixels, (size_t)s->pitch * s->h));
        SDL_FreeSurface(s);
    }
    EXPECT_EQ(seen.size(), 13u);
}

TEST_F(GeneratedArt, TilesAreOpaqueAndDifferent) {
    generate();
    std::set<std::string> seen;
    for (int i = 0; i < 8; i++) {
        SDL_Surface* s = load("data/gfx/tiles/0" + std::to_string(i) + ".png");
        ASSERT_NE(s, nullptr);
        for (int y = 0; y < s->h; y++)
            for (int x = 0; x < s->w; x++)
                ASSERT_EQ(alpha(rgbaAt(s, x, y)), 255) << "tile " << i;
        seen.insert(std::string((const char*)s->pixels, (size_t)s->pitch * s->h));
        SDL_FreeSurface(s);
    }
    EXPECT_EQ(seen.size(), 8u);
}

TEST_F(GeneratedArt, SameSourceDrawsTheSameFilesAndAContactSheet) {
    ASSERT_EQ(run(std::string(TESSARY_ARTGEN) + " first"), 0);
    ASSERT_EQ(run(std::string(TESSARY_ARTGEN) + " second --contact-sheet sheet.png"), 0);
    EXPECT_EQ(run("diff -r first second"), 0);
    SDL_Surface* sheet = load("sheet.png");
    ASSERT_NE(sheet, nullptr);
    EXPECT_GE(sheet->w, 640);
    EXPECT_GE(sheet->h, 480);
    SDL_FreeSurface(sheet);
}

TEST_F(GeneratedArt, UnwritableFolderFails) {
    tree.write("blocked", "a file where a folder should be");
    EXPECT_NE(run(std::string(TESSARY_ARTGEN) + " blocked 2>/dev/null"), 0);
}

} // namespace
