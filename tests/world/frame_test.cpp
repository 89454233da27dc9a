// Whole roaming frames, pixel for pixel, against a straightforward drawing
// with each picture loaded afresh and blitted whole: drawing faster must not
// change a single pixel.
#include <SDL_image.h>

#include "support/patterned.h"
#include "world/world_support.h"

namespace {

struct Variant {
    const char* name;
    PatternAlpha clouds;
    int cloudsW, cloudsH;
    int bigTileW, bigTileH;     // tile 04
    int bigSpriteW, bigSpriteH; // every image of character row 3
};

const Variant VARIANTS[] = {
    {"CloudsWithAnAlphaChannel", PATTERN_FULL_ALPHA, 256, 128, 48, 48, 48, 48},
    {"PicturesLargerThanACell", PATTERN_OPAQUE, 700, 500, 60, 56, 70, 64},
};

class ReferenceFrame {
  public:
    explicit ReferenceFrame(SDL_Surface* screen) : screen(screen) {
        clouds = IMG_Load("data/gfx/clouds.jpg");
        for (int i = 0; i < TILE_COUNT; i++)
            tiles[i] = convert(IMG_Load(tileFile(i).c_str()));
        for (int r = 0; r < CHARACTER_COUNT; r++)
            for (int h = 0; h < HEADING_COUNT; h++)
                sprites[r][h] = alpha(IMG_Load(spriteFile(r, h).c_str()));
        heart = alpha(IMG_Load("data/icn/heart.png"));
        for (int i : {0, 2, 13})
            items[i] = alpha(IMG_Load(("data/gfx/items/" + std::to_string(i) + ".png").c_str()));
    }
    ~ReferenceFrame() {
        for (SDL_Surface* s : {clouds, heart, items[0], items[2], items[13]})
            SDL_FreeSurface(s);
        for (SDL_Surface* s : tiles)
            SDL_FreeSurface(s);
        for (auto& row : sprites)
            for (SDL_Surface* s : row)
                SDL_FreeSurface(s);
    }

    void draw(CGame& game) {
        const Player& p = game.player;
        for (int r = 0; r <= SCREEN_H / clouds->h; r++)
            for (int c = 0; c <= SCREEN_W / clouds->w; c++)
                blit(clouds, c * clouds->w, r * clouds->h);
        for (int x = 0; x < 100; x++) {
            for (int y = 0; y < 100; y++) {
                long long dx = (long long)x - p.posX, dy = (long long)y - p.posY;
                if (dx < -8 || dx > 8 || dy < -8 || dy > 8)
                    continue;
                int left = (int)dx * 48 + 320, top = (int)dy * 48 + 240;
                char code = game.map.cells[y][x];
                blit(code >= '0' && code <= '7' ? tiles[code - '0'] : tiles[0], left, top);
                blit(characterOn(game, x, y), left, top);
            }
        }
        fill(20, 10, 2 * p.maxHp, 21, 0, 0, 0);
        fill(20, 10, 2 * p.hp, 21, 100, 0, 0);
        blit(heart, 0, 0);
        text(game.font, std::to_string(p.hp), 30, 10);
        int mpX = 2 * p.maxHp + 25;
        fill(mpX, 10, 2 * p.maxMp, 21, 0, 0, 0);
        fill(mpX, 10, 2 * p.mp, 21, 0, 100, 0);
        text(game.font, std::to_string(p.mp), mpX, 10);
        for (int i = 0; i < p.healPotions; i++)
            blit(items[0], 15 + 49 * i, 425);
        for (int i = 0; i < p.manaPotions; i++)
            blit(items[13], 15 + 49 * i, 376);
        for (int i = 0; i < p.keys; i++)
            blit(items[2], 15 + 49 * i, 327);
    }

  private:
    SDL_Surface* screen;
    SDL_Surface* clouds;
    SDL_Surface* tiles[TILE_COUNT];
    SDL_Surface* sprites[CHARACTER_COUNT][HEADING_COUNT];
    SDL_Surface* heart;
    SDL_Surface* items[14] = {};

    SDL_Surface* convert(SDL_Surface* loaded) {
        SDL_Surface* converted = SDL_ConvertSurface(loaded, screen->format, 0);
        SDL_FreeSurface(loaded);
        return converted;
    }
    static SDL_Surface* alpha(SDL_Surface* loaded) {
        SDL_Surface* converted = SDL_DisplayFormatAlpha(loaded);
        SDL_FreeSurface(loaded);
        return converted;
    }
    SDL_Surface* characterOn(CGame& game, int x, int y) {
        if (x == game.player.posX && y == game.player.posY)
            return sprites[0][game.player.heading];
        for (NPC* npc : game.npcs) {
            if (npc->posX != x || npc->posY != y)
                continue;
            bool inTable = npc->character >= 0 && npc->character < CHARACTER_COUNT &&
                           npc->heading >= 0 && npc->heading < HEADING_COUNT;
            return inTable ? sprites[npc->character][npc->heading] : NULL;
        }
        return NULL;
    }
    void blit(SDL_Surface* image, int x, int y) {
        if (!image)
            return;
        SDL_Rect where = {(Sint16)x, (Sint16)y, 0, 0};
        SDL_BlitSurface(image, NULL, screen, &where);
    }
    void fill(int x, int y, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
        if (w <= 0)
            return;
        SDL_Rect where = {(Sint16)x, (Sint16)y, (Uint16)w, (Uint16)h};
        SDL_FillRect(screen, &where, SDL_MapRGB(screen->format, r, g, b));
    }
    void text(TTF_Font* font, const std::string& line, int x, int y) {
        SDL_Color white = {255, 255, 255, 0};
        SDL_Surface* rendered = TTF_RenderText_Solid(font, line.c_str(), white);
        blit(rendered, x, y);
        SDL_FreeSurface(rendered);
    }
};

class FrameTest : public GameTest, public ::testing::WithParamInterface<Variant> {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        const Variant& v = GetParam();
        writePatterned(tree, "data/gfx/clouds.jpg", v.cloudsW, v.cloudsH, 1, v.clouds);
        for (int i = 0; i < TILE_COUNT; i++) {
            bool big = i == 4;
            // Tile 02's alpha channel is dropped by its conversion, like any tile's.
            writePatterned(tree, tileFile(i), big ? v.bigTileW : 48, big ? v.bigTileH : 48, 10 + i,
                           i == 2 ? PATTERN_GRADED_ALPHA : PATTERN_FULL_ALPHA);
        }
        for (int r = 0; r < CHARACTER_COUNT; r++) {
            for (int h = 0; h < HEADING_COUNT; h++) {
                bool big = r == 3;
                writePatterned(tree, spriteFile(r, h), big ? v.bigSpriteW : 48,
                               big ? v.bigSpriteH : 48, 20 + 4 * r + h, PATTERN_GRADED_ALPHA);
            }
        }
        writePatterned(tree, "data/icn/heart.png", 20, 20, 70, PATTERN_GRADED_ALPHA);
        for (int i : {0, 2, 13})
            writePatterned(tree, "data/gfx/items/" + std::to_string(i) + ".png", 48, 48, 80 + i,
                           PATTERN_GRADED_ALPHA);
        start();
        // Every kind of cell code, in a pattern, so neighbouring cells differ.
        const char codes[] = "0123456789AZ \x01/";
        for (int y = 0; y < MAP_SIZE; y++)
            for (int x = 0; x < MAP_SIZE; x++)
                game->map.cells[y][x] = codes[(x * 7 + y * 3) % (sizeof codes - 1)];
        game->player.healPotions = 3;
        game->player.manaPotions = 2;
        game->player.keys = 4;
        game->player.hp = 37;
        game->player.heading = 1;
        placeCharacters();
    }

    // At the view's edges, on shared cells, on the player's, without a row
    // in the table, and near the map's corners.
    void placeCharacters() {
        struct Placed {
            int x, y, character, heading;
        };
        const Placed placed[] = {{43, 50, 3, 0}, {56, 51, 5, 1}, {51, 45, 6, 2},  {52, 51, 3, 3},
                                 {52, 51, 7, 2}, {50, 50, 8, 2}, {49, 49, -1, 2}, {1, 1, 4, 0},
                                 {98, 97, 3, 2}, {47, 52, 2, 9}};
        for (const Placed& p : placed) {
            NPC* npc = addNpc(*game, p.x, p.y, p.character);
            npc->heading = p.heading;
        }
    }

    // The game's frame and the reference, each over the same leftovers.
    std::string compareAt(int x, int y) {
        game->player.posX = x;
        game->player.posY = y;
        ReferenceFrame reference(game->screen);
        scribble(game->screen);
        reference.draw(*game);
        std::vector<Uint16> expected = snapshot(game->screen);
        std::string result;
        // Twice: the second frame reuses whatever the first one prepared.
        for (int frame = 0; frame < 2 && result.empty(); frame++) {
            scribble(game->screen);
            game->Roam_DrawEverything();
            result = differences(expected, snapshot(game->screen), SCREEN_W);
        }
        return result;
    }
};

TEST_P(FrameTest, EveryPixelMatchesTheStraightforwardDrawing) {
    const int positions[][2] = {{50, 50}, {0, 0}, {99, 99}, {98, 4}, {-5, 50}, {100000, 100000}};
    for (const auto& at : positions)
        EXPECT_EQ(compareAt(at[0], at[1]), "") << "player at " << at[0] << ", " << at[1];
    // A HUD that reaches past the screen's right edge.
    game->player.maxHp = 200;
    game->player.hp = 150;
    game->player.maxMp = 300;
    game->player.mp = 280;
    game->player.healPotions = 20;
    EXPECT_EQ(compareAt(50, 50), "");
}

INSTANTIATE_TEST_SUITE_P(Pictures, FrameTest, ::testing::ValuesIn(VARIANTS),
                         [](const ::testing::TestParamInfo<Variant>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
