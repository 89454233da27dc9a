// Item records and the 16-line record of the shop file.
#include "shop/item.h"

#include "core/linereader.h"

Item::Item()
    : price(0), iconIndex(-1), weaponMod(0), armourClass(0), name("Do Not Display"),
      isHealingPotion(0), isSpellScroll(0), isKey(0), isManaPotion(0), stock(1) {
    for (int k = 0; k < SCROLL_SPELLS; k++)
        teachesSpell[k] = 0;
}

void Item::readRecord(LineReader& in) {
    price = in.readInt(ITEM_NUMBER_LIMIT);
    iconIndex = in.readInt(ITEM_NUMBER_LIMIT);
    weaponMod = in.readInt(ITEM_NUMBER_LIMIT);
    name = in.readText(ITEM_NAME_LIMIT);
    isHealingPotion = in.readFlag(ITEM_FLAG_LIMIT);
    isSpellScroll = in.readFlag(ITEM_FLAG_LIMIT);
    for (int k = 0; k < SCROLL_SPELLS; k++)
        teachesSpell[k] = in.readFlag(ITEM_FLAG_LIMIT);
    isKey = in.readFlag(ITEM_FLAG_LIMIT);
    isManaPotion = in.readFlag(ITEM_FLAG_LIMIT);
    // QUIRK: the armour class is the last line of a record, after the flags.
    armourClass = in.readInt(ITEM_ARMOUR_LIMIT);
}
