#include "console/codepage.h"

#include <cstdio>

namespace {

// The Hungarian letters in Windows-1250, each small letter followed by its
// capital, and their code page 852 values in the same order.
const char letter_table[] = "\xE1\xC1\xE9\xC9\xED\xCD\xF3\xD3\xF6\xD6\xF5\xD5\xFA\xDA\xFC\xDC\xFB\xDB";
const char code_table[] = "\xA0\xB5\x82\x90\xA1\xD6\xA2\xE0\x94\x99\x8B\x8A\xA3\xE9\x81\x9A\xFB\xEB";
static_assert(sizeof letter_table == 19 && sizeof code_table == 19, "18 letters and a terminator");

char translation_buffer[console_text_size];

// Unicode code points of the code page 852 bytes 0x80 to 0xFF.
const unsigned short cp852_upper_half[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x016F, 0x0107, 0x00E7, 0x0142, 0x00EB, 0x0150, 0x0151, 0x00EE,
    0x0179, 0x00C4, 0x0106, 0x00C9, 0x0139, 0x013A, 0x00F4, 0x00F6, 0x013D, 0x013E, 0x015A, 0x015B, 0x00D6,
    0x00DC, 0x0164, 0x0165, 0x0141, 0x00D7, 0x010D, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x0104, 0x0105, 0x017D,
    0x017E, 0x0118, 0x0119, 0x00AC, 0x017A, 0x010C, 0x015F, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x00C1, 0x00C2, 0x011A, 0x015E, 0x2563, 0x2551, 0x2557, 0x255D, 0x017B, 0x017C, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x0102, 0x0103, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x00A4, 0x0111, 0x0110, 0x010E, 0x00CB, 0x010F, 0x0147, 0x00CD, 0x00CE, 0x011B, 0x2518, 0x250C,
    0x2588, 0x2584, 0x0162, 0x016E, 0x2580, 0x00D3, 0x00DF, 0x00D4, 0x0143, 0x0144, 0x0148, 0x0160, 0x0161,
    0x0154, 0x00DA, 0x0155, 0x0170, 0x00FD, 0x00DD, 0x0163, 0x00B4, 0x00AD, 0x02DD, 0x02DB, 0x02C7, 0x02D8,
    0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x02D9, 0x0171, 0x0158, 0x0159, 0x25A0, 0x00A0,
};

constexpr unsigned right_pointing_triangle = 0x25BA;

} // namespace

const char* to_console_text(const char* text) {
    translation_buffer[0] = '\0';
    std::size_t i = 0;
    for (; text[i] != '\0' && i < console_text_size - 1; ++i) {
        translation_buffer[i] = text[i];
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            continue; // ASCII holds none of the letters
        }
        for (std::size_t k = 0; k < sizeof letter_table; ++k) {
            if (letter_table[k] == text[i]) {
                translation_buffer[i] = code_table[k];
                break;
            }
        }
    }
    translation_buffer[i] = '\0';
    return translation_buffer;
}

std::size_t cp852_to_utf8(const char* bytes, std::size_t length, char* out, std::size_t out_size,
                          std::size_t* out_length) {
    std::size_t taken = 0;
    std::size_t written = 0;
    for (; taken < length; ++taken) {
        const unsigned char byte = static_cast<unsigned char>(bytes[taken]);
        unsigned code = byte;
        if (byte == 0x10) {
            code = right_pointing_triangle;
        } else if (byte >= 0x80) {
            code = cp852_upper_half[byte - 0x80];
        }
        char encoded[3];
        std::size_t size = 0;
        if (code < 0x80) {
            encoded[size++] = static_cast<char>(code);
        } else if (code < 0x800) {
            encoded[size++] = static_cast<char>(0xC0 | (code >> 6));
            encoded[size++] = static_cast<char>(0x80 | (code & 0x3F));
        } else {
            encoded[size++] = static_cast<char>(0xE0 | (code >> 12));
            encoded[size++] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            encoded[size++] = static_cast<char>(0x80 | (code & 0x3F));
        }
        if (out_size - written < size) {
            break;
        }
        for (std::size_t k = 0; k < size; ++k) {
            out[written++] = encoded[k];
        }
    }
    *out_length = written;
    return taken;
}

void write_console_bytes(const char* bytes, std::size_t length) {
#if defined(_WIN32)
    // The Windows console shows code page 852 itself.
    std::fwrite(bytes, 1, length, stdout);
#else
    // A Linux terminal shows UTF-8.
    char chunk[256];
    while (length > 0) {
        std::size_t chunk_length = 0;
        const std::size_t taken = cp852_to_utf8(bytes, length, chunk, sizeof chunk, &chunk_length);
        std::fwrite(chunk, 1, chunk_length, stdout);
        bytes += taken;
        length -= taken;
    }
#endif
}
