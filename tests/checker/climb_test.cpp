// The whole campaign, climbed by the real game: the checker plans the way
// from the start to the stairs of the last floor, and the game's own objects
// walk it step by step: the quest giver's errands, the doors opened with the
// keys they pay, every floor change, and at the top "You won".
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "support/harness.h"
#include "tiny.h"

namespace {

const char* const CAMPAIGN_FILES[] = {
    "map.qor",   "map1.qor",  "map2.qor",  "map3.qor",  "map4.qor",  "map5.qor",   "npcs.qor",
    "npcs1.qor", "npcs2.qor", "npcs3.qor", "npcs4.qor", "npcs5.qor", "quests.qor", "shopdata.qor"};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class CampaignClimb : public GameTest {
  protected:
    Campaign* campaign = new Campaign();
    ClimbPlan plan;
    Quest* expected = NULL; // the errand the player is on, as the plan has it

    ~CampaignClimb() { delete campaign; }

    void SetUp() override {
        GameTest::SetUp();
        for (const char* name : CAMPAIGN_FILES)
            tree.write(std::string("data/") + name,
                       readFile(std::string(TESSARY_CAMPAIGN) + "/" + name));
        Report report;
        loadCampaign(tree.path("data"), *campaign, report);
        checkPlay(*campaign, report, &plan);
        ASSERT_TRUE(report.clean()) << report.problems[0].text;
        ASSERT_TRUE(plan.wins);
    }

    Player& player() { return game->player; }

    // A step the way the roaming pass makes it, without its 60 ms pause.
    void walk(const PlanStep& step) {
        int dx = step.x - player().posX, dy = step.y - player().posY;
        ASSERT_EQ(abs(dx) + abs(dy), 1) << "the plan jumps on floor " << step.floor;
        ASSERT_FALSE(game->tileCollision(step.x, step.y))
            << "blocked at (" << step.x << "," << step.y << ") on floor " << step.floor;
        bool arrives = expected && expected->posX == step.x && expected->posY == step.y;
        bool solved = player().moveRelative(dx, dy);
        ASSERT_EQ(solved, arrives) << "at (" << step.x << "," << step.y << ")";
        if (solved) {
            pushKeyDown(SDLK_SPACE);
            game->solvedQuestScreen();
            expected = NULL;
        }
    }

    void openDoor(const PlanStep& step) {
        int keys = player().keys;
        ASSERT_GT(keys, 0) << "no key for the door at (" << step.x << "," << step.y << ")";
        EXPECT_TRUE(game->tileCollision(step.x, step.y));
        EXPECT_EQ(game->map.cells[step.y][step.x], '2');
        EXPECT_EQ(player().keys, keys - 1);
    }

    void talkToQuestGiver(const PlanStep& step) {
        pushKeyDown(SDLK_SPACE);
        game->Roam_CheckNPCConvo(player().posX, player().posY);
        EXPECT_EQ(pendingEvents(), 0);
        ASSERT_EQ(game->fighting, 0) << "a fight started beside the quest giver";
        expected = game->questMaster->quests[step.quest];
        ASSERT_EQ(player().currentQuest, expected);
    }

    // The step onto the stairs goes through the real roaming pass, held key
    // and all, so the floor change is the game's own.
    void climb(const PlanStep& step) {
        int dx = step.x - player().posX, dy = step.y - player().posY;
        ASSERT_EQ(abs(dx) + abs(dy), 1);
        SDLKey key = dx > 0 ? SDLK_RIGHT : dx < 0 ? SDLK_LEFT : dy > 0 ? SDLK_DOWN : SDLK_UP;
        drainEvents();
        holdKey(key);
        game->RoamLoop();
        releaseAllKeys();
        ASSERT_EQ(player().floor, step.floor + 1);
        ASSERT_EQ(player().posX, step.x);
        ASSERT_EQ(player().posY, step.y);
        ASSERT_EQ(player().currentQuest, nullptr);
        const Floor& next = campaign->floors[step.floor + 1];
        ASSERT_EQ(memcmp(game->map.cells, next.cells, sizeof next.cells), 0);
        ASSERT_EQ(game->npcs.size(), next.npcs.size() + 2);
    }

    void play(const PlanStep& step) {
        ASSERT_EQ(player().floor, step.floor);
        switch (step.kind) {
        case PlanStep::Walk:
            walk(step);
            break;
        case PlanStep::OpenDoor:
            openDoor(step);
            break;
        case PlanStep::TalkToQuestGiver:
            talkToQuestGiver(step);
            break;
        case PlanStep::Climb:
            climb(step);
            break;
        case PlanStep::BuyKey:
            FAIL() << "the plan buys a key, which this walk cannot do yet";
        }
        if (step.kind == PlanStep::Walk || step.kind == PlanStep::Climb) {
            ASSERT_EQ(player().posX, step.x);
            ASSERT_EQ(player().posY, step.y);
        }
    }
};

TEST_F(CampaignClimb, FromTheStartToYouWon) {
    start();
    int solvedBefore = 0;
    size_t last = plan.steps.size() - 1;
    for (size_t i = 0; i < last; i++) {
        ASSERT_NO_FATAL_FAILURE(play(plan.steps[i])) << "step " << i;
        if (HasFailure())
            return;
    }
    for (Quest* quest : game->questMaster->quests)
        solvedBefore += quest->completed;
    EXPECT_EQ(solvedBefore, (int)game->questMaster->quests.size());
    EXPECT_EQ(player().floor, LAST_FLOOR);
    EXPECT_EQ(player().gold, START_GOLD + QUEST_GOLD * solvedBefore);
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
