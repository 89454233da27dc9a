// The game's entry function: banner, game object, title screen, main loop.
#include <csignal>
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

void ignoreFileSizeLimitSignal() {
    // MEND: a write past the file-size limit would kill the game on the spot,
    // with no word and its temporary file left behind; ignored, the write
    // fails and the game says so, as on a full disk.
    signal(SIGXFSZ, SIG_IGN);
}

extern "C" int SDL_main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    setPresentingDefaults();
    ignoreFileSizeLimitSignal();
    printf("%s by %s\n", GAME_TITLE, GAME_CREDITS);
    fflush(stdout);

    CGame* game = new (std::nothrow) CGame();
    if (!game)
        fatal("Out of memory!\nPlease make sure you have at least 32MB\nfree on your "
              "system\n\t\t\t-qor\n");
    game->titleScreen();
    game->gameLoop();
    delete game;
    puts("Goodbye...");
    return 0;
}
