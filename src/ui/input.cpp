// Waiting for the player: the one way every waiting screen blocks on SDL's
// event queue instead of spinning, and the key wait of the modal notices.
#include <csignal>
#include <cstdio>

#include "core/game.h"

// How long a waiting screen sleeps between looks at SDL's queue. SDL 1.2's
// own SDL_WaitEvent looks every 10 ms, and on a virtual machine each wake-up
// can cost some 60 microseconds of the process's time: over half a percent of
// a processor. Under a real display server each look at the queue costs
// more still; every 40 ms keeps a waiting screen under half a percent and
// still answers a key within a twenty-fifth of a second.
static const Uint32 WAIT_STEP_MS = 40;

// Set by the signal handler, read by the screens: all a handler may safely do.
static volatile sig_atomic_t terminationSignalled = 0;

static void noteTerminationSignal(int) {
    terminationSignalled = 1;
}

void CGame::catchTerminationSignals() {
    // Installed before SDL starts, which then leaves out its own handlers:
    // they would turn SIGTERM and SIGINT into a window-close request, which
    // the waiting screens drop. No SA_RESTART: a console read the signal
    // breaks into ends as at the end of the input.
    struct sigaction action = {};
    action.sa_handler = noteTerminationSignal;
    sigemptyset(&action.sa_mask);
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &action, NULL);
}

bool CGame::takeTerminationRequest() {
    if (!terminationSignalled)
        return false;
    quit = 1;
    return true;
}

bool CGame::waitForEvent() {
    for (;;) {
        if (takeTerminationRequest())
            return false;
        // With a NULL record SDL leaves the event in the queue for the
        // caller's own polling, which then sees exactly what it would have
        // seen spinning.
        if (SDL_PollEvent(NULL))
            return true;
        SDL_Delay(WAIT_STEP_MS);
    }
}

void CGame::waitForKey(SDL_Event* record) {
    bool keyPressed = false;
    for (;;) {
        while (SDL_PollEvent(record)) {
            if (record->type != SDL_KEYDOWN)
                continue; // key releases, window-close requests: dropped
            if (record->key.keysym.sym == SDLK_F4) {
                puts("Screenshot");
                saveScreenshot();
            } else {
                keyPressed = true;
            }
        }
        // The wait ends only once a key came and the queue behind it is empty.
        if (keyPressed || !waitForEvent())
            return;
    }
}
