// LineReader: the limited line reading of the NPC, quest and shop files, and
// its atoi-like number conversion.
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/linereader.h"

namespace {

// An open file holding exactly `bytes`, read from its start.
FILE* fileOf(const std::string& bytes) {
    FILE* file = tmpfile();
    fwrite(bytes.data(), 1, bytes.size(), file);
    rewind(file);
    return file;
}

struct ReadCase {
    const char* what;
    std::string bytes;
    size_t limit;                   // the same limit for every read
    std::vector<std::string> lines; // what successive reads give
    bool endsAtEnd;                 // atEnd() after those reads
    bool endsFailed;                // hasFailed() after those reads
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.what;
}

class LineReaderReads : public ::testing::TestWithParam<ReadCase> {};

TEST_P(LineReaderReads, GivesTheLinesAndStateOfTheTable) {
    const ReadCase& c = GetParam();
    FILE* file = fileOf(c.bytes);
    LineReader in(file);
    for (size_t i = 0; i < c.lines.size(); i++)
        EXPECT_EQ(in.read(c.limit), c.lines[i]) << "read " << i;
    EXPECT_EQ(in.atEnd(), c.endsAtEnd);
    EXPECT_EQ(in.hasFailed(), c.endsFailed);
    fclose(file);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineReaderReads,
    ::testing::Values(
        ReadCase{"past the end reads empty and fails", "ab\n", 5, {"ab", "", ""}, true, true},
        ReadCase{"after a last line without line feed", "ab\ncd", 5, {"ab", "cd", ""}, true, true},
        ReadCase{"an empty line reads empty without failing", "\nx\n", 5, {"", "x"}, false, false},
        ReadCase{"a CR before the LF does not count to the limit",
                 "abc\r\nd\n",
                 3,
                 {"abc", "d"},
                 false,
                 false},
        ReadCase{"a lone CR is part of the line", "a\rb\n", 5, {"a\rb"}, false, false},
        ReadCase{"a CR right before the end of the file stays", "ab\r", 5, {"ab\r"}, true, false},
        ReadCase{"exactly the limit at the end of the file", "abc", 3, {"abc"}, true, false},
        ReadCase{"over the limit keeps its start and fails",
                 "abcd\nef\n",
                 3,
                 {"abc", "", ""},
                 false,
                 true},
        ReadCase{"over the limit by a lone CR", "abc\rd\n", 3, {"abc", ""}, false, true},
        ReadCase{"a lone CR at the limit before the end", "abc\r", 3, {"abc", ""}, false, true}),
    [](const ::testing::TestParamInfo<ReadCase>& info) {
        std::string name;
        for (const char* p = info.param.what; *p; p++)
            name += isalnum((unsigned char)*p) ? *p : '_';
        return name;
    });

struct NumberCase {
    const char* text;
    int value;
};

class LineReaderNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LineReaderNumbers, ConvertLikeAtoi) {
    EXPECT_EQ(LineReader::toInt(GetParam().text), GetParam().value)
        << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, LineReaderNumbers,
    ::testing::Values(NumberCase{"", 0}, NumberCase{"x12", 0}, NumberCase{"12abc", 12},
                      NumberCase{"\t\r\v\f 8", 8}, NumberCase{"+5", 5}, NumberCase{"-3", -3},
                      NumberCase{"- 3", 0}, NumberCase{"+-3", 0}, NumberCase{"0x1A", 0},
                      NumberCase{"12\r", 12}, NumberCase{"-2147483648", INT_MIN},
                      // Numbers beyond an int stop at its limits instead of wrapping.
                      NumberCase{"2147483648", INT_MAX}, NumberCase{"-2147483649", INT_MIN},
                      NumberCase{"-999999999999999999", INT_MIN},
                      NumberCase{"00000000000000000000000042", 42}));

} // namespace
