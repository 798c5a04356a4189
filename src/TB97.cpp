#include "TB97.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "core/regint.h"
#include "toolkit/application.h"
#include "toolkit/handles.h"
#include "toolkit/registry.h"

namespace {
const char kDockClass[] = "TDock97";
const char kBarClass[] = "TToolbar97";
const char kButtonClass[] = "TToolbarButton97";
constexpr int kSeparatorWidth = 6;
constexpr int kBarMargin = 2;
}  // namespace

// ---------------------------------------------------------------------------
// TDock97

TDock97::TDock97(tk::Component* owner, std::string name, TDockPosition position)
    : Component(owner, std::move(name)), position_(position) {}

void TDock97::CreateIn(HWND parent) {
  RegisterClassOnce(kDockClass, 0, ::GetSysColorBrush(COLOR_BTNFACE));
  CreateHandle(0, kDockClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
               nullptr);
}

void TDock97::AddBar(TToolbar97* bar) {
  bars_.push_back(bar);
  RearrangeBars();
}

int TDock97::Thickness() const {
  for (TToolbar97* bar : bars_)
    if (bar->Shown()) {
      int size = (position_ == dpTop || position_ == dpBottom) ? bar->BarHeight() : bar->BarWidth();
      return std::max(DesignSize, size + 2 * kBarMargin);
    }
  return 0;
}

void TDock97::RearrangeBars() {
  int x = 0;
  for (TToolbar97* bar : bars_) {
    if (!bar->HandleAllocated()) continue;
    ::ShowWindow(bar->Handle(), bar->Shown() ? SW_SHOW : SW_HIDE);
    if (!bar->Shown()) continue;
    if (position_ == dpTop || position_ == dpBottom) {
      int pos = std::max(x, bar->DockPos);
      ::MoveWindow(bar->Handle(), pos, kBarMargin, bar->BarWidth(), bar->BarHeight(), TRUE);
      x = pos + bar->BarWidth();
    } else {
      int pos = std::max(x, bar->DockPos);
      ::MoveWindow(bar->Handle(), kBarMargin, pos, bar->BarWidth(), bar->BarHeight(), TRUE);
      x = pos + bar->BarHeight();
    }
  }
}

LRESULT TDock97::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND || msg == WM_NOTIFY) return ::SendMessageA(::GetParent(hwnd_), msg, wParam, lParam);
  return DefaultHandler(msg, wParam, lParam);
}

// ---------------------------------------------------------------------------
// TToolbar97

TToolbar97::TToolbar97(tk::Component* owner, std::string name) : Component(owner, std::move(name)) {}

void TToolbar97::CreateHandleIn(HWND parent) {
  RegisterClassOnce(kBarClass, 0, ::GetSysColorBrush(COLOR_BTNFACE));
  CreateHandle(0, kBarClass, Caption.c_str(), WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, BarWidth(),
               BarHeight(), parent, nullptr);
  if (tk::Application.OwnHintWindow) return;
  tooltip_ = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                               ::GetModuleHandleA(nullptr), nullptr);
}

void TToolbar97::SetDockedTo(TDock97* dock) {
  dock_ = dock;
  if (!hwnd_ && dock && dock->HandleAllocated()) CreateHandleIn(dock->Handle());
  ArrangeControls();
  if (dock) dock->AddBar(this);
}

void TToolbar97::SetShown(bool shown) {
  if (shown_ == shown) return;
  shown_ = shown;
  if (dock_) dock_->RearrangeBars();
  if (OnVisibleChanged) OnVisibleChanged();
}

void TToolbar97::AddButton(TToolbarButton97* button) { items_.push_back(button); }
void TToolbar97::AddSeparator() { items_.push_back(nullptr); }

int TToolbar97::BarWidth() const {
  int w = 0;
  for (TToolbarButton97* b : items_) w += b ? b->Width : kSeparatorWidth;
  return w + 2 * kBarMargin;
}

int TToolbar97::BarHeight() const {
  int h = 0;
  for (TToolbarButton97* b : items_)
    if (b) h = std::max(h, b->Height);
  return h;
}

void TToolbar97::ArrangeControls() {
  if (!hwnd_) return;
  int x = kBarMargin;
  for (TToolbarButton97* b : items_) {
    if (!b) {
      x += kSeparatorWidth;
      continue;
    }
    if (!b->HandleAllocated())
      b->CreateIn(this, x, 0);
    else
      ::MoveWindow(b->Handle(), x, 0, b->Width, b->Height, TRUE);
    x += b->Width;
  }
}

LRESULT TToolbar97::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    tk::PaintDC dc(hwnd_);
    // Separators: an etched line in the middle of their gap.
    int x = kBarMargin;
    for (TToolbarButton97* b : items_) {
      if (b) {
        x += b->Width;
        continue;
      }
      RECT r{x + kSeparatorWidth / 2 - 1, 1, x + kSeparatorWidth / 2 + 1, BarHeight() - 1};
      ::DrawEdge(dc.get(), &r, EDGE_ETCHED, BF_LEFT);
      x += kSeparatorWidth;
    }
    return 0;
  }
  return DefaultHandler(msg, wParam, lParam);
}

// ---------------------------------------------------------------------------
// TToolbarButton97

TToolbarButton97::TToolbarButton97(tk::Component* owner, std::string name) : Component(owner, std::move(name)) {}

void TToolbarButton97::CreateIn(TToolbar97* bar, int x, int y) {
  RegisterClassOnce(kButtonClass, CS_HREDRAW | CS_VREDRAW, ::GetSysColorBrush(COLOR_BTNFACE));
  CreateHandle(0, kButtonClass, Name().c_str(), WS_CHILD | WS_VISIBLE, x, y, Width, Height, bar->Handle(), nullptr);
  if (HWND tip = bar->ToolTip()) {
    TTTOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = bar->Handle();
    ti.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    ti.lpszText = Hint.data();
    ::SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

void TToolbarButton97::SetEnabledState(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  if (!enabled) hot_ = down_ = false;
  if (hwnd_) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void TToolbarButton97::Click() {
  if (enabled_ && OnClick) OnClick();
}

void TToolbarButton97::Paint(HDC dc) {
  RECT r{0, 0, Width, Height};
  ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
  if (enabled_ && (hot_ || down_)) ::DrawEdge(dc, &r, down_ && hot_ ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  if (!Glyph.Empty()) {
    int gw = Glyph.ImageCount() > 1 ? Glyph.Height() : Glyph.Width();
    int offset = (down_ && hot_) ? 1 : 0;
    int image = (NumGlyphs > 1 && hot_ && enabled_) ? 1 : 0;
    Glyph.Draw(dc, (Width - gw) / 2 + offset, (Height - Glyph.Height()) / 2 + offset, enabled_, image);
  }
}

LRESULT TToolbarButton97::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      tk::PaintDC dc(hwnd_);
      Paint(dc.get());
      return 0;
    }
    case WM_MOUSEMOVE:
      if (enabled_ && !hot_) {
        hot_ = true;
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd_, 0};
        ::TrackMouseEvent(&tme);
        ::InvalidateRect(hwnd_, nullptr, TRUE);
      }
      if (down_) {
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        RECT r{0, 0, Width, Height};
        bool inside = ::PtInRect(&r, pt) != FALSE;
        if (inside != hot_) {
          hot_ = inside;
          ::InvalidateRect(hwnd_, nullptr, TRUE);
        }
      }
      return 0;
    case WM_MOUSELEAVE:
      hot_ = false;
      ::InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    case WM_LBUTTONDOWN:
      if (enabled_) {
        down_ = true;
        hot_ = true;
        ::SetCapture(hwnd_);
        ::InvalidateRect(hwnd_, nullptr, TRUE);
      }
      return 0;
    case WM_LBUTTONUP: {
      bool fire = down_ && hot_;
      down_ = false;
      if (::GetCapture() == hwnd_) ::ReleaseCapture();
      ::InvalidateRect(hwnd_, nullptr, TRUE);
      if (fire) tk::Guarded([this] { Click(); });
      return 0;
    }
    case WM_CAPTURECHANGED:
      down_ = false;
      return 0;
    default: break;
  }
  return DefaultHandler(msg, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Position persistence

namespace {

std::optional<std::string> ReadText(tk::Registry& reg, const std::string& name) {
  if (!reg.ValueExists(name)) return std::nullopt;
  return reg.ReadString(name);
}

}  // namespace

void LoadToolbarPositions(tk::Component* form, const std::string& keyPath) {
  tk::Registry reg;
  if (!reg.OpenKey(keyPath, true)) return;
  reg.CloseKey();
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* bar = dynamic_cast<TToolbar97*>(form->Components(i));
    if (!bar) continue;
    tk::Registry section;
    if (!section.OpenKeyReadOnly(keyPath + "\\" + bar->Name())) continue;
    bar->SetShown(core::RegIntFromValue(ReadText(section, "Visible"), bar->Shown() ? 1 : 0) != 0);
    bar->DockRow = core::RegIntFromValue(ReadText(section, "DockRow"), bar->DockRow);
    bar->DockPos = std::max(0, core::RegIntFromValue(ReadText(section, "DockPos"), bar->DockPos));
    if (bar->DockedTo()) bar->DockedTo()->RearrangeBars();
  }
}

void SaveToolbarPositions(tk::Component* form, const std::string& keyPath) {
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* bar = dynamic_cast<TToolbar97*>(form->Components(i));
    if (!bar) continue;
    tk::Registry section;
    if (!section.OpenKey(keyPath + "\\" + bar->Name(), true)) continue;
    section.WriteString("Rev", "2");
    section.WriteString("Visible", bar->Shown() ? "1" : "0");
    TDock97* dock = bar->DockedTo();
    section.WriteString("DockedTo", dock ? (dock->AllowDrag ? dock->Name() : std::string()) : std::string("+"));
    section.WriteString("DockRow", std::to_string(bar->DockRow));
    section.WriteString("DockPos", std::to_string(bar->DockPos));
    section.WriteString("FloatLeft", "0");
    section.WriteString("FloatTop", "0");
    section.WriteString("FloatRightX", "0");
  }
}
