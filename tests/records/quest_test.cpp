// The quest file loader, the quest giver's hand-out rules and the quest check
// that ends each of the player's steps.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "characters/npc.h"
#include "characters/quest.h"
#include "folder.h"
#include "support/harness.h"

namespace {

typedef std::vector<std::string> Lines;

struct QuestFileCase {
    const char* what;
    std::string contents;
    Lines output;   // standard output of loadQuests, line by line
    Lines expected; // as fields() shows them
};

void PrintTo(const QuestFileCase& c, std::ostream* os) {
    *os << c.what;
}

Quest makeQuest(int x, int y, int floor, const std::string& text, int rewardKey) {
    Quest q;
    q.posX = x;
    q.posY = y;
    q.floor = floor;
    q.text = text;
    q.rewardKey = rewardKey;
    return q;
}

// Every field of a quest in one line, so a table row compares them all.
std::string fields(const Quest& q) {
    return q.text + " (" + std::to_string(q.posX) + "," + std::to_string(q.posY) + "," +
           std::to_string(q.floor) + ") key" + std::to_string(q.rewardKey) + " done" +
           std::to_string(q.completed);
}

std::string quest(int x, int y, int floor, const std::string& text, int rewardKey) {
    return fields(makeQuest(x, y, floor, text, rewardKey));
}

class QuestFile : public ::testing::TestWithParam<QuestFileCase> {
  protected:
    RecordFolder folder;
};

TEST_P(QuestFile, LoadsTheQuestsAndPrintsTheLinesOfTheTable) {
    const QuestFileCase& c = GetParam();
    folder.write("data/quests.qor", c.contents);
    startCapture();
    QuestMaster master;
    master.loadQuests("data/quests.qor");
    Lines output = linesOf(stopCapture());
    Lines expectedOutput = c.output;
    expectedOutput.insert(expectedOutput.begin(), "QuestMaster()");
    EXPECT_EQ(output, expectedOutput);
    Lines got;
    for (const Quest* q : master.quests)
        got.push_back(fields(*q));
    EXPECT_EQ(got, c.expected);
}

const char* const TWO = "3\n4\n0\nFind the cellar\n1\n10\n11\n1\nSee the roof\n0\n";
const Lines NULL_END = {"Loaded Quest , (0,0,0)", "invalid"};

Lines concat(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Lines TWO_LOADED = {"Loaded Quest Find the cellar, (3,4,0)", "pushing back", "looping",
                          "Loaded Quest See the roof, (10,11,1)"};

INSTANTIATE_TEST_SUITE_P(
    Files, QuestFile,
    ::testing::Values(
        QuestFileCase{"TwoQuestsWithFinalLineFeedEndAtANullRecord",
                      TWO,
                      concat(concat(TWO_LOADED, {"pushing back", "looping"}), NULL_END),
                      {quest(3, 4, 0, "Find the cellar", 1), quest(10, 11, 1, "See the roof", 0)}},
        QuestFileCase{"TwoQuestsWithoutFinalLineFeedEndAtTheEndOfTheFile",
                      std::string(TWO).substr(0, strlen(TWO) - 1),
                      concat(TWO_LOADED, {"eof...", "pushing back on eof"}),
                      {quest(3, 4, 0, "Find the cellar", 1), quest(10, 11, 1, "See the roof", 0)}},
        QuestFileCase{
            "CrlfLoadsLikeLf",
            "3\r\n4\r\n0\r\nFind the cellar\r\n1\r\n10\r\n11\r\n1\r\nSee the roof\r\n0\r\n",
            concat(concat(TWO_LOADED, {"pushing back", "looping"}), NULL_END),
            {quest(3, 4, 0, "Find the cellar", 1), quest(10, 11, 1, "See the roof", 0)}},
        QuestFileCase{"EmptyFileIsOneNullRecord", "", NULL_END, {}},
        QuestFileCase{"TargetZeroZeroEndsTheFileEvenBeforeOtherQuests",
                      "0\n0\n2\nNowhere\n1\n3\n4\n0\nLost\n0\n",
                      {"Loaded Quest Nowhere, (0,0,2)", "invalid"},
                      {}},
        QuestFileCase{"FileEndingInsideARecordReadsEmptyForTheRest",
                      "5\n6\n",
                      {"Loaded Quest , (5,6,0)", "eof...", "pushing back on eof"},
                      {quest(5, 6, 0, "", 0)}},
        QuestFileCase{"SignsAndJunkConvertLikeAtoi",
                      " +8\n-2x\n3rd\nOdd\n7k",
                      {"Loaded Quest Odd, (8,-2,3)", "eof...", "pushing back on eof"},
                      {quest(8, -2, 3, "Odd", 1)}},
        // Over-long lines keep their start; every later line reads empty.
        QuestFileCase{
            "OverlongNumberEndsTheLoadAfterItsRecord",
            "1234567890\n4\n0\nToo far\n0\n3\n4\n0\nNever read\n0\n",
            concat({"Loaded Quest , (123456789,0,0)", "pushing back", "looping"}, NULL_END),
            {quest(123456789, 0, 0, "", 0)}},
        QuestFileCase{"OverlongTextKeepsThirtyNineCharacters",
                      "3\n4\n0\n" + std::string(39, 'a') + "b\n1\n5\n5\n0\nNever read\n0\n",
                      concat({"Loaded Quest " + std::string(39, 'a') + ", (3,4,0)", "pushing back",
                              "looping"},
                             NULL_END),
                      {quest(3, 4, 0, std::string(39, 'a'), 0)}},
        QuestFileCase{"OverlongRewardFlagKeepsThreeCharacters",
                      "3\n4\n0\nKey\n1000\n5\n5\n0\nX\n0\n",
                      concat({"Loaded Quest Key, (3,4,0)", "pushing back", "looping"}, NULL_END),
                      {quest(3, 4, 0, "Key", 1)}}),
    [](const ::testing::TestParamInfo<QuestFileCase>& info) {
        return std::string(info.param.what);
    });

TEST(QuestFileDeathTest, MissingFileEndsTheGameWithItsName) {
    QuestMaster* master = new QuestMaster();
    EXPECT_EXIT(master->loadQuests("data/nowhere/quests.qor"), ::testing::ExitedWithCode(1),
                "^Quest file data/nowhere/quests\\.qor missing\n$");
    delete master;
}

// The quest giver's rules over a list of quests of several floors.
class QuestGiving : public ::testing::Test {
  protected:
    QuestMaster* master;
    void SetUp() override {
        startCapture();
        master = new QuestMaster();
        stopCapture();
        const Quest list[] = {makeQuest(1, 1, 0, "First", 0), makeQuest(2, 2, 1, "Upstairs", 0),
                              makeQuest(3, 3, 0, "Second", 1), makeQuest(4, 4, 7, "Nowhere", 0)};
        for (const Quest& q : list)
            master->quests.push_back(new Quest(q));
    }
    void TearDown() override { delete master; }
};

TEST_F(QuestGiving, FirstOpenQuestOfTheFloorIsGivenUntilSolved) {
    startCapture();
    EXPECT_EQ(master->GiveNextQuest(0), "First");
    EXPECT_EQ(master->NextQuest(0), master->quests[0]);
    EXPECT_EQ(master->NextQuest(0), master->quests[0]);
    EXPECT_EQ(linesOf(stopCapture()), Lines({"made quest request", "First (1,1)",
                                             "made quest request", "made quest request"}));
    master->quests[0]->completed = 1;
    startCapture();
    EXPECT_EQ(master->GiveNextQuest(0), "Second");
    EXPECT_EQ(master->NextQuest(0), master->quests[2]);
    // Quests of other floors are given on their floor only.
    EXPECT_EQ(master->NextQuest(1), master->quests[1]);
    EXPECT_EQ(master->NextQuest(7), master->quests[3]);
    stopCapture();
}

TEST_F(QuestGiving, FloorWithoutOpenQuestsHasNoWork) {
    master->quests[0]->completed = 1;
    master->quests[2]->completed = 1;
    for (int floor : {0, 2, 5}) {
        startCapture();
        EXPECT_EQ(master->GiveNextQuest(floor), "I have no work for you on this floor!");
        EXPECT_EQ(master->NextQuest(floor), nullptr);
        EXPECT_EQ(linesOf(stopCapture()),
                  Lines({"made quest request", "could not find any quests", "made quest request"}));
    }
}

// The check at the end of every step of the player.
struct ArrivalCase {
    const char* what;
    int floor, x, y; // where the player stands after the step
    int rewardKey;
    bool solved;
    int gold, keys; // afterwards, from 100 gold and 0 keys
};

void PrintTo(const ArrivalCase& c, std::ostream* os) {
    *os << c.what;
}

class QuestArrival : public ::testing::TestWithParam<ArrivalCase> {};

TEST_P(QuestArrival, SolvesOnlyOnTheQuestTileOfItsFloor) {
    const ArrivalCase& c = GetParam();
    Quest target = makeQuest(7, 9, 2, "Find the well", c.rewardKey);
    Player player;
    player.gold = 100;
    player.currentQuest = &target;
    player.floor = c.floor;
    player.posX = c.x;
    player.posY = c.y;
    startCapture();
    EXPECT_EQ(player.checkQuestArrival(), c.solved);
    std::string output = stopCapture();
    EXPECT_EQ(output, c.solved ? "Quest Find the well completed\n" : "");
    EXPECT_EQ(player.gold, c.gold);
    EXPECT_EQ(player.keys, c.keys);
    EXPECT_EQ(target.completed, c.solved ? 1 : 0);
    EXPECT_EQ(player.currentQuest, c.solved ? nullptr : &target);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, QuestArrival,
    ::testing::Values(ArrivalCase{"OnTheTileWithoutKey", 2, 7, 9, 0, true, 140, 0},
                      ArrivalCase{"OnTheTileWithKey", 2, 7, 9, 1, true, 140, 1},
                      ArrivalCase{"OtherFloor", 1, 7, 9, 1, false, 100, 0},
                      ArrivalCase{"OtherColumn", 2, 8, 9, 1, false, 100, 0},
                      ArrivalCase{"OtherRow", 2, 7, 8, 1, false, 100, 0}),
    [](const ::testing::TestParamInfo<ArrivalCase>& info) { return std::string(info.param.what); });

} // namespace
