// The 16-bit character attribute of a text console: the text colour in bits
// 0-3 and the background colour in bits 4-7.
#pragma once

#include <cstddef>

unsigned text_color_attribute(unsigned attribute, int color);
unsigned background_color_attribute(unsigned attribute, int color);

// The ANSI SGR sequence that shows both colours of an attribute with the
// sixteen standard colour codes, "\x1b[97;107m" at the longest; returns its
// length.
constexpr std::size_t sgr_size = 10;
std::size_t attribute_sgr(unsigned attribute, char (&out)[sgr_size]);
