// The page's explanation of what the program showed: the facts about a
// typed line or a bit pattern, each computed from the program's own
// reading and the exact value of the pattern, for the page to lay out.
//
// The facts are written as lines "name value", for example
// "stored 0.100000001490116119384765625"; the names are listed where each
// is written.
#pragma once

#include <cstddef>
#include <cstdint>

// A typed line (its first bytes, at most what the line buffer holds, and
// its full length), as the program answers it: leaving, a message, a float
// or an integer, with the facts of each.
std::size_t explain_line(const char* line, std::size_t length, char* out, std::size_t size);

// The 32-bit pattern of a float.
std::size_t explain_float(std::uint32_t bits, char* out, std::size_t size);

// The 16-bit pattern of an integer.
std::size_t explain_integer(std::uint16_t bits, char* out, std::size_t size);

// The shortest line that the program reads as exactly this pattern, with
// no more bytes than a line may have; false when no line gives it (a NaN
// other than the one the program's conversion makes).
constexpr std::size_t typing_line_size = 60;
bool float_typing_line(std::uint32_t bits, char (&line)[typing_line_size]);
bool integer_typing_line(std::uint16_t bits, char (&line)[typing_line_size]);
