#include "core/tb97/buttonlayout.h"

namespace core::tb97 {
namespace {

bool Horizontal(ButtonLayout l) { return l == ButtonLayout::GlyphLeft || l == ButtonLayout::GlyphRight; }

bool HasGlyph(const ButtonContent& c) { return c.glyph.cx > 0 && c.glyph.cy > 0; }

ButtonLayout EffectiveLayout(const ButtonContent& c) {
  return HasGlyph(c) ? c.layout : Horizontal(c.layout) ? c.layout : ButtonLayout::GlyphLeft;
}

}  // namespace

int CaptionMeasureWidth(const ButtonContent& c) {
  const ButtonLayout layout = EffectiveLayout(c);
  const Size arrow = c.arrow ? kArrowSize : Size{};
  int w = c.client.cx;
  if (Horizontal(layout)) w -= arrow.cx;
  if (c.wordWrap) {
    if (Horizontal(layout) && HasGlyph(c)) {
      w -= c.glyph.cx + (c.spacing == -1 ? 4 : c.spacing);
      w -= 2 * (c.margin != -1 ? c.margin : c.spacing != -1 ? c.spacing : 4);
    } else {
      w -= 8;
    }
  }
  return w;
}

ButtonParts LayoutButtonContent(const ButtonContent& c) {
  const ButtonLayout layout = EffectiveLayout(c);
  const bool horizontal = Horizontal(layout);
  const Size g = c.glyph;
  const Size t = c.caption;
  const Size a = c.arrow ? kArrowSize : Size{};
  const int cw = c.client.cx;
  const int ch = c.client.cy;
  ButtonParts p;

  if (horizontal) {
    p.glyph.y = (ch - g.cy + 1) / 2;
    p.caption.y = (ch - t.cy + 1) / 2;
  } else {
    p.glyph.x = (cw - g.cx - a.cx + 1) / 2;
    p.caption.x = (cw - t.cx + 1) / 2;
    p.arrow.x = HasGlyph(c) ? p.glyph.x + g.cx : p.caption.x + t.cx;
  }

  int m = c.margin;
  int s = c.spacing;
  const bool noCaption = t.cx == 0 || t.cy == 0;
  if (noCaption || !HasGlyph(c)) s = 0;
  const int free = horizontal ? cw : ch;
  const int ga = horizontal ? g.cx : g.cy;
  const int ta = horizontal ? t.cx : t.cy;
  const int aa = horizontal ? a.cx : 0;
  if (m == -1 && s == -1) {
    m = s = (free - ga - ta - aa) / 3;
  } else if (m == -1) {
    m = (free - s - ga - ta - aa + 1) / 2;
  } else if (s == -1) {
    s = (free - m - ga - aa - ta) / 2;
  }

  switch (layout) {
    case ButtonLayout::GlyphLeft:
      p.glyph.x = m;
      p.caption.x = m + g.cx + s;
      p.arrow.x = p.caption.x + t.cx;
      break;
    case ButtonLayout::GlyphRight:
      p.arrow.x = cw - m - a.cx;
      p.glyph.x = p.arrow.x - g.cx;
      p.caption.x = p.glyph.x - s - t.cx;
      break;
    case ButtonLayout::GlyphTop:
      p.glyph.y = m;
      p.caption.y = m + g.cy + s;
      break;
    case ButtonLayout::GlyphBottom:
      p.glyph.y = ch - m - g.cy;
      p.caption.y = p.glyph.y - s - t.cy;
      break;
  }
  p.arrow.y = HasGlyph(c) ? p.glyph.y + (g.cy - a.cy) / 2 : p.caption.y + (t.cy - a.cy) / 2;
  return p;
}

Rect ButtonContentRect(Size size, bool flat, bool noBorder, bool comboWithMenu) {
  Rect r{0, 0, size.cx, size.cy};
  if (comboWithMenu) r.right -= kComboArrowWidth;
  if (!noBorder) {
    const int inset = flat ? 1 : 2;
    r = {r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
  }
  return r;
}

std::optional<int> NumGlyphsFor(Size glyph) {
  if (glyph.cx <= 0 || glyph.cy <= 0) return std::nullopt;
  if (glyph.cx % glyph.cy != 0) return 1;
  const int n = glyph.cx / glyph.cy;
  return n < 6 ? n : 1;
}

}  // namespace core::tb97
