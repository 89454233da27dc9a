// The shop file loader: the goods each shape of file gives, and the lines the
// shop prints while loading.
#include <algorithm>

#include "shop/shop.h"
#include "support/harness.h"

namespace {

// The fields in the order of the file, then the stock.
std::string fields(const Item& it) {
    std::string text = it.name;
    for (int n : {it.price, it.iconIndex, it.weaponMod, it.isHealingPotion, it.isSpellScroll})
        text += " " + std::to_string(n);
    text += " ";
    for (int spell : it.teachesSpell)
        text += std::to_string(spell);
    for (int n : {it.isKey, it.isManaPotion, it.armourClass, it.stock})
        text += " " + std::to_string(n);
    return text;
}

TEST(ShopTest, LoadsTheGoodsUntilANullRecord) {
    const std::string sword = goodRecord("Broadsword", 300, 4, 6, 0);
    const std::string mail = goodRecord("Chain mail", 500, 7, 0, 5);
    std::string mailCut = mail; // without its final line feed
    mailCut.pop_back();
    const Lines two = {"Broadsword 300 4 6 0 0 0000000 0 0 0 1",
                       "Chain mail 500 7 0 0 0 0000000 0 0 5 1"};
    const struct {
        std::string contents;
        Lines expected;
    } cases[] = {
        {sword + mail, two},
        {sword + mailCut, two},
        {goodRecord("Old knife", 0, 1, 5, 0), {"Old knife 0 1 5 0 0 0000000 0 0 0 1"}},
        {goodRecord("Nothing", 0, 1, 0, 4) + sword, {}}, // price and weapon 0 end the list
        {goodRecord("Potion", 25, 0, 0, 0, "10000000000") +
             goodRecord("Fire", 90, 10, 0, 0, "01010000000") +
             goodRecord("Key", 80, 2, 0, 0, "00000000010") +
             goodRecord("Mana", 30, 13, 0, 0, "00000000001"),
         {"Potion 25 0 0 1 0 0000000 0 0 0 1", "Fire 90 10 0 0 1 0100000 0 0 0 1",
          "Key 80 2 0 0 0 0000000 1 0 0 1", "Mana 30 13 0 0 0 0000000 0 1 0 1"}},
        {" +40\n3 icons\n-2x\nOdd\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n7th\n",
         {"Odd 40 3 -2 0 0 0000000 0 0 7 1"}},
        {std::string("120\n3\n2\nDa\0g", 12), {"Da 120 3 2 0 0 0000000 0 0 0 1"}},
        // An over-long line keeps its start; every later line reads empty.
        {goodRecord("Sword of the Seven Winds", 70, 5, 3, 2) + mail,
         {"Sword of the Seven 70 5 3 0 0 0000000 0 0 0 1"}},
        {goodRecord("Sword of the Seven", 70, 5, 3, 2),
         {"Sword of the Seven 70 5 3 0 0 0000000 0 0 2 1"}},
    };
    DataTree folder;
    folder.enter();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.contents));
        folder.write("data/shopdata.qor", c.contents);
        startCapture();
        Shop shop;
        Lines out = linesOf(stopCapture());
        EXPECT_EQ(out.back(), "Shop initialized") << "the loader's last progress line";
        int nullItems = c.contents.back() == '\n' ? 1 : 0;
        EXPECT_EQ(std::count(out.begin(), out.end(), "Probably a null item."), nullItems)
            << "a file ending in a line feed ends with a null item";
        Lines got;
        for (const Item* it : shop.items)
            got.push_back(fields(*it));
        EXPECT_EQ(got, c.expected) << "the goods read";
    }
}

} // namespace
