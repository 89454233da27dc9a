// The fuzz targets' private folder.
#include "input_file.h"

#include <cstdio>
#include <cstdlib>

static std::string folder;

static void removeFolder() {
    if (system(("rm -rf '" + folder + "'").c_str()) != 0)
        perror(folder.c_str());
}

std::string writeInput(const char* name, const uint8_t* data, size_t size) {
    if (folder.empty()) {
        char templ[] = "/tmp/tessary-fuzz-XXXXXX";
        if (!mkdtemp(templ) || !freopen("/dev/null", "w", stdout))
            abort();
        folder = templ;
        atexit(removeFolder);
    }
    std::string path = folder + "/" + name;
    FILE* file = fopen(path.c_str(), "wb");
    if (!file || fwrite(data, 1, size, file) != size || fclose(file) != 0)
        abort();
    return path;
}
