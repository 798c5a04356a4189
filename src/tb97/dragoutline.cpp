#include "tb97/dragoutline.h"

namespace tb97 {

HRGN FrameRegion(const RECT& r, int thickness) {
  HRGN outer = ::CreateRectRgn(0, 0, 0, 0);
  if (r.right <= r.left || r.bottom <= r.top) return outer;
  ::SetRectRgn(outer, r.left, r.top, r.right, r.bottom);
  if (r.right - r.left > 2 * thickness && r.bottom - r.top > 2 * thickness) {
    tk::OwnedRegion inner(::CreateRectRgn(r.left + thickness, r.top + thickness, r.right - thickness,
                                          r.bottom - thickness));
    ::CombineRgn(outer, outer, inner.get(), RGN_DIFF);
  }
  return outer;
}

DragOutline::DragOutline() {
  // Paints that wait now would land on the outline later and leave bands.
  MSG msg;
  for (int i = 0; i < 256 && ::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
    ::DispatchMessageA(&msg);
  HWND desktop = ::GetDesktopWindow();
  ::LockWindowUpdate(desktop);
  dc_ = ::GetDCEx(desktop, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  // An 8 x 8 half-tone: rows alternate 0x5555 and 0xAAAA.
  const WORD rows[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
  tk::OwnedBitmap pattern(::CreateBitmap(8, 8, 1, 1, rows));
  brush_.reset(::CreatePatternBrush(pattern.get()));
}

DragOutline::~DragOutline() {
  Erase();
  if (dc_) ::ReleaseDC(::GetDesktopWindow(), dc_);
  ::LockWindowUpdate(nullptr);
}

void DragOutline::Invert(HRGN region) {
  if (!dc_) return;
  RECT box{};
  if (::GetRgnBox(region, &box) == NULLREGION) return;
  ::SelectClipRgn(dc_, region);
  HGDIOBJ old = ::SelectObject(dc_, brush_.get());
  ::PatBlt(dc_, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT);
  ::SelectObject(dc_, old);
  ::SelectClipRgn(dc_, nullptr);
}

void DragOutline::MoveTo(const RECT& r, int thickness) {
  tk::OwnedRegion next(FrameRegion(r, thickness));
  tk::OwnedRegion change(::CreateRectRgn(0, 0, 0, 0));
  if (shown_) {
    tk::OwnedRegion old(FrameRegion(current_, thickness_));
    ::CombineRgn(change.get(), old.get(), next.get(), RGN_XOR);
  } else {
    ::CombineRgn(change.get(), next.get(), nullptr, RGN_COPY);
  }
  Invert(change.get());
  current_ = r;
  thickness_ = thickness;
  shown_ = true;
}

void DragOutline::Erase() {
  if (!shown_) return;
  tk::OwnedRegion old(FrameRegion(current_, thickness_));
  Invert(old.get());
  shown_ = false;
}

}  // namespace tb97
