// The checker loads the game's pictures with the game's loader: each one
// refused is reported with what the game then does.
#include "tiny.h"

namespace {

using PictureCheckTest = CheckerTest;

TEST_F(PictureCheckTest, PicturesTheGameRefusesAreReportedWithTheGamesMessage) {
    tree.write("data/gfx/clouds.jpg", "no picture at all");
    tree.remove("data/gfx/tiles/05.png");
    tree.remove("data/gfx/items/3.png");
    Report report;
    EXPECT_TRUE(checkPictures(dir, report)) << "a tree with pictures is checked";
    const std::string refused = "the game's picture loader refuses it (missing, not of its type "
                                "or over 4096 pixels on a side): ";
    const struct {
        std::string file, text;
    } expected[] = {
        {"/gfx/clouds.jpg", refused + "the game ends with \"data/gfx/clouds.jpg is missing\""},
        {"/gfx/tiles/05.png", refused + "the game ends with \"data/gfx/tiles/05.png missing!\""},
        {"/gfx/items/3.png", refused + "the game goes on without it"},
    };
    ASSERT_EQ(report.problems.size(), 3u) << "one problem for each picture refused";
    for (size_t i = 0; i < 3; i++) {
        EXPECT_EQ(report.problems[i].file, dir + expected[i].file) << "the file of problem " << i;
        EXPECT_EQ(report.problems[i].text, expected[i].text) << "what the game does without it";
    }
    Report none;
    ASSERT_EQ(rename((dir + "/gfx").c_str(), (dir + "/art").c_str()), 0)
        << "the pictures moved away";
    EXPECT_FALSE(checkPictures(dir, none)) << "a folder of text data alone";
    EXPECT_TRUE(none.clean()) << "a folder of text data alone has no picture problems";
}

} // namespace
