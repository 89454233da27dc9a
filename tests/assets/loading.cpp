// The asset tests' fixture.
#include "assets/loading.h"

void AssetLoading::startRecording() {
    startCapture();
    testing::internal::CaptureStderr();
    game.reset(new CGame());
    err = testing::internal::GetCapturedStderr();
    out = stopCapture();
    drainEvents();
    releaseAllKeys();
}

void AssetLoading::expectBuildToFail(const std::string& message) {
    EXPECT_EXIT(game.reset(new CGame()), ::testing::ExitedWithCode(1), ::testing::Eq(message));
}
