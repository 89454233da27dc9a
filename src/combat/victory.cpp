// Victory: the enemy is down at the start of the player's pass. The player
// gains experience (and every third point a level, with new spells at levels
// 3, 6 and 9), the beaten NPC leaves the floor and the fight ends.
#include <string>

#include "combat/spells.h"
#include "core/clamp.h"
#include "core/game.h"

// The spells that come with a level, and their announcements.
static const struct {
    int level;
    int flag;
    const char* message;
} LEVEL_SPELLS[] = {
    {SCORN_LEVEL, SPELL_SCORN_AND_ABUSE, "Learned spell: Scorn & Abuse"},
    {MESSIAH_LEVEL, SPELL_MESSIAH, "Learned spell: The Messiah"},
    {RAPTURE_LEVEL, SPELL_RAPTURE, "Learned spell: The Rapture"},
};

void CGame::Fight_Victory() {
    displayFightConsoleMessage("You got your win on!!", false);

    // A win gives experience only: no gold, items or keys.
    player.exp = addClamped(player.exp, 1);
    if (player.exp % EXP_PER_LEVEL == 0) {
        int level = player.exp / EXP_PER_LEVEL;
        std::string text = "You are now level " + std::to_string(level);
        displayFightConsoleMessage(text.c_str(), false);
        // QUIRK: a new player already knows all ten spells, so these
        // announce spells that were usable all along.
        for (const auto& spell : LEVEL_SPELLS) {
            if (spell.level != level)
                continue;
            player.spellKnown[spell.flag] = 1;
            displayFightConsoleMessage(spell.message, false);
        }
        player.maxHp = addClamped(player.maxHp, HP_PER_LEVEL);
        player.maxMp = addClamped(player.maxMp, MP_PER_LEVEL);
        player.hp = player.maxHp;
        player.mp = player.maxMp;
        displayFightConsoleMessage("Recharged mana, health", false);
    }

    // The beaten NPC leaves the floor. The list owns its NPCs, so the enemy
    // is destroyed only if it was found there; either way nothing keeps
    // pointing at it.
    size_t before = npcs.size();
    npcs.remove(fightEnemy);
    if (npcs.size() != before)
        delete fightEnemy;
    fightEnemy = NULL;

    fighting = 0;
    playerTurn = 1;
}
