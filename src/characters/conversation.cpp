// Conversations and the quest-solved notice. Both are drawn over the frame the
// roaming pass left on the screen, shown at once and held until a key; the
// next roaming frame wipes them, so nothing is erased here.
#include <cstdio>

#include "core/game.h"

// The conversation bar along the bottom of the screen, in the message box blue.
static const int BAR_Y = 460;
static const int BAR_H = 20;
// The speaker's name stands above the bar, on the roaming view; the line on it.
static const int NAME_Y = 438;
static const int LINE_Y = 458;
// The quest-solved notice, near the middle of the screen.
static const int SOLVED_X = 20;
static const int SOLVED_Y = 240;

Quest* CGame::initiateConversation(NPC* npc, int floor) {
    fillRect(0, BAR_Y, SCREEN_W, BAR_H, MESSAGE_BLUE);
    drawText(npc->name, 0, NAME_Y, WHITE);
    // The quest giver always says the floor's current errand (or that there
    // is none), and keeps it as his line.
    std::string line = npc->dialogue;
    if (npc->isQuestGiver) {
        line = questMaster->GiveNextQuest(floor);
        printf("Returned %s\n", line.c_str());
        npc->dialogue = line;
    }
    // Long lines run off the right edge; there is no wrapping.
    drawText(line, 0, LINE_Y, WHITE);
    SDL_Flip(screen);
    SDL_Event record;
    waitForKey(&record);
    return npc->isQuestGiver ? questMaster->NextQuest(floor) : NULL;
}

void CGame::displayQuestCompletion() {
    drawText("You completed a quest", SOLVED_X, SOLVED_Y, WHITE);
    SDL_Flip(screen);
    SDL_Event record;
    waitForKey(&record);
}

void CGame::solvedQuestScreen() {
    puts("Solved a quest");
    displayQuestCompletion();
    puts("Displayed quest completion screen");
}
