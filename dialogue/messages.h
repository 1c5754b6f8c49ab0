// The texts the user sees, stored as Windows-1250 bytes. Every one of them
// goes through to_console_text() just before it is written.
#pragma once

// Written as the argument of "\n%s\n"; its length sets the underline's.
extern const char title_text[];
extern const char help_text[];
extern const char prompt_text[];
extern const char invalid_chars_text[];
extern const char too_large_text[];
// Format strings with one conversion each.
extern const char float_value_format[];
extern const char integer_value_format[];
extern const char hex_label_text[];
extern const char bin_label_text[];
