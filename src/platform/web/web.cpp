// The browser's side of platform.h. The page (page.js) holds what the game
// asks of it: the pictures the browser decoded while the data downloaded, the
// font under the name of its data file, the console's words typed into its
// text field, and the download links of the files the game writes. Waits
// yield to the page (the build's ASYNCIFY), so keys and drawing go on. Where
// the browser's C library differs from the desktop's in what the game relies
// on (rand(), the file mask), it is made the same here.
#include "platform/platform.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <SDL_image.h>
#include <emscripten.h>
#include <sys/stat.h>

#include "core/datafile.h"

// Emscripten's C library starts with a mask that takes every right away, so
// a file the game wrote and gave the usual rights (FileReplacement) could not
// be read again, not even to hand it to the page: the usual mask instead.
static const mode_t STARTING_MASK = umask(022);

// rand() and srand() as the desktop's C library (glibc) has them: an
// additive generator over the last 34 values, seeded through a
// multiplicative one. The game draws from rand() before it seeds it (the
// start heading), and every roll after, so the same seed plays the same game
// on the desktop and in the browser.
namespace {
const int RAND_LAGS = 34;
uint32_t randRing[RAND_LAGS];
int randNext = 0;
bool randSeeded = false;
} // namespace

extern "C" void srand(unsigned seed) {
    int32_t word = seed == 0 ? 1 : (int32_t)seed;
    randRing[0] = (uint32_t)word;
    for (int i = 1; i < 31; i++) {
        // 16807 * word modulo 2^31 - 1, without overflow.
        word = 16807 * (word % 127773) - 2836 * (word / 127773);
        if (word < 0)
            word += 2147483647;
        randRing[i] = (uint32_t)word;
    }
    for (int i = 31; i < RAND_LAGS; i++)
        randRing[i] = randRing[i - 31];
    randNext = 0;
    randSeeded = true;
    // The first 310 values are thrown away.
    for (int i = 0; i < 310; i++)
        rand();
}

extern "C" int rand(void) {
    if (!randSeeded)
        srand(1);
    uint32_t value = randRing[(randNext + 3) % RAND_LAGS] + randRing[(randNext + 31) % RAND_LAGS];
    randRing[randNext] = value;
    randNext = (randNext + 1) % RAND_LAGS;
    return (int)(value >> 1);
}

// How long the console sleeps between looks at the page's text field.
static const int CONSOLE_POLL_MS = 40;

// clang-format off
EM_JS(void, pageLoadFont, (const char* path), {
    window.tessaryPage.loadFont(UTF8ToString(path), FS.readFile(UTF8ToString(path)));
});
EM_JS(int, pageFontReady, (), {
    return window.tessaryPage.fontReady() ? 1 : 0;
});
EM_JS(void, pageConsoleOpened, (), {
    var out = FS.getStream(1);
    if (out && out.tty)
        out.tty.ops.flush(out.tty);
    window.tessaryPage.consoleWaiting(true);
});
EM_JS(int, pageConsoleWordLength, (), {
    var word = window.tessaryPage.consolePeek();
    if (word === null)
        return -2;
    return word === undefined ? -1 : lengthBytesUTF8(word);
});
EM_JS(void, pageConsoleTakeWord, (char* buffer, int size), {
    stringToUTF8(window.tessaryPage.consoleTakeWord(), buffer, size);
    window.tessaryPage.consoleWaiting(false);
});
EM_JS(void, pageFileWritten, (const char* path, const Uint8* bytes, int size), {
    window.tessaryPage.fileWritten(UTF8ToString(path), HEAPU8.slice(bytes, bytes + size));
});
// clang-format on

SDL_Surface* decodePicture(const char* path, FILE* file, bool) {
    // The browser decoded every picture as the data came in; the game's own
    // check of the file's header has passed.
    fclose(file);
    return IMG_Load(path);
}

SDL_Thread* startWorker(int (*)(void*), void*) {
    // The page runs the game on its one thread.
    return NULL;
}

TTF_Font* openFont(const char* path, int size) {
    FILE* file = openDataFile(path);
    if (!file)
        return NULL;
    fclose(file);
    pageLoadFont(path);
    while (!pageFontReady())
        emscripten_sleep(CONSOLE_POLL_MS);
    return TTF_OpenFont(path, size);
}

bool writeBmp(SDL_Surface* surface, FILE* file) {
    // A 24-bit picture, bottom row first, rows padded to four bytes: what
    // SDL writes on the desktop for a screen without alpha.
    int w = surface->w;
    int h = surface->h;
    int rowBytes = (w * 3 + 3) / 4 * 4;
    Uint32 dataBytes = (Uint32)rowBytes * (Uint32)h;
    Uint8 header[54] = {'B', 'M'};
    auto put32 = [&header](int at, Uint32 value) {
        for (int i = 0; i < 4; i++)
            header[at + i] = (Uint8)(value >> (8 * i));
    };
    put32(2, 54 + dataBytes);
    put32(10, 54);
    put32(14, 40);
    put32(18, (Uint32)w);
    put32(22, (Uint32)h);
    header[26] = 1;
    header[28] = 24;
    put32(34, dataBytes);
    if (fwrite(header, 1, sizeof header, file) != sizeof header)
        return false;
    if (SDL_LockSurface(surface) < 0)
        return false;
    std::vector<Uint8> row((size_t)rowBytes, 0);
    bool written = true;
    const Uint8* pixels = (const Uint8*)surface->pixels;
    int bytesPerPixel = surface->format->BytesPerPixel;
    for (int y = h - 1; y >= 0 && written; y--) {
        for (int x = 0; x < w; x++) {
            Uint32 pixel = 0;
            memcpy(&pixel, pixels + y * surface->pitch + x * bytesPerPixel, (size_t)bytesPerPixel);
            SDL_GetRGB(pixel, surface->format, &row[x * 3 + 2], &row[x * 3 + 1], &row[x * 3]);
        }
        written = fwrite(row.data(), 1, row.size(), file) == row.size();
    }
    SDL_UnlockSurface(surface);
    return written;
}

void reopenConsoleInput() {
    // The page's field is open again at every visit of the console.
}

bool readConsoleWord(std::string& word) {
    pageConsoleOpened();
    int length;
    while ((length = pageConsoleWordLength()) == -1)
        emscripten_sleep(CONSOLE_POLL_MS);
    if (length < 0)
        return false; // the player closed the field: the end of the input
    std::vector<char> buffer((size_t)length + 1);
    pageConsoleTakeWord(buffer.data(), length + 1);
    word.assign(buffer.data());
    return true;
}

void announceWrittenFile(const char* path) {
    // The page is handed a copy of the file as written.
    FILE* file = fopen(path, "rb");
    if (!file)
        return;
    std::vector<Uint8> bytes;
    Uint8 block[4096];
    size_t got;
    while ((got = fread(block, 1, sizeof block, file)) > 0)
        bytes.insert(bytes.end(), block, block + got);
    fclose(file);
    pageFileWritten(path, bytes.data(), (int)bytes.size());
}
