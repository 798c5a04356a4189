#include "core/tb97/disabledglyph.h"

namespace core::tb97 {

std::vector<bool> DisabledShape(const PixelImage& glyph, const PixelImage* mask, std::uint32_t transparent,
                                const DisabledStyle& style) {
  std::vector<bool> shape(glyph.pixels.size(), false);
  for (int y = 0; y < glyph.height; ++y) {
    for (int x = 0; x < glyph.width; ++x) {
      const std::uint32_t c = glyph.At(x, y) & 0xFFFFFF;
      bool background;
      if (style.old) {
        background = c == (style.oldBackground & 0xFFFFFF);
      } else {
        background = c == kWhite || c == kSilver || (!mask && c == (transparent & 0xFFFFFF));
      }
      if (mask) {
        const bool inMask = x < mask->width && y < mask->height;
        if (!inMask || (mask->At(x, y) & 0xFFFFFF) != 0) background = true;
      }
      shape[static_cast<std::size_t>(y) * glyph.width + x] = !background;
    }
  }
  return shape;
}

PixelImage GenerateDisabledGlyph(const PixelImage& glyph, const PixelImage* mask, std::uint32_t transparent,
                                 const DisabledStyle& style, const DisabledColours& colours) {
  const std::vector<bool> shape = DisabledShape(glyph, mask, transparent, style);
  PixelImage out(glyph.width + 1, glyph.height + 1, colours.face);
  for (int pass = 0; pass < 2; ++pass) {
    const int d = pass == 0 ? 1 : 0;
    const std::uint32_t colour = pass == 0 ? colours.highlight : colours.shadow;
    for (int y = 0; y < glyph.height; ++y)
      for (int x = 0; x < glyph.width; ++x)
        if (shape[static_cast<std::size_t>(y) * glyph.width + x]) out.At(x + d, y + d) = colour;
  }
  return out;
}

}  // namespace core::tb97
