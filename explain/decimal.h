// Exact decimal numbers for the page's explanation: every value that it
// shows (a float, the typed number, their difference, a float's gap) is a
// finite decimal fraction, shown with all its digits.
#pragma once

#include <cstddef>

constexpr int decimal_capacity = 1200;

// The value is (negative ? -1 : 1) * digits * 10^exponent; digits are
// '0'..'9', most significant first, without leading zeros; zero has none.
struct decimal {
    bool negative;
    int count;
    int exponent;
    char digits[decimal_capacity];
};

// A finite double, exactly.
decimal decimal_from_double(double value);

// The number that a decimal or hexadecimal run of the typed line stands
// for (the run as the "%f" conversion takes it, sign included); false when
// its digits do not fit.
bool decimal_from_run(const char* run, std::size_t length, bool hexadecimal, decimal* out);

// a - b; false when the result's digits do not fit.
bool decimal_subtract(const decimal& a, const decimal& b, decimal* out);

// value * 2^power; false when the digits do not fit.
bool decimal_scale_by_power_of_two(decimal* value, int power);

// Plain positional notation with every digit ("-0.00125", "340", "0");
// returns the length, or 0 when it does not fit in size bytes.
std::size_t decimal_format(const decimal& value, char* out, std::size_t size);
