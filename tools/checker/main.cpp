// tessary-check: the content checker an author runs on a data folder.
//
//   tessary-check [--render DIR] [--gfx DIR] [--cell N] [--plan] [data folder]
//   tessary-check [--gfx DIR] --export-tiled DATA OUT
//   tessary-check --import-tiled IN DATA
//
// Prints every problem as "file:line: text" and exits with 0 when the folder
// is clean, 1 when it has problems and 2 when the command line is wrong.
// The Tiled round trip exits with 0 when it wrote its files, 1 when it did not.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "campaign.h"
#include "checker.h"
#include "tiled.h"

static void usage(FILE* out) {
    fputs("usage: tessary-check [options] [data folder, default \"data\"]\n"
          "  --render DIR  draw each floor to DIR/floorN.png\n"
          "  --gfx DIR     images to draw with (default: the data folder's gfx)\n"
          "  --cell N      pixels per map cell in the pictures, 1 to 48 (default 16)\n"
          "  --plan        print the way up the checker found, step by step\n"
          "  --export-tiled DATA OUT  write DATA's floors as Tiled maps into OUT\n"
          "  --import-tiled IN DATA   write the floors of IN's Tiled maps into DATA\n",
          out);
}

static const char* stepName(PlanStep::Kind kind) {
    switch (kind) {
    case PlanStep::Walk:
        return "walk to";
    case PlanStep::OpenDoor:
        return "open the door at";
    case PlanStep::TalkToQuestGiver:
        return "talk to the quest giver from";
    case PlanStep::BuyKey:
        return "buy a key beside the shopkeeper at";
    case PlanStep::BuyGear:
        return "buy gear beside the shopkeeper at";
    case PlanStep::Fight:
        return "talk to and fight from";
    default:
        return "climb the stairs at";
    }
}

// The figures an author tunes a campaign by: the length of the way up, the
// part of it spent on errands, and the odds of every fight.
static void printFigures(const Campaign& campaign, const ClimbPlan& plan) {
    int walked = plan.walked(), errands = plan.walkedOnErrands();
    printf("plan: %d steps, %d of them on errand round trips (%d%%)\n", walked, errands,
           walked ? errands * 100 / walked : 0);
    for (int i : plan.gear)
        printf("gear bought: %s (%d gold)\n", campaign.items[i].item.name.c_str(),
               campaign.items[i].item.price);
    for (const GuardOdds& guard : plan.guards)
        printf("floor %d guard: %s (%d hit points) at (%d,%d): wins %d%% with the gear, %d%% "
               "without\n",
               guard.floor, guard.npc->name.c_str(), guard.npc->hp, guard.npc->posX,
               guard.npc->posY, (int)(guard.withGear * 100), (int)(guard.withoutGear * 100));
}

static void printPlan(const Campaign& campaign, const ClimbPlan& plan) {
    for (const PlanStep& step : plan.steps) {
        printf("floor %d: %s (%d,%d)", step.floor, stepName(step.kind), step.x, step.y);
        if (step.kind == PlanStep::TalkToQuestGiver && step.quest >= 0)
            printf(": \"%s\"", campaign.quests[step.quest].quest.text.c_str());
        if (step.kind == PlanStep::BuyKey || step.kind == PlanStep::BuyGear)
            printf(": %s", campaign.items[step.item].item.name.c_str());
        if (step.kind == PlanStep::Fight)
            printf(": %s", campaign.floors[step.floor].npcs[step.item].npc.name.c_str());
        putchar('\n');
    }
    puts(plan.wins ? "You won" : "the plan does not reach the top");
}

int main(int argc, char** argv) {
    std::string dir = "data", renderDir, gfxDir;
    int cell = 16;
    bool showPlan = false;
    const char* tiledExport[2] = {NULL, NULL};
    const char* tiledImport[2] = {NULL, NULL};
    for (int i = 1; i < argc; i++) {
        bool hasValue = i + 1 < argc;
        if (!strcmp(argv[i], "--render") && hasValue) {
            renderDir = argv[++i];
        } else if (!strcmp(argv[i], "--gfx") && hasValue) {
            gfxDir = argv[++i];
        } else if (!strcmp(argv[i], "--cell") && hasValue) {
            cell = atoi(argv[++i]);
            if (cell < 1 || cell > 48) {
                usage(stderr);
                return 2;
            }
        } else if (!strcmp(argv[i], "--export-tiled") && i + 2 < argc) {
            tiledExport[0] = argv[++i];
            tiledExport[1] = argv[++i];
        } else if (!strcmp(argv[i], "--import-tiled") && i + 2 < argc) {
            tiledImport[0] = argv[++i];
            tiledImport[1] = argv[++i];
        } else if (!strcmp(argv[i], "--plan")) {
            showPlan = true;
        } else if (!strcmp(argv[i], "-h") || !strcmp(argv[i], "--help")) {
            usage(stdout);
            return 0;
        } else if (argv[i][0] == '-') {
            usage(stderr);
            return 2;
        } else {
            dir = argv[i];
        }
    }
    if (tiledImport[0])
        return importTiled(tiledImport[0], tiledImport[1], stdout) ? 0 : 1;
    if (gfxDir.empty())
        gfxDir = (tiledExport[0] ? tiledExport[0] : dir) + std::string("/gfx");
    if (tiledExport[0])
        return exportTiled(tiledExport[0], gfxDir, tiledExport[1], stdout) ? 0 : 1;

    Campaign* campaign = new Campaign();
    Report report;
    ClimbPlan plan;
    loadCampaign(dir, *campaign, report);
    bool pictures = checkPictures(dir, report);
    checkPlay(*campaign, report, &plan);
    CampaignFigures craft;
    checkCraft(*campaign, plan, report, craft);
    report.print(stdout);
    printFigures(*campaign, plan);
    printCraftFigures(craft, stdout);
    if (showPlan)
        printPlan(*campaign, plan);
    if (!renderDir.empty()) {
        int written = renderFloors(*campaign, &plan, gfxDir, renderDir, cell, stderr);
        printf("%d floor picture(s) written to %s\n", written, renderDir.c_str());
    }
    if (!pictures)
        printf("%s has no gfx folder: pictures not checked (check a whole data tree, such as "
               "build/data, for them)\n",
               dir.c_str());
    if (report.clean())
        printf("%s: no problems (%d floors, %zu quests, %zu goods)\n", dir.c_str(), FLOOR_COUNT,
               campaign->quests.size(), campaign->items.size());
    else
        printf("%s: %zu problem(s)\n", dir.c_str(), report.problems.size());
    int status = report.clean() ? 0 : 1;
    delete campaign;
    return status;
}
