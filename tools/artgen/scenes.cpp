// The large pictures: the two fight scenes (a meadow for fights begun on
// grass, a hall for fights indoors), the cloud backdrop behind the map, and
// the hero's portrait in the character menu. The fighters stand with their
// feet at y 278 of the screen, so both scenes put their ground there.
#include <algorithm>
#include <cmath>

#include "art.h"
#include "palette.h"

namespace {

const int W = 320, H = 240; // art pixels of a full screen
const int GROUND = 139;     // art row under the fighters' feet

// A fluffy cloud: overlapping puffs, lit from above.
void cloud(Image& img, int x, int y, int size) {
    for (int p = 0; p < 5; p++) {
        float cx = x + (p - 2) * size * 0.7f, cy = y - (p % 2) * size * 0.4f;
        float r = size * (p == 2 ? 1.0f : 0.75f);
        img.fillEllipse(cx, cy + 2, r, r * 0.7f, mix(SKY, STONE_PALE, 0.6f));
        img.fillEllipse(cx, cy, r, r * 0.7f, WHITE);
    }
}

void tree(Image& img, int x, int base, int size) {
    img.fillRect(x - 2, base - size, 5, size, WOOD);
    img.fillRect(x - 2, base - size, 2, size, WOOD_LIGHT);
    for (int p = 0; p < 4; p++) {
        float cy = base - size - p * size * 0.35f, r = size * (0.75f - p * 0.13f);
        img.fillEllipse(x, cy + 2, r, r * 0.8f, LEAF_DARK);
        img.fillEllipse(x - 1, cy, r * 0.9f, r * 0.7f, LEAF);
        img.fillEllipse(x - r * 0.3f, cy - r * 0.25f, r * 0.4f, r * 0.3f, LEAF_LIGHT);
    }
}

// The meadow: sky, far hills, a tree line and the grass the fight stands on.
Image meadow() {
    Image img(W, H);
    for (int y = 0; y < 110; y++)
        for (int x = 0; x < W; x++)
            img.set(x, y, mix(SEA, SKY, y / 110.0f));
    // Clouds keep clear of the top left corner, where the HUD and the
    // enemy's line are written.
    cloud(img, 236, 26, 9);
    cloud(img, 150, 62, 6);
    cloud(img, 60, 74, 5);
    for (int x = 0; x < W; x++) {
        int far = 92 - (int)(22 * valueNoise(x, 0, 50, 0, 101));
        int near = 108 - (int)(14 * valueNoise(x, 0, 30, 0, 102));
        for (int y = far; y < H; y++)
            img.set(x, y, mix(SKY, LEAF_DARK, 0.55f));
        for (int y = near; y < H; y++)
            img.set(x, y, mix(LEAF_DARK, LEAF, 0.3f));
    }
    // The field, lighter toward the viewer, with rows of tufts.
    for (int y = 112; y < H; y++) {
        float near = (y - 112) / (float)(H - 112);
        for (int x = 0; x < W; x++) {
            Rgba c = mix(LEAF, LEAF_LIGHT, near * 0.8f);
            if (random01(x, y, 103) < 0.05f + near * 0.05f)
                c = shade(c, -0.2f);
            img.set(x, y, c);
        }
    }
    // A worn patch where the fighters stand.
    img.fillEllipse(115, GROUND + 2, 70, 7, withAlpha(SAND_SHADE, 120));
    for (int n = 0; n < 60; n++) {
        int x = (int)(random01(n, 0, 104) * W), y = 116 + (int)(random01(n, 1, 104) * 120);
        Rgba flower = n % 3 == 0 ? GOLD : (n % 3 == 1 ? WHITE : PINK);
        img.set(x, y, flower);
        img.set(x, y + 1, LEAF_DARK);
    }
    tree(img, 20, 122, 26);
    tree(img, 292, 126, 32);
    tree(img, 262, 112, 16);
    return img;
}

// The hall: a stone wall with torches and a window, a plank floor, a rug.
Image hall() {
    Image img(W, H);
    Image bricks = tileArt(1), planks = tileArt(3);
    for (int y = 0; y < 112; y++)
        for (int x = 0; x < W; x++)
            img.set(x, y, shade(bricks.get(x % 24, y % 24), -0.15f - 0.25f * (1 - y / 112.0f)));
    // Wainscot along the foot of the wall.
    img.fillRect(0, 96, W, 16, WOOD);
    img.fillRect(0, 96, W, 2, WOOD_PALE);
    for (int x = 0; x < W; x += 20)
        img.fillRect(x, 98, 1, 14, WOOD_DARK);
    // The floor, with the planks' joints converging toward the far wall.
    for (int y = 112; y < H; y++) {
        float depth = (y - 112) / (float)(H - 112);
        for (int x = 0; x < W; x++) {
            int u = (int)((x - W / 2) / (0.5f + depth) + W / 2);
            Rgba c = planks.get(((u % 24) + 24) % 24, (y / 2) % 24);
            img.set(x, y, shade(c, -0.35f * (1 - depth)));
        }
    }
    // Dark ceiling beams behind the HUD and the enemy's line.
    img.fillRect(0, 0, W, 28, shade(WOOD_DARK, -0.45f));
    img.fillRect(0, 26, W, 3, WOOD_DARK);
    for (int x = 12; x < W; x += 48)
        img.fillRect(x, 0, 8, 27, shade(WOOD_DARK, -0.25f));
    // A window with the night outside.
    img.fillRect(136, 32, 48, 52, INK);
    img.fillRect(140, 36, 40, 44, SEA_DARK);
    img.fillEllipse(170, 46, 5, 5, GOLD_PALE);
    img.fillRect(159, 36, 2, 44, WOOD);
    img.fillRect(140, 56, 40, 2, WOOD);
    img.fillRect(134, 84, 52, 4, WOOD_LIGHT);
    // Torches, each with a pool of light.
    for (int t = 0; t < 2; t++) {
        int x = t ? 260 : 60;
        for (int r = 36; r > 0; r -= 4)
            img.fillEllipse(x, 56, r, r, withAlpha(GOLD, 10));
        img.fillRect(x - 2, 60, 4, 14, WOOD);
        img.fillEllipse(x, 56, 4, 6, ORANGE);
        img.fillEllipse(x, 58, 2, 3, GOLD_PALE);
    }
    // Banners beside the window.
    for (int b = 0; b < 2; b++) {
        int x = b ? 200 : 100;
        img.fillRect(x, 32, 20, 40, RED);
        img.fillRect(x, 32, 20, 3, GOLD);
        for (int i = 0; i < 10; i++)
            img.fillRect(x + i, 72, 20 - 2 * i, 1, RED);
        img.fillEllipse(x + 10, 50, 5, 5, GOLD);
    }
    // The rug under the fighters.
    img.fillEllipse(W / 2 - 35, GROUND + 3, 95, 12, BLOOD);
    img.fillEllipse(W / 2 - 35, GROUND + 3, 90, 10, RED);
    img.fillEllipse(W / 2 - 35, GROUND + 3, 70, 7, mix(RED, GOLD, 0.3f));
    img.fillEllipse(W / 2 - 35, GROUND + 3, 66, 6, RED);
    return img;
}

// The sky behind the map's edges: banks of cloud drifting on blue, twice as
// wide as tall, tiling seamlessly (the noise is sampled at half speed across,
// so its period of 64 spans the picture's 128 columns).
Image clouds() {
    const int S = 64;
    Image img(2 * S, S);
    auto cover = [&](int x, int y) {
        float u = x * 0.5f;
        return 0.6f * valueNoise(u, y, 16, S, 111) + 0.3f * valueNoise(u, y, 8, S, 112) +
               0.1f * valueNoise(u, y, 4, S, 113);
    };
    for (int y = 0; y < S; y++) {
        for (int x = 0; x < 2 * S; x++) {
            float n = cover(x, y), below = cover(x, y - 2);
            Rgba c = mix(SEA_LIGHT, SKY, 0.35f);
            if (n > 0.54f)
                c = below > n + 0.01f ? mix(SKY, STONE_PALE, 0.5f) : WHITE;
            else if (n > 0.49f)
                c = mix(SKY, WHITE, 0.5f);
            img.set(x, y, c);
        }
    }
    return img;
}

// The hero's portrait for the character menu.
Image portrait() {
    const int PW = 60, PH = 72;
    Image img(PW, PH);
    for (int y = 0; y < PH; y++)
        for (int x = 0; x < PW; x++)
            img.set(x, y, mix(SEA_DARK, PLUM_DARK, y / (float)PH));
    img.fillEllipse(30, 30, 24, 24, withAlpha(SEA, 90));

    Image hero(PW, PH);
    hero.fillEllipse(30, 80, 30, 22, RED);       // the cape
    hero.fillEllipse(30, 80, 20, 20, SEA_LIGHT); // the tunic
    hero.fillEllipse(36, 84, 14, 20, SEA);
    hero.fillRect(25, 44, 11, 14, SKIN_SHADE);  // the neck
    hero.fillRect(22, 58, 17, 3, GOLD);         // the collar's trim
    hero.fillEllipse(17, 36, 3, 4, SKIN_SHADE); // the ears
    hero.fillEllipse(43, 36, 3, 4, SKIN_SHADE);
    hero.fillEllipse(30, 34, 13, 15, SKIN); // the face
    hero.fillEllipse(36, 38, 7, 11, withAlpha(SKIN_SHADE, 120));
    hero.fillEllipse(30, 22, 16, 11, WOOD_LIGHT); // the hair
    for (int s = 0; s < 5; s++) {                 // the fringe
        int x = 18 + s * 6;
        for (int i = 0; i < 6; i++)
            hero.fillRect(x + i / 2, 26 + i, 5 - i, 1, WOOD_LIGHT);
    }
    hero.fillRect(14, 22, 4, 20, WOOD_LIGHT);
    hero.fillRect(42, 22, 4, 18, WOOD);
    hero.fillEllipse(26, 16, 6, 3, WOOD_PALE);
    for (int side = 0; side < 2; side++) {
        int x = side ? 34 : 23;
        hero.fillRect(x - 1, 31, 6, 1, WOOD); // the brows
        hero.fillRect(x, 34, 4, 3, WHITE);    // the eyes
        hero.fillRect(x + 1 + side, 34, 2, 3, SEA_DARK);
        hero.set(x + 1 + side, 34, WHITE);
    }
    hero.fillRect(30, 37, 2, 5, SKIN_SHADE);               // the nose
    hero.fillRect(26, 45, 8, 1, shade(SKIN_SHADE, -0.3f)); // the mouth
    hero.fillRect(27, 46, 6, 1, SKIN_SHADE);
    outline(hero, INK);
    img.draw(hero, 0, 0);
    // The frame.
    for (int i = 0; i < 2; i++) {
        img.fillRect(i, i, PW - 2 * i, 1, i ? GOLD_PALE : GOLD);
        img.fillRect(i, PH - 1 - i, PW - 2 * i, 1, i ? ORANGE : GOLD);
        img.fillRect(i, i, 1, PH - 2 * i, i ? GOLD_PALE : GOLD);
        img.fillRect(PW - 1 - i, i, 1, PH - 2 * i, i ? ORANGE : GOLD);
    }
    return img;
}

} // namespace

void drawScenes(Assets& out) {
    out.push_back({"decor/grass.png", scaled(meadow(), GRAIN)});
    out.push_back({"decor/inside.png", scaled(hall(), GRAIN)});
    out.push_back({"gfx/clouds.jpg", scaled(clouds(), GRAIN)});
    out.push_back({"gfx/portrait.png", scaled(portrait(), GRAIN)});
}
