// The main loop: one roaming or fight pass per frame, then the frame-rate
// report "performance.txt".
#include <cstdio>

#include "core/game.h"
#include "core/replacement.h"

void CGame::gameLoop() {
    Sint32 frames = 0;
    Uint32 start = SDL_GetTicks();
    while (quit == 0) {
        frames++;
        if (fighting)
            FightLoop();
        else
            RoamLoop();
        SDL_Flip(screen);
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
        fprintf(report, "Had %i NPC's at %ix%i resolution\n", npcCount, 640, 480);
        fprintf(report, "Avg. FPS: %f\n", (double)((float)frames / seconds));
    }
    out.commit();
}
