#include "dialogue/dialogue.h"

#include "console/codepage.h"
#include "console/console.h"
#include "dialogue/format.h"
#include "dialogue/messages.h"
#include "dialogue/render.h"
#include "dialogue/scan.h"

#include <cstdint>
#include <cstring>

namespace {

bool is_number_byte(char c) {
    return c == '.' || (c >= '0' && c <= '9');
}

void show_start_screen() {
    set_background_color(color_light_grey);
    set_text_color(color_blue);
    clear_screen();
    print_text("\n%s\n", to_console_text(title_text));
    for (std::size_t i = 0; title_text[i] != '\0'; ++i) {
        print_text("%c", '-');
    }
    print_text("\n\n");
    print_text(to_console_text(help_text));
}

void show_prompt() {
    set_text_color(color_green);
    print_text(to_console_text(prompt_text));
}

void show_number(const char* line, line_kind kind) {
    float value = 0.0f;
    scan_float(line, &value); // a line that holds no number is 0
    set_text_color(color_black);
    if (kind == line_kind::float_number) {
        render_float(value);
    } else if (value > -32769.0f && value < 32768.0f) {
        render_integer(static_cast<std::int32_t>(value));
    } else {
        print_text(to_console_text(too_large_text));
    }
}

} // namespace

long read_line(std::FILE* input, char* buffer) {
    std::size_t length = 0;
    int c = std::getc(input);
    if (c == EOF) {
        buffer[0] = '\0';
        return -1;
    }
    char last = '\0';
    for (; c != EOF && c != '\n'; c = std::getc(input)) {
        if (length < max_line_length) {
            buffer[length] = static_cast<char>(c);
        }
        last = static_cast<char>(c);
        ++length;
    }
    if (c == '\n' && length > 0 && last == '\r') {
        --length;
    }
    buffer[length < max_line_length ? length : max_line_length] = '\0';
    return static_cast<long>(length);
}

line_kind classify_line(const char* line, std::size_t length) {
    if (length == 0 || line[0] == 'k' || line[0] == 'K') {
        return line_kind::exit_request;
    }
    if (length > max_line_length) {
        return line_kind::invalid;
    }
    if (first_invalid_byte(line, length) != length) {
        return line_kind::invalid;
    }
    return std::memchr(line, '.', length) != nullptr ? line_kind::float_number : line_kind::integer_number;
}

std::size_t first_invalid_byte(const char* line, std::size_t length) {
    const void* dash = std::memchr(line, '-', length);
    std::size_t i = dash != nullptr ? static_cast<std::size_t>(static_cast<const char*>(dash) - line) + 1 : 0;
    while (i < length && is_number_byte(line[i])) {
        ++i;
    }
    return i;
}

bool answer_line(const char* line, long length) {
    const line_kind kind =
        length < 0 ? line_kind::exit_request : classify_line(line, static_cast<std::size_t>(length));
    if (kind == line_kind::exit_request) {
        print_text("\n");
        return false;
    }
    if (kind == line_kind::invalid) {
        set_text_color(color_light_red);
        print_text(to_console_text(invalid_chars_text));
    } else {
        show_number(line, kind);
    }
    return true;
}

void start_dialogue() {
    show_start_screen();
    show_prompt();
}

bool dialogue_step(std::FILE* input) {
    char line[line_buffer_size];
    if (!answer_line(line, read_line(input, line))) {
        return false;
    }
    show_prompt();
    return true;
}

int run_dialogue() {
    start_dialogue();
    do {
        // The prompt shows before the program waits for a line; while lines
        // are ready, the output is written in large blocks.
        if (!standard_input_ready()) {
            std::fflush(stdout);
        }
    } while (dialogue_step(stdin));
    std::fflush(stdout);
    return 0;
}
