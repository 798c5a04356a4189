#include "menus98/module.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <cstdlib>
#include <ctime>

#include "menus98/menubutton.h"
#include "menus98/popup.h"
#include "menus98/popupform.h"

namespace menus98::detail {

ModuleState& State() {
  static ModuleState state;
  return state;
}

LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);  // hook.cpp

void Start() {
  ModuleState& s = State();
  if (s.started) return;
  s.started = true;
  std::atexit(&menus98::Finish);
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  s.checkMark = static_cast<HBITMAP>(::LoadImageA(instance, "CHECKMARK", IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  s.radioItem = static_cast<HBITMAP>(::LoadImageA(instance, "RADIOITEM", IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

void Bury(std::unique_ptr<TPopupMenu98Form> window) { State().buried.push_back(std::move(window)); }

void FlushBuried() {
  std::vector<std::unique_ptr<TPopupMenu98Form>> gone, kept;
  gone.swap(State().buried);
  for (auto& w : gone)
    if (w && w->Animating()) kept.push_back(std::move(w));
  State().buried = std::move(kept);
}

void WindowCreated() {
  ModuleState& s = State();
  ++s.menuWindows;
  if (!s.hook) s.hook = ::SetWindowsHookExA(WH_GETMESSAGE, &HookProc, nullptr, ::GetCurrentThreadId());
}

void WindowDestroyed() {
  ModuleState& s = State();
  if (--s.menuWindows <= 0) {
    s.menuWindows = 0;
    if (s.hook) ::UnhookWindowsHookEx(s.hook);
    s.hook = nullptr;
  }
}

void HideCaretOnce() {
  ModuleState& s = State();
  if (s.caretHidden) return;
  s.caretHidden = true;
  ::HideCaret(nullptr);
}

void ShowCaretAgain() {
  ModuleState& s = State();
  if (!s.caretHidden) return;
  s.caretHidden = false;
  ::ShowCaret(nullptr);
}

void PlaySoundEvent(const char* name) {
  if (name && *name) ::sndPlaySoundA(name, SND_ASYNC | SND_NODEFAULT);
}

HBITMAP Checkerboard() {
  ModuleState& s = State();
  if (s.checkerboard) return s.checkerboard;
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  s.checkerboard = ::CreateCompatibleBitmap(screen, 8, 8);
  HGDIOBJ old = ::SelectObject(dc, s.checkerboard);
  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), face = ::GetSysColor(COLOR_BTNFACE);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ::SetPixel(dc, x, y, (x % 2) == (y % 2) ? light : face);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  return s.checkerboard;
}

RECT WorkArea() {
  core::menus98::Rect screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  APPBARDATA bar{};
  bar.cbSize = sizeof bar;
  core::menus98::Rect taskBar;
  if (::SHAppBarMessage(ABM_GETTASKBARPOS, &bar))
    taskBar = {bar.rc.left, bar.rc.top, bar.rc.right, bar.rc.bottom};
  core::menus98::Rect w = core::menus98::WorkArea(screen, taskBar);
  return RECT{w.left, w.top, w.right, w.bottom};
}

const char* MenuClassName() { return "QuillonMenu98"; }

}  // namespace menus98::detail

namespace menus98 {

using detail::State;

void CloseAllMenus(bool animate) {
  TPopupMenu98* menu = State().openMenu;
  if (!menu) return;
  TPopupMenu98Form* top = menu->MenuWindow();
  if (menu->StatusBar && menu->StatusBar->HandleAllocated() && menu->StatusBar->PanelCount() > menu->StatusBarIndex)
    menu->StatusBar->SetPanelText(menu->StatusBarIndex, "");
  MenuHintWindow().ReleaseHandle();
  if (top) {
    top->StopTimer();
    // Deepest first.
    std::vector<TPopupMenu98Form*> chain;
    for (TPopupMenu98Form* f = top; f; f = f->ChildForm()) chain.push_back(f);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) (*it)->CloseLevel(animate);
  }
  State().openMenu = nullptr;
  if (menu->OnMenuClose) menu->OnMenuClose(menu, nullptr);
  if (menu->OpenerButton) menu->OpenerButton->SetDown(false);
  if (top) {
    top->Abort();
    top->Hide();
  }
  detail::ShowCaretAgain();
}

bool IsMenuOpen() {
  TPopupMenu98* menu = State().openMenu;
  return menu && menu->MenuWindow() && menu->MenuWindow()->Shown();
}

TPopupMenu98* OpenMenu() { return State().openMenu; }

BitmapReapplier& ReapplyBitmaps() {
  static BitmapReapplier reapply;
  return reapply;
}

TPopupMenu98Form* DeepestWindow() {
  TPopupMenu98* menu = State().openMenu;
  TPopupMenu98Form* f = menu ? menu->MenuWindow() : nullptr;
  while (f && f->ChildForm()) f = f->ChildForm();
  return f;
}

bool HookInstalled() { return State().hook != nullptr; }

THintWindow98& MenuHintWindow() {
  static THintWindow98* hint = new THintWindow98();
  return *hint;
}

void Finish() {
  detail::ModuleState& s = State();
  for (HBITMAP* b : {&s.checkerboard, &s.checkMark, &s.radioItem}) {
    if (*b) ::DeleteObject(*b);
    *b = nullptr;
  }
  MenuHintWindow().ReleaseHandle();
  s.started = false;
}

}  // namespace menus98
