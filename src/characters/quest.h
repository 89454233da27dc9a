// Quest and QuestMaster: walk-to errands and the list that hands them out.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Longest lines of a quest file record.
const size_t QUEST_NUMBER_LIMIT = 9;
const size_t QUEST_TEXT_LIMIT = 39;
const size_t QUEST_FLAG_LIMIT = 3;
// What the game prints, with the file's path, before it ends over a quest
// file that cannot be opened or read to its end.
const char* const QUEST_FILE_MISSING = "Quest file %s missing\n";

class LineReader;

class Quest {
  public:
    int posX;
    int posY;
    int floor;
    int completed;
    std::string text;
    int rewardKey;

    Quest();

    // Reads one 5-line record of the quest file into this quest.
    void readRecord(LineReader& in);
    // A record whose target is (0, 0) ends the quest file.
    bool isNullRecord() const { return posX == 0 && posY == 0; }
    // Reads the records of a quest file, in file order, onto the end of
    // `quests` (which then owns them). False when a read error cut it short.
    // Progress lines go to `progress` (NULL: nowhere); `endedByNull`, when
    // given, tells whether a null record ended the file rather than its end.
    static bool readFile(FILE* file, std::vector<Quest*>& quests, FILE* progress = stdout,
                         bool* endedByNull = NULL);
};

class QuestMaster {
  public:
    std::vector<Quest*> quests; // owned, in file order

    QuestMaster();
    ~QuestMaster();

    // Appends the quests of the file; ends the process when it cannot be opened.
    void loadQuests(const char* path);
    // The text the quest giver says on this floor.
    std::string GiveNextQuest(int floor);
    // The first open quest of the floor, or NULL.
    Quest* NextQuest(int floor);

  private:
    Quest* findOpen(int floor);
};
