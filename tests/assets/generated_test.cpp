// The pictures our art generator draws: the game loads every one, at the sizes
// its screens need.
#include <cstdlib>

#include "assets/loading.h"

namespace {

TEST_F(AssetLoading, TheGameLoadsEveryGeneratedPicture) {
    ASSERT_EQ(system("rm -rf data/gfx data/icn data/decor"), 0);
    ASSERT_EQ(system((std::string(TESSARY_ARTGEN) + " data > /dev/null").c_str()), 0);
    startRecording();
    EXPECT_EQ(err, "");
    EXPECT_EQ(out.find("Item load error"), std::string::npos);
    for (SDL_Surface* icon : game->icons)
        ASSERT_NE(icon, nullptr);
    for (SDL_Surface* tile : game->tiles)
        EXPECT_EQ(tile->w * 1000 + tile->h, CELL_SIZE * 1001);
    for (SDL_Surface* full :
         {game->fightBackgrounds[0], game->fightBackgrounds[1], game->fx[FX_RAPTURE]})
        EXPECT_EQ(full->w * 1000 + full->h, 640480);
    ASSERT_NE(game->portrait, nullptr);
}

} // namespace
