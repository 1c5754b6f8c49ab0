// libFuzzer target: the data is what a user types, line after line. Every
// line goes through reading, classification, conversion, the range check
// and rendering, with standard output in memory; then the bytes go through
// both code-page steps on their own.
#include "console/codepage.h"
#include "dialogue/dialogue.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

char* output = nullptr;
std::size_t output_size = 0;

// Stops the run as a finding when the text is not well-formed UTF-8.
void require_utf8(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length;) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const std::size_t size = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : 0;
        if (size == 0 || i + size > length) {
            std::abort();
        }
        for (std::size_t k = 1; k < size; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                std::abort();
            }
        }
        i += size;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    stdout = open_memstream(&output, &output_size);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static char empty[1];
    std::FILE* input =
        size > 0 ? fmemopen(const_cast<std::uint8_t*>(data), size, "r") : fmemopen(empty, 1, "r");
    if (input == nullptr) {
        return 0;
    }
    if (size == 0) {
        std::fgetc(input); // leaves an empty stream
    }
    std::rewind(stdout);
    char line[line_buffer_size];
    while (answer_line(line, read_line(input, line))) {
    }
    std::fclose(input);
    std::fflush(stdout);
    require_utf8(output, output_size);

    char text[1024];
    const std::size_t length = size < sizeof text - 1 ? size : sizeof text - 1;
    std::memcpy(text, data, length);
    text[length] = '\0';
    const std::size_t text_length = std::strlen(text);
    const char* translated = to_console_text(text);
    if (std::strlen(translated) != (text_length < console_text_size ? text_length : console_text_size - 1)) {
        std::abort();
    }
    // A small output buffer: each call must take at least one byte.
    for (std::size_t done = 0; done < length;) {
        char encoded[5];
        std::size_t encoded_length = 0;
        const std::size_t taken =
            cp852_to_utf8(text + done, length - done, encoded, sizeof encoded, &encoded_length);
        if (taken == 0) {
            std::abort();
        }
        require_utf8(encoded, encoded_length);
        done += taken;
    }
    return 0;
}
