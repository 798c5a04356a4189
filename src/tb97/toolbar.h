// TToolbar97: a toolbar of buttons and separators, docked or floating.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/component.h"
#include "toolkit/graphics.h"
#include "toolkit/window.h"

#include "tb97/dock.h"

class TToolbarButton97;

class TToolbar97 : public tk::Component, public tk::Window {
 public:
  TToolbar97(tk::Component* owner, std::string name);

  std::string Caption;
  int DockRow = 0;
  int DockPos = 0;
  TDock97* DockedTo() const { return dock_; }
  void SetDockedTo(TDock97* dock);
  // Called by the form whose visibility setting says so.
  bool Shown() const { return shown_; }
  void SetShown(bool shown);
  std::function<void()> OnVisibleChanged;

  // Items in order, left to right: a null entry is a separator.
  void AddButton(TToolbarButton97* button);
  void AddSeparator();
  const std::vector<TToolbarButton97*>& Items() const { return items_; }
  void ArrangeControls();
  int BarWidth() const;
  int BarHeight() const;

  HWND ToolTip() const { return tooltip_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateHandleIn(HWND parent);
  TDock97* dock_ = nullptr;
  bool shown_ = true;
  std::vector<TToolbarButton97*> items_;
  HWND tooltip_ = nullptr;
};

