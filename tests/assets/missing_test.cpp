// Missing pictures the game cannot go on without: each has its own message on
// standard error and ends the game with status 1; when several are missing,
// the one checked first in the loading order speaks.
#include <fstream>
#include <iterator>

#include "assets/loading.h"

namespace {

struct Fatal {
    std::vector<std::string> files;
    std::string message; // exactly, line feed or not
};

void PrintTo(const Fatal& f, std::ostream* os) {
    for (const std::string& file : f.files)
        *os << file << " ";
}

class FatalFiles : public AssetLoading, public ::testing::WithParamInterface<Fatal> {};

TEST_P(FatalFiles, EndTheGameWithTheMessageOfTheFirstChecked) {
    for (const std::string& file : GetParam().files)
        tree.remove(file);
    expectBuildToFail(GetParam().message);
}

const std::string SPRITES = "data/gfx/sprites/";

INSTANTIATE_TEST_SUITE_P(
    Pictures, FatalFiles,
    ::testing::Values(
        // The first images of the player and of row 1 have messages of their
        // own, checked before the backdrop; the player's without a line feed.
        Fatal{{SPRITES + "npc0/0.png", SPRITES + "pc/0.png"}, SPRITES + "pc/0.png missing"},
        Fatal{{"data/gfx/clouds.jpg", SPRITES + "npc0/0.png"}, SPRITES + "npc0/0.png missing\n"},
        Fatal{{SPRITES + "npc2/0.png", "data/gfx/clouds.jpg"}, "data/gfx/clouds.jpg is missing\n"},
        // The rest of the table by row and heading, row by row.
        // QUIRK: the folders do not follow the rows (npc3 is row 6, npc4 row 4).
        Fatal{{SPRITES + "pc/3.png"}, "Character 0, heading 3 missing\n"},
        Fatal{{SPRITES + "npc3/1.png", SPRITES + "npc5/2.png"}, "Character 5, heading 2 missing\n"},
        Fatal{{SPRITES + "npc3/1.png"}, "Character 6, heading 1 missing\n"},
        Fatal{{"data/gfx/tiles/00.png", SPRITES + "npc8/0.png"},
              "Character 9, heading 0 missing\n"},
        // QUIRK: the messages of tiles 00 to 02 have no line feed.
        Fatal{{"data/gfx/tiles/03.png", "data/gfx/tiles/02.png"}, "data/gfx/tiles/02.png missing!"},
        Fatal{{"data/decor/grass.png", "data/gfx/tiles/03.png"},
              "data/gfx/tiles/03.png missing!\n"},
        // Both backgrounds are loaded before either is checked: index 0 speaks.
        Fatal{{"data/decor/inside.png", "data/decor/grass.png"},
              "Fight scene background 0 not located\n"},
        Fatal{{"data/npcs.qor", "data/decor/inside.png"}, "Fight scene background 1 not located\n"},
        Fatal{{"data/gfx/fx/slash.png", "data/npcs.qor"}, "NPC file data/npcs.qor missing\n"},
        // Every effect is required, the scorn picture too although nothing draws it.
        Fatal{{"data/gfx/fx/scorn.png"}, "missing 8 fight fx\n"},
        Fatal{{"data/font.ttf", "data/gfx/fx/rapture.png"}, "missing 10 fight fx\n"},
        Fatal{{"data/font.ttf"}, "Could not load data/font.ttf\n"}));

// A file that is no picture of the type its name gives, or is larger than the
// game accepts, counts as missing: in a slot the game needs (the backdrop is
// checked before the tiles) and in one it can do without. "other type" is the
// tree's own picture of the other type: a JPEG named .png, a PNG named .jpg.
class BadPicture : public AssetLoading, public ::testing::WithParamInterface<std::string> {
  protected:
    void plant(const std::string& slot) {
        bool jpeg = slot.size() > 4 && slot.compare(slot.size() - 4, 4, ".jpg") == 0;
        std::string other = jpeg ? "data/gfx/tiles/03.png" : "data/gfx/clouds.jpg";
        tree.write(slot, GetParam() == "other type"
                             ? readAll(tree.path(other))
                             : readAll(std::string(TESSARY_BAD_PICTURES "/") + GetParam()));
    }
    static std::string readAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

TEST_P(BadPicture, CountsAsMissing) {
    for (const char* slot :
         {"data/gfx/portrait.png", "data/gfx/tiles/04.png", "data/gfx/clouds.jpg"})
        plant(slot);
    expectBuildToFail("data/gfx/clouds.jpg is missing\n");
    tree.writeImage("data/gfx/clouds.jpg", 100, 80);
    expectBuildToFail("data/gfx/tiles/04.png missing!\n");
    tree.writeImage("data/gfx/tiles/04.png", 48, 48);
    startRecording();
    EXPECT_EQ(game->portrait, nullptr);
    EXPECT_EQ(err, "");
}

INSTANTIATE_TEST_SUITE_P(Kinds, BadPicture,
                         ::testing::Values("text", "gif-picture", "gif-header-junk",
                                           "xcf-header-junk", "png-4097-wide", "other type"));

} // namespace
