// The list of the game's pictures that the content checker reads: a picture
// it names, refused alone, ends the game with the message it gives, or leaves
// the game going when it gives none; and it names every picture file of the
// tree the game loads.
#include <algorithm>
#include <cctype>
#include <set>

#include "support/harness.h"

namespace {

// The pictures whose message has a form of its own, numbers aside: the first
// and the last of each run of the list with the same form (the one rule that
// numbers the others is seen at both ends).
std::vector<size_t> picturesOfEachForm() {
    std::vector<GamePicture> list = gamePictures();
    std::vector<std::string> forms;
    for (const GamePicture& picture : list) {
        std::string form = picture.ending;
        form.erase(std::remove_if(form.begin(), form.end(), ::isdigit), form.end());
        forms.push_back(form);
    }
    std::vector<size_t> chosen;
    for (size_t i = 0; i < list.size(); i++)
        if (i == 0 || i + 1 == list.size() || forms[i] != forms[i - 1] || forms[i] != forms[i + 1])
            chosen.push_back(i);
    return chosen;
}

// A test for each, so each has its own time limit.
class PicturesTest : public GameTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(PicturesTest, RefusedAloneItEndsTheGameWithItsListedMessageOrNot) {
    const GamePicture picture = gamePictures().at(GetParam());
    ASSERT_EQ(rename(picture.path.c_str(), (picture.path + ".aside").c_str()), 0) << picture.path;
    if (!picture.ending.empty()) {
        EXPECT_EXIT(
            {
                game.reset(new CGame());
                game->titleScreen();
            },
            ::testing::ExitedWithCode(1), ::testing::Eq(picture.ending))
            << picture.path;
        return;
    }
    scriptKeys({}); // the game's pause after a missing item icon returns at once
    startCapture();
    game.reset(new CGame());
    stopCapture();
    endScript();
    EXPECT_NE(game->screen, nullptr) << picture.path;
}

INSTANTIATE_TEST_SUITE_P(EachForm, PicturesTest, ::testing::ValuesIn(picturesOfEachForm()));

TEST(PicturesTest, EveryPictureOfTheTreeOnce) {
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
    EXPECT_EQ(listed, files) << "the list names every picture file of the tree";
}

} // namespace
