// The NPC file loader with the two characters every floor gets, and the hero
// the game starts with.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/harness.h"

namespace {

typedef std::vector<std::string> Lines;

// One record: hp, max hp, mp, max mp, hostile, name, dialogue, x, y, character.
std::string record(const std::string& name, const std::string& x, const std::string& y,
                   const std::string& hostile = "0", const std::string& character = "3") {
    return "30\n31\n5\n6\n" + hostile + "\n" + name + "\nHello there\n" + x + "\n" + y + "\n" +
           character + "\n";
}

// The fields in the order of the file, then heading, quest giver and shopkeeper.
std::string fields(const NPC& n) {
    std::string text = n.name + ": " + n.dialogue;
    for (int v : {n.hp, n.maxHp, n.mp, n.maxMp, n.hostile, n.posX, n.posY, n.character, n.heading,
                  n.isQuestGiver, n.isShopKeeper})
        text += " " + std::to_string(v);
    return text;
}

std::string npc(const std::string& name, int x, int y, int hostile = 0, int character = 3) {
    return name + ": Hello there 30 31 5 6 " + std::to_string(hostile) + " " + std::to_string(x) +
           " " + std::to_string(y) + " " + std::to_string(character) + " 2 0 0";
}

class Npcs : public GameTest {};

TEST_F(Npcs, FileAddsItsRecordsAfterTheSpawnedPair) {
    const char *nullNpc = "Panic mode: Null NPC probably received",
               *atEof = "EOF detected. Returning..";
    const std::string guard = record("Guard", "10", "11"), n60(60, 'n');
    struct {
        std::string contents;
        const char* lastLine;
        Lines expected; // after the two spawned ones
    } cases[] = {
        {"", nullNpc, {}},
        {guard + record("Rat", "14", "15", "1", "7"),
         nullNpc,
         {npc("Guard", 10, 11), npc("Rat", 14, 15, 1, 7)}},
        {guard.substr(0, guard.size() - 1), atEof, {npc("Guard", 10, 11)}},
        {"30\r\n31\r\n5\r\n6\r\n0\r\nCut\r\nHello there\r\n20\r\n21\r\n",
         atEof,
         {npc("Cut", 20, 21, 0, 0)}},
        {guard + record("Ghost", "0", "0") + guard, nullNpc, {npc("Guard", 10, 11)}}, // (0,0) ends
        {record("A", "0", "7", "2") + record("D", "4", "4", "x"),
         nullNpc,
         {npc("A", 0, 7, 1), npc("D", 4, 4)}},
        {"+5\n-7\n 9\n4x\n-1\nOdd\nHm\n+8\n-9\n-1\n",
         nullNpc,
         {"Odd: Hm 5 -7 9 4 0 8 -9 -1 2 0 0"}},
        {record(n60.substr(1), "3", "4"), nullNpc, {npc(n60.substr(1), 3, 4)}},
        {guard + record(n60, "3", "4") + guard, nullNpc, {npc("Guard", 10, 11)}},
        {std::string("30\n31\n5\n6\n1\n\0Bob\nHi\0yo\n7\n8\n3\n", 29),
         nullNpc,
         {": Hi 30 31 5 6 1 7 8 3 2 0 0"}},
        {record("Far", "1000", "4") + guard,
         nullNpc,
         {"Far: Hello there 30 31 5 6 0 100 0 0 2 0 0"}},
    };
    start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.contents.substr(0, 60));
        tree.write("data/npcs1.qor", c.contents);
        game->fightEnemy = game->npcs.back();
        game->clearNPCs();
        EXPECT_EQ(game->fightEnemy, nullptr);
        startCapture();
        game->loadNPCs("data/npcs1.qor");
        EXPECT_EQ(linesOf(stopCapture()), Lines({"Opening file", "Opened file", c.lastLine}));
        Lines got;
        for (const NPC* n : game->npcs)
            got.push_back(fields(*n));
        ASSERT_GE(got.size(), 2u);
        EXPECT_EQ(got[0], "Mr. Questy: MR. QUESTY ERRORED 20 20 0 0 0 2 2 2 2 1 0");
        EXPECT_EQ(got[1], "Mr. Shoppy: Welcome to my shop! 20 20 0 0 0 5 2 8 2 0 1");
        EXPECT_EQ(Lines(got.begin() + 2, got.end()), c.expected);
    }
}

TEST(StartingHero, HasTheStartingNumbers) {
    Player p;
    p.heading = 0; // drawn at random
    EXPECT_EQ(fields(p),
              "Player: This Shouldn't Happen, I'm The Player 60 60 50 50 0 25 19 0 0 0 0");
    std::vector<int> numbers = {p.floor,  p.gold,     p.keys,    p.exp,         p.weaponMod,
                                p.armour, p.strength, p.agility, p.healPotions, p.manaPotions};
    numbers.insert(numbers.end(), p.spellKnown, p.spellKnown + SPELL_COUNT); // all known
    EXPECT_EQ(numbers,
              std::vector<int>({0, 0, 0, 1, 1, 1, 1, 1, 2, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
}

} // namespace
