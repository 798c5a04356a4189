#include "core/colortext.h"

#include <cstdio>

namespace core {
namespace {

constexpr Color Sys(unsigned index) { return static_cast<Color>(0x80000000u + index); }

constexpr NamedColor kNames[] = {
    {"clBlack", 0x000000},   {"clMaroon", 0x000080},  {"clGreen", 0x008000},
    {"clOlive", 0x008080},   {"clNavy", 0x800000},    {"clPurple", 0x800080},
    {"clTeal", 0x808000},    {"clGray", 0x808080},    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},     {"clLime", 0x00FF00},    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},    {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", Sys(0)},  {"clBackground", Sys(1)},      {"clActiveCaption", Sys(2)},
    {"clInactiveCaption", Sys(3)}, {"clMenu", Sys(4)},       {"clWindow", Sys(5)},
    {"clWindowFrame", Sys(6)}, {"clMenuText", Sys(7)},       {"clWindowText", Sys(8)},
    {"clCaptionText", Sys(9)}, {"clActiveBorder", Sys(10)},  {"clInactiveBorder", Sys(11)},
    {"clAppWorkSpace", Sys(12)},
    {"clHighlight", Sys(13)}, {"clHighlightText", Sys(14)},  {"clBtnFace", Sys(15)},
    {"clBtnShadow", Sys(16)}, {"clGrayText", Sys(17)},       {"clBtnText", Sys(18)},
    {"clInactiveCaptionText", Sys(19)}, {"clBtnHighlight", Sys(20)},
    {"cl3DDkShadow", Sys(21)}, {"cl3DLight", Sys(22)},       {"clInfoText", Sys(23)},
    {"clInfoBk", Sys(24)},
    {"clNone", clNone},
};
static_assert(sizeof(kNames) / sizeof(kNames[0]) == 42);

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = Lower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::optional<std::int32_t> ParseIntText(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i == text.size()) return std::nullopt;
  if (text[i] == '$') {
    ++i;
    if (i == text.size()) return std::nullopt;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
      int d = HexDigit(text[i]);
      if (d < 0) return std::nullopt;
      value = value * 16 + static_cast<unsigned>(d);
      if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  }
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::optional<Color> ColorFromText(std::string_view text) {
  for (const NamedColor& n : kNames)
    if (EqualsNoCase(text, n.name)) return n.value;
  return ParseIntText(text);
}

std::string ColorToText(Color c) {
  for (const NamedColor& n : kNames)
    if (n.value == c) return n.name;
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(c));
  return buf;
}

const NamedColor* ColorNames(int* count) {
  *count = static_cast<int>(sizeof(kNames) / sizeof(kNames[0]));
  return kNames;
}

Color PaintColor(Color c, ColorUse use) {
  if (c != clNone) return c;
  return use == ColorUse::Text ? clWindowText : clWindow;
}

}  // namespace core
