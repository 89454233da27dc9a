// Conversations and the quest-solved notice (not yet built).
#include "core/game.h"

Quest* CGame::initiateConversation(NPC*, int) { return NULL; }
void CGame::displayQuestCompletion() {}
void CGame::solvedQuestScreen() {}
