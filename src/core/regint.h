// Integers stored as registry text ("Count" of the recent-files list, the
// integer settings and position records).
//
// The rule, applied after any leading blanks (spaces, tabs) are skipped:
//   - a text of more than two characters that begins "0x" or "0X" is
//     hexadecimal: the rest must be one or more hex digits;
//   - otherwise "$" followed by one or more hex digits is hexadecimal;
//   - otherwise an optional "+" or "-" followed by one or more decimal digits
//     is decimal.
// Nothing may follow the digits (trailing blanks included). Hexadecimal takes
// up to 32 significant bits and is read as a two's-complement 32-bit number
// ("0xFFFFFFFF" is -1); leading zeros never count. Decimal must lie within
// the signed 32-bit range. A sign is accepted before decimal digits only
// ("-$1" and "0x-1" are no integers). Any text outside these forms,
// including the empty text, one holding a NUL byte and a number out of
// range, is no integer: the caller's default is returned. Never throws.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// The number in `text`, or nullopt when it is no integer by the rule above.
std::optional<std::int32_t> ParseRegInt(std::string_view text);

// The number in `text`, or `dflt` when it is no integer.
std::int32_t RegIntFromText(std::string_view text, std::int32_t dflt);

// As RegIntFromText; a missing value (nullopt) also gives `dflt`.
std::int32_t RegIntFromValue(const std::optional<std::string>& value, std::int32_t dflt);

}  // namespace core
