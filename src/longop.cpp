#include "longop.h"

#include "toolkit/application.h"
#include "toolkit/statusbar.h"

namespace {
int g_running = 0;
}

bool TLongOperation::Running() { return g_running > 0; }

TLongOperation::TLongOperation(std::function<HWND()> control, tk::StatusBar* bar, const TLongOperationStyle& style,
                               bool showOperations)
    : control_(std::move(control)), bar_(bar), style_(style) {
  ++g_running;
  tk::Application.SetCursor(tk::Cursor::HourGlass);
  HWND wnd = Control();
  if (style_.hideControl && !showOperations && wnd && ::IsWindow(wnd)) {
    ::ShowWindow(wnd, SW_HIDE);
    hidden_ = true;
  }
  if (bar_) bar_->SetPanelTextNow(2, style_.hint);
  // An Escape pressed before the command started (to close a dialog, say)
  // must not cancel it: forget it now.
  if (style_.cancellable) ::GetAsyncKeyState(VK_ESCAPE);
  lastPump_ = ::GetTickCount();
}

TLongOperation::~TLongOperation() {
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
  --g_running;
}

void TLongOperation::Pump() {
  if (bar_ && !pendingProgress_.empty()) bar_->SetPanelTextNow(0, pendingProgress_);
  tk::Application.ProcessMessages();
  lastPump_ = ::GetTickCount();
}

bool TLongOperation::Step(const std::string& progress) {
  if (!progress.empty()) pendingProgress_ = progress;
  if (style_.cancellable && ::GetAsyncKeyState(VK_ESCAPE) != 0) {
    cancelled_ = true;
    if (bar_ && !pendingProgress_.empty()) bar_->SetPanelText(0, pendingProgress_);
    return false;
  }
  if (::GetTickCount() - lastPump_ >= kPumpIntervalMs) Pump();
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
