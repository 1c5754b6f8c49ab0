// The number inspection dialogue: start-up screen, then prompt, read,
// classify, convert and show, until the user leaves.
#pragma once

#include <cstddef>
#include <cstdio>

// A typed line holds at most 59 bytes; a longer one is read whole but kept
// only in part, and can do no more than leave or be refused.
constexpr std::size_t line_buffer_size = 60;
constexpr std::size_t max_line_length = line_buffer_size - 1;

enum class line_kind { exit_request, invalid, float_number, integer_number };

// Reads one line from input into buffer (line_buffer_size bytes), without
// its "\n" or "\r\n", zero-terminated; bytes beyond the buffer are read and
// dropped. Returns the line's full length, or -1 at the end of input.
long read_line(std::FILE* input, char* buffer);

// Decides what a line is; length is the line's full length, which may
// exceed what the buffer keeps.
line_kind classify_line(const char* line, std::size_t length);

// The index of the first byte that makes a line of at most
// max_line_length bytes invalid: after the first "-" (or from the start,
// without one) only digits and "." may follow. length when there is none.
std::size_t first_invalid_byte(const char* line, std::size_t length);

// Answers one line that read_line gave: shows its value or a message.
// Returns false, having written the final newline, when the line (or the
// end of input) asks to leave.
bool answer_line(const char* line, long length);

// The dialogue in steps, for a host that cannot wait for input and hands
// over one line at a time: the start-up screen and the first prompt, then
// one step per line. A step reads the line from input, answers it and
// prompts again; it returns false, with no prompt, when the user leaves.
void start_dialogue();
bool dialogue_step(std::FILE* input);

// Runs the whole dialogue on standard input and output; returns the exit status.
int run_dialogue();
