// A WASI command has standard streams and no terminal device: its text
// goes out without colours, as on Linux without a controlling terminal.
#include "console/console.h"
#include "console/terminal.h"

#include <cerrno>

console_handle console_output_handle() {
    return no_console;
}

bool write_terminal(const char* /*bytes*/, std::size_t /*length*/) {
    errno = EIO;
    return false;
}

bool standard_input_ready() {
    return false; // nothing tells whether a read would wait: flush before each
}
