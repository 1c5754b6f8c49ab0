#include "dialogue/dialogue.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string utf8_kilep = "kil\xC3\xA9p";

TEST(ClassifyLine, DecidesExitFirstThenValidityThenKind) {
    const struct {
        std::string line;
        line_kind kind;
    } cases[] = {
        {"", line_kind::exit_request},
        {"k", line_kind::exit_request},
        {"K", line_kind::exit_request},
        {utf8_kilep, line_kind::exit_request},
        {"K5", line_kind::exit_request},
        {" k", line_kind::invalid},
        {"abc", line_kind::invalid},
        {" 5", line_kind::invalid},
        {"5 ", line_kind::invalid},
        {"1,5", line_kind::invalid},
        {"--5", line_kind::invalid},
        {"5\r", line_kind::invalid},
        {std::string("5\0", 2), line_kind::invalid},
        {std::string("\0", 1), line_kind::invalid},
        {"-5", line_kind::integer_number},
        {"5-", line_kind::integer_number},
        {" -5", line_kind::integer_number},
        {"x-1", line_kind::integer_number},
        {"inf-", line_kind::integer_number},
        {"1e-1", line_kind::integer_number},
        {"-", line_kind::integer_number},
        {std::string("\0-5", 3), line_kind::integer_number},
        {"1.5", line_kind::float_number},
        {"1.2.3", line_kind::float_number},
        {"1.5-", line_kind::float_number},
        {"inf.-", line_kind::float_number},
        {".", line_kind::float_number},
        {"-0.0", line_kind::float_number},
        {std::string(max_line_length, '9'), line_kind::integer_number},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(classify_line(c.line.data(), c.line.size()), c.kind) << c.line;
    }
}

TEST(ClassifyLine, ALongerLineCanOnlyLeaveOrBeRefused) {
    // The buffer keeps the first 59 bytes; the length tells the rest.
    const std::string digits(max_line_length, '9');
    EXPECT_EQ(classify_line(digits.c_str(), max_line_length + 1), line_kind::invalid);
    const std::string leave = "k" + std::string(max_line_length - 1, '9');
    EXPECT_EQ(classify_line(leave.c_str(), 4096), line_kind::exit_request);
}

TEST(ReadLine, TakesWholeLinesWithoutTheirEnding) {
    const std::string long_line(5000, '7');
    const std::string input = "1.5\n-5\r\n\r\n\n5\r6\r\n5\r\r\n" + std::string("a\0b\n", 4) +
                              std::string(59, '8') + "\r\n" + long_line + "\n2\nlast\r";
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    std::fwrite(input.data(), 1, input.size(), file);
    std::rewind(file);

    const struct {
        long length;
        std::string kept;
    } lines[] = {
        {3, "1.5"},
        {2, "-5"},
        {0, ""},
        {0, ""},
        {3, "5\r6"},
        {2, "5\r"},
        {3, std::string("a\0b", 3)},
        {59, std::string(59, '8')},
        {5000, std::string(59, '7')},
        {1, "2"},
        {5, "last\r"},
        {-1, ""},
        {-1, ""},
    };
    for (const auto& expected : lines) {
        char buffer[line_buffer_size];
        const long length = read_line(file, buffer);
        ASSERT_EQ(length, expected.length) << expected.kept;
        const std::size_t kept = length < 0 ? 0 : std::min<std::size_t>(length, max_line_length);
        EXPECT_EQ(std::string(buffer, kept), expected.kept);
        EXPECT_EQ(buffer[kept], '\0');
    }
    std::fclose(file);
}

} // namespace
