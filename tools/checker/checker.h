// The content checker: reads a data folder with the game's own loaders and
// rules, and reports what a content author would want to know before a player
// finds it: what the loaders would silently do with a file, and what would make
// the campaign unplayable (a quest nobody can reach, a floor without a way up,
// a locked door with no key left for it, a fight nobody can win).
//
// Everything here is plain C++ on top of the game's records; it never needs
// SDL, so it runs on any machine that can build the game.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "characters/npc.h"
#include "rules.h"
#include "characters/quest.h"
#include "shop/item.h"
#include "world/map.h"

// One finding: the file it is about, the line (1-based; 0 for the whole file)
// and what is wrong, in words an author understands.
struct Problem {
    std::string file;
    int line;
    std::string text;
};

class Report {
  public:
    std::vector<Problem> problems;

    void add(const std::string& file, int line, const char* format, ...)
        __attribute__((format(printf, 4, 5)));
    bool clean() const { return problems.empty(); }
    // True when some problem's text contains `words` (used by tests and tools).
    bool mentions(const std::string& words) const;
    // Writes "file:line: text" lines (no line number when it is 0).
    void print(FILE* out) const;
};

// Records as loaded, with the line of the file where each one starts.
struct PlacedNPC {
    NPC npc;
    int line;
};
struct PlacedQuest {
    Quest quest;
    int line;
};
struct PlacedItem {
    Item item;
    int line;
};

struct Floor {
    bool present;        // both files of the floor could be opened
    std::string mapFile; // paths as reported, e.g. "data/map2.qor"
    std::string npcFile;
    // The grid as the game holds it once this floor is loaded: every floor is
    // read into the same map, so cells a short line leaves keep older codes.
    char cells[MAP_SIZE][MAP_SIZE];
    std::vector<PlacedNPC> npcs; // the NPC file's records, in file order
};

struct Campaign {
    std::string dir;
    Floor floors[FLOOR_COUNT];
    std::vector<PlacedQuest> quests;
    std::vector<PlacedItem> items;
    std::string questFile;
    std::string shopFile;
};

// Reads every data file of the folder exactly as the game loads it, and
// reports what the loaders would do silently: short, long or missing map
// lines, carriage returns, over-long fields, records that end a file early,
// numbers that are not numbers, character numbers and icons outside their
// tables.
void loadCampaign(const std::string& dir, Campaign& campaign, Report& report);

// Loads every picture the game loads from the data folder `dir` with the
// game's picture loader, and reports each one it refuses with the message
// the game ends with, or that it goes on without it. False, reporting
// nothing, when the folder has no gfx folder (the text data alone).
bool checkPictures(const std::string& dir, Report& report);

// A step of the way through the campaign, as the player makes it.
struct PlanStep {
    enum Kind {
        Walk,             // one step to the neighbouring cell (x, y)
        OpenDoor,         // a step against the locked door at (x, y): it opens, the player stays
        TalkToQuestGiver, // Return where the player stands: the next quest is handed over
        BuyKey,           // Return beside the shopkeeper, then buying the key good `item`
        BuyGear,          // the same for the blade or armour good `item`
        Fight,            // Return at (x, y) beside the hostile character `item` of the floor's
                          // file, and winning the fight
        Climb             // the step onto the stairs at (x, y)
    };
    Kind kind;
    int floor;
    int x, y;
    int item;    // BuyKey, BuyGear: index of the good in the shop; Fight: index of the NPC
    int quest;   // TalkToQuestGiver: index in the quest list of the quest handed out, or -1
    bool errand; // a step of an errand's round trip: to the quest giver and on to the target

    // A step the player walks: to a cell, against a door or onto the stairs.
    bool walks() const { return kind == Walk || kind == OpenDoor || kind == Climb; }
    // A step walked on an errand (the stairs are never part of one).
    bool walksOnErrand() const { return errand && (kind == Walk || kind == OpenDoor); }
};

// A hostile character and the hero's chances against him, in the order the
// hero fights them.
struct GuardOdds {
    int floor;
    const NPC* npc;
    double withGear;    // with the blade and armour the plan buys
    double withoutGear; // with the hero's own blade and clothes
};

struct ClimbPlan {
    std::vector<PlanStep> steps;
    bool wins = false;     // the plan ends with the stairs of the last floor
    std::vector<int> gear; // the goods the plan buys to fight with
    std::vector<GuardOdds> guards;
    int walked() const;          // steps taken: walking, against doors and onto stairs
    int walkedOnErrands() const; // of those, the ones on errand round trips
};

// The play rules: reachability of stairs, spawn cells, quest targets and
// characters (hostile ones can be fought out of the way); characters on walls,
// on each other or off the map; landing cells; a guard on every floor's way
// up; dead ends; keys against the locked doors on the way; and whether every
// hostile character can be beaten with the gear the plan buys. Fills `plan` with the way it found,
// if given.
void checkPlay(const Campaign& campaign, Report& report, ClimbPlan* plan = NULL);

// Blade and armour of the shop that the start gold pays for together and that
// give the best worst chance against the campaign's hostile characters, met
// in order with the levels won before each.
std::vector<int> chooseGear(const Campaign& campaign);

// The hero as a fight sees him.
struct Hero {
    int maxHp;
    int maxMp;
    int weaponMod;
    int armour;
    int healPotions;
};

// The hero of a player who has won `victories` fights: the levels they gave.
Hero heroAfter(int victories);
// Chance that the hero beats an enemy of `enemyHp` hit points, playing
// sensibly (potions when low, Hand of Death while magic lasts, the Messiah
// kept in reserve), over `trials` fights with the game's dice.
double winChance(const Hero& hero, int enemyHp, int trials = 400);
// The same, always by playing every trial; winChance skips the playing when
// the hero wins whatever the dice.
double simulatedWinChance(const Hero& hero, int enemyHp, int trials = 400);
// The player's turns such a fight lasts on average, won or lost.
double averageTurns(const Hero& hero, int enemyHp, int trials = 400);
// The hero with the blade and armour among the shop goods `gear`.
Hero equip(Hero hero, const std::vector<PlacedItem>& shop, const std::vector<int>& gear);
// Every hostile character of the campaign in the order the hero fights them:
// floor by floor, the weaker first; `floors` gets each one's floor.
std::vector<const PlacedNPC*> hostilesInOrder(const Campaign& campaign, std::vector<int>* floors);

// Draws each floor to "<outDir>/floorN.png" with the game's tiles and sprites
// from `gfxDir` (flat colours where an image is missing), `cell` pixels per
// cell, marking the start, the stairs, quest targets and locked doors. Returns
// the number of files written; complaints go to `errors`.
int renderFloors(const Campaign& campaign, const ClimbPlan* plan, const std::string& gfxDir,
                 const std::string& outDir, int cell, FILE* errors);
