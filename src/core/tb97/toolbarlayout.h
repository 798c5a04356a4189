// The layout of a toolbar's items: one line when docked, lines wrapped at a
// wrap limit (`FloatRightX`) when floating, with separators at line breaks
// turned into etched lines; the candidate sizes of a floating toolbar and
// the snapping of its sizing outline to them.
//
// The window side copies the visible items (in layout order, orientation
// pairs already applied) into ToolbarItems, calls LayoutToolbar, and, when
// children may move, moves each item to its `bounds` and keeps the line
// separators for painting.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "core/tb97/geometry.h"

namespace core::tb97 {

struct ToolbarItem {
  bool separator = false;
  bool blank = false;  // separators: a gap without a line
  int sizeHorz = 6;    // separators: length in a horizontal line
  int sizeVert = 6;    // separators: length in a vertical line
  bool visible = true; // visible for the orientation laid out
  Size size;           // other items: their own size
  Rect bounds;         // out (when children move); a separator at a line break gets width 0
};

struct LineSeparator {
  int start = 0;  // the new line's start across the toolbar
  bool blank = false;
  friend bool operator==(const LineSeparator&, const LineSeparator&) = default;
};

struct ToolbarTarget {
  Orientation orientation = Orientation::None;  // None: floating
  // The toolbar's current dock row size, when the target is the dock it is
  // in now (the items are then placed across that thickness).
  std::optional<int> currentDockRowSize;
  // The row size of the dock the toolbar is in now, whatever the target
  // (the thickness of an empty toolbar).
  std::optional<int> dockedRowSize;
};

struct ToolbarLayout {
  Size client;
  std::vector<LineSeparator> lineSeparators;  // only when children moved
};

// The largest height (horizontal, floating) or width (vertical) of the
// visible items that are no separators; at least 8.
int ToolbarThickness(std::span<const ToolbarItem> items, Orientation o);

// Lays the items out for `target`; with `moveChildren` their bounds are set.
// `floatRightX` (0: one line) is used only when floating; a negative one
// counts as 0.
ToolbarLayout LayoutToolbar(std::span<ToolbarItem> items, const ToolbarTarget& target, int floatRightX,
                            bool moveChildren);

// The client size of a docked tool window whose layout needs `laidOut`: at
// least as thick as its dock row, and a full-size window as long as the
// dock's client length less its own frame (`frame`, DockedFrame).
Size DockedClientSize(Size laidOut, Orientation o, int rowSize, bool fullSize, int dockClientLength, Size frame);

// The etched line of a line separator: shadow at start - 4, highlight at
// start - 3, from x = 1 to client width - 1.

enum class SizingEdge { Left, Right, Top, Bottom };

// The edge a floating toolbar is sized by at `p` (window coordinates), if
// any: its frame has edges but no corners; top and bottom win over left and
// right.
std::optional<SizingEdge> ToolbarSizingEdge(Point p, Size window, Size border);

struct SizeCandidate {
  Size outer;
  bool unwrapped = false;  // the one-line arrangement
  friend bool operator==(const SizeCandidate&, const SizeCandidate&) = default;
};

// Every arrangement a floating toolbar can take, as outer sizes (client size
// plus `frame`, the floating frame's total width and height), sorted tallest
// first for the top and bottom edges, else widest first.
std::vector<SizeCandidate> FloatingCandidates(std::span<const ToolbarItem> items, Size frame, SizingEdge edge);

// The snapping of a floating toolbar's sizing outline to its candidates.
class FloatSizer {
 public:
  // `start`: the window's bounds when sizing began; `frameWidth`: the
  // floating frame's horizontal border width (one side).
  FloatSizer(SizingEdge edge, std::vector<SizeCandidate> candidates, Rect start, int floatRightX, int frameWidth);

  // The rectangle the outline takes for a proposed one (the start with the
  // dragged edge moved by the pointer).
  Rect Adjust(const Rect& proposed);

  int SnapDistance() const { return snap_; }
  // The `FloatRightX` to keep when the sizing is accepted.
  int FloatRightXToKeep() const { return keep_; }

 private:
  SizingEdge edge_;
  std::vector<SizeCandidate> candidates_;
  Rect start_;
  int frameWidth_;
  int keep_;
  int current_;  // the outline's current extent along the dragged axis
  int snap_ = 12;
  bool leftStart_ = false;
  std::optional<bool> lastShrinking_;
};

}  // namespace core::tb97
