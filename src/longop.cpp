#include "longop.h"

#include <algorithm>

#include "toolkit/application.h"
#include "toolkit/statusbar.h"

namespace {
int g_running = 0;

bool IsInput(UINT msg) {
  return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_LBUTTONDOWN && msg <= WM_MBUTTONDBLCLK) ||
         (msg >= WM_XBUTTONDOWN && msg <= WM_XBUTTONDBLCLK);
}

bool IsEscape(const MSG& msg) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_KEYUP: return msg.wParam == VK_ESCAPE;
    case WM_CHAR: return msg.wParam == 0x1B;
    default: return false;
  }
}
}  // namespace

bool TLongOperation::Running() { return g_running > 0; }

TLongOperation::TLongOperation(std::function<HWND()> control, tk::StatusBar* bar, const TLongOperationStyle& style,
                               bool showOperations)
    : control_(std::move(control)), bar_(bar), style_(style) {
  ++g_running;
  filter_ = tk::Application.AddMessageFilter([this](MSG& msg) { return HoldInput(msg); }, true);
  if (bar_ && style_.hintFirst) bar_->SetPanelTextNow(2, style_.hint);
  tk::Application.SetCursor(tk::Cursor::HourGlass);
  HWND wnd = Control();
  if (style_.hideControl && !showOperations && wnd && ::IsWindow(wnd)) {
    ::ShowWindow(wnd, SW_HIDE);
    hidden_ = true;
  }
  if (bar_ && !style_.hintFirst) bar_->SetPanelTextNow(2, style_.hint);
  // An Escape pressed before the command started (to close a dialog, say)
  // must not cancel it: forget it now.
  if (style_.cancellable) ::GetAsyncKeyState(VK_ESCAPE);
  if (style_.pumpAtStart) Pump();
  lastPump_ = std::chrono::steady_clock::now();
}

TLongOperation::~TLongOperation() {
  tk::Application.RemoveMessageFilter(filter_);
  tk::Application.SetCursor(tk::Cursor::Default);
  HWND wnd = Control();
  if (wnd && ::IsWindow(wnd)) {
    ::ShowWindow(wnd, SW_SHOW);
    if (hidden_) ::InvalidateRect(wnd, nullptr, TRUE);
  }
  if (bar_) {
    if (style_.clearPanel0) bar_->SetPanelText(0, "");
    bar_->SetPanelText(2, "");
  }
  ReplayInput();
  --g_running;
}

HWND TLongOperation::Control() {
  HWND wnd = control_ ? control_() : nullptr;
  if (wnd && std::find(windows_.begin(), windows_.end(), wnd) == windows_.end()) {
    windows_.push_back(wnd);
    if (HWND parent = ::GetParent(wnd)) windows_.push_back(parent);
  }
  return wnd;
}

bool TLongOperation::HoldInput(const MSG& msg) {
  if (!IsInput(msg.message) || !msg.hwnd) return false;
  if (std::find(windows_.begin(), windows_.end(), msg.hwnd) == windows_.end()) return false;
  if (IsEscape(msg)) return true;  // the cancel key; the poll has seen it
  held_.push_back(msg);
  return true;
}

// Posts the held input again, in its order; input for a control that was
// replaced while the command ran goes to the control that took its place.
void TLongOperation::ReplayInput() {
  if (held_.empty()) return;
  HWND current = control_ ? control_() : nullptr;
  for (const MSG& msg : held_) {
    HWND target = ::IsWindow(msg.hwnd) ? msg.hwnd : current;
    if (target && ::IsWindow(target)) ::PostMessageA(target, msg.message, msg.wParam, msg.lParam);
  }
  held_.clear();
}

void TLongOperation::Pump() {
  if (bar_ && !pendingProgress_.empty()) bar_->SetPanelTextNow(0, pendingProgress_);
  tk::Application.ProcessMessages();
  lastPump_ = std::chrono::steady_clock::now();
}

bool TLongOperation::Step(std::string_view progress) {
  if (!progress.empty()) pendingProgress_.assign(progress);
  // The tick count is not to be trusted here, for the checks nor for the
  // pumps: Wine renews it only when the program asks the system something,
  // which a step need not do.
  const auto now = std::chrono::steady_clock::now();
  if (checked_ && now - lastCheck_ < std::chrono::milliseconds(1)) return true;
  checked_ = true;
  lastCheck_ = now;
  if (style_.cancellable && ::GetAsyncKeyState(VK_ESCAPE) != 0) {
    cancelled_ = true;
    if (bar_ && !pendingProgress_.empty()) bar_->SetPanelText(0, pendingProgress_);
    return false;
  }
  if (now - lastPump_ >= std::chrono::milliseconds(kPumpIntervalMs)) Pump();
  if (control_) {
    HWND wnd = Control();
    if (!wnd || !::IsWindow(wnd)) {
      cancelled_ = true;  // the document closed while messages ran
      control_ = nullptr;
      return false;
    }
  }
  return true;
}
