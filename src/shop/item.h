// Item: one good of the shop, as read from the shop file.
#pragma once

#include <cstddef>
#include <string>

class LineReader;

// Longest lines of a shop file record.
const size_t ITEM_NUMBER_LIMIT = 18;
const size_t ITEM_NAME_LIMIT = 18;
const size_t ITEM_FLAG_LIMIT = 3;
const size_t ITEM_ARMOUR_LIMIT = 9;

// Number of spells a scroll can teach (the magic menu's keys 1 to 7).
const int SCROLL_SPELLS = 7;

class Item {
  public:
    int price;
    int iconIndex;
    int weaponMod;
    int armourClass;
    std::string name;
    int isHealingPotion;
    int isSpellScroll;
    int teachesSpell[SCROLL_SPELLS];
    int isKey;
    int isManaPotion;
    int stock;

    Item();

    // Reads one 16-line record of the shop file into this item.
    void readRecord(LineReader& in);
    // A record with price 0 and weapon modifier 0 ends the shop file.
    bool isNullRecord() const { return price == 0 && weaponMod == 0; }
};
