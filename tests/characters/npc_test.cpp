// The NPC file loader with the two characters every floor gets, the hero the
// game starts with, and the quest check that ends each of his steps.
#include "support/harness.h"

namespace {

class NpcTest : public GameTest {};

// The fields in the order of the file, then heading, quest giver and shopkeeper.
std::string fields(const NPC& n) {
    std::string text = n.name + ": " + n.dialogue;
    for (int v : {n.hp, n.maxHp, n.mp, n.maxMp, n.hostile, n.posX, n.posY, n.character, n.heading,
                  n.isQuestGiver, n.isShopKeeper})
        text += " " + std::to_string(v);
    return text;
}

// What npcRecord's record reads as.
std::string npc(const std::string& name, int x, int y, int hostile = 0, int character = 3) {
    return name + ": Hello. 20 20 0 0 " + std::to_string(hostile) + " " + std::to_string(x) + " " +
           std::to_string(y) + " " + std::to_string(character) + " 2 0 0";
}

TEST_F(NpcTest, NpcFileAddsItsRecordsAfterTheSpawnedPair) {
    const char* byNull = "Panic mode: Null NPC probably received";
    const char* atEof = "EOF detected. Returning..";
    const std::string guard = npcRecord("Guard", 10, 11);
    std::string guardCut = guard; // without its final line feed
    guardCut.pop_back();
    const std::string g = npc("Guard", 10, 11);
    const std::string n59(59, 'n');
    const std::string n60(60, 'n');
    const struct {
        std::string contents;
        const char* lastLine;
        Lines expected; // after the two spawned ones
    } cases[] = {
        {"", byNull, {}},
        {guard + npcRecord("Rat", 14, 15, 1, 7), byNull, {g, npc("Rat", 14, 15, 1, 7)}},
        {guardCut, atEof, {g}},
        {"20\r\n20\r\n0\r\n0\r\n0\r\nCut\r\nHello.\r\n20\r\n21\r\n",
         atEof,
         {npc("Cut", 20, 21, 0, 0)}},
        {guard + npcRecord("Ghost", 0, 0) + guard, byNull, {g}}, // (0,0) ends
        {npcRecord("A", 0, 7, 2) + "20\n20\n0\n0\nx\nD\nHello.\n4\n4\n3\n",
         byNull,
         {npc("A", 0, 7, 1), npc("D", 4, 4)}},
        {"+5\n-7\n 9\n4x\n-1\nOdd\nHm\n+8\n-9\n-1\n", byNull, {"Odd: Hm 5 -7 9 4 0 8 -9 -1 2 0 0"}},
        {npcRecord(n59, 3, 4), byNull, {npc(n59, 3, 4)}},
        {guard + npcRecord(n60, 3, 4) + guard, byNull, {g}},
        {std::string("30\n31\n5\n6\n1\n\0Bob\nHi\0yo\n7\n8\n3\n", 29),
         byNull,
         {": Hi 30 31 5 6 1 7 8 3 2 0 0"}},
        {npcRecord("Far", 1000, 4) + guard, byNull, {"Far: Hello. 20 20 0 0 0 100 0 0 2 0 0"}},
    };
    start();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.contents));
        tree.write("data/npcs1.qor", c.contents);
        game->fightEnemy = game->npcs.back();
        game->clearNPCs();
        EXPECT_EQ(game->fightEnemy, nullptr) << "clearing the NPCs leaves no enemy behind";
        startCapture();
        game->loadNPCs("data/npcs1.qor");
        EXPECT_EQ(linesOf(stopCapture()), Lines({"Opening file", "Opened file", c.lastLine}))
            << "how the file ended";
        Lines got;
        for (const NPC* n : game->npcs)
            got.push_back(fields(*n));
        ASSERT_GE(got.size(), 2u) << "the spawned pair comes first";
        EXPECT_EQ(got[0], "Mr. Questy: MR. QUESTY ERRORED 20 20 0 0 0 2 2 2 2 1 0")
            << "the quest giver is spawned first";
        EXPECT_EQ(got[1], "Mr. Shoppy: Welcome to my shop! 20 20 0 0 0 5 2 8 2 0 1")
            << "the shopkeeper is spawned second";
        EXPECT_EQ(Lines(got.begin() + 2, got.end()), c.expected) << "the file's records follow";
    }
}

TEST_F(NpcTest, TheHeroStartsWithTheStartingNumbers) {
    start();
    Player& p = game->player;
    p.heading = 0; // drawn at random
    EXPECT_EQ(fields(p),
              "Player: This Shouldn't Happen, I'm The Player 60 60 50 50 0 25 19 0 0 0 0")
        << "the hero's record fields";
    std::vector<int> numbers = {p.floor,  p.gold,     p.keys,    p.exp,         p.weaponMod,
                                p.armour, p.strength, p.agility, p.healPotions, p.manaPotions};
    numbers.insert(numbers.end(), p.spellKnown, p.spellKnown + SPELL_COUNT); // all known
    EXPECT_EQ(numbers,
              std::vector<int>({0, 100000, 0, 1, 1, 1, 1, 1, 2, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}))
        << "floor, purse, keys, experience, blade, armour, strength, agility, potions, spells";
}

// The quest tile (7, 9) on floor 2, then a step off it in floor, x and y.
TEST_F(NpcTest, QuestArrivalSolvesOnlyOnTheQuestTileOfItsFloor) {
    const int places[][3] = {{2, 7, 9}, {1, 7, 9}, {2, 8, 9}, {2, 7, 8}};
    for (int rewardKey : {0, 1})
        for (const auto& at : places) {
            bool solved = &at == &places[0];
            std::unique_ptr<Quest> target(new Quest());
            target->posX = 7;
            target->posY = 9;
            target->floor = 2;
            target->rewardKey = rewardKey;
            target->text = "Find the well";
            Player player;
            player.gold = 100;
            player.currentQuest = target.get();
            player.floor = at[0];
            player.posX = at[1];
            player.posY = at[2];
            startCapture();
            SCOPED_TRACE("floor " + std::to_string(at[0]) + " at " + std::to_string(at[1]) + ", " +
                         std::to_string(at[2]) + ", reward key " + std::to_string(rewardKey));
            EXPECT_EQ(player.checkQuestArrival(), solved) << "solved only on the quest tile";
            EXPECT_EQ(stopCapture(), solved ? "Quest Find the well completed\n" : "")
                << "a solved quest says so";
            EXPECT_EQ(player.gold, solved ? 140 : 100) << "a solved quest pays its gold";
            EXPECT_EQ(player.keys, solved ? rewardKey : 0) << "a solved quest gives its key";
            EXPECT_EQ(target->completed, solved ? 1 : 0) << "a solved quest is completed";
            EXPECT_EQ(player.currentQuest, solved ? nullptr : target.get())
                << "a solved quest is dropped";
        }
}

} // namespace
