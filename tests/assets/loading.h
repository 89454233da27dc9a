// What the asset tests share: a game built with its output kept, and a build
// that must fail.
#pragma once

#include <string>

#include "support/harness.h"

class AssetLoading : public GameTest {
  protected:
    std::string out; // standard output of the construction
    std::string err; // standard error of the construction

    // Builds the game, keeping everything it wrote.
    void startRecording();
    // Building the game must end the process with status 1 and exactly this
    // on standard error.
    void expectBuildToFail(const std::string& message);
};
