// TToolbarButton98: a menu bar's button for one top-level menu item; it
// takes the item's caption, enabled state, hint and default (bold) look,
// sizes itself from caption and glyph, and opens the item's sub-items.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "tb97/tb97.h"
#include "toolkit/menu.h"

class TMainMenu98;
class TPopupMenu98;

// Posted to a bar button: its drop-down opens (wParam 1: by keyboard).
inline constexpr UINT WM_MENU98_OPEN = WM_APP + 0x19A;
// The icon button's wait for a double click before its menu opens.
inline constexpr UINT_PTR kSystemMenuTimer98 = 0x9802;
inline constexpr UINT kSystemMenuDelay98 = 175;

enum TButtonOrientation98 { orAutomatic, orHorizontal, orVertical };

class TToolbarButton98 : public TToolbarButton97 {
 public:
  TToolbarButton98(tk::Component* owner, std::string name);
  ~TToolbarButton98() override;

  TButtonOrientation98 Orientation = orAutomatic;
  bool AutoSize = true;
  int Tag = 0;

  // The item the button stands for, and the bar it sits on.
  tk::MenuItem* Item() const { return item_; }
  void SetItem(tk::MenuItem* item);
  TMainMenu98* Bar() const { return bar_; }
  bool Bold() const { return bold_; }
  bool IsSystemButton() const { return system_; }
  // Whether the button draws its face turned for a vertical bar.
  bool IsVertical() const;

  // Takes the item's caption, enabled state and hint again.
  void TakeItem();
  // The size AutoSize gives, for a bar in a side dock or not.
  void Measure(bool sideDock);
  // As a click of the user: the drop-down opens, or the item runs.
  void Press();
  // The drop-down menu, made on first use; it lives as long as the button.
  TPopupMenu98* Dropdown();
  bool HasDropdown() const { return system_ || (item_ && item_->Count() > 0); }
  // The icon button's menu waits 175 ms for a double click.
  bool SystemMenuPending() const { return systemTimer_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  friend class TMainMenu98;
  void PaintFace(HDC dc, int width, int height);
  void PaintButton(HDC dc, const RECT& client);
  // Closes and frees the drop-down (made again on the next use).
  void FreeDropdown();
  tk::MenuItem* item_ = nullptr;
  TMainMenu98* bar_ = nullptr;
  bool bold_ = false;
  bool system_ = false;
  bool systemTimer_ = false;
  POINT dropPoint_{0, 0};
  std::unique_ptr<TPopupMenu98> dropdown_;
  // Expires when the button goes (a handler run while its menu opens may
  // free the bar and its buttons).
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
