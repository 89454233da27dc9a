// The files the game leaves behind (screenshot.bmp, performance.txt) replace
// the old ones only when written whole; a link of their name is replaced, and
// what it pointed to is left alone.
#include <csignal>
#include <glob.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/replacement.h"
#include "support/harness.h"

namespace {

void save(const std::string& text, bool complete = true) {
    FileReplacement out("saved.txt");
    if (out.file)
        fputs(text.c_str(), out.file);
    out.commit(complete);
}

// The full disk is made in a process of its own, which tells what it left.
TEST(ReplacementTest, TheOldFileStaysUnlessTheNewOneIsWrittenWhole) {
    DataTree tree;
    tree.enter();
    tree.write("saved.txt", "the previous one");
    auto onAFullDisk = [] {
        struct rlimit disk = {64, RLIM_INFINITY}; // no room beyond 64 bytes, its own lines too
        setrlimit(RLIMIT_FSIZE, &disk);
        signal(SIGXFSZ, SIG_IGN);
        save(std::string(4096, 'x'));
        disk.rlim_cur = RLIM_INFINITY; // room again for the rest it tells
        setrlimit(RLIMIT_FSIZE, &disk);
        save("unfinished", false);
        glob_t left;
        fprintf(stderr, "%s, %s", readFile("saved.txt").c_str(),
                glob("saved.txt?*", 0, NULL, &left) == GLOB_NOMATCH ? "alone" : "not alone");
        exit(0);
    };
    EXPECT_EXIT(onAFullDisk(), ::testing::ExitedWithCode(0),
                "^Could not write saved\\.txt: File too large\n"
                "Could not write saved\\.txt: [^\n]+\nthe previous one, alone$");
    tree.write("elsewhere", "not the game's");
    unlink("saved.txt");
    ASSERT_EQ(symlink(tree.path("elsewhere").c_str(), "saved.txt"), 0) << "the link is made";
    save("new");
    EXPECT_EQ(readFile(tree.path("elsewhere")), "not the game's")
        << "a link's target is never written through";
    struct stat info;
    EXPECT_TRUE(lstat("saved.txt", &info) == 0 && S_ISREG(info.st_mode))
        << "the link is replaced by a file";
    EXPECT_EQ(readFile("saved.txt"), "new") << "the new file holds what was written";
}

} // namespace

// The real game under a file-size limit of nothing at all: ended by a
// termination signal at the title screen, it writes its report, which fails
// with the message a full disk gives instead of the limit's signal killing
// it, and nothing is left behind. Its output goes through a pipe, which the
// limit does not touch.
TEST(GameBinary, AWritePastTheFileSizeLimitFailsWithItsMessageAndLeavesNothingBehind) {
    DataTree tree;
    std::string command = "cd '" + tree.root() + "' && ( ulimit -f 0; exec timeout -s TERM 8 '" +
                          TESSARY_BINARY + "' ) 2>&1 >/dev/null | cat > said.txt";
    int status = system(("timeout -s KILL 60 bash -c \"" + command + "\"").c_str());
    EXPECT_TRUE(WIFEXITED(status)) << "the shell itself was stopped";
    EXPECT_EQ(readFile(tree.path("said.txt")), "Could not write performance.txt: File too large\n");
    glob_t left;
    EXPECT_EQ(glob(tree.path("performance.txt*").c_str(), 0, NULL, &left), GLOB_NOMATCH);
    globfree(&left);
}
