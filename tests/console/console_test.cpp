// The developer console: the prompt, exact command words, the questions, every
// command's output and effect, and the end of input.
#include <climits>
#include <cstdio>
#include <unistd.h>

#include "support/harness.h"

namespace {

const std::string PROMPT = "matrix-admin: ";
const std::string LEAVING = PROMPT + "Exiting...\n";

class ConsoleTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        start();
    }
    // Runs the console on `input` (or on what is left); returns what it wrote.
    std::string console(const char* input = nullptr) {
        if (input)
            typeIn(input);
        startCapture();
        game->ConsoleLoop();
        return stopCapture();
    }
};

TEST_F(ConsoleTest, HelpListsTheCommandsAndOnlyTheExactWordIsACommand) {
    EXPECT_EQ(console("help\nexit\n"), PROMPT +
                                           "Commands:\nexit\tmem\thelp\ntport\taddgold\taddkeys\n"
                                           "unlock\trelock\theal\nstats\taddheal\tdie\n"
                                           "clearnpc hack\tshop\ncolours\n" +
                                           LEAVING);
    for (const std::string& word :
         std::vector<std::string>{"Exit", "exitt", "ex", std::string(100000, 'e')})
        EXPECT_EQ(console((word + "\nexit\n").c_str()), PROMPT + "Bad command\n" + LEAVING)
            << "only the exact word is a command";
}

TEST_F(ConsoleTest, WordsSplitAtAnyWhiteSpaceAndSilentCommandsPromptAgain) {
    Player& p = game->player;
    p.hp = 3;
    p.maxHp = 90;
    p.keys = 0;
    p.healPotions = 2;
    EXPECT_EQ(console("  \t\n hack\t\theal \r\n colours addkeys addheal exit hack"),
              PROMPT + "qor's hack mode enabled\n" + PROMPT +
                  "Healed, type 'exit' to return to game\n" + PROMPT + PROMPT + PROMPT + LEAVING);
    EXPECT_EQ(p.hp, 90) << "heal refills HP";
    EXPECT_EQ(p.keys, 1) << "addkeys adds a key";
    EXPECT_EQ(p.healPotions, 3) << "addheal adds a potion";
    EXPECT_EQ(console(), PROMPT + "qor's hack mode enabled\n" + LEAVING) << "the rest is kept";
    p.keys = INT_MAX;
    p.healPotions = INT_MAX;
    console("addkeys addheal");
    EXPECT_EQ(p.keys, INT_MAX) << "a full count of keys stays full";
    EXPECT_EQ(p.healPotions, INT_MAX) << "a full count of potions stays full";
}

TEST_F(ConsoleTest, MemCountsTheLoadedDataAndClearnpcDeletesEveryCharacterSilently) {
    tree.write("data/npcs.qor", npcRecord("Guard", 5, 6));
    tree.write("data/quests.qor",
               questRecord("Go there", 10, 10) + questRecord("And there", 20, 20));
    tree.write("data/shopdata.qor", goodRecord("Dagger", 10, 0, 2, 0));
    start();                   // again, with these files
    scriptKeys({SDLK_ESCAPE}); // leaves the shop
    EXPECT_EQ(console("mem clearnpc mem shop exit"),
              PROMPT + "Memory dump:\n# Characters: 3\n# Quests: 2\n# Items: 1\n" + PROMPT +
                  PROMPT + "Memory dump:\n# Characters: 0\n# Quests: 2\n# Items: 1\n" + PROMPT +
                  "Shop mode enabled. When you exit here, the console will start again\n" +
                  LEAVING);
    EXPECT_TRUE(game->npcs.empty()) << "clearnpc deletes every character";
    EXPECT_EQ(endScript(), 0u) << "shop opens the shop screen";
}

TEST_F(ConsoleTest, TportAndAddgoldAskForNumbersReadLikeAtoiAndStopAtTheLimits) {
    Player& p = game->player;
    EXPECT_EQ(console("tport +7 12abc exit"),
              PROMPT + "x:y:Teleported. Type 'exit' to return to game\n" + LEAVING);
    EXPECT_EQ(p.posX, 7) << "x reads like atoi";
    EXPECT_EQ(p.posY, 12) << "y reads like atoi";
    console("tport 99999999999 -99999999999 exit");
    EXPECT_EQ(p.posX, INT_MAX) << "x stops at the largest int";
    EXPECT_EQ(p.posY, INT_MIN) << "y stops at the smallest int";
    const int cases[][3] = {
        {100, -50, 50}, {INT_MAX - 5, 10, INT_MAX}, {INT_MIN + 5, -10, INT_MIN}};
    for (const auto& c : cases) {
        p.gold = c[0];
        EXPECT_EQ(console(("addgold\n" + std::to_string(c[1]) + "\nexit\n").c_str()),
                  PROMPT + "how much:" + LEAVING);
        EXPECT_EQ(p.gold, c[2]) << "addgold adds, stopping at the ends of int";
    }
}

TEST_F(ConsoleTest, UnlockOpensEveryLockedDoorAndRelockClosesEveryOpenOne) {
    game->map.cells[0][0] = '7';
    game->map.cells[99][99] = '7';
    game->map.cells[10][10] = '2'; // an open door of the map itself
    EXPECT_EQ(console("unlock relock relock exit"),
              PROMPT + "Unlocked 2 doors. Type 'exit' to return to game\n" + PROMPT +
                  "Locked 3 doors. Type 'exit' to return to game\n" + PROMPT +
                  "Locked 0 doors. Type 'exit' to return to game\n" + LEAVING);
    EXPECT_EQ(game->map.cells[10][10], '7') << "relock closes the map's own open doors too";
    EXPECT_EQ(game->map.cells[5][5], '3') << "other cells stay";
}

TEST_F(ConsoleTest, StatsShowsEachOfTheHerosNumbers) {
    Player& p = game->player;
    p.hp = 7;
    p.maxHp = 8;
    p.mp = 9;
    p.maxMp = 10;
    p.strength = 2;
    p.agility = 3;
    p.weaponMod = 4;
    p.healPotions = 5;
    p.gold = 6;
    p.keys = 11;
    p.floor = 12;
    EXPECT_EQ(console("stats exit"), PROMPT +
                                         "Player:\n---\nHP: 7/8\nMP: 9/10\nStrength: 2 "
                                         "Agility: 3 Weapon Modifier: 4\nHealing Potions: 5\n"
                                         "Gold: 6\nKeys: 11\nFloor: 12\n" +
                                         LEAVING);
}

TEST_F(ConsoleTest, DieEndsTheProcessWithStatusZeroAndNothingAfterIt) {
    typeIn("die\nstats\nexit\n");
    EXPECT_EXIT(
        {
            fflush(stdout);
            dup2(2, 1); // its line, where the check can read it
            game->ConsoleLoop();
        },
        ::testing::ExitedWithCode(0),
        "matrix-admin: You really don't want to do that, do you\\?\n$");
}

TEST_F(ConsoleTest, TheEndOfInputLeavesLikeExitAndDropsAnUnansweredCommand) {
    EXPECT_EQ(console(""), LEAVING) << "the end of input leaves like exit";
    game->player.posX = 40;
    game->player.gold = 10;
    EXPECT_EQ(console("tport 5"), PROMPT + "x:y:Exiting...\n") << "an unanswered question leaves";
    EXPECT_EQ(console("addgold"), PROMPT + "how much:Exiting...\n")
        << "an unanswered question leaves";
    EXPECT_EQ(game->player.posX, 40) << "an unanswered tport moves nobody";
    EXPECT_EQ(game->player.gold, 10) << "an unanswered addgold adds nothing";
}

} // namespace
