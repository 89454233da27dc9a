// What the asset tests share: a game built with its output kept, and the
// death-test clean-up of the data tree.
#pragma once

#include <string>

#include "support/harness.h"

class AssetLoading : public GameTest {
  protected:
    std::string out; // standard output of the construction
    std::string err; // standard error of the construction

    // Builds the game, keeping everything it wrote.
    void startRecording();
    // The lines the construction wrote between two lines (both excluded).
    std::vector<std::string> linesBetween(const std::string& first, const std::string& last);
    // For a construction that ends the process: a dying game skips the test's
    // clean-up, so the data tree is removed when the process exits.
    void removeTreeAtExit();
};
