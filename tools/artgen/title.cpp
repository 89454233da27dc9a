// The title picture and the Rapture: the same six-floor tower of the game,
// once under a calm night sky with the game's name and the story in one
// line, once at the end of the world.
#include <algorithm>
#include <cmath>

#include "art.h"
#include "font.h"
#include "palette.h"

namespace {

const int W = 320, H = 240; // art pixels of a full screen

void verticalGradient(Image& img, const std::vector<Rgba>& stops, int top, int bottom) {
    for (int y = top; y < bottom; y++) {
        float f = (float)(y - top) / (bottom - top) * (stops.size() - 1);
        int i = std::min((int)f, (int)stops.size() - 2);
        Rgba c = mix(stops[i], stops[i + 1], f - i);
        for (int x = 0; x < img.w; x++)
            img.set(x, y, c);
    }
}

void stars(Image& img, int bottom, int seed) {
    for (int n = 0; n < 140; n++) {
        int x = (int)(random01(n, 0, seed) * img.w), y = (int)(random01(n, 1, seed) * bottom);
        img.set(x, y, n % 7 == 0 ? GOLD_PALE : withAlpha(WHITE, (uint8_t)(120 + n % 3 * 60)));
        if (n % 23 == 0) {
            img.set(x - 1, y, withAlpha(WHITE, 120));
            img.set(x + 1, y, withAlpha(WHITE, 120));
            img.set(x, y - 1, withAlpha(WHITE, 120));
            img.set(x, y + 1, withAlpha(WHITE, 120));
        }
    }
}

// Rolling hills: the ground line wanders around `level`.
void hills(Image& img, int level, int amplitude, int cell, int seed, Rgba c) {
    for (int x = 0; x < img.w; x++) {
        int top = level - (int)(amplitude * valueNoise(x, 0, cell, 0, seed));
        for (int y = top; y < img.h; y++)
            img.set(x, y, c);
    }
}

// The tower of six floors standing on `base`, lit windows on every floor.
void tower(Image& img, int cx, int base, Rgba stone, Rgba window, bool ruined) {
    const int half = 26, floorH = 17;
    int top = base - 6 * floorH;
    for (int y = top; y < base; y++) {
        for (int x = cx - half; x < cx + half; x++) {
            int course = (y - top) / 4;
            bool mortar = (y - top) % 4 == 3 || (x + (course % 2) * 4) % 8 == 0;
            Rgba c = mortar ? shade(stone, -0.25f) : stone;
            if (x < cx - half + 6)
                c = shade(c, 0.12f);
            if (x > cx + half - 8)
                c = shade(c, -0.2f);
            img.set(x, y, c);
        }
    }
    for (int f = 0; f < 6; f++) {
        int y = base - (f + 1) * floorH + 5;
        img.fillRect(cx - half - 2, base - f * floorH - 2, 2 * half + 4, 2, shade(stone, 0.2f));
        for (int w = -1; w <= 1; w++) {
            int x = cx + w * 15 - 3;
            bool lit = !ruined || (f + w) % 3 == 0;
            img.fillRect(x - 1, y - 1, 8, 11, shade(stone, -0.45f));
            img.fillRect(x, y, 6, 9, lit ? window : NIGHT);
            img.fillEllipse(x + 3, y + 1, 3, 2, lit ? window : NIGHT);
            if (lit)
                img.fillRect(x, y, 2, 9, shade(window, 0.4f));
        }
    }
    // The door at the foot of the tower.
    img.fillEllipse(cx, base - 10, 6, 6, WOOD_DARK);
    img.fillRect(cx - 6, base - 10, 12, 10, WOOD_DARK);
    img.fillRect(cx - 5, base - 9, 10, 9, WOOD);
    // The roof: a steep cone (broken off when the world ends).
    int peak = ruined ? top - 14 : top - 34;
    for (int y = peak; y < top; y++) {
        float f = (float)(y - peak) / (top - peak);
        int w = (int)(f * (half + 5));
        if (ruined && y < top - 8)
            w = std::max(w, half - 6 + (int)(random01(y, 0, 91) * 8));
        for (int x = cx - w; x <= cx + w; x++)
            img.set(x, y,
                    x < cx - w / 3 ? shade(PLUM, 0.15f) : (x > cx + w / 3 ? PLUM_DARK : PLUM));
    }
    if (!ruined) {
        img.fillRect(cx, peak - 12, 1, 12, STONE_PALE);
        img.fillRect(cx + 1, peak - 12, 8, 5, RED);
        img.fillRect(cx + 1, peak - 12, 8, 1, RED_LIGHT);
    }
}

// Lettering with an outline and a drop shadow, filled in a vertical ramp.
void logo(Image& img, const std::string& text, int y, int k, Rgba top, Rgba bottom) {
    int x = (img.w - labelWidth(text, k) - k / 2) / 2;
    Image letters(img.w, GLYPH_H * k + 8);
    // Bold: each stroke drawn twice, half a font pixel apart.
    drawLabel(letters, text, x, 2, WHITE, k);
    drawLabel(letters, text, x + k / 2, 2, WHITE, k);
    for (int j = 0; j < letters.h; j++)
        for (int i = 0; i < letters.w; i++)
            if (letters.get(i, j).a)
                letters.set(i, j, mix(top, bottom, (float)(j - 2) / (7 * k)));
    outline(letters, INK);
    outline(letters, INK);
    Image shadow(letters.w, letters.h);
    for (int j = 0; j < letters.h; j++)
        for (int i = 0; i < letters.w; i++)
            if (letters.get(i, j).a)
                shadow.set(i, j, withAlpha(NIGHT, 170));
    img.draw(shadow, 3, y + 3);
    img.draw(letters, 0, y);
}

// A line of small lettering centred on the picture, with a dark shadow.
void caption(Image& img, const std::string& text, int y) {
    int x = (W - labelWidth(text)) / 2;
    drawLabel(img, text, x + 1, y + 1, INK);
    drawLabel(img, text, x, y, WHITE);
}

Image title() {
    Image img(W, H);
    verticalGradient(img, {NIGHT, PLUM_DARK, PLUM, shade(PINK, -0.2f)}, 0, 190);
    stars(img, 150, 81);
    img.fillEllipse(262, 96, 17, 17, GOLD_PALE);
    img.fillEllipse(269, 91, 15, 15, mix(PLUM_DARK, PLUM, 0.4f));
    hills(img, 184, 22, 40, 82, mix(PLUM_DARK, SEA_DARK, 0.5f));
    tower(img, 160, 210, STONE, GOLD, false);
    hills(img, 222, 12, 28, 83, rgb(0x1d3b2f));
    hills(img, 230, 6, 18, 84, LEAF_DARK);
    logo(img, "Tessary", 8, 6, GOLD_PALE, ORANGE);
    // The premise, under the name.
    caption(img, "The Red Hood holds Tessary Tower: climb, free it!", 56);
    caption(img, "Press any key", 228);
    return img;
}

} // namespace

// The Rapture: a burning sky, beams of light, the ruined tower, souls rising.
Image raptureArt() {
    Image img(W, H);
    verticalGradient(img, {rgb(0x1a0710), BLOOD, RED, ORANGE, GOLD}, 0, 200);
    // The darkened sun.
    img.fillEllipse(160, 70, 34, 34, withAlpha(GOLD_PALE, 120));
    img.fillEllipse(160, 70, 28, 28, GOLD_PALE);
    img.fillEllipse(160, 70, 25, 25, rgb(0x1a0710));
    // Beams of light falling from the sky.
    for (int b = 0; b < 5; b++) {
        int x0 = 20 + b * 70;
        for (int y = 0; y < H; y++) {
            int half = 6 + y / 20;
            for (int x = x0 - half; x <= x0 + half; x++)
                img.blend(x + y / 6 - 20, y, withAlpha(GOLD_PALE, 40));
        }
    }
    hills(img, 196, 20, 36, 92, rgb(0x2a0c14));
    tower(img, 160, 214, shade(STONE_DARK, -0.3f), ORANGE, true);
    hills(img, 220, 10, 24, 93, NIGHT);
    // Cracks glowing in the ground.
    for (int c = 0; c < 9; c++) {
        int x = (int)(random01(c, 0, 94) * W), y = 224 + (int)(random01(c, 1, 94) * 14);
        for (int s = 0; s < 12; s++) {
            img.set(x, y, ORANGE);
            x += (int)(random01(c, s, 95) * 3) - 1 + (c % 2 ? 1 : -1);
            y += (int)(random01(c, s, 96) * 2);
        }
    }
    // Souls rising along the beams.
    for (int n = 0; n < 24; n++) {
        int x = (int)(random01(n, 0, 97) * W), y = 20 + (int)(random01(n, 1, 97) * 170);
        img.fillRect(x, y, 2, 3, withAlpha(WHITE, 220));
        img.set(x, y - 1, withAlpha(WHITE, 160));
        img.set(x + 1, y - 1, withAlpha(WHITE, 160));
        img.fillRect(x, y + 3, 2, 3, withAlpha(WHITE, 90));
    }
    return img;
}

void drawTitle(Assets& out) {
    out.push_back({"gfx/title.png", scaled(title(), GRAIN)});
}
