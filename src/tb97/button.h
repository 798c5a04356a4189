// TToolbarButton97: a flat toolbar button.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/component.h"
#include "toolkit/graphics.h"
#include "toolkit/window.h"

#include "tb97/toolbar.h"

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

