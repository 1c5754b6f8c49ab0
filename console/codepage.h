// Text on its way to the console: the catalogue's Windows-1250 letters are
// rewritten into code page 852, the code page of the console, and the final
// byte stream is handed to the platform in the form its console shows.
#pragma once

#include <cstddef>

// Room for 499 bytes of text and the terminating zero.
constexpr std::size_t console_text_size = 500;

// Returns the code page 852 form of a Windows-1250 text, cut to 499 bytes,
// in a static buffer that the next call overwrites.
const char* to_console_text(const char* text);

// Encodes code page 852 bytes as UTF-8, the way a code page 852 console
// shows them (0x10 as the triangle U+25BA). Writes at most out_size bytes,
// never splitting a character, and returns how many input bytes it took.
// *out_length receives the number of bytes written.
std::size_t cp852_to_utf8(const char* bytes, std::size_t length, char* out, std::size_t out_size,
                          std::size_t* out_length);

// Writes code page 852 bytes to standard output in the platform's encoding.
void write_console_bytes(const char* bytes, std::size_t length);
