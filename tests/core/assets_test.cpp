// Picture loading: those the game cannot go on without end it with their own
// message on standard error and status 1 (when several are missing, the one
// checked first speaks; each alone is in pictures_test.cpp); the others leave
// their entry empty.
#include "support/harness.h"

namespace {

const std::string SPRITES = "data/gfx/sprites/";

class AssetsTest : public GameTest {
  protected:
    std::string out, err; // what the construction wrote

    void startRecording() {
        startCapture();
        testing::internal::CaptureStderr();
        game.reset(new CGame());
        err = testing::internal::GetCapturedStderr();
        out = stopCapture();
    }
    void expectBuildToFail(const std::string& message) {
        EXPECT_EXIT(game.reset(new CGame()), ::testing::ExitedWithCode(1), ::testing::Eq(message))
            << "a needed picture that cannot be loaded ends the game with its message";
    }
};

TEST_F(AssetsTest, MissingNeededPictureEndsTheGameWithTheMessageOfTheFirstChecked) {
    const struct {
        std::vector<std::string> files;
        std::string message; // exactly, line feed or not
    } cases[] = {
        {{SPRITES + "npc0/0.png", SPRITES + "pc/0.png"}, SPRITES + "pc/0.png missing"},
        {{"data/gfx/clouds.jpg", SPRITES + "npc0/0.png"}, SPRITES + "npc0/0.png missing\n"},
        {{SPRITES + "npc2/0.png", "data/gfx/clouds.jpg"}, "data/gfx/clouds.jpg is missing\n"},
        // QUIRK: the folders do not follow the rows (npc3 is row 6, npc4 row 4).
        {{SPRITES + "npc3/1.png", SPRITES + "npc5/2.png"}, "Character 5, heading 2 missing\n"},
        {{"data/gfx/tiles/00.png", SPRITES + "npc8/0.png"}, "Character 9, heading 0 missing\n"},
        {{"data/gfx/tiles/03.png", "data/gfx/tiles/02.png"}, "data/gfx/tiles/02.png missing!"},
        {{"data/decor/grass.png", "data/gfx/tiles/03.png"}, "data/gfx/tiles/03.png missing!\n"},
        {{"data/decor/inside.png", "data/decor/grass.png"},
         "Fight scene background 0 not located\n"},
        {{"data/gfx/fx/slash.png", "data/decor/inside.png"},
         "Fight scene background 1 not located\n"},
        {{"data/font.ttf", "data/gfx/fx/rapture.png"}, "missing 10 fight fx\n"},
        {{"data/font.ttf"}, "Could not load data/font.ttf\n"},
    };
    // Each case moves its pictures aside and back, in the one tree: a death
    // test's child runs the cases before its own again, so they must be cheap.
    for (const auto& c : cases) {
        for (const std::string& file : c.files)
            rename(file.c_str(), (file + ".aside").c_str());
        expectBuildToFail(c.message);
        for (const std::string& file : c.files)
            rename((file + ".aside").c_str(), file.c_str());
    }
}

// A file that is no picture, or is larger than the game accepts, counts as
// missing.
TEST_F(AssetsTest, BadPictureInANeededSlotEndsTheGame) {
    for (const char* bad : {"text", "png-4097-wide"}) {
        tree.write("data/gfx/clouds.jpg", readFile(std::string(TESSARY_BAD_PICTURES "/") + bad));
        expectBuildToFail("data/gfx/clouds.jpg is missing\n");
    }
}

// Loading goes on past them: the item icons are said one by one.
TEST_F(AssetsTest, MissingOrBadOptionalPictureLeavesItsEntryEmptySilently) {
    tree.remove("data/icn/heart.png");
    tree.write("data/gfx/portrait.png", "no picture");
    tree.remove("data/gfx/items/5.png");
    tree.remove("data/gfx/items/13.png"); // the last one
    startRecording();
    for (int i = 0; i < ICON_COUNT; i++) {
        bool removed = i == ICON_HEART;
        EXPECT_EQ(game->icons[i] == nullptr, removed) << "only a bad icon is left out: " << i;
    }
    EXPECT_EQ(game->portrait, nullptr) << "a bad portrait leaves its entry empty";
    EXPECT_EQ(err, "") << "an optional picture is left out silently";
    for (const char* gap : {"Item 4 is existant\nItem load error, 5\nItem 6 is existant\n",
                            "Item 12 is existant\nItem load error, 13\nSurfaces loaded...\n"})
        EXPECT_NE(out.find(gap), std::string::npos) << out;
    EXPECT_EQ(game->itemIcons[5], nullptr) << "a missing item icon leaves its entry empty";
    EXPECT_NE(game->fx[FX_RAPTURE], nullptr) << "the last fight effect is still loaded";
}

} // namespace
