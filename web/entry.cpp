// The page's entry into the dialogue. A browser cannot wait for input, so
// the page calls one step per line: the line arrives on standard input,
// which the page fills with that line just before the call, and is read by
// the dialogue's own line input.
#include "dialogue/dialogue.h"

#include <cstdio>

namespace {

// Standard output goes to the page in whole blocks rather than a call per
// line; colour changes and the end of each step flush it.
char output_buffer[4096];

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
