#include "dialogue/messages.h"

// Windows-1250: \xE1 a-acute, \xE9 e-acute, \xED i-acute, \xF3 o-acute,
// \xF5 o-double-acute, \xFA u-acute, \xC9 capital E-acute. A string break
// follows an escape wherever the next letter would extend it as a hex digit.

const char title_text[] = "Pointerek - Numerikus adatok t\xE1rol\xE1si form\xE1tuma (T.Z)";

// \x10 is the right-pointing triangle of the console font: "--\x10" is an arrow.
const char help_text[] = " - A program megjelen\xEDti egy 2 b\xE1jtos eg\xE9sz\n"
                         "   (-32768 --\x10 32767), illetve egy egyszeres pontoss\xE1g\xFA\n"
                         "   lebeg\xF5pontos sz\xE1m mem\xF3ri\xE1"
                         "ban t\xE1rolt alakj\xE1t.\n"
                         " - Ha a megadott sz\xE1m pontot tartalmaz, akkor a program\n"
                         "   lebeg\xF5pontosnak, egy\xE9"
                         "bk\xE9nt eg\xE9sznek tekinti a sz\xE1mot.\n"
                         " - Kil\xE9p\xE9s a ciklusb\xF3l: k\n";

const char prompt_text[] = "\n K\xE9rem a sz\xE1mot: ";
const char invalid_chars_text[] = "\n  \xC9rv\xE9nytelen karakter(ek).\n";
const char too_large_text[] = "\n  T\xFAl nagy a sz\xE1m.\n";

// The colons of these four lines stand in the same column.
const char float_value_format[] = "\n  Lebeg\xF5pontos sz\xE1m   :  %12.8E";
const char integer_value_format[] = "\n  Eg\xE9sz sz\xE1m          :  %d";
const char hex_label_text[] = "\n  A mem\xF3ri\xE1"
                              "ban (hexa) :  ";
const char bin_label_text[] = "\n  A mem\xF3ri\xE1"
                              "ban (bin)  :";
