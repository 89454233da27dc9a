// The application icon a desktop shows for the installed game: the hero,
// facing the player, at the usual fixed sizes and as a scalable picture.
#include <cstdio>
#include <cstring>

#include "art.h"

// The name under which desktops look the icon up.
static const char* const ICON_NAME = "org.tessary.tessary";

Image appIconArt() {
    return characterArt(0, 2);
}

void drawAppIcons(Assets& out) {
    const Image art = appIconArt();
    for (int size : {48, 64, 128, 256}) {
        // The largest whole multiple of the art pixels that fits, centred.
        int k = size / art.w;
        Image big = scaled(art, k);
        Image icon(size, size);
        int left = (size - big.w) / 2, top = (size - big.h) / 2;
        for (int y = 0; y < big.h; y++)
            for (int x = 0; x < big.w; x++)
                icon.set(left + x, top + y, big.get(x, y));
        std::string folder = std::to_string(size) + "x" + std::to_string(size);
        out.push_back({"hicolor/" + folder + "/apps/" + ICON_NAME + ".png", icon});
    }
}

std::string appIconFile() {
    return std::string("hicolor/scalable/apps/") + ICON_NAME + ".svg";
}

// One square per art pixel, runs of a colour along a row joined into one
// rectangle; edges kept crisp so that it scales like the pixel art it is.
std::string svgOf(const Image& art) {
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      std::to_string(art.w * 2) + "\" height=\"" + std::to_string(art.h * 2) +
                      "\" viewBox=\"0 0 " + std::to_string(art.w) + " " + std::to_string(art.h) +
                      "\" shape-rendering=\"crispEdges\">\n";
    for (int y = 0; y < art.h; y++) {
        int x = 0;
        while (x < art.w) {
            Rgba c = art.get(x, y);
            int run = 1;
            while (x + run < art.w && memcmp(&art.px[(size_t)y * art.w + x + run], &c, 4) == 0)
                run++;
            if (c.a != 0) {
                char rect[160];
                snprintf(rect, sizeof rect,
                         "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"1\" fill=\"#%02x%02x%02x\"",
                         x, y, run, c.r, c.g, c.b);
                svg += rect;
                if (c.a != 255) {
                    snprintf(rect, sizeof rect, " fill-opacity=\"%.3f\"", c.a / 255.0);
                    svg += rect;
                }
                svg += "/>\n";
            }
            x += run;
        }
    }
    return svg + "</svg>\n";
}
