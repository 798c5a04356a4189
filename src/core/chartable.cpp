#include "core/chartable.h"

#include <array>
#include <cstdint>

namespace core {
namespace {

// Unicode of code page 437, codes 128 to 255.
constexpr std::uint16_t kCp437High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 128
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  // 136
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 144
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,  // 152
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // 160
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // 168
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // 176
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // 184
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // 192
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // 200
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // 208
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // 216
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,  // 224
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,  // 232
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,  // 240
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,  // 248
};

// Unicode of code page 1252, codes 128 to 159 (0 where undefined); codes
// 160 to 255 are the same as their Unicode value.
constexpr std::uint16_t kCp1252Low[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The byte of code page 1252 for a Unicode character, or 0 when it has none.
unsigned char Cp1252FromUnicode(std::uint16_t u) {
  if (u >= 0xA0 && u <= 0xFF) return static_cast<unsigned char>(u);
  for (int i = 0; i < 32; ++i) {
    if (kCp1252Low[i] != 0 && kCp1252Low[i] == u) return static_cast<unsigned char>(0x80 + i);
  }
  return 0;
}

// Shown in place of DOS characters that code page 1252 cannot show.
char Substitute(int code) {
  switch (code) {
    case 179: case 180: case 181: case 182: case 185: case 186:
    case 198: case 199: case 204: case 221:
      return '\xA6';  // broken bar
    case 183: case 184: case 187: case 188: case 189: case 190: case 191:
    case 192: case 195: case 197: case 200: case 201: case 206:
    case 211: case 212: case 213: case 214: case 215: case 216: case 217: case 218:
      return '+';
    case 193: case 194: case 196: case 202: case 203: case 205:
    case 207: case 208: case 209: case 210:
      return '-';
    case 158: return 'P';
    case 227: return '\xB6';  // pilcrow
    case 249: return '\x95';  // bullet
    case 252: return 'n';
    case 169: case 176: case 177: case 178: case 219: case 220: case 222: case 223:
    case 224: case 226: case 228: case 229:
    case 231: case 232: case 233: case 234: case 235: case 236: case 237: case 238:
    case 239: case 240: case 242: case 243: case 244: case 245: case 247: case 251:
    case 254: case 255:
      return '_';
    default: return 0;
  }
}

std::string CharsText(int code) {
  if (code <= 32) return {};
  if (code <= 127) return std::string(1, static_cast<char>(code));
  if (const char s = Substitute(code)) return std::string(1, s);
  const unsigned char b = Cp1252FromUnicode(kCp437High[code - 128]);
  return b ? std::string(1, static_cast<char>(b)) : std::string("_");
}

std::array<CharTableRow, 256> BuildTable() {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::array<CharTableRow, 256> rows;
  for (int code = 0; code < 256; ++code) {
    CharTableRow& r = rows[static_cast<std::size_t>(code)];
    r.chars = CharsText(code);
    r.dec = code < 10 ? "0" + std::to_string(code) : std::to_string(code);
    r.hex = {kHex[code >> 4], kHex[code & 15]};
  }
  return rows;
}

}  // namespace

const CharTableRow& CharTable(int code) {
  static const std::array<CharTableRow, 256> table = BuildTable();
  return table[static_cast<std::size_t>(code & 0xFF)];
}

unsigned char CodeFromDecText(std::string_view dec) {
  if (dec.empty() || dec.size() > 3) return 32;
  int value = 0;
  for (char c : dec) {
    if (c < '0' || c > '9') return 32;
    value = value * 10 + (c - '0');
  }
  return value <= 255 ? static_cast<unsigned char>(value) : 32;
}

std::string InsertTextForCode(unsigned char code) {
  return code == 0 ? std::string() : std::string(1, static_cast<char>(code));
}

}  // namespace core
