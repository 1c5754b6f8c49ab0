// Shows a value as the machine holds it, then its memory image in
// hexadecimal and in bits, most significant byte first.
#pragma once

#include <cstdint>

void render_float(float value);
// value is within -32768..32767; its low two bytes are shown.
void render_integer(std::int32_t value);
// Two blanks, the high four bits, one blank, the low four bits.
void print_bit_groups(unsigned char byte);
