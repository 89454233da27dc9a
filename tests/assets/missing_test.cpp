// Missing pictures that the game cannot go on without: each has its own
// message on standard error and ends the game with status 1; when several
// are missing, the one checked first in the loading order speaks.
#include <ostream>

#include "assets/loading.h"

namespace {

struct Fatal {
    const char* file;
    const char* message; // exactly, line feed or not
};

void PrintTo(const Fatal& f, std::ostream* os) {
    *os << f.file;
}

class FatalFile : public AssetLoading, public ::testing::WithParamInterface<Fatal> {};

TEST_P(FatalFile, AloneMissingEndsTheGameWithItsMessage) {
    tree.remove(GetParam().file);
    expectBuildToFail(GetParam().message);
}

// The first image of the player and of row 1 have messages of their own;
// every other sprite file is reported by its row in the table and heading.
// QUIRK: the folders do not follow the rows (npc3 is row 6, npc4 row 4...).
const Fatal SPRITES[] = {
    {"data/gfx/sprites/pc/0.png", "data/gfx/sprites/pc/0.png missing"},
    {"data/gfx/sprites/pc/1.png", "Character 0, heading 1 missing\n"},
    {"data/gfx/sprites/pc/2.png", "Character 0, heading 2 missing\n"},
    {"data/gfx/sprites/pc/3.png", "Character 0, heading 3 missing\n"},
    {"data/gfx/sprites/npc0/0.png", "data/gfx/sprites/npc0/0.png missing\n"},
    {"data/gfx/sprites/npc0/1.png", "Character 1, heading 1 missing\n"},
    {"data/gfx/sprites/npc0/2.png", "Character 1, heading 2 missing\n"},
    {"data/gfx/sprites/npc0/3.png", "Character 1, heading 3 missing\n"},
    {"data/gfx/sprites/npc1/0.png", "Character 2, heading 0 missing\n"},
    {"data/gfx/sprites/npc2/0.png", "Character 3, heading 0 missing\n"},
    {"data/gfx/sprites/npc2/1.png", "Character 3, heading 1 missing\n"},
    {"data/gfx/sprites/npc2/2.png", "Character 3, heading 2 missing\n"},
    {"data/gfx/sprites/npc2/3.png", "Character 3, heading 3 missing\n"},
    {"data/gfx/sprites/npc4/0.png", "Character 4, heading 0 missing\n"},
    {"data/gfx/sprites/npc5/0.png", "Character 5, heading 0 missing\n"},
    {"data/gfx/sprites/npc5/1.png", "Character 5, heading 1 missing\n"},
    {"data/gfx/sprites/npc5/2.png", "Character 5, heading 2 missing\n"},
    {"data/gfx/sprites/npc5/3.png", "Character 5, heading 3 missing\n"},
    {"data/gfx/sprites/npc3/0.png", "Character 6, heading 0 missing\n"},
    {"data/gfx/sprites/npc3/1.png", "Character 6, heading 1 missing\n"},
    {"data/gfx/sprites/npc3/2.png", "Character 6, heading 2 missing\n"},
    {"data/gfx/sprites/npc3/3.png", "Character 6, heading 3 missing\n"},
    {"data/gfx/sprites/npc6/0.png", "Character 7, heading 0 missing\n"},
    {"data/gfx/sprites/npc6/1.png", "Character 7, heading 1 missing\n"},
    {"data/gfx/sprites/npc6/2.png", "Character 7, heading 2 missing\n"},
    {"data/gfx/sprites/npc6/3.png", "Character 7, heading 3 missing\n"},
    {"data/gfx/sprites/npc7/0.png", "Character 8, heading 0 missing\n"},
    {"data/gfx/sprites/npc7/1.png", "Character 8, heading 1 missing\n"},
    {"data/gfx/sprites/npc7/2.png", "Character 8, heading 2 missing\n"},
    {"data/gfx/sprites/npc7/3.png", "Character 8, heading 3 missing\n"},
    {"data/gfx/sprites/npc8/0.png", "Character 9, heading 0 missing\n"},
};
INSTANTIATE_TEST_SUITE_P(Sprites, FatalFile, ::testing::ValuesIn(SPRITES));

// QUIRK: the messages of tiles 00 to 02 have no line feed.
const Fatal TILES[] = {
    {"data/gfx/tiles/00.png", "data/gfx/tiles/00.png missing!"},
    {"data/gfx/tiles/01.png", "data/gfx/tiles/01.png missing!"},
    {"data/gfx/tiles/02.png", "data/gfx/tiles/02.png missing!"},
    {"data/gfx/tiles/03.png", "data/gfx/tiles/03.png missing!\n"},
    {"data/gfx/tiles/04.png", "data/gfx/tiles/04.png missing!\n"},
    {"data/gfx/tiles/05.png", "data/gfx/tiles/05.png missing!\n"},
    {"data/gfx/tiles/06.png", "data/gfx/tiles/06.png missing!\n"},
    {"data/gfx/tiles/07.png", "data/gfx/tiles/07.png missing!\n"},
};
INSTANTIATE_TEST_SUITE_P(Tiles, FatalFile, ::testing::ValuesIn(TILES));

const Fatal SCENES[] = {
    {"data/gfx/clouds.jpg", "data/gfx/clouds.jpg is missing\n"},
    {"data/decor/grass.png", "Fight scene background 0 not located\n"},
    {"data/decor/inside.png", "Fight scene background 1 not located\n"},
    {"data/font.ttf", "Could not load data/font.ttf\n"},
};
INSTANTIATE_TEST_SUITE_P(Scenes, FatalFile, ::testing::ValuesIn(SCENES));

// Every effect is required, the scorn picture too although nothing draws it.
const Fatal EFFECTS[] = {
    {"data/gfx/fx/slash.png", "missing 0 fight fx\n"},
    {"data/gfx/fx/heal1.png", "missing 1 fight fx\n"},
    {"data/gfx/fx/fire1.png", "missing 2 fight fx\n"},
    {"data/gfx/fx/zappy.png", "missing 3 fight fx\n"},
    {"data/gfx/fx/earth.png", "missing 4 fight fx\n"},
    {"data/gfx/fx/meteor.png", "missing 5 fight fx\n"},
    {"data/gfx/fx/hand.png", "missing 6 fight fx\n"},
    {"data/gfx/fx/heal2.png", "missing 7 fight fx\n"},
    {"data/gfx/fx/scorn.png", "missing 8 fight fx\n"},
    {"data/gfx/fx/messiah.png", "missing 9 fight fx\n"},
    {"data/gfx/fx/rapture.png", "missing 10 fight fx\n"},
};
INSTANTIATE_TEST_SUITE_P(Effects, FatalFile, ::testing::ValuesIn(EFFECTS));

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
