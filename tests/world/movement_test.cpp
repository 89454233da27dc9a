// Single steps: the collision rules in their order, doors and keys, and the
// quest check after an allowed step.
#include "support/harness.h"

namespace {

class MovementTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        start();
        game->player.posX = 50;
        game->player.posY = 50;
        game->player.heading = 2;
    }
};

TEST_F(MovementTest, CollisionRulesApplyInOrderAndTheFirstDecides) {
    const char* const OPENS = "Detecting door\nOpening door.\n";
    const char* const REFUSED = "Detecting door\nNot enough keys\n";
    struct Case {
        int x, y;
        char code;     // written at (x, y) when on the grid, and expected there after
        bool npcThere; // an NPC stands on (x, y)
        int keys;
        bool blocked;
        const char* output;
    } const cases[] = {
        {51, 50, '7', true, 2, true, ""}, // no door is tried under an NPC
        {-1, 50, 0, false, 3, true, ""},      {50, 100, 0, false, 3, true, ""},
        {51, 50, '7', false, 2, true, OPENS}, {51, 50, '7', false, 0, true, REFUSED},
        {51, 50, '1', false, 1, true, ""},    {51, 50, '5', false, 1, true, ""},
        {51, 50, '0', false, 1, false, ""},   {51, 50, '9', false, 1, false, ""},
        {51, 50, '2', false, 0, false, ""}, // a door once opened
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.code) + " at " + std::to_string(c.x) + "," +
                     std::to_string(c.y));
        bool onGrid = Map::contains(c.x, c.y);
        if (onGrid)
            game->map.cells[c.y][c.x] = c.code;
        if (c.npcThere)
            addNpc(c.x, c.y);
        game->player.keys = c.keys;
        startCapture();
        EXPECT_EQ(game->tileCollision(c.x, c.y), c.blocked) << "whether the cell blocks";
        EXPECT_EQ(stopCapture(), c.output) << "what the collision check prints";
        bool opened = c.output == OPENS;
        EXPECT_EQ(game->player.keys, c.keys - opened) << "an opened door takes a key";
        EXPECT_TRUE(!onGrid || game->map.cells[c.y][c.x] == (opened ? '2' : c.code))
            << "an opened door becomes an open door, nothing else changes";
        if (c.npcThere) {
            delete game->npcs.back();
            game->npcs.pop_back();
        }
    }
}

// Where and for what a quest pays is the quest check's own business; here,
// which steps ask it, the notice of a solved one, and where he then stands.
TEST_F(MovementTest, AnAllowedStepSolvesTheQuestOnItsCellAndTheStairsThenWait) {
    const struct {
        char code;
        int dx, dy;
        bool solved;
    } cases[] = {{'3', 1, 0, true}, {'7', 1, 0, false}, {'6', 0, 1, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        game->player.posX = 50;
        game->player.posY = 50;
        game->player.heading = 0;
        game->player.keys = 0;
        game->map.cells[50 + c.dy][50 + c.dx] = c.code;
        Quest* quest = new Quest();
        quest->posX = 50 + c.dx;
        quest->posY = 50 + c.dy;
        game->questMaster->quests.push_back(quest);
        game->player.currentQuest = quest;
        game->fillRect(0, 0, SCREEN_W, SCREEN_H, 0, 0, 0);
        scriptKeys(std::vector<SDLKey>(c.solved, SDLK_SPACE)); // closes the notice
        startCapture();
        game->Roam_Step(c.dx, c.dy);
        stopCapture();
        EXPECT_EQ(endScript(), 0u) << "a solved quest's notice takes a key";
        EXPECT_EQ(quest->completed, c.solved) << "an allowed step onto the quest cell solves it";
        EXPECT_EQ(game->player.floor, 0) << "the stairs wait for the next pass";
        bool refused = c.code == '7'; // a refused step neither moves nor turns him
        EXPECT_EQ(game->player.posX, refused ? 50 : 50 + c.dx) << "only an allowed step moves";
        EXPECT_EQ(game->player.heading, refused ? 0 : c.dx ? 3 : 2) << "he faces his step";
        EXPECT_EQ(showsText(game.get(), game->screen, "You completed a quest", 20, 240), c.solved)
            << "a solved quest shows its notice";
    }
}

} // namespace
