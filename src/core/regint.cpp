#include "core/regint.h"

namespace core {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One or more hex digits, at most 32 significant bits.
std::optional<std::int32_t> ParseHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : digits) {
    const int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    if (value > 0x0FFFFFFFu) return std::nullopt;  // a fifth nibble would be lost
    value = (value << 4) | static_cast<std::uint32_t>(d);
  }
  return static_cast<std::int32_t>(value);  // two's complement (well-defined since C++20)
}

// Optional sign, then one or more decimal digits, within the int32 range.
std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  // Magnitude limit: 2147483647, or 2147483648 for a negative number.
  const std::uint32_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
  std::uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const auto d = static_cast<std::uint32_t>(c - '0');
    if (value > (limit - d) / 10) return std::nullopt;
    value = value * 10 + d;
  }
  if (negative) return static_cast<std::int32_t>(0u - value);
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::optional<std::int32_t> ParseRegInt(std::string_view text) {
  std::size_t skip = 0;
  while (skip < text.size() && (text[skip] == ' ' || text[skip] == '\t')) ++skip;
  text.remove_prefix(skip);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return ParseHex(text.substr(2));
  if (!text.empty() && text[0] == '$') return ParseHex(text.substr(1));
  return ParseDecimal(text);
}

std::int32_t RegIntFromText(std::string_view text, std::int32_t dflt) {
  return ParseRegInt(text).value_or(dflt);
}

std::int32_t RegIntFromValue(const std::optional<std::string>& value, std::int32_t dflt) {
  return value ? RegIntFromText(*value, dflt) : dflt;
}

}  // namespace core
