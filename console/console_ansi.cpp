// Colours and clearing as ANSI sequences on a terminal.
#include "console/attribute.h"
#include "console/console.h"
#include "console/terminal.h"

#include <cerrno>
#include <cstdio>

namespace {

// A terminal cannot be asked for its colours: start from the console
// default, light grey on black.
unsigned attribute = 0x07;

bool take_terminal() {
    if (console_output_handle() == no_console) {
        errno = EIO;
        return false;
    }
    std::fflush(stdout);
    return true;
}

void show_attribute(unsigned new_attribute) {
    char sgr[sgr_size];
    if (write_terminal(sgr, attribute_sgr(new_attribute, sgr))) {
        attribute = new_attribute;
    }
}

} // namespace

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
