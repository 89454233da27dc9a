// The loaders read files by name, so each fuzz input is written to a file of
// that name in a private temporary folder, removed at exit. Standard output
// goes nowhere, so the loaders' progress lines leave the fuzzer's report
// readable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Writes the input to the file `name` of the private folder; returns its path.
std::string writeInput(const char* name, const uint8_t* data, size_t size);
