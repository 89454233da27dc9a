// DataTree: a complete game data tree written for one test in a temporary
// folder, with images of known colours, so a test can build the game object
// without the shipped campaign and read back what was drawn.
#pragma once

#include <string>

struct Rgb {
    unsigned char r, g, b;
};

class DataTree {
  public:
    // Writes the whole tree: every image the game loads, the font, a map of
    // floor cells ('3') and empty NPC, quest and shop files.
    DataTree();
    ~DataTree(); // leaves the folder (if entered) and deletes it

    // Makes the tree's folder the working directory (the game reads "data/...").
    void enter();
    // Absolute path of a file of the tree; writing and deleting a file of it.
    std::string path(const std::string& relative) const;
    void write(const std::string& relative, const std::string& contents) const;
    void remove(const std::string& relative) const;

    // The colour an image of the tree is painted in (opaque part).
    static Rgb colourOf(const std::string& relative);
    // Writes a PNG of w x h in the colour of its path; with a transparent
    // border of `border` pixels (characters keep the tile visible around them).
    void writeImage(const std::string& relative, int w, int h, int border = 0) const;

    const std::string& root() const { return dir; }

  private:
    std::string dir;
    std::string previousDir;
    bool entered;
};

// The tree's image of a character row and heading, and of a tile.
std::string spriteFile(int row, int heading);
std::string tileFile(int index);

// The whole of a file, or "" when it cannot be read.
std::string readFile(const std::string& path);

// A 100 x 100 map where every cell has `fill`.
std::string mapText(char fill);
// Records as the game's data files hold them.
// `hp` is both its hit points and its maximum.
std::string npcRecord(const std::string& name, int x, int y, int hostile = 0, int character = 3,
                      const std::string& line = "Hello.", int hp = 20);
std::string questRecord(const std::string& text, int x, int y, int floor = 0, int rewardKey = 0);
// The 16-line shop record of a good; `flags` holds the lines between the name
// and the armour class: healing potion, scroll, seven spells, key, mana potion.
std::string goodRecord(const std::string& name, int price, int icon, int weaponMod, int armour,
                       const std::string& flags = "00000000000");
