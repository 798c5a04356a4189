#include "core/caption/caption.h"

#include <algorithm>
#include <cstdlib>

namespace core::caption {

std::string ComposeWindowText(const TextPart& company, const TextPart& appName, const TextPart& caption) {
  std::string text;
  if (company.visible) text += company.caption;
  if (company.visible && !company.caption.empty() && (appName.visible || caption.visible)) text += ' ';
  if (appName.visible) text += appName.caption;
  if (appName.visible && !appName.caption.empty() && caption.visible) text += ' ';
  if (caption.visible) text += caption.caption;
  return text;
}

namespace {

void DropThrough(std::string_view& text, const TextPart& part) {
  if (!part.visible || part.caption.empty()) return;
  size_t at = text.find(part.caption);
  if (at == std::string_view::npos) return;
  text.remove_prefix(at + part.caption.size());
  if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
}

}  // namespace

std::string DeriveCaption(std::string_view windowText, const TextPart& company, const TextPart& appName) {
  DropThrough(windowText, company);
  DropThrough(windowText, appName);
  return std::string(windowText);
}

bool UseGradient(TGradientEnabled when, bool active, int bitsPerPixel) {
  switch (when) {
    case geAlways: return true;
    case geNever: return false;
    case geWhenActive: return active;
    case geSmart: return active ? bitsPerPixel >= 8 : bitsPerPixel > 8;
  }
  return false;
}

int ClampNumColors(int current, int requested) {
  if (requested <= 0) return current;
  return std::min(requested, 256);
}

int MulDiv(int a, int b, int c) {
  long long p = static_cast<long long>(a) * b;
  long long q = (std::llabs(p) + std::llabs(static_cast<long long>(c)) / 2) / std::llabs(static_cast<long long>(c));
  return static_cast<int>(((p < 0) != (c < 0)) ? -q : q);
}

std::vector<Band> GradientBands(int left, int width, int n, RGB from, RGB to) {
  std::vector<Band> bands;
  if (n < 1) return bands;
  bands.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    RGB color = from;
    if (n > 1) {
      color = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        int a = static_cast<int>((from >> shift) & 0xFF), b = static_cast<int>((to >> shift) & 0xFF);
        color |= static_cast<RGB>(a + (b - a) * i / (n - 1)) << shift;
      }
    }
    bands.push_back({left + MulDiv(width, i, n), left + MulDiv(width, i + 1, n), color});
  }
  return bands;
}

CaptionGeometry Geometry(const FrameInfo& f, const Metrics& m) {
  CaptionGeometry g;
  if (f.border == Border::None) return g;
  g.painted = true;
  const bool tool = f.border == Border::ToolWindow || f.border == Border::SizeToolWin;
  int dx, dy;
  if (f.minimized) {
    dx = m.cxDlgFrame + (f.newLook ? 0 : m.cxBorder);
    dy = m.cyDlgFrame + (f.newLook ? 0 : m.cyBorder);
  } else if (f.border == Border::Sizeable || f.border == Border::SizeToolWin) {
    dx = m.cxFrame;
    dy = m.cyFrame;
  } else {
    dx = m.cxDlgFrame;
    dy = m.cyDlgFrame;
  }
  g.bar = {dx, dy, f.width - dx, dy + (tool ? m.cySmCaption : m.cyCaption) - 1};

  Buttons& b = g.buttons;
  if (f.systemMenu) {
    if (tool) {
      b.close = true;
    } else {
      b.close = f.newLook;
      if (f.helpBox) {
        if (f.border == Border::Dialog) b.help = true;
        if ((f.border == Border::Single || f.border == Border::Sizeable) && !f.minimizeBox && !f.maximizeBox)
          b.help = true;
      }
      if (f.newLook) {
        b.minimize = b.maximize = f.minimizeBox || f.maximizeBox;
      } else {
        b.minimize = f.minimizeBox;
        b.maximize = f.maximizeBox;
      }
    }
  }

  g.text = g.bar;
  if (b.close) g.text.right -= (tool ? m.cxSmSize : m.cxSize) + 2;
  if (b.maximize) g.text.right -= m.cxSize;
  if (b.minimize) g.text.right -= m.cxSize;
  if (b.help) g.text.right -= m.cxSize + 2;
  if (!f.newLook && (f.border == Border::Single || f.border == Border::Sizeable)) g.text.left += m.cxSize;
  if (g.text.right - g.text.left < 2) g.text.right = g.text.left + 2;

  // The buttons right to left in the bar shrunk by 2.
  Rect in{g.bar.left + 2, g.bar.top + 2, g.bar.right - 2, g.bar.bottom - 2};
  const int w = (tool ? m.cxSmSize : m.cxSize) - 2;
  int x = in.right;
  auto take = [&](bool present, Rect& r, int gapAfter) {
    if (!present) return;
    r = {x - w, in.top, x, in.bottom};
    x -= w + gapAfter;
  };
  take(b.close, g.close, 2);
  take(b.maximize, g.maximize, 0);
  take(b.minimize, g.minimize, 0);
  if (b.help && (b.maximize || b.minimize)) x -= 2;
  take(b.help, g.help, 0);
  return g;
}

int FittingParts(const PartWidth parts[3], int areaWidth) {
  auto sum = [&](int from) {
    long long s = 0;
    for (int i = from; i < 3; ++i)
      if (parts[i].visible) s += static_cast<long long>(parts[i].text) + 3;
    return s;
  };
  if (sum(0) <= areaWidth) return 3;
  if (sum(1) <= areaWidth) return 2;
  return 1;
}

std::vector<DrawnPart> LayoutTexts(const PartWidth parts[3], int areaLeft, int areaRight, TJustification j,
                                   bool newLook) {
  const int width = areaRight - areaLeft;
  const int first = 3 - FittingParts(parts, width);
  auto drawn = [&](int i) { return parts[i].visible && (i == 2 || !parts[i].empty); };
  long long total = 0;
  for (int i = first; i < 3; ++i)
    if (drawn(i)) total += static_cast<long long>(parts[i].text) + 3;
  const bool fits = total <= width;
  long long x = areaLeft;
  if (fits) {
    if (j == jCenter || (j == jAuto && !newLook)) x = areaLeft + (width - total) / 2;
    if (j == jRight) x = areaRight - total;
  }
  std::vector<DrawnPart> out;
  for (int i = first; i < 3; ++i) {
    if (!drawn(i)) continue;
    int start = static_cast<int>(std::min<long long>(x + 3, areaRight));
    out.push_back({i, start, areaRight});
    x += static_cast<long long>(parts[i].text) + 3;
  }
  return out;
}

}  // namespace core::caption
