// Owners for Win32 handles: move-only, the destructor frees exactly once and
// keeps everything it needs to do so (the window of a DC, the old object of a
// selection).
#pragma once

#include <windows.h>

#include <utility>

namespace tk {

template <class H, class Free>
class Owned {
 public:
  Owned() = default;
  explicit Owned(H h) : h_(h) {}
  ~Owned() { reset(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : h_(std::exchange(other.h_, H{})) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(std::exchange(other.h_, H{}));
    return *this;
  }

  H get() const { return h_; }
  explicit operator bool() const { return h_ != H{}; }
  H release() { return std::exchange(h_, H{}); }
  void reset(H h = H{}) {
    if (h_ != H{} && h_ != h) Free{}(h_);
    h_ = h;
  }

 private:
  H h_{};
};

struct FreeGdi { void operator()(HGDIOBJ h) const { ::DeleteObject(h); } };
struct FreeKey { void operator()(HKEY h) const { ::RegCloseKey(h); } };
struct FreeMenu { void operator()(HMENU h) const { ::DestroyMenu(h); } };
struct FreeModule { void operator()(HMODULE h) const { ::FreeLibrary(h); } };
struct FreeIcon { void operator()(HICON h) const { ::DestroyIcon(h); } };
struct FreeMemDC { void operator()(HDC h) const { ::DeleteDC(h); } };
struct FreeWindow { void operator()(HWND h) const { ::DestroyWindow(h); } };
struct FreeGlobal { void operator()(HGLOBAL h) const { ::GlobalFree(h); } };

using OwnedFont = Owned<HFONT, FreeGdi>;
using OwnedBitmap = Owned<HBITMAP, FreeGdi>;
using OwnedBrush = Owned<HBRUSH, FreeGdi>;
using OwnedPen = Owned<HPEN, FreeGdi>;
using OwnedRegion = Owned<HRGN, FreeGdi>;
using OwnedKey = Owned<HKEY, FreeKey>;
using OwnedMenu = Owned<HMENU, FreeMenu>;
using OwnedModule = Owned<HMODULE, FreeModule>;
using OwnedIcon = Owned<HICON, FreeIcon>;
using OwnedMemDC = Owned<HDC, FreeMemDC>;
using OwnedWindow = Owned<HWND, FreeWindow>;
using OwnedGlobal = Owned<HGLOBAL, FreeGlobal>;

// GetDC / ReleaseDC: the window is kept for the release.
class WindowDC {
 public:
  explicit WindowDC(HWND wnd) : wnd_(wnd), dc_(::GetDC(wnd)) {}
  ~WindowDC() { if (dc_) ::ReleaseDC(wnd_, dc_); }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND wnd_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDC {
 public:
  explicit PaintDC(HWND wnd) : wnd_(wnd) { dc_ = ::BeginPaint(wnd, &ps_); }
  ~PaintDC() { ::EndPaint(wnd_, &ps_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC get() const { return dc_; }
  const RECT& area() const { return ps_.rcPaint; }

 private:
  HWND wnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// SelectObject with the old object put back on destruction.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ obj) : dc_(dc), old_(::SelectObject(dc, obj)) {}
  ~Selection() { ::SelectObject(dc_, old_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace tk
