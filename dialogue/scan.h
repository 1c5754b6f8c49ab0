// The "%f" conversion of a typed line.
#pragma once

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
