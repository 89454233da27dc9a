// LineReader: limited line reading shared by the NPC, quest and shop loaders.
#include "core/linereader.h"

#include <cctype>
#include <climits>

LineReader::LineReader(FILE* f) : file(f), eof(false), failed(false) {}

std::string LineReader::read(size_t limit) {
    std::string line;
    if (failed || eof || !file) {
        // A stream that has failed or reached its end reads nothing more.
        failed = true;
        return line;
    }
    bool tookAnything = false;
    for (;;) {
        int c = getc(file);
        if (c == EOF) {
            eof = true;
            if (!tookAnything)
                failed = true;
            return line;
        }
        tookAnything = true;
        if (c == '\n')
            return line;
        if (c == '\r') {
            int next = getc(file);
            if (next == '\n')
                return line;
            if (next != EOF)
                ungetc(next, file);
        }
        if (line.size() >= limit) {
            // QUIRK: an over-long line keeps what fits and fails the reader:
            // every later line of the file reads empty (nothing more is read).
            failed = true;
            return line;
        }
        line.push_back(static_cast<char>(c));
    }
}

std::string LineReader::readText(size_t limit) {
    std::string line = read(limit);
    size_t nul = line.find('\0');
    if (nul != std::string::npos)
        line.erase(nul);
    return line;
}

int LineReader::readInt(size_t limit) {
    return toInt(read(limit));
}

int LineReader::readFlag(size_t limit) {
    return readInt(limit) > 0 ? 1 : 0;
}

int LineReader::toInt(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && isspace(static_cast<unsigned char>(text[i])))
        i++;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        i++;
    }
    long long value = 0;
    for (; i < text.size() && isdigit(static_cast<unsigned char>(text[i])); i++) {
        value = value * 10 + (text[i] - '0');
        if (value > (long long)INT_MAX + 1)
            value = (long long)INT_MAX + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}
