#include "dialogue/format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string value_line(double value) {
    char out[64];
    format_text(out, sizeof out, "%12.8E", value);
    return out;
}

float float_from_bits(std::uint32_t bits) {
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

TEST(FormatText, ValueLine) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {1.5, "1.50000000E+00"},
        {static_cast<double>(0.1f), "1.00000001E-01"},
        {-0.0, "-0.00000000E+00"},
        {0.0, "0.00000000E+00"},
        // Exact halfway cases go away from zero.
        {482.4140625, "4.82414063E+02"},
        {-482.4140625, "-4.82414063E+02"},
        {0x1p-13, "1.22070313E-04"},
        {999999999.5, "1.00000000E+09"},
        {static_cast<double>(float_from_bits(1)), "1.40129846E-45"},
        {static_cast<double>(float_from_bits(0x007FFFFF)), "1.17549421E-38"},
        {static_cast<double>(FLT_MAX), "3.40282347E+38"},
        {-32768.0, "-3.27680000E+04"},
        {1e300, "1.00000000E+300"},
        {0x1p-1074, "4.94065646E-324"},
        {HUGE_VAL, "         INF"},
        {-HUGE_VAL, "        -INF"},
        {std::nan(""), "         NAN"},
        {-std::nan(""), "         NAN"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(value_line(c.value), c.text) << c.text;
    }
}

// Reference: the C library's exact expansion (enough digits to be exact for
// any float), rounded half away from zero by hand.
std::string reference_value_line(float value) {
    char exact[160];
    std::snprintf(exact, sizeof exact, "%.120E", static_cast<double>(value));
    std::string text = exact;
    const std::size_t point = text.find('.');
    const std::size_t e = text.find('E');
    std::string digits = text.substr(point - 1, 1) + text.substr(point + 1, e - point - 1);
    int exponent = std::stoi(text.substr(e + 1));
    const bool round_up = digits[9] >= '5';
    digits.resize(9);
    if (round_up) {
        int i = 8;
        for (; i >= 0 && digits[i] == '9'; --i) {
            digits[i] = '0';
        }
        if (i < 0) {
            digits = "1" + digits.substr(0, 8);
            ++exponent;
        } else {
            ++digits[i];
        }
    }
    char out[32];
    std::snprintf(out, sizeof out, "%s%c.%sE%c%02d", std::signbit(value) ? "-" : "", digits[0],
                  digits.c_str() + 1, exponent < 0 ? '-' : '+', std::abs(exponent));
    return out;
}

TEST(FormatText, ValueLineAgreesWithExactExpansionAcrossTheFloats) {
    int checked = 0;
    for (std::uint64_t bits = 0; bits <= 0xFFFFFFFFu; bits += 65521) {
        const float value = float_from_bits(static_cast<std::uint32_t>(bits));
        if (!std::isfinite(value)) {
            continue;
        }
        ASSERT_EQ(value_line(static_cast<double>(value)), reference_value_line(value)) << "bits " << bits;
        ++checked;
    }
    EXPECT_GT(checked, 60000);
}

TEST(FormatText, IntegersCharactersAndStrings) {
    char out[64];
    format_text(out, sizeof out, "%02X %02X|%d|%c|%s", 0x0A, 0xFF, -5, 'x', "t\xA0");
    EXPECT_STREQ(out, "0A FF|-5|x|t\xA0");
}

TEST(FormatText, IntegerConversionsAgreeWithTheCLibrary) {
    const int values[] = {0, 5, -5, 65, 255, 4096, -32768, 2147483647, -2147483647 - 1};
    for (const char* format : {"%d", "%02X", "%c"}) {
        for (const int value : values) {
            char ours[64];
            char library[64];
            format_text(ours, sizeof ours, format, value);
            std::snprintf(library, sizeof library, format, value);
            EXPECT_STREQ(ours, library) << format << " " << value;
        }
    }
}

TEST(FormatText, WritesAnyOtherConversionAsItStands) {
    char out[64];
    format_text(out, sizeof out, "[%5d|%x|%%|%12.8e|%", 1, 2, 3.0);
    EXPECT_STREQ(out, "[%5d|%x|%%|%12.8e|%");
}

TEST(FormatText, CutsAtTheBufferAndKeepsTheTerminator) {
    char out[8];
    EXPECT_EQ(format_text(out, sizeof out, "%s-%d", "abcdef", 12345), 7u);
    EXPECT_STREQ(out, "abcdef-");
}

} // namespace
