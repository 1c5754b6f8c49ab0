// The console of a Linux process is its controlling terminal, /dev/tty.
//
// Unlike a Windows console, a terminal is shared with the shell, which
// would go on in the program's last colours: whenever the program ends,
// by itself or by SIGINT, SIGTERM or SIGHUP, it puts the terminal's default
// colours back, if it changed them.
#include "console/console.h"
#include "console/terminal.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr int not_opened = -2;
int terminal = not_opened;

// Set once anything has been written to the terminal: the program writes
// there only to change colours, or to clear the screen in them.
volatile std::sig_atomic_t colours_changed = 0;

// Async-signal-safe: write only, errno kept.
void restore_default_colours() {
    if (colours_changed == 0) {
        return;
    }
    colours_changed = 0;
    const int saved_errno = errno;
    const char reset[] = "\x1b[0m";
    ssize_t written;
    do {
        written = write(terminal, reset, sizeof reset - 1);
    } while (written < 0 && errno == EINTR);
    errno = saved_errno;
}

// The handler runs once (SA_RESETHAND); the signal raised again ends the
// process through its default action as soon as the handler returns.
void restore_and_end(int signal) {
    restore_default_colours();
    raise(signal);
}

void restore_on_exit_and_signals() {
    std::atexit(restore_default_colours);
    struct sigaction action = {};
    action.sa_handler = restore_and_end;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    const int signals[] = {SIGINT, SIGTERM, SIGHUP};
    for (const int signal : signals) {
        struct sigaction old = {};
        // A signal ignored by the parent (nohup) stays ignored.
        if (sigaction(signal, nullptr, &old) == 0 && old.sa_handler != SIG_IGN) {
            sigaction(signal, &action, nullptr);
        }
    }
}

} // namespace

console_handle console_output_handle() {
    if (terminal == not_opened) {
        terminal = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (terminal >= 0) {
            restore_on_exit_and_signals();
        }
    }
    return terminal;
}

bool write_terminal(const char* bytes, std::size_t length) {
    colours_changed = 1;
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
