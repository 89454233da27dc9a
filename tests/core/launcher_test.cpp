// The launcher: where the game finds its data folder, and the Finder start
// whose "-psn" argument enters the folder holding the application.
#include <cstdlib>

#include "process.h"
#include "support/harness.h"

namespace {

const char* const TITLE_MISSING = "Oh no! The title screen image (title.png) is missing!\n";

struct LaunchCase {
    const char* what;
    const char* copyTo;            // the executable is copied here first, or NULL
    const char* program;           // argv[0], relative to the tree's root
    std::vector<std::string> args; // after argv[0]
    const char* folder;            // started here
    const char* err;               // NULL: the process aborts
};

void PrintTo(const LaunchCase& c, std::ostream* os) {
    *os << c.what;
}

class Launcher : public ::testing::TestWithParam<LaunchCase> {};

// The tree's quest names it; without the title picture a run that found all
// the data ends on the title screen.
TEST_P(Launcher, FindsItsData) {
    const LaunchCase& c = GetParam();
    DataTree tree;
    tree.write("data/quests.qor", "3\n4\n0\nQuest of the test tree\n1\n");
    tree.remove("data/gfx/title.png");
    ASSERT_EQ(system(("mkdir -p '" + tree.path("Tessary.app/Contents/MacOS") + "' '" +
                      tree.path("elsewhere") + "' '" + tree.path("bin") + "'")
                         .c_str()),
              0);
    std::string binary = TESSARY_BINARY;
    if (c.copyTo) {
        binary = tree.path(c.copyTo);
        copyExecutable(TESSARY_BINARY, binary);
    }
    std::string program = c.program;
    // A bare name, as a shell gives it: the game must not rely on it.
    std::vector<std::string> argv = {program.find('/') == std::string::npos ? program
                                                                            : tree.path(program)};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    GameRun run = runGame(binary, argv, tree.path(c.folder), tree.root());
    if (!c.err) {
        EXPECT_FALSE(run.exited);
        EXPECT_EQ(run.status, SIGABRT);
        EXPECT_EQ(run.out, "");
        return;
    }
    EXPECT_EQ(run.err, c.err);
    EXPECT_TRUE(run.exited);
    EXPECT_EQ(run.status, 1);
    if (std::string(c.err) == TITLE_MISSING) {
        EXPECT_NE(run.out.find("Loaded Quest Quest of the test tree, (3,4,0)\n"), std::string::npos)
            << run.out;
    }
}

const char* const BUNDLE = "Tessary.app/Contents/MacOS/tessary";
const char* const GONE = "gone/Contents/MacOS/tessary";

INSTANTIATE_TEST_SUITE_P(
    Starts, Launcher,
    ::testing::Values(
        LaunchCase{"WorkingDirectoryFirst", NULL, "tessary", {}, ".", TITLE_MISSING},
        LaunchCase{"ThenExecutableFolder", "tessary", "tessary", {}, "elsewhere", TITLE_MISSING},
        LaunchCase{"NoDataAnywhere",
                   "bin/tessary",
                   "bin/tessary",
                   {},
                   "elsewhere",
                   "File data/shopdata.qor missing\n"},
        LaunchCase{"BarePsn", NULL, BUNDLE, {"-psn"}, "elsewhere", TITLE_MISSING},
        LaunchCase{"PsnFromAFolderThatIsGone", NULL, GONE, {"-psn_0_1"}, ".", NULL},
        // Not Finder starts: the working directory stays.
        LaunchCase{"OtherFirstArgument", NULL, GONE, {"-ps"}, ".", TITLE_MISSING},
        LaunchCase{"PsnAsSecondArgument", NULL, GONE, {"x", "-psn_0_1"}, ".", TITLE_MISSING}),
    [](const ::testing::TestParamInfo<LaunchCase>& info) { return std::string(info.param.what); });

} // namespace
