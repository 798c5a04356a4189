// The flat hint window's arithmetic: margins per style, the height the
// mouse cursor draws below its hot spot (from its mask), and where a hint
// goes on the screen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace core::hint {

enum THintStyle : std::uint8_t { hsFlat = 0, hsOffice97 = 1, hsWindows95 = 2 };

struct Margins {
  int width, height;
};
Margins HintMargins(THintStyle style);

// The hint font's face for the system's status-bar font face: in the Office
// style "MS Sans Serif" becomes "Tahoma" where that font is installed.
std::string HintFace(const std::string& statusFace, THintStyle style, bool tahomaInstalled);

// A cursor's mask image, one byte a pixel: 0 black, anything else white.
// A monochrome cursor's mask is 32 x 64 (the AND image above the XOR
// image); a colour cursor's is 32 x 32 (the AND image alone).
struct Mask {
  int width = 0, height = 0;
  std::vector<std::uint8_t> pixels;  // row by row, top first
  bool White(int x, int y) const { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x] != 0; }
};

// How far below its hot spot the cursor draws: the lowest row with a black
// pixel of the AND image (rows 31 to 0), else the lowest white pixel of the
// XOR image (rows 63 to 32) less 32, each less the hot spot's row; 32 when
// neither exists or there is no mask.
int CursorHeightBelowHotSpot(const Mask& mask, int hotSpotY);

// What the hint belongs to, as last announced.
enum class HintOwner { None, Control, Form };

struct Placement {
  int mouseX = 0, mouseY = 0;
  int cursorHeight = 32;
  int width = 0, height = 0;  // the hint window's size
  int screenWidth = 0, screenHeight = 0;
  THintStyle style = hsFlat;
  HintOwner owner = HintOwner::None;
  int ownerTop = 0;  // screen row of the owning control's top edge
};

struct Point {
  int x, y;
  bool operator==(const Point&) const = default;
};

// The hint's top-left: below the cursor at the mouse's column, pulled back
// left at the right edge; above its control (or above the mouse, for the
// Office style, a form or no known control) at the bottom edge; never left
// of or above the screen's origin.
Point PlaceHint(const Placement& p);

}  // namespace core::hint
