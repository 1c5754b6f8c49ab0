#include "console/codepage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string console_text(const std::string& text) {
    return to_console_text(text.c_str());
}

std::string utf8(const std::string& cp852) {
    char out[64];
    std::size_t length = 0;
    const std::size_t taken = cp852_to_utf8(cp852.data(), cp852.size(), out, sizeof out, &length);
    EXPECT_EQ(taken, cp852.size());
    return std::string(out, length);
}

TEST(ToConsoleText, TranslatesEveryHungarianLetter) {
    const struct {
        const char* windows1250;
        const char* cp852;
        const char* letter;
    } letters[] = {
        {"\xE1", "\xA0", "a-acute"},  {"\xC1", "\xB5", "A-acute"},        {"\xE9", "\x82", "e-acute"},
        {"\xC9", "\x90", "E-acute"},  {"\xED", "\xA1", "i-acute"},        {"\xCD", "\xD6", "I-acute"},
        {"\xF3", "\xA2", "o-acute"},  {"\xD3", "\xE0", "O-acute"},        {"\xF6", "\x94", "o-umlaut"},
        {"\xD6", "\x99", "O-umlaut"}, {"\xF5", "\x8B", "o-double-acute"}, {"\xD5", "\x8A", "O-double-acute"},
        {"\xFA", "\xA3", "u-acute"},  {"\xDA", "\xE9", "U-acute"},        {"\xFC", "\x81", "u-umlaut"},
        {"\xDC", "\x9A", "U-umlaut"}, {"\xFB", "\xFB", "u-double-acute"}, {"\xDB", "\xEB", "U-double-acute"},
    };
    for (const auto& l : letters) {
        EXPECT_EQ(console_text(l.windows1250), l.cp852) << l.letter;
    }
}

TEST(ToConsoleText, KeepsEverythingElseAndTheLength) {
    EXPECT_EQ(console_text("t\xE1rol\xE1si"), "t\xA0rol\xA0si");
    EXPECT_EQ(console_text("\xC9rv\xE9nytelen"), "\x90rv\x82nytelen");
    EXPECT_EQ(console_text("  :  %12.8E %d\n"), "  :  %12.8E %d\n");
    EXPECT_EQ(console_text("--\x10 \xE4\xF8"), "--\x10 \xE4\xF8");
    EXPECT_EQ(console_text(""), "");
}

TEST(ToConsoleText, EachCallOverwritesTheLastResult) {
    const char* first = to_console_text("\xE1");
    const char* second = to_console_text("b");
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, "b");
}

TEST(ToConsoleText, CutsLongTextsToTheBuffer) {
    const std::string long_text(1000, 'x');
    EXPECT_EQ(console_text(long_text), std::string(console_text_size - 1, 'x'));
}

TEST(Cp852ToUtf8, ShowsBytesAsTheConsoleFontDoes) {
    EXPECT_EQ(utf8("t\xA0rol\xA0si"), "t\xC3\xA1rol\xC3\xA1si");
    EXPECT_EQ(utf8("--\x10"), "--\xE2\x96\xBA");                             // U+25BA
    EXPECT_EQ(utf8("\x8B\x90\xFB\xEB"), "\xC5\x91\xC3\x89\xC5\xB1\xC5\xB0"); // o" E' u" U"
    EXPECT_EQ(utf8("\xB0\xFE\xFF"), "\xE2\x96\x91\xE2\x96\xA0\xC2\xA0");     // shade, square, nbsp
    EXPECT_EQ(utf8("a\n\x01\x7F"), "a\n\x01\x7F");
}

TEST(Cp852ToUtf8, StopsBeforeACharacterThatDoesNotFit) {
    char out[4];
    std::size_t length = 0;
    EXPECT_EQ(cp852_to_utf8("a\xA0\x10", 3, out, sizeof out, &length), 2u);
    EXPECT_EQ(std::string(out, length), "a\xC3\xA1");
}

} // namespace
