// Drawing primitives shared by every screen: text, filled rectangles, images
// and the bounds-checked lookups into the image tables.
#include "core/game.h"

// Texts kept as rendered: more than any screen draws in one frame, so that a
// frame that repeats the last one's texts renders none of them again.
static const size_t KEPT_TEXTS = 64;

int CGame::drawText(const std::string& text, int x, int y, Uint8 r, Uint8 g, Uint8 b) {
    if (!font)
        return -1;
    Uint32 key = (Uint32)r << 16 | (Uint32)g << 8 | b;
    SDL_Surface* surface = NULL;
    for (const RenderedText& kept : rendered.recent) {
        if (kept.font == font && kept.colour == key && kept.text == text) {
            surface = kept.surface;
            break;
        }
    }
    bool fresh = !surface;
    if (fresh) {
        SDL_Color colour = {r, g, b, 0};
        surface = TTF_RenderText_Solid(font, text.c_str(), colour);
        if (!surface)
            return -1;
    }
    drawImage(surface, x, y);
    int height = surface->h;
    if (fresh && !shortcuts) {
        SDL_FreeSurface(surface); // nothing is kept: the next frame renders it again
    } else if (fresh) {
        if (rendered.recent.size() >= KEPT_TEXTS) {
            SDL_FreeSurface(rendered.recent.front().surface);
            rendered.recent.erase(rendered.recent.begin());
        }
        RenderedText kept = {font, text, key, surface};
        rendered.recent.push_back(kept);
    }
    return height;
}

void CGame::fillRect(int x, int y, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
    if (w <= 0 || h <= 0)
        return;
    // Clip to the screen here, in ints: an SDL rectangle holds only 16 bits,
    // and a bar that grows with the player's points must never wrap around.
    long long left = x, top = y, right = (long long)x + w, bottom = (long long)y + h;
    if (left < 0)
        left = 0;
    if (top < 0)
        top = 0;
    if (right > SCREEN_W)
        right = SCREEN_W;
    if (bottom > SCREEN_H)
        bottom = SCREEN_H;
    if (right <= left || bottom <= top)
        return;
    SDL_Rect rect;
    rect.x = (Sint16)left;
    rect.y = (Sint16)top;
    rect.w = (Uint16)(right - left);
    rect.h = (Uint16)(bottom - top);
    SDL_FillRect(screen, &rect, SDL_MapRGB(screen->format, r, g, b));
}

void CGame::drawImage(SDL_Surface* image, int x, int y) {
    if (!image)
        return;
    // Anything placed wholly off the screen is not drawn; this also keeps the
    // position inside the 16 bits of an SDL rectangle.
    if (x >= SCREEN_W || y >= SCREEN_H || x + image->w <= 0 || y + image->h <= 0)
        return;
    SDL_Rect where;
    where.x = (Sint16)x;
    where.y = (Sint16)y;
    where.w = 0;
    where.h = 0;
    SDL_BlitSurface(image, NULL, screen, &where);
}

SDL_Surface* CGame::spriteFor(int character, int heading) {
    if (character < 0 || character >= CHARACTER_COUNT || heading < 0 || heading >= HEADING_COUNT)
        return NULL;
    return sprites[character][heading];
}

SDL_Surface* CGame::itemIconFor(int iconIndex) {
    if (iconIndex < 0 || (size_t)iconIndex >= itemIcons.size())
        return NULL;
    return itemIcons[iconIndex];
}
