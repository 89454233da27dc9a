// The fuzz targets' private folder. The loaders' progress lines are dropped
// so the fuzzer's own report stays readable.
#include "input_file.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static std::string folder;
static int startFolder = -1;

static void check(bool ok, const char* what) {
    if (!ok) {
        perror(what);
        abort();
    }
}

static void removeFolder() {
    check(system(("rm -rf '" + folder + "'").c_str()) == 0, "removing the fuzz folder");
}

static const std::string& privateFolder() {
    if (folder.empty()) {
        char templ[] = "/tmp/tessary-fuzz-XXXXXX";
        check(mkdtemp(templ) && mkdir((std::string(templ) + "/data").c_str(), 0755) == 0, templ);
        folder = templ;
        startFolder = open(".", O_RDONLY | O_DIRECTORY);
        check(startFolder >= 0 && freopen("/dev/null", "w", stdout), "working directory");
        atexit(removeFolder);
    }
    return folder;
}

std::string writeInput(const char* relative, const uint8_t* data, size_t size) {
    std::string path = privateFolder() + "/" + relative;
    FILE* file = fopen(path.c_str(), "wb");
    check(file && fwrite(data, 1, size, file) == size && fclose(file) == 0, path.c_str());
    return path;
}

InInputFolder::InInputFolder() {
    check(chdir(privateFolder().c_str()) == 0, "entering the fuzz folder");
}

InInputFolder::~InInputFolder() {
    check(fchdir(startFolder) == 0, "working directory");
}
