// A game in the middle of a fight with one fresh enemy, and fight passes
// played with queued keys and a scripted player for the waits.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "scripted_player.h"
#include "support/harness.h"

class FightTest : public GameTest {
  protected:
    NPC* enemy = nullptr;

    void startFight(const std::string& name = "Goblin", int hp = 20, int character = 1) {
        if (!game)
            start();
        enemy = new NPC();
        enemy->hostile = 1;
        enemy->name = name;
        enemy->hp = hp;
        enemy->maxHp = 20;
        enemy->posX = 26;
        enemy->posY = 19;
        enemy->character = character;
        game->npcs.push_back(enemy);
        game->fighting = 1;
        game->fightEnemy = enemy;
        game->fightBackground = 0;
    }

    // Runs `action` (one fight pass by default) with `keys` queued and the
    // waits answered by the script; any mismatch fails the test.
    std::vector<Seen> pass(const std::vector<SDLKey>& keys, const std::vector<Wait>& waits,
                           const std::function<void()>& action = nullptr) {
        for (SDLKey key : keys)
            pushKeyDown(key);
        scriptPlayer(game.get(), waits);
        if (action)
            action();
        else
            game->FightLoop();
        std::vector<std::string> problems;
        std::vector<Seen> seen = scriptResult(&problems);
        for (const std::string& p : problems)
            ADD_FAILURE() << p;
        return seen;
    }

    // Seeds rand() with the first seed for which `rolls` returns true.
    void seedSoThat(const std::function<bool()>& rolls) {
        for (unsigned seed = 1; seed < 100000; seed++) {
            srand(seed);
            if (rolls()) {
                srand(seed);
                return;
            }
        }
        FAIL() << "no seed makes these rolls";
    }

    void TearDown() override {
        endScript();
        GameTest::TearDown();
    }
};

// Attack values that settle the hit rolls whatever the dice.
const int SURE_HIT_WEAPON = 18;
const int SURE_MISS_WEAPON = -22;
const int NEVER_HIT_ARMOUR = 19;
const int ALWAYS_HIT_ARMOUR = -20;
