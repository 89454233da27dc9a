// The fight pass: while a fight runs, the main loop calls FightLoop once per
// frame. Each pass redraws the whole fight screen, then plays one turn: the
// player's queued keys (attack, potions, the magic menu) or the enemy's
// attack, with death and the Messiah's revival. Victory is in victory.cpp,
// the spells in magic.cpp.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "combat/spells.h"
#include "core/game.h"
#include "core/clamp.h"

// The idle fight screen and the enemy's turn are paced at about five passes a
// second.
static const Uint32 FIGHT_PAUSE_MS = 200;
// The player stands left facing right, the enemy right facing left.
static const int PLAYER_X = 100;
static const int ENEMY_X = 310;
static const int FIGHTERS_Y = 230;
// The action bar along the bottom: a grey frame round a blue band of icons.
static const int BAR_FRAME_Y = 412;
static const int BAR_FRAME_H = 67;
static const Colour BAR_FRAME_GREY = {200, 200, 200};
static const int BAR_BAND_Y = 415;
static const int BAR_BAND_H = 60;
static const Colour BAR_BAND_BLUE = {0, 0, 195};
static const int BAR_ICON_X = 22;
static const int BAR_ICON_STEP = 49;
static const int BAR_ICON_Y = 422;
// Where the blade's slash and the Messiah are drawn.
static const int SLASH_X = 285;
static const int SLASH_Y = 190;
static const int MESSIAH_X = 100;
static const int MESSIAH_Y = 180;

void CGame::FightLoop() {
    if (!fightEnemy) {
        // Nothing left to fight (the enemy's NPC is gone): back to roaming
        // rather than reading through a dangling pointer.
        fighting = 0;
        playerTurn = 1;
        return;
    }
    Fight_DrawScene();
    if (playerTurn)
        Fight_PlayerTurn();
    else
        Fight_EnemyTurn();
}

void CGame::Fight_DrawScene() {
    puts("Initializing fight roll");
    puts("Initialized variables");
    SDL_Surface* scene = NULL;
    if (fightBackground >= 0 && fightBackground < BACKGROUND_COUNT)
        scene = fightBackgrounds[fightBackground];
    int sceneX = scene ? (SCREEN_W - scene->w) / 2 : 0;
    int sceneY = scene ? (SCREEN_H - scene->h) / 2 : 0;
    // Black behind the scene, unless the scene hides the whole screen anyway.
    if (!opaqueCovers(scene, sceneX, sceneY, 0, 0, SCREEN_W, SCREEN_H))
        fillRect(0, 0, SCREEN_W, SCREEN_H, BLACK);
    drawImage(scene, sceneX, sceneY);
    puts("Blitted background");
    // The player faces right, the enemy left; an enemy whose character
    // number has no sprite row is simply not drawn.
    drawImage(spriteFor(CHARACTER_PLAYER, HEADING_RIGHT), PLAYER_X, FIGHTERS_Y);
    printf("Drawing sprite %i\n", fightEnemy->character);
    drawImage(spriteFor(fightEnemy->character, HEADING_LEFT), ENEMY_X, FIGHTERS_Y);
    printf("Blitted sprite %i\n", fightEnemy->character);
    puts("Drawing player HUD...");
    HUD_Player();
    puts("Drew player HUD, drawing enemy HUD..");
    HUD_Enemy(fightEnemy);
    puts("Drew enemy HP/MP/etc");

    if (!playerTurn)
        return;
    // The action bar: a grey frame, a blue band and the four action icons.
    fillRect(0, BAR_FRAME_Y, SCREEN_W, BAR_FRAME_H, BAR_FRAME_GREY);
    fillRect(0, BAR_BAND_Y, SCREEN_W, BAR_BAND_H, BAR_BAND_BLUE);
    const int barIcons[] = {ICON_FIGHT, ICON_DEFEND, ICON_MAGIC, ICON_MANA_POTION};
    for (int i = 0; i < 4; i++)
        drawImage(icons[barIcons[i]], BAR_ICON_X + BAR_ICON_STEP * i, BAR_ICON_Y);
}

void CGame::Fight_PlayerTurn() {
    // An enemy already down (a killing blow or spell in the last pass) is
    // beaten before any key is read.
    if (fightEnemy->hp <= 0) {
        Fight_Victory();
        return;
    }
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) {
            // The main loop ends after this pass; the keys queued behind the
            // request are still played.
            quit = 1;
            continue;
        }
        if (event.type != SDL_KEYDOWN)
            continue;
        switch (event.key.keysym.sym) {
        case SDLK_z:
            // After a killing blow the pass ends at once, without the pause;
            // the next pass declares the victory.
            if (Fight_Attack())
                return;
            break;
        case SDLK_x:
            Fight_DrinkPotion(player.healPotions, player.hp, player.maxHp,
                              ("Gained " + std::to_string(POTION_POINTS) + " health!").c_str());
            break;
        case SDLK_c:
            // The menu gives the turn back on Escape; any cast leaves it with
            // the enemy unless the spell killed.
            playerTurn = 0;
            Fight_magicMenu();
            // The Rapture ended the fight and destroyed the enemy.
            if (!fighting)
                return;
            break;
        case SDLK_v:
            Fight_DrinkPotion(player.manaPotions, player.mp, player.maxMp,
                              ("Gained " + std::to_string(POTION_POINTS) + " mana!").c_str());
            break;
        case SDLK_ESCAPE:
            puts("Exiting...");
            exit(0);
        default:
            break;
        }
    }
    SDL_Delay(FIGHT_PAUSE_MS);
}

bool CGame::Fight_Attack() {
    // The blade's modifier plus 2 against the enemy's bare die; a modifier at
    // the top of the int range cannot wrap around into a sure miss.
    int attack = addClamped(player.weaponMod, BLADE_BONUS);
    if (!hitSuccess(attack, 0)) {
        std::string text = "You missed " + fightEnemy->name;
        displayFightConsoleMessage(text.c_str(), true);
        playerTurn = 0;
        return false;
    }
    int damage = calculateDamage(BLADE_BASE);
    drawImage(fx[FX_SLASH], SLASH_X, SLASH_Y);
    std::string text = "You hit " + fightEnemy->name + " for " + std::to_string(damage) + " damage";
    displayFightConsoleMessage(text.c_str(), false);
    fightEnemy->hp -= damage;
    if (fightEnemy->hp <= 0)
        return true; // still the player's turn: the next pass is the victory
    playerTurn = 0;
    return false;
}

void CGame::Fight_DrinkPotion(int& potions, int& value, int maximum, const char* message) {
    if (potions <= 0) {
        // Looking in an empty bag costs nothing: the turn stays.
        displayFightConsoleMessage("No potions left.", true);
        return;
    }
    potions--;
    displayFightConsoleMessage(message, false);
    // A potion drunk at the maximum is used up all the same.
    value = addUpTo(value, POTION_POINTS, maximum);
    playerTurn = 0;
}

void CGame::Fight_EnemyTurn() {
    // The enemy's bare die against the player's armour plus a die.
    if (hitSuccess(0, player.armour)) {
        puts("Enemy hit you");
        int damage = calculateDamage(0);
        std::string text = fightEnemy->name + " hit you for " + std::to_string(damage) + " damage";
        puts("Wrote string");
        displayFightConsoleMessage(text.c_str(), true);
        player.hp -= damage;
        if (player.hp <= 0)
            Fight_PlayerDied();
    } else {
        puts("Enemy missed");
        std::string text = fightEnemy->name + " missed!";
        puts("Wrote string");
        displayFightConsoleMessage(text.c_str(), false);
    }
    playerTurn = 1;
    SDL_Delay(FIGHT_PAUSE_MS);
}

void CGame::Fight_PlayerDied() {
    displayFightConsoleMessage("You died....", true);
    // A termination signal during these notices ends the game as a quit
    // request does (`quit` is set by nothing else during the enemy's turn).
    if (quit)
        return;
    // No game-over screen: without the Messiah, or without the MP for him,
    // the process simply ends.
    if (!player.spellKnown[SPELL_MESSIAH])
        exit(0);
    if (player.mp < MESSIAH.need) {
        displayFightConsoleMessage("Not enough MP to respawn...", true);
        if (quit)
            return;
        exit(0);
    }
    player.mp -= MESSIAH.cost;
    drawImage(fx[FX_MESSIAH], MESSIAH_X, MESSIAH_Y);
    displayFightConsoleMessage("Back from the grave!!!!", false);
    player.hp = player.maxHp;
}
