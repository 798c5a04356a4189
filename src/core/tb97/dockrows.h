// The row layout of a dock area: its bars sorted by row and offset, empty
// rows closed up, full-size bars alone in their rows, over-long rows
// squeezed back, every bar placed, and the dock as thick as its rows. Also
// the row queries that the drag loop asks while a bar is moved over a dock.
//
// The window side copies each docked bar into a DockBar, calls
// RearrangeBars, and moves the results (order, DockRow, DockPos, bounds and
// the dock's new outer bounds) back onto the windows.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "core/tb97/geometry.h"

namespace core::tb97 {

struct DockBar {
  std::size_t tag = 0;  // the caller's handle of the bar; carried unchanged
  int dockRow = 0;
  int dockPos = -1;  // -1: not placed yet
  bool fullSize = false;
  Size size;          // the bar's current outer size
  int thickness = 8;  // the bar's thickness across a row of this dock
  Rect bounds;        // out: the bar's bounds in the dock's client area
};

struct DockFrame {
  DockPosition position = DockPosition::Top;
  bool limitToOneRow = false;
  bool fixAlign = false;
  bool designTime = false;
  Rect outer;       // the dock's bounds in its parent's client area
  Size client;      // the dock's client size
  Size nonClient;   // outer size less client size (bound lines)
};

struct DockArrangement {
  std::vector<int> rowSizes;  // per row, the largest bar thickness, at least 8
  Rect outer;                 // the dock's new bounds
};

// Arranges `bars` (the dock list, in its last order) in place: the vector is
// sorted by row, then offset; rows and offsets are normalised and `bounds`
// set. Rows are renumbered 0, 1, ... in order (negative rows included) and
// offsets are held within +-kMaxCoordinate, so any stored values are safe.
DockArrangement RearrangeBars(const DockFrame& dock, std::vector<DockBar>& bars);

// The bounds a dock takes for a new outer size, keeping the edge it is glued
// to: top and left docks keep left and top, a bottom dock its bottom, a
// right dock its right edge.
Rect ResizeDock(DockPosition position, const Rect& outer, int width, int height);

// The row queries of the drag loop, over the bars of one dock.
int HighestRow(std::span<const DockBar> bars);  // -1 when empty
// How many bars lie on `row`, `except` (when given) not counted.
int BarsOnRow(std::span<const DockBar> bars, int row, const DockBar* except = nullptr);
// Every bar on row `row` or beyond moves one row further.
void InsertRowBefore(std::span<DockBar> bars, int row);
// The thickness of row `row`; a row beyond the list has the given bar's own
// thickness (0 without one).
int RowSize(std::span<const int> rowSizes, int row, const DockBar* bar = nullptr);

struct RowHit {
  int row = 0;
  bool insertNew = false;  // open a new row before `row`
  friend bool operator==(const RowHit&, const RowHit&) = default;
};
// The row at coordinate p across the rows (client pixels): within 5 pixels
// of a row boundary a new row opens there; beyond the last row a new row
// after it.
RowHit RowAt(std::span<const int> rowSizes, int highestRow, int p);
// The first row whose end lies beyond p; highestRow + 1 beyond all rows.
int RowContaining(std::span<const int> rowSizes, int highestRow, int p);

// Where a bar dropped with its outline at `outline` (the dock's client
// coordinates) goes: the row at the outline's centre across the rows, a new
// row there when the drop is near a row boundary, and for a full-size bar on
// a row that holds another bar, a new row after it. Rows opened move the
// bars behind them (`bars`, the dock's bars, their rows changed in place);
// `self` is the dropped bar when it is among them.
struct DropPlace {
  int dockRow = 0;
  int dockPos = 0;
  friend bool operator==(const DropPlace&, const DropPlace&) = default;
};
DropPlace PlanDrop(std::span<DockBar> bars, std::span<const int> rowSizes, const Rect& outline, Orientation o,
                   bool fullSize, const DockBar* self = nullptr);

}  // namespace core::tb97
