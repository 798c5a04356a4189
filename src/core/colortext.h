// Colour values and their text form, as stored in the registry.
//
// A colour is a 32-bit number: 0x00BBGGRR for an explicit colour,
// 0x80000000 + index for a system colour (the index into the platform's
// system colour table), 0x1FFFFFFF for "no colour".
//
// Text form: one of 42 names ("clWindow", "clRed", ...) compared without
// regard to ASCII case, or an integer: optional leading blanks, then either
// an optional sign and decimal digits or "$" and hexadecimal digits, with
// nothing after them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

using Color = std::int32_t;

inline constexpr Color kSystemColorBit = static_cast<Color>(0x80000000u);
inline constexpr Color clNone = 0x1FFFFFFF;
inline constexpr Color clWindow = static_cast<Color>(0x80000005u);
inline constexpr Color clWindowText = static_cast<Color>(0x80000008u);

// Integer text: optional leading blanks, then "[+-]digits" or "$hexdigits",
// nothing after. Decimal must fit a signed 32-bit integer; "$" takes up to
// 32 bits (so "$FFFFFFFF" is -1). Anything else gives nullopt.
std::optional<std::int32_t> ParseIntText(std::string_view text);

// Colour text to colour value; nullopt when it is neither a name nor an integer.
std::optional<Color> ColorFromText(std::string_view text);

// The colour's name when it has one, else "$" and eight hex digits.
// ColorFromText(ColorToText(c)) == c for every c.
std::string ColorToText(Color c);

// Whether c names a system colour; its index then is c & 0xFF.
inline bool IsSystemColor(Color c) { return (static_cast<std::uint32_t>(c) & 0xFF000000u) == 0x80000000u; }

// What a colour paints. "No colour" paints what that use paints when it is
// given none: the window-text colour for text, the window colour for a
// background.
enum class ColorUse { Text, Background };
// The colour value to paint with: c itself, or for clNone the use's own.
Color PaintColor(Color c, ColorUse use);

// The 42 names in table order with their values (for pick lists).
struct NamedColor {
  const char* name;
  Color value;
};
const NamedColor* ColorNames(int* count);

}  // namespace core
