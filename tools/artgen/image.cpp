// The canvas operations of the art generator.
#include "image.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

static uint8_t channel(float v) {
    return (uint8_t)std::lround(std::min(255.0f, std::max(0.0f, v)));
}

Rgba mix(Rgba a, Rgba b, float t) {
    return Rgba{channel(a.r + (b.r - a.r) * t), channel(a.g + (b.g - a.g) * t),
                channel(a.b + (b.b - a.b) * t), channel(a.a + (b.a - a.a) * t)};
}

Rgba shade(Rgba c, float amount) {
    Rgba target = amount > 0 ? Rgba{255, 250, 235, c.a} : Rgba{20, 12, 40, c.a};
    return mix(c, target, std::fabs(amount));
}

Rgba withAlpha(Rgba c, uint8_t alpha) {
    return Rgba{c.r, c.g, c.b, alpha};
}

Image::Image(int width, int height, Rgba fill)
    : w(width), h(height), px((size_t)width * height, fill) {}

void Image::set(int x, int y, Rgba c) {
    if (inside(x, y))
        px[(size_t)y * w + x] = c;
}

void Image::blend(int x, int y, Rgba c) {
    if (!inside(x, y) || c.a == 0)
        return;
    Rgba& d = px[(size_t)y * w + x];
    if (c.a == 255 || d.a == 0) {
        d = c;
        return;
    }
    float sa = c.a / 255.0f, da = d.a / 255.0f;
    float oa = sa + da * (1 - sa);
    auto over = [&](uint8_t s, uint8_t t) { return channel((s * sa + t * da * (1 - sa)) / oa); };
    d = Rgba{over(c.r, d.r), over(c.g, d.g), over(c.b, d.b), channel(oa * 255)};
}

void Image::fillRect(int x, int y, int rw, int rh, Rgba c) {
    for (int j = y; j < y + rh; j++)
        for (int i = x; i < x + rw; i++)
            blend(i, j, c);
}

void Image::fillEllipse(float cx, float cy, float rx, float ry, Rgba c) {
    if (rx <= 0 || ry <= 0)
        return;
    for (int y = (int)std::floor(cy - ry); y <= (int)std::ceil(cy + ry); y++) {
        for (int x = (int)std::floor(cx - rx); x <= (int)std::ceil(cx + rx); x++) {
            float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            if (dx * dx + dy * dy <= 1.0f)
                blend(x, y, c);
        }
    }
}

void Image::line(int x0, int y0, int x1, int y1, Rgba c) {
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        blend(x0, y0, c);
        if (x0 == x1 && y0 == y1)
            return;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Image::draw(const Image& src, int x, int y) {
    for (int j = 0; j < src.h; j++)
        for (int i = 0; i < src.w; i++)
            blend(x + i, y + j, src.get(i, j));
}

Image scaled(const Image& src, int k) {
    Image out(src.w * k, src.h * k);
    for (int y = 0; y < out.h; y++)
        for (int x = 0; x < out.w; x++)
            out.px[(size_t)y * out.w + x] = src.get(x / k, y / k);
    return out;
}

Image shrunk(const Image& src, int k) {
    Image out(src.w / k, src.h / k);
    for (int y = 0; y < out.h; y++) {
        for (int x = 0; x < out.w; x++) {
            float r = 0, g = 0, b = 0, a = 0;
            for (int j = 0; j < k; j++) {
                for (int i = 0; i < k; i++) {
                    Rgba c = src.get(x * k + i, y * k + j);
                    r += c.r * c.a;
                    g += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                }
            }
            if (a > 0)
                out.set(x, y,
                        Rgba{channel(r / a), channel(g / a), channel(b / a), channel(a / (k * k))});
        }
    }
    return out;
}

Image mirrored(const Image& src) {
    Image out(src.w, src.h);
    for (int y = 0; y < src.h; y++)
        for (int x = 0; x < src.w; x++)
            out.set(src.w - 1 - x, y, src.get(x, y));
    return out;
}

void outline(Image& img, Rgba ink) {
    Image before = img;
    for (int y = 0; y < img.h; y++) {
        for (int x = 0; x < img.w; x++) {
            if (before.get(x, y).a != 0)
                continue;
            if (before.get(x - 1, y).a > 128 || before.get(x + 1, y).a > 128 ||
                before.get(x, y - 1).a > 128 || before.get(x, y + 1).a > 128)
                img.set(x, y, ink);
        }
    }
}

void paintText(Image& img, int x, int y, const std::vector<std::string>& rows,
               const std::vector<Swatch>& palette) {
    for (size_t j = 0; j < rows.size(); j++) {
        for (size_t i = 0; i < rows[j].size(); i++) {
            for (const Swatch& s : palette) {
                if (s.key == rows[j][i]) {
                    img.set(x + (int)i, y + (int)j, s.colour);
                    break;
                }
            }
        }
    }
}

uint32_t hash3(int x, int y, int seed) {
    uint32_t h = (uint32_t)x * 374761393u + (uint32_t)y * 668265263u + (uint32_t)seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

float random01(int x, int y, int seed) {
    return (hash3(x, y, seed) & 0xFFFFFF) / 16777216.0f;
}

float valueNoise(float x, float y, int cell, int period, int seed) {
    float fx = x / cell, fy = y / cell;
    int x0 = (int)std::floor(fx), y0 = (int)std::floor(fy);
    float tx = fx - x0, ty = fy - y0;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    int cells = period > 0 ? period / cell : 0;
    auto corner = [&](int cx, int cy) {
        if (cells > 0) {
            cx = ((cx % cells) + cells) % cells;
            cy = ((cy % cells) + cells) % cells;
        }
        return random01(cx, cy, seed);
    };
    float top = corner(x0, y0) + (corner(x0 + 1, y0) - corner(x0, y0)) * tx;
    float bottom = corner(x0, y0 + 1) + (corner(x0 + 1, y0 + 1) - corner(x0, y0 + 1)) * tx;
    return top + (bottom - top) * ty;
}
