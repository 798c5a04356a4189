// Randomized tests of the readers of what a user or another program wrote:
// colour and font texts, registry integers, the recent-files list read from
// the registry, the command line and the text file loader. Each target runs a
// fixed number of inputs from a fixed seed, so a failure repeats; the input
// that failed is printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/cmdline.h"
#include "core/colortext.h"
#include "core/fonttext.h"
#include "core/mrulist.h"
#include "core/regint.h"
#include "core/textfile.h"

namespace {

// Quoted so that every byte shows.
std::string Show(std::string_view s) {
  std::string out = "\"";
  for (unsigned char c : s.substr(0, 400)) {
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    }
  }
  if (s.size() > 400) out += "...(" + std::to_string(s.size()) + " bytes)";
  return out + "\"";
}

// Makes texts that are mostly near the forms the readers expect: pieces of
// valid texts, digits, signs, blanks, separators, any byte now and then.
class Gen {
 public:
  explicit Gen(std::uint32_t seed) : rng_(seed) {}

  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(int percent) { return Int(0, 99) < percent; }
  char AnyByte() { return static_cast<char>(Int(0, 255)); }

  // A text of up to `maxLen` pieces, each picked from `pieces` or one byte
  // of `alphabet` or any byte.
  std::string Text(const std::vector<std::string>& pieces, std::string_view alphabet, int maxLen) {
    std::string s;
    const int n = Int(0, maxLen);
    for (int i = 0; i < n; ++i) {
      const int pick = Int(0, 99);
      if (pick < 35 && !pieces.empty()) {
        s += pieces[static_cast<size_t>(Int(0, static_cast<int>(pieces.size()) - 1))];
      } else if (pick < 95 && !alphabet.empty()) {
        s += alphabet[static_cast<size_t>(Int(0, static_cast<int>(alphabet.size()) - 1))];
      } else {
        s += AnyByte();
      }
    }
    return s;
  }

 private:
  std::mt19937 rng_;
};

const std::vector<std::string> kNumberPieces = {"0x", "0X", "$", "-", "+", " ", "\t", "2147483647", "2147483648",
                                                "-2147483648", "FFFFFFFF", "100000000", "00000000", "7"};
constexpr std::string_view kNumberChars = "0123456789abcdefABCDEFxX$+- \t";

// The registry integer rule, written out once more from its description.
std::optional<std::int32_t> RegIntOracle(std::string s) {
  while (!s.empty() && (s[0] == ' ' || s[0] == '\t')) s.erase(0, 1);
  std::string hex;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    hex = s.substr(2);
  } else if (!s.empty() && s[0] == '$') {
    hex = s.substr(1);
  } else {
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
      negative = s[0] == '-';
      s.erase(0, 1);
    }
    if (s.empty() || !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return std::nullopt;
    const size_t first = s.find_first_not_of('0');
    const std::string digits = first == std::string::npos ? "0" : s.substr(first);
    if (digits.size() > 10) return std::nullopt;
    long long v = std::stoll(digits);
    if (negative) v = -v;
    if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(v);
  }
  if (hex.empty() || !std::all_of(hex.begin(), hex.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
    return std::nullopt;
  const size_t first = hex.find_first_not_of('0');
  const std::string digits = first == std::string::npos ? "0" : hex.substr(first);
  if (digits.size() > 8) return std::nullopt;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16)));
}

TEST(Fuzz, RegistryIntegersFollowTheRule) {
  Gen g(0x5EED0001);
  for (int i = 0; i < 20000; ++i) {
    const std::string text = g.Text(kNumberPieces, kNumberChars, 6);
    const std::optional<std::int32_t> got = core::ParseRegInt(text);
    ASSERT_EQ(got, RegIntOracle(text)) << Show(text);
    ASSERT_EQ(core::RegIntFromText(text, 12345), got.value_or(12345)) << Show(text);
    if (got) {
      ASSERT_EQ(core::ParseRegInt(std::to_string(*got)), got) << Show(text);
    }
  }
}

std::vector<std::string> ColorPieces() {
  std::vector<std::string> pieces = kNumberPieces;
  int count = 0;
  const core::NamedColor* names = core::ColorNames(&count);
  for (int i = 0; i < count; ++i) pieces.push_back(names[i].name);
  pieces.push_back("CLWINDOW");
  pieces.push_back("clnone");
  return pieces;
}

// The integer of colour and font texts, written out once more: leading
// spaces, then "[+-]digits" within 32 signed bits or "$" and up to 32 bits
// of hex digits, nothing after.
std::optional<std::int32_t> IntTextOracle(std::string s) {
  while (!s.empty() && s[0] == ' ') s.erase(0, 1);
  if (!s.empty() && s[0] == '$') {
    s.erase(0, 1);
    if (s.empty() || !std::all_of(s.begin(), s.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
      return std::nullopt;
    const size_t first = s.find_first_not_of('0');
    const std::string digits = first == std::string::npos ? "0" : s.substr(first);
    if (digits.size() > 8) return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16)));
  }
  // What is left is decimal, which the registry rule reads alike once its
  // own forms (blanks other than spaces, "0x") are ruled out.
  if (s.empty() || s[0] == '\t' || (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))) return std::nullopt;
  return RegIntOracle(s);
}

std::optional<core::Color> ColorOracle(const std::string& text) {
  int count = 0;
  const core::NamedColor* names = core::ColorNames(&count);
  auto lower = [](std::string t) {
    for (char& c : t)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return t;
  };
  for (int i = 0; i < count; ++i)
    if (lower(text) == lower(names[i].name)) return names[i].value;
  return IntTextOracle(text);
}

TEST(Fuzz, ColourTextsReadBackAsTheyAreWritten) {
  Gen g(0x5EED0002);
  const std::vector<std::string> pieces = ColorPieces();
  for (int i = 0; i < 10000; ++i) {
    const std::string text = g.Text(pieces, kNumberChars, 4);
    const std::optional<core::Color> c = core::ColorFromText(text);
    ASSERT_EQ(c, ColorOracle(text)) << Show(text);
    if (!c) continue;
    const std::string written = core::ColorToText(*c);
    ASSERT_EQ(core::ColorFromText(written), c) << Show(text) << " written as " << written;
  }
  // Every colour value, not only those the texts reach.
  for (int i = 0; i < 5000; ++i) {
    const auto c = static_cast<core::Color>(static_cast<std::uint32_t>(g.Int(0, 0xFFFF)) << 16 |
                                            static_cast<std::uint32_t>(g.Int(0, 0xFFFF)));
    ASSERT_EQ(core::ColorFromText(core::ColorToText(c)), c) << c;
  }
}

TEST(Fuzz, FontTextsReadBackAsTheyAreWritten) {
  Gen g(0x5EED0003);
  std::vector<std::string> pieces = ColorPieces();
  for (const char* p : {",", ",,", ",,,,", "Courier New", "d", "v", "f", "b", "i", "u", "s", "bius"})
    pieces.push_back(p);
  pieces.push_back(std::string(254, 'n'));
  pieces.push_back(std::string(255, 'n'));
  constexpr std::string_view chars = "0123456789,,,,dvfbius $-";
  // The inputs start from the corners: fields at and over their bound.
  const std::string n254(254, 'n'), n255(255, 'n');
  const std::vector<std::string> seeds = {
      n254 + ",clRed,10,f,b", n255 + ",clRed,10,f,b", "a," + n254 + ",10,f,", "a,clRed," + n255 + ",f,",
      "a,clRed,10," + n254 + ",", "a,clRed,10," + n255 + ",", "a,clRed,10,f," + n255, ",,,,", ",0,0,,"};
  for (int i = 0; i < 10000; ++i) {
    const std::string text = i < static_cast<int>(seeds.size()) ? seeds[static_cast<size_t>(i)] : g.Text(pieces, chars, 14);
    const std::optional<core::FontSpec> font = core::ParseFontText(text);
    // The text split anew: four fields before the first four commas, the styles after.
    std::vector<std::string> fields;
    size_t from = 0;
    for (int f = 0; f < 4 && from <= text.size(); ++f) {
      const size_t comma = text.find(',', from);
      if (comma == std::string::npos) break;
      fields.push_back(text.substr(from, comma - from));
      from = comma + 1;
    }
    bool wellFormed = fields.size() == 4;
    for (const std::string& f : fields) wellFormed = wellFormed && f.size() <= 254;
    if (wellFormed) wellFormed = ColorOracle(fields[1]) && IntTextOracle(fields[2]);
    ASSERT_EQ(font.has_value(), wellFormed) << Show(text);
    if (!font) continue;
    EXPECT_EQ(font->name, fields[0]);
    EXPECT_EQ(font->color, *ColorOracle(fields[1]));
    EXPECT_EQ(font->size, *IntTextOracle(fields[2]));
    EXPECT_EQ(font->pitch, fields[3] == "v"   ? core::FontPitch::Variable
                           : fields[3] == "f" ? core::FontPitch::Fixed
                                              : core::FontPitch::Default);
    const std::string styles = text.substr(from);
    EXPECT_EQ(font->style, (styles.find('b') != std::string::npos ? core::fsBold : 0u) |
                               (styles.find('i') != std::string::npos ? core::fsItalic : 0u) |
                               (styles.find('u') != std::string::npos ? core::fsUnderline : 0u) |
                               (styles.find('s') != std::string::npos ? core::fsStrikeOut : 0u))
        << Show(text);
    EXPECT_LE(font->name.size(), core::kMaxFontField) << Show(text);
    EXPECT_EQ(font->name.find(','), std::string::npos) << Show(text);
    EXPECT_EQ(font->style & ~15u, 0u) << Show(text);
    const std::string written = core::FormatFontText(*font);
    ASSERT_EQ(core::ParseFontText(written), font) << Show(text) << " written as " << Show(written);
  }
}

TEST(Fuzz, RecentFilesSurviveAnyKey) {
  Gen g(0x5EED0004);
  const std::vector<std::string> countPieces = {"0x", "$", "-", "2147483647", "10001", "99999999", "3", " "};
  for (int i = 0; i < 800; ++i) {
    // A key as another program may have left it: any "Count", values missing,
    // empty, or any bytes.
    std::map<std::string, std::string> key;
    if (!g.Chance(10)) key["Count"] = g.Text(countPieces, kNumberChars, 3);
    const int values = g.Int(0, 30);
    for (int n = 1; n <= values; ++n) {
      if (g.Chance(20)) continue;
      key[std::to_string(n)] = g.Chance(15) ? std::string() : g.Text({"C:\\a.txt", "c:\\A.TXT", "\\", "&"}, "abcAB\\:.", 6);
    }
    core::MruModel list;
    list.SetOptions(static_cast<core::MruOptions>(g.Int(0, 0x3FF)));
    list.SetStyle(static_cast<core::MruStyle>(g.Int(0, 2)));
    list.SetMaxShowCount(g.Int(-2, 9));
    list.SetMaxSaveCount(g.Int(-2, 9));
    int reads = 0;
    list.LoadFromRegistry(
        [&](const std::string& name) -> std::optional<std::string> {
          ++reads;
          auto it = key.find(name);
          if (it == key.end()) return std::nullopt;
          return it->second;
        },
        [&](const std::string& path) { return path.size() % 3 != 0; });
    const std::string count = key.count("Count") ? key["Count"] : "<missing>";
    ASSERT_LE(reads, core::kMruMaxLoadCount + 1) << Show(count);
    for (const core::MruEntry& e : list.Entries()) {
      ASSERT_FALSE(e.path.empty()) << Show(count);
      ASSERT_FALSE(e.open);
    }
    // Some of it used, then rebuilt and written back.
    if (g.Chance(50) && !list.Entries().empty()) list.AddItem(list.Entries().back().path);
    if (g.Chance(50)) list.AddItem("D:\\new.txt");
    const core::MruMenuState menu = list.Rebuild([](const std::string& path) { return path.size() % 2 == 0; });
    ASSERT_EQ(menu.slots.size(), static_cast<size_t>(std::max(list.MaxShowCount(), 0)));
    ASSERT_LE(menu.shown, static_cast<int>(menu.slots.size()));
    for (size_t s = 0; s < menu.slots.size(); ++s) {
      const core::MruSlot& slot = menu.slots[s];
      ASSERT_EQ(slot.visible, static_cast<int>(s) < menu.shown);
      if (slot.visible) {
        ASSERT_TRUE(list.ItemForTag(slot.tag).has_value()) << slot.tag;
      }
    }
    const std::vector<core::MruRegValue> saved = list.ToRegistry();
    std::map<std::string, std::string> again;
    for (const core::MruRegValue& v : saved) again[v.name] = v.text;
    core::MruModel reread;
    reread.SetOptions(0);
    reread.LoadFromRegistry(
        [&](const std::string& name) -> std::optional<std::string> {
          auto it = again.find(name);
          if (it == again.end()) return std::nullopt;
          return it->second;
        },
        {});
    ASSERT_EQ(reread.Entries().size(), list.Entries().size()) << Show(count);
    for (size_t e = 0; e < list.Entries().size(); ++e) ASSERT_EQ(reread.Entries()[e].path, list.Entries()[e].path);
  }
}

TEST(Fuzz, CommandLinesSplitIntoWhatWasQuoted) {
  Gen g(0x5EED0005);
  constexpr std::string_view blanks = " \t\r\n\v\f";
  for (int i = 0; i < 10000; ++i) {
    const std::string line = g.Text({"\"", "\"\"", "C:\\My Files\\", "a.txt", "\\\""}, "ab\\\" \t\r\n\v\f", 16);
    const std::vector<std::string> args = core::SplitArguments(line);
    for (const std::string& a : args) {
      ASSERT_FALSE(a.empty()) << Show(line);
      ASSERT_EQ(a.find('"'), std::string::npos) << Show(line);
    }
    // Each argument quoted anew, between any blanks, splits into the same.
    std::string joined;
    for (const std::string& a : args) joined += std::string(1, blanks[static_cast<size_t>(g.Int(0, 5))]) + '"' + a + '"';
    ASSERT_EQ(core::SplitArguments(joined), args) << Show(line);
    // The program's name, whatever it is, is never a file.
    ASSERT_EQ(core::CommandLineArguments("prog " + joined), args) << Show(line);
    std::string program = g.Text({"C:\\Program Files\\"}, "ab \t", 4);
    std::erase(program, '"');
    ASSERT_EQ(core::CommandLineArguments("\"" + program + "\"" + joined), args) << Show(line);
  }
}

// A line of any bytes but CR and LF.
std::string Line(Gen& g, int maxLen) {
  std::string s;
  const int n = g.Int(0, maxLen);
  for (int i = 0; i < n; ++i) {
    char c = g.Chance(80) ? static_cast<char>(g.Int(' ', '~')) : g.AnyByte();
    if (c == '\r' || c == '\n') c = '\0';
    s += c;
  }
  return s;
}

bool OnlyCrLfEnds(std::string_view doc) {
  for (size_t i = 0; i < doc.size(); ++i) {
    if (doc[i] == '\r' && (i + 1 >= doc.size() || doc[i + 1] != '\n')) return false;
    if (doc[i] == '\n' && (i == 0 || doc[i - 1] != '\r')) return false;
  }
  return true;
}

TEST(Fuzz, AnyBytesLoadIntoDocumentLines) {
  Gen g(0x5EED0006);
  for (int i = 0; i < 2000; ++i) {
    const std::string bytes = g.Text({"\r\n", "\n\r", "\r\r\n"}, "ab\r\n", 40);
    const std::string doc = core::DocumentFromFileBytes(bytes);
    ASSERT_TRUE(OnlyCrLfEnds(doc)) << Show(bytes);
    // Every line end became one CR LF and nothing else changed.
    std::string expect;
    for (size_t k = 0; k < bytes.size(); ++k) {
      if (bytes[k] == '\r' && k + 1 < bytes.size() && bytes[k + 1] == '\n') {
        expect += "\r\n";
        ++k;
      } else if (bytes[k] == '\r' || bytes[k] == '\n') {
        expect += "\r\n";
      } else {
        expect += bytes[k];
      }
    }
    ASSERT_EQ(doc, expect) << Show(bytes);
    // Saving and loading again changes nothing more.
    for (core::TextFormat f : {core::TextFormat::tfDos, core::TextFormat::tfUnix, core::TextFormat::tfMac}) {
      const std::string saved = core::FileBytesFromDocument(doc, f);
      const std::string reloaded = core::DocumentFromFileBytes(saved);
      ASSERT_EQ(core::FileBytesFromDocument(reloaded, f), saved) << Show(bytes);
      ASSERT_EQ(core::CountLines(reloaded), core::CountLines(doc)) << Show(bytes);
    }
  }
}

TEST(Fuzz, FilesInTheirOwnFormatSaveBackByteForByte) {
  Gen g(0x5EED0007);
  for (int i = 0; i < 1000; ++i) {
    std::vector<std::string> lines;
    const int n = g.Chance(5) ? 0 : g.Int(1, 30);
    for (int k = 0; k < n; ++k) lines.push_back(Line(g, 20));
    if (i % 500 == 0) lines.assign(1, std::string(1 << 20, 'x'));  // one huge line
    // DOS: lines between CR LF, the last one with or without its own.
    std::string dos;
    for (size_t k = 0; k < lines.size(); ++k) dos += (k ? "\r\n" : "") + lines[k];
    if (!lines.empty() && g.Chance(50)) dos += "\r\n";
    std::string unix, mac;
    for (const std::string& l : lines) {
      unix += l + "\n";
      mac += l + "\r";
    }
    const std::pair<core::TextFormat, const std::string*> files[] = {
        {core::TextFormat::tfDos, &dos}, {core::TextFormat::tfUnix, &unix}, {core::TextFormat::tfMac, &mac}};
    for (auto [format, bytes] : files) {
      const std::string doc = core::DocumentFromFileBytes(*bytes);
      ASSERT_EQ(core::FileBytesFromDocument(doc, format), *bytes) << static_cast<int>(format) << Show(*bytes);
      // (A DOS text cannot tell a last empty line from a final line end.)
      if (format != core::TextFormat::tfDos) {
        ASSERT_EQ(core::CountLines(doc), lines.size()) << Show(*bytes);
      }
    }
  }
}

}  // namespace
