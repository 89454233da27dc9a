// The NPC file loader with the two characters every floor gets, the clean-up
// of the list, and the defaults of the character records.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/harness.h"

namespace {

typedef std::vector<std::string> Lines;

// One 10-line record: hp, max hp, mp, max mp, hostile, name, dialogue, x, y,
// character.
Lines npcLines(const std::string& name, const std::string& x, const std::string& y,
               const std::string& character = "3", const std::string& hostile = "0") {
    return {"30", "31", "5", "6", hostile, name, "Hello there", x, y, character};
}

std::string file(const std::vector<Lines>& records, const char* end = "\n") {
    std::string text;
    for (const Lines& record : records)
        for (const std::string& line : record)
            text += line + end;
    return text;
}

// Every field of a character in one line, so a table row compares them all.
std::string fields(const NPC& n) {
    return std::to_string(n.hp) + "/" + std::to_string(n.maxHp) + " " + std::to_string(n.mp) + "/" +
           std::to_string(n.maxMp) + " h" + std::to_string(n.hostile) + " " + n.name + ": " +
           n.dialogue + " (" + std::to_string(n.posX) + "," + std::to_string(n.posY) + ") c" +
           std::to_string(n.character) + " d" + std::to_string(n.heading) + " q" +
           std::to_string(n.isQuestGiver) + " s" + std::to_string(n.isShopKeeper);
}

// A loaded record as fields() shows it (loaded characters face down).
std::string npc(const std::string& name, int x, int y, int character = 3, int hostile = 0) {
    return "30/31 5/6 h" + std::to_string(hostile) + " " + name + ": Hello there (" +
           std::to_string(x) + "," + std::to_string(y) + ") c" + std::to_string(character) +
           " d2 q0 s0";
}

class Npcs : public GameTest {};

TEST_F(Npcs, FileAddsItsRecordsAfterTheSpawnedPairAndPrintsHowItEnded) {
    const char* const nullNpc = "Panic mode: Null NPC probably received";
    const char* const atEof = "EOF detected. Returning..";
    const std::vector<Lines> two = {npcLines("Guard", "10", "11"),
                                    npcLines("Rat", "14", "15", "7", "1")};
    const Lines twoNpcs = {npc("Guard", 10, 11), npc("Rat", 14, 15, 7, 1)};
    const std::string twoCrlf = file(two, "\r\n");
    struct {
        std::string contents;
        const char* lastLine; // what the load ends with on standard output
        Lines expected;       // the records added after the two spawned ones
    } cases[] = {
        {"", nullNpc, {}},
        {file(two), nullNpc, twoNpcs},
        {twoCrlf.substr(0, twoCrlf.size() - 2), atEof, twoNpcs},
        {file({two[0], npcLines("Ghost", "0", "0"), two[1]}), nullNpc, {twoNpcs[0]}},
        {file({npcLines("A", "0", "7")}), nullNpc, {npc("A", 0, 7)}},
        // Hostile is one above zero only; numbers convert like atoi.
        {file({npcLines("A", "1", "1", "3", "2"),
               npcLines("D", "4", "4", "3", "x"),
               {"+5", "-7", " 9", "4x", "-1", "Odd", "Hm", "+8", "-9", "-1"}}),
         nullNpc,
         {npc("A", 1, 1, 3, 1), npc("D", 4, 4), "5/-7 9/4 h0 Odd: Hm (8,-9) c-1 d2 q0 s0"}},
        {file({{"30", "31", "5", "6", "0", "Cut", "Hello there", "20", "21"}}),
         atEof,
         {npc("Cut", 20, 21, 0)}},
        {file({two[0], {"30", "31", "5", "6", "0"}}), nullNpc, {twoNpcs[0]}},
        // Over-long lines keep their start and every later line reads empty.
        {file({npcLines(std::string(59, 'n'), "3", "4")}),
         nullNpc,
         {npc(std::string(59, 'n'), 3, 4)}},
        {file({two[0], npcLines(std::string(60, 'n'), "3", "4"), two[1]}), nullNpc, {twoNpcs[0]}},
        // Texts end at their first NUL byte: a foe may even have no name.
        {file({{"30", "31", "5", "6", "1", std::string("\0Bob", 4), std::string("Hi\0yo", 5), "7",
                "8", "3"}}),
         nullNpc,
         {"30/31 5/6 h1 : Hi (7,8) c3 d2 q0 s0"}},
        {file({npcLines("Far", "1000", "4"), two[1]}),
         nullNpc,
         {"30/31 5/6 h0 Far: Hello there (100,0) c0 d2 q0 s0"}},
    };
    start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.contents.substr(0, 60));
        tree.write("data/npcs1.qor", c.contents);
        game->clearNPCs();
        startCapture();
        game->loadNPCs("data/npcs1.qor");
        EXPECT_EQ(linesOf(stopCapture()), Lines({"Opening file", "Opened file", c.lastLine}));
        Lines got;
        for (const NPC* n : game->npcs)
            got.push_back(fields(*n));
        ASSERT_GE(got.size(), 2u);
        EXPECT_EQ(Lines(got.begin() + 2, got.end()), c.expected);
    }
}

TEST_F(Npcs, EveryFloorChangeRecreatesThePairAtTheirCells) {
    tree.write("data/npcs2.qor", file({npcLines("Guard", "10", "11")}));
    start();
    game->npcs.front()->posX = 40; // moved by a spell
    game->fightEnemy = game->npcs.back();
    game->clearNPCs();
    EXPECT_TRUE(game->npcs.empty());
    EXPECT_EQ(game->fightEnemy, nullptr);
    startCapture();
    game->loadNPCs("data/npcs2.qor");
    stopCapture();
    Lines got;
    for (const NPC* n : game->npcs)
        got.push_back(fields(*n));
    EXPECT_EQ(got, Lines({"20/20 0/0 h0 Mr. Questy: MR. QUESTY ERRORED (2,2) c2 d2 q1 s0",
                          "20/20 0/0 h0 Mr. Shoppy: Welcome to my shop! (5,2) c8 d2 q0 s1",
                          npc("Guard", 10, 11)}));
    EXPECT_EXIT(game->loadNPCs("data/npcs4.qor"), ::testing::ExitedWithCode(1),
                "^NPC file data/npcs4\\.qor missing\n$");
}

TEST(CharacterRecords, NewRecordsHaveTheirDefaults) {
    EXPECT_EQ(fields(NPC()), "20/20 0/0 h0 Mr. Spunky: Munt!!!! (0,0) c1 d0 q0 s0");
    for (unsigned seed = 1; seed <= 20; seed++) {
        srand(seed);
        int heading = rand() % 3; // the start heading is the next rand() % 3
        srand(seed);
        Player p;
        ASSERT_EQ(p.heading, heading) << "seed " << seed;
    }
    Player p;
    p.heading = 0;
    EXPECT_EQ(fields(p),
              "60/60 50/50 h0 Player: This Shouldn't Happen, I'm The Player (25,19) c0 d0 q0 s0");
    EXPECT_EQ(p.currentQuest, nullptr);
    int numbers[] = {p.floor,  p.gold,     p.keys,    p.exp,         p.weaponMod,
                     p.armour, p.strength, p.agility, p.healPotions, p.manaPotions};
    EXPECT_EQ(std::vector<int>(numbers, numbers + 10),
              std::vector<int>({0, 0, 0, 1, 1, 1, 1, 1, 2, 0}));
    EXPECT_EQ(std::vector<int>(p.spellKnown, p.spellKnown + SPELL_COUNT),
              std::vector<int>(SPELL_COUNT, 1));
    EXPECT_TRUE(p.inventory.empty());
}

} // namespace
