// The menus' multi-line tooltip window.
#include <algorithm>

#include "menus98/module.h"
#include "menus98/popup.h"
#include "toolkit/application.h"

namespace {
constexpr UINT_PTR kHideTimer = 1;
const char kHintClass[] = "QuillonHint98";

std::string ShortHint(const std::string& hint) {
  const size_t bar = hint.find('|');
  std::string s = bar == std::string::npos ? hint : hint.substr(0, bar);
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}
}  // namespace

THintWindow98::THintWindow98() = default;

THintWindow98::~THintWindow98() {
  if (hwnd_) ::KillTimer(hwnd_, kHideTimer);
}

void THintWindow98::ActivateHint(const std::string& hint) {
  if (hint.empty()) return;
  if (!hwnd_) {
    RegisterClassOnce(kHintClass, CS_SAVEBITS, nullptr);
    hwnd_ = CreateHandle(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kHintClass, "", WS_POPUP | WS_BORDER,
                         0, 0, 0, 0, nullptr, nullptr);
  }
  const std::string text = ShortHint(hint);
  lines_ = core::menus98::HintLines(text);
  HDC dc = ::GetDC(hwnd_);
  HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA tm{};
  ::GetTextMetricsA(dc, &tm);
  lineHeight_ = tm.tmHeight;
  int width = 0, height = 5;
  for (const std::string& line : lines_) {
    SIZE size{};
    ::GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
    height += lineHeight_ + 1;
    width = std::max(width, static_cast<int>(size.cx) + 6);
  }
  ::SelectObject(dc, old);
  ::ReleaseDC(hwnd_, dc);
  RECT work = menus98::detail::WorkArea();
  POINT cursor{};
  ::GetCursorPos(&cursor);
  core::menus98::Point p = core::menus98::HintPosition(cursor.x, cursor.y, width, height,
                                                       {work.left, work.top, work.right, work.bottom});
  ::SetWindowTextA(hwnd_, text.c_str());
  ::SetWindowPos(hwnd_, HWND_TOPMOST, p.x, p.y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
  ::KillTimer(hwnd_, kHideTimer);
  ::SetTimer(hwnd_, kHideTimer, tk::Application.HintHidePause, nullptr);
}

void THintWindow98::ReleaseHandle() {
  if (!hwnd_) return;
  ::KillTimer(hwnd_, kHideTimer);
  ::ShowWindow(hwnd_, SW_HIDE);
}

void THintWindow98::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd_, &ps);
  RECT r;
  ::GetClientRect(hwnd_, &r);
  HBRUSH back = ::CreateSolidBrush(::GetSysColor(COLOR_INFOBK));
  ::FillRect(dc, &r, back);
  ::DeleteObject(back);
  HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
  int y = 2;
  for (const std::string& line : lines_) {
    RECT lr{2, y, r.right, y + lineHeight_ + 1};
    ::DrawTextA(dc, line.c_str(), -1, &lr, DT_SINGLELINE | DT_NOPREFIX);
    y += lineHeight_ + 1;
  }
  ::SelectObject(dc, old);
  ::EndPaint(hwnd_, &ps);
}

LRESULT THintWindow98::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_TIMER:
      if (wParam == kHideTimer) ReleaseHandle();
      return 0;
    default: break;
  }
  return DefaultHandler(msg, wParam, lParam);
}
