// The launcher: platform glue that starts the process and calls the game's
// entry function once. It knows nothing of the game beyond SDL_main and the
// fact that the game reads everything from "data" in the working directory,
// and writes "screenshot.bmp" and "performance.txt" there.
//
// Where the data is looked for, in order:
//  1. a Mac OS X Finder start ("-psn..." argument): the folder holding the
//     application bundle;
//  2. the working directory, when it holds "data";
//  3. the folder of the executable, when it holds "data" (a game started as
//     build/tessary from anywhere);
//  4. an installed game: the per-user folder $XDG_DATA_HOME/tessary (by
//     default ~/.local/share/tessary), created on first start with a "data"
//     link to the installed tree, so the files the game writes land where
//     the user can write.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "core/entry.h"

// Where an installed game keeps its data, relative to its executable.
static const char* const INSTALLED_DATA = "/../share/tessary/data";

static bool isFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

static bool hasDataFolder(const std::string& dir) {
    return isFolder(dir.empty() ? "data" : dir + "/data");
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
    // Either change failing stops the process, as a failed assertion would
    // (also in builds without assertions).
    if (chdir(folder.c_str()) != 0 || chdir("../../../") != 0) {
        fprintf(stderr, "tessary: cannot enter the folder of the application bundle\n");
        abort();
    }
}

static bool makeFolders(const std::string& path) {
    for (size_t i = 1; i <= path.size(); i++) {
        if (i < path.size() && path[i] != '/')
            continue;
        std::string part = path.substr(0, i);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    return isFolder(path);
}

// The per-user folder of an installed game, or "" when there is no home.
static std::string userFolder() {
    const char* dataHome = getenv("XDG_DATA_HOME");
    if (dataHome && dataHome[0] == '/')
        return std::string(dataHome) + "/tessary";
    const char* home = getenv("HOME");
    if (home && home[0])
        return std::string(home) + "/.local/share/tessary";
    return "";
}

// Enters the per-user folder, linking its "data" to the installed tree.
static bool enterUserFolder(const std::string& installedData) {
    std::string folder = userFolder();
    if (folder.empty() || !makeFolders(folder))
        return false;
    std::string link = folder + "/data";
    char target[PATH_MAX];
    ssize_t length = readlink(link.c_str(), target, sizeof target - 1);
    bool current = length > 0 && std::string(target, (size_t)length) == installedData;
    if (!current && !isFolder(link)) {
        // A missing or stale link (the game was installed elsewhere) is renewed;
        // a real folder the user put there is left alone.
        unlink(link.c_str());
        if (symlink(installedData.c_str(), link.c_str()) != 0)
            return false;
    }
    return chdir(folder.c_str()) == 0;
}

static void findData(const char* argv0) {
    if (hasDataFolder(""))
        return;
    std::string folder = executableFolder(argv0);
    if (folder.empty())
        return;
    if (hasDataFolder(folder)) {
        if (chdir(folder.c_str()) != 0)
            perror(folder.c_str());
        return;
    }
    char resolved[PATH_MAX];
    std::string installed = folder + INSTALLED_DATA;
    if (isFolder(installed) && realpath(installed.c_str(), resolved))
        enterUserFolder(resolved);
    // Otherwise the game reports the first file it misses, as it always does.
}

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    if (argc >= 2 && strncmp(argv[1], "-psn", 4) == 0) {
        enterBundleFolder(argv[0]);
        args.resize(1);
    } else {
        findData(argv[0]);
    }
    args.push_back(NULL);
    return SDL_main((int)args.size() - 1, args.data());
}
