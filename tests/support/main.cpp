// Entry of every test binary: no display and no sound device needed, and a
// process that ends in the middle of its tests fails.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

// Game code ends the process itself on some paths (the win, Escape in a
// fight, the console's "die"). Reached from an ordinary test, that exit would
// end the binary with status 0 and no summary, which passes for success.
bool testsFinished = false;
bool inDeathTestChild = false;

void failIfEndedEarly() {
    if (testsFinished || inDeathTestChild)
        return;
    fflush(stdout);
    fprintf(stderr, "\nThe test process ended before its tests finished: a test reached "
                    "code that ends the game.\n");
    _exit(1);
}

} // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    // The child of an EXPECT_EXIT is meant to end the process.
    for (int i = 1; i < argc; i++)
        if (strncmp(argv[i], "--gtest_internal_run_death_test", 31) == 0)
            inDeathTestChild = true;
    atexit(failIfEndedEarly);
    // Death tests fork a game that has SDL running: run them in a fresh process.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    testing::InitGoogleTest(&argc, argv);
    int status = RUN_ALL_TESTS();
    testsFinished = true;
    return status;
}
