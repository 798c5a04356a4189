// TDock97: a dock along one edge of a form that holds tool windows in rows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/colortext.h"
#include "core/tb97/dockrows.h"
#include "toolkit/component.h"
#include "toolkit/enumset.h"
#include "toolkit/handles.h"
#include "toolkit/window.h"

enum TDockPosition { dpTop, dpBottom, dpLeft, dpRight };
enum TDockBoundLine { blTop, blBottom, blLeft, blRight };
using TDockBoundLines = tk::EnumSet<TDockBoundLine>;

namespace tk {
class PopupMenu;
}

class TCustomToolWindow97;

// The button-face system colour, every bar's and dock's default colour.
inline constexpr core::Color kButtonFace = static_cast<core::Color>(0x80000000u | COLOR_BTNFACE);

class TDock97 : public tk::Component, public tk::Window {
 public:
  TDock97(tk::Component* owner, std::string name, TDockPosition position = dpTop);
  ~TDock97() override;
  // Creates the dock's window on the form's client area.
  void CreateIn(HWND parent);

  bool AllowDrag() const { return allowDrag_; }
  void SetAllowDrag(bool allow);
  // The tile pattern behind the bars; the dock takes the bitmap over.
  HBITMAP Background() const { return background_.get(); }
  void SetBackground(HBITMAP bitmap);
  bool BackgroundOnToolbars = true;
  bool BackgroundTransparent() const { return backgroundTransparent_; }
  void SetBackgroundTransparent(bool transparent);
  TDockBoundLines BoundLines() const { return boundLines_; }
  void SetBoundLines(TDockBoundLines lines);
  core::Color Color() const { return color_; }
  void SetColor(core::Color color);
  bool FixAlign() const { return fixAlign_; }
  void SetFixAlign(bool fix);
  bool LimitToOneRow = false;
  tk::PopupMenu* PopupMenu = nullptr;
  TDockPosition Position() const { return position_; }
  void SetPosition(TDockPosition position);
  // A dock cannot be hidden.
  void SetVisible(bool visible);

  std::function<void(TDock97* sender, bool inserting, TCustomToolWindow97* bar)> OnInsertRemoveBar;
  std::function<void(TDock97* sender, TCustomToolWindow97* bar, bool& accept)> OnRequestDock;
  std::function<void(TDock97* sender)> OnResize;
  // The form lays its docks out again: this dock's thickness changed.
  std::function<void()> OnAlignNeeded;

  // While above 0, RearrangeBars does nothing.
  int ArrangeLockCount = 0;
  void RearrangeBars();

  bool Vertical() const { return position_ == dpLeft || position_ == dpRight; }
  core::tb97::Orientation Orientation() const;
  // The thickness across the edge the dock's last arrangement gave it.
  int Thickness() const { return thickness_; }
  // The docked bars in the order of the last arrangement.
  const std::vector<TCustomToolWindow97*>& DockList() const { return dockList_; }
  const std::vector<int>& RowSizes() const { return rowSizes_; }
  // The thickness of `row`; a row without bars has `bar`'s own.
  int RowSize(int row, TCustomToolWindow97* bar) const;
  // The docked bars as the row arithmetic sees them, tags indexing DockList.
  std::vector<core::tb97::DockBar> Bars() const;
  // Takes rows back from Bars() after a row was opened among them.
  void TakeRows(const std::vector<core::tb97::DockBar>& bars);

  // Called by the tool windows when they join or leave the dock.
  void InsertBar(TCustomToolWindow97* bar);
  // `quietly`: the form is going; no arrangement and no event.
  void RemoveBar(TCustomToolWindow97* bar, bool quietly = false);

  // Tiles the pattern over `clip` (less `exclude`), the tile origin at
  // `origin`'s top-left, one tile column after another up to its right and
  // bottom.
  void DrawBackground(HDC dc, const RECT& clip, const RECT* exclude, const RECT& origin);
  bool UsesBackground() const;
  // The tile origin for a window at `wnd`'s client area: the pattern
  // continues from the form's client origin.
  RECT TileOrigin(HWND wnd) const;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void PaintBoundLines();
  void InvalidateAll();
  HBITMAP PatternForPaint();
  RECT NonClientInsets() const;

  bool allowDrag_ = true;
  tk::OwnedBitmap background_;
  tk::OwnedBitmap transparentCache_;
  bool backgroundTransparent_ = false;
  TDockBoundLines boundLines_;
  core::Color color_ = kButtonFace;
  bool fixAlign_ = false;
  TDockPosition position_ = dpTop;
  std::vector<TCustomToolWindow97*> dockList_;
  std::vector<int> rowSizes_;
  int thickness_ = 0;
  bool arranging_ = false;
};
