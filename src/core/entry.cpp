// The game's entry function: banner, game object, title screen, main loop.
#include <cstdio>
#include <cstdlib>
#include <new>

#include "core/game.h"

static const char* const GAME_TITLE = "Tessary";
static const char* const GAME_CREDITS = "the Tessary team";

extern "C" int SDL_main(int argc, char** argv) {
    (void)argc;
    (void)argv;
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
