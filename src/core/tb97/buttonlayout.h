// Where a toolbar button draws its glyph, caption and drop-down arrow inside
// its content rectangle, and the rectangles and glyph count around it. The
// window side measures the caption (over CaptionMeasureWidth) with the
// system's text call and passes its size in.
#pragma once

#include <optional>

#include "core/tb97/geometry.h"

namespace core::tb97 {

enum class ButtonLayout { GlyphLeft, GlyphRight, GlyphTop, GlyphBottom };

struct ButtonContent {
  Size client;   // the content rectangle's size
  Size glyph;    // one image of the glyph when shown, else 0 x 0
  Size caption;  // the measured caption when shown and not empty, else 0 x 0
  bool arrow = false;  // a drop-down arrow on a drop-down button that is no combo
  ButtonLayout layout = ButtonLayout::GlyphLeft;
  int margin = -1;   // -1: centre
  int spacing = 4;   // -1: spread
  bool wordWrap = false;
};

struct ButtonParts {
  Point glyph;
  Point caption;
  Point arrow;
  friend bool operator==(const ButtonParts&, const ButtonParts&) = default;
};

inline constexpr Size kArrowSize{9, 3};
inline constexpr int kComboArrowWidth = 11;

// The width of the rectangle the caption is measured in (`caption` is not
// read).
int CaptionMeasureWidth(const ButtonContent& c);

// The parts' positions relative to the content rectangle.
ButtonParts LayoutButtonContent(const ButtonContent& c);

// The content rectangle of a button of `size`: the border rectangle (less
// the combo's arrow part) shrunk by 1 (flat) or 2 pixels unless it has no
// border.
Rect ButtonContentRect(Size size, bool flat, bool noBorder, bool comboWithMenu);

// The number of images in a newly assigned glyph of `glyph` size: width /
// height when the width is a whole multiple of the height and that is below
// 6, else 1; nullopt (keep the current number) for an empty glyph.
std::optional<int> NumGlyphsFor(Size glyph);

}  // namespace core::tb97
