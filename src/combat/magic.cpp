// The magic menu of a fight and its spells: two heals, five attacks, the
// Messiah (which only ever works by itself when the player dies) and the
// Rapture, which ends the fight, kills everyone on the floor and scrambles
// the floor's cells.
#include <climits>
#include <cstdlib>
#include <string>

#include "combat/spells.h"
#include "core/clamp.h"
#include "core/game.h"

// The Rapture's show: its picture for three seconds, then a fade from white
// down to the darkest grey, one shade a step.
static const Uint32 RAPTURE_SHOW_MS = 3000;
static const Uint32 RAPTURE_STEP_MS = 20;
static const int RAPTURE_FADE_FROM = 255;
static const int RAPTURE_FADE_TO = 1;

namespace {

enum SpellKind { SPELL_HEAL, SPELL_ATTACK, SPELL_FULL_HEAL, SPELL_SELF_ACTING, SPELL_END_ALL };

struct Spell {
    const char* line; // the menu line
    int flag;         // the player's spellKnown entry
    SpellKind kind;
    SpellRule rule; // need, cost and lowest roll
    int image;      // fx entry drawn with it
    int imageX, imageY;
    const char* message;     // the heals' whole message, the attacks' text before the damage
    const char* lackMessage; // shown when the MP is below the need
    bool refusalKeepsMenu;   // a refusal leaves the menu open instead of costing the turn
};

// The two spells the menu lists but never casts by their MP.
const SpellRule NO_RULE = {0, 0, 0};

// The menu's lines, from MENU_Y down, each right under the one before.
const int MENU_X = 170;
const int MENU_Y = 80;

// Indexed by key - 1: the menu offers keys 1 to 9.
// QUIRK: Mr. Zappy's refusal alone keeps the menu open.
const Spell SPELLS[] = {
    {"1) Heal I", 0, SPELL_HEAL, HEAL_I, FX_HEAL1, 80, 180, "Healed!!!!",
     "Not enough energy to cast Heal I", false},
    {"2) Fire I", 1, SPELL_ATTACK, FIRE_I, FX_FIRE1, 300, 210, "Foom! Hit ",
     "Not enough energy for Fire I", false},
    {"3) Mr. Zappy", 2, SPELL_ATTACK, MR_ZAPPY, FX_ZAPPY, 280, 190, "Foom! Hit ",
     "Not enough energy!", true},
    {"4) Earth", 3, SPELL_ATTACK, EARTH, FX_EARTH, 280, 190, "Thud! Hit ", "Not enough energy!",
     false},
    {"5) Meteor", 4, SPELL_ATTACK, METEOR, FX_METEOR, 280, 190, "KABOOM!!!!!! Hit ",
     "Not enough energy!", false},
    {"6) Hand of Death", 5, SPELL_ATTACK, HAND_OF_DEATH, FX_HAND, 280, 160, "Whap! Hit ",
     "Not enough energy!", false},
    {"7) Full Heal", 6, SPELL_FULL_HEAL, FULL_HEAL, FX_HEAL2, 100, 180, "Fully healed",
     "Not enough energy!", false},
    {"8) Messiah", SPELL_MESSIAH, SPELL_SELF_ACTING, NO_RULE, -1, 0, 0,
     "Messiah triggers automatically...", "", false},
    {"9) The Rapture (WARNING: Everyone dies)", SPELL_RAPTURE, SPELL_END_ALL, NO_RULE, FX_RAPTURE,
     0, 0, "", "", false}, // theRapture shows its own message
};
const int MENU_SPELLS = (int)(sizeof SPELLS / sizeof SPELLS[0]);

} // namespace

void CGame::Fight_magicMenu() {
    // Drawn over the fight screen as the pass left it, each line right under
    // the one before; unknown spells leave no gap.
    int y = MENU_Y;
    const char* const headings[] = {"Magic:", "1-0 to cast, ESC to abort"};
    for (const char* heading : headings) {
        int height = drawText(heading, MENU_X, y, WHITE);
        y += height > 0 ? height : 0;
    }
    for (int i = 0; i < MENU_SPELLS; i++) {
        if (!player.spellKnown[SPELLS[i].flag])
            continue;
        int height = drawText(SPELLS[i].line, MENU_X, y, WHITE);
        y += height > 0 ? height : 0;
    }
    SDL_Flip(screen);

    for (;;) {
        while (SDL_PollEvent(&event)) {
            // Only key presses count; even a request to close the window is
            // dropped here.
            if (event.type != SDL_KEYDOWN)
                continue;
            SDLKey key = event.key.keysym.sym;
            if (key == SDLK_ESCAPE) {
                playerTurn = 1; // leaving the menu costs nothing
                return;
            }
            if (key < SDLK_1 || key > SDLK_9)
                continue;
            if (!player.spellKnown[SPELLS[key - SDLK_1].flag])
                continue;
            if (Fight_CastSpell(key - SDLK_0))
                return;
        }
        if (!waitForEvent())
            return; // a termination signal
    }
}

bool CGame::Fight_CastSpell(int key) {
    const Spell& spell = SPELLS[key - 1];
    if (spell.kind == SPELL_SELF_ACTING) {
        displayFightConsoleMessage(spell.message, false);
        return false;
    }
    if (spell.kind == SPELL_END_ALL) {
        theRapture();
        Fight_LeaveQuestGiverAlone();
        return true;
    }

    if (player.mp < spell.rule.need) {
        displayFightConsoleMessage(spell.lackMessage, true);
        // Otherwise the menu closes with the turn still the enemy's: the
        // failed attempt costs the turn.
        return !spell.refusalKeepsMenu;
    }
    player.mp -= spell.rule.cost;
    if (spell.kind == SPELL_HEAL) {
        int healing = calculateDamage(spell.rule.base);
        drawImage(fx[spell.image], spell.imageX, spell.imageY);
        player.hp = addUpTo(player.hp, healing, player.maxHp);
        displayFightConsoleMessage(spell.message, false);
    } else if (spell.kind == SPELL_FULL_HEAL) {
        player.hp = player.maxHp;
        drawImage(fx[spell.image], spell.imageX, spell.imageY);
        displayFightConsoleMessage(spell.message, false);
    } else {
        drawImage(fx[spell.image], spell.imageX, spell.imageY);
        int damage = calculateDamage(spell.rule.base);
        fightEnemy->hp -= damage;
        std::string text = spell.message + std::to_string(damage);
        displayFightConsoleMessage(text.c_str(), false);
    }
    // A beaten enemy does not strike back: the next pass is the victory.
    if (fightEnemy->hp <= 0)
        playerTurn = 1;
    return true;
}

void CGame::theRapture() {
    displayFightConsoleMessage("Everyone has died.", true);
    drawImage(fx[FX_RAPTURE], 0, 0);
    SDL_Flip(screen);
    // Three seconds of the picture. A termination signal cuts the show
    // short; the floor dies all the same.
    for (Uint32 shown = 0; shown < RAPTURE_SHOW_MS && !takeTerminationRequest();
         shown += RAPTURE_STEP_MS)
        SDL_Delay(RAPTURE_STEP_MS);
    // Fade from white down to the darkest grey, not quite black.
    for (int c = RAPTURE_FADE_FROM; c >= RAPTURE_FADE_TO && !takeTerminationRequest(); c--) {
        fillRect(0, 0, SCREEN_W, SCREEN_H, (Uint8)c, (Uint8)c, (Uint8)c);
        SDL_Flip(screen);
        SDL_Delay(RAPTURE_STEP_MS);
    }
    // The floor in memory is laid waste: mostly waste, with about one cell in
    // thirty of '0' and of the blocking '1'. The map file is untouched, so
    // the floor comes back whole the next time it is loaded.
    // MEND: the stairs survive, or the floor could never be left and the game
    // never won. Every cell still draws its roll, so the random sequence (and
    // every later fight) is what a full scramble would leave.
    for (int y = 0; y < MAP_SIZE; y++) {
        for (int x = 0; x < MAP_SIZE; x++) {
            int v = rand() % 30;
            if (map.cells[y][x] != CELL_STAIRS)
                map.cells[y][x] = v == 0 ? CELL_GRASS : v == 1 ? CELL_WALL : CELL_WASTE;
        }
    }
    fighting = 0;
    clearNPCs();
    fightEnemy = NULL; // destroyed with everyone else
}

void CGame::Fight_LeaveQuestGiverAlone() {
    // The floor is empty, so the quest giver and the shopkeeper come back as
    // its first and second entries.
    spawnMrQuesty();
    std::list<NPC*>::iterator it = npcs.begin();
    NPC* questGiver = *it;
    ++it;
    NPC* shopkeeper = *it;

    // He stands diagonally up-left of the player (off the grid when the
    // player is in row or column 0) and hands out no more errands.
    questGiver->isQuestGiver = 0;
    questGiver->posX = player.posX > INT_MIN ? player.posX - 1 : player.posX;
    questGiver->posY = player.posY > INT_MIN ? player.posY - 1 : player.posY;
    questGiver->dialogue = "What have you done?";

    npcs.erase(it);
    delete shopkeeper;
    // The turn stays with the enemy: the next fight opens with its attack.
}
