// TMainMenu98: a dockable toolbar that shows the top-level items of a main
// menu as flat buttons; each drops down its item's sub-items. On an MDI
// frame the active document's menus merge in by group index, and while the
// document is maximized its icon button and window buttons join the bar.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "menus98/menubutton.h"
#include "menus98/popup.h"
#include "tb97/tb97.h"
#include "toolkit/form.h"
#include "toolkit/menu.h"

class TMainMenu98 : public TToolbar97 {
 public:
  TMainMenu98(tk::Component* owner, std::string name);
  ~TMainMenu98() override;

  // Passed to every drop-down menu when it opens.
  TAnimation OpenAnimation = anSmart;
  TAnimation CloseAnimation = anSmart;
  int Timeout = 20;
  bool DoubleSpeed = false;
  int ItemHeight = 19;
  int SeparatorHeight = 11;
  int Indent = 27;
  tk::StatusBar* StatusBar = nullptr;
  int StatusBarIndex = 0;
  TMenuAlignment Alignment = taLeftJustify;
  bool ShowHint = false;
  std::function<void(TPopupMenu98* sender)> OnPopup;
  std::function<void(TPopupMenu98* sender, tk::MenuItem* item)> OnMenuCommand;
  std::function<void(TPopupMenu98* sender, tk::MenuItem* item)> OnMenuClose;

  tk::MainMenu* MainMenu() const { return mainMenu_; }
  // Refuses none ("Value cannot be empty"); rebuilds the bar.
  void SetMainMenu(tk::MainMenu* menu);

  // Begin and end of an update; the end rebuilds the buttons and the MDI
  // buttons. Nested begins count once.
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return updating_; }

  // The bar's buttons for menus, in order (no MDI buttons).
  const std::vector<TToolbarButton98*>& MenuButtons() const { return menuButtons_; }
  // The MDI child's icon button and window buttons while it is maximized.
  TToolbarButton98* SystemButton() const { return systemButton_; }
  const std::vector<TToolbarButton97*>& WindowButtons() const { return windowButtons_; }
  // The menus merged in now (the active child's, or none).
  tk::MainMenu* MergedMenu() const { return merged_; }

  // Keyboard mode: a bar button selected by keyboard.
  bool KeyboardMode() const { return keyboardMode_; }
  TToolbarButton98* HotButton() const { return hot_; }
  // Keys seen by the form of the bar; true = used up.
  bool KeyDown(UINT vk, bool alt);
  bool KeyUp(UINT vk);

  // Called by the module when the entries of `parent` were made anew.
  void MenuRebuilt(tk::MenuItem* parent);
  // Looks at the active MDI child now, as the watch timer does.
  void WatchTick();

  // Stands in for the drop-down menus when set: told the item whose
  // sub-items would drop down at screen point x, y (tests that look only
  // at which menu opens).
  std::function<void(tk::MenuItem* item, int x, int y)> OnOpenDropdown;

  // Asked by an open drop-down of the bar: Left and Right open the
  // neighbouring button's drop-down (wrapping); Escape closes it and leaves
  // its button hot in keyboard mode; Alt or F10 leaves the bar.
  void WalkDropdowns(TToolbarButton98* from, int step);
  void DropdownEscaped(TToolbarButton98* button);
  void LeaveDropdown();

 private:
  friend class TToolbarButton98;
  // A click on a bar button; `keyboard`: the drop-down opens with its first
  // item selected.
  void ButtonClicked(TToolbarButton98* button, bool keyboard = false);
  // The posted second half of a click: the drop-down opens.
  void OpenDropdownNow(TToolbarButton98* button, bool keyboard);
  // The icon button's menu: the active document's system menu.
  void OpenSystemMenuNow(TToolbarButton98* button, bool keyboard);
  void Configure(TPopupMenu98* menu) const;
  POINT DropPoint(TToolbarButton98* button) const;
  void RebuildButtons();
  void RebuildMdiButtons();
  void FreeMdiButtons();
  TToolbarButton98* MakeButton(tk::MenuItem* item);
  void SetHot(TToolbarButton98* button);
  tk::MDIFrameForm* Frame() const;
  tk::Form* OwnerFormOfBar() const;

  tk::MainMenu* mainMenu_ = nullptr;
  tk::MainMenu* merged_ = nullptr;
  bool updating_ = false;
  bool keyboardMode_ = false;
  bool altUsed_ = false;
  std::vector<TToolbarButton98*> menuButtons_;
  TToolbarButton98* systemButton_ = nullptr;
  std::vector<TToolbarButton97*> windowButtons_;
  TToolbarButton98* hot_ = nullptr;
  TToolbarButton98* lastUsed_ = nullptr;
  HWND watchedChild_ = nullptr;
  bool watchedZoomed_ = false;
  UINT_PTR timer_ = 0;
  int filter_ = 0;
};
