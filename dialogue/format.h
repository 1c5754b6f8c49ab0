// printf-style formatting that gives the same bytes on every C runtime,
// without the C library's printf.
//
// The conversions are those of printf: %d %i %u %x %X %c %s %% with the
// flags "-0+ #", width and precision, and %e %E with "-", width and
// precision. %e and %E work from the exact binary value: the digits are
// rounded half away from zero, the exponent has at least two digits, and an
// infinity or a NaN is written as INF, -INF or NAN (inf, -inf, nan for %e),
// never with a sign on the NaN. Anything else after a % is written as it
// stands.
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
