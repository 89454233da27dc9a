// The content checker on large content: the shipped campaign with a shop of
// 1,000 goods (half blades, half armours, dearer as they get better), and with
// 100,000 more characters across its six floors (one in ten hostile). Each
// run reads the folder and checks it, plan and gear choice included, as
// tessary-check does; the target is a few seconds.
#include <cstdlib>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "checker.h"

namespace {

// Puts `text` before what the file holds (the file's own records end with
// the null record that ends it).
void prepend(const std::string& path, const std::string& text) {
    std::string own;
    FILE* in = fopen(path.c_str(), "rb");
    for (int c; in && (c = getc(in)) != EOF;)
        own += (char)c;
    if (in)
        fclose(in);
    FILE* out = fopen(path.c_str(), "wb");
    if (!out || fputs((text + own).c_str(), out) < 0 || fclose(out) != 0)
        abort();
}

// A copy of the shipped text data in a folder of its own, with `extraGoods`
// goods added to the shop and `extraCharacters` characters to the floors.
std::string largeCampaign(int extraGoods, int extraCharacters) {
    char folder[] = "/tmp/tessary-bench-XXXXXX";
    if (!mkdtemp(folder) || system(("cp data/*.qor " + std::string(folder)).c_str()) != 0)
        abort();
    std::string dir = folder;
    std::string goods;
    for (int i = 1; i <= extraGoods; i++) {
        bool blade = i % 2 == 0;
        int strength = i / 2 % 20 + 1;
        // price, icon, weapon modifier, name, nine flags, key, mana, armour
        goods += std::to_string(100 * i) + "\n3\n" + std::to_string(blade ? strength : 0) +
                 "\nGood " + std::to_string(i) + "\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n" +
                 std::to_string(blade ? 0 : strength) + "\n";
    }
    prepend(dir + "/shopdata.qor", goods);
    unsigned seed = 12345;
    for (int n = 0; n < FLOOR_COUNT; n++) {
        std::string suffix = (n ? std::to_string(n) : "") + ".qor";
        std::string records;
        for (int i = n; i < extraCharacters; i += FLOOR_COUNT) {
            seed = seed * 1103515245 + 12345;
            int x = 1 + (int)(seed >> 8) % 98, y = 1 + (int)(seed >> 16) % 98;
            int hp = 1 + (int)(seed >> 4) % 300;
            records += std::to_string(hp) + "\n" + std::to_string(hp) + "\n0\n0\n" +
                       (i % 10 == 0 ? "1" : "0") + "\nCrowd " + std::to_string(i) + "\nHi.\n" +
                       std::to_string(x) + "\n" + std::to_string(y) + "\n3\n";
        }
        prepend(dir + "/npcs" + suffix, records);
    }
    return dir;
}

void check(benchmark::State& state, int extraGoods, int extraCharacters) {
    std::string dir = largeCampaign(extraGoods, extraCharacters);
    for (auto _ : state) {
        std::unique_ptr<Campaign> campaign(new Campaign());
        Report report;
        ClimbPlan plan;
        loadCampaign(dir, *campaign, report);
        checkPlay(*campaign, report, &plan);
        benchmark::DoNotOptimize(plan.steps.data());
        state.counters["goods"] = (double)campaign->items.size();
        state.counters["problems"] = (double)report.problems.size();
    }
    if (system(("rm -rf '" + dir + "'").c_str()) != 0)
        abort();
}

} // namespace

void registerChecker() {
    benchmark::RegisterBenchmark("Check_shop_of_1000_goods", check, 1000, 0)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::RegisterBenchmark("Check_100000_more_characters", check, 0, 100000)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
}
