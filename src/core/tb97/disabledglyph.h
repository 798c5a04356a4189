// The generated disabled glyph of a button whose glyph has a single image:
// the glyph's shape, embossed in the highlight colour one pixel down and
// right and in the shadow colour on top, on button face, one pixel larger
// than the glyph in both directions. Colours are 0x00BBGGRR.
#pragma once

#include <cstdint>
#include <vector>

namespace core::tb97 {

struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // rows top to bottom, width * height

  PixelImage() = default;
  PixelImage(int w, int h, std::uint32_t fill) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  std::uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kSilver = 0xC0C0C0;

struct DisabledColours {
  std::uint32_t face = 0xC0C0C0;
  std::uint32_t highlight = 0xFFFFFF;
  std::uint32_t shadow = 0x808080;
};

struct DisabledStyle {
  bool old = false;  // `OldDisabledStyle`
  // Old style: the colour that the monochrome conversion takes as background.
  std::uint32_t oldBackground = kWhite;
};

// Which pixels of `glyph` belong to its shape. New style: every pixel but
// the transparent colour, white and silver (with a mask, white and silver
// and the mask's transparent part). Old style: every pixel but the
// background colour (and the mask's transparent part). A mask pixel that is
// black marks the glyph; any other, and any pixel outside a smaller mask,
// is transparent.
std::vector<bool> DisabledShape(const PixelImage& glyph, const PixelImage* mask, std::uint32_t transparent,
                                const DisabledStyle& style);

// The disabled image: (width + 1) x (height + 1) of button face, the shape in
// highlight at (1, 1), then in shadow at (0, 0). Button face is its
// transparent colour.
PixelImage GenerateDisabledGlyph(const PixelImage& glyph, const PixelImage* mask, std::uint32_t transparent,
                                 const DisabledStyle& style, const DisabledColours& colours);

}  // namespace core::tb97
