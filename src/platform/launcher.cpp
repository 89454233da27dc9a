// The launcher: platform glue that starts the process and calls the game's
// entry function once. It knows nothing of the game beyond SDL_main and the
// fact that the game reads everything from "data" in the working directory.
#include <cassert>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "core/entry.h"

static bool hasDataFolder(const std::string& dir) {
    struct stat info;
    std::string path = dir.empty() ? "data" : dir + "/data";
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The folder that holds the running executable, or "" when unknown.
static std::string executableFolder(const char* argv0) {
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    std::string path;
    if (length > 0)
        path.assign(buffer, (size_t)length);
    else if (argv0)
        path = argv0;
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return "";
    return path.substr(0, slash == 0 ? 1 : slash);
}

// A start from the Mac OS X Finder: the first argument begins with "-psn".
// The working directory becomes the folder that holds the application bundle.
static void enterBundleFolder(const char* argv0) {
    std::string path = argv0 ? argv0 : "";
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    int changed = chdir(folder.c_str());
    assert(changed == 0);
    changed = chdir("../../../");
    assert(changed == 0);
    (void)changed;
}

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    if (argc >= 2 && strncmp(argv[1], "-psn", 4) == 0) {
        enterBundleFolder(argv[0]);
        args.resize(1);
    } else if (!hasDataFolder("")) {
        // Without bundles: a game started from elsewhere finds its data beside
        // the executable.
        std::string folder = executableFolder(argv[0]);
        if (!folder.empty() && hasDataFolder(folder) && chdir(folder.c_str()) != 0)
            return 1;
    }
    args.push_back(NULL);
    return SDL_main((int)args.size() - 1, args.data());
}
