// Colours and screen clearing on the console that shows the dialogue.
//
// The operations work on the console device directly, never on standard
// output, so they take effect whatever standard output is connected to.
// They flush standard output first, so that text written before a colour
// change keeps the colour that was set when it was written. A failure is
// stored in errno (EIO when there is no console) and never reported.
#pragma once

#if defined(_WIN32)
using console_handle = void*;
extern const console_handle no_console; // INVALID_HANDLE_VALUE
#else
using console_handle = int; // a file descriptor, or what stands for one
constexpr console_handle no_console = -1;
#endif

// The console's output device, opened on first use and kept; a failed open
// is kept too and never retried, as no_console.
console_handle console_output_handle();

// Colour indices 0..15: bit 0 blue, bit 1 green, bit 2 red, bit 3 intensity.
constexpr int color_black = 0;
constexpr int color_blue = 1;
constexpr int color_green = 2;
constexpr int color_light_grey = 7;
constexpr int color_light_red = 12;

void set_text_color(int color);
void set_background_color(int color);

// Blanks the whole screen in the current colours and puts the cursor in the
// top-left corner.
void clear_screen();

// True when standard input has bytes ready, so that reading it would not
// wait; standard output need not be flushed before such a read.
bool standard_input_ready();
