#include "toolkit/statusbar.h"

#include <commctrl.h>

#include "toolkit/errors.h"

namespace tk {

StatusBar::StatusBar(Component* owner, std::string name) : Component(owner, std::move(name)) {}

void StatusBar::CreateIn(HWND parent) {
  HWND wnd = ::CreateWindowExA(0, STATUSCLASSNAMEA, "",
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBARS_SIZEGRIP, 0, 0, 0, 0,
                               parent, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  if (!wnd) throw Error("Cannot create the status bar");
  Subclass(wnd);
  if (AcceptsControls()) ::SetWindowLongPtrA(wnd, GWL_STYLE, ::GetWindowLongPtrA(wnd, GWL_STYLE) | WS_CLIPCHILDREN);
  ApplyParts();
}

void StatusBar::SetPanels(const std::vector<int>& widths) {
  widths_ = widths;
  texts_.assign(widths.size(), std::string());
  ApplyParts();
}

void StatusBar::ApplyParts() {
  if (!hwnd_ || widths_.empty()) return;
  std::vector<int> edges;
  int x = 0;
  for (size_t i = 0; i < widths_.size(); ++i) {
    x += widths_[i];
    edges.push_back(i + 1 == widths_.size() ? -1 : x);
  }
  ::SendMessageA(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (size_t i = 0; i < texts_.size(); ++i)
    ::SendMessageA(hwnd_, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(texts_[i].c_str()));
}

void StatusBar::SetPanelText(int i, const std::string& text) {
  if (i < 0 || i >= PanelCount()) return;
  if (texts_[static_cast<size_t>(i)] == text) return;
  texts_[static_cast<size_t>(i)] = text;
  if (hwnd_) ::SendMessageA(hwnd_, SB_SETTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.c_str()));
}

void StatusBar::SetPanelTextNow(int i, const std::string& text) {
  SetPanelText(i, text);
  if (hwnd_) ::UpdateWindow(hwnd_);
}

void StatusBar::SetShown(bool shown) {
  shown_ = shown;
  if (hwnd_) ::ShowWindow(hwnd_, shown ? SW_SHOW : SW_HIDE);
}

int StatusBar::Height() const {
  if (!hwnd_ || !shown_) return 0;
  RECT r{};
  ::GetWindowRect(hwnd_, &r);
  return r.bottom - r.top;
}

void StatusBar::ParentResized() {
  if (hwnd_) ::SendMessageA(hwnd_, WM_SIZE, 0, 0);
}

LRESULT StatusBar::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND || msg == WM_NOTIFY) {
    // Child controls talk to the bar's parent as if they were its own.
    if (AcceptsControls()) return ::SendMessageA(::GetParent(hwnd_), msg, wParam, lParam);
  }
  return DefaultHandler(msg, wParam, lParam);
}

}  // namespace tk
