// Fuzzes the shop file loader: the shop reads data/shopdata.qor in the
// working directory when it is built, as at the game's start.
#include "input_file.h"
#include "shop/shop.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    writeInput("data/shopdata.qor", data, size);
    InInputFolder inFolder;
    Shop shop;
    return 0;
}
