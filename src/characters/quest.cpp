// Quest records, the quest file loader and the hand-out rules of the quest giver.
#include "characters/quest.h"

#include <cstdio>
#include <cstdlib>

#include "core/datafile.h"
#include "core/fatal.h"
#include "core/linereader.h"

Quest::Quest()
    : posX(5), posY(5), floor(0), completed(0), text("Get out of my office. Then come back in."),
      rewardKey(0) {}

void Quest::readRecord(LineReader& in) {
    posX = in.readInt(QUEST_NUMBER_LIMIT);
    posY = in.readInt(QUEST_NUMBER_LIMIT);
    floor = in.readInt(QUEST_NUMBER_LIMIT);
    text = in.readText(QUEST_TEXT_LIMIT);
    rewardKey = in.readFlag(QUEST_FLAG_LIMIT);
}

QuestMaster::QuestMaster() {
    quests.clear();
    puts("QuestMaster()");
}

QuestMaster::~QuestMaster() {
    for (Quest* quest : quests)
        delete quest;
}

void QuestMaster::loadQuests(const char* path) {
    FILE* file = openDataFile(path);
    if (!file)
        fatal(QUEST_FILE_MISSING, path);
    bool whole = Quest::readFile(file, quests);
    fclose(file);
    // A read error is not the end of the file: the errands after it would be lost.
    if (!whole)
        fatal(QUEST_FILE_MISSING, path);
}

bool Quest::readFile(FILE* file, std::vector<Quest*>& quests, FILE* progress, bool* endedByNull) {
    LineReader in(file);
    if (endedByNull)
        *endedByNull = false;
    for (;;) {
        Quest* quest = new Quest();
        quest->completed = 0;
        quest->readRecord(in);
        progressLine(progress, "Loaded Quest %s, (%i,%i,%i)", quest->text.c_str(), quest->posX,
                     quest->posY, quest->floor);
        // QUIRK: a target of (0, 0), on any floor, ends the file.
        if (quest->isNullRecord()) {
            progressLine(progress, "invalid");
            delete quest;
            if (endedByNull)
                *endedByNull = true;
            break;
        }
        if (in.atEnd()) {
            progressLine(progress, "eof...");
            progressLine(progress, "pushing back on eof");
            quests.push_back(quest);
            break;
        }
        progressLine(progress, "pushing back");
        quests.push_back(quest);
        progressLine(progress, "looping");
    }
    return !ferror(file);
}

Quest* QuestMaster::findOpen(int floor) {
    for (Quest* quest : quests)
        if (!quest->completed && quest->floor == floor)
            return quest;
    return NULL;
}

std::string QuestMaster::GiveNextQuest(int floor) {
    puts("made quest request");
    Quest* quest = findOpen(floor);
    if (quest) {
        printf("%s (%i,%i)\n", quest->text.c_str(), quest->posX, quest->posY);
        return quest->text;
    }
    puts("could not find any quests");
    return "I have no work for you on this floor!";
}

Quest* QuestMaster::NextQuest(int floor) {
    puts("made quest request");
    return findOpen(floor);
}
