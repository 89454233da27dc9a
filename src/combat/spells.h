// The player's spell flags that the fight itself reads or sets (the menu's
// own spells are listed in magic.cpp). Flags 0 to 6 are the menu's keys 1 to 7.
#pragma once

// Learned on reaching level 3; the menu does not offer it.
const int SPELL_SCORN_AND_ABUSE = 7;
// Revives the dying player for its MP (rules.h); never cast from the menu.
const int SPELL_MESSIAH = 8;
// Key 9 of the menu: ends every life on the floor.
const int SPELL_RAPTURE = 9;
