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

// Puts the two variables back as they were when the test ends.
class PresentingDefaults : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < 2; i++) {
            const char* value = getenv(NAMES[i]);
            had[i] = value != nullptr;
            saved[i] = value ? value : "";
        }
    }
    void TearDown() override {
        for (int i = 0; i < 2; i++) {
            if (had[i])
                setenv(NAMES[i], saved[i].c_str(), 1);
            else
                unsetenv(NAMES[i]);
        }
    }
    static std::string valueOf(const char* name) {
        const char* value = getenv(name);
        return value ? value : "(unset)";
    }

  private:
    const char* const NAMES[2] = {VBLANK, SCALING};
    bool had[2];
    std::string saved[2];
};

TEST_F(PresentingDefaults, UnsetVariablesGetVerticalSyncAndNearestScaling) {
    unsetenv(VBLANK);
    unsetenv(SCALING);
    setPresentingDefaults();
    EXPECT_EQ(valueOf(VBLANK), "1");
    EXPECT_EQ(valueOf(SCALING), "nearest");
}

TEST_F(PresentingDefaults, WhatThePlayerSetIsKept) {
    setenv(VBLANK, "0", 1);
    setenv(SCALING, "linear", 1);
    setPresentingDefaults();
    EXPECT_EQ(valueOf(VBLANK), "0");
    EXPECT_EQ(valueOf(SCALING), "linear");
    // Even set to nothing.
    setenv(VBLANK, "", 1);
    unsetenv(SCALING);
    setPresentingDefaults();
    EXPECT_EQ(valueOf(VBLANK), "");
    EXPECT_EQ(valueOf(SCALING), "nearest");
}

} // namespace
