// Shop: the list of goods read from data/shopdata.qor at start-up.
#pragma once

#include <vector>

#include "shop/item.h"

class Shop {
  public:
    std::vector<Item*> items; // owned, in file order

    // Prints its progress and loads data/shopdata.qor.
    Shop();
    ~Shop();

    // Reads the whole shop file; ends the process when it cannot be opened.
    void loadItems(const char* path);
};
