// Missing pictures that the game cannot go on without: each has its own
// message on standard error and ends the game with status 1; when several
// are missing, the one checked first in the loading order speaks.
#include <ostream>
#include <string>
#include <vector>

#include "assets/loading.h"

namespace {

struct Fatal {
    std::string file;
    std::string message; // exactly, line feed or not
};

void PrintTo(const Fatal& f, std::ostream* os) {
    *os << f.file;
}

class FatalFile : public AssetLoading, public ::testing::WithParamInterface<Fatal> {};

TEST_P(FatalFile, AloneMissingEndsTheGameWithItsMessage) {
    tree.remove(GetParam().file);
    expectBuildToFail(GetParam().message);
}

// Every fatal file with its message.
std::vector<Fatal> fatalFiles() {
    std::vector<Fatal> table;
    auto add = [&table](const std::string& file, const std::string& message) {
        table.push_back({file, message});
    };
    // The first image of the player and of row 1 have messages of their own;
    // every other sprite file is reported by its row in the table and heading.
    // QUIRK: the folders do not follow the rows (npc3 is row 6, npc4 row 4...).
    const char* folders[] = {"pc",   "npc0", "npc1", "npc2", "npc4",
                             "npc5", "npc3", "npc6", "npc7", "npc8"};
    const int headings[] = {4, 4, 1, 4, 1, 4, 4, 4, 4, 1};
    for (int row = 0; row < 10; row++) {
        for (int h = 0; h < headings[row]; h++) {
            std::string file =
                std::string("data/gfx/sprites/") + folders[row] + "/" + std::to_string(h) + ".png";
            if (row == 0 && h == 0)
                add(file, file + " missing");
            else if (row == 1 && h == 0)
                add(file, file + " missing\n");
            else
                add(file, "Character " + std::to_string(row) + ", heading " + std::to_string(h) +
                              " missing\n");
        }
    }
    // QUIRK: the messages of tiles 00 to 02 have no line feed.
    for (int i = 0; i < 8; i++) {
        std::string file = "data/gfx/tiles/0" + std::to_string(i) + ".png";
        add(file, file + (i < 3 ? " missing!" : " missing!\n"));
    }
    add("data/gfx/clouds.jpg", "data/gfx/clouds.jpg is missing\n");
    add("data/decor/grass.png", "Fight scene background 0 not located\n");
    add("data/decor/inside.png", "Fight scene background 1 not located\n");
    add("data/font.ttf", "Could not load data/font.ttf\n");
    // Every effect is required, the scorn picture too although nothing draws it.
    const char* effects[] = {"slash", "heal1", "fire1", "zappy",   "earth",  "meteor",
                             "hand",  "heal2", "scorn", "messiah", "rapture"};
    for (int i = 0; i < 11; i++)
        add(std::string("data/gfx/fx/") + effects[i] + ".png",
            "missing " + std::to_string(i) + " fight fx\n");
    return table;
}
INSTANTIATE_TEST_SUITE_P(Pictures, FatalFile, ::testing::ValuesIn(fatalFiles()));

TEST_F(AssetLoading, UndecodableFileCountsAsMissing) {
    tree.write("data/gfx/tiles/04.png", "not a picture at all");
    expectBuildToFail("data/gfx/tiles/04.png missing!\n");
}

TEST_F(AssetLoading, MissingNpcFileIsReportedByTheNpcLoader) {
    tree.remove("data/npcs.qor");
    expectBuildToFail("NPC file data/npcs.qor missing\n");
}

struct TwoMissing {
    const char* first;
    const char* second;
    const char* message; // of the file checked first
};

void PrintTo(const TwoMissing& t, std::ostream* os) {
    *os << t.first << " + " << t.second;
}

class FirstCheckedSpeaks : public AssetLoading, public ::testing::WithParamInterface<TwoMissing> {};

TEST_P(FirstCheckedSpeaks, WhenTwoFilesAreMissing) {
    tree.remove(GetParam().first);
    tree.remove(GetParam().second);
    expectBuildToFail(GetParam().message);
}

const TwoMissing PAIRS[] = {
    // The player's first image before row 1's.
    {"data/gfx/sprites/npc0/0.png", "data/gfx/sprites/pc/0.png",
     "data/gfx/sprites/pc/0.png missing"},
    // Row 1's first image is checked before the backdrop is even loaded.
    {"data/gfx/clouds.jpg", "data/gfx/sprites/npc0/0.png", "data/gfx/sprites/npc0/0.png missing\n"},
    // The backdrop is checked before the sprite table.
    {"data/gfx/sprites/npc2/0.png", "data/gfx/clouds.jpg", "data/gfx/clouds.jpg is missing\n"},
    // The sprite table is checked row by row, heading by heading.
    {"data/gfx/sprites/npc3/1.png", "data/gfx/sprites/npc5/2.png",
     "Character 5, heading 2 missing\n"},
    {"data/gfx/sprites/npc5/3.png", "data/gfx/sprites/npc5/1.png",
     "Character 5, heading 1 missing\n"},
    // Sprites before tiles, tiles in order, tiles before backgrounds.
    {"data/gfx/tiles/00.png", "data/gfx/sprites/npc8/0.png", "Character 9, heading 0 missing\n"},
    {"data/gfx/tiles/03.png", "data/gfx/tiles/01.png", "data/gfx/tiles/01.png missing!"},
    {"data/decor/grass.png", "data/gfx/tiles/07.png", "data/gfx/tiles/07.png missing!\n"},
    // Both backgrounds are loaded before either is checked: index 0 speaks.
    {"data/decor/inside.png", "data/decor/grass.png", "Fight scene background 0 not located\n"},
    // Backgrounds before the NPC file, the NPC file before the effects.
    {"data/npcs.qor", "data/decor/inside.png", "Fight scene background 1 not located\n"},
    {"data/gfx/fx/slash.png", "data/npcs.qor", "NPC file data/npcs.qor missing\n"},
    // Effects in index order, all before the font.
    {"data/gfx/fx/scorn.png", "data/gfx/fx/zappy.png", "missing 3 fight fx\n"},
    {"data/font.ttf", "data/gfx/fx/rapture.png", "missing 10 fight fx\n"},
};
INSTANTIATE_TEST_SUITE_P(Order, FirstCheckedSpeaks, ::testing::ValuesIn(PAIRS));

} // namespace
