// The title screen: the title picture until any key is pressed.
#include <cstdio>
#include <cstdlib>

#include "core/game.h"
#include "core/picture.h"
#include "core/pictures.h"

void CGame::titleScreen() {
    SDL_Surface* loaded = takePicture(picturesAhead, TITLE_PICTURE);
    if (!loaded)
        fatal("Oh no! The title screen image (title.png) is missing!\n");
    SDL_Surface* image = SDL_ConvertSurface(loaded, screen->format, 0);
    SDL_FreeSurface(loaded);
    // Centred; a picture larger than the screen gets negative offsets and is clipped.
    int x = (SCREEN_W - (image ? image->w : 0)) / 2;
    int y = (SCREEN_H - (image ? image->h : 0)) / 2;

    bool done = false;
    bool first = true;
    while (!done) {
        drawImage(image, x, y);
        // The picture never changes, so after the first frame the screen
        // sleeps until the player does something.
        // A termination signal ends the game as the title's quit request
        // does: at once, with no frame report.
        if (!first && !waitForEvent())
            exit(0);
        first = false;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT)
                exit(0);
            if (event.type == SDL_KEYDOWN)
                done = true; // any key, but keep taking the rest of the queue
        }
        SDL_Flip(screen);
    }
    if (image)
        SDL_FreeSurface(image);
    puts("Welcome to the game...");
}
