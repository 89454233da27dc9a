// Fuzzes the NPC file's records. The loader itself is a member of the game
// object, which needs the whole game to be built, so this runs its record
// loop the same way over the file: records until a null record (position
// (0, 0)) or the end of the file.
#include <cstdio>
#include <list>

#include "characters/npc.h"
#include "core/linereader.h"
#include "input_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = fopen(writeInput("data/npcs.qor", data, size).c_str(), "rb");
    if (!file)
        return 0;
    LineReader in(file);
    std::list<NPC*> npcs;
    for (;;) {
        NPC* npc = new NPC();
        npc->readRecord(in);
        if (npc->isNullRecord()) {
            delete npc;
            break;
        }
        npcs.push_back(npc);
        if (in.atEnd())
            break;
    }
    fclose(file);
    for (NPC* npc : npcs)
        delete npc;
    return 0;
}
