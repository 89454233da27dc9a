// The developer console: testing commands typed on the terminal's standard
// input while the game stands still. Opened from roaming with the backquote
// key; "exit" (or the end of standard input) hands play back where it stood.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/game.h"
#include "core/clamp.h"
#include "core/linereader.h"
#include "platform/platform.h"

void CGame::ConsoleLoop() {
    // Every visit may read again, even after an earlier end of input.
    reopenConsoleInput();
    for (;;) {
        fflush(stdout);
        printf("matrix-admin: ");
        fflush(stdout);
        // A word of any length is read whole; one longer than every command
        // is just a bad command.
        std::string word;
        if (!readConsoleWord(word)) {
            Console_InputEnded();
            return;
        }
        if (!Console_Command(word))
            return;
    }
}

bool CGame::Console_InputEnded() {
    // No more input: leave as "exit" does, never repeating a command.
    puts("Exiting...");
    return false;
}

bool CGame::Console_AskNumber(const char* question, int* answer) {
    printf("%s", question);
    fflush(stdout);
    std::string word;
    if (!readConsoleWord(word))
        return false;
    *answer = LineReader::toInt(word);
    return true;
}

int CGame::Console_SwapDoors(char from, char to) {
    int count = 0;
    for (int y = 0; y < MAP_SIZE; y++) {
        for (int x = 0; x < MAP_SIZE; x++) {
            if (map.cells[y][x] == from) {
                map.cells[y][x] = to;
                count++;
            }
        }
    }
    return count;
}

void CGame::Console_Stats() {
    puts("Player:");
    puts("---");
    printf("HP: %i/%i\n", player.hp, player.maxHp);
    printf("MP: %i/%i\n", player.mp, player.maxMp);
    printf("Strength: %i Agility: %i Weapon Modifier: %i\n", player.strength, player.agility,
           player.weaponMod);
    printf("Healing Potions: %i\n", player.healPotions);
    printf("Gold: %i\n", player.gold);
    printf("Keys: %i\n", player.keys);
    printf("Floor: %i\n", player.floor);
}

bool CGame::Console_Command(const std::string& word) {
    // Only the exact word counts: no prefixes, letter case included.
    if (word == "exit") {
        puts("Exiting...");
        return false;
    } else if (word == "mem") {
        puts("Memory dump:");
        printf("# Characters: %i\n", (int)npcs.size());
        printf("# Quests: %i\n", questMaster ? (int)questMaster->quests.size() : 0);
        printf("# Items: %i\n", (int)shop.items.size());
    } else if (word == "help") {
        puts("Commands:");
        puts("exit\tmem\thelp");
        puts("tport\taddgold\taddkeys");
        puts("unlock\trelock\theal");
        puts("stats\taddheal\tdie");
        puts("clearnpc hack\tshop");
        puts("colours");
    } else if (word == "clearnpc") {
        clearNPCs();
    } else if (word == "colours") {
        // Listed by "help" but does nothing.
    } else if (word == "tport") {
        // No range check: every reader of the grid checks the player's cell.
        // Input that ends before both numbers came drops the teleport.
        int x = 0, y = 0;
        if (!Console_AskNumber("x:", &x) || !Console_AskNumber("y:", &y))
            return Console_InputEnded();
        player.posX = x;
        player.posY = y;
        puts("Teleported. Type 'exit' to return to game");
    } else if (word == "addgold") {
        int amount = 0;
        if (!Console_AskNumber("how much:", &amount))
            return Console_InputEnded();
        player.gold = addClamped(player.gold, amount);
    } else if (word == "addkeys") {
        player.keys = addClamped(player.keys, 1);
    } else if (word == "shop") {
        puts("Shop mode enabled. When you exit here, the console will start again");
        shopKeeping();
    } else if (word == "hack") {
        puts("qor's hack mode enabled");
    } else if (word == "heal") {
        player.hp = player.maxHp;
        puts("Healed, type 'exit' to return to game");
    } else if (word == "die") {
        puts("You really don't want to do that, do you?");
        exit(0);
    } else if (word == "addheal") {
        player.healPotions = addClamped(player.healPotions, 1);
    } else if (word == "stats") {
        Console_Stats();
    } else if (word == "unlock") {
        printf("Unlocked %i doors. Type 'exit' to return to game\n",
               Console_SwapDoors(CELL_LOCKED_DOOR, CELL_OPEN_DOOR));
    } else if (word == "relock") {
        printf("Locked %i doors. Type 'exit' to return to game\n",
               Console_SwapDoors(CELL_OPEN_DOOR, CELL_LOCKED_DOOR));
    } else {
        puts("Bad command");
    }
    return true;
}
