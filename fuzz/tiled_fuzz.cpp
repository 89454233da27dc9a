// Fuzzes the Tiled reader of tessary-check's import: any bytes as a floor's
// saved map, parsed and judged as the import reads it (the other floors are
// missing and refused as such).
#include <memory>

#include "input_file.h"
#include "tiled.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = writeInput("floor0.tmx", data, size);
    std::unique_ptr<TiledCampaign> campaign(new TiledCampaign());
    std::vector<std::string> refusals;
    readTiledFloors(path.substr(0, path.rfind('/')), *campaign, refusals);
    return 0;
}
