// The own surface's scrolling: both bars with 32-bit positions (the thumb
// is read through SIF_TRACKPOS while it is dragged), the first visible row,
// and keeping the caret in view.
#include <algorithm>
#include <climits>

#include "surface/ownsurface.h"

namespace own {

namespace {
int ToInt(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, 0, INT_MAX)); }
bool Before(core::RowRef a, core::RowRef b) { return a.line < b.line || (a.line == b.line && a.row < b.row); }
}  // namespace

void OwnSurface::UpdateScrollBars() {
  if (!hwnd()) return;
  const TextPos rows = layout_.EstimatedRows();
  SCROLLINFO v{};
  v.cbSize = sizeof v;
  v.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  v.nMin = 0;
  v.nMax = ToInt(rows - 1);
  v.nPage = static_cast<UINT>(VisibleRows());
  v.nPos = ToInt(layout_.EstimatedRowOf(top_));
  // Setting the bars redraws them: only when something changed.
  if (v.nMax != vbar_.nMax || v.nPage != vbar_.nPage || v.nPos != vbar_.nPos) {
    ::SetScrollInfo(hwnd(), SB_VERT, &v, TRUE);
    vbar_ = v;
  }

  SCROLLINFO h{};
  h.cbSize = sizeof h;
  h.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  h.nMin = 0;
  const int width = ClientWidth();
  h.nMax = wrap_ ? 0 : ToInt(std::max<std::int64_t>(widestSeen_ + averageWidth_, hscroll_ + width));
  h.nPage = wrap_ ? 0 : static_cast<UINT>(width);
  h.nPos = ToInt(hscroll_);
  if (h.nMax != hbar_.nMax || h.nPage != hbar_.nPage || h.nPos != hbar_.nPos) {
    ::SetScrollInfo(hwnd(), SB_HORZ, &h, TRUE);
    hbar_ = h;
  }
}

void OwnSurface::SetTop(core::RowRef top) {
  // The last row may come up to the bottom of the window, not higher.
  const core::RowRef lastTop = layout_.Step(layout_.LastRow(), -(VisibleRows() - 1));
  if (top.line < 0) top = {};
  if (Before(lastTop, top)) top = lastTop;
  top.row = std::clamp<TextPos>(top.row, 0, layout_.RowsOf(top.line) - 1);
  if (top == top_) return;
  top_ = top;
  if (!hwnd()) return;
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  UpdateScrollBars();
  PlaceCaret();
}

void OwnSurface::SetHScroll(std::int64_t x) {
  // Up to the widest row's end at the right edge (or where the caret took
  // the view).
  const std::int64_t limit = std::max<std::int64_t>(widestSeen_ + averageWidth_ - ClientWidth(), hscroll_);
  x = std::clamp<std::int64_t>(x, 0, std::max<std::int64_t>(limit, 0));
  if (wrap_) x = 0;
  if (x == hscroll_) return;
  hscroll_ = x;
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  UpdateScrollBars();
  PlaceCaret();
}

void OwnSurface::ScrollRows(TextPos delta) { SetTop(layout_.Step(top_, delta)); }

void OwnSurface::VScroll(int code) {
  const int page = VisibleRows();
  switch (code) {
    case SB_LINEUP: ScrollRows(-1); break;
    case SB_LINEDOWN: ScrollRows(1); break;
    case SB_PAGEUP: ScrollRows(-page); break;
    case SB_PAGEDOWN: ScrollRows(page); break;
    case SB_TOP: SetTop({}); break;
    case SB_BOTTOM: SetTop(layout_.LastRow()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The message carries 16 bits of the position; the bar holds all 32.
      SCROLLINFO si{};
      si.cbSize = sizeof si;
      si.fMask = SIF_TRACKPOS;
      ::GetScrollInfo(hwnd(), SB_VERT, &si);
      SetTop(layout_.RowAtEstimate(si.nTrackPos));
      break;
    }
    default: break;
  }
}

void OwnSurface::HScrollBar(int code) {
  const int width = ClientWidth();
  switch (code) {
    case SB_LINELEFT: SetHScroll(hscroll_ - averageWidth_); break;
    case SB_LINERIGHT: SetHScroll(hscroll_ + averageWidth_); break;
    case SB_PAGELEFT: SetHScroll(hscroll_ - width); break;
    case SB_PAGERIGHT: SetHScroll(hscroll_ + width); break;
    case SB_LEFT: SetHScroll(0); break;
    case SB_RIGHT: SetHScroll(widestSeen_); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si{};
      si.cbSize = sizeof si;
      si.fMask = SIF_TRACKPOS;
      ::GetScrollInfo(hwnd(), SB_HORZ, &si);
      SetHScroll(si.nTrackPos);
      break;
    }
    default: break;
  }
}

int OwnSurface::ScreenRowOf(core::RowRef r) {
  if (Before(r, top_)) return -1;
  const int rows = VisibleRows() + 1;
  if (!wrap_) {
    const TextPos d = r.line - top_.line;
    return d <= rows ? static_cast<int>(d) : -1;
  }
  // Count rows from the top, no further than the window reaches.
  int n = 0;
  for (TextPos line = top_.line; line <= r.line && n <= rows; ++line) {
    const TextPos from = line == top_.line ? top_.row : 0;
    if (line == r.line) return r.row - from + n <= rows ? static_cast<int>(r.row - from + n) : -1;
    n += static_cast<int>(std::min<TextPos>(layout_.RowsOf(line) - from, rows + 1));
  }
  return -1;
}

void OwnSurface::ScrollCaretIntoView() {
  if (!hwnd()) return;
  const core::RowRef r = layout_.RowOf(caret_);
  const int visible = VisibleRows();
  const int row = ScreenRowOf(r);
  if (Before(r, top_)) {
    SetTop(r);
  } else if (row < 0 || row >= visible) {
    SetTop(layout_.Step(r, -(visible - 1)));
  }
  if (!wrap_) {
    const std::int64_t x = layout_.XOfPos(caret_);
    const int width = ClientWidth();
    if (x < hscroll_) {
      hscroll_ = std::max<std::int64_t>(x - width / 3, 0);
      ::InvalidateRect(hwnd(), nullptr, FALSE);
    } else if (x > hscroll_ + width - 2) {
      hscroll_ = x - width * 2 / 3;
      widestSeen_ = std::max(widestSeen_, x);
      ::InvalidateRect(hwnd(), nullptr, FALSE);
    }
    UpdateScrollBars();
  }
}

}  // namespace own
