// Docks, toolbars, separators and toolbar buttons.
//
// For now the docks lay their toolbars out in one row and toolbars lay their
// items out from left to right; buttons are flat, show their glyph and their
// hint as a tooltip, and fire OnClick. Dragging and floating come later and
// replace the inside of these classes, not their interface.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/component.h"
#include "toolkit/graphics.h"
#include "toolkit/window.h"

enum TDockPosition { dpTop, dpBottom, dpLeft, dpRight };

class TToolbar97;

class TDock97 : public tk::Component, public tk::Window {
 public:
  TDock97(tk::Component* owner, std::string name, TDockPosition position);
  void CreateIn(HWND parent);

  TDockPosition Position() const { return position_; }
  bool LimitToOneRow = false;
  bool AllowDrag = true;
  // The dock's thickness when it holds a visible toolbar.
  int DesignSize = 26;

  void AddBar(TToolbar97* bar);
  const std::vector<TToolbar97*>& Bars() const { return bars_; }
  // Thickness now: 0 while it shows no toolbar.
  int Thickness() const;
  void RearrangeBars();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TDockPosition position_;
  std::vector<TToolbar97*> bars_;
};

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

class TToolbarButton97 : public tk::Component, public tk::Window {
 public:
  TToolbarButton97(tk::Component* owner, std::string name);

  std::string Hint;
  int Width = 23;
  int Height = 22;
  int NumGlyphs = 1;
  tk::Glyph Glyph;
  std::function<void()> OnClick;

  bool IsEnabled() const { return enabled_; }
  void SetEnabledState(bool enabled);
  // As a user's click: runs OnClick while enabled.
  void Click();

  void CreateIn(TToolbar97* bar, int x, int y);
  std::string HintText() const override { return Hint; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);
  bool enabled_ = true;
  bool hot_ = false;
  bool down_ = false;
};

// Restores / stores the place and visibility of every toolbar the form owns,
// below HKEY_CURRENT_USER\<keyPath>\<toolbar name>. Loading creates the key.
void LoadToolbarPositions(tk::Component* form, const std::string& keyPath);
void SaveToolbarPositions(tk::Component* form, const std::string& keyPath);
