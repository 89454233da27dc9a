// The drawing shortcuts against plain drawing: every screen that takes one
// draws the whole screen pixel for pixel as it does with the shortcuts off,
// with pictures of odd sizes and with see-through edges; and the table of who
// stands on which cell follows every change of the NPC list.
#include <climits>
#include <cstdio>
#include <functional>

#include "support/harness.h"

namespace {

typedef std::vector<Uint32> Pixels;

// A set of pictures written over the tree's own (48 x 48 tiles, a 100 x 80
// backdrop, 640 x 480 fight scenes), each in the place of a shortcut.
struct PictureSet {
    const char* name;
    int tileW, tileH;     // every tile: opaque once converted
    int cloudsW, cloudsH; // the backdrop: a JPEG holds no see-through pixels
    int sceneW, sceneH;   // both fight scenes
    int sceneEdge;        // see-through edge of the scenes, pictures and icons
};

const PictureSet PICTURE_SETS[] = {
    {"the tree's sizes", 48, 48, 100, 80, 640, 480, 0},
    {"odd sizes, larger than a cell and the screen", 49, 51, 97, 61, 643, 481, 3},
    {"odd sizes, smaller than a cell and the screen", 47, 45, 33, 29, 637, 479, 5},
};

// One screen drawn without waiting, from a game whose floor has NPCs around
// the middle and the corners.
struct Scene {
    const char* name;
    std::function<void(CGame&)> draw;
};

void roamAt(CGame& game, int x, int y) {
    game.player.posX = x;
    game.player.posY = y;
    game.Roam_DrawEverything();
}

void fightOn(CGame& game, int background) {
    game.fighting = 1;
    game.fightEnemy = game.npcs.back();
    game.fightBackground = background;
    game.Fight_DrawScene();
}

const Scene SCENES[] = {
    {"roaming in the middle", [](CGame& g) { roamAt(g, 50, 50); }},
    {"roaming at the top left corner", [](CGame& g) { roamAt(g, 0, 0); }},
    {"roaming at the bottom right corner", [](CGame& g) { roamAt(g, 99, 99); }},
    {"roaming along the left edge", [](CGame& g) { roamAt(g, 1, 60); }},
    {"roaming teleported just off the grid", [](CGame& g) { roamAt(g, -3, 104); }},
    {"roaming teleported far off the grid", [](CGame& g) { roamAt(g, INT_MIN, INT_MAX); }},
    {"the fight outdoors", [](CGame& g) { fightOn(g, 0); }},
    {"the fight indoors", [](CGame& g) { fightOn(g, 1); }},
    {"the shop", [](CGame& g) { g.Shop_DrawFrame(); }},
    {"the character menu", [](CGame& g) { g.Menu_DrawFrame(); }},
    {"the message box",
     [](CGame& g) {
         scriptKeys({SDLK_a});
         g.displayFightConsoleMessage("You missed Mr. Spunky", true);
     }},
};

Pixels screenPixels(SDL_Surface* screen) {
    Pixels pixels;
    for (int y = 0; y < SCREEN_H; y++)
        for (int x = 0; x < SCREEN_W; x++)
            pixels.push_back(pixelAt(screen, x, y));
    return pixels;
}

// The first pixel where two screens differ, with both values; "" when none.
std::string firstDifference(const Pixels& shortcut, const Pixels& plain) {
    for (size_t i = 0; i < shortcut.size() && i < plain.size(); i++) {
        if (shortcut[i] == plain[i])
            continue;
        char text[120];
        snprintf(text, sizeof text, "pixel (%zu, %zu) is %#x with the shortcuts, %#x without",
                 i % SCREEN_W, i / SCREEN_W, shortcut[i], plain[i]);
        return text;
    }
    return "";
}

class ShortcutsTest : public GameTest {
  protected:
    void writePictures(const PictureSet& set) {
        for (int i = 0; i < TILE_COUNT; i++)
            tree.writeImage(tileFile(i), set.tileW, set.tileH);
        tree.writeImage("data/gfx/clouds.jpg", set.cloudsW, set.cloudsH);
        tree.writeImage("data/decor/grass.png", set.sceneW, set.sceneH, set.sceneEdge);
        tree.writeImage("data/decor/inside.png", set.sceneW, set.sceneH, set.sceneEdge);
        tree.writeImage("data/gfx/portrait.png", 121, 117, set.sceneEdge);
        tree.writeImage("data/gfx/shop.png", 203, 299, set.sceneEdge);
        tree.writeImage("data/icn/fight.png", 41, 39, set.sceneEdge);
    }
    void writeFloor() {
        std::string npcs;
        for (int x : {0, 1, 51, 52, 98, 99})
            npcs += npcRecord("Mr. Spunky", x, x, 0, x % 9);
        npcs += npcRecord("Guard", 49, 50, 1, 5);
        tree.write("data/npcs.qor", npcs);
        tree.write("data/shopdata.qor",
                   goodRecord("Sword", 250, 3, 5, 0) + goodRecord("Mail", 90, 7, 0, 4));
    }
    // Every scene, each drawn twice over a painted screen: the second frame
    // draws from what the first one kept.
    std::vector<Pixels> framesOf(bool shortcuts) {
        start(shortcuts);
        game->player.heading = HEADING_LEFT; // made from a random number
        game->menuoff = 0;
        game->player.inventory.push_back(game->shop.items.front());
        std::vector<Pixels> frames;
        startCapture();
        for (const Scene& scene : SCENES) {
            paintScreen();
            scene.draw(*game);
            scene.draw(*game);
            frames.push_back(screenPixels(game->screen));
        }
        stopCapture();
        game->player.inventory.clear();
        return frames;
    }
    // The roaming frame at (50, 50) with the shortcuts on against the same
    // game's frame with them off.
    std::string roamingAgainstPlain() {
        roamAt(*game, 50, 50);
        Pixels shortcut = screenPixels(game->screen);
        game->shortcuts = false;
        roamAt(*game, 50, 50);
        game->shortcuts = true;
        return firstDifference(shortcut, screenPixels(game->screen));
    }
};

TEST_F(ShortcutsTest, EveryScreenDrawsWhatPlainDrawingDraws) {
    writeFloor();
    for (const PictureSet& set : PICTURE_SETS) {
        writePictures(set);
        std::vector<Pixels> withShortcuts = framesOf(true);
        std::vector<Pixels> plain = framesOf(false);
        for (size_t i = 0; i < std::size(SCENES); i++)
            EXPECT_EQ(firstDifference(withShortcuts[i], plain[i]), "")
                << "the shortcuts must draw what plain drawing draws: " << SCENES[i].name << ", "
                << set.name;
    }
}

// Each change of the NPC list, made after a frame has worked out the table.
TEST_F(ShortcutsTest, WhoStandsWhereFollowsEveryChangeOfTheList) {
    tree.write("data/map1.qor", mapText('3'));
    tree.write("data/npcs1.qor", npcRecord("Mr. Spunky", 52, 51, 0, 7));
    const Scene changes[] = {
        {"a hostile beaten",
         [](CGame& g) {
             g.fightEnemy = g.npcs.back();
             scriptKeys({SDLK_a});
             g.Fight_Victory();
         }},
        {"an NPC added",
         [](CGame& g) {
             NPC* npc = new NPC();
             npc->posX = 51;
             npc->posY = 49;
             npc->character = 8;
             g.npcs.push_back(npc);
         }},
        {"the floor changed", [](CGame& g) { g.Roam_ChangeFloor(); }},
        {"the Rapture",
         [](CGame& g) {
             g.player.posX = 52;
             g.player.posY = 52;
             scriptKeys({SDLK_a});
             g.theRapture();
             g.Fight_LeaveQuestGiverAlone();
         }},
    };
    for (const Scene& change : changes) {
        start();
        addNpc(51, 50, 3);
        addNpc(50, 51, 5, 1);
        EXPECT_EQ(roamingAgainstPlain(), "") << "the frame before " << change.name;
        startCapture();
        change.draw(*game);
        stopCapture();
        EXPECT_EQ(roamingAgainstPlain(), "")
            << "who stands where must follow the list after " << change.name;
    }
}

} // namespace
