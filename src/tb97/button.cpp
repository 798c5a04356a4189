#include "tb97/tb97.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "core/regint.h"
#include "toolkit/application.h"
#include "toolkit/handles.h"
#include "toolkit/registry.h"

namespace {
const char kButtonClass[] = "TToolbarButton97";
}  // namespace

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

