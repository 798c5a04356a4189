#include "core/tb97/glyphimages.h"

namespace core::tb97 {
namespace {

constexpr std::uint32_t kGrey = 0x808080;

bool MaskSaysTransparent(const PixelImage* mask, int x, int y) {
  if (!mask) return false;
  if (x >= mask->width || y >= mask->height) return true;
  return (mask->At(x, y) & 0xFFFFFF) != 0;
}

// One image of the strip as its own picture, with the strip's coordinates
// kept for the mask.
PixelImage Cut(const PixelImage& strip, int left, int w) {
  PixelImage out(w, strip.height, 0);
  for (int y = 0; y < strip.height; ++y)
    for (int x = 0; x < w; ++x) out.At(x, y) = left + x < strip.width ? strip.At(left + x, y) & 0xFFFFFF : 0;
  return out;
}

PixelImage CutMask(const PixelImage* mask, int left, int w, int h) {
  PixelImage out(w, h, kWhite);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (!MaskSaysTransparent(mask, left + x, y)) out.At(x, y) = 0;
  return out;
}

}  // namespace

std::uint32_t BottomLeftPixel(const PixelImage& image) {
  if (image.width <= 0 || image.height <= 0) return 0;
  return image.At(0, image.height - 1) & 0xFFFFFF;
}

int GlyphImageWidth(const GlyphSource& g) {
  if (!g.strip || g.strip->width <= 0) return 0;
  const int n = g.numGlyphs < 1 ? 1 : g.numGlyphs;
  return g.strip->width / n;
}

int GlyphImageIndex(ButtonState state, int numGlyphs) {
  const int i = static_cast<int>(state);
  if (i < numGlyphs) return i;
  return state == ButtonState::Disabled ? -1 : 0;
}

MaskedImage StateImage(const GlyphSource& g, ButtonState state, const DisabledColours& colours) {
  MaskedImage out;
  const int gw = GlyphImageWidth(g);
  if (gw <= 0 || !g.strip || g.strip->height <= 0) return out;
  const int gh = g.strip->height;
  const int index = GlyphImageIndex(state, g.numGlyphs);
  const std::uint32_t key = g.transparent & 0xFFFFFF;

  if (state != ButtonState::Disabled) {
    out.image = Cut(*g.strip, index * gw, gw);
    out.transparent.assign(static_cast<std::size_t>(gw) * gh, false);
    for (int y = 0; y < gh; ++y)
      for (int x = 0; x < gw; ++x)
        out.transparent[static_cast<std::size_t>(y) * gw + x] =
            g.mask ? MaskSaysTransparent(g.mask, index * gw + x, y) : out.image.At(x, y) == key;
    return out;
  }

  out.image = PixelImage(gw + 1, gh + 1, colours.face);
  out.transparent.assign(static_cast<std::size_t>(gw + 1) * (gh + 1), true);
  if (index >= 0) {
    const PixelImage own = Cut(*g.strip, index * gw, gw);
    for (int y = 0; y < gh; ++y) {
      for (int x = 0; x < gw; ++x) {
        const std::uint32_t c = own.At(x, y);
        const bool clear = g.mask ? MaskSaysTransparent(g.mask, index * gw + x, y) : c == key;
        out.transparent[static_cast<std::size_t>(y) * (gw + 1) + x] = clear;
        out.image.At(x, y) = c == kWhite ? colours.highlight : c == kGrey ? colours.shadow : c;
      }
    }
    return out;
  }

  // Generated from the first image.
  const PixelImage first = Cut(*g.strip, 0, gw);
  PixelImage maskImage;
  if (g.mask) maskImage = CutMask(g.mask, 0, gw, gh);
  DisabledStyle style;
  style.old = g.oldDisabledStyle;
  style.oldBackground = key;
  out.image = GenerateDisabledGlyph(first, g.mask ? &maskImage : nullptr, key, style, colours);
  for (int y = 0; y < out.image.height; ++y)
    for (int x = 0; x < out.image.width; ++x)
      out.transparent[static_cast<std::size_t>(y) * out.image.width + x] =
          (out.image.At(x, y) & 0xFFFFFF) == (colours.face & 0xFFFFFF);
  return out;
}

std::uint32_t DitherPixel(int x, int y, std::uint32_t face, std::uint32_t highlight) {
  return (x % 2) == (y % 2) ? highlight : face;
}

MenuPlacement DropdownMenuPlacement(const Rect& button, bool docked, DockPosition dock) {
  if (docked && dock == DockPosition::Left) return {{button.right, button.top}, MenuAlign::Left};
  if (docked && dock == DockPosition::Right) return {{button.left, button.top}, MenuAlign::Right};
  return {{button.left, button.bottom}, MenuAlign::Left};
}

}  // namespace core::tb97
