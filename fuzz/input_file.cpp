// The fuzz targets' private folder: made on first use, removed at exit. The
// loaders' progress lines are dropped so the fuzzer's own report stays
// readable.
#include "input_file.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

static std::string folder;
static std::set<std::string> written;
static int startFolder = -1;

static void removeFolder() {
    for (const std::string& file : written)
        unlink(file.c_str());
    rmdir((folder + "/data").c_str());
    rmdir(folder.c_str());
}

static void fail(const char* what) {
    perror(what);
    abort();
}

static void makeFolder() {
    char templ[] = "/tmp/tessary-fuzz-XXXXXX";
    if (!mkdtemp(templ))
        fail("tessary fuzz folder");
    folder = templ;
    if (mkdir((folder + "/data").c_str(), 0755) != 0)
        fail("tessary fuzz data folder");
    startFolder = open(".", O_RDONLY | O_DIRECTORY);
    if (startFolder < 0)
        fail("working directory");
    atexit(removeFolder);
    if (!freopen("/dev/null", "w", stdout))
        fail("/dev/null");
}

std::string writeInput(const char* relative, const uint8_t* data, size_t size) {
    if (folder.empty())
        makeFolder();
    std::string path = folder + "/" + relative;
    FILE* file = fopen(path.c_str(), "wb");
    if (!file || fwrite(data, 1, size, file) != size || fclose(file) != 0)
        fail(path.c_str());
    written.insert(path);
    return path;
}

InInputFolder::InInputFolder() {
    if (folder.empty())
        makeFolder();
    if (chdir(folder.c_str()) != 0)
        fail(folder.c_str());
}

InInputFolder::~InInputFolder() {
    if (fchdir(startFolder) != 0)
        fail("working directory");
}
