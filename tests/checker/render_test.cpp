// Floor pictures: the game's tiles and sprites, with the author's marks.
#include <SDL_image.h>

#include "support/datatree.h"
#include "tiny.h"

namespace {

Rgb colourAt(SDL_Surface* image, int x, int y) {
    Uint32 pixel = 0;
    SDL_LockSurface(image);
    Uint8* p = (Uint8*)image->pixels + y * image->pitch + x * image->format->BytesPerPixel;
    memcpy(&pixel, p, image->format->BytesPerPixel);
    SDL_UnlockSurface(image);
    Rgb c;
    SDL_GetRGB(pixel, image->format, &c.r, &c.g, &c.b);
    return c;
}

void expectColour(SDL_Surface* image, int x, int y, Rgb want) {
    Rgb got = colourAt(image, x, y);
    EXPECT_EQ(got.r, want.r) << "at (" << x << "," << y << ")";
    EXPECT_EQ(got.g, want.g) << "at (" << x << "," << y << ")";
    EXPECT_EQ(got.b, want.b) << "at (" << x << "," << y << ")";
}

class RenderTest : public ::testing::Test {
  protected:
    DataTree tree; // the game's images, each a solid colour of its own
    TinyCampaign tiny;
    Campaign* campaign = new Campaign();
    ClimbPlan plan;

    ~RenderTest() { delete campaign; }
    int render(const std::string& gfx, FILE* errors) {
        tiny.write(tree.path("data"));
        Report report;
        loadCampaign(tree.path("data"), *campaign, report);
        checkPlay(*campaign, report, &plan);
        return renderFloors(*campaign, &plan, gfx, tree.path("floors"), 8, errors);
    }
};

TEST_F(RenderTest, DrawsEachFloorWithTheGamesTilesAndSprites) {
    tiny.set(0, 30, 40, '5');
    tiny.npcs[0] = npcRecord(20, false, "Bob", "Hi", 60, 70, 3);
    FILE* errors = tmpfile();
    EXPECT_EQ(render(tree.path("data/gfx"), errors), FLOOR_COUNT);
    EXPECT_EQ(ftell(errors), 0) << "complaints about the images";
    fclose(errors);
    SDL_Surface* floor = IMG_Load(tree.path("floors/floor0.png").c_str());
    ASSERT_NE(floor, nullptr);
    EXPECT_EQ(floor->w, 800);
    EXPECT_EQ(floor->h, 800);
    // Cell centres: plain floor, an obstacle, a wall, and Bob (sprite row 3
    // lives in folder npc2) standing on floor.
    expectColour(floor, 10 * 8 + 4, 80 * 8 + 4, DataTree::colourOf("data/gfx/tiles/03.png"));
    expectColour(floor, 30 * 8 + 4, 40 * 8 + 4, DataTree::colourOf("data/gfx/tiles/05.png"));
    expectColour(floor, 4, 4, DataTree::colourOf("data/gfx/tiles/01.png"));
    expectColour(floor, 60 * 8 + 4, 70 * 8 + 4, DataTree::colourOf("data/gfx/sprites/npc2/2.png"));
    expectColour(floor, 2 * 8 + 4, 2 * 8 + 4, DataTree::colourOf("data/gfx/sprites/npc1/0.png"));
    SDL_FreeSurface(floor);
    for (int n = 1; n < FLOOR_COUNT; n++)
        EXPECT_EQ(access(tree.path("floors/floor" + std::to_string(n) + ".png").c_str(), R_OK), 0);
}

TEST_F(RenderTest, MarksStairsDoorsQuestTargetsAndTheStart) {
    tiny.set(0, 30, 60, '7');
    tiny.quests = questRecord(70, 80, 0, "Go", false);
    render(tree.path("data/gfx"), stderr);
    SDL_Surface* floor = IMG_Load(tree.path("floors/floor0.png").c_str());
    ASSERT_NE(floor, nullptr);
    // The marks are frames along the cell's edge; its middle keeps the tile.
    expectColour(floor, TinyCampaign::stairsX(0) * 8, 50 * 8 + 4, Rgb{255, 220, 0});
    expectColour(floor, 30 * 8, 60 * 8 + 4, Rgb{240, 30, 30});
    expectColour(floor, 70 * 8 + 7, 80 * 8 + 6, Rgb{240, 40, 240});
    expectColour(floor, START_X * 8, START_Y * 8 + 4, Rgb{40, 230, 60});
    expectColour(floor, 30 * 8 + 4, 60 * 8 + 4, DataTree::colourOf("data/gfx/tiles/07.png"));
    SDL_FreeSurface(floor);
}

TEST_F(RenderTest, DrawsFlatColoursWhereTheImagesAreMissing) {
    FILE* errors = tmpfile();
    EXPECT_EQ(render(tree.path("no-such-folder"), errors), FLOOR_COUNT);
    EXPECT_GT(ftell(errors), 0);
    fclose(errors);
    SDL_Surface* floor = IMG_Load(tree.path("floors/floor3.png").c_str());
    ASSERT_NE(floor, nullptr);
    Rgb wall = colourAt(floor, 4, 4), inside = colourAt(floor, 20 * 8 + 4, 20 * 8 + 4);
    EXPECT_NE(wall.r * 65536 + wall.g * 256 + wall.b, inside.r * 65536 + inside.g * 256 + inside.b);
    SDL_FreeSurface(floor);
}

} // namespace
