// The geometry of dragging and sizing a tool window: where the outline goes
// for a pointer position, when the pointer counts as over a dock, where a
// floating outline is held on screen, and moving a window back onto the
// work area.
#pragma once

#include <functional>
#include <optional>
#include <span>

#include "core/tb97/geometry.h"

namespace core::tb97 {

// The frame around a docked window's client area: 2 pixels on every side,
// and the grip's 9 more at the start of the row when it has one.
Size DockedFrame(Orientation o, bool grip);
// The frame around a floating window's client area: the border on every
// side and the caption.
Size FloatingFrame(Size border, int captionHeight);

// The caption strip of a floating window (window coordinates) and its close
// button, the square at the caption's right end.
struct FloatingCaption {
  Rect caption;  // shortened by the close button when there is one
  Rect closeButton;  // empty without one
};
FloatingCaption FloatingCaptionRects(Size client, Size border, int captionHeight, bool closeButton);

// What a point of a floating window (window coordinates) is: the caption
// and the client area act as one surface that starts a drag; the border
// sizes the window when it is sizeable, by its corners too when the class
// has corner sizing (the corner zones reach caption height + border - 1
// along each edge), else by its edges only, top and bottom first.
enum class FloatHit { Nowhere, Client, Close, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

struct FloatingFrameInfo {
  Size window;
  Size border;
  int captionHeight = 0;
  bool closeButton = true;
  bool sizeable = true;
  bool cornerSizing = false;
};

FloatHit FloatingHitTest(Point p, const FloatingFrameInfo& f);

// Where the pointer grabbed the window: its offset from the window's outer
// top-left and the window's size less one in both directions.
struct Grab {
  Point offset;
  Size reference;
};

Grab GrabAt(Point offset, Size windowSize);

// The outline of `size` for pointer `q`, placed so that the grab point keeps
// its relative position in it.
Rect PlaceOutline(Point q, Size size, const Grab& grab);

// `q` held inside the work area.
Point ClampToWorkArea(Point q, const Rect& workArea);

// A floating outline held so that some of it stays reachable: kept within
// the work area shrunk by the border + 4, and its top not above the work
// area's top + 4 - border height - caption height.
Rect HoldFloatingOutline(Rect outline, const Rect& workArea, Size border, int captionHeight);

struct DockCandidate {
  DockPosition position = DockPosition::Top;
  bool allowDrag = true;
  Rect clientOnScreen;  // the dock's client rectangle in screen coordinates
  Size outline;         // the outline the window has over this dock
};

// Whether pointer `q` counts as over dock `d`.
bool PointerOverDock(Point q, const DockCandidate& d, const Grab& grab);

// The dock that a drag over `q` targets: none with `floatOnly`; otherwise
// the docks of the positions in `dockableTo` (indexed by DockPosition), in
// the order top, bottom, left, right and then list order, that the pointer
// is over, the first that `accepts` (its OnRequestDock).
std::optional<std::size_t> FindDockTarget(Point q, bool floatOnly, const bool (&dockableTo)[4],
                                          std::span<const DockCandidate> docks, const Grab& grab,
                                          const std::function<bool(std::size_t)>& accepts);

// `bounds` moved onto the work area (size unchanged): shifted left by what
// lies beyond its right, up by what lies below its bottom, then right and
// down by what lies beyond its left and top, so a window larger than the
// work area ends at its top-left. With `onlyIfWhollyOff` a window that still
// overlaps the work area stays where it is.
Rect MoveOnScreen(const Rect& bounds, const Rect& workArea, bool onlyIfWhollyOff);

}  // namespace core::tb97
