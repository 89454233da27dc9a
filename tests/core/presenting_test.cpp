// Presenting on a display: the settings asked of SDL before it starts, and
// the game's own pacing of presents to the display's refresh.
#include <cstdlib>

#include "core/entry.h"
#include "support/harness.h"

namespace {

class PresentingTest : public GameTest {};

const struct {
    const char* name;
    const char* byDefault;
} SETTINGS[] = {
    {"SDL12COMPAT_SYNC_TO_VBLANK", "1"},
    {"SDL12COMPAT_SCALE_METHOD", "nearest"},
    {"SDL_RENDER_DRIVER", "software"},
    {"SDL_FRAMEBUFFER_ACCELERATION", "0"},
};

// Each setting gets its default, and a value the user set is kept.
TEST_F(PresentingTest, EachSettingGetsItsDefaultUnlessTheUserSetIt) {
    for (const auto& setting : SETTINGS)
        unsetenv(setting.name);
    setPresentingDefaults();
    for (const auto& setting : SETTINGS) {
        const char* value = getenv(setting.name);
        ASSERT_NE(value, nullptr) << setting.name;
        EXPECT_STREQ(value, setting.byDefault) << setting.name;
    }
    for (const auto& setting : SETTINGS)
        setenv(setting.name, "user's own", 1);
    setPresentingDefaults();
    for (const auto& setting : SETTINGS)
        EXPECT_STREQ(getenv(setting.name), "user's own") << setting.name;
    for (const auto& setting : SETTINGS)
        unsetenv(setting.name);
}

// SDL's software renderer does not wait for the display: two presents in a
// row are a refresh (16 2/3 ms) apart because the game waits between them.
TEST_F(PresentingTest, PresentsComeAtMostOnceARefresh) {
    start();
    scriptKeys({});
    game->flipFrame();
    game->flipFrame();
    ASSERT_EQ(delaysAsked().size(), 1u) << "the first present of the game waits for nothing";
    EXPECT_GE(delaysAsked()[0], 1u);
    EXPECT_LE(delaysAsked()[0], 17u);
    EXPECT_EQ(game->shown.count, 2u);
}

} // namespace
