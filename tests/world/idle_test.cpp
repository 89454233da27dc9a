// Drawing only what changed: a roaming pass draws its frame only when
// something that shows on it changed. Every such change must say so, and a
// pass that draws nothing must leave the screen exactly as a plain drawing of
// the world would make it.
#include <cstring>

#include "support/harness.h"

namespace {

typedef std::vector<Uint8> Pixels;

class IdleTest : public GameTest {
  public:
    // The table of changes below reaches these through the fixture.
    using GameTest::addNpc;
    using GameTest::game;
    using GameTest::typeIn;

    void SetUp() override {
        GameTest::SetUp();
        tree.write("data/map1.qor", mapText('0'));
        tree.write("data/npcs1.qor", "");
        begin();
    }
    // A new game, the player mid-map, its first frame drawn.
    void begin() {
        game.reset();
        start();
        game->player.posX = 50, game->player.posY = 50, game->player.heading = HEADING_DOWN;
        quietPass();
    }
    Pixels screenPixels() {
        const Uint8* pixels = (const Uint8*)game->screen->pixels;
        return Pixels(pixels, pixels + (size_t)game->screen->pitch * game->screen->h);
    }
    // The world drawn the plain way, from scratch; the screen is left as it was.
    Pixels plainFrame() {
        Pixels held = screenPixels();
        game->Roam_DrawEverything();
        Pixels plain = screenPixels();
        memcpy(game->screen->pixels, held.data(), held.size());
        return plain;
    }
    // Keys in the player's pocket, drawn in his strip before the test goes on.
    void giveKeys(int keys) {
        game->player.keys = keys;
        game->roamChanged = true;
        quietPass();
    }
    // One roaming pass with no input; returns whether it drew.
    bool quietPass() {
        drainEvents();
        releaseAllKeys();
        scriptKeys({});
        startCapture();
        bool drew = game->RoamLoop();
        stopCapture();
        endScript();
        return drew;
    }
};

// A pass with nothing changed draws nothing (a screen painted over stays
// painted), and the frame it skipped is the very frame the screen held,
// pixel for pixel; things that do not show (a screenshot, a mouse click, a
// key without a meaning) change nothing.
TEST_F(IdleTest, APassWithNothingChangedDrawsNothingAndTheScreenHoldsItsFrame) {
    game->player.posX = 0, game->player.posY = 0;
    game->roamChanged = true;
    ASSERT_TRUE(quietPass());
    for (int i = 0; i < 3; i++) {
        Pixels held = screenPixels();
        EXPECT_TRUE(held == plainFrame()) << "pass " << i;
        paintScreen();
        if (i == 1)
            pushKeyDown(SDLK_F4), pushMouseClick(10, 10), pushKeyDown(SDLK_a);
        startCapture();
        EXPECT_FALSE(game->RoamLoop()) << "pass " << i;
        stopCapture();
        EXPECT_FALSE(game->roamChanged) << "pass " << i;
        EXPECT_EQ(count(0, 0, SCREEN_W - 1, SCREEN_H - 1, painted()), SCREEN_W * SCREEN_H)
            << "pass " << i;
        memcpy(game->screen->pixels, held.data(), held.size());
    }
}

// Every change that shows on the roaming frame sets the flag: the screen as
// the changing pass left it is not the world's frame any more, and the next
// pass draws it.
TEST_F(IdleTest, EveryChangeThatShowsMakesTheNextPassDraw) {
    const struct {
        const char* change;
        void (*make)(IdleTest&);
        std::vector<SDLKey> keys; // answers to the notices it shows
    } changes[] = {
        {"a step", [](IdleTest&) { holdKey(SDLK_RIGHT); }, {}},
        {"a turn with a step", [](IdleTest&) { holdKey(SDLK_UP); }, {}},
        {"a door opened",
         [](IdleTest& t) {
             t.game->map.cells[50][51] = CELL_LOCKED_DOOR;
             t.giveKeys(1);
             holdKey(SDLK_RIGHT);
         },
         {}},
        {"the stairs",
         [](IdleTest& t) {
             t.game->map.cells[50][51] = CELL_STAIRS;
             holdKey(SDLK_RIGHT);
         },
         {}},
        {"the character menu closed", [](IdleTest&) { pushKeyDown(SDLK_ESCAPE); }, {SDLK_SPACE}},
        {"a conversation",
         [](IdleTest& t) {
             t.addNpc(51, 51);
             pushKeyDown(SDLK_RETURN);
         },
         {SDLK_SPACE}},
        {"the console",
         [](IdleTest& t) {
             t.typeIn("addheal\nexit\n");
             pushKeyDown(SDLK_BACKQUOTE);
         },
         {}},
        {"cheat key k", [](IdleTest&) { holdKey(SDLK_k); }, {}},
        {"cheat key g",
         [](IdleTest& t) {
             t.giveKeys(1);
             holdKey(SDLK_g);
         },
         {}},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.change);
        begin();
        c.make(*this);
        scriptKeys(c.keys);
        startCapture();
        EXPECT_FALSE(game->RoamLoop()) << "nothing had changed before its input";
        stopCapture();
        endScript();
        releaseAllKeys();
        EXPECT_TRUE(game->roamChanged);
        EXPECT_FALSE(screenPixels() == plainFrame()) << "the change shows";
        EXPECT_TRUE(quietPass());
        EXPECT_TRUE(screenPixels() == plainFrame());
    }
}

// After a pass that drew nothing: with nothing held the game waits for an
// event, as a waiting screen does; a held arrow or cheat key acts again at the
// next refresh; after a change made by the pass's input, a quit request or
// the start of a fight the next pass comes at once.
TEST_F(IdleTest, AnIdlePassWaitsForAnEventUnlessAHeldKeyOrAChangeActsNext) {
    const struct {
        const char* what;
        SDLKey held; // SDLK_UNKNOWN: none
        bool changed, quit, fighting;
        size_t keysTaken; // by a wait for an event
        size_t refreshWaits;
    } cases[] = {
        {"nothing held", SDLK_UNKNOWN, false, false, false, 1, 0},
        {"a key that does nothing held", SDLK_a, false, false, false, 1, 0},
        {"an arrow held", SDLK_LEFT, false, false, false, 0, 1},
        {"cheat key k held", SDLK_k, false, false, false, 0, 1},
        {"cheat key g held", SDLK_g, false, false, false, 0, 1},
        {"a change", SDLK_UNKNOWN, true, false, false, 0, 0},
        {"a quit request", SDLK_UNKNOWN, false, true, false, 0, 0},
        {"a fight begun", SDLK_UNKNOWN, false, false, true, 0, 0},
    };
    for (const auto& c : cases) {
        releaseAllKeys();
        if (c.held != SDLK_UNKNOWN)
            holdKey(c.held);
        game->roamChanged = c.changed;
        game->quit = c.quit;
        game->fighting = c.fighting;
        scriptKeys(std::vector<SDLKey>(c.keysTaken, SDLK_a));
        game->Roam_Idle();
        EXPECT_EQ(endScript(), 0u) << c.what;
        EXPECT_EQ(shots().size(), c.keysTaken) << c.what;
        EXPECT_EQ(delaysAsked().size(), c.refreshWaits) << c.what;
        drainEvents();
    }
}

// A fight draws over the roaming frame: the first roaming pass after it draws
// the world again, and the main loop presents it.
TEST_F(IdleTest, TheFirstRoamingPassAfterAFightDrawsAndPresents) {
    game->fighting = 1;
    game->fightEnemy = NULL; // the fight ends in its first pass
    game->roamChanged = false;
    paintScreen();
    unsigned long presented = game->shown.count;
    pushQuit();
    startCapture();
    game->gameLoop();
    stopCapture();
    EXPECT_EQ(game->fighting, 0);
    EXPECT_TRUE(screenPixels() == plainFrame());
    EXPECT_EQ(game->shown.count, presented + 2) << "the fight's last frame, then the world";
    EXPECT_TRUE(game->shown.pixels.empty()) << "the fight's copy is no longer what is shown";
}

} // namespace
