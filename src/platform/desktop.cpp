// The desktop side of platform.h: SDL_image, SDL_ttf and SDL's BMP writer
// read and write through open files, and the console reads the terminal.
#include "platform/platform.h"

#include <iostream>

#include <SDL_image.h>

#include "core/datafile.h"

SDL_Surface* decodePicture(const char*, FILE* file, bool png) {
    SDL_RWops* source = SDL_RWFromFP(file, 1);
    if (!source) {
        fclose(file);
        return NULL;
    }
    SDL_Surface* picture = png ? IMG_LoadPNG_RW(source) : IMG_LoadJPG_RW(source);
    SDL_RWclose(source);
    return picture;
}

SDL_Thread* startWorker(int (*work)(void*), void* data) {
    return SDL_CreateThread(work, data);
}

TTF_Font* openFont(const char* path, int size) {
    // Opened like every data file, so a folder or a named pipe there is a
    // missing font rather than a hang.
    FILE* file = openDataFile(path);
    SDL_RWops* source = file ? SDL_RWFromFP(file, 1) : NULL;
    if (file && !source)
        fclose(file);
    return source ? TTF_OpenFontRW(source, 1, size) : NULL;
}

bool writeBmp(SDL_Surface* surface, FILE* file) {
    SDL_RWops* stream = SDL_RWFromFP(file, 0);
    bool saved = stream && SDL_SaveBMP_RW(surface, stream, 0) == 0;
    if (stream)
        SDL_RWclose(stream);
    return saved;
}

void reopenConsoleInput() {
    // A terminal can be read again after an end of input (Ctrl-D); a pipe or
    // a file that has really ended just ends again at the first read.
    std::cin.clear();
    clearerr(stdin);
}

bool readConsoleWord(std::string& word) {
    // A word of any length is read whole.
    return static_cast<bool>(std::cin >> word);
}

void announceWrittenFile(const char*) {
    // The file is there in the game's folder; nobody needs telling.
}
