// The shop file loader: the goods each shape of file gives, and the lines the
// shop prints while loading.
#include <climits>
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
            const std::string& name, const std::string& armour) {
    Lines lines = {price, icon, weapon, name};
    for (int i = 0; i < 11; i++)
        lines.push_back("0");
    lines.push_back(armour);
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
    for (int i = 0; i < added; i++) {
        lines.push_back("Loading item");
        lines.push_back("Item loaded, adding");
    }
    if (nullRecord) {
        lines.push_back("Loading item");
        lines.push_back("Item loaded, adding");
        lines.push_back("Probably a null item.");
    }
    lines.push_back("Shop initialized");
    return lines;
}

struct ShopFileCase {
    const char* what;
    std::string contents;
    Lines output;
    Lines expected;
};

void PrintTo(const ShopFileCase& c, std::ostream* os) {
    *os << c.what;
}

class ShopFile : public ::testing::TestWithParam<ShopFileCase> {
  protected:
    RecordFolder folder;
};

TEST_P(ShopFile, LoadsTheGoodsAndPrintsTheLinesOfTheTable) {
    const ShopFileCase& c = GetParam();
    folder.write("data/shopdata.qor", c.contents);
    startCapture();
    Shop shop;
    EXPECT_EQ(linesOf(stopCapture()), c.output);
    Lines got;
    for (const Item* it : shop.items)
        got.push_back(fields(*it));
    EXPECT_EQ(got, c.expected);
}

const Lines SWORD = goods("300", "4", "6", "Broadsword", "0");
const Lines MAIL = goods("500", "7", "0", "Chain mail", "5");
const Lines TWO = {item("Broadsword", 300, 4, 6, 0), item("Chain mail", 500, 7, 0, 5)};

// The scroll of scrollLines(flag): with its spell flag set, or cleared.
std::string scroll(bool teaches = true) {
    return item("Scroll of fire", 90, 10, 0, 0, "S ", teaches ? "0100000" : "0000000");
}
Lines scrollLines(const std::string& flag) {
    return {"90", "10", "0", "Scroll of fire", "0", "1", "0", flag, "0", "0", "0", "0", "0",
            "0",  "0",  "0"};
}

INSTANTIATE_TEST_SUITE_P(
    Files, ShopFile,
    ::testing::Values(
        ShopFileCase{"TwoGoodsWithFinalLineFeedEndAtANullRecord", record(SWORD) + record(MAIL),
                     shopOutput(2, true), TWO},
        ShopFileCase{"LastLineWithoutLineFeedEndsWithoutNullRecord",
                     record(SWORD) + record(MAIL).substr(0, record(MAIL).size() - 1),
                     shopOutput(2, false), TWO},
        ShopFileCase{"CrlfLoadsLikeLf", record(SWORD, "\r\n") + record(MAIL, "\r\n"),
                     shopOutput(2, true), TWO},
        ShopFileCase{"EmptyFileIsAnEmptyShop", "", shopOutput(0, true), {}},
        ShopFileCase{"FreeBladeIsAGood",
                     record(goods("0", "1", "5", "Old knife", "0")),
                     shopOutput(1, true),
                     {item("Old knife", 0, 1, 5, 0)}},
        ShopFileCase{"PriceAndWeaponZeroEndTheListEvenBeforeOtherGoods",
                     record(goods("0", "1", "0", "Nothing", "4")) + record(SWORD),
                     shopOutput(0, true),
                     {}},
        ShopFileCase{"EveryFlagLineInItsPlace",
                     record({"25", "0", "0", "Potion", "1", "0", "0", "0", "0", "0", "0", "0", "0",
                             "0", "0", "0"}) +
                         record(scrollLines("1")) +
                         record({"80", "2", "0", "Key", "0", "0", "0", "0", "0", "0", "0", "0", "0",
                                 "1", "0", "0"}) +
                         record({"30", "13", "0", "Mana", "0", "0", "0", "0", "0", "0", "0", "0",
                                 "1", "0", "1", "0"}),
                     shopOutput(4, true),
                     {item("Potion", 25, 0, 0, 0, "H "), scroll(), item("Key", 80, 2, 0, 0, "K "),
                      item("Mana", 30, 13, 0, 0, "M ", "0000001")}},
        ShopFileCase{"FlagsAreOneAboveZeroOnly",
                     record(scrollLines("17")) + record(scrollLines("-1")) +
                         record(scrollLines("x")),
                     shopOutput(3, true),
                     {scroll(), scroll(false), scroll(false)}},
        ShopFileCase{"SignsAndJunkConvertLikeAtoi",
                     record(goods(" +40", "3 icons", "-2x", "Odd", "7th")),
                     shopOutput(1, true),
                     {item("Odd", 40, 3, -2, 7)}},
        ShopFileCase{
            "NumbersBeyondAnIntStopAtItsLimits",
            record(goods("99999999999999999", "-99999999999999999", "1", "Dear", "999999999")),
            shopOutput(1, true),
            {item("Dear", INT_MAX, INT_MIN, 1, 999999999)}},
        ShopFileCase{"FileEndingInsideARecordReadsEmptyForTheRest",
                     "120\n3\n2\nDag",
                     shopOutput(1, false),
                     {item("Dag", 120, 3, 2, 0)}},
        // Over-long lines keep their start; every later line reads empty, so
        // the next record is a null record.
        ShopFileCase{"OverlongNameKeepsEighteenCharacters",
                     record(goods("70", "5", "3", "Sword of the Seven Winds", "2")) + record(MAIL),
                     shopOutput(1, true),
                     {item("Sword of the Seven", 70, 5, 3, 0)}},
        ShopFileCase{"NameOfEighteenCharactersFits",
                     record(goods("70", "5", "3", "Sword of the Seven", "2")),
                     shopOutput(1, true),
                     {item("Sword of the Seven", 70, 5, 3, 2)}},
        ShopFileCase{"OverlongPriceKeepsEighteenDigits",
                     record(goods("1234567890123456789", "5", "3", "Gold", "2")) + record(MAIL),
                     shopOutput(1, true),
                     {item("", INT_MAX, 0, 0, 0)}},
        ShopFileCase{"OverlongFlagKeepsThreeCharacters",
                     record(scrollLines("1000")) + record(MAIL),
                     shopOutput(1, true),
                     {scroll()}},
        ShopFileCase{"OverlongArmourKeepsNineCharacters",
                     record(goods("500", "7", "0", "Plate", "1234567890")) + record(MAIL),
                     shopOutput(1, true),
                     {item("Plate", 500, 7, 0, 123456789)}}),
    [](const ::testing::TestParamInfo<ShopFileCase>& info) {
        return std::string(info.param.what);
    });

TEST(ShopFileDeathTest, MissingFileEndsTheGameWithItsName) {
    // Started from a folder without data (in the child process only, which
    // ends there, so no folder of its own is left behind).
    EXPECT_EXIT(
        {
            if (chdir("/") == 0)
                Shop();
        },
        ::testing::ExitedWithCode(1), "^File data/shopdata\\.qor missing\n$");
}

} // namespace
