// The shop file loader: the goods each shape of file gives, and the lines the
// shop prints while loading.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shop/shop.h"
#include "support/harness.h"

namespace {

typedef std::vector<std::string> Lines;

// One 16-line record: price, icon, weapon, name, healing potion, scroll, the
// seven spells, key, mana potion and, last, the armour class.
std::string goods(const std::string& price, const std::string& icon, const std::string& weapon,
                  const std::string& name, const std::string& armour = "0", int flagLine = -1,
                  int flagLine2 = -1) {
    std::string text = price + "\n" + icon + "\n" + weapon + "\n" + name + "\n";
    for (int line = 4; line < 15; line++)
        text += line == flagLine || line == flagLine2 ? "1\n" : "0\n";
    return text + armour + "\n";
}

std::string fields(const Item& it) {
    std::string text = it.name + " $" + std::to_string(it.price) + " i" +
                       std::to_string(it.iconIndex) + " w" + std::to_string(it.weaponMod) + " a" +
                       std::to_string(it.armourClass) + " ";
    text += std::string(it.isHealingPotion ? "H " : "") + (it.isSpellScroll ? "S " : "") +
            (it.isKey ? "K " : "") + (it.isManaPotion ? "M " : "") + "t";
    for (int k = 0; k < SCROLL_SPELLS; k++)
        text += std::to_string(it.teachesSpell[k]);
    return text + " x" + std::to_string(it.stock);
}

TEST(ShopFile, LoadsTheGoodsUntilANullRecord) {
    const std::string sword = goods("300", "4", "6", "Broadsword"),
                      mail = goods("500", "7", "0", "Chain mail", "5");
    const Lines two = {"Broadsword $300 i4 w6 a0 t0000000 x1",
                       "Chain mail $500 i7 w0 a5 t0000000 x1"};
    struct {
        std::string contents;
        Lines expected;
    } cases[] = {
        {sword + mail, two},
        {sword + mail.substr(0, mail.size() - 1), two},
        {goods("0", "1", "5", "Old knife"), {"Old knife $0 i1 w5 a0 t0000000 x1"}},
        {goods("0", "1", "0", "Nothing", "4") + sword, {}}, // price and weapon 0 end the list
        {goods("25", "0", "0", "Potion", "0", 4) + goods("90", "10", "0", "Fire", "0", 5, 7) +
             goods("80", "2", "0", "Key", "0", 13) + goods("30", "13", "0", "Mana", "0", 14),
         {"Potion $25 i0 w0 a0 H t0000000 x1", "Fire $90 i10 w0 a0 S t0100000 x1",
          "Key $80 i2 w0 a0 K t0000000 x1", "Mana $30 i13 w0 a0 M t0000000 x1"}},
        {goods(" +40", "3 icons", "-2x", "Odd", "7th"), {"Odd $40 i3 w-2 a7 t0000000 x1"}},
        {std::string("120\n3\n2\nDa\0g", 12), {"Da $120 i3 w2 a0 t0000000 x1"}},
        // An over-long line keeps its start; every later line reads empty.
        {goods("70", "5", "3", "Sword of the Seven Winds", "2") + mail,
         {"Sword of the Seven $70 i5 w3 a0 t0000000 x1"}},
        {goods("70", "5", "3", "Sword of the Seven", "2"),
         {"Sword of the Seven $70 i5 w3 a2 t0000000 x1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.contents.substr(0, 40));
        DataTree folder;
        folder.enter();
        folder.write("data/shopdata.qor", c.contents);
        startCapture();
        Shop shop;
        Lines out = linesOf(stopCapture());
        EXPECT_EQ(out.back(), "Shop initialized");
        EXPECT_EQ(std::count(out.begin(), out.end(), "Probably a null item."),
                  c.contents.back() == '\n' ? 1 : 0);
        Lines got;
        for (const Item* it : shop.items)
            got.push_back(fields(*it));
        EXPECT_EQ(got, c.expected);
    }
}

} // namespace
