#include "explain/explain.h"

#include "dialogue/dialogue.h"
#include "dialogue/format.h"
#include "dialogue/scan.h"
#include "explain/decimal.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

namespace {

// The facts being written, cut where they do not fit.
struct facts {
    char* out;
    std::size_t size;
    std::size_t length;
};

void fact(facts* f, const char* name, const char* value) {
    f->length += format_text(f->out + f->length, f->size - f->length, "%s %s\n", name, value);
}

void fact_number(facts* f, const char* name, long value) {
    f->length +=
        format_text(f->out + f->length, f->size - f->length, "%s %d\n", name, static_cast<int>(value));
}

// Every digit, or nothing when they do not fit.
void fact_decimal(facts* f, const char* name, const decimal& value) {
    char text[decimal_capacity + 8];
    if (decimal_format(value, text, sizeof text) > 0) {
        fact(f, name, text);
    }
}

void fact_bits(facts* f, const char* name, std::uint32_t bits, int count) {
    char text[33];
    for (int i = 0; i < count; ++i) {
        text[i] = (bits >> (count - 1 - i) & 1U) != 0 ? '1' : '0';
    }
    text[count] = '\0';
    fact(f, name, text);
}

// Bytes in hexadecimal as the program writes them, most significant first.
void fact_hex(facts* f, const char* name, std::uint32_t bits, int bytes) {
    char text[9];
    std::size_t n = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        n += format_text(text + n, sizeof text - n, "%02X", bits >> (8 * i) & 0xFFU);
    }
    fact(f, name, text);
}

// The bytes of a memory image by address, lowest first, as the
// little-endian machine holds them.
void fact_bytes(facts* f, std::uint32_t bits, int count) {
    char text[12];
    std::size_t n = 0;
    for (int i = 0; i < count; ++i) {
        n +=
            format_text(text + n, sizeof text - n, i + 1 < count ? "%02X " : "%02X", bits >> (8 * i) & 0xFFU);
    }
    fact(f, "bytes", text);
}

float float_from_bits(std::uint32_t bits) {
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::uint32_t bits_of(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The next float up (step 1) or down (step -1) in value, from a pattern
// that is not a NaN and not already the infinity in that direction.
std::uint32_t next_float(std::uint32_t bits, int step) {
    const bool negative = (bits >> 31) != 0;
    if ((bits & 0x7FFFFFFFU) == 0) {
        return step > 0 ? 1U : 0x80000001U; // either zero: the smallest denormals
    }
    return negative == (step > 0) ? bits - 1 : bits + 1;
}

// The value line as the program writes it, without its leading blanks.
void fact_value_line(facts* f, float value) {
    char text[32];
    format_text(text, sizeof text, "%12.8E", static_cast<double>(value));
    const char* start = text;
    while (*start == ' ') {
        ++start;
    }
    fact(f, "value_line", start);
}

// The typed number's exact value, and what it lost on its way to the
// stored float: the difference, also in units of the float's last place.
void fact_conversion(facts* f, const char* line, float stored, bool with_error) {
    const number_run run = find_number(line);
    char text[typing_line_size];
    const std::size_t length = run.length < sizeof text - 1 ? run.length : sizeof text - 1;
    std::memcpy(text, run.start, length);
    text[length] = '\0';
    if (run.form == number_form::none) {
        fact(f, "converted", "none");
        return;
    }
    fact(f, "typed", text);
    decimal typed{};
    if ((run.form != number_form::decimal && run.form != number_form::hexadecimal) ||
        !decimal_from_run(run.start, run.length, run.form == number_form::hexadecimal, &typed)) {
        return;
    }
    fact_decimal(f, "typed_exact", typed);
    if (!with_error) {
        return;
    }
    if (!std::isfinite(stored)) {
        fact(f, "overflow", "1");
        return;
    }
    decimal error{};
    if (!decimal_subtract(typed, decimal_from_double(static_cast<double>(stored)), &error)) {
        return;
    }
    fact_decimal(f, "error", error);
    // The last place of a float is 2^(E - 150), of a denormal 2^-149.
    const int biased = static_cast<int>(bits_of(stored) >> 23 & 0xFFU);
    if (decimal_scale_by_power_of_two(&error, 150 - (biased == 0 ? 1 : biased))) {
        fact_decimal(f, "error_ulp", error);
    }
}

// Does the program read text as exactly this float pattern?
bool reads_as_float(const char* text, std::uint32_t bits) {
    const std::size_t length = std::strlen(text);
    if (length > max_line_length || classify_line(text, length) != line_kind::float_number) {
        return false;
    }
    float value = 0.0F;
    scan_float(text, &value);
    return bits_of(value) == bits;
}

bool reads_as_integer(const char* text, long wanted) {
    const std::size_t length = std::strlen(text);
    if (length > max_line_length || classify_line(text, length) != line_kind::integer_number) {
        return false;
    }
    float value = 0.0F;
    scan_float(text, &value);
    return value > -32769.0F && value < 32768.0F && static_cast<long>(value) == wanted;
}

// The shortest of the candidate lines that reads as what is wanted.
struct line_choice {
    char (&best)[typing_line_size];
    bool found;
};

template <typename Reads> void consider(line_choice* choice, const char* text, Reads reads) {
    const std::size_t length = std::strlen(text);
    if ((!choice->found || length < std::strlen(choice->best)) && reads(text)) {
        std::memcpy(choice->best, text, length + 1);
        choice->found = true;
    }
}

// A digit string and power of ten in the forms the program's validation
// lets through: plain ("-0.0015", ".1", "340000."), and for a positive
// number with an exponent ("1.4e-45", "3.4028235e38-", where the "-"
// ends the part that is validated).
struct written {
    char text[256];
};

bool append(written* w, std::size_t* n, const char* text, std::size_t count) {
    if (*n + count >= sizeof w->text) {
        return false;
    }
    std::memcpy(w->text + *n, text, count);
    *n += count;
    w->text[*n] = '\0';
    return true;
}

bool append_number(written* w, std::size_t* n, long value) {
    char text[16];
    const std::size_t length = format_text(text, sizeof text, "%d", static_cast<int>(value));
    return append(w, n, text, length);
}

template <typename Reads>
void consider_decimal_forms(line_choice* choice, const char* digits, int count, int power, bool negative,
                            Reads reads) {
    written w{};
    std::size_t n = 0;
    // Plain: the point where the digits put it.
    bool fits = !negative || append(&w, &n, "-", 1);
    const int top = count + power;
    if (top <= 0) {
        fits = fits && append(&w, &n, ".", 1);
        for (int i = 0; i < -top && fits; ++i) {
            fits = append(&w, &n, "0", 1);
        }
        fits = fits && append(&w, &n, digits, static_cast<std::size_t>(count));
    } else if (top < count) {
        fits = fits && append(&w, &n, digits, static_cast<std::size_t>(top)) && append(&w, &n, ".", 1) &&
               append(&w, &n, digits + top, static_cast<std::size_t>(count - top));
    } else {
        fits = fits && append(&w, &n, digits, static_cast<std::size_t>(count));
        for (int i = 0; i < power && fits; ++i) {
            fits = append(&w, &n, "0", 1);
        }
        fits = fits && append(&w, &n, ".", 1);
    }
    if (fits) {
        consider(choice, w.text, reads);
    }
    if (negative) {
        return; // after the sign's "-" only digits and points may follow
    }
    // With the same length, the familiar forms first: "1.5e-40", then
    // "15e-41." with the point after the exponent, then the point at
    // either end of the digits.
    for (int order = 0; order <= count + 1; ++order) {
        const int point = order < count - 1    ? order + 1
                          : order == count - 1 ? -1
                          : order == count     ? 0
                                               : count;
        const int exponent = power + count - (point < 0 ? count : point);
        if (exponent == 0 || (count == 1 && point == 1)) {
            continue;
        }
        n = 0;
        const bool mantissa =
            point < 0 ? append(&w, &n, digits, static_cast<std::size_t>(count))
                      : append(&w, &n, digits, static_cast<std::size_t>(point)) && append(&w, &n, ".", 1) &&
                            append(&w, &n, digits + point, static_cast<std::size_t>(count - point));
        if (mantissa && append(&w, &n, "e", 1) && append_number(&w, &n, exponent) &&
            (exponent < 0 || append(&w, &n, "-", 1)) && (point >= 0 || append(&w, &n, ".", 1))) {
            consider(choice, w.text, reads);
        }
    }
}

// A positive float as a hexadecimal number: significand * 2^power.
template <typename Reads>
void consider_hexadecimal_forms(line_choice* choice, std::uint32_t significand, int power, Reads reads) {
    while ((significand & 0xFU) == 0) {
        significand >>= 4;
        power += 4;
    }
    char digits[8];
    int count = 0;
    for (std::uint32_t rest = significand; rest != 0; rest >>= 4) {
        ++count;
    }
    for (int i = 0; i < count; ++i) {
        digits[i] = "0123456789abcdef"[significand >> (4 * (count - 1 - i)) & 0xFU];
    }
    for (int point = 0; point <= count; ++point) {
        const int exponent = power + 4 * (count - point);
        written w{};
        std::size_t n = 0;
        if (append(&w, &n, "0x", 2) && append(&w, &n, digits, static_cast<std::size_t>(point)) &&
            append(&w, &n, ".", 1) &&
            append(&w, &n, digits + point, static_cast<std::size_t>(count - point)) &&
            (exponent == 0 || (append(&w, &n, "p", 1) && append_number(&w, &n, exponent))) &&
            (exponent < 0 || append(&w, &n, "-", 1))) {
            consider(choice, w.text, reads);
        }
    }
}

// Adds one to the last of count digits; returns the new count.
int increment(char* digits, int count) {
    int i = count - 1;
    for (; i >= 0 && digits[i] == '9'; --i) {
        digits[i] = '0';
    }
    if (i >= 0) {
        ++digits[i];
        return count;
    }
    std::memmove(digits + 1, digits, static_cast<std::size_t>(count));
    digits[0] = '1';
    return count + 1;
}

} // namespace

bool float_typing_line(std::uint32_t bits, char (&line)[typing_line_size]) {
    line_choice choice{line, false};
    const auto reads = [bits](const char* text) { return reads_as_float(text, bits); };
    // Zero is what a line that converts nothing gives; minus infinity
    // must be written in plain digits, 39 of them.
    for (const char* special : {".", "-0.", "inf-.", "nan-."}) {
        consider(&choice, special, reads);
    }
    written w{};
    std::size_t n = 0;
    append(&w, &n, "-4", 2);
    for (int i = 0; i < 38; ++i) {
        append(&w, &n, "0", 1);
    }
    append(&w, &n, ".", 1);
    consider(&choice, w.text, reads);
    const float value = float_from_bits(bits);
    if (std::isfinite(value) && value != 0) {
        const decimal exact = decimal_from_double(static_cast<double>(value));
        const bool negative = exact.negative;
        // Each number of significant digits, rounded down and up: the
        // shortest line is among them, or is the exact value itself.
        for (int count = 1; count <= exact.count && count <= 17; ++count) {
            char digits[20];
            std::memcpy(digits, exact.digits, static_cast<std::size_t>(count));
            const int power = exact.exponent + exact.count - count;
            char up[20];
            std::memcpy(up, digits, static_cast<std::size_t>(count));
            const int up_count = increment(up, count);
            // The nearer one first, so that it wins a tie in length.
            const bool round_up = count < exact.count && exact.digits[count] >= '5';
            for (int pass = 0; pass < 2; ++pass) {
                if ((pass == 0) == round_up) {
                    consider_decimal_forms(&choice, up, up_count, power + (up_count - count), negative,
                                           reads);
                } else {
                    consider_decimal_forms(&choice, digits, count, power, negative, reads);
                }
            }
        }
        if (exact.count <= 59) {
            consider_decimal_forms(&choice, exact.digits, exact.count, exact.exponent, negative, reads);
        }
        if (!negative) {
            const int biased = static_cast<int>(bits >> 23 & 0xFFU);
            const std::uint32_t significand = (bits & 0x7FFFFFU) | (biased != 0 ? 0x800000U : 0U);
            consider_hexadecimal_forms(&choice, significand, (biased != 0 ? biased : 1) - 150, reads);
        }
    }
    return choice.found;
}

bool integer_typing_line(std::uint16_t bits, char (&line)[typing_line_size]) {
    line_choice choice{line, false};
    const long value = static_cast<std::int16_t>(bits);
    const auto reads = [value](const char* text) { return reads_as_integer(text, value); };
    written w{};
    std::size_t n = 0;
    append_number(&w, &n, value);
    consider(&choice, w.text, reads);
    // Trailing zeros as a power of ten: "2e4-" is 20000.
    long mantissa = value;
    for (int zeros = 1; mantissa > 0 && mantissa % 10 == 0; ++zeros) {
        mantissa /= 10;
        n = 0;
        if (append_number(&w, &n, mantissa) && append(&w, &n, "e", 1) && append_number(&w, &n, zeros) &&
            append(&w, &n, "-", 1)) {
            consider(&choice, w.text, reads);
        }
    }
    return choice.found;
}

std::size_t explain_float(std::uint32_t bits, char* out, std::size_t size) {
    facts f{out, size, 0};
    if (size > 0) {
        out[0] = '\0'; // the facts so far: none
    }
    fact(&f, "kind", "float");
    fact_hex(&f, "pattern", bits, 4);
    const int biased = static_cast<int>(bits >> 23 & 0xFFU);
    const std::uint32_t fraction = bits & 0x7FFFFFU;
    fact_bits(&f, "bits", bits, 32);
    fact(&f, "sign", (bits >> 31) != 0 ? "1" : "0");
    fact_bits(&f, "exponent_bits", static_cast<std::uint32_t>(biased), 8);
    fact_number(&f, "exponent", biased);
    fact_bits(&f, "fraction_bits", fraction, 23);
    const char* kind = "normal";
    if (biased == 0) {
        kind = fraction == 0 ? "zero" : "denormal";
    } else if (biased == 255) {
        kind = fraction == 0 ? "infinity" : (fraction & 0x400000U) != 0 ? "quiet_nan" : "signalling_nan";
    }
    fact(&f, "class", kind);
    const float value = float_from_bits(bits);
    fact_value_line(&f, value);
    fact_bytes(&f, bits, 4);
    if (biased != 255) {
        fact_number(&f, "power", biased == 0 ? -126 : biased - 127);
        char significand[26] = "1.";
        significand[0] = biased == 0 ? '0' : '1';
        for (int i = 0; i < 23; ++i) {
            significand[2 + i] = (fraction >> (22 - i) & 1U) != 0 ? '1' : '0';
        }
        significand[25] = '\0';
        fact(&f, "significand", significand);
        const decimal stored = decimal_from_double(static_cast<double>(value));
        fact_decimal(&f, "stored", stored);
        // The neighbours in value; next to the largest float is infinity.
        const char* names[2][3] = {{"below", "gap_below", "previous"}, {"above", "gap_above", "next"}};
        for (int side = 0; side < 2; ++side) {
            const std::uint32_t neighbour = next_float(bits, side == 0 ? -1 : 1);
            fact_hex(&f, names[side][2], neighbour, 4);
            const float next = float_from_bits(neighbour);
            if (!std::isfinite(next)) {
                fact(&f, names[side][0], side == 0 ? "-INF" : "INF");
                continue;
            }
            const decimal near = decimal_from_double(static_cast<double>(next));
            fact_decimal(&f, names[side][0], near);
            decimal gap{};
            if (side == 0 ? decimal_subtract(stored, near, &gap) : decimal_subtract(near, stored, &gap)) {
                fact_decimal(&f, names[side][1], gap);
            }
        }
    } else if (fraction == 0) {
        // From an infinity, only back towards the finite floats.
        fact_hex(&f, (bits >> 31) != 0 ? "next" : "previous", (bits >> 31) != 0 ? 0xFF7FFFFFU : 0x7F7FFFFFU,
                 4);
    }
    char line[typing_line_size];
    if (float_typing_line(bits, line)) {
        fact(&f, "line", line);
    }
    return f.length;
}

std::size_t explain_integer(std::uint16_t bits, char* out, std::size_t size) {
    facts f{out, size, 0};
    if (size > 0) {
        out[0] = '\0'; // the facts so far: none
    }
    const long value = static_cast<std::int16_t>(bits);
    fact(&f, "kind", "integer");
    fact_hex(&f, "pattern", bits, 2);
    fact_bits(&f, "bits", bits, 16);
    fact_number(&f, "value", value);
    fact_bytes(&f, bits, 2);
    // The weights of the bits that are set; the sign bit weighs -32768.
    char weights[16 * 8] = "";
    std::size_t n = 0;
    for (int bit = 15; bit >= 0; --bit) {
        if ((bits >> bit & 1U) != 0) {
            written w{};
            std::size_t length = 0;
            append_number(&w, &length, bit == 15 ? -32768L : 1L << bit);
            if (n > 0) {
                weights[n++] = ' ';
            }
            std::memcpy(weights + n, w.text, length + 1);
            n += length;
        }
    }
    fact(&f, "weights", weights);
    if (value < 0) {
        const std::uint16_t inverted = static_cast<std::uint16_t>(~bits);
        fact_bits(&f, "inverted", inverted, 16);
        fact_number(&f, "inverted_value", inverted);
        fact_number(&f, "magnitude", inverted + 1L);
    }
    if (value > -32768) {
        fact_hex(&f, "previous", static_cast<std::uint16_t>(bits - 1), 2);
    }
    if (value < 32767) {
        fact_hex(&f, "next", static_cast<std::uint16_t>(bits + 1), 2);
    }
    char line[typing_line_size];
    if (integer_typing_line(bits, line)) {
        fact(&f, "line", line);
    }
    return f.length;
}

std::size_t explain_line(const char* line, std::size_t length, char* out, std::size_t size) {
    facts f{out, size, 0};
    if (size > 0) {
        out[0] = '\0'; // the facts so far: none
    }
    const line_kind kind = classify_line(line, length);
    if (kind == line_kind::exit_request) {
        fact(&f, "kind", "exit");
        return f.length;
    }
    if (kind == line_kind::invalid) {
        fact(&f, "kind", "invalid");
        if (length > max_line_length) {
            fact_number(&f, "long", static_cast<long>(length));
            return f.length;
        }
        const std::size_t bad = first_invalid_byte(line, length);
        const void* dash = std::memchr(line, '-', length);
        fact_number(&f, "position", static_cast<long>(bad) + 1);
        fact_hex(&f, "byte", static_cast<unsigned char>(line[bad]), 1);
        fact_number(&f, "dash",
                    dash != nullptr ? static_cast<long>(static_cast<const char*>(dash) - line) + 1 : 0);
        return f.length;
    }
    float value = 0.0F;
    scan_float(line, &value);
    if (kind == line_kind::float_number) {
        f.length += explain_float(bits_of(value), f.out + f.length, f.size - f.length);
        fact_conversion(&f, line, value, true);
        return f.length;
    }
    if (!(value > -32769.0F && value < 32768.0F)) {
        fact(&f, "kind", "too_large");
        fact_value_line(&f, value);
        if (std::isfinite(value)) {
            fact_decimal(&f, "float", decimal_from_double(static_cast<double>(value)));
        }
        fact_conversion(&f, line, value, false);
        return f.length;
    }
    const long truncated = static_cast<long>(value);
    f.length += explain_integer(static_cast<std::uint16_t>(truncated), f.out + f.length, f.size - f.length);
    if (find_number(line).form == number_form::none) {
        fact(&f, "converted", "none");
    } else if (static_cast<float>(truncated) != value) {
        fact_decimal(&f, "float", decimal_from_double(static_cast<double>(value)));
    }
    return f.length;
}
