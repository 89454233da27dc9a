// The scripted player replaces SDL_PollEvent without a record, the look the
// game's waits (CGame::waitForEvent) take; every other call goes on to SDL.
#include "scripted_player.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>

#include <SDL_ttf.h>

#include "support/harness.h"

namespace {

struct Script {
    bool armed = false;
    CGame* game = nullptr;
    std::vector<Wait> steps;
    size_t next = 0;
    std::vector<Seen> seen;
    std::vector<std::string> problems;
    bool reportAtExit = false;
    bool endExpected = false;
} script;

void freeShots() {
    for (Seen& s : script.seen)
        SDL_FreeSurface(s.shot);
    script.seen.clear();
}

// Death tests read this line from standard error.
void reportAtExit() {
    if (!script.armed)
        return;
    script.armed = false;
    std::string last = script.seen.empty() ? "" : script.seen.back().text;
    fprintf(stderr, "scripted player: %zu waits answered; last: %s; problems: %zu\n",
            script.seen.size(), last.c_str(), script.problems.size());
    for (const std::string& p : script.problems)
        fprintf(stderr, "  %s\n", p.c_str());
    freeShots();
    if (!script.endExpected) {
        fprintf(stderr, "scripted player: the game ended the process in the middle of a test\n");
        fflush(stderr);
        _exit(1);
    }
}

std::string withNumber(const std::string& text, int number) {
    size_t at = text.find("%i");
    if (at == std::string::npos)
        return text;
    return text.substr(0, at) + std::to_string(number) + text.substr(at + 2);
}

SDL_Surface* renderGlyphs(CGame* game, const std::string& text) {
    SDL_Color white = {255, 255, 255, 0};
    return TTF_RenderText_Solid(game->font, text.c_str(), white);
}

bool isGlyph(SDL_Surface* rendered, int x, int y) {
    Uint8 index = ((Uint8*)rendered->pixels)[y * rendered->pitch + x];
    return index != (Uint8)rendered->format->colorkey;
}

// The box's strip (y 380 to 409) holds exactly its colour and the glyphs
// drawn at (10, 378).
bool stripShows(CGame* game, SDL_Surface* shot, const std::string& text, Uint32 colour) {
    SDL_Surface* rendered = renderGlyphs(game, text);
    if (!rendered)
        return false;
    Uint32 white = mapped(shot, 255, 255, 255);
    bool same = true;
    for (int y = 380; y < 410 && same; y++) {
        for (int x = 0; x < SCREEN_W && same; x++) {
            int gx = x - 10, gy = y - 378;
            bool glyph = gx >= 0 && gy >= 0 && gx < rendered->w && gy < rendered->h &&
                         isGlyph(rendered, gx, gy);
            same = pixelAt(shot, x, y) == (glyph ? white : colour);
        }
    }
    SDL_FreeSurface(rendered);
    return same;
}

void checkBox(const Wait& step, SDL_Surface* shot, Seen* seen) {
    Uint32 strip = pixelAt(shot, 5, 395);
    for (const Message& m : step.boxShows) {
        Uint32 colour = m.alert ? mapped(shot, 255, 0, 0) : mapped(shot, 0, 0, 200);
        if (strip != colour)
            continue;
        bool numbered = m.text.find("%i") != std::string::npos;
        for (int n = numbered ? -100 : 0; n <= (numbered ? 300 : 0); n++) {
            std::string text = withNumber(m.text, n);
            if (stripShows(script.game, shot, text, colour)) {
                seen->text = text;
                seen->alert = m.alert;
                seen->number = n;
                return;
            }
        }
    }
    script.problems.push_back("wait " + std::to_string(script.seen.size() + 1) +
                              ": not the box \"" + step.boxShows[0].text + "\"");
    seen->text = "?";
}

void checkMenu(const Wait& step, SDL_Surface* shot) {
    if (step.menuLines.empty())
        return;
    int y = 80;
    for (const std::string& line : step.menuLines) {
        if (!showsLine(script.game, shot, line, 170, y)) {
            script.problems.push_back("wait " + std::to_string(script.seen.size() + 1) +
                                      ": menu line \"" + line + "\" not at (170, " +
                                      std::to_string(y) + ")");
            return;
        }
        SDL_Surface* rendered = renderGlyphs(script.game, line);
        y += rendered->h;
        SDL_FreeSurface(rendered);
    }
    // Nothing else of the menu below its last line.
    Uint32 white = mapped(shot, 255, 255, 255);
    for (int row = y; row < 380; row++)
        for (int x = 170; x < SCREEN_W; x++)
            if (pixelAt(shot, x, row) == white) {
                script.problems.push_back("wait " + std::to_string(script.seen.size() + 1) +
                                          ": more menu text at (" + std::to_string(x) + ", " +
                                          std::to_string(row) + ")");
                return;
            }
}

typedef int (*PollEventFunction)(SDL_Event*);

} // namespace

Wait box(const std::string& text, bool alert, SDLKey key) {
    return Wait{false, {Message{text, alert}}, {}, key};
}

Wait menu(SDLKey key, const std::vector<std::string>& lines) {
    return Wait{true, {}, lines, key};
}

Wait press(SDLKey key) {
    return Wait{true, {}, {}, key};
}

void scriptPlayer(CGame* game, const std::vector<Wait>& waits) {
    freeShots();
    script.problems.clear();
    script.game = game;
    script.steps = waits;
    script.next = 0;
    script.endExpected = false;
    script.armed = true;
    if (!script.reportAtExit) {
        atexit(reportAtExit);
        script.reportAtExit = true;
    }
}

void expectProcessEnd() {
    script.endExpected = true;
}

void endScript() {
    script.armed = false;
    freeShots();
}

std::vector<Seen> scriptResult(std::vector<std::string>* problems) {
    script.armed = false;
    *problems = script.problems;
    if (script.next < script.steps.size())
        problems->push_back(std::to_string(script.steps.size() - script.next) +
                            " planned waits never came");
    return script.seen;
}

bool showsLine(CGame* game, SDL_Surface* surface, const std::string& text, int x, int y,
               Rgb colour) {
    SDL_Surface* rendered = renderGlyphs(game, text);
    if (!rendered)
        return false;
    Uint32 ink = mapped(surface, colour);
    bool same = true;
    for (int gy = 0; gy < rendered->h && same; gy++) {
        for (int gx = 0; gx < rendered->w && same; gx++) {
            int sx = x + gx, sy = y + gy;
            if (sx < 0 || sy < 0 || sx >= surface->w || sy >= surface->h)
                continue;
            same = (pixelAt(surface, sx, sy) == ink) == isGlyph(rendered, gx, gy);
        }
    }
    SDL_FreeSurface(rendered);
    return same;
}

extern "C" int SDL_PollEvent(SDL_Event* event) {
    static PollEventFunction sdlPollEvent = (PollEventFunction)dlsym(RTLD_NEXT, "SDL_PollEvent");
    if (!script.armed || event != NULL)
        return sdlPollEvent(event);
    if (pendingEvents() > 0)
        return 1;
    if (script.next >= script.steps.size()) {
        fprintf(stderr, "scripted player: the game waits for key %zu, which the script lacks\n",
                script.next + 1);
        reportAtExit();
        abort();
    }
    const Wait& step = script.steps[script.next];
    SDL_Surface* screen = SDL_GetVideoSurface();
    Seen seen = {"", false, 0, SDL_ConvertSurface(screen, screen->format, SDL_SWSURFACE)};
    if (step.isMenu)
        checkMenu(step, seen.shot);
    else
        checkBox(step, seen.shot, &seen);
    script.seen.push_back(seen);
    script.next++;
    pushKeyDown(step.key);
    return 1;
}
