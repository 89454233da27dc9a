// The fourteen item icons of the shop and the item strip, 48 x 48 to fill the
// 49-pixel rows: 0 healing potion, 1, 11 and 12 spell scrolls, 2 key, 3 to 6
// blades, 7 to 9 armour, 10 shield, 13 mana potion.
#include <cmath>

#include "art.h"
#include "items.h"
#include "palette.h"

Image potionArt(Rgba liquid) {
    Image img(24, 24);
    const float cx = 11.5f, cy = 14.5f, r = 7.5f;
    for (int y = 6; y < 23; y++) {
        for (int x = 3; x < 21; x++) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            if (dx * dx + dy * dy > r * r)
                continue;
            Rgba c = y >= 11 ? liquid : mix(STONE_PALE, SKY, 0.4f);
            if (y == 11)
                c = shade(liquid, 0.35f);
            else if (y > 11 && dx > 3.0f)
                c = shade(liquid, -0.3f);
            img.set(x, y, c);
        }
    }
    img.fillRect(10, 4, 4, 4, mix(STONE_PALE, SKY, 0.4f));
    img.fillRect(9, 2, 6, 3, WOOD_LIGHT);
    img.fillRect(9, 4, 6, 1, WOOD);
    // The shine on the glass.
    img.set(7, 12, WHITE);
    img.set(7, 13, WHITE);
    img.set(8, 11, WHITE);
    img.set(6, 15, withAlpha(WHITE, 160));
    outline(img, INK);
    return img;
}

Image swordArt(const Blade& b) {
    Image img(24, 24);
    int hx = 20 - b.length, hy = 3 + b.length; // where the blade leaves the guard
    // Three diagonals side by side: the lit edge, the blade, the shaded edge.
    for (int t = 0; t <= b.length; t++) {
        int x = hx + t, y = hy - t;
        img.set(x, y, t == b.length ? b.edge : b.blade);
        if (t < b.length) {
            img.set(x - 1, y, b.edge);
            img.set(x + 1, y, shade(b.blade, -0.3f));
        }
    }
    int gx = hx - 1, gy = hy + 1;
    for (int k = -b.guardHalf; k <= b.guardHalf; k++) {
        img.set(gx + k, gy + k, b.guard);
        img.set(gx + k + 1, gy + k, shade(b.guard, 0.3f));
    }
    for (int s = 1; s <= 3; s++) {
        img.set(gx - s, gy + s, b.grip);
        img.set(gx - s + 1, gy + s, shade(b.grip, 0.25f));
    }
    img.fillRect(gx - 5, gy + 4, 2, 2, b.pommel);
    outline(img, INK);
    return img;
}

namespace {

Image scroll(Rgba ribbon) {
    Image img(24, 24);
    for (int y = 6; y < 18; y++) {
        for (int x = 6; x < 18; x++) {
            Rgba c = x < 8 ? GOLD_PALE : (x > 15 ? SAND : mix(GOLD_PALE, SAND, 0.35f));
            if (y % 3 == 1 && x > 7 && x < 16 && (x + y) % 5 != 0)
                c = SAND_SHADE; // lines of the spell
            img.set(x, y, c);
        }
    }
    for (int end = 0; end < 2; end++) {
        int y0 = end ? 18 : 3;
        for (int y = y0; y < y0 + 3; y++)
            for (int x = 5; x < 19; x++)
                img.set(x, y, y == y0 + 1 ? SAND : (y == y0 ? GOLD_PALE : SAND_SHADE));
        img.set(4, y0 + 1, WOOD);
        img.set(19, y0 + 1, WOOD);
    }
    img.fillRect(11, 6, 2, 12, ribbon);
    img.fillEllipse(12, 12, 2.6f, 2.6f, shade(ribbon, -0.2f));
    img.set(11, 11, shade(ribbon, 0.4f));
    outline(img, INK);
    return img;
}

Image key() {
    Image img(24, 24);
    img.fillEllipse(6.5f, 12, 4.8f, 4.8f, GOLD);
    img.fillEllipse(5.8f, 11.3f, 2.6f, 2.6f, GOLD_PALE);
    img.fillEllipse(6.5f, 12, 1.8f, 1.8f, CLEAR);
    for (int y = 0; y < 24; y++)
        for (int x = 0; x < 24; x++)
            if (img.get(x, y).a && std::hypot(x + 0.5f - 6.5f, y + 0.5f - 12) < 2.2f)
                img.set(x, y, CLEAR);
    img.fillRect(11, 11, 10, 2, GOLD);
    img.fillRect(11, 11, 10, 1, GOLD_PALE);
    img.fillRect(16, 13, 2, 3, ORANGE);
    img.fillRect(19, 13, 2, 4, ORANGE);
    outline(img, INK);
    return img;
}

// A cuirass of leather (0), chain (1) or plate (2).
Image armour(int kind) {
    const Rgba base[] = {WOOD_LIGHT, STONE_LIGHT, STONE_PALE};
    const Rgba trim[] = {WOOD_DARK, STONE_DARK, GOLD};
    Image img(24, 24);
    for (int y = 4; y < 21; y++) {
        int inset = y > 14 ? 1 : 0;
        for (int x = 6 + inset; x < 18 - inset; x++) {
            Rgba c = base[kind];
            if (x < 9)
                c = shade(c, 0.2f);
            else if (x > 14)
                c = shade(c, -0.2f);
            if (kind == 1 && (x + y) % 2 == 0)
                c = shade(c, -0.3f);
            if (kind == 0 && (x == 11 || x == 12) && y % 2 == 0)
                c = WOOD_DARK; // the lacing
            if (kind == 2 && x == 9 && y > 6 && y < 14)
                c = WHITE;
            if (y == 16 || y == 17)
                c = trim[kind];
            img.set(x, y, c);
        }
    }
    img.fillEllipse(11.5f, 3.5f, 3.2f, 2.8f, CLEAR);
    for (int side = 0; side < 2; side++) {
        float cx = side ? 18.5f : 5.5f;
        img.fillEllipse(cx, 7, 3.4f, 3.0f, trim[kind]);
        img.fillEllipse(cx - 0.6f, 6.4f, 2.0f, 1.6f, shade(trim[kind], 0.35f));
    }
    for (int x = 8; x < 16; x += 2)
        img.fillRect(x, 18, 1, 3, shade(trim[kind], -0.2f));
    outline(img, INK);
    return img;
}

Image roundShield() {
    Image img(24, 24);
    img.fillEllipse(12, 12, 9.5f, 9.5f, STONE);
    for (int y = 0; y < 24; y++) {
        for (int x = 0; x < 24; x++) {
            float d = std::hypot(x + 0.5f - 12, y + 0.5f - 12);
            if (d > 8.2f)
                continue;
            Rgba plank = (x / 4) % 2 ? WOOD : WOOD_LIGHT;
            img.set(x, y, x % 4 == 3 ? WOOD_DARK : plank);
        }
    }
    img.fillEllipse(12, 12, 3, 3, STONE_LIGHT);
    img.fillEllipse(11.3f, 11.3f, 1.4f, 1.4f, WHITE);
    img.set(5, 7, STONE_PALE);
    img.set(7, 5, STONE_PALE);
    outline(img, INK);
    return img;
}

} // namespace

void drawItems(Assets& out) {
    const Blade shortSword = {11, STONE_LIGHT, WHITE, STONE, WOOD, STONE};
    const Blade dagger = {7, STONE_LIGHT, WHITE, GOLD, WOOD_DARK, GOLD, 2};
    const Blade longSword = {14, STONE_LIGHT, WHITE, GOLD, BLOOD, RED, 4};
    const Blade runeBlade = {13, SEA_LIGHT, TEAL_LIGHT, PLUM_LIGHT, PLUM_DARK, GOLD, 3};
    Image icons[14] = {potionArt(RED_LIGHT),
                       scroll(RED),
                       key(),
                       swordArt(shortSword),
                       swordArt(dagger),
                       swordArt(longSword),
                       swordArt(runeBlade),
                       armour(0),
                       armour(1),
                       armour(2),
                       roundShield(),
                       scroll(SEA_LIGHT),
                       scroll(LEAF_LIGHT),
                       potionArt(SEA_LIGHT)};
    for (int i = 0; i < 14; i++)
        out.push_back({"gfx/items/" + std::to_string(i) + ".png", scaled(icons[i], GRAIN)});
}
