// The console of the browser page: a terminal on the page, which takes the
// same ANSI sequences as a Linux terminal through a function the page
// gives the module.
#include "console/console.h"
#include "console/terminal.h"

extern "C" __attribute__((import_module("pointerek"), import_name("write_screen"))) void
write_screen(const char* bytes, std::size_t length);

namespace {

constexpr console_handle page_screen = 1;

} // namespace

console_handle console_output_handle() {
    return page_screen;
}

bool write_terminal(const char* bytes, std::size_t length) {
    write_screen(bytes, length);
    return true;
}

bool standard_input_ready() {
    return true; // the page hands over a line only once it is complete
}
