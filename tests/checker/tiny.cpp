// The tiny campaign the checker tests start from.
#include "tiny.h"

#include <cstdlib>
#include <fstream>
#include <unistd.h>

TinyCampaign::TinyCampaign() {
    for (int n = 0; n < FLOOR_COUNT; n++) {
        maps[n].assign(MAP_SIZE, std::string(MAP_SIZE, '1'));
        fill(n, 1, 1, 98, 98, '3');
        // The stairs in a nook whose mouth a weak guard holds.
        int x = stairsX(n);
        fill(n, x - 1, 49, x + 1, 51, '1');
        set(n, x, 50, '6');
        set(n, x, 51, '3');
        npcs[n] = npcRecord(1, true, "Rat", "Squeak", x, 51, 4);
    }
    shop = itemRecord(100, 0, "Healing Potion");
}

void TinyCampaign::fill(int floor, int x0, int y0, int x1, int y1, char code) {
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++)
            set(floor, x, y, code);
}

static void writeFile(const std::string& path, const std::string& contents) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << contents;
}

void TinyCampaign::write(const std::string& dir) const {
    for (int n = 0; n < FLOOR_COUNT; n++) {
        std::string suffix = n == 0 ? std::string(".qor") : std::to_string(n) + ".qor";
        std::string map;
        for (const std::string& row : maps[n])
            map += row + "\n";
        writeFile(dir + "/map" + suffix, map);
        writeFile(dir + "/npcs" + suffix, npcs[n]);
    }
    writeFile(dir + "/quests.qor", quests);
    writeFile(dir + "/shopdata.qor", shop);
}

static std::string line(int n) {
    return std::to_string(n) + "\n";
}

std::string npcRecord(int hp, bool hostile, const std::string& name, const std::string& said, int x,
                      int y, int character) {
    return line(hp) + line(hp) + "0\n0\n" + line(hostile) + name + "\n" + said + "\n" + line(x) +
           line(y) + line(character);
}

std::string questRecord(int x, int y, int floor, const std::string& text, bool key) {
    return line(x) + line(y) + line(floor) + text + "\n" + line(key);
}

std::string itemRecord(int price, int icon, const std::string& name, int weaponMod, int armourClass,
                       bool key, int spell) {
    std::string record = std::to_string(price) + "\n" + std::to_string(icon) + "\n" +
                         std::to_string(weaponMod) + "\n" + name + "\n" +
                         (name.find("Potion") != std::string::npos ? "1" : "0") + "\n" +
                         (spell ? "1" : "0") + "\n";
    for (int k = 1; k <= 7; k++)
        record += spell == k ? "1\n" : "0\n";
    return record + (key ? "1" : "0") + "\n0\n" + std::to_string(armourClass) + "\n";
}

const Problem* findProblem(const Report& report, const std::string& words) {
    for (const Problem& p : report.problems)
        if (p.text.find(words) != std::string::npos)
            return &p;
    return NULL;
}

void CheckerTest::SetUp() {
    char templ[] = "/tmp/tessary-check-XXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    dir = templ;
}

void CheckerTest::TearDown() {
    if (system(("rm -rf '" + dir + "'").c_str()) != 0)
        ADD_FAILURE() << "could not remove " << dir;
}

Report CheckerTest::check(ClimbPlan* plan, const std::string& file, const std::string& contents) {
    tiny.write(dir);
    if (contents == "<missing>")
        unlink((dir + "/" + file).c_str());
    else if (!file.empty())
        writeFile(dir + "/" + file, contents);
    Campaign* campaign = new Campaign(); // too big for the stack
    Report report;
    loadCampaign(dir, *campaign, report);
    checkPlay(*campaign, report, plan);
    delete campaign;
    return report;
}
