// The asset tests' fixture.
#include "assets/loading.h"

#include <algorithm>

void AssetLoading::startRecording() {
    startCapture();
    testing::internal::CaptureStderr();
    game.reset(new CGame());
    err = testing::internal::GetCapturedStderr();
    out = stopCapture();
    drainEvents();
    releaseAllKeys();
}

std::vector<std::string> AssetLoading::linesBetween(const std::string& first,
                                                    const std::string& last) {
    std::vector<std::string> lines = linesOf(out);
    auto from = std::find(lines.begin(), lines.end(), first);
    auto to = std::find(from, lines.end(), last);
    if (from == lines.end() || to == lines.end())
        return {"(missing \"" + first + "\" or \"" + last + "\")"};
    return std::vector<std::string>(from + 1, to);
}

void AssetLoading::expectBuildToFail(const std::string& message) {
    EXPECT_EXIT(game.reset(new CGame()), ::testing::ExitedWithCode(1), ::testing::Eq(message));
}
