// NPC and Player: the characters of a floor and the hero. Plain records with
// public fields; they never include SDL.
#pragma once

#include <cstdio>
#include <list>
#include <string>
#include <vector>

#include "rules.h"

// Longest lines of an NPC file record.
const size_t NPC_NUMBER_LIMIT = 3;
const size_t NPC_TEXT_LIMIT = 59;
// What the game prints, with the file's path, before it ends over an NPC
// file that cannot be opened or read to its end.
const char* const NPC_FILE_MISSING = "NPC file %s missing\n";

class Quest;
class Item;
class LineReader;

class NPC {
  public:
    int hp;
    int maxHp;
    int mp;
    int maxMp;
    int hostile;
    std::string name;
    std::string dialogue;
    int posX;
    int posY;
    int isQuestGiver;
    int isShopKeeper;
    int character;
    int heading; // HEADING_UP, _LEFT, _DOWN or _RIGHT

    // How many NPCs have ever been made: the world's drawing works out who
    // stands where again whenever a new one may have joined the list.
    inline static unsigned long made = 0;

    NPC();

    // The basic step: heading from the direction, at most one cell per axis.
    void moveRelative(int dx, int dy);

    // Reads one 10-line record of an NPC file into this NPC (heading down).
    void readRecord(LineReader& in);
    // Reads the records of an NPC file, in file order, onto the end of
    // `npcs` (which then owns them). False when a read error cut it short.
    // Progress lines go to `progress` (NULL: nowhere); `endedByNull`, when
    // given, tells whether a null record ended the file rather than its end.
    static bool readFile(FILE* file, std::list<NPC*>& npcs, FILE* progress = stdout,
                         bool* endedByNull = NULL);
    // A record at (0, 0) ends an NPC file.
    bool isNullRecord() const { return posX == 0 && posY == 0; }
};

// Number of spell flags the player carries.
const int SPELL_COUNT = 10;

class Player : public NPC {
  public:
    Quest* currentQuest;
    int floor;
    int gold;
    int keys;
    int exp;
    int weaponMod;
    int armour;
    int strength;
    int agility;
    int healPotions;
    int manaPotions;
    int spellKnown[SPELL_COUNT];
    std::vector<Item*> inventory;

    Player();

    // The player's step, followed by the quest-arrival check; true when this
    // step solved the current quest (the reward is given here).
    bool moveRelative(int dx, int dy);
    // The quest check run after every allowed step.
    bool checkQuestArrival();
};
