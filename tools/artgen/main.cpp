// tessary_artgen: draws every picture the game loads and writes it into a
// data folder; the build runs it to lay the images into build/data/.
//
//   tessary_artgen <data folder> [--contact-sheet <file.png>] [--only <path prefix>]
//                  [--icons <icon theme folder>]
//
// The contact sheet shows every picture with its path, for review; --only
// limits the sheet to the pictures whose path starts with the prefix.
// --icons writes the installed game's icon into hicolor/ in the folder given.
// The drawing is deterministic: the same source gives the same files.
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include <stb/stb_image_write.h>

#include "art.h"
#include "font.h"
#include "palette.h"

static bool makeParents(const std::string& file) {
    for (size_t i = 1; i < file.size(); i++) {
        if (file[i] != '/')
            continue;
        std::string dir = file.substr(0, i);
        struct stat info;
        if (stat(dir.c_str(), &info) != 0 && mkdir(dir.c_str(), 0755) != 0)
            return false;
    }
    return true;
}

static bool endsWith(const std::string& s, const char* tail) {
    size_t n = strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

static bool writeImage(const std::string& file, const Image& img) {
    if (!makeParents(file))
        return false;
    const void* data = img.px.data();
    if (endsWith(file, ".jpg")) {
        // JPEG holds no alpha: the backdrop is opaque anyway.
        return stbi_write_jpg(file.c_str(), img.w, img.h, 4, data, 92) != 0;
    }
    return stbi_write_png(file.c_str(), img.w, img.h, 4, data, img.w * 4) != 0;
}

static bool writeText(const std::string& file, const std::string& text) {
    if (!makeParents(file))
        return false;
    FILE* out = fopen(file.c_str(), "wb");
    if (!out)
        return false;
    bool written = fwrite(text.data(), 1, text.size(), out) == text.size();
    return fclose(out) == 0 && written;
}

static bool writeIcons(const std::string& dir) {
    Assets icons;
    drawAppIcons(icons);
    for (const Asset& icon : icons) {
        if (!writeImage(dir + "/" + icon.path, icon.image)) {
            fprintf(stderr, "cannot write %s\n", (dir + "/" + icon.path).c_str());
            return false;
        }
    }
    std::string svg = dir + "/" + appIconFile();
    if (!writeText(svg, svgOf(appIconArt()))) {
        fprintf(stderr, "cannot write %s\n", svg.c_str());
        return false;
    }
    return true;
}

// One sheet with every picture and its path, for reviewing the art at a glance:
// small pictures shown doubled, large ones reduced, on a checkerboard that
// shows their transparency.
static Image contactSheet(const Assets& all, const std::string& only) {
    Assets assets;
    for (const Asset& asset : all)
        if (asset.path.compare(0, only.size(), only) == 0)
            assets.push_back(asset);
    const int cellW = 180, cellH = 190, columns = 8, box = 160;
    int rows = ((int)assets.size() + columns - 1) / columns;
    Image sheet(cellW * columns, cellH * rows, rgb(0x2a2838));
    for (size_t n = 0; n < assets.size(); n++) {
        const Image& img = assets[n].image;
        int left = (int)(n % columns) * cellW, top = (int)(n / columns) * cellH;
        Image shown = img;
        for (int k = 3; k > 1 && shown.w == img.w; k--)
            if (img.w * k <= box && img.h * k <= box)
                shown = scaled(img, k);
        for (int k = 2; shown.w > box || shown.h > box; k++)
            shown = shrunk(img, k);
        int x = left + (cellW - shown.w) / 2, y = top + 4 + (box - shown.h) / 2;
        for (int j = 0; j < shown.h; j++)
            for (int i = 0; i < shown.w; i++)
                sheet.set(x + i, y + j, ((i / 8 + j / 8) % 2) ? rgb(0x55536a) : rgb(0x77758c));
        sheet.draw(shown, x, y);
        std::string path = "data/" + assets[n].path;
        std::string size = std::to_string(img.w) + "x" + std::to_string(img.h);
        drawLabel(sheet, path, left + (cellW - labelWidth(path)) / 2, top + box + 8, WHITE);
        drawLabel(sheet, size, left + (cellW - labelWidth(size)) / 2, top + box + 18, STONE_PALE);
    }
    return sheet;
}

int main(int argc, char** argv) {
    std::string dataDir, sheetFile, only, iconDir;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--contact-sheet") == 0 && i + 1 < argc)
            sheetFile = argv[++i];
        else if (strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            only = argv[++i];
        else if (strcmp(argv[i], "--icons") == 0 && i + 1 < argc)
            iconDir = argv[++i];
        else if (dataDir.empty() && argv[i][0] != '-')
            dataDir = argv[i];
        else
            dataDir.clear(), i = argc;
    }
    if (dataDir.empty()) {
        fprintf(stderr,
                "usage: %s <data folder> [--contact-sheet <file.png>] [--only <prefix>]"
                " [--icons <folder>]\n",
                argv[0]);
        return 2;
    }

    Assets assets;
    drawTiles(assets);
    drawCharacters(assets);
    drawIcons(assets);
    drawItems(assets);
    drawEffects(assets);
    drawScenes(assets);
    drawTitle(assets);

    for (const Asset& asset : assets) {
        std::string file = dataDir + "/" + asset.path;
        if (!writeImage(file, asset.image)) {
            fprintf(stderr, "cannot write %s\n", file.c_str());
            return 1;
        }
    }
    if (!iconDir.empty() && !writeIcons(iconDir))
        return 1;
    if (!sheetFile.empty() && !writeImage(sheetFile, contactSheet(assets, only))) {
        fprintf(stderr, "cannot write %s\n", sheetFile.c_str());
        return 1;
    }
    printf("Drew %zu pictures into %s\n", assets.size(), dataDir.c_str());
    return 0;
}
