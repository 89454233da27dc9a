// The launcher, as a player's shell starts the real executable: the data is
// looked for in the working directory first, then beside the executable; a
// Finder start ("-psn..." as the first argument) enters the folder holding
// the application bundle.
#include <csignal>

#include "support/harness.h"
#include "support/process.h"

namespace {

TEST(LauncherTest, FindsItsDataWhereItIsStarted) {
    DataTree tree;
    tree.write("data/quests.qor", questRecord("Quest of the test tree", 3, 4));
    tree.remove("data/gfx/title.png");
    ASSERT_EQ(system(("cd '" + tree.root() +
                      "' && mkdir -p Tessary.app/Contents/MacOS elsewhere bin && cp " +
                      TESSARY_BINARY + " tessary && cp " + TESSARY_BINARY + " bin/tessary")
                         .c_str()),
              0);
    const std::string title = "Oh no! The title screen image (title.png) is missing!\n";
    const std::string bundle = tree.path("Tessary.app/Contents/MacOS/tessary"),
                      gone = tree.path("gone/Contents/MacOS/tessary");
    const struct {
        std::string binary, name, args, folder, err;
        int status;
    } cases[] = {
        {tree.path("tessary"), "tessary", "", "elsewhere", title, 1},
        {tree.path("bin/tessary"), tree.path("bin/tessary"), "", "elsewhere",
         "File data/shopdata.qor missing\n", 1},
        {TESSARY_BINARY, bundle, "-psn", "elsewhere", title, 1},
        {TESSARY_BINARY, gone, "-psn_0_1", ".",
         "tessary: cannot enter the folder of the application bundle\n", 128 + SIGABRT},
        {TESSARY_BINARY, gone, "x -psn_0_1", ".", title, 1}, // not the first argument
    };
    for (const auto& c : cases) {
        GameRun run = runGame(tree.path(c.folder), c.name, c.args, "", c.binary);
        EXPECT_EQ(run.status, c.status) << c.name << " " << c.args;
        EXPECT_EQ(run.err, c.err) << c.name << " " << c.args;
        EXPECT_EQ(run.out.find("Loaded Quest Quest of the test tree") != std::string::npos,
                  c.err == title);
    }
}

} // namespace
