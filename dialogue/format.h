// printf-style formatting of the program's own: the value line must be
// rounded half away from zero from the exact binary value, which no C
// runtime's printf promises, and every piece must come out as the same
// bytes on every C runtime.
//
// The conversions are exactly those the program writes: %s, %c, %d, %02X
// and %12.8E (INF, -INF and NAN for the infinities and NaNs, never a sign
// on the NaN). Anything else after a % is written as it stands.
#pragma once

#include <cstdarg>
#include <cstddef>

// Like vsnprintf: writes at most size - 1 bytes and a terminating zero, and
// returns the number of bytes written (not counting the zero).
std::size_t format_text_v(char* out, std::size_t size, const char* format, std::va_list args);
std::size_t format_text(char* out, std::size_t size, const char* format, ...);

// Formats one piece of output and writes it to the console; output longer
// than 1023 bytes is cut.
void print_text(const char* format, ...);
