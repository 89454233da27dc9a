// A game in the middle of a fight with one fresh enemy, and fight passes
// played with queued keys and the scripted player for the waits.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "support/harness.h"

class FightFixture : public GameTest {
  protected:
    NPC* enemy = nullptr;

    void startFight(const std::string& name = "Goblin", int hp = 20) {
        if (!game)
            start();
        enemy = addNpc(26, 19, 1, 1, name);
        enemy->hp = hp;
        enemy->maxHp = 20;
        game->fighting = 1;
        game->fightEnemy = enemy;
        game->fightBackground = 0;
    }

    // One fight pass with `queued` keys waiting and `answers` given to its
    // waits; returns the screens of the waits. Every answer must be taken.
    const std::vector<SDL_Surface*>& pass(const std::vector<SDLKey>& queued,
                                          const std::vector<SDLKey>& answers) {
        for (SDLKey key : queued)
            pushKeyDown(key);
        scriptKeys(answers);
        game->FightLoop();
        EXPECT_EQ(endScript(), 0u) << "waits that never came";
        return shots();
    }
    bool says(size_t wait, const std::string& text, bool alert) {
        return wait < shots().size() && boxSays(game.get(), shots()[wait], text, alert);
    }

    // Seeds rand() with the first seed for which `rolls` returns true; returns it.
    unsigned seedSoThat(const std::function<bool()>& rolls) {
        for (unsigned seed = 1; seed < 100000; seed++) {
            srand(seed);
            if (rolls()) {
                srand(seed);
                return seed;
            }
        }
        ADD_FAILURE() << "no seed makes these rolls";
        return 0;
    }
};

// Attack values that settle the hit rolls whatever the dice.
const int SURE_HIT_WEAPON = 18;
const int SURE_MISS_WEAPON = -22;
const int NEVER_HIT_ARMOUR = 19;
const int ALWAYS_HIT_ARMOUR = -20;
