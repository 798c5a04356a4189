// The modal loops of a tool window: dragging it between docks and the
// desktop, sizing it while it floats, and pressing its close button. Each
// holds the mouse capture and takes its own messages from the queue; what
// it does not handle is dispatched as usual.
#include <optional>

#include "core/tb97/dockrows.h"
#include "core/tb97/outline.h"
#include "tb97/dragoutline.h"
#include "tb97/toolwindow.h"
#include "toolkit/form.h"

namespace tb = core::tb97;

namespace {

RECT g_lastOutline{};

tb::Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRECT(const tb::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

tb::Rect WorkArea() {
  RECT wa{};
  if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0))
    wa = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  return ToRect(wa);
}

// The pointer of a mouse message in screen coordinates.
POINT MessagePoint(const MSG& m) {
  POINT p{static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))};
  if (m.hwnd) ::ClientToScreen(m.hwnd, &p);
  return p;
}

// The next message while `wnd` holds the capture; false once it lost it.
bool NextMessage(HWND wnd, MSG& m) {
  for (;;) {
    if (::GetCapture() != wnd) return false;
    if (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) return true;
    ::WaitMessage();
  }
}

bool IsIgnoredInput(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: return true;
    default: return false;
  }
}

// Any other message of a drag or sizing loop: input that would disturb it is
// dropped, the rest dispatched; true for WM_QUIT, which ends the loop and is
// posted again for the loop outside.
bool PassOn(MSG& m) {
  if (m.message == WM_QUIT) {
    ::PostQuitMessage(static_cast<int>(m.wParam));
    return true;
  }
  if (IsIgnoredInput(m.message)) return false;
  ::TranslateMessage(&m);
  ::DispatchMessageA(&m);
  return false;
}

}  // namespace

const RECT& TCustomToolWindow97::LastOutline() { return g_lastOutline; }

void TCustomToolWindow97::DragLoop(POINT p, bool ctrl) {
  RECT wr{};
  ::GetWindowRect(hwnd_, &wr);
  POINT start = p;
  ::ClientToScreen(hwnd_, &start);
  const tb::Grab grab = tb::GrabAt({start.x - wr.left, start.y - wr.top}, {wr.right - wr.left, wr.bottom - wr.top});
  bool floatOnly = ctrl;

  // The outline's size floating and over each dock of the form.
  const tb::Size floatingClient = LayoutChildren(false, dock_, nullptr);
  const tb::Size floatingFrame = FrameFor(nullptr);
  const tb::Size floating{floatingClient.cx + floatingFrame.cx, floatingClient.cy + floatingFrame.cy};
  std::vector<TDock97*> docks;
  std::vector<tb::DockCandidate> candidates;
  for (int i = 0; i < form_->ComponentCount(); ++i) {
    auto* d = dynamic_cast<TDock97*>(form_->Components(i));
    if (!d || !d->HandleAllocated()) continue;
    tb::DockCandidate c;
    c.position = static_cast<tb::DockPosition>(d->Position());
    c.allowDrag = d->AllowDrag();
    RECT cr{};
    ::GetClientRect(d->Handle(), &cr);
    ::MapWindowPoints(d->Handle(), nullptr, reinterpret_cast<POINT*>(&cr), 2);
    c.clientOnScreen = ToRect(cr);
    const tb::Size client = d == dock_ ? ClientSize() : LayoutChildren(false, dock_, d);
    const tb::Size frame = FrameFor(d);
    c.outline = {client.cx + frame.cx, client.cy + frame.cy};
    docks.push_back(d);
    candidates.push_back(c);
  }
  bool dockable[4];
  for (int i = 0; i < 4; ++i) dockable[i] = DockableTo.Contains(static_cast<TDockPosition>(i));

  const tb::Rect wa = WorkArea();
  const tb::Size border = FloatBorder();
  std::optional<size_t> target;
  tb::Rect outline;
  bool accepted = false;
  {
    tb97::DragOutline shown;
    ::SetCapture(hwnd_);
    POINT last = start;
    auto update = [&](POINT q) {
      last = q;
      target = tb::FindDockTarget({q.x, q.y}, floatOnly, dockable, candidates, grab, [&](size_t i) {
        bool accept = true;
        if (docks[i]->OnRequestDock) docks[i]->OnRequestDock(docks[i], this, accept);
        return accept;
      });
      tb::Point at{q.x, q.y};
      if (!target) at = tb::ClampToWorkArea(at, wa);
      outline = tb::PlaceOutline(at, target ? candidates[*target].outline : floating, grab);
      if (!target) outline = tb::HoldFloatingOutline(outline, wa, border, FloatCaptionHeight());
      shown.MoveTo(ToRECT(outline), target ? 1 : border.cx);
      g_lastOutline = ToRECT(outline);
    };
    update(start);
    MSG m;
    bool done = false;
    while (!done && NextMessage(hwnd_, m)) {
      switch (m.message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
          if (m.wParam == VK_CONTROL) {
            const bool down = m.message == WM_KEYDOWN;
            if (down != floatOnly) {
              floatOnly = down;
              update(last);
            }
          } else if (m.wParam == VK_ESCAPE && m.message == WM_KEYDOWN) {
            done = true;
          }
          break;
        case WM_MOUSEMOVE:
          floatOnly = (m.wParam & MK_CONTROL) != 0;
          update(MessagePoint(m));
          break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: done = true; break;
        case WM_LBUTTONUP:
          accepted = true;
          done = true;
          break;
        default:
          if (PassOn(m)) done = true;
          break;
      }
    }
    if (::GetCapture() == hwnd_) ::ReleaseCapture();
  }
  if (!accepted) return;

  if (target) {
    TDock97* dock = docks[*target];
    RECT r = ToRECT(outline);
    ::MapWindowPoints(nullptr, dock->Handle(), reinterpret_cast<POINT*>(&r), 2);
    std::vector<tb::DockBar> bars = dock->Bars();
    const tb::DockBar* self = nullptr;
    for (const tb::DockBar& b : bars)
      if (dock->DockList()[b.tag] == this) self = &b;
    const tb::DropPlace place =
        tb::PlanDrop(bars, dock->RowSizes(), ToRect(r), dock->Orientation(), FullSize(), self);
    dock->TakeRows(bars);
    TakePlace(place.dockRow, place.dockPos);
    SetDockedTo(dock);
  } else {
    FloatLeft = outline.left;
    FloatTop = outline.top;
    SetDockedTo(nullptr);
  }
  MoveOnScreen(true);
}

void TCustomToolWindow97::SizingLoop(int hit, POINT screenStart) {
  const tb::Size minClient = MinimumFloatSize();
  const tb::Size frame = FrameFor(nullptr);
  const int minW = minClient.cx + frame.cx, minH = minClient.cy + frame.cy;
  const bool left = hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT;
  const bool right = hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT;
  const bool top = hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT;
  const bool bottom = hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT;
  SizingStarted(hit);
  RECT start{};
  ::GetWindowRect(hwnd_, &start);
  RECT current = start;
  bool accepted = false;
  const int thickness = FloatBorder().cx;
  {
    tb97::DragOutline shown;
    ::SetCapture(hwnd_);
    if (params_.clipCursorWhileSizing) {
      const RECT wa = ToRECT(WorkArea());
      ::ClipCursor(&wa);
    }
    shown.MoveTo(start, thickness);
    g_lastOutline = start;
    POINT last = screenStart;
    MSG m;
    bool done = false;
    while (!done && NextMessage(hwnd_, m)) {
      switch (m.message) {
        case WM_KEYDOWN:
          if (m.wParam == VK_ESCAPE) done = true;
          break;
        case WM_LBUTTONUP:
          accepted = true;
          done = true;
          break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: done = true; break;
        case WM_MOUSEMOVE: {
          const POINT q = MessagePoint(m);
          if (q.x == last.x && q.y == last.y) break;
          last = q;
          const int dx = q.x - screenStart.x, dy = q.y - screenStart.y;
          RECT r = start;
          if (left) r.left += dx;
          if (right) r.right += dx;
          if (top) r.top += dy;
          if (bottom) r.bottom += dy;
          if (r.right - r.left < minW) {
            if (left)
              r.left = r.right - minW;
            else
              r.right = r.left + minW;
          }
          if (r.bottom - r.top < minH) {
            if (top)
              r.top = r.bottom - minH;
            else
              r.bottom = r.top + minH;
          }
          SizingAdjust(r, start);
          current = r;
          shown.MoveTo(r, thickness);
          g_lastOutline = r;
          break;
        }
        default:
          if (PassOn(m)) done = true;
          break;
      }
    }
    if (::GetCapture() == hwnd_) ::ReleaseCapture();
    if (params_.clipCursorWhileSizing) ::ClipCursor(nullptr);
  }
  SizingEnded(accepted);
  if (!accepted) return;
  LockUpdate();
  ::SetWindowPos(hwnd_, nullptr, current.left, current.top, current.right - current.left,
                 current.bottom - current.top, SWP_NOZORDER | SWP_NOACTIVATE);
  pendingSize_ = true;
  UnlockUpdate();
  MoveOnScreen(true);
}

void TCustomToolWindow97::CloseButtonLoop() {
  closePressed_ = true;
  PaintNonClient(nullptr);
  ::SetCapture(hwnd_);
  bool accepted = false;
  MSG m;
  bool done = false;
  while (!done && NextMessage(hwnd_, m)) {
    switch (m.message) {
      case WM_MOUSEMOVE: {
        const POINT q = MessagePoint(m);
        RECT wr{};
        ::GetWindowRect(hwnd_, &wr);
        const tb::Rect b = CloseButtonRect().Offset(wr.left, wr.top);
        const bool inside = q.x >= b.left && q.x < b.right && q.y >= b.top && q.y < b.bottom;
        if (inside != closePressed_) {
          closePressed_ = inside;
          PaintNonClient(nullptr);
        }
        break;
      }
      case WM_LBUTTONUP:
        accepted = closePressed_;
        done = true;
        break;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK: done = true; break;
      case WM_QUIT:
        ::PostQuitMessage(static_cast<int>(m.wParam));
        done = true;
        break;
      default:
        if (IsIgnoredInput(m.message)) break;
        ::TranslateMessage(&m);
        ::DispatchMessageA(&m);
        break;
    }
  }
  if (::GetCapture() == hwnd_) ::ReleaseCapture();
  closePressed_ = false;
  PaintNonClient(nullptr);
  if (!accepted) return;
  SetShown(false);
  if (OnClose) OnClose();
}
