#include "toolkit/window.h"

#include <vector>

#include "toolkit/application.h"
#include "toolkit/errors.h"

namespace tk {
namespace {
const char kProp[] = "QuillonTkWindow";
}

Window::~Window() {
  if (hwnd_) {
    HWND wnd = hwnd_;
    ::RemovePropA(wnd, kProp);
    bool subclassed = oldProc_ != nullptr;
    Unsubclass();
    hwnd_ = nullptr;
    if (!subclassed) ::DestroyWindow(wnd);
  }
}

void Window::Unsubclass() {
  if (!oldProc_ || !hwnd_) return;
  auto proc = reinterpret_cast<LONG_PTR>(oldProc_);
  if (unicode_)
    ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, proc);
  else
    ::SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, proc);
  oldProc_ = nullptr;
}

Window* Window::FromHandle(HWND wnd) { return wnd ? static_cast<Window*>(::GetPropA(wnd, kProp)) : nullptr; }

void Window::SetVisible(bool visible) {
  if (hwnd_) ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

void Window::SetEnabled(bool enabled) {
  if (hwnd_) ::EnableWindow(hwnd_, enabled);
}

std::string Window::Text() const {
  if (!hwnd_) return {};
  int len = ::GetWindowTextLengthA(hwnd_);
  std::string text(static_cast<size_t>(len) + 1, '\0');
  int got = ::GetWindowTextA(hwnd_, text.data(), len + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

void Window::SetText(const std::string& text) {
  if (hwnd_) ::SetWindowTextA(hwnd_, text.c_str());
}

void Window::RegisterClassOnce(const char* className, UINT style, HBRUSH background, HICON icon,
                               HCURSOR cursor) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  HINSTANCE inst = ::GetModuleHandleA(nullptr);
  if (::GetClassInfoExA(inst, className, &existing)) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = &Window::Proc;
  wc.hInstance = inst;
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.hCursor = cursor ? cursor : ::LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  ::RegisterClassExA(&wc);
}

HWND Window::CreateHandle(DWORD exStyle, const char* className, const char* title, DWORD style,
                          int x, int y, int width, int height, HWND parent, HMENU menuOrId) {
  HWND wnd = ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menuOrId,
                               ::GetModuleHandleA(nullptr), this);
  if (!wnd) throw Error("Cannot create a window of class " + std::string(className));
  return wnd;
}

void Window::Subclass(HWND wnd) {
  if (!wnd) throw InvalidOperation("Cannot subclass a window that does not exist");
  hwnd_ = wnd;
  unicode_ = ::IsWindowUnicode(wnd) != FALSE;
  ::SetPropA(wnd, kProp, this);
  auto proc = reinterpret_cast<LONG_PTR>(&Window::Proc);
  oldProc_ = reinterpret_cast<WNDPROC>(unicode_ ? ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, proc)
                                                : ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, proc));
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefaultHandler(msg, wParam, lParam);
}

LRESULT Window::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (oldProc_)
    return unicode_ ? ::CallWindowProcW(oldProc_, hwnd_, msg, wParam, lParam)
                    : ::CallWindowProcA(oldProc_, hwnd_, msg, wParam, lParam);
  return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
}

void Window::HandleException() { Application.HandleException(); }

LRESULT CALLBACK Window::Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* self = FromHandle(wnd);
  if (!self && msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
    if (cs->dwExStyle & WS_EX_MDICHILD)
      self = reinterpret_cast<Window*>(reinterpret_cast<MDICREATESTRUCTA*>(cs->lpCreateParams)->lParam);
    else
      self = static_cast<Window*>(cs->lpCreateParams);
    if (self) {
      self->hwnd_ = wnd;
      ::SetPropA(wnd, kProp, self);
    }
  }
  if (!self) return ::IsWindowUnicode(wnd) ? ::DefWindowProcW(wnd, msg, wParam, lParam)
                                           : ::DefWindowProcA(wnd, msg, wParam, lParam);

  LRESULT result = 0;
  try {
    result = self->HandleMessage(msg, wParam, lParam);
  } catch (...) {
    self->HandleException();
  }
  if (msg == WM_NCDESTROY) {
    ::RemovePropA(wnd, kProp);
    self->Unsubclass();
    self->hwnd_ = nullptr;
    try {
      self->HandleDestroyed();  // may release the object: touch nothing after it
    } catch (...) {
      Application.HandleException();
    }
  }
  return result;
}

}  // namespace tk
