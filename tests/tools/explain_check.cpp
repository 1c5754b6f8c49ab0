// Prints the page's explanation for the test of its numbers. Each line of
// standard input is a request, answered by the facts and an empty line:
//
//   float 3DCCCCCD     the facts of a float pattern
//   integer FFFB       the facts of an integer pattern
//   line TEXT          the facts of a typed line, as the program answers it
#include "dialogue/dialogue.h"
#include "explain/explain.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main() {
    static char request[1 << 16];
    static char facts[1 << 16];
    while (std::fgets(request, sizeof request, stdin) != nullptr) {
        std::size_t length = std::strlen(request);
        if (length > 0 && request[length - 1] == '\n') {
            request[--length] = '\0';
        }
        if (std::strncmp(request, "float ", 6) == 0) {
            explain_float(static_cast<std::uint32_t>(std::strtoul(request + 6, nullptr, 16)), facts,
                          sizeof facts);
        } else if (std::strncmp(request, "integer ", 8) == 0) {
            explain_integer(static_cast<std::uint16_t>(std::strtoul(request + 8, nullptr, 16)), facts,
                            sizeof facts);
        } else if (std::strncmp(request, "line ", 5) == 0) {
            // The line as the line buffer keeps it, with its full length.
            char line[line_buffer_size];
            const std::size_t full = length - 5;
            const std::size_t kept = full < max_line_length ? full : max_line_length;
            std::memcpy(line, request + 5, kept);
            line[kept] = '\0';
            explain_line(line, full, facts, sizeof facts);
        } else {
            std::fprintf(stderr, "unknown request: %s\n", request);
            return 2;
        }
        std::fputs(facts, stdout);
        std::fputs("\n", stdout);
    }
    return 0;
}
