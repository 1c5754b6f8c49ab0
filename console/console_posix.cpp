// The console of a Linux process is its controlling terminal: colours and
// clearing are ANSI sequences written to /dev/tty.
#include "console/console.h"

#include "console/attribute.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr int not_opened = -2;
int terminal = not_opened;

// A terminal cannot be asked for its colours: start from the console
// default, light grey on black.
unsigned attribute = 0x07;

// True when every byte was written; otherwise errno tells why.
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

bool take_terminal() {
    if (console_output_handle() == no_console) {
        errno = EIO;
        return false;
    }
    std::fflush(stdout);
    return true;
}

void show_attribute(unsigned new_attribute) {
    char sgr[32];
    if (write_terminal(sgr, attribute_sgr(new_attribute, sgr, sizeof sgr))) {
        attribute = new_attribute;
    }
}

} // namespace

const console_handle no_console = -1;

console_handle console_output_handle() {
    if (terminal == not_opened) {
        terminal = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    }
    return terminal;
}

void set_text_color(int color) {
    if (take_terminal()) {
        show_attribute(text_color_attribute(attribute, color));
    }
}

void set_background_color(int color) {
    if (take_terminal()) {
        show_attribute(background_color_attribute(attribute, color));
    }
}

void clear_screen() {
    if (!take_terminal()) {
        return;
    }
    // Erase the display in the current background, then the scrollback,
    // then home the cursor.
    const char clear[] = "\x1b[2J\x1b[3J\x1b[H";
    write_terminal(clear, sizeof clear - 1);
}

bool standard_input_ready() {
    pollfd input = {STDIN_FILENO, POLLIN, 0};
    // The end of input and errors count as ready: the read returns at once.
    return poll(&input, 1, 0) == 1;
}
