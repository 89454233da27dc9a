// FileReplacement: a new file is written beside the old one and renamed over
// it only when complete, so a full disk or a write error leaves the previous
// screenshot or report as it was, and a link of that name is replaced by a
// file of our own instead of writing through it to wherever it points.
#include "core/replacement.h"
#include "platform/platform.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

FileReplacement::FileReplacement(const char* target) : file(NULL), path(target), failure(0) {
    std::string name = path + ".XXXXXX";
    int fd = mkstemp(&name[0]);
    if (fd < 0) {
        failure = errno;
        return;
    }
    temporary = name;
    // mkstemp makes the file private; the game's files get the usual rights.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    file = fdopen(fd, "wb");
    if (!file) {
        failure = errno;
        close(fd);
    }
}

FileReplacement::~FileReplacement() {
    if (file)
        fclose(file);
    if (!temporary.empty())
        unlink(temporary.c_str());
}

bool FileReplacement::commit(bool complete) {
    int error = failure;
    if (file) {
        bool written = complete && !ferror(file) && fflush(file) == 0;
        if (!written)
            error = errno ? errno : EIO;
        if (fclose(file) != 0 && written)
            error = errno;
        file = NULL;
    }
    if (!error && rename(temporary.c_str(), path.c_str()) == 0) {
        temporary.clear();
        announceWrittenFile(path.c_str());
        return true;
    }
    if (!error)
        error = errno;
    fprintf(stderr, "Could not write %s: %s\n", path.c_str(), strerror(error));
    return false;
}
