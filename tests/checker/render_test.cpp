// Floor pictures: the game's tiles and sprites, with the author's marks.
#include <SDL_image.h>

#include "support/datatree.h"
#include "tiny.h"

namespace {

Uint32 rgbAt(SDL_Surface* image, int x, int y) {
    Uint32 pixel = 0;
    SDL_LockSurface(image);
    memcpy(&pixel, (Uint8*)image->pixels + y * image->pitch + x * image->format->BytesPerPixel,
           image->format->BytesPerPixel);
    SDL_UnlockSurface(image);
    Uint8 r, g, b;
    SDL_GetRGB(pixel, image->format, &r, &g, &b);
    return r << 16 | g << 8 | b;
}

Uint32 rgbOf(Rgb c) {
    return c.r << 16 | c.g << 8 | c.b;
}

class RenderTest : public CheckerTest {
  protected:
    DataTree tree; // the game's images, each a solid colour of its own

    // Renders the tiny campaign's floors at 8 pixels a cell; returns floor n.
    SDL_Surface* render(const std::string& gfx, FILE* errors, int n) {
        tiny.write(dir);
        Campaign* campaign = new Campaign();
        Report report;
        ClimbPlan plan;
        loadCampaign(dir, *campaign, report);
        checkPlay(*campaign, report, &plan);
        EXPECT_EQ(renderFloors(*campaign, &plan, gfx, dir, 8, errors), FLOOR_COUNT);
        delete campaign;
        return IMG_Load((dir + "/floor" + std::to_string(n) + ".png").c_str());
    }
};

TEST_F(RenderTest, DrawsTheGamesTilesAndSpritesWithTheMarks) {
    tiny.set(0, 30, 40, '5');
    tiny.set(0, 30, 60, '7');
    tiny.npcs[0] = npcRecord(20, false, "Bob", "Hi", 60, 70, 3);
    tiny.quests = questRecord(70, 80, 0, "Go", false);
    FILE* errors = tmpfile();
    SDL_Surface* floor = render(tree.path("data/gfx"), errors, 0);
    EXPECT_EQ(ftell(errors), 0) << "complaints about the images";
    fclose(errors);
    ASSERT_NE(floor, nullptr);
    EXPECT_EQ(floor->w, 800);
    EXPECT_EQ(floor->h, 800);
    // Cell centres: floor, obstacle, wall, door, Bob (sprite row 3 lives in
    // folder npc2) and the quest giver.
    struct {
        int x, y;
        const char* image;
    } cells[] = {{10, 80, "tiles/03"}, {30, 40, "tiles/05"},       {0, 0, "tiles/01"},
                 {30, 60, "tiles/07"}, {60, 70, "sprites/npc2/2"}, {2, 2, "sprites/npc1/0"}};
    for (const auto& c : cells)
        EXPECT_EQ(rgbAt(floor, c.x * 8 + 4, c.y * 8 + 4),
                  rgbOf(DataTree::colourOf(std::string("data/gfx/") + c.image + ".png")))
            << c.image;
    // The marks are frames along the cell's edge: stairs, door, quest target, start.
    EXPECT_EQ(rgbAt(floor, TinyCampaign::stairsX(0) * 8, 50 * 8 + 4), 0xffdc00u);
    EXPECT_EQ(rgbAt(floor, 30 * 8, 60 * 8 + 4), 0xf01e1eu);
    EXPECT_EQ(rgbAt(floor, 70 * 8 + 7, 80 * 8 + 6), 0xf028f0u);
    EXPECT_EQ(rgbAt(floor, START_X * 8, START_Y * 8 + 4), 0x28e63cu);
    SDL_FreeSurface(floor);
}

TEST_F(RenderTest, DrawsFlatColoursWhereTheImagesAreMissing) {
    FILE* errors = tmpfile();
    SDL_Surface* floor = render(tree.path("no-such-folder"), errors, 3);
    EXPECT_GT(ftell(errors), 0);
    fclose(errors);
    ASSERT_NE(floor, nullptr);
    EXPECT_NE(rgbAt(floor, 4, 4), rgbAt(floor, 20 * 8 + 4, 20 * 8 + 4)); // wall and floor
    SDL_FreeSurface(floor);
}

} // namespace
