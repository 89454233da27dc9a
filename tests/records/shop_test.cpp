// The shop file loader: the goods each shape of file gives, and the lines the
// shop prints while loading.
#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "shop/shop.h"
#include "folder.h"
#include "support/harness.h"

namespace {

typedef std::vector<std::string> Lines;

// One 16-line record: price, icon, weapon, name, healing potion, scroll, the
// seven spells, key, mana potion and, last, the armour class.
std::string record(const Lines& lines, const char* end = "\n") {
    std::string text;
    for (const std::string& line : lines)
        text += line + end;
    return text;
}

Lines goods(const std::string& price, const std::string& icon, const std::string& weapon,
            const std::string& name, const std::string& armour, int flagLine = -1,
            const std::string& flag = "1") {
    Lines lines = {price, icon, weapon, name};
    lines.resize(15, "0");
    lines.push_back(armour);
    if (flagLine >= 0)
        lines[flagLine] = flag;
    return lines;
}

// Every field of a good in one line, so a table row compares them all.
std::string fields(const Item& it) {
    std::string text = it.name + " $" + std::to_string(it.price) + " i" +
                       std::to_string(it.iconIndex) + " w" + std::to_string(it.weaponMod) + " a" +
                       std::to_string(it.armourClass) + " ";
    text += std::string(it.isHealingPotion ? "H " : "") + (it.isSpellScroll ? "S " : "") +
            (it.isKey ? "K " : "") + (it.isManaPotion ? "M " : "") + "t";
    for (int k = 0; k < SCROLL_SPELLS; k++)
        text += std::to_string(it.teachesSpell[k]);
    return text + " x" + std::to_string(it.stock); // the stock is never read from the file
}

std::string item(const std::string& name, int price, int icon, int weapon, int armour,
                 const std::string& flags = "", const std::string& spells = "0000000") {
    return name + " $" + std::to_string(price) + " i" + std::to_string(icon) + " w" +
           std::to_string(weapon) + " a" + std::to_string(armour) + " " + flags + "t" + spells +
           " x1";
}

// What the shop prints for `added` goods, then a null record or the end of the file.
Lines shopOutput(int added, bool nullRecord) {
    Lines lines = {"Loading shop..."};
    for (int i = 0; i < added + nullRecord; i++) {
        lines.push_back("Loading item");
        lines.push_back("Item loaded, adding");
    }
    if (nullRecord)
        lines.push_back("Probably a null item.");
    lines.push_back("Shop initialized");
    return lines;
}

TEST(ShopFile, LoadsTheGoodsAndPrintsTheLinesOfTheTable) {
    const std::string sword = record(goods("300", "4", "6", "Broadsword", "0"));
    const std::string mail = record(goods("500", "7", "0", "Chain mail", "5"));
    Lines fire = goods("90", "10", "0", "Fire", "0", 5);
    fire[7] = "1"; // the second of the seven spells
    const Lines two = {item("Broadsword", 300, 4, 6, 0), item("Chain mail", 500, 7, 0, 5)};
    struct {
        std::string contents;
        Lines output, expected;
    } cases[] = {
        {sword + mail, shopOutput(2, true), two},
        {sword + mail.substr(0, mail.size() - 1), shopOutput(2, false), two},
        {"", shopOutput(0, true), {}},
        {record(goods("0", "1", "5", "Old knife", "0")),
         shopOutput(1, true),
         {item("Old knife", 0, 1, 5, 0)}},
        // Price and weapon 0 end the list, even before other goods.
        {record(goods("0", "1", "0", "Nothing", "4")) + sword, shopOutput(0, true), {}},
        {record(goods("25", "0", "0", "Potion", "0", 4)) +
             record(goods("90", "10", "0", "Scroll", "0", 5)) + record(fire) +
             record(goods("80", "2", "0", "Key", "0", 13)) +
             record(goods("30", "13", "0", "Mana", "0", 14)) +
             record(goods("90", "10", "0", "Minus", "0", 5, "-1")),
         shopOutput(6, true),
         {item("Potion", 25, 0, 0, 0, "H "), item("Scroll", 90, 10, 0, 0, "S "),
          item("Fire", 90, 10, 0, 0, "S ", "0100000"), item("Key", 80, 2, 0, 0, "K "),
          item("Mana", 30, 13, 0, 0, "M "), item("Minus", 90, 10, 0, 0)}},
        {record(goods(" +40", "3 icons", "-2x", "Odd", "7th")),
         shopOutput(1, true),
         {item("Odd", 40, 3, -2, 7)}},
        {"120\n3\n2\nDag", shopOutput(1, false), {item("Dag", 120, 3, 2, 0)}},
        {std::string("120\n3\n2\nDa\0g", 12), shopOutput(1, false), {item("Da", 120, 3, 2, 0)}},
        // Over-long lines keep their start; every later line reads empty, so
        // the next record is a null record.
        {record(goods("70", "5", "3", "Sword of the Seven Winds", "2")) + mail,
         shopOutput(1, true),
         {item("Sword of the Seven", 70, 5, 3, 0)}},
        {record(goods("70", "5", "3", "Sword of the Seven", "2")),
         shopOutput(1, true),
         {item("Sword of the Seven", 70, 5, 3, 2)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.contents.substr(0, 40));
        RecordFolder folder;
        folder.write("data/shopdata.qor", c.contents);
        startCapture();
        Shop shop;
        EXPECT_EQ(linesOf(stopCapture()), c.output);
        Lines got;
        for (const Item* it : shop.items)
            got.push_back(fields(*it));
        EXPECT_EQ(got, c.expected);
    }
}

TEST(ShopFileDeathTest, MissingFileEndsTheGameWithItsName) {
    // Only the child process, which ends there, leaves for a folder without data.
    EXPECT_EXIT(
        {
            if (chdir("/") == 0)
                Shop();
        },
        ::testing::ExitedWithCode(1), "^File data/shopdata\\.qor missing\n$");
}

} // namespace
