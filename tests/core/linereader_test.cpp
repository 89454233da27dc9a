// LineReader: the limited line reading of the record files and its atoi-like
// number conversion.
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/linereader.h"

namespace {

TEST(LineReaderTest, ReadsLinesUpToTheLimitAndReportsEndAndFailure) {
    struct {
        std::string bytes;
        size_t limit;
        std::vector<std::string> lines;
        bool atEnd, failed;
    } cases[] = {
        {"ab\n", 5, {"ab", "", ""}, true, true},         {"\nx\n", 5, {"", "x"}, false, false},
        {"abc\r\nd\n", 3, {"abc", "d"}, false, false}, // the CR does not count
        {"a\rb\n", 5, {"a\rb"}, false, false},           {"abc", 3, {"abc"}, true, false},
        {"abcd\nef\n", 3, {"abc", "", ""}, false, true},
    };
    for (const auto& c : cases) {
        FILE* file = tmpfile();
        fwrite(c.bytes.data(), 1, c.bytes.size(), file);
        rewind(file);
        LineReader in(file);
        for (const std::string& line : c.lines)
            EXPECT_EQ(in.read(c.limit), line) << c.bytes;
        EXPECT_EQ(in.atEnd(), c.atEnd) << c.bytes;
        EXPECT_EQ(in.hasFailed(), c.failed) << c.bytes;
        fclose(file);
    }
}

TEST(LineReaderTest, ConvertsNumbersLikeAtoiButStopsAtTheIntLimits) {
    struct {
        const char* text;
        int value;
    } cases[] = {{"x12", 0},
                 {"12abc", 12},
                 {"\t\r\v\f 8", 8},
                 {"+5", 5},
                 {"- 3", 0},
                 {"-2147483648", INT_MIN},
                 {"2147483648", INT_MAX},
                 {"-999999999999999999", INT_MIN},
                 {"00000000000000000000000042", 42}};
    for (const auto& c : cases)
        EXPECT_EQ(LineReader::toInt(c.text), c.value) << '"' << c.text << '"';
}

} // namespace
