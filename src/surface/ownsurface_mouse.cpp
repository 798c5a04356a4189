// The own surface's mouse: click, Shift+click, double click on a word,
// dragging a selection with auto-scroll while the mouse is outside, and
// the wheel.
#include <algorithm>

#include "surface/ownsurface.h"

namespace own {

namespace {
constexpr UINT kDragTick = 50;  // ms between auto-scroll steps
}  // namespace

TextPos OwnSurface::PosAtPoint(int x, int y) {
  const int row = y < 0 ? -1 - (-y - 1) / rowHeight_ : y / rowHeight_;
  const core::RowRef r = layout_.Step(top_, row);
  return layout_.PosAtX(r, std::max<std::int64_t>(x - kMargin + hscroll_, 0));
}

void OwnSurface::MouseDown(int x, int y, WPARAM flags, bool doubleClick) {
  const TextPos pos = PosAtPoint(x, y);
  goalX_ = -1;
  if (doubleClick) {
    const core::WordSpan w = model_.WordSelection(pos);
    Select(static_cast<TextPos>(w.start), static_cast<TextPos>(w.next));
  } else if (flags & MK_SHIFT) {
    Select(anchor_, pos);
  } else {
    Select(pos, pos);
  }
  dragging_ = true;
  dragAt_ = {x, y};
  ::SetCapture(hwnd());
}

void OwnSurface::MouseMove(int x, int y) {
  if (!dragging_) return;
  dragAt_ = {x, y};
  RECT rc{};
  ::GetClientRect(hwnd(), &rc);
  const bool outside = y < 0 || y >= rc.bottom || (!wrap_ && (x < 0 || x >= rc.right));
  if (outside)
    ::SetTimer(hwnd(), kDragTimer, kDragTick, nullptr);
  else
    ::KillTimer(hwnd(), kDragTimer);
  Select(anchor_, PosAtPoint(x, y), false);
}

void OwnSurface::DragTimer() {
  if (!dragging_) {
    ::KillTimer(hwnd(), kDragTimer);
    return;
  }
  RECT rc{};
  ::GetClientRect(hwnd(), &rc);
  // One row (or a few average widths) towards the mouse per tick.
  if (dragAt_.y < 0) ScrollRows(-1);
  else if (dragAt_.y >= rc.bottom) ScrollRows(1);
  if (!wrap_) {
    if (dragAt_.x < 0) SetHScroll(hscroll_ - 4 * averageWidth_);
    else if (dragAt_.x >= rc.right) SetHScroll(hscroll_ + 4 * averageWidth_);
  }
  const int y = std::clamp<int>(dragAt_.y, 0, std::max<int>(rc.bottom - 1, 0));
  Select(anchor_, PosAtPoint(dragAt_.x, y), false);
}

void OwnSurface::MouseUp() {
  if (!dragging_) return;
  dragging_ = false;
  ::KillTimer(hwnd(), kDragTimer);
  ::ReleaseCapture();
}

void OwnSurface::Wheel(int delta) {
  UINT lines = 3;
  ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  if (lines == WHEEL_PAGESCROLL) lines = static_cast<UINT>(VisibleRows());
  const TextPos rows = -static_cast<TextPos>(delta) * static_cast<TextPos>(lines) / WHEEL_DELTA;
  if (rows != 0) ScrollRows(rows);
  if (OnVScroll) OnVScroll();
}

}  // namespace own
