#include "tb97/tb97.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "core/regint.h"
#include "toolkit/application.h"
#include "toolkit/handles.h"
#include "toolkit/registry.h"

namespace {
const char kDockClass[] = "TDock97";
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

