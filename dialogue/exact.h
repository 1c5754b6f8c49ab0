// The exact decimal value of a double: every binary fraction is a finite
// decimal one. The value line is rounded from these digits, and the page's
// explanation shows them.
#pragma once

// Enough for every finite double times a power of five: 2^53 * 5^1074 < 10^767.
constexpr int max_exact_digits = 90 * 9;

// Writes the exact decimal digits of a finite, nonzero |value|, most
// significant first and without a terminating zero, sets *exponent10 to
// the power of ten of the first one, and returns their count.
int exact_digits(double value, char* digits, int* exponent10);
