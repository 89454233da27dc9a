// The real game climbs the whole campaign we ship along the checker's plan:
// the gear and keys bought, the errands, the doors, every guard beaten, every
// floor change, and at the top "You won". Each step the checker planned is
// one the game allows, with the outcome the checker expected.
#include <unistd.h>

#include "tiny.h"

namespace {

class ClimbTest : public GameTest {
  protected:
    ClimbPlan plan;
    Quest* expected = NULL; // the errand the player is on, as the plan has it
    int fights = 0;

    Player& player() { return game->player; }
    // Every screen that waits is answered with Space (and fights give no pause).
    void answerWaits() { scriptKeys(std::vector<SDLKey>(16, SDLK_SPACE)); }

    // The guard beside the player, fought with the blade, a potion when weak.
    void fight() {
        game->Roam_CheckNPCConvo(player().posX, player().posY);
        ASSERT_EQ(game->fighting, 1) << "nobody to fight";
        size_t standing = game->npcs.size();
        while (game->fighting) {
            answerWaits();
            if (game->playerTurn)
                pushKeyDown(player().hp < 20 && player().healPotions > 0 ? SDLK_x : SDLK_z);
            game->FightLoop();
        }
        EXPECT_EQ(game->npcs.size(), standing - 1) << "the guard is still standing";
        fights++;
    }

    void play(const PlanStep& step) {
        ASSERT_EQ(player().floor, step.floor) << "the player is on the floor of the step";
        answerWaits();
        int dx = step.x - player().posX;
        int dy = step.y - player().posY;
        switch (step.kind) {
        case PlanStep::Walk: { // as the roaming pass steps, without its pause
            ASSERT_EQ(abs(dx) + abs(dy), 1) << "a walk is one step to a neighbour";
            bool arrives = expected && expected->posX == step.x && expected->posY == step.y;
            ASSERT_EQ(player().moveRelative(dx, dy), arrives) << step.x << "," << step.y;
            if (arrives) {
                game->solvedQuestScreen();
                expected = NULL;
            }
            break;
        }
        case PlanStep::OpenDoor: // the player bumps into it with a key
            EXPECT_TRUE(game->tileCollision(step.x, step.y)) << "a locked door stops the player";
            EXPECT_EQ(game->map.cells[step.y][step.x], CELL_OPEN_DOOR)
                << "a key opens the door bumped into";
            return;
        case PlanStep::TalkToQuestGiver:
            game->Roam_CheckNPCConvo(player().posX, player().posY);
            expected = game->questMaster->quests[step.quest];
            ASSERT_EQ(player().currentQuest, expected)
                << "talking to the quest giver gives the next errand";
            return;
        case PlanStep::Climb: // through the real roaming pass, so the floor change is the game's
            holdKey(dx > 0 ? SDLK_RIGHT : dx < 0 ? SDLK_LEFT : dy > 0 ? SDLK_DOWN : SDLK_UP);
            game->RoamLoop();
            releaseAllKeys();
            ASSERT_EQ(player().floor, step.floor + 1) << "the stairs lead one floor up";
            break;
        case PlanStep::BuyKey:
        case PlanStep::BuyGear: // the good the shop screen would have highlighted
            game->menuCursor = step.item;
            game->Shop_BuyHighlighted();
            return;
        case PlanStep::Fight:
            fight();
            return;
        }
        ASSERT_EQ(player().posX, step.x) << "the player stands at the column of the step";
        ASSERT_EQ(player().posY, step.y) << "the player stands at the row of the step";
    }
};

TEST_F(ClimbTest, FromTheStartToYouWon) {
    ASSERT_EQ(system(("cp " TESSARY_CAMPAIGN "/*.qor " + tree.path("data")).c_str()), 0)
        << "the campaign copied";
    Report report;
    std::unique_ptr<Campaign> campaign(new Campaign()); // too big for the stack
    loadCampaign(tree.path("data"), *campaign, report);
    checkPlay(*campaign, report, &plan);
    start();
    ASSERT_TRUE(report.clean()) << report.problems[0].text;
    ASSERT_TRUE(plan.wins) << "the plan wins the shipped campaign";
    size_t last = plan.steps.size() - 1;
    for (size_t i = 0; i < last && !HasFailure(); i++)
        ASSERT_NO_FATAL_FAILURE(play(plan.steps[i])) << "step " << i;
    for (Quest* quest : game->questMaster->quests)
        EXPECT_TRUE(quest->completed) << quest->text;
    EXPECT_EQ(fights, (int)plan.guards.size()) << "every guard of the campaign is fought";
    // The last stairs end the game; "You won" goes to standard output, which
    // the child sends to standard error for the check.
    EXPECT_EXIT(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO);
            play(plan.steps[last]);
            exit(3);
        },
        ::testing::ExitedWithCode(0), "You won")
        << "the last stairs end the game in victory";
}

} // namespace
