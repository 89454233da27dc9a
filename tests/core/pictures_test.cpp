// The list of the game's pictures that the content checker reads: each
// picture it names, refused alone, ends the game with the message it gives,
// or leaves the game going when it gives none; and it names every picture
// file of the tree the game loads.
#include <set>

#include "support/harness.h"

namespace {

class PictureList : public GameTest {};

TEST_F(PictureList, EachPictureRefusedAloneEndsTheGameWithItsListedMessageOrNot) {
    // Moved aside and back in the one tree: a death test's child runs the
    // test again up to its own case, so the ones that end the game come
    // first and the rest are cheap.
    std::vector<GamePicture> ending, optional;
    for (const GamePicture& picture : gamePictures())
        (picture.ending.empty() ? optional : ending).push_back(picture);
    for (const GamePicture& picture : ending) {
        ASSERT_EQ(rename(picture.path.c_str(), (picture.path + ".aside").c_str()), 0)
            << picture.path;
        EXPECT_EXIT((game.reset(new CGame()), game->titleScreen()), ::testing::ExitedWithCode(1),
                    ::testing::Eq(picture.ending))
            << picture.path;
        ASSERT_EQ(rename((picture.path + ".aside").c_str(), picture.path.c_str()), 0);
    }
    for (const GamePicture& picture : optional) {
        ASSERT_EQ(rename(picture.path.c_str(), (picture.path + ".aside").c_str()), 0)
            << picture.path;
        scriptKeys({}); // the game's pause after a missing item icon returns at once
        startCapture();
        game.reset(new CGame());
        stopCapture();
        endScript();
        EXPECT_NE(game->screen, nullptr) << picture.path;
        game.reset();
        ASSERT_EQ(rename((picture.path + ".aside").c_str(), picture.path.c_str()), 0);
    }
}

TEST(PictureListNames, EveryPictureOfTheTreeOnce) {
    DataTree tree;
    std::set<std::string> listed;
    for (const GamePicture& picture : gamePictures())
        EXPECT_TRUE(listed.insert(picture.path).second) << picture.path << " twice";
    ASSERT_EQ(system(("cd '" + tree.root() +
                      "' && find data -name '*.png' -o -name '*.jpg' | sort > pictures.txt")
                         .c_str()),
              0);
    std::set<std::string> files;
    for (const std::string& line : linesOf(readFile(tree.path("pictures.txt"))))
        files.insert(line);
    EXPECT_EQ(listed, files);
}

} // namespace
