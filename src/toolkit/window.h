// A window wrapped by its object. The object is attached on WM_NCCREATE (or
// when a control made elsewhere is subclassed) and detached on WM_NCDESTROY;
// the window procedure hands each message to HandleMessage and keeps every
// C++ exception inside: it goes to HandleException (the application's
// general error box). Subclass is the program's one way to put its own
// procedure in front of a control's: ANSI and Unicode controls alike, each
// message reaching the control's own procedure in its own character set.
#pragma once

#include <windows.h>

#include <string>

namespace tk {

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }
  bool HandleAllocated() const { return hwnd_ != nullptr; }

  // The object attached to a window of ours, or nullptr.
  static Window* FromHandle(HWND wnd);

  bool Visible() const { return hwnd_ && ::IsWindowVisible(hwnd_); }
  void SetVisible(bool visible);
  bool Enabled() const { return hwnd_ && ::IsWindowEnabled(hwnd_); }
  void SetEnabled(bool enabled);
  std::string Text() const;
  void SetText(const std::string& text);
  // The hint the window shows when the mouse rests on it; empty for none.
  virtual std::string HintText() const { return {}; }

 protected:
  // Registers a window class of ours once per process.
  static void RegisterClassOnce(const char* className, UINT style, HBRUSH background,
                                HICON icon = nullptr, HCURSOR cursor = nullptr);
  // Creates the window with this object attached from its first message.
  HWND CreateHandle(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menuOrId);
  // Attaches this object to a window made elsewhere (a system control) and
  // routes its messages through HandleMessage; DefaultHandler then calls the
  // control's own procedure. A Unicode control keeps getting Unicode
  // messages. The control's procedure comes back on WM_NCDESTROY or when
  // the object goes first.
  void Subclass(HWND wnd);

  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);
  // Called once the window is gone (after WM_NCDESTROY); Handle() is null then.
  virtual void HandleDestroyed() {}
  // Called when a message handler threw; the default shows the error box.
  virtual void HandleException();

  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  WNDPROC oldProc_ = nullptr;
  bool unicode_ = false;  // subclassed through the wide functions

 private:
  void Unsubclass();
};

}  // namespace tk
