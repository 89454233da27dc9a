// The quest file loader, the quest giver's hand-out rules and the quest check
// that ends each of the player's steps.
#include <gtest/gtest.h>

#include "characters/npc.h"
#include "characters/quest.h"
#include "support/harness.h"

namespace {

typedef std::vector<std::string> Lines;

Quest* makeQuest(int x, int y, int floor, const std::string& text, int rewardKey) {
    Quest* q = new Quest();
    q->posX = x, q->posY = y, q->floor = floor, q->text = text, q->rewardKey = rewardKey;
    return q;
}

TEST(QuestFile, LoadsTheQuestsUntilANullRecordAndSaysHowTheFileEnded) {
    const std::string two = "3\n4\n0\nFind the cellar\n1\n10\n11\n1\nSee the roof\n0\n",
                      a39(39, 'a');
    const Lines quests = {"Find the cellar (3,4,0) key1", "See the roof (10,11,1) key0"};
    struct {
        std::string contents, lastLine;
        Lines expected;
    } cases[] = {
        {two, "invalid", quests},
        {two.substr(0, two.size() - 1), "pushing back on eof", quests},
        {"0\n0\n2\nNowhere\n1\n3\n4\n0\nLost\n0\n", "invalid", {}},
        {std::string("2\n2\n0\nFe\0tch\n0", 14), "pushing back on eof", {"Fe (2,2,0) key0"}},
        {" +8\n-2x\n3rd\nOdd\n7k", "pushing back on eof", {"Odd (8,-2,3) key1"}},
        // An over-long line keeps its start; every later line reads empty.
        {"1234567890\n4\n0\nToo far\n0\n", "invalid", {" (123456789,0,0) key0"}},
        {"3\n4\n0\n" + a39 + "b\n1\n5\n5\n0\nLost\n0\n", "invalid", {a39 + " (3,4,0) key0"}},
    };
    DataTree folder;
    folder.enter();
    for (const auto& c : cases) {
        folder.write("data/quests.qor", c.contents);
        startCapture();
        QuestMaster master;
        master.loadQuests("data/quests.qor");
        EXPECT_EQ(linesOf(stopCapture()).back(), c.lastLine) << c.contents;
        Lines got;
        for (const Quest* q : master.quests)
            got.push_back(q->text + " (" + std::to_string(q->posX) + "," + std::to_string(q->posY) +
                          "," + std::to_string(q->floor) + ") key" + std::to_string(q->rewardKey));
        EXPECT_EQ(got, c.expected) << c.contents;
    }
}

TEST(QuestGiving, FirstOpenQuestOfTheFloorIsGivenUntilSolved) {
    startCapture();
    QuestMaster master;
    master.quests = {makeQuest(1, 1, 0, "First", 0), makeQuest(2, 2, 1, "Upstairs", 0),
                     makeQuest(3, 3, 0, "Second", 1)};
    EXPECT_EQ(master.GiveNextQuest(0), "First");
    master.quests[0]->completed = 1;
    EXPECT_EQ(master.GiveNextQuest(0), "Second");
    EXPECT_EQ(master.NextQuest(1), master.quests[1]);
    master.quests[2]->completed = 1;
    EXPECT_EQ(master.GiveNextQuest(0), "I have no work for you on this floor!");
    stopCapture();
}

// The quest tile (7, 9) on floor 2, then a step off it in floor, x and y.
TEST(QuestArrival, SolvesOnlyOnTheQuestTileOfItsFloor) {
    const int places[][3] = {{2, 7, 9}, {1, 7, 9}, {2, 8, 9}, {2, 7, 8}};
    for (int rewardKey : {0, 1})
        for (const auto& at : places) {
            bool solved = &at == &places[0];
            std::unique_ptr<Quest> target(makeQuest(7, 9, 2, "Find the well", rewardKey));
            Player player;
            player.gold = 100, player.currentQuest = target.get();
            player.floor = at[0], player.posX = at[1], player.posY = at[2];
            startCapture();
            EXPECT_EQ(player.checkQuestArrival(), solved);
            EXPECT_EQ(stopCapture(), solved ? "Quest Find the well completed\n" : "");
            EXPECT_EQ(player.gold * 10 + player.keys, solved ? 1400 + rewardKey : 1000);
            EXPECT_EQ(target->completed, solved ? 1 : 0);
            EXPECT_EQ(player.currentQuest, solved ? nullptr : target.get());
        }
}

} // namespace
