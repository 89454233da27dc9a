// The art generator's canvas: an RGBA image and the few drawing operations
// every picture of the game is made from. All pictures are drawn at half size
// ("art pixels") and doubled at the end, which gives the game one pixel-art
// grain throughout.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgba {
    uint8_t r, g, b, a;
};

const Rgba CLEAR = {0, 0, 0, 0};

constexpr Rgba rgb(uint32_t hex) {
    return Rgba{uint8_t(hex >> 16), uint8_t(hex >> 8), uint8_t(hex), 255};
}

// Mixes two colours: t = 0 gives a, t = 1 gives b (alpha mixed too).
Rgba mix(Rgba a, Rgba b, float t);
// Lighter (amount > 0) or darker (amount < 0) version of a colour.
Rgba shade(Rgba c, float amount);
// The same colour with another opacity.
Rgba withAlpha(Rgba c, uint8_t alpha);

class Image {
  public:
    int w = 0, h = 0;
    std::vector<Rgba> px;

    Image() = default;
    Image(int width, int height, Rgba fill = CLEAR);

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    Rgba get(int x, int y) const { return inside(x, y) ? px[(size_t)y * w + x] : CLEAR; }
    // Replaces a pixel (ignored outside the image).
    void set(int x, int y, Rgba c);
    // Paints a pixel over what is there, by the colour's opacity.
    void blend(int x, int y, Rgba c);

    void fillRect(int x, int y, int rw, int rh, Rgba c);
    void fillEllipse(float cx, float cy, float rx, float ry, Rgba c);
    void line(int x0, int y0, int x1, int y1, Rgba c);
    // Draws another image over this one, blending by its opacity.
    void draw(const Image& src, int x, int y);
};

// Each art pixel becomes a k x k block.
Image scaled(const Image& src, int k);
// Scaled down by averaging k x k blocks (for the contact sheet).
Image shrunk(const Image& src, int k);
// Left and right swapped.
Image mirrored(const Image& src);
// Every clear pixel beside (not diagonally) an opaque one becomes `ink`.
void outline(Image& img, Rgba ink);

// Pixel art written as text: one string per row, one character per pixel.
// Characters found in `palette` (pairs of character and colour) are painted,
// every other character leaves the pixel as it is.
struct Swatch {
    char key;
    Rgba colour;
};
void paintText(Image& img, int x, int y, const std::vector<std::string>& rows,
               const std::vector<Swatch>& palette);

// Deterministic noise: a hash of a position and a seed, and smooth value
// noise that repeats every `period` pixels (0: never) so tiles can wrap.
uint32_t hash3(int x, int y, int seed);
float random01(int x, int y, int seed);
float valueNoise(float x, float y, int cell, int period, int seed);
