// fatal: the one way the game ends when it cannot go on.
#include "core/fatal.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

void fatal(const char* message, ...) {
    va_list arguments;
    va_start(arguments, message);
    vfprintf(stderr, message, arguments);
    va_end(arguments);
    exit(1);
}
