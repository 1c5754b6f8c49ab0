#include "console/attribute.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Attribute, ColourArithmetic) {
    // The start-up calls on a light grey on black console.
    EXPECT_EQ(background_color_attribute(0x07, 7), 0x77u);
    EXPECT_EQ(text_color_attribute(0x77, 1), 0x71u);
    EXPECT_EQ(text_color_attribute(0x72, 12), 0x7Cu);
    EXPECT_EQ(background_color_attribute(0x1F, 7), 0x7Fu);
    // High bits of the colour are dropped, bits above 7 cleared.
    EXPECT_EQ(text_color_attribute(0x70, 18), 0x72u);
    EXPECT_EQ(background_color_attribute(0x07, 18), 0x27u);
    EXPECT_EQ(text_color_attribute(0xFF17, 2), 0x12u);
    EXPECT_EQ(background_color_attribute(0xFF17, 2), 0x27u);
}

TEST(Attribute, SgrShowsBothColoursWithTheStandardCodes) {
    const struct {
        unsigned attribute;
        const char* sgr;
    } cases[] = {
        {0x07, "\x1b[37;40m"},  {0x71, "\x1b[34;47m"},  {0x72, "\x1b[32;47m"}, {0x70, "\x1b[30;47m"},
        {0x7C, "\x1b[91;47m"},  {0x36, "\x1b[33;46m"},  {0x4B, "\x1b[96;41m"}, {0xD9, "\x1b[94;105m"},
        {0xF8, "\x1b[90;107m"}, {0xEF, "\x1b[97;103m"},
    };
    for (const auto& c : cases) {
        char out[sgr_size];
        const std::size_t length = attribute_sgr(c.attribute, out);
        EXPECT_EQ(std::string(out, length), c.sgr) << c.attribute;
    }
}

} // namespace
