// The loaders read files by name, so each fuzz input is written to a file of
// that name in a private temporary folder, removed at exit. Standard output
// goes nowhere, so the loaders' progress lines leave the fuzzer's report
// readable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/datafile.h"

// Writes the input to the file `name` of the private folder; returns its path.
std::string writeInput(const char* name, const uint8_t* data, size_t size);

// Reads the input as the record file `name` with a loader's record reader,
// as the game opens and reads it, then frees the records.
template <typename Records>
void readRecords(const char* name, const uint8_t* data, size_t size,
                 bool (*readFile)(FILE*, Records&, FILE*, bool*)) {
    FILE* file = openDataFile(writeInput(name, data, size).c_str());
    if (!file)
        return;
    Records records;
    readFile(file, records, stdout, NULL);
    fclose(file);
    for (auto* record : records)
        delete record;
}
