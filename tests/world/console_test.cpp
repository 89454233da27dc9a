// The developer console: the prompt, exact command words, the questions, every
// command's output and effect, and the end of input.
#include <climits>
#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

#include "support/harness.h"

namespace {

const std::string PROMPT = "matrix-admin: ";
const std::string LEAVING = PROMPT + "Exiting...\n";
const std::string SHOP =
    PROMPT + "Shop mode enabled. When you exit here, the console will start again\n";

class ConsoleTest : public GameTest {
  protected:
    void TearDown() override {
        if (!freopen("/dev/null", "r", stdin))
            perror("freopen");
        std::cin.clear();
        GameTest::TearDown();
    }
    // Makes `input` the whole of standard input.
    void typeIn(const std::string& input) {
        tree.write("stdin.txt", input);
        ASSERT_TRUE(freopen(tree.path("stdin.txt").c_str(), "r", stdin));
        std::cin.clear();
    }
    // Runs the console on what is left of the input; returns what it wrote.
    std::string console() {
        startCapture();
        game->ConsoleLoop();
        return stopCapture();
    }
    std::string console(const std::string& input) {
        typeIn(input);
        return console();
    }
};

TEST_F(ConsoleTest, HelpListsTheCommandsInSevenLinesWithTabs) {
    start();
    EXPECT_EQ(console("help\nexit\n"), PROMPT +
                                           "Commands:\n"
                                           "exit\tmem\thelp\n"
                                           "tport\taddgold\taddkeys\n"
                                           "unlock\trelock\theal\n"
                                           "stats\taddheal\tdie\n"
                                           "clearnpc hack\tshop\n"
                                           "colours\n" +
                                           LEAVING);
}

TEST_F(ConsoleTest, OnlyTheExactWordIsACommand) {
    start();
    for (const std::string& word :
         {std::string("Exit"), std::string("exitt"), std::string("ex"), std::string(100000, 'e')}) {
        SCOPED_TRACE(word.substr(0, 20));
        EXPECT_EQ(console(word + "\nexit\n"), PROMPT + "Bad command\n" + LEAVING);
    }
}

TEST_F(ConsoleTest, WordsSplitAtAnyWhiteSpaceAndSilentCommandsPromptAgain) {
    start();
    game->player.hp = 3;
    game->player.maxHp = 90;
    game->player.keys = 0;
    game->player.healPotions = 2;
    EXPECT_EQ(console("  \t\n hack\t\theal \r\n colours addkeys addheal exit hack"),
              PROMPT + "qor's hack mode enabled\n" + PROMPT +
                  "Healed, type 'exit' to return to game\n" + PROMPT + PROMPT + PROMPT + LEAVING);
    EXPECT_EQ(game->player.hp, 90);
    EXPECT_EQ(game->player.keys, 1);
    EXPECT_EQ(game->player.healPotions, 3);
    // Exit leaves the rest of the input for the next visit.
    EXPECT_EQ(console(), PROMPT + "qor's hack mode enabled\n" + LEAVING);
    game->player.keys = INT_MAX;
    game->player.healPotions = INT_MAX;
    console("addkeys addheal");
    EXPECT_EQ(game->player.keys, INT_MAX); // the counts stop at the top
    EXPECT_EQ(game->player.healPotions, INT_MAX);
}

TEST_F(ConsoleTest, MemCountsTheLoadedDataAndClearnpcDeletesEveryCharacterSilently) {
    tree.write("data/npcs.qor", "30\n30\n0\n0\n1\nGuard\nHalt!\n5\n6\n3\n");
    tree.write("data/quests.qor", "10\n10\n0\nGo there\n0\n20\n20\n0\nAnd there\n1\n");
    tree.write("data/shopdata.qor", "10\n0\n2\nDagger\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n");
    start();
    ASSERT_EQ(game->npcs.size(), 3u);
    EXPECT_EQ(console("mem clearnpc mem exit"),
              PROMPT + "Memory dump:\n# Characters: 3\n# Quests: 2\n# Items: 1\n" + PROMPT +
                  PROMPT + "Memory dump:\n# Characters: 0\n# Quests: 2\n# Items: 1\n" + LEAVING);
    EXPECT_TRUE(game->npcs.empty());
}

TEST_F(ConsoleTest, TportAsksForBothNumbersAndConvertsThemLikeAtoi) {
    start();
    struct Case {
        const char* answers;
        int x, y;
    };
    const Case cases[] = {
        {"+7 12abc", 7, 12},
        {"99999999999 -99999999999", INT_MAX, INT_MIN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answers);
        EXPECT_EQ(console(std::string("tport ") + c.answers + " exit"),
                  PROMPT + "x:y:Teleported. Type 'exit' to return to game\n" + LEAVING);
        EXPECT_EQ(game->player.posX, c.x);
        EXPECT_EQ(game->player.posY, c.y);
    }
}

TEST_F(ConsoleTest, AddgoldAddsAnyNumberSilentlyAndStopsAtThePursesLimits) {
    start();
    struct Case {
        int before;
        const char* answer;
        int after;
    };
    const Case cases[] = {
        {100, "-50", 50},
        {INT_MAX - 5, "10", INT_MAX},
        {INT_MIN + 5, "-10", INT_MIN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        game->player.gold = c.before;
        EXPECT_EQ(console(std::string("addgold\n") + c.answer + "\nexit\n"),
                  PROMPT + "how much:" + LEAVING);
        EXPECT_EQ(game->player.gold, c.after);
    }
}

TEST_F(ConsoleTest, UnlockOpensEveryLockedDoorAndRelockClosesEveryOpenOne) {
    start();
    game->map.cells[0][0] = '7';
    game->map.cells[99][99] = '7';
    game->map.cells[10][10] = '2'; // an open door of the map itself
    EXPECT_EQ(console("unlock relock relock exit"),
              PROMPT + "Unlocked 2 doors. Type 'exit' to return to game\n" + PROMPT +
                  "Locked 3 doors. Type 'exit' to return to game\n" + PROMPT +
                  "Locked 0 doors. Type 'exit' to return to game\n" + LEAVING);
    EXPECT_EQ(game->map.cells[99][99], '7');
    EXPECT_EQ(game->map.cells[10][10], '7');
    EXPECT_EQ(game->map.cells[5][5], '3');
}

TEST_F(ConsoleTest, StatsOnAFreshGameShowTheStartingHero) {
    start();
    const Player& p = game->player;
    EXPECT_EQ(console("stats exit"),
              PROMPT + "Player:\n---\nHP: 60/60\nMP: 50/50\nStrength: " +
                  std::to_string(p.strength) + " Agility: " + std::to_string(p.agility) +
                  " Weapon Modifier: " + std::to_string(p.weaponMod) +
                  "\nHealing Potions: " + std::to_string(p.healPotions) +
                  "\nGold: 100000\nKeys: " + std::to_string(p.keys) + "\nFloor: 0\n" + LEAVING);
}

TEST_F(ConsoleTest, ShopOnAnEmptyShopSaysSo) {
    start();
    EXPECT_EQ(console("shop exit"), SHOP + "Shop is empty!?!\n" + LEAVING);
}

TEST_F(ConsoleTest, DieEndsTheProcessWithStatusZeroAndNothingAfterIt) {
    start();
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

TEST_F(ConsoleTest, TheEndOfInputLeavesLikeExitEvenInAQuestion) {
    start();
    EXPECT_EQ(console(""), LEAVING);
    // A question left unanswered drops its command.
    game->player.posX = 40;
    game->player.posY = 41;
    EXPECT_EQ(console("tport 5"), PROMPT + "x:y:Exiting...\n");
    EXPECT_EQ(game->player.posX, 40);
    EXPECT_EQ(game->player.posY, 41);
    game->player.gold = 10;
    EXPECT_EQ(console("addgold"), PROMPT + "how much:Exiting...\n");
    EXPECT_EQ(game->player.gold, 10);
}

} // namespace
