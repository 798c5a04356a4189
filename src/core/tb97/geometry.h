// Plain geometry of the docking toolbars: points, sizes and rectangles in
// pixels, with the platform's conventions (a rectangle's right and bottom
// lie just outside it).
#pragma once

#include <cstdint>

namespace core::tb97 {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  // True when the two rectangles share at least one pixel.
  bool Intersects(const Rect& o) const {
    return !IsEmpty() && !o.IsEmpty() && left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
  Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  static Rect FromPosSize(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

enum class DockPosition { Top, Bottom, Left, Right };

// The direction of a dock's rows: left and right docks are vertical, top and
// bottom docks horizontal; a window that floats has none.
enum class Orientation { None, Horizontal, Vertical };

inline Orientation OrientationOf(DockPosition p) {
  return p == DockPosition::Left || p == DockPosition::Right ? Orientation::Vertical : Orientation::Horizontal;
}

// a * b / c rounded to the nearest integer (halves away from zero), computed
// without overflow; 0 when c is 0 (a one-pixel window has no extent to
// scale by).
inline int MulDiv(int a, int b, int c) {
  if (c == 0) return 0;
  std::int64_t p = static_cast<std::int64_t>(a) * b;
  const bool negative = (p < 0) != (c < 0);
  std::int64_t ap = p < 0 ? -p : p;
  std::int64_t ac = c < 0 ? -static_cast<std::int64_t>(c) : c;
  std::int64_t q = (ap + ac / 2) / ac;
  return static_cast<int>(negative ? -q : q);
}

// Coordinates read from outside (the registry) are held within this range so
// that sums of positions and sizes never overflow.
inline constexpr int kMaxCoordinate = 1 << 20;

inline int ClampCoordinate(int v) {
  return v < -kMaxCoordinate ? -kMaxCoordinate : v > kMaxCoordinate ? kMaxCoordinate : v;
}

}  // namespace core::tb97
