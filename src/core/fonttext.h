// The font text stored in the registry: five comma-separated fields,
//   name,colour,size,pitch,styles
// e.g. "Courier New,clBlue,10,f,bi".
//  - name: the text before the first comma;
//  - colour: a colour text (see colortext.h);
//  - size: an integer text, points;
//  - pitch: "d" default, "v" variable, "f" fixed, compared exactly; any other
//    text gives the default pitch;
//  - styles: everything after the fourth comma; "b" bold, "i" italic,
//    "u" underline, "s" strike-out; anything else is ignored.
// Each of the first four fields holds at most 254 characters; a longer one
// makes the text malformed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/colortext.h"

namespace core {

enum class FontPitch { Default, Variable, Fixed };

enum FontStyle : unsigned {
  fsBold = 1,
  fsItalic = 2,
  fsUnderline = 4,
  fsStrikeOut = 8,
};

struct FontSpec {
  std::string name = "MS Sans Serif";
  Color color = clWindowText;
  int size = 8;  // points
  FontPitch pitch = FontPitch::Default;
  unsigned style = 0;  // FontStyle bits

  bool operator==(const FontSpec&) const = default;
};

inline constexpr std::size_t kMaxFontField = 254;

// The font the text describes, or nullopt when the text is malformed (fewer
// than four commas, a colour or size that does not convert, a field that is
// too long). Fields the text does not give take FontSpec's defaults.
std::optional<FontSpec> ParseFontText(std::string_view text);

// The text that ParseFontText reads back as the same font.
std::string FormatFontText(const FontSpec& font);

}  // namespace core
