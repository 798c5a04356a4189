#include "toolkit/popupmenu.h"

namespace tk {

PopupMenu::PopupMenu(Component* owner, std::string name) : Component(owner, std::move(name)) {}

PopupMenu::~PopupMenu() = default;

MenuItem* PopupMenu::Popup(HWND owner, int x, int y) {
  HMENU menu = root_.PopupHandle();
  // The menu tells its choice here rather than by WM_COMMAND, so the item
  // runs even when the owner routes commands elsewhere.
  UINT command = static_cast<UINT>(::TrackPopupMenu(
      menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, owner, nullptr));
  if (command == 0) return nullptr;
  MenuItem* item = root_.FindCommand(command);
  if (item) item->Click();
  return item;
}

}  // namespace tk
