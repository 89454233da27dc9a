// The loaders read files by name, so each fuzz input is written to a file in
// a private temporary folder (removed at exit), under the name the game gives
// it ("data/shopdata.qor" and the like).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Writes the input to `relative` in the private folder; returns its full path.
std::string writeInput(const char* relative, const uint8_t* data, size_t size);

// While it lives, the private folder is the working directory (libFuzzer
// itself works with paths relative to the folder it was started in).
class InInputFolder {
  public:
    InInputFolder();
    ~InInputFolder();
};
