#include "dialogue/scan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

std::uint32_t bits_of(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

const std::string forty_digits = "1" + std::string(39, '0');

TEST(ScanFloat, ConvertsTheLongestCompleteRun) {
    const struct {
        std::string line;
        std::uint32_t bits;
    } cases[] = {
        {"1.5", 0x3FC00000},
        {"0.1", 0x3DCCCCCD},
        {"1.2.3", bits_of(1.2f)},
        {"12-34", bits_of(12.0f)},
        {"1e3-", bits_of(1000.0f)},
        {"1E+3x", bits_of(1000.0f)},
        {"1e-1", bits_of(0.1f)},
        {".5", bits_of(0.5f)},
        {"5.", bits_of(5.0f)},
        {" \t\n\v\f\r-5", bits_of(-5.0f)},
        {"+7", bits_of(7.0f)},
        {"-0.0", 0x80000000},
        {"0x10-", bits_of(16.0f)},
        {"0X1.8p1", bits_of(3.0f)},
        {"0x.8P-1q", bits_of(0.25f)},
        {"0x1e", bits_of(30.0f)},
        {"inf", 0x7F800000},
        {"inf-", 0x7F800000},
        {"INFINITY", 0x7F800000},
        {"InFiNiTyX", 0x7F800000},
        {"infx", 0x7F800000},
        {"-inf", 0xFF800000},
        {"nan", 0x7FC00000},
        {"NaN.-", 0x7FC00000},
        {"nan(0x4000000000000)", 0x7FC00000},
        {"nAn(abc_12)z", 0x7FC00000},
        {forty_digits + ".0", 0x7F800000},
        {"-" + forty_digits + ".0", 0xFF800000},
        {"1e-50", 0x00000000},
        {"1e-45", 0x00000001},
        // Either side of the halfway point between FLT_MAX and 2^128.
        {"3.40282356e38", 0x7F7FFFFF},
        {"3.40282357e38", 0x7F800000},
        // First to double, then to float: the double lands on the halfway
        // point between 1 and its float neighbour, which rounds to even.
        {"1.0000000596046447753906250001", 0x3F800000},
        {"1.0000000596046449", 0x3F800001},
    };
    for (const auto& c : cases) {
        float value = 42.0f;
        EXPECT_TRUE(scan_float(c.line.c_str(), &value)) << c.line;
        EXPECT_EQ(bits_of(value), c.bits) << c.line;
    }
}

TEST(ScanFloat, StoresNothingForTheBeginningOfANumber) {
    const char* lines[] = {"",
                           " ",
                           "-",
                           "+",
                           ".",
                           "-.",
                           "x-1",
                           "abc",
                           "2e-",
                           "1e",
                           "1E+",
                           "infi",
                           "infinit",
                           "in",
                           "0x",
                           "0x.",
                           "0x.p1",
                           "0x1p",
                           "0x1p-",
                           "na",
                           "nan(",
                           "nan(a-1)",
                           "--5",
                           ("\x01"
                            "5")};
    for (const char* line : lines) {
        float value = 42.0f;
        EXPECT_FALSE(scan_float(line, &value)) << line;
        EXPECT_EQ(value, 42.0f) << line;
    }
}

} // namespace
