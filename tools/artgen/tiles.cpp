// The map tiles, one per cell code: grass outdoors ('0'), wall ('1'), open
// door ('2'), plank floor ('3'), flagstone floor ('4'), crate ('5'), stairs
// up ('6') and locked door ('7'). Blocking cells are darker and framed so a
// player reads the floor plan at a glance. Every tile wraps onto itself.
#include "art.h"
#include "palette.h"

namespace {

const int T = 24; // tile size in art pixels

Image grass() {
    Image img(T, T, LEAF);
    for (int y = 0; y < T; y++)
        for (int x = 0; x < T; x++)
            if (random01(x, y, 1) < 0.22f)
                img.set(x, y, mix(LEAF, LEAF_LIGHT, 0.45f));
    // Tufts of blades: a light tip over a dark root, wrapping at the edges.
    for (int n = 0; n < 14; n++) {
        int x = (int)(random01(n, 0, 2) * T), y = (int)(random01(n, 1, 2) * T);
        img.set(x, y, LEAF_DARK);
        img.set((x + 1) % T, y, LEAF_DARK);
        img.set(x, (y + T - 1) % T, LEAF_LIGHT);
        img.set((x + 2) % T, (y + T - 1) % T, LEAF_PALE);
    }
    // A few flowers.
    const int flowers[][2] = {{5, 6}, {17, 15}, {9, 19}};
    for (int n = 0; n < 3; n++) {
        Rgba petal = n == 1 ? GOLD : WHITE;
        int x = flowers[n][0], y = flowers[n][1];
        img.set(x - 1, y, petal);
        img.set(x + 1, y, petal);
        img.set(x, y - 1, petal);
        img.set(x, y + 1, petal);
        img.set(x, y, n == 1 ? ORANGE : GOLD);
    }
    return img;
}

// Stone bricks of 12 x 6 in courses offset by half a brick.
Image wall() {
    Image img(T, T, STONE_DARK);
    for (int course = 0; course < 4; course++) {
        int offset = course % 2 ? 6 : 0;
        for (int b = -1; b < 2; b++) {
            int x0 = b * 12 + offset, y0 = course * 6;
            Rgba face = mix(STONE, STONE_LIGHT, 0.2f + 0.4f * random01(b + 2, course, 3));
            for (int y = y0; y < y0 + 5; y++) {
                for (int x = x0; x < x0 + 11; x++) {
                    Rgba c = face;
                    if (y == y0)
                        c = shade(face, 0.25f);
                    else if (y == y0 + 4 || x == x0 + 10)
                        c = shade(face, -0.25f);
                    else if (random01(x, y, 4) < 0.08f)
                        c = shade(face, -0.12f);
                    img.set((x + T) % T, y, c);
                }
            }
        }
    }
    return img;
}

// Planks running across, 4 art pixels wide, with staggered joints.
Image planks() {
    Image img(T, T);
    for (int row = 0; row < 6; row++) {
        Rgba board = mix(WOOD, WOOD_LIGHT, row % 2 ? 0.45f : 0.8f);
        int joint = (row * 9 + 5) % T;
        for (int y = row * 4; y < row * 4 + 4; y++) {
            for (int x = 0; x < T; x++) {
                Rgba c = board;
                if (y == row * 4 + 3)
                    c = WOOD_DARK;
                else if (x == joint)
                    c = shade(board, -0.35f);
                else if (random01(x / 3, y, 5 + row) < 0.25f)
                    c = shade(board, -0.08f);
                img.set(x, y, c);
            }
        }
    }
    return img;
}

// Square flagstones, two by two, with grout.
Image flagstones() {
    Image img(T, T, SAND_SHADE);
    for (int j = 0; j < 2; j++) {
        for (int i = 0; i < 2; i++) {
            Rgba face = (i + j) % 2 ? SAND : mix(SAND, SAND_SHADE, 0.3f);
            for (int y = j * 12; y < j * 12 + 11; y++) {
                for (int x = i * 12; x < i * 12 + 11; x++) {
                    Rgba c = face;
                    if (x == i * 12 || y == j * 12)
                        c = shade(face, 0.2f);
                    else if (random01(x, y, 6) < 0.1f)
                        c = shade(face, -0.1f);
                    img.set(x, y, c);
                }
            }
        }
    }
    return img;
}

// The stone jambs at both sides of a doorway.
void jambs(Image& img) {
    Image stones = wall();
    for (int y = 0; y < T; y++) {
        for (int x = 0; x < 4; x++) {
            img.set(x, y, stones.get(x + 4, y));
            img.set(T - 1 - x, y, stones.get(x + 10, y));
        }
        img.set(4, y, INK);
        img.set(T - 5, y, INK);
    }
}

// An open door: planks through the doorway, the leaf swung against the left jamb.
Image openDoor() {
    Image img = planks();
    jambs(img);
    for (int y = 1; y < T - 1; y++) {
        img.set(5, y, WOOD_DARK);
        img.set(6, y, WOOD_LIGHT);
        img.set(7, y, WOOD);
        img.set(8, y, INK);
    }
    img.set(7, 12, GOLD);
    return img;
}

// A locked door: a closed, iron-banded leaf with a golden lock plate.
Image lockedDoor() {
    Image img(T, T);
    jambs(img);
    for (int y = 0; y < T; y++) {
        for (int x = 5; x < T - 5; x++) {
            Rgba c = (x - 5) % 4 == 3 ? WOOD_DARK : ((x - 5) % 4 == 0 ? WOOD_LIGHT : WOOD);
            if (y == 4 || y == 5 || y == 18 || y == 19)
                c = (x % 3 == 0 && (y == 4 || y == 18)) ? STONE_PALE : STONE_DARK;
            img.set(x, y, c);
        }
    }
    img.fillRect(9, 9, 6, 7, INK);
    img.fillRect(10, 10, 4, 5, GOLD);
    img.set(10, 10, GOLD_PALE);
    img.fillRect(11, 11, 2, 2, INK);
    img.set(11, 13, INK);
    return img;
}

// A wooden crate on the plank floor, with a shadow under its right side.
Image crate() {
    Image img = planks();
    img.fillRect(5, 5, 18, 18, withAlpha(INK, 110));
    img.fillRect(2, 2, 19, 19, INK);
    for (int y = 3; y < 20; y++) {
        for (int x = 3; x < 20; x++) {
            bool frame = x < 5 || x > 17 || y < 5 || y > 17;
            bool brace = x - y >= -1 && x - y <= 1;
            Rgba c = frame ? WOOD : (brace ? WOOD_LIGHT : mix(WOOD, WOOD_LIGHT, 0.4f));
            if (!frame && !brace && (y - 5) % 4 == 3)
                c = shade(c, -0.25f);
            img.set(x, y, c);
        }
    }
    for (int i = 3; i < 20; i++) {
        img.set(i, 3, WOOD_PALE);
        img.set(3, i, WOOD_PALE);
    }
    const int nails[][2] = {{4, 4}, {18, 4}, {4, 18}, {18, 18}};
    for (const auto& n : nails)
        img.set(n[0], n[1], STONE_PALE);
    return img;
}

// Stairs climbing toward the top: treads lit from above, risers in shadow,
// narrowing as they go up, between wooden rails.
Image stairs() {
    Image img(T, T, STONE_DARK);
    for (int step = 0; step < 6; step++) {
        int y0 = step * 4;
        float far = (5 - step) / 5.0f;
        Rgba tread = mix(SAND, SAND_SHADE, far * 0.8f);
        for (int x = 3; x < T - 3; x++) {
            img.set(x, y0, shade(tread, 0.3f));
            img.set(x, y0 + 1, tread);
            img.set(x, y0 + 2, tread);
            img.set(x, y0 + 3, mix(SAND_SHADE, STONE_DARK, 0.5f + far * 0.3f));
        }
    }
    for (int y = 0; y < T; y++) {
        img.set(0, y, WOOD_DARK);
        img.set(1, y, WOOD_LIGHT);
        img.set(2, y, WOOD);
        img.set(T - 3, y, WOOD_LIGHT);
        img.set(T - 2, y, WOOD);
        img.set(T - 1, y, WOOD_DARK);
    }
    // An arrow up the middle: these lead to the next floor.
    for (int i = 0; i < 4; i++)
        img.fillRect(12 - i, 3 + i, 2 * i, 1, GOLD);
    img.fillRect(11, 7, 2, 4, GOLD);
    return img;
}

} // namespace

Image tileArt(int code) {
    switch (code) {
    case 0:
        return grass();
    case 1:
        return wall();
    case 2:
        return openDoor();
    case 3:
        return planks();
    case 4:
        return flagstones();
    case 5:
        return crate();
    case 6:
        return stairs();
    default:
        return lockedDoor();
    }
}

void drawTiles(Assets& out) {
    for (int code = 0; code < 8; code++)
        out.push_back(
            {"gfx/tiles/0" + std::to_string(code) + ".png", scaled(tileArt(code), GRAIN)});
}
