// The player's HP and MP bars, and the enemy's one-line status in a fight.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/game.h"

// The bars along the top: the heart, then HP from BAR_X, then MP.
static const int BAR_X = 20;
static const int BAR_Y = 10;
static const int BAR_H = 21;
static const int HP_TEXT_X = 30;
static const int PIXELS_PER_POINT = 2;
static const int MP_GAP = 25; // between the HP bar's full length and the MP bar
static const Colour HP_RED = {100, 0, 0};
static const Colour MP_GREEN = {0, 100, 0};
// The enemy's status line in a fight, under the bars.
static const int ENEMY_X = 20;
static const int ENEMY_Y = 30;
static const Colour ENEMY_PINK = {255, 0, 100};

// Bar sizes and positions come from the player's points, which may be
// anything: they are worked out in 64 bits and held to a range far beyond the
// screen, so the fills clip them instead of overflowing or wrapping.
static int barPixels(long long pixels) {
    const long long limit = 1000000;
    return (int)(pixels < -limit ? -limit : (pixels > limit ? limit : pixels));
}

void CGame::HUD_Player() {
    // 2 pixels per point. Widths of 0 or below fill nothing: a negative MP
    // (Meteor can cause it) shows only the bar's black background.
    fillRect(BAR_X, BAR_Y, barPixels((long long)PIXELS_PER_POINT * player.maxHp), BAR_H, BLACK);
    fillRect(BAR_X, BAR_Y, barPixels((long long)PIXELS_PER_POINT * player.hp), BAR_H, HP_RED);
    drawImage(icons[ICON_HEART], 0, 0);
    char number[16];
    snprintf(number, sizeof number, "%i", player.hp);
    drawText(number, HP_TEXT_X, BAR_Y, WHITE);
    snprintf(number, sizeof number, "%i", player.mp);
    // The MP bar starts right after the HP bar; with a maxHp of 308 or more it
    // lies wholly off the screen and is clipped away, text and all.
    int mpX = barPixels((long long)PIXELS_PER_POINT * player.maxHp + MP_GAP);
    fillRect(mpX, BAR_Y, barPixels((long long)PIXELS_PER_POINT * player.maxMp), BAR_H, BLACK);
    fillRect(mpX, BAR_Y, barPixels((long long)PIXELS_PER_POINT * player.mp), BAR_H, MP_GREEN);
    drawText(number, mpX, BAR_Y, WHITE);
}

void CGame::HUD_Enemy(NPC* enemy) {
    puts("Initializing rectangle");
    puts("Initializing colour");
    puts("allocating dialogue memory");
    puts("sprintf operation");
    std::string line =
        enemy->name + " HP: " + std::to_string(enemy->hp) + "/" + std::to_string(enemy->maxHp);
    if (drawText(line, ENEMY_X, ENEMY_Y, ENEMY_PINK) < 0)
        fatal("Failure in rendering text.\n");
    puts("Mapped rect, blitting...");
    puts("Memory freed, HUD_Enemy exiting");
}
