// A console that is a terminal taking ANSI sequences: the controlling
// terminal on Linux (a WASI command has none). The backend gives the
// device and the way to write to it; the colour and screen operations of
// console.h are built on them once, in console_ansi.cpp.
#pragma once

#include <cstddef>

// Writes to the device of console_output_handle(); true when every byte
// was written, otherwise errno tells why.
bool write_terminal(const char* bytes, std::size_t length);
