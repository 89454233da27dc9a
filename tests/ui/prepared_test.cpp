// Prepared copies of pictures and kept texts: drawn, they give exactly the
// pixels of the pictures as loaded and of texts rendered afresh, wherever they
// land, and they are only made where that holds.
#include <SDL_image.h>

#include "support/patterned.h"
#include "ui/ui.h"

namespace {

class PreparedTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        writePatterned(tree, "data/gfx/tiles/03.png", 48, 48, 3, PATTERN_FULL_ALPHA);
        writePatterned(tree, "data/decor/grass.png", 640, 480, 5, PATTERN_OPAQUE);
        writePatterned(tree, "data/gfx/portrait.png", 120, 144, 7, PATTERN_GRADED_ALPHA);
        writePatterned(tree, "data/gfx/shop.png", 256, 300, 9, PATTERN_GRADED_ALPHA);
        tree.write("data/shopdata.qor",
                   "300\n4\n6\nBroadsword\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n");
        start();
    }

    // A picture loaded afresh, converted like the game converts that kind.
    SDL_Surface* loadConverted(const char* file) {
        SDL_Surface* loaded = IMG_Load(file);
        SDL_Surface* converted = SDL_ConvertSurface(loaded, game->screen->format, 0);
        SDL_FreeSurface(loaded);
        return converted;
    }

    // Draws `expected` the plain way and `actual` the game's way at (x, y),
    // each over the same leftovers, and compares the whole screens.
    std::string compareBlits(SDL_Surface* expected, SDL_Surface* actual, int x, int y) {
        scribble(game->screen);
        SDL_Rect where = {(Sint16)x, (Sint16)y, 0, 0};
        SDL_BlitSurface(expected, NULL, game->screen, &where);
        std::vector<Uint16> plain = snapshot(game->screen);
        scribble(game->screen);
        game->drawImage(actual, x, y);
        return differences(plain, snapshot(game->screen), SCREEN_W);
    }

    // The rectangle (x, y, w, h) of two snapshots, compared.
    static std::string compareArea(const std::vector<Uint16>& a, const std::vector<Uint16>& b,
                                   int x, int y, int w, int h) {
        std::vector<Uint16> partA, partB;
        for (int row = y; row < y + h && row < SCREEN_H; row++) {
            for (int col = x; col < x + w && col < SCREEN_W; col++) {
                partA.push_back(a[(size_t)row * SCREEN_W + col]);
                partB.push_back(b[(size_t)row * SCREEN_W + col]);
            }
        }
        return differences(partA, partB, w);
    }
};

TEST_F(PreparedTest, RebasedPicturesDrawTheSamePixelsWhereverTheyLand) {
    SDL_Surface* tile = loadConverted("data/gfx/tiles/03.png");
    SDL_Surface* scene = loadConverted("data/decor/grass.png");
    const int places[][2] = {{0, 0}, {1, 0}, {2, 1}, {3, 7}, {-16, 5}, {-47, -3}, {600, 450}};
    for (const auto& p : places) {
        EXPECT_EQ(compareBlits(tile, game->tiles[3], p[0], p[1]), "") << p[0] << ", " << p[1];
        EXPECT_EQ(compareBlits(scene, game->fightBackgrounds[0], p[0], p[1]), "")
            << p[0] << ", " << p[1];
    }
    SDL_FreeSurface(tile);
    SDL_FreeSurface(scene);
}

TEST_F(PreparedTest, SeeThroughPicturesAreLeftAsTheyAre) {
    SDL_PixelFormat* f = game->screen->format;
    SDL_Surface* keyed = SDL_CreateRGBSurface(SDL_SWSURFACE, 48, 48, f->BitsPerPixel, f->Rmask,
                                              f->Gmask, f->Bmask, 0);
    SDL_SetColorKey(keyed, SDL_SRCCOLORKEY, 0);
    EXPECT_EQ(game->Prepare_FastCopy(keyed), keyed);
    SDL_FreeSurface(keyed);
    EXPECT_EQ(game->Prepare_FastCopy(game->sprites[0][0]), game->sprites[0][0])
        << "an image with its alpha channel";
    EXPECT_EQ(game->Prepare_FastCopy(nullptr), nullptr);
}

TEST_F(PreparedTest, TheMenuPortraitLooksAsIfBlendedOnTheFill) {
    SDL_Surface* portrait = IMG_Load("data/gfx/portrait.png");
    scribble(game->screen);
    game->fillRect(0, 0, SCREEN_W, SCREEN_H, 0, 0, 150);
    SDL_Rect where = {10, 10, 0, 0};
    SDL_BlitSurface(portrait, NULL, game->screen, &where);
    std::vector<Uint16> plain = snapshot(game->screen);
    game->menuCursor = -1;
    game->menuoff = 0;
    for (int frame = 0; frame < 2; frame++) {
        scribble(game->screen);
        game->Menu_DrawFrame();
        EXPECT_EQ(compareArea(plain, snapshot(game->screen), 10, 10, 120, 144), "") << frame;
    }
    SDL_FreeSurface(portrait);
}

TEST_F(PreparedTest, TheShopPictureLooksAsIfBlendedOnTheFill) {
    SDL_Surface* loaded = IMG_Load("data/gfx/shop.png");
    SDL_Surface* picture = SDL_DisplayFormatAlpha(loaded);
    SDL_FreeSurface(loaded);
    scribble(game->screen);
    game->fillRect(0, 0, SCREEN_W, SCREEN_H, 0, 0, 125);
    SDL_Rect where = {360, 25, 0, 0};
    SDL_BlitSurface(picture, NULL, game->screen, &where);
    std::vector<Uint16> plain = snapshot(game->screen);
    game->menuCursor = -1;
    game->menuoff = -1;
    for (int frame = 0; frame < 2; frame++) {
        scribble(game->screen);
        ASSERT_TRUE(game->Shop_DrawFrame());
        EXPECT_EQ(compareArea(plain, snapshot(game->screen), 360, 25, 256, 300), "") << frame;
    }
    SDL_FreeSurface(picture);
}

TEST_F(PreparedTest, KeptTextsDrawWhatTheFontRendersAfresh) {
    SDL_Color pink = {255, 0, 100, 0};
    for (const char* text : {"Mr. Spunky HP: 12/20", "60", "Press ESC to quit"}) {
        SDL_Surface* fresh = TTF_RenderText_Solid(game->font, text, pink);
        for (int time = 0; time < 2; time++) {
            scribble(game->screen);
            SDL_Rect where = {21, 33, 0, 0};
            SDL_BlitSurface(fresh, NULL, game->screen, &where);
            std::vector<Uint16> plain = snapshot(game->screen);
            scribble(game->screen);
            EXPECT_EQ(game->drawText(text, 21, 33, 255, 0, 100), fresh->h);
            EXPECT_EQ(differences(plain, snapshot(game->screen), SCREEN_W), "") << text;
        }
        SDL_FreeSurface(fresh);
    }
    // The same words in another colour are another text.
    paintScreen();
    game->drawText("60", 100, 100, 255, 255, 255);
    EXPECT_GT(count(100, 100, 130, 125, rgb(255, 255, 255)), 0);
    EXPECT_EQ(count(100, 100, 130, 125, rgb(255, 0, 100)), 0);
}

TEST_F(PreparedTest, OnlyTheLatestTextsAreKept) {
    for (int i = 0; i < 500; i++)
        game->drawText("line " + std::to_string(i), 0, 0, 255, 255, 255);
    EXPECT_LE(game->renderedTexts.size(), 64u);
    EXPECT_EQ(game->renderedTexts.back().text, "line 499");
}

} // namespace
