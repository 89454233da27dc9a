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

std::string withoutLastLineFeed(std::string text) {
    text.pop_back();
    return text;
}

NPC npc(const std::string& name, int x, int y, int character = 3, int hostile = 0) {
    NPC n;
    n.hp = 30;
    n.maxHp = 31;
    n.mp = 5;
    n.maxMp = 6;
    n.hostile = hostile;
    n.name = name;
    n.dialogue = "Hello there";
    n.posX = x;
    n.posY = y;
    n.character = character;
    return n;
}

const Lines OPENED = {"Opening file", "Opened file"};
const char* const NULL_NPC = "Panic mode: Null NPC probably received";
const char* const AT_EOF = "EOF detected. Returning..";

struct NpcFileCase {
    const char* what;
    std::string contents;
    const char* lastLine;      // what the load ends with on standard output
    std::vector<NPC> expected; // the records added after the two spawned ones
};

void PrintTo(const NpcFileCase& c, std::ostream* os) {
    *os << c.what;
}

class NpcFile : public GameTest, public ::testing::WithParamInterface<NpcFileCase> {};

TEST_P(NpcFile, AddsTheRecordsAfterTheSpawnedPairAndPrintsHowItEnded) {
    const NpcFileCase& c = GetParam();
    tree.write("data/npcs1.qor", c.contents);
    start();
    game->clearNPCs();
    startCapture();
    game->loadNPCs("data/npcs1.qor");
    Lines expectedOutput = OPENED;
    expectedOutput.push_back(c.lastLine);
    EXPECT_EQ(linesOf(stopCapture()), expectedOutput);

    ASSERT_EQ(game->npcs.size(), c.expected.size() + 2);
    std::vector<NPC*> list(game->npcs.begin(), game->npcs.end());
    EXPECT_EQ(list[0]->name, "Mr. Questy");
    EXPECT_EQ(list[1]->name, "Mr. Shoppy");
    for (size_t i = 0; i < c.expected.size(); i++) {
        SCOPED_TRACE("record " + std::to_string(i));
        const NPC& got = *list[i + 2];
        const NPC& want = c.expected[i];
        EXPECT_EQ(got.hp, want.hp);
        EXPECT_EQ(got.maxHp, want.maxHp);
        EXPECT_EQ(got.mp, want.mp);
        EXPECT_EQ(got.maxMp, want.maxMp);
        EXPECT_EQ(got.hostile, want.hostile);
        EXPECT_EQ(got.name, want.name);
        EXPECT_EQ(got.dialogue, want.dialogue);
        EXPECT_EQ(got.posX, want.posX);
        EXPECT_EQ(got.posY, want.posY);
        EXPECT_EQ(got.character, want.character);
        EXPECT_EQ(got.heading, 2); // loaded characters face down
        EXPECT_EQ(got.isQuestGiver, 0);
        EXPECT_EQ(got.isShopKeeper, 0);
    }
}

const std::vector<Lines> THREE = {npcLines("Guard", "10", "11"), npcLines("Cook", "12", "13", "5"),
                                  npcLines("Rat", "14", "15", "7", "1")};
const std::vector<NPC> THREE_NPCS = {npc("Guard", 10, 11), npc("Cook", 12, 13, 5),
                                     npc("Rat", 14, 15, 7, 1)};

NPC emptied(NPC n, int fromLine) {
    // The values of an NPC whose lines from `fromLine` (1-based) on read empty.
    int* numbers[] = {&n.hp, &n.maxHp, &n.mp, &n.maxMp, &n.hostile};
    for (int line = fromLine; line <= 10; line++) {
        if (line <= 5)
            *numbers[line - 1] = 0;
        else if (line == 6)
            n.name = "";
        else if (line == 7)
            n.dialogue = "";
        else if (line == 8)
            n.posX = 0;
        else if (line == 9)
            n.posY = 0;
        else
            n.character = 0;
    }
    return n;
}

INSTANTIATE_TEST_SUITE_P(
    Files, NpcFile,
    ::testing::Values(
        NpcFileCase{"EmptyFileGivesOnlyTheSpawnedPair", "", NULL_NPC, {}},
        NpcFileCase{"FinalLineFeedEndsAtANullRecord", file(THREE), NULL_NPC, THREE_NPCS},
        NpcFileCase{"NoFinalLineFeedEndsAtTheEndOfTheFile", withoutLastLineFeed(file(THREE)),
                    AT_EOF, THREE_NPCS},
        NpcFileCase{"CrlfLoadsLikeLf", file(THREE, "\r\n"), NULL_NPC, THREE_NPCS},
        NpcFileCase{"CrlfWithoutFinalLineEndLoadsLikeLf",
                    withoutLastLineFeed(withoutLastLineFeed(file(THREE, "\r\n"))), AT_EOF,
                    THREE_NPCS},
        NpcFileCase{"RecordAtZeroZeroEndsTheFile",
                    file({THREE[0], npcLines("Ghost", "0", "0"), THREE[1]}),
                    NULL_NPC,
                    {THREE_NPCS[0]}},
        NpcFileCase{"RecordsAtZeroSevenAndSevenZeroAreKept",
                    file({npcLines("A", "0", "7"), npcLines("B", "7", "0")}),
                    NULL_NPC,
                    {npc("A", 0, 7), npc("B", 7, 0)}},
        NpcFileCase{"HostileIsOneAboveZeroOnly",
                    file({npcLines("A", "1", "1", "3", "2"), npcLines("B", "2", "2", "3", "0"),
                          npcLines("C", "3", "3", "3", "-1"), npcLines("D", "4", "4", "3", "x")}),
                    NULL_NPC,
                    {npc("A", 1, 1, 3, 1), npc("B", 2, 2), npc("C", 3, 3), npc("D", 4, 4)}},
        NpcFileCase{"SignsAndJunkConvertLikeAtoi",
                    file({{"+5", "-7", " 9", "4x", "1z", "Odd", "Hm", "+8", "-9", "-1"}}),
                    NULL_NPC,
                    {[] {
                        NPC n = npc("Odd", 8, -9, -1, 1);
                        n.hp = 5;
                        n.maxHp = -7;
                        n.mp = 9;
                        n.maxMp = 4;
                        n.dialogue = "Hm";
                        return n;
                    }()}},
        NpcFileCase{"CharacterNumbersOutsideTheTableAreStoredAsRead",
                    file({npcLines("A", "1", "1", "42"), npcLines("B", "2", "2", "-3")}),
                    NULL_NPC,
                    {npc("A", 1, 1, 42), npc("B", 2, 2, -3)}},
        NpcFileCase{"FileEndingAfterNineLinesAddsTheRecord",
                    file({{"30", "31", "5", "6", "0", "Cut", "Hello there", "20", "21"}}),
                    AT_EOF,
                    {npc("Cut", 20, 21, 0)}},
        NpcFileCase{"FileEndingBeforeThePositionIsANullRecord",
                    file({THREE[0], {"30", "31", "5", "6", "0"}}),
                    NULL_NPC,
                    {THREE_NPCS[0]}},
        NpcFileCase{"NameOfFiftyNineCharactersFits",
                    file({npcLines(std::string(59, 'n'), "3", "4")}),
                    NULL_NPC,
                    {npc(std::string(59, 'n'), 3, 4)}},
        // Over-long lines keep their start and every later line reads empty.
        NpcFileCase{
            "HitPointsOfFourDigitsEndTheLoadAndLoseTheRecord",
            file({THREE[0], {"1000", "31", "5", "6", "0", "Big", "Hi", "5", "5", "3"}, THREE[1]}),
            NULL_NPC,
            {THREE_NPCS[0]}},
        NpcFileCase{"NameOfSixtyCharactersLosesTheRecord",
                    file({THREE[0], npcLines(std::string(60, 'n'), "3", "4"), THREE[1]}),
                    NULL_NPC,
                    {THREE_NPCS[0]}},
        NpcFileCase{"DialogueOfSixtyCharactersLosesTheRecord",
                    file({{"1", "1", "1", "1", "0", "Chatty", std::string(60, 'd'), "3", "4", "3"},
                          THREE[1]}),
                    NULL_NPC,
                    {}},
        NpcFileCase{"OverlongColumnKeepsThreeDigitsAndEndsTheLoad",
                    file({npcLines("Far", "1000", "4"), THREE[1]}),
                    NULL_NPC,
                    {emptied(npc("Far", 100, 4), 9)}},
        NpcFileCase{"CharacterOfFourDigitsKeepsThreeAndEndsTheLoad",
                    file({npcLines("Odd", "3", "4", "1234"), THREE[1]}),
                    NULL_NPC,
                    {npc("Odd", 3, 4, 123)}}),
    [](const ::testing::TestParamInfo<NpcFileCase>& info) { return std::string(info.param.what); });

class NpcPopulation : public GameTest {};

TEST_F(NpcPopulation, SpawnedPairHasTheirOwnValues) {
    start();
    ASSERT_EQ(game->npcs.size(), 2u);
    const NPC* questy = game->npcs.front();
    const NPC* shoppy = game->npcs.back();
    EXPECT_EQ(questy->name, "Mr. Questy");
    EXPECT_EQ(questy->dialogue, "MR. QUESTY ERRORED");
    EXPECT_EQ(questy->posX, 2);
    EXPECT_EQ(questy->posY, 2);
    EXPECT_EQ(questy->isQuestGiver, 1);
    EXPECT_EQ(questy->isShopKeeper, 0);
    EXPECT_EQ(questy->character, 2);
    EXPECT_EQ(shoppy->name, "Mr. Shoppy");
    EXPECT_EQ(shoppy->dialogue, "Welcome to my shop!");
    EXPECT_EQ(shoppy->posX, 5);
    EXPECT_EQ(shoppy->posY, 2);
    EXPECT_EQ(shoppy->isQuestGiver, 0);
    EXPECT_EQ(shoppy->isShopKeeper, 1);
    EXPECT_EQ(shoppy->character, 8);
    for (const NPC* n : game->npcs) {
        EXPECT_EQ(n->heading, 2);
        EXPECT_EQ(n->hp, 20);
        EXPECT_EQ(n->maxHp, 20);
        EXPECT_EQ(n->hostile, 0);
    }
}

TEST_F(NpcPopulation, EveryFloorChangeRecreatesThePairAtTheirCells) {
    tree.write("data/npcs2.qor", file({npcLines("Guard", "10", "11")}));
    start();
    game->npcs.front()->posX = 40; // moved by a spell
    game->clearNPCs();
    startCapture();
    game->loadNPCs("data/npcs2.qor");
    stopCapture();
    ASSERT_EQ(game->npcs.size(), 3u);
    EXPECT_EQ(game->npcs.front()->posX, 2);
    EXPECT_EQ(game->npcs.front()->isQuestGiver, 1);
    EXPECT_EQ(game->npcs.back()->name, "Guard");
}

TEST_F(NpcPopulation, ClearingEmptiesTheListAndForgetsTheEnemy) {
    start();
    game->fightEnemy = game->npcs.back();
    game->clearNPCs();
    EXPECT_TRUE(game->npcs.empty());
    EXPECT_EQ(game->fightEnemy, nullptr);
}

TEST_F(NpcPopulation, MissingFileEndsTheGameWithItsName) {
    start();
    EXPECT_EXIT(game->loadNPCs("data/npcs4.qor"), ::testing::ExitedWithCode(1),
                "^NPC file data/npcs4\\.qor missing\n$");
}

TEST(CharacterRecords, NewNpcHasItsDefaults) {
    NPC n;
    EXPECT_EQ(n.name, "Mr. Spunky");
    EXPECT_EQ(n.dialogue, "Munt!!!!");
    EXPECT_EQ(n.hp, 20);
    EXPECT_EQ(n.maxHp, 20);
    EXPECT_EQ(n.mp, 0);
    EXPECT_EQ(n.maxMp, 0);
    EXPECT_EQ(n.hostile, 0);
    EXPECT_EQ(n.posX, 0);
    EXPECT_EQ(n.posY, 0);
    EXPECT_EQ(n.isQuestGiver, 0);
    EXPECT_EQ(n.isShopKeeper, 0);
    EXPECT_EQ(n.character, 1);
    EXPECT_EQ(n.heading, 0);
}

TEST(CharacterRecords, NewPlayerHasItsDefaults) {
    Player p;
    EXPECT_EQ(p.name, "Player");
    EXPECT_EQ(p.dialogue, "This Shouldn't Happen, I'm The Player");
    EXPECT_EQ(p.hp, 60);
    EXPECT_EQ(p.maxHp, 60);
    EXPECT_EQ(p.mp, 50);
    EXPECT_EQ(p.maxMp, 50);
    EXPECT_EQ(p.posX, 25);
    EXPECT_EQ(p.posY, 19);
    EXPECT_EQ(p.character, 0);
    EXPECT_EQ(p.hostile, 0);
    EXPECT_EQ(p.isQuestGiver, 0);
    EXPECT_EQ(p.isShopKeeper, 0);
    EXPECT_EQ(p.currentQuest, nullptr);
    EXPECT_EQ(p.floor, 0);
    EXPECT_EQ(p.gold, 0);
    EXPECT_EQ(p.keys, 0);
    EXPECT_EQ(p.exp, 1);
    EXPECT_EQ(p.weaponMod, 1);
    EXPECT_EQ(p.armour, 1);
    EXPECT_EQ(p.strength, 1);
    EXPECT_EQ(p.agility, 1);
    EXPECT_EQ(p.healPotions, 2);
    EXPECT_EQ(p.manaPotions, 0);
    for (int i = 0; i < SPELL_COUNT; i++)
        EXPECT_EQ(p.spellKnown[i], 1) << "spell " << i;
    EXPECT_TRUE(p.inventory.empty());
}

TEST(CharacterRecords, PlayerStartHeadingIsTheNextRandModuloThree) {
    bool seen[4] = {false, false, false, false};
    for (unsigned seed = 1; seed <= 60; seed++) {
        srand(seed);
        int expected = rand() % 3;
        srand(seed);
        Player p;
        ASSERT_EQ(p.heading, expected) << "seed " << seed;
        seen[p.heading] = true;
    }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
    EXPECT_FALSE(seen[3]); // never facing right
}

} // namespace
