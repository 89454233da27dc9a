// The roaming pass and its input: one frame of the world when anything on it
// changed, then the queued events and the held keys. Walking is paced by a
// 60 ms wait after each step attempt, vertical and horizontal alike, moved or
// not; nothing else slows roaming down. Stairs lead one floor up, and past
// the last floor to the win.
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "core/game.h"
#include "core/clamp.h"

// The pause after each step attempt; it is all the pacing walking has.
static const Uint32 STEP_DELAY_MS = 60;

bool CGame::RoamLoop() {
    // The frame is drawn only when something that shows on it changed since
    // it was last drawn: otherwise the screen already holds this very frame,
    // and the main loop sleeps to the next refresh instead of presenting.
    bool draw = roamChanged;
    if (draw) {
        Roam_DrawEverything();
        roamChanged = false;
    }
    Roam_GetInput();
    return draw;
}

void CGame::Roam_Idle() {
    // After a change the next pass draws at once; after a quit request or
    // the start of a fight there is no roaming pass to wait for.
    if (roamChanged || quit || fighting)
        return;
    // A held arrow or cheat key acts again on the next pass, at the next
    // refresh. Otherwise nothing can change before the player does
    // something: the pass waits for an event, as the waiting screens do.
    Uint8* held = SDL_GetKeyState(NULL);
    if (held[SDLK_UP] || held[SDLK_DOWN] || held[SDLK_LEFT] || held[SDLK_RIGHT] || held[SDLK_k] ||
        held[SDLK_g])
        waitForRefresh();
    else
        waitForEvent();
}

void CGame::Roam_GetInput() {
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) {
            // The rest of the pass still runs; the main loop ends after it.
            quit = 1;
            continue;
        }
        if (event.type != SDL_KEYDOWN)
            continue;
        switch (event.key.keysym.sym) {
        case SDLK_ESCAPE:
            // The menu places its list afresh each time it opens.
            menuCursor = -1;
            menuoff = -1;
            characterMenu();
            roamChanged = true;
            break;
        case SDLK_RETURN:
            Roam_CheckNPCConvo(player.posX, player.posY);
            break;
        case SDLK_F4:
            // The frame of this pass, without a word: roaming is not a notice.
            saveScreenshot();
            break;
        case SDLK_BACKQUOTE:
            // The developer console reads its commands from standard input.
            ConsoleLoop();
            roamChanged = true;
            break;
        default:
            break;
        }
    }

    // Held keys, in this order: the vertical step, the horizontal step, then
    // a cheat key. Up beats Down and Left beats Right; k beats g.
    Uint8* held = SDL_GetKeyState(NULL);
    if (held[SDLK_UP])
        Roam_Step(0, -1);
    else if (held[SDLK_DOWN])
        Roam_Step(0, 1);
    if (held[SDLK_LEFT])
        Roam_Step(-1, 0);
    else if (held[SDLK_RIGHT])
        Roam_Step(1, 0);
    if (held[SDLK_k] || held[SDLK_g])
        roamChanged = true; // the strip of keys
    if (held[SDLK_k]) {
        puts("CHEATER!!!!!!! Key added");
        player.keys = addClamped(player.keys, 1);
        player.gold = addClamped(player.gold, -1);
    } else if (held[SDLK_g]) {
        puts("CHEATER!!!!!!! Gold added");
        player.gold = addClamped(player.gold, 1);
        player.keys = addClamped(player.keys, -1);
    }
}

void CGame::Roam_Step(int dx, int dy) {
    // A target beyond the range of int (a player teleported to its very end)
    // is off the grid anyway, so it is blocked like any other cell outside.
    long long targetX = (long long)player.posX + dx;
    long long targetY = (long long)player.posY + dy;
    bool representable =
        targetX >= INT_MIN && targetX <= INT_MAX && targetY >= INT_MIN && targetY <= INT_MAX;
    if (representable && !tileCollision((int)targetX, (int)targetY)) {
        roamChanged = true; // a step, a turn or both
        if (player.moveRelative(dx, dy)) {
            // QUIRK: a step that solves a quest does not also take the stairs,
            // even when the quest's cell is a staircase; the player steps off
            // and back on to climb.
            solvedQuestScreen();
        } else if (Map::contains(player.posX, player.posY) &&
                   map.cells[player.posY][player.posX] == CELL_STAIRS) {
            Roam_ChangeFloor();
        }
    }
    SDL_Delay(STEP_DELAY_MS);
}

void CGame::Roam_ChangeFloor() {
    player.floor++;
    if (player.floor > LAST_FLOOR) {
        // Climbing the last floor's stairs ends the game at once: no further
        // screen and no frame-rate report.
        puts("You won");
        exit(0);
    }
    // The player keeps his cell: the stairs of one floor lead to the same
    // cell of the next, which that floor's map leaves enterable.
    char path[32];
    snprintf(path, sizeof path, "data/map%i.qor", player.floor);
    map.loadMap(path);
    // A quest of the floor below can never be finished now: it is dropped
    // (and open again, though nobody returns to hand it out).
    player.currentQuest = NULL;
    clearNPCs();
    npcs.clear();
    snprintf(path, sizeof path, "data/npcs%i.qor", player.floor);
    loadNPCs(path);
}
