// The "%f" conversion of a typed line.
#pragma once

#include <cstddef>

// Converts the number at the start of a zero-terminated line the way the
// "%f" conversion of scanf does: leading white space is skipped, then one
// optional sign and the longest run of bytes that is a number or could
// still grow into one: a decimal or hexadecimal number, "inf", "infinity"
// or "nan" with an optional "(n-char-sequence)". When the run is a complete
// number, its value, converted to double and then rounded to float, is
// stored in *value and true is returned; whatever follows the run is
// ignored. When the run is only the beginning of a number, or there is no
// run, *value is left as it is and false is returned.
bool scan_float(const char* line, float* value);

// The run that scan_float converts: where it starts (at its sign, if any)
// and how long it is, and its form; none when it converts nothing.
enum class number_form { none, decimal, hexadecimal, infinity, nan };
struct number_run {
    number_form form;
    const char* start;
    std::size_t length;
};
number_run find_number(const char* line);
