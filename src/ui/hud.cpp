// The player's HP and MP bars, and the enemy's one-line status in a fight.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/game.h"

// Bar sizes and positions come from the player's points, which may be
// anything: they are worked out in 64 bits and held to a range far beyond the
// screen, so the fills clip them instead of overflowing or wrapping.
static int barPixels(long long pixels) {
    const long long limit = 1000000;
    return (int)(pixels < -limit ? -limit : (pixels > limit ? limit : pixels));
}

void CGame::HUD_Player() {
    const int barY = 10;
    const int barH = 21;
    // 2 pixels per point. Widths of 0 or below fill nothing: a negative MP
    // (Meteor can cause it) shows only the bar's black background.
    fillRect(20, barY, barPixels(2LL * player.maxHp), barH, 0, 0, 0);
    fillRect(20, barY, barPixels(2LL * player.hp), barH, 100, 0, 0);
    drawImage(icons[ICON_HEART], 0, 0);
    char number[16];
    snprintf(number, sizeof number, "%i", player.hp);
    drawText(number, 30, barY, 255, 255, 255);
    snprintf(number, sizeof number, "%i", player.mp);
    // The MP bar starts right after the HP bar; with a maxHp of 308 or more it
    // lies wholly off the screen and is clipped away, text and all.
    int mpX = barPixels(2LL * player.maxHp + 25);
    fillRect(mpX, barY, barPixels(2LL * player.maxMp), barH, 0, 0, 0);
    fillRect(mpX, barY, barPixels(2LL * player.mp), barH, 0, 100, 0);
    drawText(number, mpX, barY, 255, 255, 255);
}

void CGame::HUD_Enemy(NPC* enemy) {
    puts("Initializing rectangle");
    puts("Initializing colour");
    puts("allocating dialogue memory");
    puts("sprintf operation");
    std::string line =
        enemy->name + " HP: " + std::to_string(enemy->hp) + "/" + std::to_string(enemy->maxHp);
    if (drawText(line, 20, 30, 255, 0, 100) < 0) {
        fprintf(stderr, "Failure in rendering text.\n");
        exit(1);
    }
    puts("Mapped rect, blitting...");
    puts("Memory freed, HUD_Enemy exiting");
}
