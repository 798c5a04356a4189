// TToolbarSep97: the gap between two groups of a toolbar's buttons, drawn
// as an etched line by its toolbar (it has no window of its own, so a press
// on it reaches the toolbar and can start a drag).
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/component.h"
#include "toolkit/window.h"

class TCustomToolbar97;

class TToolbarSep97 : public tk::Component {
 public:
  explicit TToolbarSep97(tk::Component* owner, std::string name = {});
  ~TToolbarSep97() override;

  bool Blank() const { return blank_; }
  void SetBlank(bool blank);
  int SizeHorz() const { return sizeHorz_; }
  void SetSizeHorz(int size);
  int SizeVert() const { return sizeVert_; }
  void SetSizeVert(int size);

  // Places the separator at the end of `parent`'s items; only a toolbar
  // takes one.
  void SetParent(tk::Window* parent);
  TCustomToolbar97* Toolbar() const { return toolbar_; }
  void Detach() { toolbar_ = nullptr; }

  // Where the toolbar's layout put it, in the toolbar's client area.
  RECT Bounds{};
  int Width() const { return Bounds.right - Bounds.left; }
  int Height() const { return Bounds.bottom - Bounds.top; }

 private:
  TCustomToolbar97* toolbar_ = nullptr;
  bool blank_ = false;
  int sizeHorz_ = 6;
  int sizeVert_ = 6;
};
