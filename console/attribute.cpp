#include "console/attribute.h"

#include <cstdio>

namespace {

// Console colour bits are blue, green, red; ANSI colour numbers are red,
// green, blue.
int ansi_colour(unsigned index) {
    return ((index & 1) != 0 ? 4 : 0) | (index & 2) | ((index & 4) != 0 ? 1 : 0);
}

} // namespace

unsigned text_color_attribute(unsigned attribute, int color) {
    return (attribute & 0xF0) | (static_cast<unsigned>(color) & 0x0F);
}

unsigned background_color_attribute(unsigned attribute, int color) {
    return ((static_cast<unsigned>(color) << 4) & 0xF0) | (attribute & 0x0F);
}

std::size_t attribute_sgr(unsigned attribute, char* out, std::size_t size) {
    const unsigned text = attribute & 0x0F;
    const unsigned background = (attribute >> 4) & 0x0F;
    const int written =
        std::snprintf(out, size, "\x1b[%d;%dm", ((text & 8) != 0 ? 90 : 30) + ansi_colour(text),
                      ((background & 8) != 0 ? 100 : 40) + ansi_colour(background));
    return written < 0 ? 0 : static_cast<std::size_t>(written);
}
