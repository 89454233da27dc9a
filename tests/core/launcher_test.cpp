// The launcher: where the game finds its data folder, and the Finder start
// with its "-psn" argument that enters the folder holding the application.
#include <csignal>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "process.h"
#include "support/harness.h"

namespace {

const char* const TITLE_MISSING = "Oh no! The title screen image (title.png) is missing!\n";

// A data tree whose quest names it, so a run shows which data it loaded. The
// title picture is left out: a game that found everything ends there.
class Launcher : public ::testing::Test {
  protected:
    DataTree tree;
    void SetUp() override {
        tree.write("data/quests.qor", "3\n4\n0\nQuest of the test tree\n1\n");
        tree.remove("data/gfx/title.png");
        mkdir(tree.path("elsewhere").c_str(), 0755);
    }
    bool loadedThisTree(const GameRun& run) {
        return run.out.find("Loaded Quest Quest of the test tree, (3,4,0)\n") != std::string::npos;
    }
};

TEST_F(Launcher, DataInTheWorkingDirectoryIsUsedFirst) {
    // The executable's own folder may hold data too; the working directory wins.
    GameRun run = runGame(TESSARY_BINARY, {"tessary"}, tree.root(), tree.root());
    EXPECT_TRUE(loadedThisTree(run)) << run.out;
    EXPECT_EQ(run.err, TITLE_MISSING);
    EXPECT_EQ(run.status, 1);
}

TEST_F(Launcher, ExecutableFolderIsUsedWhenTheWorkingDirectoryHasNoData) {
    copyExecutable(TESSARY_BINARY, tree.path("tessary"));
    GameRun run = runGame(tree.path("tessary"), {"tessary"}, tree.path("elsewhere"), tree.root());
    EXPECT_TRUE(loadedThisTree(run)) << run.out;
    EXPECT_EQ(run.err, TITLE_MISSING);
    EXPECT_EQ(run.status, 1);
}

TEST_F(Launcher, WithoutDataAnywhereTheFirstMissingFileIsReported) {
    mkdir(tree.path("bin").c_str(), 0755);
    copyExecutable(TESSARY_BINARY, tree.path("bin/tessary"));
    GameRun run =
        runGame(tree.path("bin/tessary"), {"tessary"}, tree.path("elsewhere"), tree.root());
    EXPECT_EQ(run.err, "File data/shopdata.qor missing\n");
    EXPECT_EQ(run.status, 1);
}

// Program paths as the Finder gives them: inside the bundle, which sits in
// the tree's root next to "data"; or inside a bundle folder that is gone.
const char* const BUNDLE = "Tessary.app/Contents/MacOS/tessary";
const char* const GONE = "gone/Contents/MacOS/tessary";

struct FinderCase {
    const char* what;
    const char* program;           // argv[0], relative to the tree's root
    std::vector<std::string> args; // the arguments after it
    const char* folder;            // started in this folder of the tree
    bool stops;                    // a failed change of folder stops the process
};

void PrintTo(const FinderCase& c, std::ostream* os) {
    *os << c.what;
}

class FinderStart : public Launcher, public ::testing::WithParamInterface<FinderCase> {};

TEST_P(FinderStart, EntersTheFolderHoldingTheBundleOnlyWhenTheFirstArgumentSaysSo) {
    const FinderCase& c = GetParam();
    ASSERT_EQ(system(("mkdir -p '" + tree.path("Tessary.app/Contents/MacOS") + "'").c_str()), 0);
    std::vector<std::string> argv = {tree.path(c.program)};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    GameRun run = runGame(TESSARY_BINARY, argv, tree.path(c.folder), tree.root());
    if (c.stops) {
        EXPECT_FALSE(run.exited);
        EXPECT_EQ(run.status, SIGABRT);
        EXPECT_EQ(run.out, "");
    } else {
        EXPECT_TRUE(loadedThisTree(run)) << run.out;
        EXPECT_EQ(run.err, TITLE_MISSING);
        EXPECT_TRUE(run.exited);
        EXPECT_EQ(run.status, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, FinderStart,
    ::testing::Values(FinderCase{"PsnArgument", BUNDLE, {"-psn_0_4711"}, "elsewhere", false},
                      FinderCase{"BarePsn", BUNDLE, {"-psn"}, "elsewhere", false},
                      FinderCase{"PsnFromAFolderThatIsGone", GONE, {"-psn_0_1"}, ".", true},
                      // Not Finder starts: the working directory stays.
                      FinderCase{"OtherFirstArgument", GONE, {"-ps"}, ".", false},
                      FinderCase{"PsnAsSecondArgument", GONE, {"x", "-psn_0_1"}, ".", false}),
    [](const ::testing::TestParamInfo<FinderCase>& info) { return std::string(info.param.what); });

} // namespace
