#include "tb97/toolwindow.h"

#include <algorithm>

#include "core/tb97/outline.h"
#include "core/tb97/toolbarlayout.h"
#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/form.h"
#include "toolkit/graphics.h"
#include "toolkit/handles.h"
#include "toolkit/popupmenu.h"

namespace tb = core::tb97;

namespace {

const char kToolWindowClass[] = "TToolWindow97";
const char kFloatParentClass[] = "TFloatParent";
// Evaluate the tool windows' hidden-while-inactive state; both parameters
// carry the mark.
constexpr UINT kEvaluateMessage = 6062;
constexpr WPARAM kEvaluateMark = 0xD3A590F4;
// Repaint the docked frame after a move over a patterned dock.
constexpr UINT kRepaintFrameMessage = 6063;

RECT ToRECT(const tb::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
tb::Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

tb::Rect WorkArea() {
  RECT wa{};
  if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0))
    wa = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  return ToRect(wa);
}

bool IsSizingHit(WPARAM hit) { return hit >= HTLEFT && hit <= HTBOTTOMRIGHT; }

bool InsideToolWindow(HWND wnd, HWND stop) {
  for (HWND a = wnd; a && a != stop; a = ::GetParent(a))
    if (dynamic_cast<TCustomToolWindow97*>(tk::Window::FromHandle(a))) return true;
  return false;
}

struct TabStopSearch {
  HWND form;
  HWND found = nullptr;
};

BOOL CALLBACK FindTabStop(HWND c, LPARAM p) {
  auto* s = reinterpret_cast<TabStopSearch*>(p);
  if ((::GetWindowLongPtrA(c, GWL_STYLE) & WS_TABSTOP) && ::IsWindowVisible(c) && !InsideToolWindow(c, s->form)) {
    s->found = c;
    return FALSE;
  }
  return TRUE;
}

// The form's first tab-stop control that shows and is not in a tool window.
HWND FirstTabStop(HWND form) {
  TabStopSearch search{form};
  ::EnumChildWindows(form, &FindTabStop, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

// ---------------------------------------------------------------------------
// The activation watcher: every tool window, one hook on the thread's window
// procedure calls, and whether the application is active.

struct Watcher {
  std::vector<TCustomToolWindow97*> windows;
  HHOOK hook = nullptr;
  bool appActive = true;
  // Per top form, the last window inside it (not inside a tool window)
  // that had the focus.
  std::vector<std::pair<HWND, HWND>> lastFocus;

  HWND LastFocus(HWND top) const {
    for (const auto& [form, focus] : lastFocus)
      if (form == top) return focus;
    return nullptr;
  }
  void Focused(HWND wnd) {
    HWND top = ::GetAncestor(wnd, GA_ROOT);
    bool listed = false;
    for (TCustomToolWindow97* w : windows) listed = listed || w->TopFormHandle() == top;
    if (!listed) return;
    if (InsideToolWindow(wnd, top)) return;
    for (auto& [form, focus] : lastFocus)
      if (form == top) {
        focus = wnd;
        return;
      }
    lastFocus.emplace_back(top, wnd);
  }
  void Destroyed(HWND wnd) {
    for (auto& entry : lastFocus)
      if (entry.second == wnd) entry.second = nullptr;
    std::erase_if(lastFocus, [wnd](const auto& entry) { return entry.first == wnd; });
  }

  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  void EvaluateLater(HWND changed) {
    for (TCustomToolWindow97* w : windows) {
      if (!w->HandleAllocated()) continue;
      HWND form = w->form_ && w->form_->HandleAllocated() ? w->form_->Handle() : nullptr;
      if (changed && changed != form && changed != w->TopFormHandle()) continue;
      ::PostMessageA(w->Handle(), kEvaluateMessage, kEvaluateMark, static_cast<LPARAM>(kEvaluateMark));
    }
  }
};

namespace {
// Never freed: forms (and their tool windows and docks) may still go at the
// program's very end, after the statics of this file.
Watcher& TheWatcher() {
  static Watcher* watcher = new Watcher;
  return *watcher;
}
}  // namespace

LRESULT CALLBACK Watcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
    Watcher& w = TheWatcher();
    switch (cwp->message) {
      case WM_ACTIVATEAPP:
        if (w.appActive != (cwp->wParam != 0)) {
          w.appActive = cwp->wParam != 0;
          w.EvaluateLater(nullptr);
        }
        break;
      case WM_WINDOWPOSCHANGED:
      case WM_SHOWWINDOW:
      case WM_SIZE: w.EvaluateLater(cwp->hwnd); break;
      case WM_SETFOCUS: w.Focused(cwp->hwnd); break;
      case WM_DESTROY: w.Destroyed(cwp->hwnd); break;
      default: break;
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

const std::vector<TCustomToolWindow97*>& TCustomToolWindow97::All() { return TheWatcher().windows; }

// ---------------------------------------------------------------------------
// TFloatParent

TFloatParent::TFloatParent(tk::Component* owner, std::string name) : Component(owner, std::move(name)) {}

void TFloatParent::CreateIn(HWND topForm) {
  RegisterClassOnce(kFloatParentClass, 0, nullptr);
  CreateHandle(0, kFloatParentClass, "", WS_CHILD, 0, 0, 0, 0, topForm, nullptr);
}

// ---------------------------------------------------------------------------
// Construction

TCustomToolWindow97::TCustomToolWindow97(tk::Component* owner, std::string name)
    : Component(owner, std::move(name)) {
  form_ = dynamic_cast<tk::Form*>(owner);
  if (!form_) throw tk::InvalidOperation("Tool windows must be owned by a form");
  Watcher& w = TheWatcher();
  if (w.windows.empty()) {
    w.appActive = ::GetActiveWindow() != nullptr || ::GetForegroundWindow() == nullptr;
    w.hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &Watcher::Hook, nullptr, ::GetCurrentThreadId());
  }
  w.windows.push_back(this);
  inactiveCaption_ = !w.appActive;
}

TCustomToolWindow97::~TCustomToolWindow97() {
  Watcher& w = TheWatcher();
  w.windows.erase(std::remove(w.windows.begin(), w.windows.end(), this), w.windows.end());
  if (w.windows.empty() && w.hook) {
    ::UnhookWindowsHookEx(w.hook);
    w.hook = nullptr;
  }
  if (dock_) {
    TDock97* dock = dock_;
    dock_ = nullptr;
    dock->RemoveBar(this, form_->Destroying());
  }
}

void TCustomToolWindow97::DockGone(TDock97* dock) {
  if (DefaultDock == dock) DefaultDock = nullptr;
  if (dock_ == dock) dock_ = nullptr;
}

HWND TCustomToolWindow97::TopFormHandle() const {
  if (!form_ || !form_->HandleAllocated()) return nullptr;
  return ::GetAncestor(form_->Handle(), GA_ROOT);
}

// ---------------------------------------------------------------------------
// Properties

void TCustomToolWindow97::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (hwnd_) {
    ::SetWindowTextA(hwnd_, caption.c_str());
    if (!dock_) PaintNonClient(nullptr);
  }
}

void TCustomToolWindow97::SetCloseButton(bool on) {
  closeButton_ = on;
  if (hwnd_ && !dock_) PaintNonClient(nullptr);
}

void TCustomToolWindow97::SetDockPos(int pos) {
  dockPos_ = pos;
  if (dock_) dock_->RearrangeBars();
}

void TCustomToolWindow97::SetDockRow(int row) {
  dockRow_ = row;
  if (dock_) dock_->RearrangeBars();
}

void TCustomToolWindow97::SetDragHandle(bool on) {
  if (dragHandle_ == on) return;
  dragHandle_ = on;
  if (dock_) FrameChanged();
}

void TCustomToolWindow97::SetFullSize(bool on) {
  fullSize_ = on;
  UpdateSize();
  if (dock_) dock_->RearrangeBars();
}

void TCustomToolWindow97::SetShown(bool shown) {
  if (shown_ == shown) return;
  shown_ = shown;
  if (hwnd_) {
    if (dock_) {
      ::ShowWindow(hwnd_, shown ? SW_SHOWNA : SW_HIDE);
      if (dockChange_ == 0) dock_->InsertBar(this);
    } else {
      ShowFloating();
    }
  }
  if (dockChange_ == 0 && OnVisibleChanged) OnVisibleChanged();
}

void TCustomToolWindow97::PlaceOn(tk::Window* parent) {
  if (auto* dock = dynamic_cast<TDock97*>(parent)) {
    SetDockedTo(dock);
    return;
  }
  if (parent && (parent == static_cast<tk::Window*>(form_) || parent == floatParent_)) {
    SetDockedTo(nullptr);
    return;
  }
  throw tk::InvalidOperation("A tool window can only be placed on a TDock97 or directly on the form");
}

// ---------------------------------------------------------------------------
// Frame geometry

tb::Size TCustomToolWindow97::FloatBorder() const {
  if (Sizeable) return {::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME)};
  return {::GetSystemMetrics(SM_CXDLGFRAME), ::GetSystemMetrics(SM_CYDLGFRAME)};
}

int TCustomToolWindow97::FloatCaptionHeight() { return ::GetSystemMetrics(SM_CYSMCAPTION); }

tb::Size TCustomToolWindow97::FrameFor(TDock97* dock) const {
  if (dock) return tb::DockedFrame(dock->Orientation(), dock->AllowDrag() && dragHandle_);
  return tb::FloatingFrame(FloatBorder(), FloatCaptionHeight());
}

tb::Size TCustomToolWindow97::ClientSize() const {
  RECT c{};
  if (hwnd_) ::GetClientRect(hwnd_, &c);
  return {c.right, c.bottom};
}

tb::Size TCustomToolWindow97::WindowSize() const {
  RECT r{};
  if (hwnd_) ::GetWindowRect(hwnd_, &r);
  return {r.right - r.left, r.bottom - r.top};
}

void TCustomToolWindow97::CalcNonClient(RECT& r) {
  const tb::Size frame = FrameFor(dock_);
  if (dock_) {
    const int grip = frame.cx + frame.cy - 8;  // 9 with a grip, else 0
    r.left += 2 + (dock_->Vertical() ? 0 : grip);
    r.top += 2 + (dock_->Vertical() ? grip : 0);
    r.right -= 2;
    r.bottom -= 2;
  } else {
    const tb::Size b = FloatBorder();
    r.left += b.cx;
    r.right -= b.cx;
    r.top += b.cy + FloatCaptionHeight();
    r.bottom -= b.cy;
  }
  r.right = std::max(r.right, r.left);
  r.bottom = std::max(r.bottom, r.top);
}

tb::Rect TCustomToolWindow97::CloseButtonRect() const {
  return tb::FloatingCaptionRects(ClientSize(), FloatBorder(), FloatCaptionHeight(), closeButton_).closeButton;
}

// ---------------------------------------------------------------------------
// Windows: docked child or floating popup

void TCustomToolWindow97::EnsureHandle(HWND parent, bool floating) {
  if (hwnd_) return;
  params_ = GetClassParams();
  RegisterClassOnce(kToolWindowClass, CS_DBLCLKS, nullptr);
  const DWORD style = floating ? WS_POPUP | WS_BORDER | WS_THICKFRAME | WS_CLIPCHILDREN
                               : WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  CreateHandle(0, kToolWindowClass, caption_.c_str(), style, floating ? FloatLeft : 0, floating ? FloatTop : 0, 0,
               0, parent, nullptr);
  HandleCreated();
  ::PostMessageA(hwnd_, kEvaluateMessage, kEvaluateMark, static_cast<LPARAM>(kEvaluateMark));
}

void TCustomToolWindow97::MakeChild(TDock97* dock) {
  if (OnRecreating) OnRecreating();
  LONG_PTR style = ::GetWindowLongPtrA(hwnd_, GWL_STYLE);
  style &= ~static_cast<LONG_PTR>(WS_POPUP | WS_BORDER | WS_THICKFRAME | WS_VISIBLE);
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  ::SetWindowLongPtrA(hwnd_, GWL_STYLE, style);
  ::SetParent(hwnd_, dock->Handle());
  ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (OnRecreated) OnRecreated();
}

void TCustomToolWindow97::MakePopup() {
  if (OnRecreating) OnRecreating();
  HWND top = TopFormHandle();
  if (!floatParent_ && top) {
    floatParent_ = Create<TFloatParent>();
    floatParent_->CreateIn(top);
  }
  LONG_PTR style = ::GetWindowLongPtrA(hwnd_, GWL_STYLE);
  style &= ~static_cast<LONG_PTR>(WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE);
  style |= WS_POPUP | WS_BORDER | WS_THICKFRAME;
  ::SetWindowLongPtrA(hwnd_, GWL_STYLE, style);
  ::SetParent(hwnd_, nullptr);
  // Owned by the top form: it stays above the form and goes with it.
  ::SetWindowLongPtrA(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(top));
  ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (OnRecreated) OnRecreated();
}

void TCustomToolWindow97::ShowFloating() {
  if (!hwnd_ || dock_) return;
  const bool show = shown_ && !hiddenWhileInactive_;
  if (show == (::IsWindowVisible(hwnd_) != FALSE)) return;
  ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TCustomToolWindow97::Reevaluate(bool appActive) {
  const bool floating = hwnd_ && !dock_;
  HWND form = form_ && form_->HandleAllocated() ? form_->Handle() : nullptr;
  HWND top = TopFormHandle();
  HWND main = tk::Application.MainForm() && tk::Application.MainForm()->HandleAllocated()
                  ? tk::Application.MainForm()->Handle()
                  : nullptr;
  auto down = [](HWND w) { return !w || !::IsWindowVisible(w) || ::IsIconic(w); };
  const bool hidden =
      floating && ((main && ::IsIconic(main)) || down(form) || down(top) || (HideWhenInactive && !appActive));
  const bool inactive = floating && !HideWhenInactive && !appActive;
  if (inactive != inactiveCaption_) {
    inactiveCaption_ = inactive;
    if (floating) PaintNonClient(nullptr);
  }
  if (hidden != hiddenWhileInactive_) {
    hiddenWhileInactive_ = hidden;
    ShowFloating();
  }
}

// ---------------------------------------------------------------------------
// Size and place

void TCustomToolWindow97::UnlockUpdate() {
  if (--updateLock_ == 0 && pendingSize_) UpdateSize();
}

void TCustomToolWindow97::UpdateSize() {
  if (updateLock_ > 0) {
    pendingSize_ = true;
    return;
  }
  pendingSize_ = false;
  if (!hwnd_) return;
  tb::Size client = LayoutChildren(true, dock_, dock_);
  const tb::Size frame = FrameFor(dock_);
  if (dock_) {
    RECT dc{};
    ::GetClientRect(dock_->Handle(), &dc);
    const int length = dock_->Vertical() ? dc.bottom : dc.right;
    client = tb::DockedClientSize(client, dock_->Orientation(), dock_->RowSize(dockRow_, this), fullSize_, length,
                                  frame);
  }
  const tb::Size now = WindowSize();
  const tb::Size want{client.cx + frame.cx, client.cy + frame.cy};
  if (now == want) return;
  ++InsideArrangement;
  ::SetWindowPos(hwnd_, nullptr, 0, 0, want.cx, want.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  --InsideArrangement;
  if (dock_) dock_->RearrangeBars();
}

void TCustomToolWindow97::SetArrangedBounds(const tb::Rect& r) {
  if (!hwnd_) return;
  RECT now{};
  ::GetWindowRect(hwnd_, &now);
  ::MapWindowPoints(nullptr, ::GetParent(hwnd_), reinterpret_cast<POINT*>(&now), 2);
  if (ToRect(now) == r) return;
  const bool resized = now.right - now.left != r.Width() || now.bottom - now.top != r.Height();
  ++InsideArrangement;
  ::SetWindowPos(hwnd_, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  if (resized) LayoutChildren(true, dock_, dock_);
  --InsideArrangement;
}

void TCustomToolWindow97::MoveOnScreen(bool onlyIfWhollyOff) {
  if (dock_ || !hwnd_) return;
  RECT wr{};
  ::GetWindowRect(hwnd_, &wr);
  const tb::Rect moved = tb::MoveOnScreen(ToRect(wr), WorkArea(), onlyIfWhollyOff);
  if (!(moved == ToRect(wr)))
    ::SetWindowPos(hwnd_, nullptr, moved.left, moved.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  FloatLeft = moved.left;
  FloatTop = moved.top;
}

void TCustomToolWindow97::SetDockedTo(TDock97* target) {
  TDock97* old = dock_;
  const bool changing = target != old || !hwnd_;
  if (target && !target->HandleAllocated()) throw tk::InvalidOperation("The dock has no window yet");
  if (changing && old != target && OnDockChanging) OnDockChanging();
  ++InsideArrangement;
  if (target) ++target->ArrangeLockCount;
  bool hid = false;
  if (changing && hwnd_ && ::IsWindowVisible(hwnd_)) {
    ++dockChange_;
    if (old) ++old->ArrangeLockCount;
    ::ShowWindow(hwnd_, SW_HIDE);
    hid = true;
  }
  auto undo = [&] {
    if (hid) {
      --dockChange_;
      if (old) --old->ArrangeLockCount;
    }
    --InsideArrangement;
    if (target) --target->ArrangeLockCount;
  };
  try {
    if (target) {
      if (hwnd_) LayoutChildren(false, old, target);
      LockUpdate();
      if (!hwnd_) {
        dock_ = target;
        EnsureHandle(target->Handle(), false);
      } else if (::GetParent(hwnd_) != target->Handle()) {
        if (old) old->RemoveBar(this);
        dock_ = target;
        MakeChild(target);
      }
      dock_ = target;
      const auto& listed = target->DockList();
      if (std::find(listed.begin(), listed.end(), this) == listed.end()) target->InsertBar(this);
      --updateLock_;
      UpdateSize();
      if (changing) {
        const tb::Size s = WindowSize();
        ::SetWindowPos(hwnd_, nullptr, -s.cx, -s.cy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      if (shown_) ::ShowWindow(hwnd_, SW_SHOWNA);
    } else {
      if (hwnd_) LayoutChildren(false, old, nullptr);
      LockUpdate();
      if (!hwnd_) {
        dock_ = nullptr;
        EnsureHandle(TopFormHandle(), true);
      } else if (old) {
        old->RemoveBar(this);
        dock_ = nullptr;
        MakePopup();
      }
      dock_ = nullptr;
      ::SetWindowPos(hwnd_, nullptr, FloatLeft, FloatTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      --updateLock_;
      UpdateSize();
      MoveOnScreen(true);
      Reevaluate(TheWatcher().appActive);
    }
  } catch (...) {
    undo();
    throw;
  }
  undo();
  if (!target) ShowFloating();
  if (old && old != target) old->RearrangeBars();
  if (target) target->RearrangeBars();
  if (changing && old != target && OnDockChanged) OnDockChanged();
}

// ---------------------------------------------------------------------------
// Painting

void TCustomToolWindow97::PaintSurface(HDC dc, const RECT& area) {
  if (dock_ && dock_->UsesBackground() && dock_->BackgroundOnToolbars) {
    dock_->DrawBackground(dc, area, nullptr, dock_->TileOrigin(hwnd_));
    return;
  }
  tk::OwnedBrush br(::CreateSolidBrush(tk::ColorToRGB(Color, core::ColorUse::Background)));
  ::FillRect(dc, &area, br.get());
}

void TCustomToolWindow97::PaintClient(HDC dc, const RECT& client) { PaintSurface(dc, client); }

void TCustomToolWindow97::PaintNonClient(HRGN update) {
  (void)update;
  if (!hwnd_) return;
  HDC dc = ::GetWindowDC(hwnd_);
  // The client area is the children's: paint around it only.
  RECT wr{}, cr{};
  ::GetWindowRect(hwnd_, &wr);
  ::GetClientRect(hwnd_, &cr);
  ::MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&cr), 2);
  ::OffsetRect(&cr, -wr.left, -wr.top);
  ::ExcludeClipRect(dc, cr.left, cr.top, cr.right, cr.bottom);
  if (dock_)
    PaintDockedFrame(dc);
  else
    PaintFloatingFrame(dc);
  ::ReleaseDC(hwnd_, dc);
}

void TCustomToolWindow97::PaintDockedFrame(HDC dc) {
  const tb::Size ws = WindowSize();
  const tb::Size cs = ClientSize();
  RECT r{0, 0, ws.cx, ws.cy};
  ::DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  tk::OwnedBrush face(::CreateSolidBrush(tk::ColorToRGB(Color, core::ColorUse::Background)));
  RECT inner{1, 1, ws.cx - 1, ws.cy - 1};
  ::FrameRect(dc, &inner, face.get());
  const bool pattern = dock_->UsesBackground() && dock_->BackgroundOnToolbars;
  if (pattern) {
    RECT origin = dock_->TileOrigin(hwnd_);
    // TileOrigin is in client coordinates; the frame's start lies left of it.
    RECT wr{}, cr{};
    ::GetWindowRect(hwnd_, &wr);
    POINT c0{0, 0};
    ::ClientToScreen(hwnd_, &c0);
    ::OffsetRect(&origin, c0.x - wr.left, c0.y - wr.top);
    origin.right = ws.cx;
    origin.bottom = ws.cy;
    RECT all{2, 2, ws.cx - 2, ws.cy - 2};
    cr = {c0.x - wr.left, c0.y - wr.top, c0.x - wr.left + cs.cx, c0.y - wr.top + cs.cy};
    dock_->DrawBackground(dc, all, &cr, origin);
  }
  if (!(dock_->AllowDrag() && dragHandle_)) return;
  HBRUSH light = ::GetSysColorBrush(COLOR_BTNHIGHLIGHT);
  if (!dock_->Vertical()) {
    const int h = cs.cy;
    if (!pattern) {
      RECT a{2, 2, 4, h + 2}, b{10, 2, 11, h + 2};
      ::FillRect(dc, &a, face.get());
      ::FillRect(dc, &b, face.get());
    }
    for (int x : {4, 7}) {
      RECT bar{x, 2, x + 3, h + 2};
      ::DrawEdge(dc, &bar, BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
      RECT dot{x, h + 1, x + 1, h + 2};
      ::FillRect(dc, &dot, light);
    }
  } else {
    const int w = cs.cx;
    if (!pattern) {
      RECT a{2, 2, w + 2, 4}, b{2, 10, w + 2, 11};
      ::FillRect(dc, &a, face.get());
      ::FillRect(dc, &b, face.get());
    }
    for (int y : {4, 7}) {
      RECT bar{2, y, w + 2, y + 3};
      ::DrawEdge(dc, &bar, BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
      RECT dot{2, y, 3, y + 1};
      ::FillRect(dc, &dot, light);
    }
  }
}

void TCustomToolWindow97::PaintFloatingFrame(HDC dc) {
  const tb::Size ws = WindowSize();
  const tb::Size b = FloatBorder();
  const int cap = FloatCaptionHeight();
  RECT r{0, 0, ws.cx, ws.cy};
  ::DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
  HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);
  for (int i = 2; i < b.cx; ++i) {
    ::FrameRect(dc, &r, face);
    ::InflateRect(&r, -1, -1);
  }
  const tb::FloatingCaption rects = tb::FloatingCaptionRects(ClientSize(), b, cap, closeButton_);
  RECT caption = ToRECT(rects.caption);
  using DrawCaptionFn = BOOL(WINAPI*)(HWND, HDC, const RECT*, UINT);
  static auto drawCaption =
      reinterpret_cast<DrawCaptionFn>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "DrawCaption")));
  const bool active = !inactiveCaption_;
  if (drawCaption) {
    drawCaption(hwnd_, dc, &caption, DC_SMALLCAP | DC_TEXT | (active ? DC_ACTIVE : 0));
  } else {
    ::FillRect(dc, &caption, ::GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  }
  RECT line{b.cx, rects.caption.bottom, b.cx + ClientSize().cx, rects.caption.bottom + 1};
  ::FillRect(dc, &line, face);
  if (closeButton_) PaintCloseButton(dc);
}

void TCustomToolWindow97::PaintCloseButton(HDC dc) {
  RECT r = ToRECT(CloseButtonRect());
  if (r.right <= r.left) return;
  ::FrameRect(dc, &r, ::GetSysColorBrush(inactiveCaption_ ? COLOR_INACTIVECAPTION : COLOR_ACTIVECAPTION));
  ::InflateRect(&r, -1, -1);
  ::DrawFrameControl(dc, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | (closePressed_ ? DFCS_PUSHED : 0));
}

// ---------------------------------------------------------------------------
// Hit testing and the mouse

LRESULT TCustomToolWindow97::HitTest(POINT screen) {
  if (dock_) return HTCLIENT;
  RECT wr{};
  ::GetWindowRect(hwnd_, &wr);
  tb::FloatingFrameInfo f;
  f.window = {wr.right - wr.left, wr.bottom - wr.top};
  f.border = FloatBorder();
  f.captionHeight = FloatCaptionHeight();
  f.closeButton = closeButton_;
  f.sizeable = Sizeable;
  f.cornerSizing = params_.cornerSizing;
  switch (tb::FloatingHitTest({screen.x - wr.left, screen.y - wr.top}, f)) {
    case tb::FloatHit::Nowhere: return HTNOWHERE;
    case tb::FloatHit::Client: return HTCLIENT;
    case tb::FloatHit::Close: return HTCLOSE;
    case tb::FloatHit::Left: return HTLEFT;
    case tb::FloatHit::Right: return HTRIGHT;
    case tb::FloatHit::Top: return HTTOP;
    case tb::FloatHit::Bottom: return HTBOTTOM;
    case tb::FloatHit::TopLeft: return HTTOPLEFT;
    case tb::FloatHit::TopRight: return HTTOPRIGHT;
    case tb::FloatHit::BottomLeft: return HTBOTTOMLEFT;
    case tb::FloatHit::BottomRight: return HTBOTTOMRIGHT;
  }
  return HTNOWHERE;
}

void TCustomToolWindow97::GiveFocusBack() {
  HWND top = TopFormHandle();
  HWND to = TheWatcher().LastFocus(top);
  if (!to || !::IsWindow(to)) {
    to = nullptr;
    if (form_ && form_->HandleAllocated()) to = FirstTabStop(form_->Handle());
  }
  if (!to && floatParent_) to = floatParent_->Handle();
  if (to) ::SetFocus(to);
}

void TCustomToolWindow97::FrameChanged() {
  if (hwnd_)
    ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  UpdateSize();
}

void TCustomToolWindow97::MouseDown(POINT client, bool doubleClick, bool ctrl) {
  if (dock_ && !dock_->AllowDrag()) return;
  if (doubleClick) {
    if (dock_) {
      SetDockedTo(nullptr);
    } else if (DefaultDock) {
      dockRow_ = 0;
      dockPos_ = -8;
      SetDockedTo(DefaultDock);
    }
    return;
  }
  DragLoop(client, ctrl);
}

LRESULT TCustomToolWindow97::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCALCSIZE:
      CalcNonClient(*reinterpret_cast<RECT*>(lParam));
      return 0;
    case WM_NCPAINT:
      PaintNonClient(nullptr);
      return 0;
    case WM_NCACTIVATE:
      if (!dock_) {
        PaintNonClient(nullptr);
        return TRUE;
      }
      break;
    case WM_NCHITTEST:
      return HitTest({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      tk::PaintDC dc(hwnd_);
      RECT c{};
      ::GetClientRect(hwnd_, &c);
      PaintClient(dc.get(), c);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MouseDown({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))},
                msg == WM_LBUTTONDBLCLK, (wParam & MK_CONTROL) != 0);
      return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (dock_) break;
      if (wParam == HTCLOSE) {
        if (msg == WM_NCLBUTTONDOWN) CloseButtonLoop();
        return 0;
      }
      if (IsSizingHit(wParam)) {
        if (msg == WM_NCLBUTTONDOWN && Sizeable)
          SizingLoop(static_cast<int>(wParam),
                     {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
      }
      break;
    case WM_MOUSEACTIVATE:
      if (!dock_) {
        ::SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        HWND top = TopFormHandle();
        if (ActivateParent && top && ::GetActiveWindow() != top) ::SetActiveWindow(top);
        return MA_NOACTIVATE;
      }
      break;
    case WM_ACTIVATE:
      if (!dock_) {
        HWND top = TopFormHandle();
        const bool active = LOWORD(wParam) != WA_INACTIVE;
        if (top) ::SendMessageA(top, WM_NCACTIVATE, active || reinterpret_cast<HWND>(lParam) == top, 0);
        if (!active && top && reinterpret_cast<HWND>(lParam) == top) GiveFocusBack();
        return 0;
      }
      break;
    case WM_GETMINMAXINFO:
      if (!dock_) {
        auto* mm = reinterpret_cast<MINMAXINFO*>(lParam);
        mm->ptMaxTrackSize = {32767, 32767};
        mm->ptMinTrackSize = {1, 1};
        return 0;
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      const auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!dock_ && InsideArrangement == 0 && !(wp->flags & SWP_NOMOVE)) {
        FloatLeft = wp->x;
        FloatTop = wp->y;
      }
      if (dock_ && !(wp->flags & SWP_NOMOVE) && dock_->UsesBackground()) {
        MSG pending;
        while (::PeekMessageA(&pending, hwnd_, kRepaintFrameMessage, kRepaintFrameMessage, PM_REMOVE)) {
        }
        ::PostMessageA(hwnd_, kRepaintFrameMessage, 0, 0);
      }
      if (!(wp->flags & SWP_NOSIZE) && OnResize) OnResize();
      break;
    }
    case WM_CLOSE:
      if (!dock_) {
        if (HWND top = TopFormHandle()) ::PostMessageA(top, WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    case WM_SYSCOMMAND:
      if (!dock_ && (wParam & 0xFFF0) == SC_CLOSE) {
        if (HWND top = TopFormHandle()) ::PostMessageA(top, WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    case WM_COMMAND:
    case WM_NOTIFY:
      if (form_ && form_->HandleAllocated()) return ::SendMessageA(form_->Handle(), msg, wParam, lParam);
      break;
    case kEvaluateMessage:
      if (wParam == kEvaluateMark) {
        Reevaluate(TheWatcher().appActive);
        return 0;
      }
      break;
    case WM_CONTEXTMENU:
      if (PopupMenu) {
        PopupMenu->Popup(hwnd_, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
      }
      break;
    case kRepaintFrameMessage:
      ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
      return 0;
    default: break;
  }
  return DefaultHandler(msg, wParam, lParam);
}
