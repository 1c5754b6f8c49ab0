#include "console/attribute.h"

namespace {

// Console colour bits are blue, green, red; ANSI colour numbers are red,
// green, blue.
unsigned ansi_colour(unsigned index) {
    return ((index & 1) != 0 ? 4 : 0) | (index & 2) | ((index & 4) != 0 ? 1 : 0);
}

// A colour code of two or three digits, 30 to 107.
std::size_t put_code(unsigned code, char* out) {
    std::size_t length = 0;
    if (code >= 100) {
        out[length++] = '1';
    }
    out[length++] = static_cast<char>('0' + code / 10 % 10);
    out[length++] = static_cast<char>('0' + code % 10);
    return length;
}

} // namespace

unsigned text_color_attribute(unsigned attribute, int color) {
    return (attribute & 0xF0) | (static_cast<unsigned>(color) & 0x0F);
}

unsigned background_color_attribute(unsigned attribute, int color) {
    return ((static_cast<unsigned>(color) << 4) & 0xF0) | (attribute & 0x0F);
}

std::size_t attribute_sgr(unsigned attribute, char (&out)[sgr_size]) {
    const unsigned text = attribute & 0x0F;
    const unsigned background = (attribute >> 4) & 0x0F;
    std::size_t length = 0;
    out[length++] = '\x1b';
    out[length++] = '[';
    length += put_code(((text & 8) != 0 ? 90 : 30) + ansi_colour(text), out + length);
    out[length++] = ';';
    length += put_code(((background & 8) != 0 ? 100 : 40) + ansi_colour(background), out + length);
    out[length++] = 'm';
    return length;
}
