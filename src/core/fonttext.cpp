#include "core/fonttext.h"

#include <array>

namespace core {

std::optional<FontSpec> ParseFontText(std::string_view text) {
  // The first four fields end at a comma each; the rest is the style field.
  std::array<std::string_view, 4> fields;
  for (std::string_view& field : fields) {
    size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    field = text.substr(0, comma);
    if (field.size() > kMaxFontField) return std::nullopt;
    text.remove_prefix(comma + 1);
  }

  FontSpec font;
  font.name = std::string(fields[0]);
  std::optional<Color> color = ColorFromText(fields[1]);
  if (!color) return std::nullopt;
  font.color = *color;
  std::optional<std::int32_t> size = ParseIntText(fields[2]);
  if (!size) return std::nullopt;
  font.size = *size;
  if (fields[3] == "v")
    font.pitch = FontPitch::Variable;
  else if (fields[3] == "f")
    font.pitch = FontPitch::Fixed;
  else
    font.pitch = FontPitch::Default;
  font.style = 0;
  for (char c : text) {
    switch (c) {
      case 'b': font.style |= fsBold; break;
      case 'i': font.style |= fsItalic; break;
      case 'u': font.style |= fsUnderline; break;
      case 's': font.style |= fsStrikeOut; break;
      default: break;
    }
  }
  return font;
}

std::string FormatFontText(const FontSpec& font) {
  std::string text = font.name;
  text += ',';
  text += ColorToText(font.color);
  text += ',';
  text += std::to_string(font.size);
  text += ',';
  text += font.pitch == FontPitch::Variable ? "v" : font.pitch == FontPitch::Fixed ? "f" : "d";
  text += ',';
  if (font.style & fsBold) text += 'b';
  if (font.style & fsItalic) text += 'i';
  if (font.style & fsUnderline) text += 'u';
  if (font.style & fsStrikeOut) text += 's';
  return text;
}

}  // namespace core
