// Before SDL starts, the entry function asks sdl12-compat for frames at the
// vertical refresh and crisp scaling, unless the player set either himself.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "core/entry.h"

TEST(PresentingDefaults, FillOnlyWhatThePlayerLeftUnset) {
    const char *vblank = "SDL12COMPAT_SYNC_TO_VBLANK", *scaling = "SDL12COMPAT_SCALE_METHOD";
    unsetenv(vblank);
    setenv(scaling, "linear", 1);
    setPresentingDefaults();
    EXPECT_STREQ(getenv(vblank), "1");
    EXPECT_STREQ(getenv(scaling), "linear");
    setenv(vblank, "", 1); // even set to nothing
    unsetenv(scaling);
    setPresentingDefaults();
    EXPECT_STREQ(getenv(vblank), "");
    EXPECT_STREQ(getenv(scaling), "nearest");
    unsetenv(vblank);
    unsetenv(scaling);
}
