// loadPicture: every picture of the game is decoded here, and only by the
// decoder its file name names. The game ships PNG and JPEG alone; leaving the
// choice to the file's content would open every other decoder of SDL_image to
// whatever lies under data/. The size is read from the file's header before
// anything is decoded, so a small file cannot claim gigabytes of pixels.
// Start-up decodes its pictures ahead, on a worker thread, with the same
// function.
#include "core/picture.h"

#include <cstring>

#include "core/datafile.h"
#include "platform/platform.h"

namespace {

bool endsWith(const char* text, const char* end) {
    size_t n = strlen(text), m = strlen(end);
    return n >= m && strcmp(text + n - m, end) == 0;
}

bool sizeAccepted(unsigned long w, unsigned long h) {
    return w >= 1 && h >= 1 && w <= (unsigned long)PICTURE_MAX_SIDE &&
           h <= (unsigned long)PICTURE_MAX_SIDE;
}

unsigned long bigEndian(const unsigned char* bytes, int count) {
    unsigned long value = 0;
    for (int i = 0; i < count; i++)
        value = value << 8 | bytes[i];
    return value;
}

// A PNG starts with its signature and then the header chunk, which holds the
// width and the height; the decoder accepts nothing else first.
bool isAcceptedPng(FILE* file) {
    static const unsigned char SIGNATURE[12] = {0x89, 'P',  'N', 'G', '\r', '\n',
                                                0x1a, '\n', 0,   0,   0,    13};
    unsigned char head[24];
    if (fread(head, 1, sizeof head, file) != sizeof head)
        return false;
    return memcmp(head, SIGNATURE, sizeof SIGNATURE) == 0 && memcmp(head + 12, "IHDR", 4) == 0 &&
           sizeAccepted(bigEndian(head + 16, 4), bigEndian(head + 20, 4));
}

// A JPEG starts with a start-of-image marker, then segments that each give
// their length, up to the frame header with the height and the width. The
// walk refuses anything the decoder would read differently: bytes between
// segments, or a scan or the end before the frame header.
bool isAcceptedJpeg(FILE* file) {
    if (getc(file) != 0xFF || getc(file) != 0xD8)
        return false;
    for (;;) {
        if (getc(file) != 0xFF)
            return false;
        int marker = getc(file);
        while (marker == 0xFF) // fill bytes before a marker
            marker = getc(file);
        if (marker == EOF || marker == 0xD9 || marker == 0xDA || marker == 0x00)
            return false;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // markers without a segment
        unsigned char length[2];
        if (fread(length, 1, 2, file) != 2 || bigEndian(length, 2) < 2)
            return false;
        long rest = (long)bigEndian(length, 2) - 2;
        bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            unsigned char header[5]; // precision, height, width
            return rest >= 5 && fread(header, 1, 5, file) == 5 &&
                   sizeAccepted(bigEndian(header + 3, 2), bigEndian(header + 1, 2));
        }
        if (fseek(file, rest, SEEK_CUR) != 0)
            return false;
    }
}

} // namespace

SDL_Surface* loadPicture(const char* path) {
    bool png = endsWith(path, ".png");
    if (!png && !endsWith(path, ".jpg"))
        return NULL;
    FILE* file = openDataFile(path);
    if (!file)
        return NULL;
    bool accepted = png ? isAcceptedPng(file) : isAcceptedJpeg(file);
    if (!accepted || fseek(file, 0, SEEK_SET) != 0) {
        fclose(file);
        return NULL;
    }
    SDL_Surface* picture = decodePicture(path, file, png);
    if (picture && !sizeAccepted(picture->w, picture->h)) {
        SDL_FreeSurface(picture);
        picture = NULL;
    }
    return picture;
}

static int decodeAll(void* data) {
    PicturesAhead& ahead = *(PicturesAhead*)data;
    for (size_t i = 0; i < ahead.paths.size(); i++)
        ahead.pictures[i] = loadPicture(ahead.paths[i].c_str());
    return 0;
}

// The worker owns the lists until it has ended.
static void waitForWorker(PicturesAhead& ahead) {
    if (!ahead.worker)
        return;
    SDL_WaitThread(ahead.worker, NULL);
    ahead.worker = NULL;
}

void decodeAhead(PicturesAhead& ahead, const std::vector<std::string>& paths) {
    dropPicturesAhead(ahead);
    ahead.paths = paths;
    ahead.pictures.assign(paths.size(), NULL);
    ahead.taken.assign(paths.size(), false);
    ahead.worker = startWorker(decodeAll, &ahead);
    if (!ahead.worker)
        ahead.taken.assign(paths.size(), true); // decoded one by one when taken
}

SDL_Surface* takePicture(PicturesAhead& ahead, const char* path) {
    waitForWorker(ahead);
    for (size_t i = 0; i < ahead.paths.size(); i++) {
        if (ahead.taken[i] || ahead.paths[i] != path)
            continue;
        ahead.taken[i] = true;
        SDL_Surface* picture = ahead.pictures[i];
        ahead.pictures[i] = NULL;
        return picture;
    }
    return loadPicture(path);
}

void dropPicturesAhead(PicturesAhead& ahead) {
    waitForWorker(ahead);
    for (SDL_Surface* picture : ahead.pictures)
        if (picture)
            SDL_FreeSurface(picture);
    ahead.paths.clear();
    ahead.pictures.clear();
    ahead.taken.clear();
}
