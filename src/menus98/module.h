// The menus module's shared state (internal).
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

class TPopupMenu98;
class TPopupMenu98Form;
namespace tk {
class MenuItem;
}

namespace menus98::detail {

struct ModuleState {
  TPopupMenu98* openMenu = nullptr;
  HHOOK hook = nullptr;
  int menuWindows = 0;  // the hook stays while any menu window exists
  POINT lastMouse{-1000, -1000};
  bool caretHidden = false;
  bool skipNextPress = false;  // the posted icon press after a caption press
  HBITMAP checkMark = nullptr, radioItem = nullptr, checkerboard = nullptr;
  bool started = false;
  std::vector<std::unique_ptr<TPopupMenu98Form>> buried;  // closed sub-menus, freed later
};
ModuleState& State();
// Seeds the random generator and loads the shared bitmaps (once).
void Start();
void Bury(std::unique_ptr<TPopupMenu98Form> window);
void FlushBuried();
void WindowCreated();
void WindowDestroyed();
void HideCaretOnce();
void ShowCaretAgain();
void PlaySoundEvent(const char* name);
HBITMAP Checkerboard();
// Adds the entries of a window's platform system menu (and their
// sub-menus) to `root` as items whose clicks post WM_SYSCOMMAND to `wnd`.
void AddSystemItems(HWND wnd, HMENU menu, tk::MenuItem* root);
// The work area: the screen less the task bar.
RECT WorkArea();
const char* MenuClassName();

}  // namespace menus98::detail
