// Writing the tools' files so that nothing is ever half-written or written
// through a link (MEND: the import once rewrote the data files in place one
// after another, and every output followed links): a single file is made
// fresh beside its target and renamed over it; the files of an import are all
// written into a fresh folder beside the data folder first and only then
// moved into place, the old files kept there until the last one is in, to be
// put back should anything stop it.
#include "output.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/datafile.h"

bool (*outputStepHook)(int step) = NULL;

namespace {

int stepCount = 0;

// The next step of the writing, which the tests' hook may make fail.
bool stepAllowed() {
    int step = stepCount++;
    if (outputStepHook && !outputStepHook(step)) {
        errno = ENOSPC;
        return false;
    }
    return true;
}

// Writes `bytes` to the open descriptor, then to the disk; closes it.
bool writeAndClose(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            int error = wrote < 0 ? errno : ENOSPC;
            close(fd);
            errno = error;
            return false;
        }
        done += (size_t)wrote;
    }
    if (fsync(fd) != 0) {
        int error = errno;
        close(fd);
        errno = error;
        return false;
    }
    return close(fd) == 0;
}

// The rights a new file gets: the usual ones, less the user's mask.
mode_t usualRights() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The data folder as it really lies (links resolved), so that the folder of
// new files beside it is on the same disk and a rename moves them in.
std::string realFolder(const std::string& dir) {
    char resolved[PATH_MAX];
    return realpath(dir.c_str(), resolved) ? std::string(resolved) : dir;
}

// What an import leaves beside the data folder while it runs: "new" holds the
// files written, "old" a link to each file they replace, and "moving" lists,
// once "old" is complete, the files that had no old one.
std::string workPrefix(const std::string& realDir) {
    return folderOf(realDir) + "/." + nameOf(realDir) + ".import-";
}

// The names in a folder, "." and ".." left out.
std::vector<std::string> entriesOf(const std::string& dir) {
    std::vector<std::string> names;
    DIR* listing = opendir(dir.c_str());
    if (!listing)
        return names;
    while (dirent* entry = readdir(listing))
        if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
            names.push_back(entry->d_name);
    closedir(listing);
    return names;
}

void removeFolder(const std::string& dir) {
    for (const std::string& name : entriesOf(dir)) {
        std::string path = dir + "/" + name;
        struct stat info;
        if (lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            removeFolder(path);
        else
            unlink(path.c_str());
    }
    rmdir(dir.c_str());
}

// Makes the folder's entries (files made, linked, renamed) last a power cut.
void syncFolder(const std::string& dir) {
    int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

bool exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// Puts back what a stopped move changed in `dir`: every old file, and no file
// where there was none. Only once "moving" was written did the move begin.
// (A file not yet moved is the same file as its old link: renaming one over
// the other changes nothing.)
void undoMove(const std::string& work, const std::string& dir) {
    std::string fresh;
    if (!readWholeFile(work + "/moving", fresh))
        return;
    for (const std::string& name : entriesOf(work + "/old"))
        rename((work + "/old/" + name).c_str(), (dir + "/" + name).c_str());
    for (size_t start = 1, end; (end = fresh.find('\n', start)) != std::string::npos;
         start = end + 1)
        unlink((dir + "/" + fresh.substr(start, end - start)).c_str());
}

} // namespace

bool readWholeFile(const std::string& path, std::string& bytes) {
    FILE* file = openDataFile(path.c_str());
    if (!file)
        return false;
    bytes.clear();
    char buffer[65536];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    bool ok = !ferror(file);
    fclose(file);
    return ok;
}

bool replaceFile(const std::string& path, const std::string& bytes) {
    std::string temporary = path + ".XXXXXX";
    int fd = stepAllowed() ? mkstemp(&temporary[0]) : -1;
    if (fd < 0)
        return false;
    fchmod(fd, usualRights());
    if (writeAndClose(fd, bytes) && stepAllowed() && rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    int error = errno;
    unlink(temporary.c_str());
    errno = error;
    return false;
}

bool replaceAll(const std::string& dir, const std::vector<OutputFile>& files, FILE* messages) {
    stepCount = 0;
    std::string realDir = realFolder(dir);
    std::string work = workPrefix(realDir) + "XXXXXX";
    if (!mkdtemp(&work[0])) {
        fprintf(messages, "%s: cannot make a folder beside it: %s\n", dir.c_str(), strerror(errno));
        return false;
    }
    // Everything is written before anything is moved.
    std::string failed, fresh = "\n";
    bool ok =
        mkdir((work + "/new").c_str(), 0700) == 0 && mkdir((work + "/old").c_str(), 0700) == 0;
    for (size_t i = 0; ok && i < files.size(); i++) {
        std::string path = work + "/new/" + files[i].name;
        int fd = stepAllowed()
                     ? open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, usualRights())
                     : -1;
        ok = fd >= 0 && writeAndClose(fd, files[i].bytes);
        if (!ok)
            failed = files[i].name;
    }
    for (size_t i = 0; ok && i < files.size(); i++) {
        std::string target = realDir + "/" + files[i].name;
        if (!exists(target))
            fresh += files[i].name + "\n";
        else
            ok = stepAllowed() &&
                 link(target.c_str(), (work + "/old/" + files[i].name).c_str()) == 0;
        if (!ok)
            failed = files[i].name;
    }
    if (ok) {
        syncFolder(work + "/new");
        syncFolder(work + "/old");
        int fd = stepAllowed() ? open((work + "/moving").c_str(),
                                      O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600)
                               : -1;
        ok = fd >= 0 && writeAndClose(fd, fresh);
        syncFolder(work);
    }
    if (!ok) {
        int error = errno;
        removeFolder(work);
        fprintf(messages, "%s: cannot be written (%s): nothing written to %s\n",
                failed.empty() ? dir.c_str() : (dir + "/" + failed).c_str(), strerror(error),
                dir.c_str());
        return false;
    }
    // Each file takes its place by a rename, which replaces a link rather
    // than writing through it.
    for (size_t i = 0; i < files.size(); i++) {
        const std::string& name = files[i].name;
        if (stepAllowed() &&
            rename((work + "/new/" + name).c_str(), (realDir + "/" + name).c_str()) == 0)
            continue;
        int error = errno;
        undoMove(work, realDir);
        removeFolder(work);
        fprintf(messages, "%s: cannot be moved into place (%s): the old files are back\n",
                (dir + "/" + name).c_str(), strerror(error));
        return false;
    }
    syncFolder(realDir);
    removeFolder(work);
    return true;
}

void recoverInterrupted(const std::string& dir, FILE* messages) {
    std::string realDir = realFolder(dir);
    std::string prefix = workPrefix(realDir);
    for (const std::string& name : entriesOf(folderOf(realDir))) {
        std::string work = folderOf(realDir) + "/" + name;
        if (work.size() != prefix.size() + 6 || work.compare(0, prefix.size(), prefix) != 0)
            continue;
        if (exists(work + "/moving")) {
            undoMove(work, realDir);
            fprintf(messages,
                    "%s: an import stopped while moving its files in: the old files are back\n",
                    dir.c_str());
        }
        removeFolder(work);
    }
}
