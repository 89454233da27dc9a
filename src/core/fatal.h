// fatal: the one way the game ends when it cannot go on.
#pragma once

// Prints `message`, a printf format with its arguments, to standard error
// exactly as given (line feed or not) and ends the process with status 1.
[[noreturn]] void fatal(const char* message, ...) __attribute__((format(printf, 1, 2)));
