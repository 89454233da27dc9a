// The developer console: the prompt, exact command words, the questions and
// their numbers, every command's output and effect, and the end of input.
#include <climits>
#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

#include "support/harness.h"

namespace {

const std::string PROMPT = "matrix-admin: ";
const std::string LEAVING = PROMPT + "Exiting...\n";

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

    // Runs the console on `input`; returns what it wrote.
    std::string console(const std::string& input) {
        typeIn(input);
        startCapture();
        game->ConsoleLoop();
        return stopCapture();
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
    const std::string words[] = {"Exit",   "exitt",  "ex", "EXIT",
                                 "colour", "helpme", "1",  std::string(100000, 'e')};
    for (const std::string& word : words) {
        SCOPED_TRACE(word.substr(0, 20));
        EXPECT_EQ(console(word + "\nexit\n"), PROMPT + "Bad command\n" + LEAVING);
    }
}

TEST_F(ConsoleTest, WordsAreSplitAtAnyWhiteSpace) {
    start();
    EXPECT_EQ(console("  \t\n hack\t\theal \r\n  exit"),
              PROMPT + "qor's hack mode enabled\n" + PROMPT +
                  "Healed, type 'exit' to return to game\n" + LEAVING);
}

TEST_F(ConsoleTest, CommandsWithoutOutputGoStraightToTheNextPrompt) {
    start();
    game->player.keys = 0;
    game->player.healPotions = 2;
    EXPECT_EQ(console("colours addkeys addkeys addheal exit\n"),
              PROMPT + PROMPT + PROMPT + PROMPT + LEAVING);
    EXPECT_EQ(game->player.keys, 2);
    EXPECT_EQ(game->player.healPotions, 3);
}

TEST_F(ConsoleTest, ClearnpcDeletesEveryCharacterOfTheFloorSilently) {
    tree.write("data/npcs.qor", "30\n30\n0\n0\n1\nGuard\nHalt!\n5\n6\n3\n");
    start();
    ASSERT_EQ(game->npcs.size(), 3u);
    EXPECT_EQ(console("clearnpc\nmem\nexit\n"), PROMPT + PROMPT +
                                                    "Memory dump:\n"
                                                    "# Characters: 0\n"
                                                    "# Quests: 0\n"
                                                    "# Items: 0\n" +
                                                    LEAVING);
    EXPECT_TRUE(game->npcs.empty());
}

TEST_F(ConsoleTest, MemCountsTheLoadedData) {
    tree.write("data/quests.qor", "10\n10\n0\nGo there\n0\n20\n20\n0\nAnd there\n1\n");
    tree.write("data/shopdata.qor", "10\n0\n2\nDagger\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n");
    start();
    std::string expected = PROMPT + "Memory dump:\n# Characters: 2\n# Quests: " +
                           std::to_string(game->questMaster->quests.size()) + "\n# Items: 1\n" +
                           LEAVING;
    EXPECT_EQ(game->questMaster->quests.size(), 2u);
    EXPECT_EQ(console("mem exit"), expected);
}

TEST_F(ConsoleTest, TportAsksForBothNumbersAndConvertsThemLikeAtoi) {
    start();
    struct Case {
        const char* answers;
        int x, y;
    };
    const Case cases[] = {
        {"10 20", 10, 20},
        {"abc -3", 0, -3},
        {"+7 12abc", 7, 12},
        {"-0 x5", 0, 0},
        {"99999999999 -99999999999", INT_MAX, INT_MIN},
        {"150 -20", 150, -20}, // no range check
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answers);
        EXPECT_EQ(console(std::string("tport ") + c.answers + " exit"),
                  PROMPT + "x:y:Teleported. Type 'exit' to return to game\n" + LEAVING);
        EXPECT_EQ(game->player.posX, c.x);
        EXPECT_EQ(game->player.posY, c.y);
    }
}

TEST_F(ConsoleTest, AddgoldAddsAnyNumberSilentlyAndTheNumberStopsAtThePursesLimits) {
    start();
    struct Case {
        int before;
        const char* answer;
        int after;
    };
    const Case cases[] = {
        {100, "-50", 50},
        {100, "25", 125},
        {100, "lots", 100},
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
    tree.writeUniformMap("data/map.qor", '3');
    start();
    for (int y = 0; y < MAP_SIZE; y++)
        for (int x = 0; x < MAP_SIZE; x++)
            game->map.cells[y][x] = '3';
    game->map.cells[0][0] = '7';
    game->map.cells[50][99] = '7';
    game->map.cells[99][99] = '7';
    game->map.cells[10][10] = '2'; // an open door of the map itself
    EXPECT_EQ(console("unlock relock relock exit"),
              PROMPT + "Unlocked 3 doors. Type 'exit' to return to game\n" + PROMPT +
                  "Locked 4 doors. Type 'exit' to return to game\n" + PROMPT +
                  "Locked 0 doors. Type 'exit' to return to game\n" + LEAVING);
    int locked = 0;
    for (int y = 0; y < MAP_SIZE; y++)
        for (int x = 0; x < MAP_SIZE; x++)
            locked += game->map.cells[y][x] == '7';
    EXPECT_EQ(locked, 4);
    EXPECT_EQ(game->map.cells[10][10], '7');
    EXPECT_EQ(game->map.cells[5][5], '3');
}

TEST_F(ConsoleTest, StatsOnAFreshGameShowTheStartingHero) {
    start();
    const Player& p = game->player;
    std::string expected =
        PROMPT + "Player:\n---\nHP: 60/60\nMP: 50/50\n" +
        "Strength: " + std::to_string(p.strength) + " Agility: " + std::to_string(p.agility) +
        " Weapon Modifier: " + std::to_string(p.weaponMod) +
        "\nHealing Potions: " + std::to_string(p.healPotions) +
        "\nGold: 100000\nKeys: " + std::to_string(p.keys) + "\nFloor: 0\n" + LEAVING;
    EXPECT_EQ(console("stats exit"), expected);
}

TEST_F(ConsoleTest, HealFillsTheHitPoints) {
    start();
    game->player.hp = 3;
    game->player.maxHp = 90;
    console("heal exit");
    EXPECT_EQ(game->player.hp, 90);
}

TEST_F(ConsoleTest, ShopOnAnEmptyShopSaysSoAndPromptsAgain) {
    start();
    EXPECT_EQ(console("shop exit"),
              PROMPT + "Shop mode enabled. When you exit here, the console will start again\n" +
                  "Shop is empty!?!\n" + LEAVING);
}

TEST_F(ConsoleTest, ShopRunsTheShopScreenUntilEscape) {
    tree.write("data/shopdata.qor", "10\n0\n2\nDagger\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n"
                                    "10\n1\n3\nSword\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n");
    start();
    pushKeyDown(SDLK_DOWN);
    pushKeyDown(SDLK_ESCAPE);
    EXPECT_EQ(console("shop exit"),
              PROMPT + "Shop mode enabled. When you exit here, the console will start again\n" +
                  "I think you're at pos 1\n" + LEAVING);
    EXPECT_EQ(game->menuCursor, 1);
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

TEST_F(ConsoleTest, TheEndOfInputLeavesLikeExitAndLeavesAtOnceNextTime) {
    start();
    EXPECT_EQ(console(""), LEAVING);
    startCapture();
    game->ConsoleLoop(); // standard input is still at its end
    EXPECT_EQ(stopCapture(), LEAVING);
    EXPECT_EQ(console("heal"), PROMPT + "Healed, type 'exit' to return to game\n" + LEAVING);
}

TEST_F(ConsoleTest, AQuestionAtTheEndOfInputReadsZeroAndTheConsoleThenLeaves) {
    start();
    EXPECT_EQ(console("tport 5"),
              PROMPT + "x:y:Teleported. Type 'exit' to return to game\n" + LEAVING);
    EXPECT_EQ(game->player.posX, 5);
    EXPECT_EQ(game->player.posY, 0);
    game->player.gold = 10;
    EXPECT_EQ(console("addgold"), PROMPT + "how much:" + LEAVING);
    EXPECT_EQ(game->player.gold, 10);
}

TEST_F(ConsoleTest, ExitLeavesTheRestOfTheInputForTheNextVisit) {
    start();
    typeIn("exit hack exit");
    startCapture();
    game->ConsoleLoop();
    EXPECT_EQ(stopCapture(), LEAVING);
    startCapture();
    game->ConsoleLoop();
    EXPECT_EQ(stopCapture(), PROMPT + "qor's hack mode enabled\n" + LEAVING);
}

} // namespace
