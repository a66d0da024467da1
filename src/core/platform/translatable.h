// Marks a fixed text of the core that the desktop program shows in the
// user's language. The core itself never translates (the command-line tool
// prints its texts as written); the marker only lets the translation tools
// find the text, and the program translates it where it shows it, under
// the context given here.
#pragma once

#define LINEARA_TRANSLATABLE(context, text) text
