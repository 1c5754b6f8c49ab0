#include "dialogue/render.h"

#include "console/codepage.h"
#include "dialogue/format.h"
#include "dialogue/messages.h"

#include <cstring>

namespace {

// bytes[0] is the least significant byte.
void print_memory_image(const unsigned char* bytes, int count) {
    print_text(to_console_text(hex_label_text));
    for (int i = count - 1; i > 0; --i) {
        print_text("%02X ", bytes[i]);
    }
    print_text("%02X", bytes[0]);
    print_text(to_console_text(bin_label_text));
    for (int i = count - 1; i >= 0; --i) {
        print_bit_groups(bytes[i]);
    }
    print_text("\n");
}

// The value's bytes in little-endian order, whatever the machine's order.
void little_endian_bytes(std::uint32_t bits, unsigned char* bytes, int count) {
    for (int i = 0; i < count; ++i) {
        bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
    }
}

} // namespace

void render_float(float value) {
    print_text(to_console_text(float_value_format), static_cast<double>(value));
    std::uint32_t bits = 0;
    static_assert(sizeof bits == sizeof value, "a float is four bytes");
    std::memcpy(&bits, &value, sizeof bits);
    unsigned char bytes[4];
    little_endian_bytes(bits, bytes, 4);
    print_memory_image(bytes, 4);
}

void render_integer(std::int32_t value) {
    print_text(to_console_text(integer_value_format), static_cast<int>(value));
    unsigned char bytes[2];
    little_endian_bytes(static_cast<std::uint32_t>(value), bytes, 2);
    print_memory_image(bytes, 2);
}

void print_bit_groups(unsigned char byte) {
    for (unsigned mask = 0x80; mask != 0; mask >>= 1) {
        if (mask == 0x80) {
            print_text("  ");
        } else if (mask == 0x08) {
            print_text(" ");
        }
        print_text("%c", (byte & mask) != 0 ? '1' : '0');
    }
}
