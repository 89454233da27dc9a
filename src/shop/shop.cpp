// Shop: loads the goods of data/shopdata.qor and owns them for the whole run.
#include "shop/shop.h"

#include <cstdio>
#include <cstdlib>

#include "core/datafile.h"
#include "core/fatal.h"
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
    FILE* file = openDataFile(path);
    if (!file)
        fatal(SHOP_FILE_MISSING, path);
    bool whole = readFile(file, items);
    fclose(file);
    // A read error is not the end of the file: the goods after it would be lost.
    if (!whole)
        fatal(SHOP_FILE_MISSING, path);
}

bool Shop::readFile(FILE* file, std::vector<Item*>& items, FILE* progress, bool* endedByNull) {
    LineReader in(file);
    if (endedByNull)
        *endedByNull = false;
    // The end of the file is tested before each record, so a last line without
    // a line feed ends the list with its record added.
    while (!in.atEnd()) {
        progressLine(progress, "Loading item");
        Item* item = new Item();
        item->readRecord(in);
        progressLine(progress, "Item loaded, adding");
        // QUIRK: price 0 and weapon modifier 0 end the list: a free blade is
        // a good, a free potion ends the shop.
        if (item->isNullRecord()) {
            progressLine(progress, "Probably a null item.");
            delete item;
            if (endedByNull)
                *endedByNull = true;
            break;
        }
        items.push_back(item);
    }
    return !ferror(file);
}
