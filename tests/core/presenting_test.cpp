// Before SDL starts, the entry function asks sdl12-compat for frames at the
// vertical refresh and crisp scaling, unless the player set either himself.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "core/entry.h"

namespace {

void put(const char* name, const char* value) { // NULL unsets
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
    const char *vblank = "SDL12COMPAT_SYNC_TO_VBLANK", *scaling = "SDL12COMPAT_SCALE_METHOD";
    const struct {
        const char *vblank, *scaling, *vblankAfter, *scalingAfter;
    } cases[] = {{nullptr, nullptr, "1", "nearest"},
                 {"0", "linear", "0", "linear"},
                 {"", nullptr, "", "nearest"}}; // even set to nothing
    for (const auto& c : cases) {
        put(vblank, c.vblank);
        put(scaling, c.scaling);
        setPresentingDefaults();
        EXPECT_EQ(valueOf(vblank), c.vblankAfter);
        EXPECT_EQ(valueOf(scaling), c.scalingAfter);
    }
    put(vblank, nullptr);
    put(scaling, nullptr);
}

} // namespace
