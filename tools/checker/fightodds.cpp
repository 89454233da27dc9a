// Fight odds: the game's duel played many times with its own dice and
// numbers, to tell an author whether a hostile character can be beaten.
#include <cstdint>

#include "checker.h"

namespace {

// The game rolls rand() % 20; a small generator of our own keeps the odds the
// same on every run and leaves the caller's rand() sequence alone.
class Dice {
  public:
    explicit Dice(uint32_t seed) : state(seed ? seed : 1) {}
    int roll() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (int)(state % 20);
    }

  private:
    uint32_t state;
};

// The fight numbers of the game.
const int POTION_HEAL = 15;
const int HAND_OF_DEATH_COST = 25;
const int HAND_OF_DEATH_BASE = 30;
const int MESSIAH_COST = 10;
const int LEVEL_HP = 25;
const int LEVEL_MP = 10;
const int ENEMY_MAX_DAMAGE = 19;
const int TURN_LIMIT = 5000;

bool fightOnce(const Hero& hero, int enemyHp, Dice& dice) {
    int hp = hero.maxHp, mp = hero.maxMp, potions = hero.healPotions;
    for (int turn = 0; turn < TURN_LIMIT; turn++) {
        if (enemyHp <= 0)
            return true;
        // The player's turn: a potion when the next blow could kill, the
        // strongest spell while the Messiah's magic stays in reserve, else the blade.
        if (hp <= ENEMY_MAX_DAMAGE && potions > 0) {
            potions--;
            hp = hp + POTION_HEAL > hero.maxHp ? hero.maxHp : hp + POTION_HEAL;
        } else if (mp >= HAND_OF_DEATH_COST + MESSIAH_COST) {
            mp -= HAND_OF_DEATH_COST;
            enemyHp -= dice.roll() + HAND_OF_DEATH_BASE;
        } else {
            int attack = dice.roll() + hero.weaponMod + 2;
            if (attack > dice.roll())
                enemyHp -= dice.roll() + 1;
        }
        if (enemyHp <= 0)
            return true;
        // The enemy's turn.
        int blow = dice.roll();
        if (blow > hero.armour + dice.roll()) {
            hp -= dice.roll();
            if (hp <= 0) {
                if (mp < MESSIAH_COST)
                    return false;
                mp -= MESSIAH_COST;
                hp = hero.maxHp;
            }
        }
    }
    return false;
}

Hero equipped(Hero hero, const Item* blade, const Item* armour) {
    if (blade)
        hero.weaponMod = blade->weaponMod;
    if (armour)
        hero.armour = armour->armourClass;
    return hero;
}

} // namespace

Hero heroAfter(int victories) {
    // Experience starts at 1 and a level comes with every third point.
    int level = (1 + victories) / 3;
    return Hero{60 + LEVEL_HP * level, 50 + LEVEL_MP * level, 1, 1, 2};
}

double winChance(const Hero& hero, int enemyHp, int trials) {
    Dice dice(2166136261u ^ (uint32_t)enemyHp);
    int wins = 0;
    for (int i = 0; i < trials; i++)
        wins += fightOnce(hero, enemyHp, dice) ? 1 : 0;
    return trials > 0 ? (double)wins / trials : 0.0;
}

double bestWinChance(const std::vector<PlacedItem>& shop, Hero hero, int enemyHp, Hero* bestHero) {
    // A bought healing potion is only a potion, whatever else the record says.
    std::vector<const Item*> blades{NULL}, armours{NULL};
    for (const PlacedItem& placed : shop) {
        if (placed.item.weaponMod > 0 && !placed.item.isHealingPotion)
            blades.push_back(&placed.item);
        if (placed.item.armourClass > 0)
            armours.push_back(&placed.item);
    }
    double best = -1;
    for (const Item* blade : blades) {
        for (const Item* armour : armours) {
            int price = (blade ? blade->price : 0) + (armour ? armour->price : 0);
            if (price > START_GOLD)
                continue;
            Hero kit = equipped(hero, blade, armour);
            double chance = winChance(kit, enemyHp);
            if (chance > best) {
                best = chance;
                if (bestHero)
                    *bestHero = kit;
            }
            if (best >= 1.0)
                return best; // nothing beats a sure win
        }
    }
    return best;
}
