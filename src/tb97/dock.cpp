#include "tb97/dock.h"

#include <algorithm>

#include "tb97/toolwindow.h"
#include "toolkit/errors.h"
#include "toolkit/form.h"
#include "toolkit/graphics.h"
#include "toolkit/popupmenu.h"

namespace {
const char kDockClass[] = "TDock97";
namespace tb = core::tb97;

tb::DockPosition CorePosition(TDockPosition p) {
  switch (p) {
    case dpTop: return tb::DockPosition::Top;
    case dpBottom: return tb::DockPosition::Bottom;
    case dpLeft: return tb::DockPosition::Left;
    case dpRight: return tb::DockPosition::Right;
  }
  return tb::DockPosition::Top;
}

}  // namespace

TDock97::TDock97(tk::Component* owner, std::string name, TDockPosition position)
    : Component(owner, std::move(name)), position_(position) {
  if (!dynamic_cast<tk::Form*>(owner)) throw tk::InvalidOperation("TDock97 must be owned by a form");
}

TDock97::~TDock97() {
  // No tool window may reach back into a dock that is gone.
  for (TCustomToolWindow97* bar : TCustomToolWindow97::All()) bar->DockGone(this);
}

void TDock97::CreateIn(HWND parent) {
  tk::Window* host = tk::Window::FromHandle(parent);
  if (dynamic_cast<TDock97*>(host) || dynamic_cast<TCustomToolWindow97*>(host))
    throw tk::InvalidOperation("A TDock97 control cannot be placed inside a tool window or another TDock97");
  RegisterClassOnce(kDockClass, 0, nullptr);
  ++ArrangeLockCount;
  CreateHandle(0, kDockClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
               nullptr);
  --ArrangeLockCount;
  RearrangeBars();
}

tb::Orientation TDock97::Orientation() const { return tb::OrientationOf(CorePosition(position_)); }

void TDock97::SetAllowDrag(bool allow) {
  if (allowDrag_ == allow) return;
  allowDrag_ = allow;
  for (TCustomToolWindow97* bar : dockList_) bar->FrameChanged();
  RearrangeBars();
}

void TDock97::SetBackground(HBITMAP bitmap) {
  background_.reset(bitmap);
  transparentCache_.reset();
  InvalidateAll();
}

void TDock97::SetBackgroundTransparent(bool transparent) {
  if (backgroundTransparent_ == transparent) return;
  backgroundTransparent_ = transparent;
  transparentCache_.reset();
  InvalidateAll();
}

void TDock97::SetBoundLines(TDockBoundLines lines) {
  if (boundLines_ == lines) return;
  boundLines_ = lines;
  if (hwnd_)
    ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RearrangeBars();
}

void TDock97::SetColor(core::Color color) {
  if (color_ == color) return;
  color_ = color;
  transparentCache_.reset();
  InvalidateAll();
}

void TDock97::SetFixAlign(bool fix) {
  if (fixAlign_ == fix) return;
  fixAlign_ = fix;
  RearrangeBars();
}

void TDock97::SetPosition(TDockPosition position) {
  if (position == position_) return;
  if (!dockList_.empty() || (hwnd_ && ::GetWindow(hwnd_, GW_CHILD)))
    throw tk::InvalidOperation("Cannot change Position of a TDock97 if it already contains controls");
  position_ = position;
  RearrangeBars();
  if (OnAlignNeeded) OnAlignNeeded();
}

void TDock97::SetVisible(bool visible) {
  if (!visible && Visible()) throw tk::InvalidOperation("Cannot hide a TDock97");
  tk::Window::SetVisible(visible);
}

int TDock97::RowSize(int row, TCustomToolWindow97* bar) const {
  if (row >= 0 && static_cast<size_t>(row) < rowSizes_.size()) return rowSizes_[static_cast<size_t>(row)];
  return bar ? bar->BarThickness(Orientation()) : 0;
}

std::vector<tb::DockBar> TDock97::Bars() const {
  std::vector<tb::DockBar> bars;
  for (size_t i = 0; i < dockList_.size(); ++i) {
    TCustomToolWindow97* w = dockList_[i];
    tb::DockBar b;
    b.tag = i;
    b.dockRow = w->DockRow();
    b.dockPos = w->DockPos();
    b.fullSize = w->FullSize();
    RECT r{};
    if (w->HandleAllocated()) ::GetWindowRect(w->Handle(), &r);
    b.size = {r.right - r.left, r.bottom - r.top};
    b.thickness = w->BarThickness(Orientation());
    bars.push_back(b);
  }
  return bars;
}

void TDock97::TakeRows(const std::vector<tb::DockBar>& bars) {
  for (const tb::DockBar& b : bars)
    if (b.tag < dockList_.size()) dockList_[b.tag]->TakePlace(b.dockRow, dockList_[b.tag]->DockPos());
}

RECT TDock97::NonClientInsets() const {
  RECT r{};
  if (!hwnd_) return r;
  RECT w{};
  ::GetWindowRect(hwnd_, &w);
  if (w.right - w.left < 2 || w.bottom - w.top < 2) return r;
  r.left = boundLines_.Contains(blLeft) ? 1 : 0;
  r.top = boundLines_.Contains(blTop) ? 1 : 0;
  r.right = boundLines_.Contains(blRight) ? 1 : 0;
  r.bottom = boundLines_.Contains(blBottom) ? 1 : 0;
  return r;
}

void TDock97::RearrangeBars() {
  if (ArrangeLockCount > 0 || arranging_ || !hwnd_) return;
  arranging_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{arranging_};

  ::SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RECT outer{}, client{};
  ::GetWindowRect(hwnd_, &outer);
  ::MapWindowPoints(nullptr, ::GetParent(hwnd_), reinterpret_cast<POINT*>(&outer), 2);
  ::GetClientRect(hwnd_, &client);
  tb::DockFrame frame;
  frame.position = CorePosition(position_);
  frame.limitToOneRow = LimitToOneRow;
  frame.fixAlign = fixAlign_;
  frame.outer = {outer.left, outer.top, outer.right, outer.bottom};
  frame.client = {client.right, client.bottom};
  const RECT nc = NonClientInsets();
  frame.nonClient = {nc.left + nc.right, nc.top + nc.bottom};

  std::vector<tb::DockBar> bars = Bars();
  const tb::DockArrangement a = tb::RearrangeBars(frame, bars);
  std::vector<TCustomToolWindow97*> order;
  for (const tb::DockBar& b : bars) {
    TCustomToolWindow97* w = dockList_[b.tag];
    order.push_back(w);
    w->TakePlace(b.dockRow, b.dockPos);
    w->SetArrangedBounds(b.bounds);
  }
  dockList_ = std::move(order);
  rowSizes_ = a.rowSizes;

  const int thickness = Vertical() ? a.outer.Width() : a.outer.Height();
  if (!(a.outer == frame.outer))
    ::SetWindowPos(hwnd_, nullptr, a.outer.left, a.outer.top, a.outer.Width(), a.outer.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
  if (thickness != thickness_) {
    thickness_ = thickness;
    if (OnAlignNeeded) OnAlignNeeded();
  }
}

void TDock97::InsertBar(TCustomToolWindow97* bar) {
  auto it = std::find(dockList_.begin(), dockList_.end(), bar);
  const bool listed = it != dockList_.end();
  if (listed) dockList_.erase(it);
  const bool add = bar->Shown();
  if (add) dockList_.push_back(bar);
  if (!listed && !add) return;
  RearrangeBars();
  bar->UpdateSize();
  if (OnInsertRemoveBar) OnInsertRemoveBar(this, add, bar);
}

void TDock97::RemoveBar(TCustomToolWindow97* bar, bool quietly) {
  auto it = std::find(dockList_.begin(), dockList_.end(), bar);
  if (it == dockList_.end()) return;
  dockList_.erase(it);
  if (quietly) return;
  RearrangeBars();
  if (OnInsertRemoveBar) OnInsertRemoveBar(this, false, bar);
}

bool TDock97::UsesBackground() const {
  if (!background_) return false;
  BITMAP bm{};
  ::GetObjectA(background_.get(), sizeof bm, &bm);
  return bm.bmWidth > 0 && bm.bmHeight > 0;
}

HBITMAP TDock97::PatternForPaint() {
  if (!backgroundTransparent_) return background_.get();
  if (transparentCache_) return transparentCache_.get();
  BITMAP bm{};
  ::GetObjectA(background_.get(), sizeof bm, &bm);
  HDC screen = ::GetDC(nullptr);
  tk::OwnedMemDC src(::CreateCompatibleDC(screen)), dst(::CreateCompatibleDC(screen));
  HBITMAP copy = ::CreateCompatibleBitmap(screen, bm.bmWidth, bm.bmHeight);
  ::ReleaseDC(nullptr, screen);
  {
    tk::Selection s1(src.get(), background_.get());
    tk::Selection s2(dst.get(), copy);
    ::BitBlt(dst.get(), 0, 0, bm.bmWidth, bm.bmHeight, src.get(), 0, 0, SRCCOPY);
    const COLORREF key = ::GetPixel(dst.get(), 0, bm.bmHeight - 1);
    const COLORREF face = tk::ColorToRGB(color_, core::ColorUse::Background);
    for (int y = 0; y < bm.bmHeight; ++y)
      for (int x = 0; x < bm.bmWidth; ++x)
        if (::GetPixel(dst.get(), x, y) == key) ::SetPixel(dst.get(), x, y, face);
  }
  transparentCache_.reset(copy);
  return copy;
}

void TDock97::DrawBackground(HDC dc, const RECT& clip, const RECT* exclude, const RECT& origin) {
  if (!UsesBackground()) return;
  HBITMAP pattern = PatternForPaint();
  BITMAP bm{};
  ::GetObjectA(pattern, sizeof bm, &bm);
  const int saved = ::SaveDC(dc);
  ::IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
  if (exclude) ::ExcludeClipRect(dc, exclude->left, exclude->top, exclude->right, exclude->bottom);
  tk::OwnedMemDC mem(::CreateCompatibleDC(dc));
  {
    tk::Selection sel(mem.get(), pattern);
    for (int y = origin.top; y < origin.bottom; y += bm.bmHeight)
      for (int x = origin.left; x < origin.right; x += bm.bmWidth)
        ::BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem.get(), 0, 0, SRCCOPY);
  }
  ::RestoreDC(dc, saved);
}

RECT TDock97::TileOrigin(HWND wnd) const {
  POINT o{0, 0};
  if (hwnd_) ::MapWindowPoints(::GetParent(hwnd_), wnd, &o, 1);
  RECT c{};
  ::GetClientRect(wnd, &c);
  return {o.x, o.y, c.right, c.bottom};
}

void TDock97::InvalidateAll() {
  if (!hwnd_) return;
  ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TDock97::PaintBoundLines() {
  RECT w{};
  ::GetWindowRect(hwnd_, &w);
  const int width = w.right - w.left, height = w.bottom - w.top;
  if (width < 2 || height < 2 || boundLines_.Empty()) return;
  HDC dc = ::GetWindowDC(hwnd_);
  HBRUSH shadow = ::GetSysColorBrush(COLOR_BTNSHADOW), light = ::GetSysColorBrush(COLOR_BTNHIGHLIGHT);
  auto line = [&](int l, int t, int r, int b, HBRUSH br) {
    RECT rc{l, t, r, b};
    ::FillRect(dc, &rc, br);
  };
  if (boundLines_.Contains(blTop)) line(0, 0, width, 1, shadow);
  if (boundLines_.Contains(blLeft)) line(0, 0, 1, height, shadow);
  if (boundLines_.Contains(blBottom)) line(0, height - 1, width, height, light);
  if (boundLines_.Contains(blRight)) line(width - 1, 0, width, height, light);
  ::ReleaseDC(hwnd_, dc);
}

LRESULT TDock97::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCALCSIZE: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      if (r->right - r->left >= 2 && r->bottom - r->top >= 2) {
        if (boundLines_.Contains(blLeft)) ++r->left;
        if (boundLines_.Contains(blTop)) ++r->top;
        if (boundLines_.Contains(blRight)) --r->right;
        if (boundLines_.Contains(blBottom)) --r->bottom;
      }
      return 0;
    }
    case WM_NCPAINT:
      PaintBoundLines();
      return 0;
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      RECT c{};
      ::GetClientRect(hwnd_, &c);
      if (UsesBackground()) {
        DrawBackground(dc, c, nullptr, TileOrigin(hwnd_));
      } else {
        tk::OwnedBrush br(::CreateSolidBrush(tk::ColorToRGB(color_, core::ColorUse::Background)));
        ::FillRect(dc, &c, br.get());
      }
      return 1;
    }
    case WM_SIZE:
      RearrangeBars();
      if (OnResize) OnResize(this);
      return 0;
    case WM_MOVE:
      if (UsesBackground()) InvalidateAll();
      return 0;
    case WM_SYSCOLORCHANGE:
      transparentCache_.reset();
      InvalidateAll();
      break;
    case WM_CONTEXTMENU:
      if (PopupMenu) {
        PopupMenu->Popup(hwnd_, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
      }
      break;
    case WM_COMMAND:
    case WM_NOTIFY:
      return ::SendMessageA(::GetParent(hwnd_), msg, wParam, lParam);
    default: break;
  }
  return DefaultHandler(msg, wParam, lParam);
}
