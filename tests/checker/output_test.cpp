// The tools' files are written whole or not at all and never through a link:
// an import that fails or is killed at any step leaves the data folder as it
// was, byte for byte; links among the outputs are replaced, not followed;
// named pipes among the inputs are refused, not waited on.
#include <dirent.h>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "output.h"
#include "tiled.h"
#include "tiny.h"

namespace {

// Every entry of a folder: a file's bytes, where a link points, or "folder".
std::map<std::string, std::string> snapshot(const std::string& dir) {
    std::map<std::string, std::string> entries;
    DIR* listing = opendir(dir.c_str());
    while (dirent* entry = listing ? readdir(listing) : NULL) {
        std::string name = entry->d_name;
        std::string path = dir + "/" + name;
        char target[512];
        ssize_t length = readlink(path.c_str(), target, sizeof target);
        struct stat info;
        if (name == "." || name == ".." || lstat(path.c_str(), &info) != 0)
            continue;
        entries[name] = S_ISDIR(info.st_mode) ? "folder"
                        : length >= 0         ? "link to " + std::string(target, length)
                                              : readFile(path);
    }
    if (listing)
        closedir(listing);
    return entries;
}

// What a stopped import may have left beside the folder `name` of `parent`.
int leftBeside(const std::string& parent, const std::string& name) {
    int count = 0;
    for (const auto& entry : snapshot(parent))
        if (entry.first.rfind("." + name + ".import-", 0) == 0)
            count++;
    return count;
}

// The step that fails, or where the process is killed, as if from outside.
int failingStep = -1;
bool killing = false;
bool stepHook(int step) {
    if (step == failingStep && killing)
        _exit(9);
    return step != failingStep;
}

class OutputTest : public CheckerTest {
  protected:
    std::string data = tree.path("game"); // the folder imported into
    std::map<std::string, std::string> before;

    // Floors exported to Tiled, to be imported over last week's floors.
    void prepareImport() {
        tiny.npcs[2] = npcRecord("Bob", 10, 10);
        tiny.write(tree);
        FILE* quiet = fopen("/dev/null", "w");
        exportInto("/tiled", quiet);
        fclose(quiet);
        // The folder holds last week's floors, one file of them through a link.
        TinyCampaign older;
        older.npcs[2] = npcRecord("Old Bob", 20, 20);
        older.write(tree);
        ASSERT_EQ(system(("mkdir -p " + data + " && cp " + dir + "/*.qor " + data).c_str()), 0)
            << "last week's floors copied";
        ASSERT_EQ(rename((data + "/npcs2.qor").c_str(), tree.path("elsewhere.qor").c_str()), 0)
            << "a file moved elsewhere";
        ASSERT_EQ(symlink(tree.path("elsewhere.qor").c_str(), (data + "/npcs2.qor").c_str()), 0)
            << "a link made to it";
        before = snapshot(data);
    }
    void TearDown() override { outputStepHook = NULL; }

    // Exports the data folder's floors, with its pictures, into `to` of it.
    bool exportInto(const char* to, FILE* messages) {
        return exportTiled(dir, dir + "/gfx", dir + to, messages);
    }

    std::string import() {
        startCapture();
        importTiled(dir + "/tiled", data, stdout);
        return stopCapture();
    }
};

TEST_F(OutputTest, AnImportFailingAtAnyStepLeavesTheFolderAsItWas) {
    ASSERT_NO_FATAL_FAILURE(prepareImport());
    outputStepHook = stepHook;
    int step = 0;
    for (; step < 100; step++) {
        failingStep = step;
        std::string said = import();
        if (said.find("floors imported") != std::string::npos)
            break; // no step left to fail
        EXPECT_EQ(snapshot(data), before) << "failing step " << step << ": " << said;
        EXPECT_EQ(leftBeside(tree.root(), "game"), 0) << step;
        EXPECT_NE(said.find("cannot be"), std::string::npos) << said;
    }
    // Each of the 13 files written, its old file kept, the list of new
    // ones, each file moved in.
    EXPECT_EQ(step, 13 + 13 + 1 + 13) << "the number of steps an import takes";
    EXPECT_EQ(snapshot(data)["npcs2.qor"], npcRecord("Bob", 10, 10)) << "no longer the link";
    EXPECT_EQ(readFile(tree.path("elsewhere.qor")), npcRecord("Old Bob", 20, 20))
        << "what the link pointed to is left alone";
}

TEST_F(OutputTest, AnImportKilledAtAnyStepIsUndoneByTheNext) {
    ASSERT_NO_FATAL_FAILURE(prepareImport());
    for (int step = 0;; step++) {
        pid_t child = fork();
        if (child == 0) {
            failingStep = step;
            killing = true;
            outputStepHook = stepHook;
            FILE* quiet = fopen("/dev/null", "w");
            _exit(importTiled(dir + "/tiled", data, quiet) ? 0 : 1);
        }
        int status;
        ASSERT_EQ(waitpid(child, &status, 0), child) << "the killed import is waited for";
        ASSERT_TRUE(WIFEXITED(status)) << "the killed import exits";
        if (WEXITSTATUS(status) == 0) {
            EXPECT_EQ(step, 40) << "every step was reached";
            EXPECT_EQ(snapshot(data).at("npcs2.qor"), npcRecord("Bob", 10, 10))
                << "the import that runs to its end writes the new floors";
            return;
        }
        ASSERT_EQ(WEXITSTATUS(status), 9) << "the import is killed at its step";
        bool untouched = snapshot(data) == before;
        // The next import, even one refused (here: of no maps at all).
        startCapture();
        importTiled(dir + "/no maps", data, stdout);
        std::string said = stopCapture();
        EXPECT_EQ(snapshot(data), before) << "killed at step " << step;
        EXPECT_EQ(leftBeside(tree.root(), "game"), 0) << step;
        // Killed while writing, the folder was never touched; once moving
        // (from step 27), the next run puts the old files back and says so.
        EXPECT_TRUE(untouched || step > 27) << step;
        EXPECT_EQ(said.find("the old files are back") != std::string::npos, step >= 27)
            << step << ": " << said;
    }
}

// Outputs that are links: each is replaced by a file of its own, and what it
// pointed to is left alone. A tiles folder that is a link is refused.
TEST_F(OutputTest, OutputsReplaceLinksInsteadOfWritingThroughThem) {
    tiny.write(tree);
    tree.write("elsewhere", "not ours");
    ASSERT_EQ(system(("mkdir -p " + dir + "/tiled " + dir + "/floors").c_str()), 0)
        << "the output folders made";
    for (const char* link : {"/tiled/floor2.tmx", "/tiled/tessary.tsx", "/floors/floor0.png"})
        ASSERT_EQ(symlink(tree.path("elsewhere").c_str(), (dir + link).c_str()), 0) << link;
    startCapture();
    EXPECT_TRUE(exportInto("/tiled", stdout)) << "the export writes over links";
    Report report;
    std::unique_ptr<Campaign> campaign = load(report);
    EXPECT_EQ(renderFloors(*campaign, NULL, dir + "/gfx", dir + "/floors", 2, stdout), 6)
        << "every floor is drawn over links";
    ASSERT_EQ(rename((dir + "/tiled/tiles").c_str(), (dir + "/tiles-elsewhere").c_str()), 0)
        << "the tiles folder moved elsewhere";
    ASSERT_EQ(symlink((dir + "/tiles-elsewhere").c_str(), (dir + "/tiled/tiles").c_str()), 0)
        << "a link made to it";
    EXPECT_FALSE(exportInto("/tiled", stdout)) << "a tiles folder that is a link is refused";
    std::string said = stopCapture();
    EXPECT_EQ(readFile(tree.path("elsewhere")), "not ours")
        << "what a link pointed to is left alone";
    struct stat info;
    for (const char* file : {"/tiled/floor2.tmx", "/tiled/tessary.tsx", "/floors/floor0.png"})
        EXPECT_TRUE(lstat((dir + file).c_str(), &info) == 0 && S_ISREG(info.st_mode)) << file;
    EXPECT_NE(said.find(dir + "/tiled/tiles: not a folder of its own"), std::string::npos) << said;
}

// A named pipe in place of an input is a file that cannot be read: nothing
// waits for a writer that never comes.
TEST_F(OutputTest, NamedPipesAmongTheInputsAreRefusedWithoutWaiting) {
    tiny.write(tree);
    startCapture();
    exportInto("/tiled", stdout);
    std::string clean = stopCapture();
    ASSERT_NE(clean.find("6 floors written"), std::string::npos) << clean;
    const struct {
        const char* pipe;
        const char* said;
    } cases[] = {
        {"/tiled/floor3.tmx", "floor3.tmx: cannot be read"},
        {"/npcs3.qor", "/npcs3.qor: cannot be read"},
        {"/gfx/tiles/03.png", "some images are missing"},
    };
    mkdir((dir + "/back").c_str(), 0777);
    for (const auto& c : cases) {
        std::string path = dir + c.pipe;
        std::string kept = path + ".kept";
        ASSERT_EQ(rename(path.c_str(), kept.c_str()), 0) << c.pipe;
        ASSERT_EQ(mkfifo(path.c_str(), 0644), 0) << c.pipe;
        startCapture();
        importTiled(dir + "/tiled", dir + "/back", stdout);
        exportInto("/out", stdout);
        Report report;
        std::unique_ptr<Campaign> campaign = load(report);
        renderFloors(*campaign, NULL, dir + "/gfx", dir + "/floors", 2, stdout);
        std::string said = stopCapture();
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
        ASSERT_EQ(rename(kept.c_str(), path.c_str()), 0) << c.pipe;
    }
}

} // namespace
