// Shop: loads the goods of data/shopdata.qor and owns them for the whole run.
#include "shop/shop.h"

#include <cstdio>
#include <cstdlib>

#include "core/linereader.h"

Shop::Shop() {
    items.clear();
    puts("Loading shop...");
    loadItems("data/shopdata.qor");
    puts("Shop initialized");
}

Shop::~Shop() {
    for (Item* item : items)
        delete item;
}

void Shop::loadItems(const char* path) {
    FILE* file = fopen(path, "rb");
    if (!file) {
        fprintf(stderr, "File %s missing\n", path);
        exit(1);
    }
    LineReader in(file);
    // The end of the file is tested before each record, so a last line without
    // a line feed ends the list with its record added.
    while (!in.atEnd()) {
        puts("Loading item");
        Item* item = new Item();
        item->readRecord(in);
        puts("Item loaded, adding");
        // QUIRK: price 0 and weapon modifier 0 end the list: a free blade is
        // a good, a free potion ends the shop.
        if (item->isNullRecord()) {
            puts("Probably a null item.");
            fclose(file);
            delete item;
            return;
        }
        items.push_back(item);
    }
    fclose(file);
}
