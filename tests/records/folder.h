// A folder of its own for each record file test, entered so that loaders read
// "data/..." there. Lighter than a whole game data tree: the record files need
// no images.
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

class RecordFolder {
  public:
    RecordFolder() {
        char templ[] = "/tmp/tessary-records-XXXXXX";
        dir = mkdtemp(templ) ? templ : "";
        EXPECT_FALSE(dir.empty());
        char cwd[4096];
        previous = getcwd(cwd, sizeof cwd) ? cwd : "/";
        EXPECT_EQ(chdir(dir.c_str()), 0);
        mkdir("data", 0755);
    }
    ~RecordFolder() {
        if (chdir(previous.c_str()) != 0)
            perror("chdir");
        if (system(("rm -rf '" + dir + "'").c_str()) != 0)
            fprintf(stderr, "could not remove %s\n", dir.c_str());
    }
    // Writes a file (relative to the folder), replacing it.
    void write(const std::string& relative, const std::string& contents) const {
        std::ofstream(relative, std::ios::binary | std::ios::trunc) << contents;
    }

  private:
    std::string dir;
    std::string previous;
};
