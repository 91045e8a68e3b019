// Code page 437: the bytes of the console's cells and keys, and the glyphs a
// terminal shows for them. Every byte has a visible glyph, the control bytes
// included, so no cell ever reaches the terminal as a control character.
#pragma once

#include <string>

// The glyph shown for a cell byte. 0 shows as a blank, 7 as a bullet, 13 as a note.
char32_t Cp437ToUnicode(unsigned char byte);

// The byte a typed character stands for, or -1 when code page 437 has none.
// Results are 32 to 255: the glyphs of bytes 1 to 31 are not taken back (a
// typed U+263A gives -1), but U+2302 gives 127, the byte that glyph stands
// for here, although 127 is DEL in ASCII.
int UnicodeToCp437(char32_t codePoint);

// codePoint appended to out in UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

// The nearest ASCII glyph for a cell byte, for a terminal that shows nothing
// else: the byte itself from 32 to 126; box-drawing pieces as +, - and |;
// shades and blocks as #; letters with accents without them ("\x82", e acute,
// gives 'e'); '?' where nothing is near.
char Cp437ToAscii(unsigned char byte);
