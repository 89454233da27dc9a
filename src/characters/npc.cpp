// NPC and Player records: defaults, the single step, the NPC file and its
// records, and the quest check that ends each of the player's steps.
#include "characters/npc.h"
#include "core/clamp.h"
#include "core/fatal.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "characters/quest.h"
#include "core/datafile.h"
#include "core/linereader.h"

NPC::NPC()
    : hp(20), maxHp(20), mp(0), maxMp(0), hostile(0), name("Mr. Spunky"), dialogue("Munt!!!!"),
      posX(0), posY(0), isQuestGiver(0), isShopKeeper(0), character(1), heading(HEADING_UP) {
    made++;
}

void NPC::moveRelative(int dx, int dy) {
    if (dx > 0) {
        heading = HEADING_RIGHT;
        dx = 1;
    } else if (dx < 0) {
        heading = HEADING_LEFT;
        dx = -1;
    }
    // A vertical part decides the heading of a diagonal step.
    if (dy > 0) {
        heading = HEADING_DOWN;
        dy = 1;
    } else if (dy < 0) {
        heading = HEADING_UP;
        dy = -1;
    }
    posX += dx;
    posY += dy;
}

void NPC::readRecord(LineReader& in) {
    hp = in.readInt(NPC_NUMBER_LIMIT);
    maxHp = in.readInt(NPC_NUMBER_LIMIT);
    mp = in.readInt(NPC_NUMBER_LIMIT);
    maxMp = in.readInt(NPC_NUMBER_LIMIT);
    hostile = in.readFlag(NPC_NUMBER_LIMIT);
    name = in.readText(NPC_TEXT_LIMIT);
    dialogue = in.readText(NPC_TEXT_LIMIT);
    posX = in.readInt(NPC_NUMBER_LIMIT);
    posY = in.readInt(NPC_NUMBER_LIMIT);
    character = in.readInt(NPC_NUMBER_LIMIT);
    heading = HEADING_DOWN;
}

bool NPC::readFile(FILE* file, std::list<NPC*>& npcs, FILE* progress, bool* endedByNull) {
    LineReader in(file);
    if (endedByNull)
        *endedByNull = false;
    for (;;) {
        NPC* npc = new (std::nothrow) NPC();
        if (!npc)
            fatal("Couldn't create new NPC: maybe out of mem\n");
        npc->readRecord(in);
        // QUIRK: a record at (0, 0) ends the file, so nobody can be placed
        // there; this is also how a file ending in a line feed ends.
        if (npc->isNullRecord()) {
            progressLine(progress, "Panic mode: Null NPC probably received");
            delete npc;
            if (endedByNull)
                *endedByNull = true;
            break;
        }
        npcs.push_back(npc);
        if (in.atEnd()) {
            progressLine(progress, "EOF detected. Returning..");
            break;
        }
    }
    // A read error is not the end of the file.
    return !ferror(file);
}

Player::Player()
    : currentQuest(NULL), floor(0), gold(0), keys(0), exp(1), weaponMod(START_WEAPON_MOD),
      armour(START_ARMOUR), strength(1), agility(1), healPotions(START_HEAL_POTIONS),
      manaPotions(0) {
    for (int i = 0; i < SPELL_COUNT; i++)
        spellKnown[i] = 1;
    hp = START_HP;
    maxHp = START_HP;
    mp = START_MP;
    maxMp = START_MP;
    name = "Player";
    dialogue = "This Shouldn't Happen, I'm The Player";
    posX = START_X;
    posY = START_Y;
    character = CHARACTER_PLAYER;
    // QUIRK: drawn before the game seeds rand(), so the start heading is the
    // same on every run; % 3 never gives 3, so the hero never starts facing right.
    heading = rand() % 3;
}

bool Player::moveRelative(int dx, int dy) {
    NPC::moveRelative(dx, dy);
    return checkQuestArrival();
}

bool Player::checkQuestArrival() {
    Quest* quest = currentQuest;
    if (!quest || quest->floor != floor || quest->posX != posX || quest->posY != posY)
        return false;
    printf("Quest %s completed\n", quest->text.c_str());
    // The console can put any count in the purse: a reward stops at the top
    // of the range instead of wrapping around to a debt.
    gold = addClamped(gold, QUEST_REWARD_GOLD);
    quest->completed = 1;
    if (quest->rewardKey == 1)
        keys = addClamped(keys, 1);
    currentQuest = NULL;
    return true;
}
