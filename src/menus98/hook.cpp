// The thread's message hook while menu windows exist: it closes the open
// menu on a press anywhere but on a menu window or a menu-bar button, turns
// Alt+Space into a press on the active window's system icon, and hands keys
// to the deepest open menu window.
#include <windows.h>

#include "menus98/menubutton.h"
#include "menus98/module.h"
#include "menus98/popup.h"
#include "menus98/popupform.h"

namespace menus98::detail {

namespace {

bool IsPress(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
      return true;
    default: return false;
  }
}

bool IsMenuWindow(HWND wnd) {
  char name[32] = {};
  return wnd && ::GetClassNameA(wnd, name, sizeof name) && lstrcmpA(name, MenuClassName()) == 0;
}

// A press on a menu-bar button is the button's own: it closes, opens or
// swaps the drop-down itself.
bool IsMenuBarButton(HWND wnd) {
  return wnd && dynamic_cast<TToolbarButton98*>(tk::Window::FromHandle(wnd)) != nullptr;
}

void Filter(MSG& msg) {
  HWND active = ::GetActiveWindow();
  if (!active || ::IsIconic(active)) return;
  if (IsPress(msg.message) && IsMenuOpen() && !IsMenuWindow(msg.hwnd) && !IsMenuBarButton(msg.hwnd)) {
    CloseAllMenus(true);
    ShowCaretAgain();
    return;
  }
  if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_SPACE) {
    ::PostMessageA(active, WM_NCLBUTTONDOWN, HTSYSMENU, 0);
    msg.message = WM_NULL;
    return;
  }
  if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && IsMenuOpen()) {
    if (TPopupMenu98Form* deepest = DeepestWindow()) {
      ::PostMessageA(deepest->Handle(), WM_MENU98_KEY, msg.wParam, 0);
      msg.message = WM_NULL;
    }
  }
}

}  // namespace

LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) {
  // Only messages taken from the queue count; a look (PM_NOREMOVE) comes back.
  if (code >= 0 && wParam == PM_REMOVE) {
    try {
      Filter(*reinterpret_cast<MSG*>(lParam));
    } catch (...) {
      // Nothing may cross the hook; the menu stays as it was.
    }
  }
  return ::CallNextHookEx(State().hook, code, wParam, lParam);
}

}  // namespace menus98::detail
