// Writing the files the game leaves behind (screenshot.bmp, performance.txt)
// so that a failed write never costs the previous file (core/replacement.cpp).
#pragma once

#include <cstdio>
#include <string>

// A file being written in place of another: the new contents go to a
// temporary file in the same folder, which takes the old file's name only
// once it was written whole. A link of that name is replaced, never followed.
class FileReplacement {
  public:
    // Makes the temporary file; `file` is NULL when that fails.
    explicit FileReplacement(const char* path);
    // Removes the temporary file when commit was not reached.
    ~FileReplacement();

    // Closes the temporary file and, when the caller's writing was
    // `complete` and every write and the close went through, renames it over the old file.
    // Otherwise the old file stays, the temporary file goes, and one line on standard error names
    // the file that could not be written. True when the file was replaced.
    bool commit(bool complete = true);

    FILE* file;

  private:
    std::string path;
    std::string temporary;
    int failure; // why the temporary file could not be made, or 0
};
