// The Office-style menus: popup menus drawn by the program itself with
// their animations, sounds, hints and keyboard, the forms' system menu shown
// through them, and the multi-line menu hint window. The one header for the
// module's users.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "core/menus98/menus98.h"
#include "toolkit/form.h"
#include "toolkit/graphics.h"
#include "toolkit/popupmenu.h"
#include "toolkit/statusbar.h"
#include "toolkit/window.h"

using core::menus98::TAnimation;
using core::menus98::anNone;
using core::menus98::anVSlide;
using core::menus98::anHSlide;
using core::menus98::anUnfold;
using core::menus98::anSmart;
using core::menus98::anPopup;
using core::menus98::anRandom;

enum TMenuAlignment { taLeftJustify, taRightJustify, taCenter };

class TPopupMenu98Form;
class TToolbarButton98;

// A popup menu that shows itself in a window of its own. Popup returns once
// the open animation has finished; the menu then lives on until an item is
// chosen or the menu is closed. At most one menu is open at a time.
class TPopupMenu98 : public tk::PopupMenu {
 public:
  explicit TPopupMenu98(tk::Component* owner = nullptr, std::string name = {});
  ~TPopupMenu98() override;

  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show) {
    showHint_ = show;
    ParentShowHint = false;
  }
  bool ParentShowHint = true;
  TAnimation OpenAnimation = anPopup;
  TAnimation CloseAnimation = anPopup;
  int Timeout = 20;
  bool DoubleSpeed = false;
  int ItemHeight = 19;
  int SeparatorHeight = 11;
  int Indent = 27;
  tk::StatusBar* StatusBar = nullptr;
  int StatusBarIndex = 0;
  TMenuAlignment Alignment = taLeftJustify;
  tk::Font Font;
  bool ParentFont = true;
  std::function<void(TPopupMenu98* sender, tk::MenuItem* item)> OnMenuCommand;
  std::function<void(TPopupMenu98* sender, tk::MenuItem* item)> OnMenuClose;
  std::function<void(TPopupMenu98* sender)> OnPopup;

  // Opens the menu with its top-left corner at screen point (x, y).
  void Popup(int x, int y);
  // Shows this item's sub-items instead of Items(); null for Items().
  tk::MenuItem* RootItem = nullptr;
  // The form whose system icon opened the menu, or null.
  tk::Form* Opener = nullptr;
  // The menu-bar button whose drop-down this is, or null: it is raised
  // when the menu closes, and Left, Right, Escape and Alt in the menu walk
  // or leave its bar.
  TToolbarButton98* OpenerButton = nullptr;

  // The form that owns the component (directly or through its owners).
  tk::Form* OwnerForm() const;
  TPopupMenu98Form* MenuWindow() const { return window_.get(); }
  // The menu's window handles go with it; forms going call this first.
  void DestroyWindows();

 private:
  bool showHint_ = false;
  std::unique_ptr<TPopupMenu98Form> window_;
  // Expires when the component goes (a handler run by the open animation
  // may free it).
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The system menu of a form: rebuilt from the form's platform system menu
// each time it opens, shown instead of it. It takes over the form's mouse
// on the system icon and caption.
class TSystemMenu98 : public TPopupMenu98 {
 public:
  // The owner must be a form.
  explicit TSystemMenu98(tk::Component* owner, std::string name = {});
  ~TSystemMenu98() override;

  bool Enabled = true;
  bool AllowAdjust = true;
  std::function<void(TSystemMenu98* sender)> OnShow;

  // Builds the items and opens the menu now.
  void ShowSystemMenu98();
  // Opens the menu at (x, y), or under the caption's left end when
  // `fromIcon`, now or 300 ms later.
  void RequestSystemMenu98(int x, int y, bool delayed, bool fromIcon);
  bool OpenPending() const { return timerPending_; }
  // The form's platform system menu made into items.
  void BuildItems(HMENU systemMenu);

 private:
  bool FormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void StopOpenTimer();
  bool ShowingThis() const;

  tk::Form* form_;
  int popupX_ = 0, popupY_ = 0;
  bool timerPending_ = false;
  bool fromIcon_ = false;
};

// A multi-line tooltip for menu hints: lines end at "&#13;" or a carriage
// return; it hides itself after the application's hint-hide pause.
class THintWindow98 : public tk::Window {
 public:
  THintWindow98();
  ~THintWindow98() override;
  void ActivateHint(const std::string& hint);
  void ReleaseHandle();  // hides the window
  const std::vector<std::string>& Lines() const { return lines_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();
  std::vector<std::string> lines_;
  int lineHeight_ = 0;
};

namespace menus98 {

// Closes every open level of the open menu.
void CloseAllMenus(bool animate);
// True while a menu is open and its window shows with a non-zero size.
bool IsMenuOpen();
// The open menu, or null.
TPopupMenu98* OpenMenu();
// The deepest open menu window, or null.
TPopupMenu98Form* DeepestWindow();
// Puts the item bitmaps of the menus owned by `owner` back before a popup
// of that owner opens (the platform menus may have been rebuilt); set by
// whoever keeps such bitmaps.
using BitmapReapplier = std::function<void(tk::Component* owner)>;
BitmapReapplier& ReapplyBitmaps();
// Whether the module's thread message hook is in place.
bool HookInstalled();
// The one menu hint window.
THintWindow98& MenuHintWindow();
// The module's end: frees its shared bitmaps and the hint window.
void Finish();

}  // namespace menus98
