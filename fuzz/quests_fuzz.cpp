// Fuzzes the quest file loader and the quest giver's look-ups over its result.
#include "characters/quest.h"
#include "input_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = writeInput("quests.qor", data, size);
    QuestMaster master;
    master.loadQuests(path.c_str());
    for (int floor = 0; floor <= 5; floor++)
        master.GiveNextQuest(floor);
    return 0;
}
