// The images a toolbar button draws for each of its states, cut from its
// glyph strip (up, disabled, down, exclusive, hot side by side), with the
// transparency the image list needs; and the small rules around them: the
// dither pattern of a latched button and where a drop-down menu opens.
#pragma once

#include <cstdint>
#include <vector>

#include "core/tb97/disabledglyph.h"
#include "core/tb97/geometry.h"

namespace core::tb97 {

enum class ButtonState { Up, Disabled, Down, Exclusive, Hot };
inline constexpr int kButtonStateCount = 5;

// An image and which of its pixels are transparent (row by row).
struct MaskedImage {
  PixelImage image;
  std::vector<bool> transparent;
  bool Transparent(int x, int y) const { return transparent[static_cast<std::size_t>(y) * image.width + x]; }
};

struct GlyphSource {
  const PixelImage* strip = nullptr;  // the whole glyph bitmap
  const PixelImage* mask = nullptr;   // the optional mask: black = glyph
  int numGlyphs = 1;
  std::uint32_t transparent = 0;  // the strip's bottom-left pixel
  bool oldDisabledStyle = false;
};

// The bottom-left pixel of an image (the transparent colour of a glyph);
// 0 for an empty image.
std::uint32_t BottomLeftPixel(const PixelImage& image);

// The width of one image of the strip.
int GlyphImageWidth(const GlyphSource& g);

// Which image of the strip a state shows: its own when the strip has it,
// else the first; -1 for a disabled state the strip lacks (generated).
int GlyphImageIndex(ButtonState state, int numGlyphs);

// The image of `state`. The disabled image is one pixel larger both ways:
// from an own image its white pixels become `colours.highlight` and its grey
// (0x808080) ones `colours.shadow`, the added row and column transparent; a
// generated one is the embossed shape on button face, face transparent.
MaskedImage StateImage(const GlyphSource& g, ButtonState state, const DisabledColours& colours);

// The latched button's 8 x 8 dither: highlight where row and column are
// both even or both odd, face elsewhere.
std::uint32_t DitherPixel(int x, int y, std::uint32_t face, std::uint32_t highlight);

enum class MenuAlign { Left, Right };
struct MenuPlacement {
  Point at;  // screen point handed to the menu call
  MenuAlign align = MenuAlign::Left;
  friend bool operator==(const MenuPlacement&, const MenuPlacement&) = default;
};

// Where a drop-down button's menu opens, given the button's screen
// rectangle and the dock its toolbar sits in (none: floating): below its
// bottom-left corner; in a left dock at its top-right corner; in a right
// dock right-aligned at its top-left corner.
MenuPlacement DropdownMenuPlacement(const Rect& button, bool docked, DockPosition dock);

}  // namespace core::tb97
