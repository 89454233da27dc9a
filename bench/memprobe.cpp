// The memory probe, run as a child by the benchmark suite, in the folder that
// holds the data tree. Its peak resident memory is what the suite reports:
//   tessary_memprobe bare    only sets the game's video mode and shows a frame
//   tessary_memprobe title   the game object built and the title screen shown
//   tessary_memprobe floors  the same, then every floor walked, first to last
// When file descriptor 3 is open, the probe also writes its own peak there
// ("VmHWM" of /proc/self/status, in KiB), which no parent's size can inflate.
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include <SDL.h>

#include "core/game.h"

static long ownPeakKiB() {
    FILE* status = fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long kib = -1;
    while (fgets(line, sizeof line, status))
        if (strncmp(line, "VmHWM:", 6) == 0)
            kib = atol(line + 6);
    fclose(status);
    return kib;
}

static void pressAnyKey() {
    SDL_Event event;
    memset(&event, 0, sizeof event);
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = SDLK_SPACE;
    SDL_PushEvent(&event);
}

static void bare() {
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        exit(1);
    SDL_Surface* screen = SDL_SetVideoMode(
        SCREEN_W, SCREEN_H, 16, SDL_HWSURFACE | SDL_ANYFORMAT | SDL_DOUBLEBUF | SDL_FULLSCREEN);
    if (!screen)
        exit(1);
    SDL_FillRect(screen, NULL, 0);
    SDL_Flip(screen);
}

// Walks the current floor: frames drawn and shown with the player on a grid of
// cells across the whole map.
static void walkFloor(CGame& game) {
    for (int y = 0; y < MAP_SIZE; y += 6) {
        for (int x = 0; x < MAP_SIZE; x += 6) {
            game.player.posX = x;
            game.player.posY = y;
            game.Roam_DrawEverything();
            SDL_Flip(game.screen);
        }
    }
}

// A fight scene with the floor's first character, and the shop and character
// menu frames, so that every kind of screen has been drawn once per floor.
static void visitScreens(CGame& game) {
    if (!game.npcs.empty()) {
        game.fightEnemy = game.npcs.front();
        game.fightBackground = game.player.floor % BACKGROUND_COUNT;
        game.Fight_DrawScene();
        SDL_Flip(game.screen);
        game.fightEnemy = NULL;
    }
    game.menuCursor = -1;
    game.menuoff = -1;
    game.Shop_DrawFrame();
    SDL_Flip(game.screen);
    game.menuCursor = -1;
    game.menuoff = -1;
    game.Menu_DrawFrame();
    SDL_Flip(game.screen);
}

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "";
    // The game's own lines are not what is measured.
    if (!freopen("/dev/null", "w", stdout))
        return 1;
    if (strcmp(mode, "bare") == 0) {
        bare();
    } else if (strcmp(mode, "title") == 0 || strcmp(mode, "floors") == 0) {
        CGame* game = new CGame();
        pressAnyKey();
        game->titleScreen();
        if (strcmp(mode, "floors") == 0) {
            for (;;) {
                walkFloor(*game);
                visitScreens(*game);
                if (game->player.floor >= LAST_FLOOR)
                    break;
                game->Roam_ChangeFloor();
            }
        }
        delete game;
    } else {
        fprintf(stderr, "usage: tessary_memprobe bare|title|floors\n");
        return 2;
    }
    char line[64];
    int length = snprintf(line, sizeof line, "%ld\n", ownPeakKiB());
    if (write(3, line, (size_t)length) < 0) {
        // No reporting pipe: the parent reads the peak from wait4 alone.
    }
    return 0;
}
