// The outline that follows the pointer while a tool window is dragged or
// sized: a half-tone frame inverted straight onto the desktop. Moving it
// inverts only where the old and the new frame differ, so the parts that
// stay do not flicker; going away inverts what is left.
#pragma once

#include <windows.h>

#include "toolkit/handles.h"

namespace tb97 {

class DragOutline {
 public:
  // Lets waiting paints run first, then locks the desktop's window updates
  // and takes its device context.
  DragOutline();
  ~DragOutline();
  DragOutline(const DragOutline&) = delete;
  DragOutline& operator=(const DragOutline&) = delete;

  // The outline becomes the frame of `r`, `thickness` pixels wide.
  void MoveTo(const RECT& r, int thickness);
  void Erase();
  const RECT& Current() const { return current_; }

 private:
  void Invert(HRGN region);

  HDC dc_ = nullptr;
  tk::OwnedBrush brush_;
  RECT current_{};
  int thickness_ = 0;
  bool shown_ = false;
};

// The frame of `r`, `thickness` pixels wide, as a region (empty for an
// empty rectangle).
HRGN FrameRegion(const RECT& r, int thickness);

}  // namespace tb97
