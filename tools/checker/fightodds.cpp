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

// The dice of every fight against an enemy of `enemyHp`: the same on every run.
Dice diceFor(int enemyHp) {
    return Dice(2166136261u ^ (uint32_t)enemyHp);
}

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
            // MEND: as the game rolls it, summed wide, so that no modifier
            // wraps (a blade of INT_MAX once counted as useless).
            long long attack = dice.roll() + (long long)addClamped(hero.weaponMod, BLADE_BONUS);
            if (attack > dice.roll())
                enemyHp -= dice.roll() + BLADE_BASE;
        }
        if (enemyHp <= 0)
            return true;
        // The enemy's turn.
        int blow = dice.roll();
        if (blow > hero.armour + (long long)dice.roll()) {
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

// True when the hero wins whatever the dice: his magic pays a Hand of Death
// every turn until its least damage has killed the enemy, with the Messiah's
// reserve left, and the enemy's worst blows in between neither kill him nor
// bring him low enough for a potion. Then every trial is a win.
static bool certainWin(const Hero& hero, int enemyHp) {
    if (enemyHp <= 0)
        return true;
    long long casts = ((long long)enemyHp + HAND_OF_DEATH.base - 1) / HAND_OF_DEATH.base;
    return casts <= TURN_LIMIT && hero.maxMp >= casts * HAND_OF_DEATH.cost + MESSIAH.need &&
           hero.maxHp > casts * ENEMY_MAX_DAMAGE;
}

double simulatedWinChance(const Hero& hero, int enemyHp, int trials) {
    Dice dice = diceFor(enemyHp);
    int wins = 0, turns = 0;
    for (int i = 0; i < trials; i++)
        wins += fightOnce(hero, enemyHp, dice, &turns) ? 1 : 0;
    return trials > 0 ? (double)wins / trials : 0.0;
}

double winChance(const Hero& hero, int enemyHp, int trials) {
    if (trials > 0 && certainWin(hero, enemyHp))
        return 1.0;
    return simulatedWinChance(hero, enemyHp, trials);
}

double averageTurns(const Hero& hero, int enemyHp, int trials) {
    Dice dice = diceFor(enemyHp);
    long long total = 0;
    for (int i = 0; i < trials; i++) {
        int turns = 0;
        fightOnce(hero, enemyHp, dice, &turns);
        total += turns;
    }
    return trials > 0 ? (double)total / trials : 0.0;
}

// What a good gives the blade: a bought healing potion is only a potion,
// whatever else the record says.
static int bladeOf(const Item& item) {
    return item.isHealingPotion ? 0 : item.weaponMod;
}

Hero equip(Hero hero, const std::vector<PlacedItem>& shop, const std::vector<int>& gear) {
    for (int i : gear) {
        const Item& item = shop[i].item;
        if (bladeOf(item) > 0)
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

namespace {

// The goods of one kind worth a look, cheapest first: each better (by
// `value`, above 0) than every cheaper one. Any other is no better than a
// cheaper one, so never the better buy.
template <class Value>
std::vector<int> worthALook(const std::vector<PlacedItem>& shop, Value value) {
    std::vector<int> goods;
    for (size_t i = 0; i < shop.size(); i++)
        if (value(shop[i].item) > 0)
            goods.push_back((int)i);
    std::stable_sort(goods.begin(), goods.end(), [&](int a, int b) {
        const Item &x = shop[a].item, &y = shop[b].item;
        return x.price != y.price ? x.price < y.price : value(x) > value(y);
    });
    std::vector<int> front{-1}; // buying none of them
    for (int i : goods)
        if (front.size() == 1 || value(shop[i].item) > value(shop[front.back()].item))
            front.push_back(i);
    return front;
}

long long priceOf(const std::vector<PlacedItem>& shop, int i) {
    return i < 0 ? 0 : shop[i].item.price;
}

// Each good of `first` alone, and with the best of `second` the gold left
// pays for (both cheapest first, so the best is the dearest that fits).
void pairUp(const std::vector<PlacedItem>& shop, const std::vector<int>& first,
            const std::vector<int>& second, bool firstIsBlade,
            std::vector<std::pair<int, int>>& kits) {
    size_t fits = second.size();
    for (int i : first) {
        while (fits > 1 && priceOf(shop, i) + priceOf(shop, second[fits - 1]) > START_GOLD)
            fits--;
        if (priceOf(shop, i) > START_GOLD)
            break;
        int j = priceOf(shop, i) + priceOf(shop, second[fits - 1]) <= START_GOLD ? second[fits - 1]
                                                                                 : -1;
        kits.push_back(firstIsBlade ? std::make_pair(i, j) : std::make_pair(j, i));
        kits.push_back(firstIsBlade ? std::make_pair(i, -1) : std::make_pair(-1, i));
    }
}

} // namespace

std::vector<int> chooseGear(const Campaign& campaign) {
    const std::vector<PlacedItem>& shop = campaign.items;
    std::vector<int> blades = worthALook(shop, bladeOf);
    std::vector<int> armours = worthALook(shop, [](const Item& item) { return item.armourClass; });
    // The kits worth weighing: every blade worth a look with the best armour
    // left to pay for, and every armour with the best blade: linear in the goods.
    std::vector<std::pair<int, int>> kits;
    pairUp(shop, blades, armours, true, kits);
    pairUp(shop, armours, blades, false, kits);
    std::vector<const PlacedNPC*> hostiles = hostilesInOrder(campaign, NULL);
    std::vector<int> best;
    double bestWorst = -1;
    long long bestPrice = 0;
    for (const std::pair<int, int>& pair : kits) {
        std::vector<int> kit;
        long long price = 0;
        for (int i : {pair.first, pair.second})
            if (i >= 0 && std::find(kit.begin(), kit.end(), i) == kit.end()) {
                kit.push_back(i);
                price += priceOf(shop, i);
            }
        if (price > START_GOLD)
            continue;
        double worst = 1.0;
        for (size_t v = 0; v < hostiles.size() && worst >= bestWorst; v++)
            worst = std::min(worst,
                             winChance(equip(heroAfter((int)v), shop, kit), hostiles[v]->npc.hp));
        if (worst > bestWorst || (worst == bestWorst && price < bestPrice)) {
            best = kit;
            bestWorst = worst;
            bestPrice = price;
        }
    }
    return best;
}
