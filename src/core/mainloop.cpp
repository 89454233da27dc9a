// The main loop: one roaming or fight pass per frame, then the frame-rate
// report "performance.txt". Every pass counts as a frame. A roaming pass
// draws and presents only when something on its frame changed; a fight pass
// always draws, and only a frame that differs from the one on the display is
// presented. Presenting costs a hundred times what drawing does, and a player
// standing still or reading a fight would show the very same picture.
#include <cstdio>
#include <cstring>

#include "core/game.h"
#include "core/replacement.h"

void CGame::gameLoop() {
    Sint32 frames = 0;
    Uint32 start = SDL_GetTicks();
    while (quit == 0) {
        frames++;
        if (fighting) {
            FightLoop();
            presentFrame();
            // The fight drew over the roaming frame.
            roamChanged = true;
        } else if (RoamLoop()) {
            flipFrame();
        } else {
            // Nothing changed: the display already shows this pass's frame.
            Roam_Idle();
        }
        // A termination signal ends the game like a quit request.
        takeTerminationRequest();
    }
    Uint32 end = SDL_GetTicks();
    float seconds = ((float)end - (float)start) / 1000.0f;

    // The game has ended anyway: a report that cannot be written is only
    // said so, and the last one is kept.
    FileReplacement out("performance.txt");
    if (FILE* report = out.file) {
        int npcCount = 0;
        for (std::list<NPC*>::iterator it = npcs.begin(); it != npcs.end(); ++it)
            npcCount++;
        fprintf(report, "QorProfiler 2.0\n====\n");
        fprintf(report, "Did %i frames in %f seconds\n", frames, (double)seconds);
        fprintf(report, "Had %i NPC's at %ix%i resolution\n", npcCount, SCREEN_W, SCREEN_H);
        fprintf(report, "Avg. FPS: %f\n", (double)((float)frames / seconds));
    }
    out.commit();
}

// The display refreshes 60 times a second: every 50 thirds of a millisecond.
static const Uint32 REFRESH_THIRDS_MS = 50;

bool CGame::presentFrame() {
    // Modal screens present for themselves, but each returns with the screen
    // holding what it presented or more drawn over it, never the frame shown
    // here before them: so the kept copy tells exactly whether the display
    // would change.
    if (SDL_MUSTLOCK(screen) && SDL_LockSurface(screen) < 0) {
        flipFrame();
        return true;
    }
    size_t bytes = (size_t)screen->pitch * (size_t)screen->h;
    const Uint8* pixels = (const Uint8*)screen->pixels;
    bool unchanged = shortcuts && shown.pixels.size() == bytes &&
                     memcmp(shown.pixels.data(), pixels, bytes) == 0;
    // The copy is made in the kept copy's own storage, taken aside while
    // flipFrame forgets what was shown: no frame allocates a screen's worth.
    std::vector<Uint8> copy;
    if (!unchanged) {
        copy.swap(shown.pixels);
        copy.assign(pixels, pixels + bytes);
    }
    if (SDL_MUSTLOCK(screen))
        SDL_UnlockSurface(screen);
    if (unchanged) {
        // The pacing a flip at the refresh would have given, without the flip.
        waitForRefresh();
        return false;
    }
    flipFrame();
    shown.pixels.swap(copy);
    return true;
}

void CGame::flipFrame() {
    // At most one present a refresh: SDL's software renderer, the default,
    // does not wait for the display, so the game waits instead.
    if (shown.count > 0 && (Uint64)(Uint32)(SDL_GetTicks() - shown.ticks) * 3 < REFRESH_THIRDS_MS)
        waitForRefresh();
    SDL_Flip(screen);
    shown.ticks = SDL_GetTicks();
    shown.count++;
    // Only presentFrame keeps a copy of what it presented; anything else
    // presented makes the copy out of date.
    shown.pixels.clear();
}

void CGame::waitForRefresh() {
    // Refreshes are counted from the last present; sleep to the next one.
    Uint64 elapsed = (Uint64)(Uint32)(SDL_GetTicks() - shown.ticks) * 3;
    Uint64 next = (elapsed / REFRESH_THIRDS_MS + 1) * REFRESH_THIRDS_MS;
    SDL_Delay((Uint32)((next + 2) / 3 - elapsed / 3));
}
