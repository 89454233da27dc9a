// Fight odds: the game's duel played many times with its own dice and
// numbers, to tell an author whether a hostile character can be beaten.
#include <algorithm>
#include <cstdint>

#include "checker.h"
#include "core/clamp.h"

namespace {

// The game rolls rand() % DIE_SIDES; a small generator of our own keeps the odds the
// same on every run and leaves the caller's rand() sequence alone.
class Dice {
  public:
    explicit Dice(uint32_t seed) : state(seed ? seed : 1) {}
    int roll() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (int)(state % DIE_SIDES);
    }

  private:
    uint32_t state;
};

// The enemy's blow is a bare die.
const int ENEMY_MAX_DAMAGE = DIE_SIDES - 1;
const int TURN_LIMIT = 5000;

// One fight; `turns` gets the number of the player's turns it lasted.
bool fightOnce(const Hero& hero, int enemyHp, Dice& dice, int* turns) {
    int hp = hero.maxHp, mp = hero.maxMp, potions = hero.healPotions;
    for (int turn = 0; turn < TURN_LIMIT; turn++) {
        *turns = turn;
        if (enemyHp <= 0)
            return true;
        *turns = turn + 1;
        // The player's turn: a potion when the next blow could kill, the
        // strongest spell while the Messiah's magic stays in reserve, else the blade.
        if (hp <= ENEMY_MAX_DAMAGE && potions > 0) {
            potions--;
            hp = addUpTo(hp, POTION_POINTS, hero.maxHp);
        } else if (mp >= HAND_OF_DEATH.cost + MESSIAH.need) {
            mp -= HAND_OF_DEATH.cost;
            enemyHp -= dice.roll() + HAND_OF_DEATH.base;
        } else {
            int attack = dice.roll() + hero.weaponMod + BLADE_BONUS;
            if (attack > dice.roll())
                enemyHp -= dice.roll() + BLADE_BASE;
        }
        if (enemyHp <= 0)
            return true;
        // The enemy's turn.
        int blow = dice.roll();
        if (blow > hero.armour + dice.roll()) {
            hp -= dice.roll();
            if (hp <= 0) {
                if (mp < MESSIAH.need)
                    return false;
                mp -= MESSIAH.cost;
                hp = hero.maxHp;
            }
        }
    }
    return false;
}

} // namespace

Hero heroAfter(int victories) {
    // Experience starts at 1 and a level comes with every third point.
    int level = (1 + victories) / EXP_PER_LEVEL;
    return Hero{START_HP + HP_PER_LEVEL * level, START_MP + MP_PER_LEVEL * level, START_WEAPON_MOD,
                START_ARMOUR, START_HEAL_POTIONS};
}

double winChance(const Hero& hero, int enemyHp, int trials) {
    Dice dice(2166136261u ^ (uint32_t)enemyHp);
    int wins = 0, turns = 0;
    for (int i = 0; i < trials; i++)
        wins += fightOnce(hero, enemyHp, dice, &turns) ? 1 : 0;
    return trials > 0 ? (double)wins / trials : 0.0;
}

double averageTurns(const Hero& hero, int enemyHp, int trials) {
    Dice dice(2166136261u ^ (uint32_t)enemyHp);
    long long total = 0;
    for (int i = 0; i < trials; i++) {
        int turns = 0;
        fightOnce(hero, enemyHp, dice, &turns);
        total += turns;
    }
    return trials > 0 ? (double)total / trials : 0.0;
}

Hero equip(Hero hero, const std::vector<PlacedItem>& shop, const std::vector<int>& gear) {
    for (int i : gear) {
        const Item& item = shop[i].item;
        if (item.weaponMod > 0 && !item.isHealingPotion)
            hero.weaponMod = item.weaponMod;
        if (item.armourClass > 0)
            hero.armour = item.armourClass;
    }
    return hero;
}

std::vector<const PlacedNPC*> hostilesInOrder(const Campaign& campaign, std::vector<int>* floors) {
    std::vector<const PlacedNPC*> all;
    for (int n = 0; n < FLOOR_COUNT; n++) {
        std::vector<const PlacedNPC*> hostiles;
        for (const PlacedNPC& placed : campaign.floors[n].npcs)
            if (placed.npc.hostile)
                hostiles.push_back(&placed);
        std::stable_sort(
            hostiles.begin(), hostiles.end(),
            [](const PlacedNPC* a, const PlacedNPC* b) { return a->npc.hp < b->npc.hp; });
        all.insert(all.end(), hostiles.begin(), hostiles.end());
        if (floors)
            floors->resize(all.size(), n);
    }
    return all;
}

std::vector<int> chooseGear(const Campaign& campaign) {
    // A bought healing potion is only a potion, whatever else the record says.
    std::vector<int> blades{-1}, armours{-1};
    for (size_t i = 0; i < campaign.items.size(); i++) {
        const Item& item = campaign.items[i].item;
        if (item.weaponMod > 0 && !item.isHealingPotion)
            blades.push_back((int)i);
        if (item.armourClass > 0)
            armours.push_back((int)i);
    }
    std::vector<const PlacedNPC*> hostiles = hostilesInOrder(campaign, NULL);
    std::vector<int> best;
    double bestWorst = -1;
    int bestPrice = 0;
    for (int blade : blades) {
        for (int armour : armours) {
            std::vector<int> kit;
            int price = 0;
            for (int i : {blade, armour})
                if (i >= 0 && std::find(kit.begin(), kit.end(), i) == kit.end()) {
                    kit.push_back(i);
                    price += campaign.items[i].item.price;
                }
            if (price > START_GOLD)
                continue;
            double worst = 1.0;
            for (size_t v = 0; v < hostiles.size() && worst >= bestWorst; v++)
                worst = std::min(worst, winChance(equip(heroAfter((int)v), campaign.items, kit),
                                                  hostiles[v]->npc.hp));
            if (worst > bestWorst || (worst == bestWorst && price < bestPrice)) {
                best = kit;
                bestWorst = worst;
                bestPrice = price;
            }
        }
    }
    return best;
}
