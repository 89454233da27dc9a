// LineReader: the one way the record files (NPCs, quests, shop goods) are read.
//
// Every record line is read whole into a field with a fixed length limit, the
// way a stream's getline reads into a fixed buffer:
//  - a line feed ends the line and is dropped; a carriage return right before
//    it is part of the line end too (files saved with Windows line ends load
//    exactly like files with plain line feeds);
//  - a line longer than its limit keeps its first `limit` characters and puts
//    the reader in the failed state: every later read gives an empty line;
//  - reading at the end of the file gives an empty line and fails the reader
//    too, so a record cut short reads empty values for its missing lines.
#pragma once

#include <cstdio>
#include <string>

class LineReader {
  public:
    explicit LineReader(FILE* file);

    // Reads the next line, at most `limit` characters of it.
    std::string read(size_t limit);
    // Reads a line of text (a name, a line of dialogue): it ends at its first
    // NUL byte, as the same text printed with %s would, so what is drawn and
    // what is printed agree. The limit still counts the whole line.
    std::string readText(size_t limit);
    // Reads a line and converts it like atoi (see toInt).
    int readInt(size_t limit);
    // Reads a line as a flag: 1 when its number is above 0, else 0.
    int readFlag(size_t limit);

    // True once the end of the file has been met.
    bool atEnd() const { return eof; }
    // True once a read failed (too long, or nothing left to read).
    bool hasFailed() const { return failed; }

    // Converts text like the standard atoi: leading blanks, an optional sign,
    // digits up to the first non-digit; no number reads as 0. A number too
    // large for an int saturates at the int's limit instead of wrapping.
    static int toInt(const std::string& text);

  private:
    FILE* file;
    bool eof;
    bool failed;
};
