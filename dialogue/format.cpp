#include "dialogue/format.h"

#include "console/codepage.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
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

// Unsigned integers as base-1e9 limbs, least significant first: enough for
// every finite double times a power of five, 2^53 * 5^1074 < 10^767.
constexpr std::uint32_t limb_base = 1000000000;
constexpr int max_limbs = 90;
constexpr int max_digits = max_limbs * 9;

struct big_number {
    std::uint32_t limbs[max_limbs];
    int count;
};

void multiply(big_number* n, std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (int i = 0; i < n->count; ++i) {
        const std::uint64_t product = static_cast<std::uint64_t>(n->limbs[i]) * factor + carry;
        n->limbs[i] = static_cast<std::uint32_t>(product % limb_base);
        carry = product / limb_base;
    }
    while (carry != 0) {
        n->limbs[n->count++] = static_cast<std::uint32_t>(carry % limb_base);
        carry /= limb_base;
    }
}

// Writes the decimal digits of n, most significant first, without leading
// zeros; returns their count.
int decimal_digits(const big_number* n, char* digits) {
    int length = std::snprintf(digits, 10, "%u", static_cast<unsigned>(n->limbs[n->count - 1]));
    for (int i = n->count - 2; i >= 0; --i) {
        std::snprintf(digits + length, 10, "%09u", static_cast<unsigned>(n->limbs[i]));
        length += 9;
    }
    return length;
}

// The exact decimal digits of a finite, nonzero |value| and the power of ten
// of the first one.
int exact_digits(double value, char* digits, int* exponent10) {
    int exponent2 = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent2);
    std::uint64_t mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    exponent2 -= 53;
    while ((mantissa & 1) == 0) {
        mantissa >>= 1;
        ++exponent2;
    }
    big_number n{};
    n.limbs[0] = static_cast<std::uint32_t>(mantissa % limb_base);
    n.limbs[1] = static_cast<std::uint32_t>(mantissa / limb_base % limb_base);
    n.limbs[2] = static_cast<std::uint32_t>(mantissa / limb_base / limb_base);
    n.count = n.limbs[2] != 0 ? 3 : n.limbs[1] != 0 ? 2 : 1;
    int scale = 0;
    // value = mantissa * 2^e; for e < 0 that is mantissa * 5^-e / 10^-e.
    for (int e = exponent2; e > 0; e -= 28) {
        multiply(&n, std::uint32_t{1} << (e < 28 ? e : 28));
    }
    for (int e = -exponent2; e > 0; e -= 13) {
        std::uint32_t power = 1;
        for (int k = 0; k < (e < 13 ? e : 13); ++k) {
            power *= 5;
        }
        multiply(&n, power);
    }
    if (exponent2 < 0) {
        scale = exponent2;
    }
    const int length = decimal_digits(&n, digits);
    *exponent10 = length - 1 + scale;
    return length;
}

void put_exponential(text_sink* sink, double value, int width, bool left, int precision, bool upper) {
    char text[64];
    std::size_t length = 0;
    if (std::isnan(value) || std::isinf(value)) {
        const char* word = std::isnan(value) ? (upper ? "NAN" : "nan")
                           : value < 0       ? (upper ? "-INF" : "-inf")
                                             : (upper ? "INF" : "inf");
        length = std::strlen(word);
        std::memcpy(text, word, length);
    } else {
        if (precision > 40) {
            precision = 40;
        }
        const int wanted = precision + 1;
        char digits[max_digits + 1];
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
        if (precision > 0) {
            text[length++] = '.';
            std::memcpy(text + length, digits + 1, static_cast<std::size_t>(precision));
            length += static_cast<std::size_t>(precision);
        }
        length += static_cast<std::size_t>(std::snprintf(text + length, sizeof text - length, "%c%c%02d",
                                                         upper ? 'E' : 'e', exponent10 < 0 ? '-' : '+',
                                                         exponent10 < 0 ? -exponent10 : exponent10));
    }
    const int padding = width - static_cast<int>(length);
    if (!left) {
        put_padding(sink, padding);
    }
    put_bytes(sink, text, length);
    if (left) {
        put_padding(sink, padding);
    }
}

} // namespace

std::size_t format_text_v(char* out, std::size_t size, const char* format, std::va_list args) {
    text_sink sink{out, size, 0};
    const char* p = format;
    while (*p != '\0') {
        if (*p != '%') {
            put_bytes(&sink, p++, 1);
            continue;
        }
        // One conversion: %[flags][width][.precision]letter.
        const char* spec = p++;
        while (*p != '\0' && std::strchr("-+ #0", *p) != nullptr) {
            ++p;
        }
        int width = 0;
        for (; *p >= '0' && *p <= '9'; ++p) {
            width = width < 1000 ? width * 10 + (*p - '0') : width;
        }
        int precision = -1;
        if (*p == '.') {
            precision = 0;
            for (++p; *p >= '0' && *p <= '9'; ++p) {
                precision = precision < 1000 ? precision * 10 + (*p - '0') : precision;
            }
        }
        const char letter = *p;
        if (letter == '\0' || std::strchr("diuxXcseE%", letter) == nullptr) {
            put_bytes(&sink, spec, static_cast<std::size_t>(p - spec));
            continue;
        }
        ++p;
        if (letter == 'e' || letter == 'E') {
            const bool left = std::memchr(spec, '-', static_cast<std::size_t>(p - spec)) != nullptr;
            put_exponential(&sink, va_arg(args, double), width, left, precision < 0 ? 6 : precision,
                            letter == 'E');
            continue;
        }
        // The C library agrees everywhere on these.
        char single[32];
        const std::size_t spec_length = static_cast<std::size_t>(p - spec);
        if (spec_length >= sizeof single) {
            put_bytes(&sink, spec, spec_length);
            continue;
        }
        std::memcpy(single, spec, spec_length);
        single[spec_length] = '\0';
        char piece[1024];
        int written = 0;
        switch (letter) {
        case 'd':
        case 'i':
        case 'c':
            written = std::snprintf(piece, sizeof piece, single, va_arg(args, int));
            break;
        case 'u':
        case 'x':
        case 'X':
            written = std::snprintf(piece, sizeof piece, single, va_arg(args, unsigned));
            break;
        case 's':
            written = std::snprintf(piece, sizeof piece, single, va_arg(args, const char*));
            break;
        default:
            written = std::snprintf(piece, sizeof piece, "%%");
            break;
        }
        if (written > 0) {
            put_bytes(&sink, piece,
                      static_cast<std::size_t>(written) < sizeof piece ? static_cast<std::size_t>(written)
                                                                       : sizeof piece - 1);
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
