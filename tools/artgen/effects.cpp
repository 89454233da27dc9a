// The fight effects, each sized for where the fight draws it: over the enemy
// (slash, fire, lightning, earth, meteor, the hand), over the hero (the two
// heals and the revival), and the Rapture over the whole screen. Each spell
// has its own colour and shape so a player tells them apart at once: white
// arcs, green sparkles, an orange fireball, yellow bolts, brown boulders, a
// burning rock, a violet hand, a pillar of light, a golden halo.
#include <cmath>

#include "art.h"
#include "font.h"
#include "palette.h"

namespace {

const float PI = 3.14159265f;

// A soft round glow: opaque at the centre, fading out at radius r.
void glow(Image& img, float cx, float cy, float r, Rgba c, float strength = 1.0f) {
    for (int y = (int)(cy - r); y <= (int)(cy + r); y++) {
        for (int x = (int)(cx - r); x <= (int)(cx + r); x++) {
            float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / r;
            if (d < 1)
                img.blend(x, y, withAlpha(c, (uint8_t)(255 * strength * (1 - d) * (1 - d))));
        }
    }
}

// A four-pointed sparkle.
void sparkle(Image& img, int x, int y, int arm, Rgba tip, Rgba core) {
    for (int i = 1; i <= arm; i++) {
        img.set(x - i, y, tip);
        img.set(x + i, y, tip);
        img.set(x, y - i, tip);
        img.set(x, y + i, tip);
    }
    img.set(x, y, core);
}

// Three sweeping sword arcs side by side, white hot at their middles.
Image slash() {
    Image img(48, 48);
    const float r = 28;
    for (int arc = 0; arc < 3; arc++) {
        float cx = 4 + arc * 6, cy = 44 - arc * 6;
        for (float a = -PI / 2; a < 0.05f; a += 0.01f) {
            float t = (a + PI / 2) / (PI / 2); // 0 at the start of the arc, 1 at its end
            float width = 2.4f * std::sin(t * PI);
            for (float w = -width; w <= width; w += 0.5f) {
                int x = (int)(cx + (r + w) * std::cos(a)), y = (int)(cy + (r + w) * std::sin(a));
                img.set(x, y, std::fabs(w) < width * 0.45f ? WHITE : SKY);
            }
        }
    }
    outline(img, withAlpha(SEA_LIGHT, 160));
    return img;
}

// A stroke of round brush from one point to another.
void stroke(Image& img, float x0, float y0, float x1, float y1, float radius, Rgba c) {
    int steps = (int)(std::hypot(x1 - x0, y1 - y0) * 2) + 1;
    for (int i = 0; i <= steps; i++) {
        float t = (float)i / steps;
        img.fillEllipse(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, radius, radius, c);
    }
}

// Green sparkles and crosses rising around a soft glow.
Image healing() {
    Image img(48, 48);
    glow(img, 24, 26, 23, LEAF_PALE, 0.8f);
    glow(img, 24, 26, 12, WHITE, 0.5f);
    Image crosses(48, 48);
    const int spots[][2] = {{14, 12}, {33, 9}, {24, 24}, {10, 32}, {37, 30}, {22, 40}};
    for (const auto& p : spots) {
        crosses.fillRect(p[0] - 3, p[1] - 1, 7, 3, WHITE);
        crosses.fillRect(p[0] - 1, p[1] - 3, 3, 7, WHITE);
    }
    outline(crosses, LEAF);
    img.draw(crosses, 0, 0);
    for (int n = 0; n < 10; n++) {
        int x = 4 + (int)(random01(n, 0, 40) * 40), y = 4 + (int)(random01(n, 1, 40) * 40);
        sparkle(img, x, y, 1 + n % 2, LEAF_PALE, WHITE);
    }
    return img;
}

// A fireball: a teardrop of flame, hot yellow at its heart.
Image fireball() {
    Image img(36, 36);
    for (int y = 0; y < 36; y++) {
        for (int x = 0; x < 36; x++) {
            float dx = (x + 0.5f - 17) / 11.0f, dy = (y + 0.5f - 21) / 11.0f;
            float d = std::hypot(dx, dy);
            // Flames lick upward: the ball stretches into tongues above.
            float tongue = dy < 0 ? -dy * (0.6f + 0.8f * valueNoise(x, 0, 4, 0, 41)) : 0;
            float heat = 1 - d + tongue * 0.55f - 0.25f * valueNoise(x, y, 3, 0, 42);
            if (heat <= 0.05f)
                continue;
            Rgba c =
                heat > 0.7f ? GOLD_PALE : (heat > 0.45f ? GOLD : (heat > 0.22f ? ORANGE : RED));
            img.set(x, y, c);
        }
    }
    outline(img, withAlpha(BLOOD, 200));
    return img;
}

// A jagged bolt from (x, y) downward; `seed` shapes its zigzag.
void bolt(Image& img, int x, int y, int bottom, int seed, int thickness) {
    int n = 0;
    while (y < bottom) {
        int step = 3 + (int)(random01(n, 0, seed) * 4);
        int nx = x + (int)(random01(n, 1, seed) * 9) - 4;
        for (int i = 0; i < step; i++) {
            int px = x + (nx - x) * i / step, py = y + i;
            for (int t = -thickness; t <= thickness; t++)
                img.set(px + t, py, t == 0 ? WHITE : GOLD_PALE);
        }
        x = nx;
        y += step;
        n++;
    }
}

// Mr. Zappy: three yellow lightning bolts striking down.
Image lightning() {
    Image img(48, 48);
    glow(img, 24, 30, 22, GOLD, 0.35f);
    bolt(img, 24, 0, 46, 51, 2);
    bolt(img, 11, 4, 38, 52, 1);
    bolt(img, 37, 2, 40, 53, 1);
    outline(img, withAlpha(GOLD, 220));
    outline(img, withAlpha(ORANGE, 120));
    return img;
}

void boulder(Image& img, float cx, float cy, float r, int seed) {
    for (int y = (int)(cy - r); y <= (int)(cy + r); y++) {
        for (int x = (int)(cx - r); x <= (int)(cx + r); x++) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            float edge = r * (0.8f + 0.25f * valueNoise(x, y, 3, 0, seed));
            if (std::hypot(dx, dy) > edge)
                continue;
            float light = (-dx - dy) / r;
            Rgba c = light > 0.4f ? WOOD_PALE : (light > -0.3f ? WOOD_LIGHT : WOOD);
            if (random01(x, y, seed) < 0.08f)
                c = WOOD_DARK;
            img.set(x, y, c);
        }
    }
}

// Earth: boulders bursting from the ground in a cloud of dust.
Image earth() {
    Image img(48, 48);
    glow(img, 24, 44, 24, SAND, 0.6f);
    // Spikes of rock breaking through.
    for (int s = 0; s < 5; s++) {
        int base = 6 + s * 9, height = 10 + (s * 7) % 13;
        for (int y = 0; y < height; y++) {
            int half = (height - y) / 3 + 1;
            for (int x = -half; x <= half; x++)
                img.set(base + x, 46 - y, x < 0 ? STONE_LIGHT : STONE);
        }
    }
    boulder(img, 14, 16, 7, 61);
    boulder(img, 33, 10, 6, 62);
    boulder(img, 25, 28, 9, 63);
    boulder(img, 40, 26, 4, 64);
    outline(img, INK);
    return img;
}

// Meteor: a burning rock falling from the top left with its trail.
Image meteor() {
    Image img(48, 48);
    for (int t = 0; t < 30; t++) {
        float f = t / 30.0f;
        glow(img, 2 + t * 0.9f, 2 + t * 0.9f, 4 + f * 12, f > 0.6f ? GOLD : ORANGE,
             0.3f + f * 0.4f);
    }
    glow(img, 31, 31, 17, RED_LIGHT, 0.9f);
    glow(img, 31, 31, 13, GOLD_PALE, 1.0f);
    Image rock(48, 48);
    boulder(rock, 32, 32, 11, 71);
    for (int y = 0; y < 48; y++)
        for (int x = 0; x < 48; x++)
            if (rock.get(x, y).a && x + y < 60)
                rock.set(x, y, mix(rock.get(x, y), GOLD, 0.55f)); // the glowing front
    outline(rock, BLOOD);
    img.draw(rock, 0, 0);
    return img;
}

// The Hand of Death: a violet hand reaching down from above, claws first.
Image hand() {
    Image img(48, 64);
    glow(img, 24, 40, 24, PLUM, 0.6f);
    Image h(48, 64);
    h.fillRect(16, 0, 16, 22, PLUM_DARK);     // the forearm
    h.fillEllipse(24, 28, 11, 10, PLUM_DARK); // the palm
    // Fingers: from the palm's edge to the tips, spreading a little.
    const float fingers[][4] = {
        {16, 32, 13, 46}, {21, 34, 20, 52}, {27, 34, 28, 52}, {32, 32, 35, 46}};
    for (const auto& f : fingers)
        stroke(h, f[0], f[1], f[2], f[3], 2.2f, PLUM_DARK);
    stroke(h, 14, 24, 7, 34, 2.4f, PLUM_DARK); // the thumb
    // Bones glowing through the flesh.
    for (const auto& f : fingers)
        stroke(h, f[0], f[1] - 6, f[2], f[3] - 2, 0.5f, PLUM_LIGHT);
    stroke(h, 14, 24, 8, 32, 0.5f, PLUM_LIGHT);
    stroke(h, 21, 0, 22, 20, 0.6f, PLUM_LIGHT);
    stroke(h, 27, 0, 26, 20, 0.6f, PLUM_LIGHT);
    outline(h, INK);
    for (const auto& f : fingers)
        h.fillRect((int)f[2] - 1, (int)f[3] + 1, 2, 3, RED_LIGHT); // the claws
    h.fillRect(6, 36, 2, 2, RED_LIGHT);
    img.draw(h, 0, 0);
    return img;
}

// Full Heal: a pillar of white and green light over the hero.
Image pillar() {
    Image img(24, 56);
    for (int y = 0; y < 56; y++) {
        for (int x = 0; x < 24; x++) {
            float d = std::fabs(x + 0.5f - 12) / 12;
            float fade = y < 8 ? y / 8.0f : 1;
            Rgba c = d < 0.25f ? WHITE : (d < 0.55f ? mix(WHITE, LEAF_PALE, 0.6f) : TEAL_LIGHT);
            img.set(x, y, withAlpha(c, (uint8_t)(fade * 255 * (1 - d * d) * 0.85f)));
        }
    }
    for (int n = 0; n < 8; n++)
        sparkle(img, 3 + (n * 7) % 18, 6 + n * 6, 1, LEAF_PALE, WHITE);
    return img;
}

// Scorn & Abuse: a jagged red speech bubble full of curses.
Image scorn() {
    Image img(48, 48);
    for (int y = 0; y < 48; y++) {
        for (int x = 0; x < 48; x++) {
            float a = std::atan2(y + 0.5f - 20, x + 0.5f - 24);
            float r = 19 + 3 * std::sin(a * 9);
            if (std::hypot((x + 0.5f - 24) * 0.85f, y + 0.5f - 20) < r)
                img.set(x, y, RED);
        }
    }
    for (int i = 0; i < 8; i++)
        img.fillRect(10 - i, 34 + i, 4, 1, RED); // the bubble's tail
    outline(img, INK);
    drawLabel(img, "$%!?", 24 - labelWidth("$%!?") / 2, 16, GOLD_PALE);
    return img;
}

// The Messiah: a golden halo and a cross of light over the fallen hero.
Image messiah() {
    Image img(24, 56);
    for (int y = 0; y < 56; y++)
        for (int x = 0; x < 24; x++)
            img.set(x, y,
                    withAlpha(GOLD_PALE, (uint8_t)(90 * (1 - std::fabs(x + 0.5f - 12) / 12))));
    for (int y = 0; y < 24; y++)
        for (int x = 0; x < 24; x++) {
            float d = std::hypot((x + 0.5f - 12) / 10.0f, (y + 0.5f - 8) / 4.0f);
            if (d > 0.65f && d < 1)
                img.set(x, y, d < 0.8f ? GOLD_PALE : GOLD);
        }
    img.fillRect(11, 18, 2, 26, WHITE);
    img.fillRect(6, 25, 12, 2, WHITE);
    glow(img, 12, 26, 10, GOLD_PALE, 0.6f);
    sparkle(img, 4, 40, 2, GOLD, WHITE);
    sparkle(img, 19, 46, 2, GOLD, WHITE);
    sparkle(img, 18, 16, 1, GOLD, WHITE);
    return img;
}

} // namespace

Image raptureArt(); // title.cpp: it shares the title's landscape

void drawEffects(Assets& out) {
    out.push_back({"gfx/fx/slash.png", scaled(slash(), GRAIN)});
    out.push_back({"gfx/fx/heal1.png", scaled(healing(), GRAIN)});
    out.push_back({"gfx/fx/fire1.png", scaled(fireball(), GRAIN)});
    out.push_back({"gfx/fx/zappy.png", scaled(lightning(), GRAIN)});
    out.push_back({"gfx/fx/earth.png", scaled(earth(), GRAIN)});
    out.push_back({"gfx/fx/meteor.png", scaled(meteor(), GRAIN)});
    out.push_back({"gfx/fx/hand.png", scaled(hand(), GRAIN)});
    out.push_back({"gfx/fx/heal2.png", scaled(pillar(), GRAIN)});
    out.push_back({"gfx/fx/scorn.png", scaled(scorn(), GRAIN)});
    out.push_back({"gfx/fx/messiah.png", scaled(messiah(), GRAIN)});
    out.push_back({"gfx/fx/rapture.png", scaled(raptureArt(), GRAIN)});
}
