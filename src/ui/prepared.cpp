// Prepared copies of pictures: made once, after loading, so that every frame
// draws exactly the pixels it would draw from the pictures as loaded, only
// faster. Three kinds:
//  - Rebased pictures. SDL copies an opaque picture of the screen's format
//    with non-temporal stores when the rows of both and the gaps between them
//    are 16-byte aligned (for a 48 x 48 tile at a cell's position some sixty
//    times slower than a plain copy), and eight bytes at a time when the gaps
//    are 8-byte aligned. The same pixels in storage whose pitch is 4 bytes off
//    a multiple of 8 are never both: SDL copies them with the C library.
//  - The backdrop: the cloud picture as loaded is converted to the screen's
//    format by every blit; converted once, tiled over a whole screen, it is a
//    copy like any other.
//  - Pictures over a solid colour: a screen that fills itself and then
//    blends a picture on the fill (the character menu's portrait, the shop's
//    picture) can copy the blended result instead. It is made by the very
//    same blit on the very same colour, so the pixels are the same.
// Nothing is prepared from a picture that lets what lies beneath show
// through (a colour key or alpha blending) where the copy could differ.
#include "core/game.h"

// With the screen's pitch a multiple of 8, a source pitch 4 past a multiple of
// 8 keeps the two gaps from both being multiples of 8, whatever part of the
// rows is copied.
static const int ROW_ALIGNMENT = 8;
static const int ROW_OFFSET = 4;

// The picture hides what lies beneath it: no colour key, no blending.
static bool isOpaque(SDL_Surface* image) {
    return image && !(image->flags & (SDL_SRCCOLORKEY | SDL_SRCALPHA));
}

static bool inScreenFormat(SDL_Surface* image, SDL_Surface* screen) {
    SDL_PixelFormat* a = image->format;
    SDL_PixelFormat* b = screen->format;
    return a->BitsPerPixel == b->BitsPerPixel && a->Rmask == b->Rmask && a->Gmask == b->Gmask &&
           a->Bmask == b->Bmask && a->Amask == 0 && !a->palette;
}

SDL_Surface* CGame::Prepare_Surface(int w, int h) {
    if (w <= 0 || h <= 0)
        return NULL;
    SDL_PixelFormat* f = screen->format;
    // A few spare pixels on each row put the pitch off the alignment.
    SDL_Surface* storage = NULL;
    for (int spare = 0; spare < ROW_ALIGNMENT && !storage; spare++) {
        storage = SDL_CreateRGBSurface(SDL_SWSURFACE, w + spare, h, f->BitsPerPixel, f->Rmask,
                                       f->Gmask, f->Bmask, 0);
        if (storage && storage->pitch % ROW_ALIGNMENT != ROW_OFFSET) {
            SDL_FreeSurface(storage);
            storage = NULL;
        }
    }
    if (!storage)
        return NULL;
    SDL_Surface* view = SDL_CreateRGBSurfaceFrom(storage->pixels, w, h, f->BitsPerPixel,
                                                 storage->pitch, f->Rmask, f->Gmask, f->Bmask, 0);
    if (!view) {
        SDL_FreeSurface(storage);
        return NULL;
    }
    prepared.storage.push_back(storage);
    return view;
}

SDL_Surface* CGame::Prepare_FastCopy(SDL_Surface* image) {
    if (!image || !isOpaque(image) || !inScreenFormat(image, screen))
        return image;
    SDL_Surface* copy = Prepare_Surface(image->w, image->h);
    if (!copy)
        return image;
    // Same format, nothing blended: the blit copies the pixels as they are.
    SDL_BlitSurface(image, NULL, copy, NULL);
    SDL_FreeSurface(image);
    return copy;
}

void CGame::prepareImages() {
    if (!shortcuts)
        return;
    for (int i = 0; i < TILE_COUNT; i++)
        tiles[i] = Prepare_FastCopy(tiles[i]);
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        fightBackgrounds[i] = Prepare_FastCopy(fightBackgrounds[i]);

    // The backdrop exactly as a roaming frame tiles it. A see-through cloud
    // picture would show the last frame through it, so it stays as loaded.
    if (!isOpaque(clouds) || clouds->w <= 0 || clouds->h <= 0)
        return;
    SDL_Surface* backdrop = Prepare_Surface(SCREEN_W, SCREEN_H);
    if (!backdrop)
        return;
    prepared.backdrop = backdrop;
    for (int r = 0; r <= SCREEN_H / clouds->h; r++) {
        for (int c = 0; c <= SCREEN_W / clouds->w; c++) {
            SDL_Rect where = {(Sint16)(c * clouds->w), (Sint16)(r * clouds->h), 0, 0};
            SDL_BlitSurface(clouds, NULL, backdrop, &where);
        }
    }
}

SDL_Surface* CGame::preparedOver(SDL_Surface* image, Uint8 r, Uint8 g, Uint8 b) {
    if (!image || !shortcuts)
        return image;
    Uint32 colour = SDL_MapRGB(screen->format, r, g, b);
    for (const PreparedImage& kept : prepared.overFills)
        if (kept.image == image && kept.colour == colour)
            return kept.result;
    SDL_Surface* result = Prepare_Surface(image->w, image->h);
    if (!result)
        return image; // drawn as loaded: the same pixels, only slower
    // The fill and the blit the screen itself would do.
    SDL_FillRect(result, NULL, colour);
    SDL_BlitSurface(image, NULL, result, NULL);
    PreparedImage kept = {image, colour, result};
    prepared.overFills.push_back(kept);
    return result;
}

bool CGame::opaqueCovers(SDL_Surface* image, int x, int y, int left, int top, int right,
                         int bottom) {
    return shortcuts && isOpaque(image) && (long long)x <= left && (long long)y <= top &&
           (long long)x + image->w >= right && (long long)y + image->h >= bottom;
}

void CGame::releasePreparedImages() {
    for (PreparedImage& kept : prepared.overFills)
        SDL_FreeSurface(kept.result);
    prepared.overFills.clear();
    for (RenderedText& text : rendered.recent)
        SDL_FreeSurface(text.surface);
    rendered.recent.clear();
    if (prepared.backdrop)
        SDL_FreeSurface(prepared.backdrop);
    prepared.backdrop = NULL;
    // The rebased pictures only borrow these rows; they are freed first.
    for (SDL_Surface* storage : prepared.storage)
        SDL_FreeSurface(storage);
    prepared.storage.clear();
}
