// The whole campaign we ship, climbed by the real game along the checker's
// plan: the gear and keys bought, the errands, the doors, every guard beaten,
// every floor change, and at the top "You won".
#include <sched.h>
#include <unistd.h>

#include "support/harness.h"
#include "tiny.h"

// The game's pauses between fight turns are for a player's eyes: here they
// only give the processor away (weak, so a test-wide SDL_Delay wins).
extern "C" __attribute__((weak)) void SDL_Delay(Uint32) {
    sched_yield();
}

namespace {

// Every notice a fight shows is answered by a key press a moment later.
Uint32 pressSpace(Uint32 interval, void*) {
    pushKeyDown(SDLK_SPACE);
    return interval;
}

class CampaignClimb : public GameTest {
  protected:
    Campaign* campaign = new Campaign();
    ClimbPlan plan;
    Quest* expected = NULL; // the errand the player is on, as the plan has it

    ~CampaignClimb() { delete campaign; }

    void SetUp() override {
        GameTest::SetUp();
        ASSERT_EQ(system(("cp " TESSARY_CAMPAIGN "/*.qor " + tree.path("data")).c_str()), 0);
        Report report;
        loadCampaign(tree.path("data"), *campaign, report);
        checkPlay(*campaign, report, &plan);
        for (const Problem& p : report.problems)
            ADD_FAILURE() << p.file << ":" << p.line << ": " << p.text;
        ASSERT_TRUE(plan.wins);
    }

    Player& player() { return game->player; }
    int fights = 0;

    // The guard beside the player, fought with the blade, a potion when weak.
    void fight() {
        pushKeyDown(SDLK_SPACE);
        game->Roam_CheckNPCConvo(player().posX, player().posY);
        ASSERT_EQ(game->fighting, 1) << "nobody to fight";
        size_t standing = game->npcs.size();
        SDL_TimerID answering = SDL_AddTimer(1, pressSpace, NULL);
        while (game->fighting) {
            if (game->playerTurn)
                pushKeyDown(player().hp < 20 && player().healPotions > 0 ? SDLK_x : SDLK_z);
            game->FightLoop();
        }
        SDL_RemoveTimer(answering);
        drainEvents();
        EXPECT_EQ(game->npcs.size(), standing - 1) << "the guard is still standing";
        fights++;
    }

    void play(const PlanStep& step) {
        ASSERT_EQ(player().floor, step.floor);
        int dx = step.x - player().posX, dy = step.y - player().posY;
        switch (step.kind) {
        case PlanStep::Walk: { // as the roaming pass steps, without its pause
            ASSERT_EQ(abs(dx) + abs(dy), 1);
            ASSERT_FALSE(game->tileCollision(step.x, step.y)) << step.x << "," << step.y;
            bool arrives = expected && expected->posX == step.x && expected->posY == step.y;
            ASSERT_EQ(player().moveRelative(dx, dy), arrives);
            if (arrives) {
                pushKeyDown(SDLK_SPACE);
                game->solvedQuestScreen();
                expected = NULL;
            }
            break;
        }
        case PlanStep::OpenDoor: {
            int keys = player().keys;
            ASSERT_GT(keys, 0);
            EXPECT_TRUE(game->tileCollision(step.x, step.y));
            EXPECT_EQ(game->map.cells[step.y][step.x], '2');
            EXPECT_EQ(player().keys, keys - 1);
            return;
        }
        case PlanStep::TalkToQuestGiver:
            pushKeyDown(SDLK_SPACE);
            game->Roam_CheckNPCConvo(player().posX, player().posY);
            EXPECT_EQ(pendingEvents(), 0);
            ASSERT_EQ(game->fighting, 0);
            expected = game->questMaster->quests[step.quest];
            ASSERT_EQ(player().currentQuest, expected);
            return;
        case PlanStep::Climb: { // through the real roaming pass, so the floor change is the game's
            ASSERT_EQ(abs(dx) + abs(dy), 1);
            drainEvents();
            holdKey(dx > 0 ? SDLK_RIGHT : dx < 0 ? SDLK_LEFT : dy > 0 ? SDLK_DOWN : SDLK_UP);
            game->RoamLoop();
            releaseAllKeys();
            ASSERT_EQ(player().floor, step.floor + 1);
            ASSERT_EQ(player().currentQuest, nullptr);
            const Floor& next = campaign->floors[step.floor + 1];
            ASSERT_EQ(memcmp(game->map.cells, next.cells, sizeof next.cells), 0);
            ASSERT_EQ(game->npcs.size(), next.npcs.size() + 2);
            break;
        }
        case PlanStep::BuyKey:
        case PlanStep::BuyGear: { // the good the shop screen would have highlighted
            int gold = player().gold;
            game->menuCursor = step.item;
            pushKeyDown(SDLK_SPACE);
            game->Shop_BuyHighlighted();
            EXPECT_EQ(player().gold, gold - campaign->items[step.item].item.price);
            return;
        }
        case PlanStep::Fight:
            fight();
            return;
        }
        ASSERT_EQ(player().posX, step.x);
        ASSERT_EQ(player().posY, step.y);
    }
};

TEST_F(CampaignClimb, FromTheStartToYouWon) {
    start();
    size_t last = plan.steps.size() - 1;
    for (size_t i = 0; i < last; i++) {
        ASSERT_NO_FATAL_FAILURE(play(plan.steps[i])) << "step " << i;
        if (HasFailure())
            return;
    }
    int solved = 0;
    for (Quest* quest : game->questMaster->quests)
        solved += quest->completed;
    EXPECT_EQ(solved, (int)game->questMaster->quests.size());
    EXPECT_EQ(player().floor, LAST_FLOOR);
    EXPECT_EQ(fights, (int)plan.guards.size()); // every guard of the campaign
    // The last stairs end the game; "You won" goes to standard output, which
    // the child sends to standard error for the check.
    EXPECT_EXIT(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO);
            play(plan.steps[last]);
            exit(3);
        },
        ::testing::ExitedWithCode(0), "You won");
}

} // namespace
