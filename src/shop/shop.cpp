// Shop: loads the goods of data/shopdata.qor and owns them for the whole run.
#include "shop/shop.h"

#include <cstdio>
#include <cstdlib>

#include "core/datafile.h"
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

// A shop file that cannot be opened or read to its end ends the game.
static void shopFileMissing(const char* path) {
    fprintf(stderr, "File %s missing\n", path);
    exit(1);
}

void Shop::loadItems(const char* path) {
    FILE* file = openDataFile(path);
    if (!file)
        shopFileMissing(path);
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
            delete item;
            break;
        }
        items.push_back(item);
    }
    // A read error is not the end of the file: the goods after it would be lost.
    if (ferror(file))
        shopFileMissing(path);
    fclose(file);
}
