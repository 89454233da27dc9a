// DataTree: temporary data trees with images of known colours.
#include "support/datatree.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include <stb/stb_image_write.h>

static const char* const SPRITE_FOLDERS[10] = {"pc",   "npc0", "npc1", "npc2", "npc4",
                                               "npc5", "npc3", "npc6", "npc7", "npc8"};
static const int SPRITE_FILE_COUNTS[10] = {4, 4, 1, 4, 1, 4, 4, 4, 4, 1};

// Makes the folders leading to a file.
static void makeDirs(const std::string& file) {
    for (size_t i = 1; i < file.size(); i++)
        if (file[i] == '/')
            mkdir(std::string(file, 0, i).c_str(), 0755);
}

Rgb DataTree::colourOf(const std::string& relative) {
    // FNV-1a of the path; the top bits of each channel differ between images
    // so they stay apart on a 16-bit screen.
    unsigned h = 2166136261u;
    for (char c : relative)
        h = (h ^ (unsigned char)c) * 16777619u;
    Rgb colour;
    colour.r = (unsigned char)(((h >> 0) & 0xF8) | 0x04);
    colour.g = (unsigned char)(((h >> 8) & 0xFC) | 0x02);
    colour.b = (unsigned char)(((h >> 16) & 0xF8) | 0x04);
    return colour;
}

void DataTree::writeImage(const std::string& relative, int w, int h, int border) const {
    std::string full = path(relative);
    makeDirs(full);
    Rgb colour = colourOf(relative);
    std::string pixels((size_t)w * h * 4, '\0');
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            bool inside = x >= border && y >= border && x < w - border && y < h - border;
            char* p = &pixels[((size_t)y * w + x) * 4];
            p[0] = colour.r;
            p[1] = colour.g;
            p[2] = colour.b;
            p[3] = inside ? 255 : 0;
        }
    }
    // The game decodes a picture by its name: ".jpg" files must be JPEGs.
    if (full.compare(full.size() - 4, 4, ".jpg") == 0)
        stbi_write_jpg(full.c_str(), w, h, 4, pixels.data(), 100);
    else
        stbi_write_png(full.c_str(), w, h, 4, pixels.data(), w * 4);
}

static void removeFolder(const std::string& dir) {
    std::string command = "rm -rf '" + dir + "'";
    if (system(command.c_str()) != 0)
        fprintf(stderr, "could not remove %s\n", dir.c_str());
}

// The trees of a process are folders of one folder of its own, removed when
// the process ends: a death test's child leaves through exit() without
// running destructors. The working directory may be in it, so the shell that
// removes it starts at the root.
static const std::string& processFolder() {
    static std::string folder;
    if (folder.empty()) {
        char templ[] = "/tmp/tessary-test-XXXXXX";
        if (!mkdtemp(templ)) {
            perror("mkdtemp");
            abort();
        }
        folder = templ;
        atexit([] {
            if (chdir("/") == 0)
                removeFolder(folder);
        });
    }
    return folder;
}

DataTree::DataTree() : entered(false) {
    static int trees = 0;
    dir = processFolder() + "/" + std::to_string(trees++);
    mkdir(dir.c_str(), 0755);
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd))
        previousDir = cwd;

    for (int r = 0; r < 10; r++)
        for (int h = 0; h < SPRITE_FILE_COUNTS[r]; h++)
            writeImage(spriteFile(r, h), 48, 48, 8);
    for (int i = 0; i < 8; i++)
        writeImage(tileFile(i), 48, 48);
    for (const char* icon : {"data/icn/fight.png", "data/icn/defend.png", "data/icn/magick.png",
                             "data/icn/heart.png", "data/icn/manap.png", "data/gfx/scrollup.png",
                             "data/gfx/scrolldown.png", "data/gfx/soldout.png"})
        writeImage(icon, 40, 40);
    writeImage("data/gfx/shop.png", 200, 300);
    writeImage("data/decor/grass.png", 640, 480);
    writeImage("data/decor/inside.png", 640, 480);
    writeImage("data/gfx/title.png", 640, 480);
    writeImage("data/gfx/portrait.png", 120, 120);
    // The backdrop is a JPEG; a PNG under that name loads just as well.
    writeImage("data/gfx/clouds.jpg", 100, 80);
    for (const char* name : {"slash", "heal1", "fire1", "zappy", "earth", "meteor", "hand", "heal2",
                             "scorn", "messiah", "rapture"})
        writeImage(std::string("data/gfx/fx/") + name + ".png", 60, 60);
    for (int i = 0; i < 14; i++)
        writeImage("data/gfx/items/" + std::to_string(i) + ".png", 40, 40);

    std::ifstream font(TESSARY_TEST_FONT, std::ios::binary);
    write("data/font.ttf", std::string(std::istreambuf_iterator<char>(font), {}));

    write("data/map.qor", mapText('3'));
    for (const char* empty : {"data/npcs.qor", "data/quests.qor", "data/shopdata.qor"})
        write(empty, "");
}

DataTree::~DataTree() {
    if (entered && !previousDir.empty() && chdir(previousDir.c_str()) != 0)
        perror("chdir");
    removeFolder(dir);
}

void DataTree::enter() {
    if (chdir(dir.c_str()) != 0) {
        perror("chdir");
        abort();
    }
    entered = true;
}

std::string DataTree::path(const std::string& relative) const {
    return dir + "/" + relative;
}

void DataTree::write(const std::string& relative, const std::string& contents) const {
    std::string full = path(relative);
    makeDirs(full);
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out << contents;
}

void DataTree::remove(const std::string& relative) const {
    unlink(path(relative).c_str());
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string mapText(char fill) {
    std::string contents;
    for (int y = 0; y < 100; y++)
        contents += std::string(100, fill) + "\n";
    return contents;
}

std::string spriteFile(int row, int heading) {
    int file = SPRITE_FILE_COUNTS[row] == 1 ? 0 : heading; // one image for every heading
    return std::string("data/gfx/sprites/") + SPRITE_FOLDERS[row] + "/" + std::to_string(file) +
           ".png";
}

std::string tileFile(int index) {
    return "data/gfx/tiles/0" + std::to_string(index) + ".png";
}

std::string npcRecord(const std::string& name, int x, int y, int hostile, int character,
                      const std::string& line, int hp) {
    std::string points = std::to_string(hp) + "\n";
    return points + points + "0\n0\n" + std::to_string(hostile) + "\n" + name + "\n" + line + "\n" +
           std::to_string(x) + "\n" + std::to_string(y) + "\n" + std::to_string(character) + "\n";
}

std::string questRecord(const std::string& text, int x, int y, int floor, int rewardKey) {
    return std::to_string(x) + "\n" + std::to_string(y) + "\n" + std::to_string(floor) + "\n" +
           text + "\n" + std::to_string(rewardKey) + "\n";
}

std::string goodRecord(const std::string& name, int price, int icon, int weaponMod, int armour,
                       const std::string& flags) {
    std::string text = std::to_string(price) + "\n" + std::to_string(icon) + "\n" +
                       std::to_string(weaponMod) + "\n" + name + "\n";
    for (char flag : flags)
        text += std::string(1, flag) + "\n";
    return text + std::to_string(armour) + "\n";
}
