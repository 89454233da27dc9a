// The quest file loader, the quest giver's hand-out rules and the quest check
// that ends each of the player's steps.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "characters/npc.h"
#include "characters/quest.h"
#include "folder.h"
#include "support/harness.h"

namespace {

typedef std::vector<std::string> Lines;

Quest makeQuest(int x, int y, int floor, const std::string& text, int rewardKey) {
    Quest q;
    q.posX = x;
    q.posY = y;
    q.floor = floor;
    q.text = text;
    q.rewardKey = rewardKey;
    return q;
}

std::string fields(const Quest& q) {
    return q.text + " (" + std::to_string(q.posX) + "," + std::to_string(q.posY) + "," +
           std::to_string(q.floor) + ") key" + std::to_string(q.rewardKey) + " done" +
           std::to_string(q.completed);
}

std::string quest(int x, int y, int floor, const std::string& text, int rewardKey) {
    return fields(makeQuest(x, y, floor, text, rewardKey));
}

TEST(QuestFile, LoadsTheQuestsAndPrintsHowEachRecordEnded) {
    const std::string two = "3\n4\n0\nFind the cellar\n1\n10\n11\n1\nSee the roof\n0\n";
    const Lines twoLoaded = {"Loaded Quest Find the cellar, (3,4,0)", "pushing back", "looping",
                             "Loaded Quest See the roof, (10,11,1)"};
    const Lines twoQuests = {quest(3, 4, 0, "Find the cellar", 1),
                             quest(10, 11, 1, "See the roof", 0)};
    const Lines nullEnd = {"pushing back", "looping", "Loaded Quest , (0,0,0)", "invalid"};
    const Lines atEof = {"eof...", "pushing back on eof"};
    auto concat = [](Lines a, const Lines& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    struct {
        std::string contents;
        Lines output, expected;
    } cases[] = {
        {two, concat(twoLoaded, nullEnd), twoQuests},
        {two.substr(0, two.size() - 1), concat(twoLoaded, atEof), twoQuests},
        {"", {"Loaded Quest , (0,0,0)", "invalid"}, {}},
        {"0\n0\n2\nNowhere\n1\n3\n4\n0\nLost\n0\n",
         {"Loaded Quest Nowhere, (0,0,2)", "invalid"},
         {}},
        {"5\n6\n", concat({"Loaded Quest , (5,6,0)"}, atEof), {quest(5, 6, 0, "", 0)}},
        // A text ends at its first NUL byte, in the record and as printed.
        {std::string("2\n2\n0\nFe\0tch\n0", 14),
         concat({"Loaded Quest Fe, (2,2,0)"}, atEof),
         {quest(2, 2, 0, "Fe", 0)}},
        {" +8\n-2x\n3rd\nOdd\n7k",
         concat({"Loaded Quest Odd, (8,-2,3)"}, atEof),
         {quest(8, -2, 3, "Odd", 1)}},
        // Over-long lines keep their start; every later line reads empty.
        {"1234567890\n4\n0\nToo far\n0\n3\n4\n0\nNever read\n0\n",
         concat({"Loaded Quest , (123456789,0,0)"}, nullEnd),
         {quest(123456789, 0, 0, "", 0)}},
        {"3\n4\n0\n" + std::string(39, 'a') + "b\n1\n5\n5\n0\nNever read\n0\n",
         concat({"Loaded Quest " + std::string(39, 'a') + ", (3,4,0)"}, nullEnd),
         {quest(3, 4, 0, std::string(39, 'a'), 0)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.contents);
        RecordFolder folder;
        folder.write("data/quests.qor", c.contents);
        startCapture();
        QuestMaster master;
        master.loadQuests("data/quests.qor");
        EXPECT_EQ(linesOf(stopCapture()), concat({"QuestMaster()"}, c.output));
        Lines got;
        for (const Quest* q : master.quests)
            got.push_back(fields(*q));
        EXPECT_EQ(got, c.expected);
    }
}

TEST(QuestFileDeathTest, MissingFileEndsTheGameWithItsName) {
    QuestMaster master;
    EXPECT_EXIT(master.loadQuests("data/nowhere/quests.qor"), ::testing::ExitedWithCode(1),
                "^Quest file data/nowhere/quests\\.qor missing\n$");
}

TEST(QuestGiving, FirstOpenQuestOfTheFloorIsGivenUntilSolved) {
    startCapture();
    QuestMaster master;
    stopCapture();
    for (const Quest& q : {makeQuest(1, 1, 0, "First", 0), makeQuest(2, 2, 1, "Upstairs", 0),
                           makeQuest(3, 3, 0, "Second", 1)})
        master.quests.push_back(new Quest(q));
    startCapture();
    EXPECT_EQ(master.GiveNextQuest(0), "First");
    EXPECT_EQ(master.NextQuest(0), master.quests[0]);
    EXPECT_EQ(linesOf(stopCapture()),
              Lines({"made quest request", "First (1,1)", "made quest request"}));
    master.quests[0]->completed = 1;
    startCapture();
    EXPECT_EQ(master.GiveNextQuest(0), "Second");
    EXPECT_EQ(master.NextQuest(1), master.quests[1]); // other floors' quests on their floor only
    master.quests[2]->completed = 1;
    stopCapture();
    startCapture();
    EXPECT_EQ(master.GiveNextQuest(0), "I have no work for you on this floor!");
    EXPECT_EQ(master.NextQuest(0), nullptr);
    EXPECT_EQ(linesOf(stopCapture()),
              Lines({"made quest request", "could not find any quests", "made quest request"}));
}

TEST(QuestArrival, SolvesOnlyOnTheQuestTileOfItsFloor) {
    struct {
        int floor, x, y, rewardKey;
        bool solved;
        int gold, keys; // afterwards, from 100 gold and 0 keys
    } cases[] = {{2, 7, 9, 0, true, 140, 0},
                 {2, 7, 9, 1, true, 140, 1},
                 {1, 7, 9, 1, false, 100, 0},
                 {2, 8, 9, 1, false, 100, 0},
                 {2, 7, 8, 1, false, 100, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.floor) + " " + std::to_string(c.x) + "," +
                     std::to_string(c.y));
        Quest target = makeQuest(7, 9, 2, "Find the well", c.rewardKey);
        Player player;
        player.gold = 100;
        player.currentQuest = &target;
        player.floor = c.floor;
        player.posX = c.x;
        player.posY = c.y;
        startCapture();
        EXPECT_EQ(player.checkQuestArrival(), c.solved);
        EXPECT_EQ(stopCapture(), c.solved ? "Quest Find the well completed\n" : "");
        EXPECT_EQ(player.gold, c.gold);
        EXPECT_EQ(player.keys, c.keys);
        EXPECT_EQ(target.completed, c.solved ? 1 : 0);
        EXPECT_EQ(player.currentQuest, c.solved ? nullptr : &target);
    }
}

} // namespace
