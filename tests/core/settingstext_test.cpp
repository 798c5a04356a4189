// Colour text and font text: the registry's text forms of the settings.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "core/colortext.h"
#include "core/fonttext.h"

namespace {

using core::Color;

TEST(ColorText, AllFortyTwoNamesInAnyCase) {
  int count = 0;
  const core::NamedColor* names = core::ColorNames(&count);
  ASSERT_EQ(count, 42);
  for (int i = 0; i < count; ++i) {
    std::string upper = names[i].name, lower = names[i].name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string& text : {std::string(names[i].name), upper, lower}) {
      auto value = core::ColorFromText(text);
      ASSERT_TRUE(value) << text;
      EXPECT_EQ(*value, names[i].value) << text;
    }
  }
}

TEST(ColorText, NamedValuesFollowTheTables) {
  struct Case { const char* text; std::uint32_t value; };
  const Case cases[] = {
      {"clBlack", 0x000000}, {"clMaroon", 0x000080}, {"clGray", 0x808080},
      {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF}, {"clBlue", 0xFF0000},
      {"clWhite", 0xFFFFFF}, {"clScrollBar", 0x80000000}, {"clAppWorkSpace", 0x8000000C},
      {"clHighlight", 0x8000000D}, {"clInfoBk", 0x80000018}, {"clNone", 0x1FFFFFFF},
      {"clwindow", 0x80000005}, {"CLWINDOWTEXT", 0x80000008}, {"cl3DDkShadow", 0x80000015},
  };
  for (const Case& c : cases) {
    auto value = core::ColorFromText(c.text);
    ASSERT_TRUE(value) << c.text;
    EXPECT_EQ(static_cast<std::uint32_t>(*value), c.value) << c.text;
  }
}

TEST(ColorText, Integers) {
  struct Case { const char* text; std::int64_t value; };  // value -1000 marks "not a colour"
  constexpr std::int64_t kBad = -1000;
  const Case cases[] = {
      {"255", 255},          {"  255", 255},       {"+255", 255},
      {"-1", -1},            {"$FF0000", 0xFF0000}, {"$ff", 255},
      {"  $0000FF", 255},    {"2147483647", 2147483647}, {"-2147483648", -2147483647LL - 1},
      {"$FFFFFFFF", -1},     {"$80000005", static_cast<std::int32_t>(0x80000005u)},
      {"0", 0},              {"007", 7},
      // garbage and overflow
      {"", kBad},            {"   ", kBad},          {"blue", kBad},
      {"255 ", kBad},        {"25 5", kBad},         {"$", kBad},
      {"+", kBad},           {"- 1", kBad},          {"$-1", kBad},
      {"0x10", kBad},        {"$1FFFFFFFF", kBad},   {"2147483648", kBad},
      {"-2147483649", kBad}, {"99999999999999999999999", kBad},
      {"\t5", kBad},         {"$G0", kBad},
  };
  for (const Case& c : cases) {
    auto value = core::ColorFromText(c.text);
    if (c.value == kBad) {
      EXPECT_FALSE(value) << '"' << c.text << '"';
    } else {
      ASSERT_TRUE(value) << '"' << c.text << '"';
      EXPECT_EQ(*value, c.value) << '"' << c.text << '"';
    }
  }
}

TEST(ColorText, EmbeddedZeroIsNotAColour) {
  EXPECT_FALSE(core::ColorFromText(std::string("25\0" "5", 4)));
  EXPECT_FALSE(core::ColorFromText(std::string("clRed\0", 6)));
}

TEST(ColorText, ToTextReadsBack) {
  for (Color c : {Color{0}, Color{255}, Color{0x123456}, core::clNone, core::clWindow, Color{-1},
                  static_cast<Color>(0x80000018u), static_cast<Color>(0x80000019u)}) {
    auto back = core::ColorFromText(core::ColorToText(c));
    ASSERT_TRUE(back) << core::ColorToText(c);
    EXPECT_EQ(*back, c);
  }
  EXPECT_EQ(core::ColorToText(0xFF0000), "clBlue");
}

// "No colour" paints the use's own default; every other value paints itself.
TEST(ColorText, NoColourPaintsTheDefaultOfItsUse) {
  using core::ColorUse;
  struct Case {
    Color value;
    ColorUse use;
    Color painted;
  };
  const Case cases[] = {
      {core::clNone, ColorUse::Text, core::clWindowText},
      {core::clNone, ColorUse::Background, core::clWindow},
      {Color{0}, ColorUse::Text, Color{0}},
      {Color{0xFFFFFF}, ColorUse::Background, Color{0xFFFFFF}},
      {core::clWindow, ColorUse::Text, core::clWindow},
      {core::clWindowText, ColorUse::Background, core::clWindowText},
      {core::clNone - 1, ColorUse::Background, core::clNone - 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(core::PaintColor(c.value, c.use), c.painted) << core::ColorToText(c.value);
}

// ---------------------------------------------------------------------------

struct FontCase {
  const char* text;
  bool wellFormed;
  core::FontSpec expected;  // only when well formed
};

core::FontSpec Font(const char* name, Color color, int size, core::FontPitch pitch, unsigned style) {
  core::FontSpec f;
  f.name = name;
  f.color = color;
  f.size = size;
  f.pitch = pitch;
  f.style = style;
  return f;
}

TEST(FontText, Parse) {
  using core::FontPitch;
  const FontCase cases[] = {
      {"Courier New,clBlue,10,f,bi", true,
       Font("Courier New", 0xFF0000, 10, FontPitch::Fixed, core::fsBold | core::fsItalic)},
      {"Arial,$0000FF,12,x,BU", true, Font("Arial", 0x0000FF, 12, FontPitch::Default, 0)},
      {"Arial,clRed,12,v,", true, Font("Arial", 0x0000FF, 12, FontPitch::Variable, 0)},
      {"Arial,clRed,12,d,usb,i,x", true,
       Font("Arial", 0x0000FF, 12, FontPitch::Default,
            core::fsBold | core::fsItalic | core::fsUnderline | core::fsStrikeOut)},
      {",0,  7,F,", true, Font("", 0, 7, FontPitch::Default, 0)},  // "F" is no pitch letter
      {"Courier New,clBlue,10", false, {}},
      {"Courier New,blue,10,f,b", false, {}},
      {"Courier New,clBlue,ten,f,b", false, {}},
      {"Courier New,clBlue,,f,b", false, {}},
      {"", false, {}},
      {",,,", false, {}},
  };
  for (const FontCase& c : cases) {
    auto font = core::ParseFontText(c.text);
    ASSERT_EQ(font.has_value(), c.wellFormed) << c.text;
    if (font) {
      EXPECT_EQ(*font, c.expected) << c.text;
    }
  }
}

TEST(FontText, FieldsLongerThan254AreMalformed) {
  const std::string ok(254, 'a'), tooLong(255, 'a');
  EXPECT_TRUE(core::ParseFontText(ok + ",0,8,d,"));
  EXPECT_FALSE(core::ParseFontText(tooLong + ",0,8,d,"));
  EXPECT_FALSE(core::ParseFontText("Arial,0,8," + tooLong + ",b"));
  EXPECT_FALSE(core::ParseFontText("Arial,0," + std::string(300, '1') + ",d,b"));
  // The style field has no bound.
  auto font = core::ParseFontText("Arial,0,8,d," + std::string(100000, 'b'));
  ASSERT_TRUE(font);
  EXPECT_EQ(font->style, core::fsBold);
}

TEST(FontText, FormatReadsBack) {
  using core::FontPitch;
  for (const core::FontSpec& f :
       {core::FontSpec{}, Font("Courier New", 0xFF0000, 10, FontPitch::Fixed, core::fsBold | core::fsItalic),
        Font("Arial", core::clWindowText, 12, FontPitch::Variable, core::fsUnderline | core::fsStrikeOut)}) {
    auto back = core::ParseFontText(core::FormatFontText(f));
    ASSERT_TRUE(back) << core::FormatFontText(f);
    EXPECT_EQ(*back, f);
  }
  EXPECT_EQ(core::FormatFontText(Font("Courier New", 0xFF0000, 10, FontPitch::Fixed, core::fsBold)),
            "Courier New,clBlue,10,f,b");
}

}  // namespace
