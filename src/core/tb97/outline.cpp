#include "core/tb97/outline.h"

#include <algorithm>
#include <cstdint>

namespace core::tb97 {

Size DockedFrame(Orientation o, bool grip) {
  const int along = 4 + (grip ? 9 : 0);
  return o == Orientation::Vertical ? Size{4, along} : Size{along, 4};
}

Size FloatingFrame(Size border, int captionHeight) { return {2 * border.cx, 2 * border.cy + captionHeight}; }

FloatingCaption FloatingCaptionRects(Size client, Size border, int captionHeight, bool closeButton) {
  FloatingCaption out;
  out.caption = {border.cx, border.cy, border.cx + client.cx, border.cy + captionHeight - 1};
  if (closeButton) {
    const int side = captionHeight - 1;
    out.caption.right -= side;
    out.closeButton = Rect::FromPosSize(out.caption.right, border.cy, side, side);
  }
  return out;
}

FloatHit FloatingHitTest(Point p, const FloatingFrameInfo& f) {
  const int w = f.window.cx, h = f.window.cy;
  const Size b = f.border;
  const Size client{std::max(0, w - 2 * b.cx), std::max(0, h - 2 * b.cy - f.captionHeight)};
  const FloatingCaption rects = FloatingCaptionRects(client, b, f.captionHeight, f.closeButton);
  auto inside = [&](const Rect& r) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; };
  if (f.closeButton && inside(rects.closeButton)) return FloatHit::Close;
  if (inside({b.cx, b.cy, w - b.cx, h - b.cy})) return FloatHit::Client;
  if (!f.sizeable || p.x < 0 || p.y < 0 || p.x >= w || p.y >= h) return FloatHit::Nowhere;
  const bool top = p.y < b.cy, bottom = p.y >= h - b.cy - 1, left = p.x < b.cx, right = p.x >= w - b.cx - 1;
  if (!f.cornerSizing) {
    if (top) return FloatHit::Top;
    if (bottom) return FloatHit::Bottom;
    if (left) return FloatHit::Left;
    if (right) return FloatHit::Right;
    return FloatHit::Nowhere;
  }
  const int zone = f.captionHeight + b.cx - 1;
  if (top || bottom) {
    if (p.x < zone) return top ? FloatHit::TopLeft : FloatHit::BottomLeft;
    if (p.x >= w - zone) return top ? FloatHit::TopRight : FloatHit::BottomRight;
    return top ? FloatHit::Top : FloatHit::Bottom;
  }
  if (p.y < zone) return left ? FloatHit::TopLeft : FloatHit::TopRight;
  if (p.y >= h - zone) return left ? FloatHit::BottomLeft : FloatHit::BottomRight;
  return left ? FloatHit::Left : FloatHit::Right;
}

Grab GrabAt(Point offset, Size windowSize) { return {offset, {windowSize.cx - 1, windowSize.cy - 1}}; }

Rect PlaceOutline(Point q, Size size, const Grab& grab) {
  const int left = q.x - MulDiv(size.cx - 1, grab.offset.x, grab.reference.cx);
  const int top = q.y - MulDiv(size.cy - 1, grab.offset.y, grab.reference.cy);
  return Rect::FromPosSize(left, top, size.cx, size.cy);
}

Point ClampToWorkArea(Point q, const Rect& wa) {
  return {std::clamp(q.x, wa.left, std::max(wa.left, wa.right - 1)),
          std::clamp(q.y, wa.top, std::max(wa.top, wa.bottom - 1))};
}

Rect HoldFloatingOutline(Rect r, const Rect& wa, Size border, int captionHeight) {
  const Rect a{wa.left + border.cx + 4, wa.top + border.cy + 4, wa.right - border.cx - 4, wa.bottom - border.cy - 4};
  if (r.bottom < a.top) r = r.Offset(0, a.top - r.bottom);
  if (r.top > a.bottom) r = r.Offset(0, a.bottom - r.top);
  if (r.right < a.left) r = r.Offset(a.left - r.right, 0);
  if (r.left > a.right) r = r.Offset(a.right - r.left, 0);
  const int minTop = wa.top + 4 - border.cy - captionHeight;
  if (r.top < minTop) r = r.Offset(0, minTop - r.top);
  return r;
}

bool PointerOverDock(Point q, const DockCandidate& d, const Grab& grab) {
  const bool vertical = OrientationOf(d.position) == Orientation::Vertical;
  Rect r = d.clientOnScreen;
  if (r.Width() == 0 || r.Height() == 0) {
    if (vertical) {
      --r.left;
      ++r.right;
    } else {
      --r.top;
      ++r.bottom;
    }
  }
  const int a = MulDiv(32, grab.offset.x, grab.reference.cx);
  const int b = MulDiv(20, grab.offset.y, grab.reference.cy);
  if (!(r.left - 32 + a <= q.x && q.x <= r.right - 1 + a)) return false;
  if (vertical && !(r.top <= q.y && q.y < r.bottom)) return false;
  if (!(r.top - 20 + b <= q.y && q.y <= r.bottom - 1 + b)) return false;
  return PlaceOutline(q, d.outline, grab).Intersects(r);
}

std::optional<std::size_t> FindDockTarget(Point q, bool floatOnly, const bool (&dockableTo)[4],
                                          std::span<const DockCandidate> docks, const Grab& grab,
                                          const std::function<bool(std::size_t)>& accepts) {
  if (floatOnly) return std::nullopt;
  for (DockPosition p : {DockPosition::Top, DockPosition::Bottom, DockPosition::Left, DockPosition::Right}) {
    if (!dockableTo[static_cast<int>(p)]) continue;
    for (std::size_t i = 0; i < docks.size(); ++i) {
      const DockCandidate& d = docks[i];
      if (d.position != p || !d.allowDrag || !PointerOverDock(q, d, grab)) continue;
      if (!accepts || accepts(i)) return i;
    }
  }
  return std::nullopt;
}

Rect MoveOnScreen(const Rect& bounds, const Rect& wa, bool onlyIfWhollyOff) {
  if (onlyIfWhollyOff && bounds.Intersects(wa)) return bounds;
  std::int64_t left = bounds.left;
  std::int64_t top = bounds.top;
  const std::int64_t w = static_cast<std::int64_t>(bounds.right) - bounds.left;
  const std::int64_t h = static_cast<std::int64_t>(bounds.bottom) - bounds.top;
  if (left + w > wa.right) left -= left + w - wa.right;
  if (top + h > wa.bottom) top -= top + h - wa.bottom;
  if (left < wa.left) left = wa.left;
  if (top < wa.top) top = wa.top;
  return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(left + w), static_cast<int>(top + h)};
}

}  // namespace core::tb97
