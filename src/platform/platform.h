// What differs between the desktop game and the game in a web page, behind a
// few small functions: how a checked picture is decoded, how the font is
// opened, how the screen becomes a BMP file, where the developer console
// reads its words, and who hears of a file the game has written. The desktop
// versions live in desktop.cpp, the browser's in web/web.cpp; the build picks
// one, so no screen knows which it runs on.
#pragma once

#include <cstdio>
#include <string>

#include <SDL.h>
#include <SDL_thread.h>
#include <SDL_ttf.h>

// Decodes the picture at `path`, whose header has been checked in `file`
// (a PNG when `png`, otherwise a JPEG); the file is closed either way.
// NULL when it cannot be decoded.
SDL_Surface* decodePicture(const char* path, FILE* file, bool png);
// Starts `work` on a thread of its own; NULL where none can be started (a
// web page has one thread), and the caller does the work itself instead.
SDL_Thread* startWorker(int (*work)(void*), void* data);
// Opens the data file `path` as the game's font at `size` points; NULL when
// it cannot be opened.
TTF_Font* openFont(const char* path, int size);
// Writes `surface` into `file` as a BMP picture; false when that failed.
bool writeBmp(SDL_Surface* surface, FILE* file);
// Makes the console's input readable again after an earlier end of input.
void reopenConsoleInput();
// Reads the console's next word of input; false at the end of the input.
bool readConsoleWord(std::string& word);
// Tells the player's side that the game has written the file `path` whole.
void announceWrittenFile(const char* path);
