// Fuzzes the shop file loader: any bytes as data/shopdata.qor, read by the
// record loop the game's own loader runs at start-up.
#include "core/datafile.h"
#include "input_file.h"
#include "shop/shop.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = openDataFile(writeInput("shopdata.qor", data, size).c_str());
    if (!file)
        return 0;
    std::vector<Item*> items;
    Shop::readFile(file, items);
    fclose(file);
    for (Item* item : items)
        delete item;
    return 0;
}
