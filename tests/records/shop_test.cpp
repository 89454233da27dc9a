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

Item item(int price, int icon, int weapon, const std::string& name, int armour) {
    Item it;
    it.price = price;
    it.iconIndex = icon;
    it.weaponMod = weapon;
    it.name = name;
    it.armourClass = armour;
    for (int k = 0; k < SCROLL_SPELLS; k++)
        it.teachesSpell[k] = 0;
    it.isHealingPotion = it.isSpellScroll = it.isKey = it.isManaPotion = 0;
    return it;
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
    std::vector<Item> expected;
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
    ASSERT_EQ(shop.items.size(), c.expected.size());
    for (size_t i = 0; i < c.expected.size(); i++) {
        SCOPED_TRACE("item " + std::to_string(i));
        const Item& got = *shop.items[i];
        const Item& want = c.expected[i];
        EXPECT_EQ(got.price, want.price);
        EXPECT_EQ(got.iconIndex, want.iconIndex);
        EXPECT_EQ(got.weaponMod, want.weaponMod);
        EXPECT_EQ(got.name, want.name);
        EXPECT_EQ(got.isHealingPotion, want.isHealingPotion);
        EXPECT_EQ(got.isSpellScroll, want.isSpellScroll);
        for (int k = 0; k < SCROLL_SPELLS; k++)
            EXPECT_EQ(got.teachesSpell[k], want.teachesSpell[k]) << "spell " << k;
        EXPECT_EQ(got.isKey, want.isKey);
        EXPECT_EQ(got.isManaPotion, want.isManaPotion);
        EXPECT_EQ(got.armourClass, want.armourClass);
        EXPECT_EQ(got.stock, 1); // never read from the file
    }
}

const Lines SWORD = goods("300", "4", "6", "Broadsword", "0");
const Lines MAIL = goods("500", "7", "0", "Chain mail", "5");

// The scroll of scrollLines(flag): with its spell flag set, or cleared.
Item scroll(bool teaches = true) {
    Item it = item(90, 10, 0, "Scroll of fire", 0);
    it.isSpellScroll = 1;
    it.teachesSpell[1] = teaches ? 1 : 0;
    return it;
}
Lines scrollLines(const std::string& flag) {
    return {"90", "10", "0", "Scroll of fire", "0", "1", "0", flag, "0", "0", "0", "0", "0",
            "0",  "0",  "0"};
}

INSTANTIATE_TEST_SUITE_P(
    Files, ShopFile,
    ::testing::Values(
        ShopFileCase{"TwoGoodsWithFinalLineFeedEndAtANullRecord",
                     record(SWORD) + record(MAIL),
                     shopOutput(2, true),
                     {item(300, 4, 6, "Broadsword", 0), item(500, 7, 0, "Chain mail", 5)}},
        ShopFileCase{"LastLineWithoutLineFeedEndsWithoutNullRecord",
                     record(SWORD) + record(MAIL).substr(0, record(MAIL).size() - 1),
                     shopOutput(2, false),
                     {item(300, 4, 6, "Broadsword", 0), item(500, 7, 0, "Chain mail", 5)}},
        ShopFileCase{"CrlfLoadsLikeLf",
                     record(SWORD, "\r\n") + record(MAIL, "\r\n"),
                     shopOutput(2, true),
                     {item(300, 4, 6, "Broadsword", 0), item(500, 7, 0, "Chain mail", 5)}},
        ShopFileCase{"EmptyFileIsAnEmptyShop", "", shopOutput(0, true), {}},
        ShopFileCase{"FreeBladeIsAGood",
                     record(goods("0", "1", "5", "Old knife", "0")),
                     shopOutput(1, true),
                     {item(0, 1, 5, "Old knife", 0)}},
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
                     {[] {
                          Item it = item(25, 0, 0, "Potion", 0);
                          it.isHealingPotion = 1;
                          return it;
                      }(),
                      scroll(),
                      [] {
                          Item it = item(80, 2, 0, "Key", 0);
                          it.isKey = 1;
                          return it;
                      }(),
                      [] {
                          Item it = item(30, 13, 0, "Mana", 0);
                          it.teachesSpell[6] = 1;
                          it.isManaPotion = 1;
                          return it;
                      }()}},
        ShopFileCase{"FlagsAreOneAboveZeroOnly",
                     record(scrollLines("2")) + record(scrollLines("17")) +
                         record(scrollLines("0")) + record(scrollLines("-1")) +
                         record(scrollLines("x")),
                     shopOutput(5, true),
                     {scroll(), scroll(), scroll(false), scroll(false), scroll(false)}},
        ShopFileCase{"IconIndexIsStoredAsRead",
                     record(goods("10", "99", "1", "A", "0")) +
                         record(goods("10", "-5", "1", "B", "0")),
                     shopOutput(2, true),
                     {item(10, 99, 1, "A", 0), item(10, -5, 1, "B", 0)}},
        ShopFileCase{"SignsAndJunkConvertLikeAtoi",
                     record(goods(" +40", "3 icons", "-2x", "Odd", "7th")),
                     shopOutput(1, true),
                     {item(40, 3, -2, "Odd", 7)}},
        ShopFileCase{
            "NumbersBeyondAnIntStopAtItsLimits",
            record(goods("99999999999999999", "-99999999999999999", "1", "Dear", "999999999")),
            shopOutput(1, true),
            {item(INT_MAX, INT_MIN, 1, "Dear", 999999999)}},
        ShopFileCase{"FileEndingInsideARecordReadsEmptyForTheRest",
                     "120\n3\n2\nDag",
                     shopOutput(1, false),
                     {item(120, 3, 2, "Dag", 0)}},
        // Over-long lines keep their start; every later line reads empty, so
        // the next record is a null record.
        ShopFileCase{"OverlongNameKeepsEighteenCharacters",
                     record(goods("70", "5", "3", "Sword of the Seven Winds", "2")) + record(MAIL),
                     shopOutput(1, true),
                     {item(70, 5, 3, "Sword of the Seven", 0)}},
        ShopFileCase{"NameOfEighteenCharactersFits",
                     record(goods("70", "5", "3", "Sword of the Seven", "2")),
                     shopOutput(1, true),
                     {item(70, 5, 3, "Sword of the Seven", 2)}},
        ShopFileCase{"OverlongPriceKeepsEighteenDigits",
                     record(goods("1234567890123456789", "5", "3", "Gold", "2")) + record(MAIL),
                     shopOutput(1, true),
                     {item(INT_MAX, 0, 0, "", 0)}},
        ShopFileCase{"OverlongFlagKeepsThreeCharacters",
                     record(scrollLines("1000")) + record(MAIL),
                     shopOutput(1, true),
                     {scroll()}},
        ShopFileCase{"OverlongArmourKeepsNineCharacters",
                     record(goods("500", "7", "0", "Plate", "1234567890")) + record(MAIL),
                     shopOutput(1, true),
                     {item(500, 7, 0, "Plate", 123456789)}}),
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
