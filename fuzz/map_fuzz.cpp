// Fuzzes the map loader: any bytes as a floor's map file.
#include "input_file.h"
#include "world/map.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = writeInput("map.qor", data, size);
    Map map;
    map.loadMap(path.c_str());
    // A second load over the first, as on a floor change.
    map.loadMap(path.c_str());
    return 0;
}
