// Quest records, the quest file loader and the hand-out rules of the quest giver.
#include "characters/quest.h"

#include <cstdio>
#include <cstdlib>

#include "core/datafile.h"
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

// A quest file that cannot be opened or read to its end ends the game.
static void questFileMissing(const char* path) {
    fprintf(stderr, "Quest file %s missing\n", path);
    exit(1);
}

void QuestMaster::loadQuests(const char* path) {
    FILE* file = openDataFile(path);
    if (!file)
        questFileMissing(path);
    LineReader in(file);
    for (;;) {
        Quest* quest = new Quest();
        quest->completed = 0;
        quest->readRecord(in);
        printf("Loaded Quest %s, (%i,%i,%i)\n", quest->text.c_str(), quest->posX, quest->posY,
               quest->floor);
        // QUIRK: a target of (0, 0), on any floor, ends the file.
        if (quest->isNullRecord()) {
            puts("invalid");
            delete quest;
            break;
        }
        if (in.atEnd()) {
            puts("eof...");
            puts("pushing back on eof");
            quests.push_back(quest);
            break;
        }
        puts("pushing back");
        quests.push_back(quest);
        puts("looping");
    }
    // A read error is not the end of the file: the errands after it would be lost.
    if (ferror(file))
        questFileMissing(path);
    fclose(file);
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
