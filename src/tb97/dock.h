// TDock97: a dock along one edge of a form that holds toolbars in rows.
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

