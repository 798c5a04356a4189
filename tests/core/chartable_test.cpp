#include "core/chartable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace core {
namespace {

// "Chars." of codes 128 to 255, 16 codes a line, in code page 1252.
const std::string kHighChars =
    "\xC7\xFC\xE9\xE2\xE4\xE0\xE5\xE7\xEA\xEB\xE8\xEF\xEE\xEC\xC4\xC5"  // 128
    "\xC9\xE6\xC6\xF4\xF6\xF2\xFB\xF9\xFF\xD6\xDC\xA2\xA3\xA5P\x83"      // 144
    "\xE1\xED\xF3\xFA\xF1\xD1\xAA\xBA\xBF_\xAC\xBD\xBC\xA1\xAB\xBB"      // 160
    "___\xA6\xA6\xA6\xA6++\xA6\xA6+++++"                                 // 176
    "+--+-+\xA6\xA6++--\xA6-+-"                                          // 192
    "---++++++++__\xA6__"                                                // 208
    "_\xDF_\xB6__\xB5_________"                                          // 224
    "_\xB1____\xF7_\xB0\x95\xB7_n\xB2__";                                // 240

TEST(CharTable, AllRows) {
  ASSERT_EQ(kHighChars.size(), 128u);
  for (int code = 0; code < 256; ++code) {
    SCOPED_TRACE(code);
    const CharTableRow& row = CharTable(code);
    char dec[8], hex[8];
    std::snprintf(dec, sizeof dec, code < 10 ? "%02d" : "%d", code);
    std::snprintf(hex, sizeof hex, "%02X", code);
    EXPECT_EQ(row.dec, dec);
    EXPECT_EQ(row.hex, hex);
    if (code <= 32) {
      EXPECT_EQ(row.chars, "");
    } else if (code <= 127) {
      EXPECT_EQ(row.chars, std::string(1, static_cast<char>(code)));
    } else {
      EXPECT_EQ(row.chars, kHighChars.substr(static_cast<std::size_t>(code - 128), 1));
    }
  }
}

TEST(CharTable, DecTextToInsertedCharacter) {
  EXPECT_EQ(CodeFromDecText("65"), 65);
  EXPECT_EQ(CodeFromDecText("05"), 5);
  EXPECT_EQ(CodeFromDecText("255"), 255);
  EXPECT_EQ(CodeFromDecText(""), 32);
  EXPECT_EQ(CodeFromDecText("x1"), 32);
  EXPECT_EQ(CodeFromDecText("256"), 32);
  EXPECT_EQ(CodeFromDecText("-1"), 32);
  EXPECT_EQ(InsertTextForCode(65), "A");
  EXPECT_EQ(InsertTextForCode(196), "\xC4");  // the document's byte, not the "-" shown
  EXPECT_EQ(InsertTextForCode(0), "");
}

}  // namespace
}  // namespace core
