// Fuzzes the NPC file loader: any bytes as a floor's NPC file, read by the
// record loop the game's own loader runs.
#include <list>

#include "characters/npc.h"
#include "input_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    readRecords<std::list<NPC*>>("npcs.qor", data, size, NPC::readFile);
    return 0;
}
