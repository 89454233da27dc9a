// Waiting for the player: the one way every waiting screen blocks on SDL's
// event queue instead of spinning, and the key wait of the modal notices.
#include <cstdio>

#include "core/game.h"

void CGame::waitForEvent() {
    // With a NULL record SDL leaves the event in the queue for the caller's
    // own polling, which then sees exactly what it would have seen spinning.
    SDL_WaitEvent(NULL);
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
        if (keyPressed)
            return;
        waitForEvent();
    }
}
