// Fuzzes the shop file loader: any bytes as data/shopdata.qor, read by the
// record loop the game's own loader runs at start-up.
#include "input_file.h"
#include "shop/shop.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    readRecords<std::vector<Item*>>("shopdata.qor", data, size, Shop::readFile);
    return 0;
}
