// The files the game leaves behind (screenshot.bmp, performance.txt) replace
// the old ones only when written whole; a link of their name is replaced, and
// what it pointed to is left alone.
#include <csignal>
#include <glob.h>
#include <sys/resource.h>
#include <sys/stat.h>
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
