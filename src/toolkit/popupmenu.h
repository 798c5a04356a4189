// A context menu: a tree of menu items shown at a point on the screen. The
// chosen item's click handler runs before Popup returns.
#pragma once

#include <windows.h>

#include "toolkit/component.h"
#include "toolkit/menu.h"

namespace tk {

class PopupMenu : public Component {
 public:
  explicit PopupMenu(Component* owner = nullptr, std::string name = {});
  ~PopupMenu() override;

  // The menu's entries are the sub-items of this item.
  MenuItem* Items() { return &root_; }
  MenuItem* Find(const std::string& name) { return root_.Find(name); }

  // Shows the menu at screen point (x, y) for `owner` and runs the chosen
  // item; returns it, or nullptr when the menu was dismissed.
  MenuItem* Popup(HWND owner, int x, int y);

 private:
  MenuItem root_;
};

}  // namespace tk
