// Prepared copies of pictures and kept texts draw exactly the pixels of the
// pictures as loaded and of texts rendered afresh, wherever they land.
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
        start();
    }
    // The screen after drawing `s` the plain way at (x, y) over `fill` (or
    // over leftovers when fill is negative).
    std::vector<Uint16> plainly(SDL_Surface* s, int x, int y, int fill = -1) {
        scribble(game->screen);
        if (fill >= 0)
            game->fillRect(0, 0, SCREEN_W, SCREEN_H, 0, 0, fill);
        SDL_Rect where = {(Sint16)x, (Sint16)y, 0, 0};
        SDL_BlitSurface(s, NULL, game->screen, &where);
        return snapshot(game->screen);
    }
    // The rectangle (x, y, w, h) of the screen and of `plain`, compared.
    std::string compareArea(const std::vector<Uint16>& plain, int x, int y, int w, int h) {
        std::vector<Uint16> now = snapshot(game->screen), a, b;
        for (int row = y; row < y + h; row++)
            for (int col = x; col < x + w; col++) {
                a.push_back(plain[row * SCREEN_W + col]);
                b.push_back(now[row * SCREEN_W + col]);
            }
        return differences(a, b, w);
    }
};

TEST_F(PreparedTest, RebasedPicturesDrawTheSamePixelsWhereverTheyLand) {
    for (const char* file : {"data/gfx/tiles/03.png", "data/decor/grass.png"}) {
        SDL_Surface* loaded = IMG_Load(file);
        SDL_Surface* expected = SDL_ConvertSurface(loaded, game->screen->format, 0);
        SDL_Surface* actual = file[5] == 'g' ? game->tiles[3] : game->fightBackgrounds[0];
        for (auto p : {std::make_pair(0, 0), {1, 0}, {3, 7}, {-47, -3}, {600, 450}}) {
            std::vector<Uint16> plain = plainly(expected, p.first, p.second);
            scribble(game->screen);
            game->drawImage(actual, p.first, p.second);
            EXPECT_EQ(differences(plain, snapshot(game->screen), SCREEN_W), "")
                << file << " at " << p.first << ", " << p.second;
        }
        SDL_FreeSurface(expected);
        SDL_FreeSurface(loaded);
    }
}

TEST_F(PreparedTest, MenuPortraitLooksAsIfBlendedOnTheFill) {
    SDL_Surface* portrait = IMG_Load("data/gfx/portrait.png");
    std::vector<Uint16> plain = plainly(portrait, 10, 10, 150);
    game->menuoff = 0;
    for (int frame = 0; frame < 2; frame++) {
        scribble(game->screen);
        game->Menu_DrawFrame();
        EXPECT_EQ(compareArea(plain, 10, 10, 120, 144), "") << "menu frame " << frame;
    }
    SDL_FreeSurface(portrait);
}

TEST_F(PreparedTest, KeptTextsDrawWhatTheFontRendersAfresh) {
    SDL_Color pink = {255, 0, 100, 0};
    for (const char* text : {"Mr. Spunky HP: 12/20", "60"}) {
        SDL_Surface* fresh = TTF_RenderText_Solid(game->font, text, pink);
        for (int time = 0; time < 2; time++) {
            std::vector<Uint16> plain = plainly(fresh, 21, 33);
            scribble(game->screen);
            EXPECT_EQ(game->drawText(text, 21, 33, 255, 0, 100), fresh->h);
            EXPECT_EQ(differences(plain, snapshot(game->screen), SCREEN_W), "") << text;
        }
        SDL_FreeSurface(fresh);
    }
    paintScreen(); // the same words in another colour are another text
    game->drawText("60", 100, 100, 255, 255, 255);
    EXPECT_EQ(count(100, 100, 130, 125, rgb(255, 0, 100)), 0);
    for (int i = 0; i < 500; i++)
        game->drawText("line " + std::to_string(i), 0, 0, 255, 255, 255);
    EXPECT_LE(game->renderedTexts.size(), 64u);
    EXPECT_EQ(game->renderedTexts.back().text, "line 499");
}

} // namespace
