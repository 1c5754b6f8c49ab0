// The console of a Linux process is its controlling terminal, /dev/tty.
#include "console/console.h"
#include "console/terminal.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr int not_opened = -2;
int terminal = not_opened;

} // namespace

const console_handle no_console = -1;

console_handle console_output_handle() {
    if (terminal == not_opened) {
        terminal = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    }
    return terminal;
}

bool write_terminal(const char* bytes, std::size_t length) {
    while (length > 0) {
        const ssize_t written = write(terminal, bytes, length);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes += written;
        length -= static_cast<std::size_t>(written);
    }
    return true;
}

bool standard_input_ready() {
    pollfd input = {STDIN_FILENO, POLLIN, 0};
    // The end of input and errors count as ready: the read returns at once.
    return poll(&input, 1, 0) == 1;
}
