// The console of the browser page. The page draws the screen itself and
// takes colours and clearing as calls with the console attribute, as the
// Windows console does; text reaches it through standard output.
#include "console/attribute.h"
#include "console/console.h"

#include <cstdio>

extern "C" {
__attribute__((import_module("pointerek"), import_name("set_attribute"))) void
page_set_attribute(unsigned attribute);
__attribute__((import_module("pointerek"), import_name("clear_screen"))) void page_clear_screen();
}

namespace {

constexpr console_handle page_screen = 1;

// The page's screen starts in the console default, light grey on black.
unsigned attribute = 0x07;

void show_attribute(unsigned new_attribute) {
    std::fflush(stdout); // the text so far keeps the colours it was written in
    attribute = new_attribute;
    page_set_attribute(attribute);
}

} // namespace

console_handle console_output_handle() {
    return page_screen;
}

void set_text_color(int color) {
    show_attribute(text_color_attribute(attribute, color));
}

void set_background_color(int color) {
    show_attribute(background_color_attribute(attribute, color));
}

void clear_screen() {
    std::fflush(stdout);
    page_clear_screen();
}

bool standard_input_ready() {
    return true; // the page hands over a line only once it is complete
}
