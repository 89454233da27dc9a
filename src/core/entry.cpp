// The game's entry function: banner, game object, title screen, main loop.
#include <cstdio>
#include <cstdlib>
#include <new>

#include "core/entry.h"
#include "core/game.h"

static const char* const GAME_TITLE = "Tessary";
static const char* const GAME_CREDITS = "the Tessary team";

void setPresentingDefaults() {
    // Double buffering flips at the refresh rate, so the main loop runs at
    // the display's pace instead of spinning; and this is pixel art.
    setenv("SDL12COMPAT_SYNC_TO_VBLANK", "1", 0);
    setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
    // SDL's software renderer on a plain window framebuffer presents through
    // a shared-memory image without loading a GL driver: the same pixels for
    // a fraction of the processor, memory and start-up time. Either setting
    // alone does not avoid the GL driver. docs/performance.md says how to
    // choose the GL path instead.
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
}

extern "C" int SDL_main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    setPresentingDefaults();
    printf("%s by %s\n", GAME_TITLE, GAME_CREDITS);
    fflush(stdout);

    CGame* game = new (std::nothrow) CGame();
    if (!game) {
        fprintf(stderr, "Out of memory!\n");
        fprintf(stderr, "Please make sure you have at least 32MB\n");
        fprintf(stderr, "free on your system\n");
        fprintf(stderr, "\t\t\t-qor\n");
        exit(1);
    }
    game->titleScreen();
    game->gameLoop();
    delete game;
    puts("Goodbye...");
    return 0;
}
