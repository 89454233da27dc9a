// A folder of its own for each record file test, entered so that loaders read
// "data/..." there.
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
        char templ[] = "/tmp/tessary-records-XXXXXX", cwd[4096];
        dir = mkdtemp(templ) ? templ : "";
        previous = getcwd(cwd, sizeof cwd) ? cwd : "/";
        EXPECT_EQ(chdir(dir.c_str()), 0);
        mkdir("data", 0755);
    }
    ~RecordFolder() {
        if (chdir(previous.c_str()) != 0 || system(("rm -rf '" + dir + "'").c_str()) != 0)
            fprintf(stderr, "could not clean up %s\n", dir.c_str());
    }
    void write(const std::string& relative, const std::string& contents) const {
        std::ofstream(relative, std::ios::binary | std::ios::trunc) << contents;
    }

  private:
    std::string dir, previous;
};
