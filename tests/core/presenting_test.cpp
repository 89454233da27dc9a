// Presenting on a real display: before SDL starts, the entry function asks
// sdl12-compat for frames at the vertical refresh and crisp scaling, unless
// the player has set either himself.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "core/entry.h"

namespace {

const char* const VBLANK = "SDL12COMPAT_SYNC_TO_VBLANK";
const char* const SCALING = "SDL12COMPAT_SCALE_METHOD";

// Sets a variable, or unsets it for NULL.
void put(const char* name, const char* value) {
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

std::string valueOf(const char* name) {
    const char* value = getenv(name);
    return value ? value : "(unset)";
}

TEST(PresentingDefaults, FillOnlyWhatThePlayerLeftUnset) {
    const struct {
        const char *vblank, *scaling; // as the player set them
        const char *vblankAfter, *scalingAfter;
    } cases[] = {{nullptr, nullptr, "1", "nearest"},
                 {"0", "linear", "0", "linear"},
                 {"", nullptr, "", "nearest"}}; // even set to nothing
    std::string saved[2] = {valueOf(VBLANK), valueOf(SCALING)};
    for (const auto& c : cases) {
        put(VBLANK, c.vblank);
        put(SCALING, c.scaling);
        setPresentingDefaults();
        EXPECT_EQ(valueOf(VBLANK), c.vblankAfter);
        EXPECT_EQ(valueOf(SCALING), c.scalingAfter);
    }
    put(VBLANK, saved[0] == "(unset)" ? nullptr : saved[0].c_str());
    put(SCALING, saved[1] == "(unset)" ? nullptr : saved[1].c_str());
}

} // namespace
