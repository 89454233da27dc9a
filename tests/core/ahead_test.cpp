// Pictures decoded ahead on a worker thread: each is the very picture the
// plain loadPicture gives for its path, and start-up decodes nothing twice.
#include <cstring>

#include "core/picture.h"
#include "support/harness.h"

namespace {

// Both missing, or the same size, format and pixels.
void expectSamePicture(SDL_Surface* taken, SDL_Surface* plain, const std::string& path) {
    bool takenMissing = taken == NULL;
    bool plainMissing = plain == NULL;
    ASSERT_EQ(takenMissing, plainMissing) << path << ": missing ahead exactly when missing plainly";
    if (!plain)
        return;
    ASSERT_EQ(taken->w, plain->w) << path << ": the same width";
    ASSERT_EQ(taken->h, plain->h) << path << ": the same height";
    ASSERT_EQ(taken->format->BitsPerPixel, plain->format->BitsPerPixel) << path;
    ASSERT_EQ(taken->format->Rmask, plain->format->Rmask) << path;
    ASSERT_EQ(taken->format->Amask, plain->format->Amask) << path;
    size_t row = (size_t)plain->w * plain->format->BytesPerPixel;
    for (int y = 0; y < plain->h; y++) {
        const Uint8* a = (const Uint8*)taken->pixels + (size_t)y * taken->pitch;
        const Uint8* b = (const Uint8*)plain->pixels + (size_t)y * plain->pitch;
        ASSERT_EQ(memcmp(a, b, row), 0) << path << ", row " << y;
    }
}

class AheadTest : public GameTest {};

TEST_F(AheadTest, APictureDecodedAheadIsThePictureLoadPictureGives) {
    tree.write("data/gfx/bad.png", "not a picture");
    start();
    const std::string sprite = spriteFile(0, 0);
    PicturesAhead ahead;
    decodeAhead(ahead, {sprite, "data/gfx/clouds.jpg", "data/gfx/none.png", "data/gfx/bad.png",
                        tileFile(3), sprite});
    // In another order than listed, a path taken more often than listed,
    // and one never listed.
    const std::string takes[] = {tileFile(3),
                                 sprite,
                                 "data/gfx/clouds.jpg",
                                 "data/gfx/bad.png",
                                 sprite,
                                 "data/gfx/none.png",
                                 sprite,
                                 tileFile(5)};
    for (const std::string& path : takes) {
        SDL_Surface* taken = takePicture(ahead, path.c_str());
        SDL_Surface* plain = loadPicture(path.c_str());
        expectSamePicture(taken, plain, path);
        for (SDL_Surface* picture : {taken, plain})
            if (picture)
                SDL_FreeSurface(picture);
    }
    dropPicturesAhead(ahead);
    EXPECT_TRUE(ahead.pictures.empty());
}

// Every picture start-up decodes ahead is taken by loading or by the title
// screen: none is decoded a second time on the main thread.
TEST_F(AheadTest, StartUpTakesEveryPictureItDecodedAhead) {
    start();
    const PicturesAhead& ahead = game->picturesAhead;
    ASSERT_FALSE(ahead.paths.empty());
    for (size_t i = 0; i < ahead.paths.size(); i++)
        EXPECT_EQ(ahead.taken[i], ahead.paths[i] != TITLE_PICTURE) << ahead.paths[i];
    pushKeyDown(SDLK_SPACE);
    startCapture();
    game->titleScreen();
    stopCapture();
    for (size_t i = 0; i < ahead.paths.size(); i++)
        EXPECT_TRUE(ahead.taken[i]) << ahead.paths[i];
}

} // namespace
