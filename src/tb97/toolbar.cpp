#include "tb97/tb97.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "core/regint.h"
#include "toolkit/application.h"
#include "toolkit/handles.h"
#include "toolkit/registry.h"

namespace {
const char kBarClass[] = "TToolbar97";
constexpr int kSeparatorWidth = 6;
constexpr int kBarMargin = 2;
}  // namespace

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

