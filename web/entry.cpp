// The page's entry into the dialogue. A browser cannot wait for input, so
// the page calls one step per line: the line arrives on standard input,
// which the page fills with that line just before the call, and is read by
// the dialogue's own line input.
//
// The page's explanation asks here about the line just answered, or about
// a bit pattern; the facts come back as text in one buffer.
#include "dialogue/dialogue.h"
#include "explain/explain.h"

#include <cstdio>

namespace {

// Standard output goes to the page in whole blocks rather than a call per
// line; colour changes and the end of each step flush it.
char output_buffer[4096];

// The first bytes of the line to explain, as the line buffer keeps them.
char explained_line[line_buffer_size];
char explanation[16384];

} // namespace

extern "C" __attribute__((export_name("start_dialogue"))) void page_start_dialogue() {
    std::setvbuf(stdout, output_buffer, _IOFBF, sizeof output_buffer);
    start_dialogue();
    std::fflush(stdout);
}

// Returns 0 when the user has left.
extern "C" __attribute__((export_name("dialogue_step"))) int page_dialogue_step() {
    const bool more = dialogue_step(stdin);
    std::fflush(stdout);
    return more ? 1 : 0;
}

// Where the page puts the first max_line_length bytes of a line.
extern "C" __attribute__((export_name("explained_line"))) char* page_explained_line() {
    return explained_line;
}

// length is the line's full length; the facts are zero-terminated.
extern "C" __attribute__((export_name("explain_line"))) const char* page_explain_line(unsigned length) {
    explained_line[length < max_line_length ? length : max_line_length] = '\0';
    explain_line(explained_line, length, explanation, sizeof explanation);
    return explanation;
}

extern "C" __attribute__((export_name("explain_float"))) const char* page_explain_float(unsigned bits) {
    explain_float(bits, explanation, sizeof explanation);
    return explanation;
}

extern "C" __attribute__((export_name("explain_integer"))) const char* page_explain_integer(unsigned bits) {
    explain_integer(static_cast<std::uint16_t>(bits), explanation, sizeof explanation);
    return explanation;
}
