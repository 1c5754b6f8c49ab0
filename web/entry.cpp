// The page's entry into the dialogue. A browser cannot wait for input, so
// the page calls one step per line: the line arrives on standard input,
// which the page fills with that line just before the call, and is read by
// the dialogue's own line input.
#include "dialogue/dialogue.h"

#include <cstdio>

extern "C" __attribute__((export_name("start_dialogue"))) void page_start_dialogue() {
    start_dialogue();
    std::fflush(stdout);
}

// Returns 0 when the user has left.
extern "C" __attribute__((export_name("dialogue_step"))) int page_dialogue_step() {
    const bool more = dialogue_step(stdin);
    std::fflush(stdout);
    return more ? 1 : 0;
}
