#include "dialogue/scan.h"

#include <cmath>
#include <cstddef>
#include <cstdlib>

namespace {

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool is_hex_digit(char c) {
    return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// How many bytes at text match the start of the lower-case word, in any case.
std::size_t match_word(const char* text, const char* word) {
    std::size_t n = 0;
    while (word[n] != '\0' && lower(text[n]) == word[n]) {
        ++n;
    }
    return n;
}

// Digits (hexadecimal ones if hex) with at most one point; returns the
// length of the run and counts its digits.
std::size_t digits_with_point(const char* text, bool hex, int* digit_count) {
    std::size_t n = 0;
    bool point = false;
    *digit_count = 0;
    for (;; ++n) {
        if (hex ? is_hex_digit(text[n]) : is_digit(text[n])) {
            ++*digit_count;
        } else if (text[n] == '.' && !point) {
            point = true;
        } else {
            return n;
        }
    }
}

// An exponent: the marker, an optional sign and at least one decimal digit.
// Returns its length, 0 if there is no marker, or -1 if it is incomplete.
long exponent_part(const char* text, char marker) {
    if (lower(text[0]) != marker) {
        return 0;
    }
    std::size_t n = 1;
    if (text[n] == '+' || text[n] == '-') {
        ++n;
    }
    if (!is_digit(text[n])) {
        return -1;
    }
    while (is_digit(text[n])) {
        ++n;
    }
    return static_cast<long>(n);
}

// Rounds to the nearest float; beyond the float range that is the infinity
// of the value's sign (the halfway point to 2^128 rounds up, as ties go to
// the even neighbour and FLT_MAX is odd).
float to_float(double value) {
    if (std::fabs(value) >= 0x1.ffffffp127) {
        return static_cast<float>(std::copysign(HUGE_VAL, value));
    }
    return static_cast<float>(value);
}

} // namespace

number_run find_number(const char* line) {
    const char* p = line;
    while (is_space(*p)) {
        ++p;
    }
    const char* number = p;
    if (*p == '+' || *p == '-') {
        ++p;
    }
    const auto run = [number](number_form form, const char* end) {
        return number_run{form, number, static_cast<std::size_t>(end - number)};
    };
    const number_run nothing{number_form::none, number, 0};

    const std::size_t inf_length = match_word(p, "infinity");
    if (inf_length == 3 || inf_length == 8) {
        return run(number_form::infinity, p + inf_length);
    }
    if (inf_length > 0) {
        return nothing;
    }

    const std::size_t nan_length = match_word(p, "nan");
    if (nan_length == 3) {
        if (p[3] != '(') {
            return run(number_form::nan, p + 3);
        }
        std::size_t n = 4;
        while (is_digit(p[n]) || (lower(p[n]) >= 'a' && lower(p[n]) <= 'z') || p[n] == '_') {
            ++n;
        }
        return p[n] == ')' ? run(number_form::nan, p + n + 1) : nothing;
    }
    if (nan_length > 0) {
        return nothing;
    }

    const bool hex = p[0] == '0' && lower(p[1]) == 'x';
    if (hex) {
        p += 2;
    }
    int digit_count = 0;
    p += digits_with_point(p, hex, &digit_count);
    if (digit_count == 0) {
        return nothing;
    }
    const long exponent = exponent_part(p, hex ? 'p' : 'e');
    if (exponent < 0) {
        return nothing;
    }
    return run(hex ? number_form::hexadecimal : number_form::decimal, p + exponent);
}

bool scan_float(const char* line, float* value) {
    const number_run run = find_number(line);
    const bool negative = run.start[0] == '-';
    switch (run.form) {
    case number_form::none:
        return false;
    case number_form::infinity:
        *value = to_float(negative ? -HUGE_VAL : HUGE_VAL);
        return true;
    case number_form::nan:
        // The sequence in parentheses chooses no payload: it means the
        // same NaN on every C library.
        *value = negative ? -std::nanf("") : std::nanf("");
        return true;
    case number_form::decimal:
    case number_form::hexadecimal:
        // The run is a complete number: the C library converts its digits,
        // and stops exactly where the run ends.
        *value = to_float(std::strtod(run.start, nullptr));
        return true;
    }
    return false;
}
