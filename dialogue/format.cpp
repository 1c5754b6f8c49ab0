#include "dialogue/format.h"

#include "console/codepage.h"
#include "dialogue/exact.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// Appends to a fixed buffer, dropping what does not fit.
struct text_sink {
    char* out;
    std::size_t size;
    std::size_t length;
};

void put_bytes(text_sink* sink, const char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count && sink->length + 1 < sink->size; ++i) {
        sink->out[sink->length++] = bytes[i];
    }
}

void put_padding(text_sink* sink, int count) {
    for (int i = 0; i < count; ++i) {
        put_bytes(sink, " ", 1);
    }
}

// The value line, "%12.8E": nine significant digits rounded half away from
// zero, which no C runtime's printf promises, two exponent digits at least,
// and INF, -INF or NAN (never a sign on the NaN), right-aligned in twelve
// columns.
void put_value(text_sink* sink, double value) {
    constexpr int width = 12;
    constexpr int precision = 8;
    char text[32];
    std::size_t length = 0;
    if (std::isnan(value) || std::isinf(value)) {
        const char* word = std::isnan(value) ? "NAN" : value < 0 ? "-INF" : "INF";
        length = std::strlen(word);
        std::memcpy(text, word, length);
    } else {
        const int wanted = precision + 1;
        char digits[max_exact_digits + 1];
        int exponent10 = 0;
        int count = 0;
        if (value != 0) {
            count = exact_digits(value, digits, &exponent10);
        }
        for (; count < wanted + 1; ++count) {
            digits[count] = '0';
        }
        // Half away from zero: the digit after the last one kept decides.
        if (digits[wanted] >= '5') {
            int i = wanted - 1;
            for (; i >= 0 && digits[i] == '9'; --i) {
                digits[i] = '0';
            }
            if (i >= 0) {
                ++digits[i];
            } else {
                digits[0] = '1';
                ++exponent10;
            }
        }
        if (std::signbit(value)) {
            text[length++] = '-';
        }
        text[length++] = digits[0];
        text[length++] = '.';
        std::memcpy(text + length, digits + 1, precision);
        length += precision;
        text[length++] = 'E';
        text[length++] = exponent10 < 0 ? '-' : '+';
        const int magnitude = exponent10 < 0 ? -exponent10 : exponent10;
        if (magnitude >= 100) {
            text[length++] = static_cast<char>('0' + magnitude / 100);
        }
        text[length++] = static_cast<char>('0' + magnitude / 10 % 10);
        text[length++] = static_cast<char>('0' + magnitude % 10);
    }
    put_padding(sink, width - static_cast<int>(length));
    put_bytes(sink, text, length);
}

// At least min_digits digits, upper-case in base 16.
void put_unsigned(text_sink* sink, unsigned value, unsigned base, std::size_t min_digits) {
    char digits[32];
    char* end = digits + sizeof digits;
    std::size_t length = 0;
    for (; value != 0 || length < min_digits; value /= base) {
        *--end = "0123456789ABCDEF"[value % base];
        ++length;
    }
    put_bytes(sink, end, length);
}

bool starts_with(const char* text, const char* prefix) {
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

} // namespace

// NOLINTNEXTLINE(readability-non-const-parameter): a va_list that is a pointer (Windows) is moved by va_arg
std::size_t format_text_v(char* out, std::size_t size, const char* format, std::va_list args) {
    text_sink sink{out, size, 0};
    for (const char* p = format; *p != '\0';) {
        if (starts_with(p, "%12.8E")) {
            put_value(&sink, va_arg(args, double));
            p += 6;
        } else if (starts_with(p, "%02X")) {
            put_unsigned(&sink, va_arg(args, unsigned), 16, 2);
            p += 4;
        } else if (starts_with(p, "%d")) {
            const int value = va_arg(args, int);
            if (value < 0) {
                put_bytes(&sink, "-", 1);
            }
            put_unsigned(&sink, value < 0 ? 0U - static_cast<unsigned>(value) : static_cast<unsigned>(value),
                         10, 1);
            p += 2;
        } else if (starts_with(p, "%c")) {
            const char c = static_cast<char>(va_arg(args, int));
            put_bytes(&sink, &c, 1);
            p += 2;
        } else if (starts_with(p, "%s")) {
            const char* text = va_arg(args, const char*);
            put_bytes(&sink, text, std::strlen(text));
            p += 2;
        } else {
            put_bytes(&sink, p++, 1); // text, or a % of no conversion the program writes
        }
    }
    if (size > 0) {
        out[sink.length] = '\0';
    }
    return sink.length;
}

std::size_t format_text(char* out, std::size_t size, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const std::size_t length = format_text_v(out, size, format, args);
    va_end(args);
    return length;
}

void print_text(const char* format, ...) {
    char text[1024];
    std::va_list args;
    va_start(args, format);
    const std::size_t length = format_text_v(text, sizeof text, format, args);
    va_end(args);
    write_console_bytes(text, length);
}
