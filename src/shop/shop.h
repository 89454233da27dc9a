// Shop: the list of goods read from data/shopdata.qor at start-up.
#pragma once

#include <cstdio>
#include <vector>

#include "shop/item.h"

// What the game prints, with the file's path, before it ends over a shop
// file that cannot be opened or read to its end.
const char* const SHOP_FILE_MISSING = "File %s missing\n";

class Shop {
  public:
    std::vector<Item*> items; // owned, in file order

    // Prints its progress and loads data/shopdata.qor.
    Shop();
    ~Shop();

    // Reads the whole shop file; ends the process when it cannot be opened.
    void loadItems(const char* path);
    // Reads the records of a shop file, in file order, onto the end of
    // `items` (which then owns them). False when a read error cut it short.
    // Progress lines go to `progress` (NULL: nowhere); `endedByNull`, when
    // given, tells whether a null record ended the file rather than its end.
    static bool readFile(FILE* file, std::vector<Item*>& items, FILE* progress = stdout,
                         bool* endedByNull = NULL);
};
