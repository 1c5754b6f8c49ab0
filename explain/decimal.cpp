#include "explain/decimal.h"

#include "dialogue/exact.h"

#include <cmath>
#include <cstring>

namespace {

void normalise(decimal* d) {
    int zeros = 0;
    while (zeros < d->count && d->digits[zeros] == '0') {
        ++zeros;
    }
    std::memmove(d->digits, d->digits + zeros, static_cast<std::size_t>(d->count - zeros));
    d->count -= zeros;
    while (d->count > 0 && d->digits[d->count - 1] == '0') {
        --d->count;
        ++d->exponent;
    }
    if (d->count == 0) {
        d->exponent = 0;
        d->negative = false;
    }
}

// digits * factor + addend, in place; false when they do not fit.
bool multiply_add(decimal* d, int factor, int addend) {
    int carry = addend;
    for (int i = d->count - 1; i >= 0; --i) {
        const int product = (d->digits[i] - '0') * factor + carry;
        d->digits[i] = static_cast<char>('0' + product % 10);
        carry = product / 10;
    }
    while (carry != 0) {
        if (d->count == decimal_capacity) {
            return false;
        }
        std::memmove(d->digits + 1, d->digits, static_cast<std::size_t>(d->count));
        d->digits[0] = static_cast<char>('0' + carry % 10);
        ++d->count;
        carry /= 10;
    }
    return true;
}

int hex_value(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    return (c | 0x20) - 'a' + 10;
}

// Compares magnitudes.
int compare_magnitude(const decimal& a, const decimal& b) {
    if (a.count == 0 || b.count == 0) {
        return a.count == b.count ? 0 : a.count == 0 ? -1 : 1;
    }
    const int a_top = a.count + a.exponent;
    const int b_top = b.count + b.exponent;
    if (a_top != b_top) {
        return a_top < b_top ? -1 : 1;
    }
    for (int i = 0; i < a.count || i < b.count; ++i) {
        const char x = i < a.count ? a.digits[i] : '0';
        const char y = i < b.count ? b.digits[i] : '0';
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return 0;
}

// The digit of d at power of ten p.
int digit_at(const decimal& d, int p) {
    const int index = d.count - 1 - (p - d.exponent);
    return index >= 0 && index < d.count ? d.digits[index] - '0' : 0;
}

} // namespace

decimal decimal_from_double(double value) {
    decimal d{};
    d.negative = std::signbit(value);
    if (value != 0) {
        int exponent10 = 0;
        static_assert(max_exact_digits <= decimal_capacity, "room for every double");
        d.count = exact_digits(value, d.digits, &exponent10);
        d.exponent = exponent10 - (d.count - 1);
    }
    normalise(&d);
    return d;
}

bool decimal_from_run(const char* run, std::size_t length, bool hexadecimal, decimal* out) {
    decimal& d = *out;
    d = decimal{};
    std::size_t i = 0;
    const bool negative = run[0] == '-';
    if (run[0] == '-' || run[0] == '+') {
        ++i;
    }
    if (hexadecimal) {
        i += 2;
    }
    // Mantissa digits, and how many of them follow the point.
    int fraction_digits = 0;
    bool point = false;
    for (; i < length && run[i] != 'e' && run[i] != 'E' && run[i] != 'p' && run[i] != 'P'; ++i) {
        if (run[i] == '.') {
            point = true;
            continue;
        }
        if (!multiply_add(&d, hexadecimal ? 16 : 10, hexadecimal ? hex_value(run[i]) : run[i] - '0')) {
            return false;
        }
        fraction_digits += point ? 1 : 0;
    }
    long exponent = 0;
    if (i < length) {
        ++i;
        const bool negative_exponent = run[i] == '-';
        if (run[i] == '-' || run[i] == '+') {
            ++i;
        }
        for (; i < length; ++i) {
            // Beyond this, no digits could show the number anyway.
            if (exponent < 100000000) {
                exponent = exponent * 10 + (run[i] - '0');
            }
        }
        exponent = negative_exponent ? -exponent : exponent;
    }
    normalise(&d);
    d.negative = negative && d.count > 0;
    if (d.count == 0) {
        return true;
    }
    if (hexadecimal) {
        const long power = exponent - 4L * fraction_digits;
        return power > -4L * decimal_capacity && power < 4L * decimal_capacity &&
               decimal_scale_by_power_of_two(&d, static_cast<int>(power));
    }
    const long power = exponent - fraction_digits;
    if (power + d.count > decimal_capacity || power < -decimal_capacity) {
        return false;
    }
    d.exponent = static_cast<int>(power);
    return true;
}

bool decimal_subtract(const decimal& a, const decimal& b, decimal* out) {
    decimal& d = *out;
    d = decimal{};
    // a - b = a + (-b): add or subtract magnitudes.
    const bool b_negative = !b.negative && b.count > 0;
    const int order = compare_magnitude(a, b);
    const decimal& big = order >= 0 ? a : b;
    const decimal& small = order >= 0 ? b : a;
    const bool big_negative = order >= 0 ? a.negative : b_negative;
    const bool add = a.negative == b_negative;
    const int low = (a.count == 0   ? b.exponent
                     : b.count == 0 ? a.exponent
                                    : (a.exponent < b.exponent ? a.exponent : b.exponent));
    const int high = (big.count + big.exponent) + 1;
    if (high - low > decimal_capacity) {
        return false;
    }
    d.count = high - low;
    d.exponent = low;
    int carry = 0;
    for (int p = low; p < high; ++p) {
        int digit = add ? digit_at(big, p) + digit_at(small, p) + carry
                        : digit_at(big, p) - digit_at(small, p) - carry;
        carry = 0;
        if (digit >= 10) {
            digit -= 10;
            carry = 1;
        } else if (digit < 0) {
            digit += 10;
            carry = 1;
        }
        d.digits[d.count - 1 - (p - low)] = static_cast<char>('0' + digit);
    }
    d.negative = big_negative;
    normalise(&d);
    return true;
}

bool decimal_scale_by_power_of_two(decimal* value, int power) {
    // 2^-k = 5^k / 10^k.
    for (; power > 0; --power) {
        if (!multiply_add(value, 2, 0)) {
            return false;
        }
    }
    for (; power < 0; ++power) {
        if (!multiply_add(value, 5, 0)) {
            return false;
        }
        --value->exponent;
    }
    normalise(value);
    return true;
}

std::size_t decimal_format(const decimal& value, char* out, std::size_t size) {
    const int top = value.count + value.exponent; // digits before the point
    const int integer_digits = top > 0 ? top : 1;
    const int fraction_digits = value.exponent < 0 ? -value.exponent : 0;
    const std::size_t length = (value.negative ? 1U : 0U) + static_cast<std::size_t>(integer_digits) +
                               (fraction_digits > 0 ? 1U + static_cast<std::size_t>(fraction_digits) : 0U);
    if (length + 1 > size) {
        return 0;
    }
    std::size_t n = 0;
    if (value.negative) {
        out[n++] = '-';
    }
    for (int p = integer_digits - 1; p >= 0; --p) {
        out[n++] = static_cast<char>('0' + digit_at(value, p));
    }
    if (fraction_digits > 0) {
        out[n++] = '.';
        for (int p = -1; p >= -fraction_digits; --p) {
            out[n++] = static_cast<char>('0' + digit_at(value, p));
        }
    }
    out[n] = '\0';
    return n;
}
