// The quest file loader. Which errand the quest giver hands out is tried
// where he talks.
#include <gtest/gtest.h>

#include "characters/npc.h"
#include "characters/quest.h"
#include "support/harness.h"

namespace {

TEST(QuestTest, LoadsTheQuestsUntilANullRecordAndSaysHowTheFileEnded) {
    const std::string two = "3\n4\n0\nFind the cellar\n1\n10\n11\n1\nSee the roof\n0\n";
    std::string twoCut = two; // without its final line feed
    twoCut.pop_back();
    const std::string a39(39, 'a');
    const Lines quests = {"Find the cellar (3,4,0) key1", "See the roof (10,11,1) key0"};
    struct {
        std::string contents, lastLine;
        Lines expected;
    } cases[] = {
        {two, "invalid", quests},
        {twoCut, "pushing back on eof", quests},
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
        EXPECT_EQ(linesOf(stopCapture()).back(), c.lastLine)
            << "how the file ended: " << testing::PrintToString(c.contents);
        Lines got;
        for (const Quest* q : master.quests)
            got.push_back(q->text + " (" + std::to_string(q->posX) + "," + std::to_string(q->posY) +
                          "," + std::to_string(q->floor) + ") key" + std::to_string(q->rewardKey));
        EXPECT_EQ(got, c.expected) << "the quests read: " << testing::PrintToString(c.contents);
    }
}

} // namespace
