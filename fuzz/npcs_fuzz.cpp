// Fuzzes the NPC file loader: any bytes as a floor's NPC file, read by the
// record loop the game's own loader runs.
#include <cstdio>
#include <list>

#include "characters/npc.h"
#include "core/datafile.h"
#include "input_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = openDataFile(writeInput("npcs.qor", data, size).c_str());
    if (!file)
        return 0;
    std::list<NPC*> npcs;
    NPC::readFile(file, npcs);
    fclose(file);
    for (NPC* npc : npcs)
        delete npc;
    return 0;
}
