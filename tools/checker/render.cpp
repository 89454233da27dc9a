// Floor pictures: each floor drawn whole with the game's own tiles and
// sprites, with marks an author looks for: where the player starts or lands,
// the stairs, the quest targets (numbered in the order they are handed out),
// the locked doors, the props beside errands, the hostile characters and the
// planned way up.
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>
// Static, so the test programs' own PNG writer can sit beside this one.
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

#include "campaign.h"
#include "checker.h"
#include "core/datafile.h"
#include "output.h"

namespace {

struct Rgba {
    unsigned char r, g, b, a;
};

struct Image {
    int w = 0, h = 0;
    std::vector<unsigned char> rgba;
    bool ok() const { return w > 0 && h > 0; }
    Rgba at(int x, int y) const {
        const unsigned char* p = &rgba[((size_t)y * w + x) * 4];
        return Rgba{p[0], p[1], p[2], p[3]};
    }
};

// A picture opened as the game opens its data files: a named pipe or a
// folder in its place is a missing picture, never a wait.
Image loadImage(const std::string& path) {
    Image image;
    int channels;
    FILE* file = openDataFile(path.c_str());
    unsigned char* data = file ? stbi_load_from_file(file, &image.w, &image.h, &channels, 4) : NULL;
    if (file)
        fclose(file);
    if (!data) {
        image.w = image.h = 0;
        return image;
    }
    image.rgba.assign(data, data + (size_t)image.w * image.h * 4);
    stbi_image_free(data);
    return image;
}

// Where the game finds each row of the sprite table (the folder numbers do
// not follow the rows), and which rows have one picture for all headings.
const char* const SPRITE_FOLDERS[CHARACTER_COUNT] = {"pc",   "npc0", "npc1", "npc2", "npc4",
                                                     "npc5", "npc3", "npc6", "npc7", "npc8"};
const bool SINGLE_IMAGE[CHARACTER_COUNT] = {false, false, true,  false, true,
                                            false, false, false, false, true};

// Colours for a data folder without its images.
const Rgba FLAT_TILES[TILE_COUNT] = {
    {70, 150, 60, 255},   {90, 90, 100, 255}, {150, 110, 60, 255}, {190, 180, 160, 255},
    {170, 150, 120, 255}, {60, 60, 70, 255},  {230, 210, 90, 255}, {150, 40, 40, 255}};
const Rgba FIGURE_COLOUR = {40, 90, 220, 255};

const Rgba MARK_START = {40, 230, 60, 255};
const Rgba MARK_STAIRS = {255, 220, 0, 255};
const Rgba MARK_DOOR = {240, 30, 30, 255};
const Rgba MARK_QUEST = {240, 40, 240, 255};
const Rgba MARK_PATH = {0, 230, 240, 255};
const Rgba MARK_HOSTILE = {255, 60, 0, 255};
const Rgba MARK_PROP = {255, 150, 0, 255};

class Canvas {
  public:
    Canvas(int size, int cell) : size(size), cell(cell), pixels((size_t)size * size * 3, 0) {}

    void blend(int x, int y, Rgba c) {
        if (x < 0 || y < 0 || x >= size || y >= size || c.a == 0)
            return;
        unsigned char* p = &pixels[((size_t)y * size + x) * 3];
        p[0] = (unsigned char)((p[0] * (255 - c.a) + c.r * c.a) / 255);
        p[1] = (unsigned char)((p[1] * (255 - c.a) + c.g * c.a) / 255);
        p[2] = (unsigned char)((p[2] * (255 - c.a) + c.b * c.a) / 255);
    }
    // An image scaled into cell (cx, cy), or a square of `fallback` inset by `inset`.
    void drawCell(int cx, int cy, const Image& image, Rgba fallback, int inset) {
        for (int y = 0; y < cell; y++)
            for (int x = 0; x < cell; x++) {
                Rgba c = fallback;
                if (image.ok())
                    c = image.at(x * image.w / cell, y * image.h / cell);
                else if (x < inset || y < inset || x >= cell - inset || y >= cell - inset)
                    continue;
                blend(cx * cell + x, cy * cell + y, c);
            }
    }
    void frame(int cx, int cy, Rgba c, int thickness) {
        for (int y = 0; y < cell; y++)
            for (int x = 0; x < cell; x++)
                if (x < thickness || y < thickness || x >= cell - thickness ||
                    y >= cell - thickness)
                    blend(cx * cell + x, cy * cell + y, c);
    }
    void dot(int cx, int cy, Rgba c, int radius, int offX, int offY) {
        int mx = cx * cell + offX, my = cy * cell + offY;
        for (int y = -radius; y <= radius; y++)
            for (int x = -radius; x <= radius; x++)
                if (x * x + y * y <= radius * radius)
                    blend(mx + x, my + y, c);
    }
    // A number in a 3 x 5 pixel font, scaled to the cell, at its top left.
    void number(int cx, int cy, int value, Rgba c) {
        static const char* const DIGITS[10] = {
            "111101101101111", "010110010010111", "111001111100111", "111001111001111",
            "101101111001001", "111100111001111", "111100111101111", "111001001001001",
            "111101111101111", "111101111001111"};
        std::string text = std::to_string(value);
        int scale = cell / 12 > 0 ? cell / 12 : 1;
        for (size_t i = 0; i < text.size(); i++) {
            const char* glyph = DIGITS[text[i] - '0'];
            for (int gy = 0; gy < 5; gy++)
                for (int gx = 0; gx < 3; gx++)
                    if (glyph[gy * 3 + gx] == '1')
                        for (int sy = 0; sy < scale; sy++)
                            for (int sx = 0; sx < scale; sx++)
                                blend(cx * cell + 2 * scale + ((int)i * 4 + gx) * scale + sx,
                                      cy * cell + 2 * scale + gy * scale + sy, c);
        }
    }
    // Written whole beside the old picture and renamed over it.
    bool write(const std::string& path) const {
        std::string png;
        auto append = [](void* context, void* data, int size) {
            static_cast<std::string*>(context)->append(static_cast<char*>(data), (size_t)size);
        };
        return stbi_write_png_to_func(append, &png, size, size, 3, pixels.data(), size * 3) != 0 &&
               replaceFile(path, png);
    }

  private:
    int size, cell;
    std::vector<unsigned char> pixels;
};

struct Art {
    Image tiles[TILE_COUNT];
    Image sprites[CHARACTER_COUNT]; // facing down, as every NPC stands
    bool complete = true;
};

Art loadArt(const std::string& gfxDir) {
    Art art;
    char name[64];
    for (int i = 0; i < TILE_COUNT; i++) {
        snprintf(name, sizeof name, "/tiles/%02d.png", i);
        art.tiles[i] = loadImage(gfxDir + name);
        art.complete = art.complete && art.tiles[i].ok();
    }
    for (int r = 0; r < CHARACTER_COUNT; r++) {
        std::string path =
            gfxDir + "/sprites/" + SPRITE_FOLDERS[r] + "/" + (SINGLE_IMAGE[r] ? "0" : "2") + ".png";
        art.sprites[r] = loadImage(path);
        art.complete = art.complete && art.sprites[r].ok();
    }
    return art;
}

void drawFloor(Canvas& canvas, const Campaign& campaign, int n, const ClimbPlan* plan,
               const Art& art, int cell) {
    const Floor& floor = campaign.floors[n];
    int thick = cell / 12 > 0 ? cell / 12 : 1;
    for (int y = 0; y < MAP_SIZE; y++)
        for (int x = 0; x < MAP_SIZE; x++) {
            char code = floor.cells[y][x];
            int tile = tileOf(code) >= 0 ? tileOf(code) : 0;
            canvas.drawCell(x, y, art.tiles[tile], FLAT_TILES[tile], 0);
            if (code == CELL_LOCKED_DOOR)
                canvas.frame(x, y, MARK_DOOR, thick);
            if (code == CELL_STAIRS)
                canvas.frame(x, y, MARK_STAIRS, thick);
        }
    // The props beside the errands.
    for (const Prop& prop : findProps(campaign, n))
        for (const Cell& c : prop.cells)
            canvas.frame(c.x, c.y, MARK_PROP, thick);
    // The planned way, under the characters.
    if (plan) {
        for (const PlanStep& step : plan->steps)
            if (step.floor == n && Map::contains(step.x, step.y))
                canvas.dot(step.x, step.y, MARK_PATH, cell / 8 > 0 ? cell / 8 : 1, cell / 2,
                           cell / 2);
    }
    struct Placed {
        int x, y, character;
        bool hostile;
    };
    std::vector<Placed> figures{{QUEST_GIVER_X, QUEST_GIVER_Y, CHARACTER_QUEST_GIVER, false},
                                {SHOPKEEPER_X, SHOPKEEPER_Y, CHARACTER_SHOPKEEPER, false}};
    for (const PlacedNPC& p : floor.npcs)
        figures.push_back(Placed{p.npc.posX, p.npc.posY, p.npc.character, p.npc.hostile != 0});
    for (const Placed& f : figures) {
        if (!Map::contains(f.x, f.y))
            continue;
        bool known = f.character >= 0 && f.character < CHARACTER_COUNT;
        static const Image none;
        canvas.drawCell(f.x, f.y, known ? art.sprites[f.character] : none,
                        known ? FIGURE_COLOUR : MARK_QUEST, cell / 4);
        if (f.hostile)
            canvas.dot(f.x, f.y, MARK_HOSTILE, cell / 6 > 0 ? cell / 6 : 1, cell - cell / 5,
                       cell / 5);
    }
    // Where the player arrives: the start, or the landing of the last climb.
    int arriveX = START_X, arriveY = START_Y;
    if (plan && n > 0) {
        for (const PlanStep& step : plan->steps)
            if (step.floor == n - 1 && step.kind == PlanStep::Climb) {
                arriveX = step.x;
                arriveY = step.y;
            }
    }
    if (n == 0 || plan)
        canvas.frame(arriveX, arriveY, MARK_START, thick * 2);
    int order = 0;
    for (const PlacedQuest& q : campaign.quests) {
        if (q.quest.floor != n)
            continue;
        order++;
        if (!Map::contains(q.quest.posX, q.quest.posY))
            continue;
        canvas.frame(q.quest.posX, q.quest.posY, MARK_QUEST, thick);
        canvas.number(q.quest.posX, q.quest.posY, order, MARK_QUEST);
    }
}

} // namespace

int renderFloors(const Campaign& campaign, const ClimbPlan* plan, const std::string& gfxDir,
                 const std::string& outDir, int cell, FILE* errors) {
    Art art = loadArt(gfxDir);
    if (!art.complete)
        fprintf(errors, "some images are missing from %s: drawing flat colours in their place\n",
                gfxDir.c_str());
    mkdir(outDir.c_str(), 0755); // an existing folder is fine
    int written = 0;
    for (int n = 0; n < FLOOR_COUNT; n++) {
        if (!campaign.floors[n].present)
            continue;
        Canvas canvas(MAP_SIZE * cell, cell);
        drawFloor(canvas, campaign, n, plan, art, cell);
        std::string path = outDir + "/floor" + std::to_string(n) + ".png";
        if (canvas.write(path))
            written++;
        else
            fprintf(errors, "cannot write %s\n", path.c_str());
    }
    return written;
}
