// The 256-row character table of the "ASCII-Characters" dialog.
//
// Row n describes code n:
//   dec   - decimal; codes 0 to 9 with two digits ("00".."09"), others plain.
//   hex   - two upper-case hexadecimal digits ("00".."FF").
//   chars - the code's glyph in the DOS character set (code page 437),
//           written as the Windows (code page 1252) byte of the same
//           character: empty for 0 to 32, the code itself for 33 to 127,
//           and for 128 to 255 the matching code page 1252 byte, or a fixed
//           substitute where code page 1252 has no such character (box
//           drawing becomes "\xA6", "+" or "-", shading and most Greek and
//           mathematical signs "_", and a few others).
// Texts are 8-bit strings in code page 1252.
#pragma once

#include <string>
#include <string_view>

namespace core {

struct CharTableRow {
  std::string chars;
  std::string dec;
  std::string hex;
};

// Column captions, in column order; the fourth column has an empty caption.
inline constexpr std::string_view kCharTableColumns[4] = {"Chars.", "DEC", "HEX", ""};
inline constexpr std::string_view kCharTableCaption = "ASCII-Characters";

// Row for code 0..255 (other values are taken modulo 256); the table is
// built once and shared.
const CharTableRow& CharTable(int code);

// The code a row's "DEC" text stands for: the decimal number when the text
// is one in 0..255, else 32 (the blank).
unsigned char CodeFromDecText(std::string_view dec);

// What inserting the character of `code` puts into the document: the one
// byte, or nothing for code 0 (the control takes zero-terminated text).
std::string InsertTextForCode(unsigned char code);

}  // namespace core
