// openDataFile: refuses everything but a regular file, so that a folder, a
// named pipe or a device put in place of a data file is reported like a
// missing one instead of loading as an empty file or blocking the start.
#include "core/datafile.h"

#include <cstdarg>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FILE* openDataFile(const char* path) {
    // Without O_NONBLOCK, opening a named pipe would wait for a writer.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return NULL;
    struct stat info;
    int flags = fcntl(fd, F_GETFL);
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        close(fd);
        return NULL;
    }
    FILE* file = fdopen(fd, "rb");
    if (!file)
        close(fd);
    return file;
}

void progressLine(FILE* progress, const char* format, ...) {
    if (!progress)
        return;
    va_list args;
    va_start(args, format);
    vfprintf(progress, format, args);
    va_end(args);
    fputc('\n', progress);
}
