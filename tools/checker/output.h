// Writing the tools' files whole or not at all, never through a link
// (tools/checker/output.cpp).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The whole of a file opened as the game opens its data files (a regular
// file only, never waiting on a named pipe); false when it cannot be read.
bool readWholeFile(const std::string& path, std::string& bytes);

// Writes `bytes` as the file `path`: a new file made beside it and renamed
// over it once written whole, so a link of that name is replaced and what it
// points to left alone, and a failed write leaves the old file. False, with
// errno, when the file could not be written.
bool replaceFile(const std::string& path, const std::string& bytes);

// One file of a folder to write: its name in the folder and its bytes.
struct OutputFile {
    std::string name;
    std::string bytes;
};

// Writes every file of `files` into the folder `dir`, all or nothing: each is
// written into a new folder beside `dir` first, then all are moved in by a
// rename each, the old files being put back if one cannot be; a run stopped
// while moving is undone by recoverInterrupted. False, with the reason told
// to `messages`, when `dir` is left as it was.
bool replaceAll(const std::string& dir, const std::vector<OutputFile>& files, FILE* messages);

// Puts back the old files of an earlier replaceAll into `dir` that was stopped
// while moving its files in, and removes what stopped ones left beside `dir`.
void recoverInterrupted(const std::string& dir, FILE* messages);

// For the tests: called with the number of each step that writes, links or
// moves a file (0, 1, ... counted from the start of each replaceAll); a step
// it returns false for fails as on a full disk. NULL in the tools.
extern bool (*outputStepHook)(int step);
