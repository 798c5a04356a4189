// The painted caption's arithmetic: the window text made of three parts and
// the caption part derived back from it, the gradient bands, the bar, text
// area and buttons of a frame, and which texts fit a narrow caption.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace core::caption {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// One of the caption's texts: the company, the application name, the caption.
struct TextPart {
  std::string caption;
  bool visible = true;
};

// The window text: the visible parts, a blank after a visible non-empty part
// that a visible part follows.
std::string ComposeWindowText(const TextPart& company, const TextPart& appName, const TextPart& caption);

// The caption part of a window text: for the company and then the
// application name (when visible and non-empty and found), everything up to
// the end of its first occurrence goes, then one leading blank.
std::string DeriveCaption(std::string_view windowText, const TextPart& company, const TextPart& appName);

// When the gradient is drawn.
enum TGradientEnabled { geAlways, geNever, geWhenActive, geSmart };
bool UseGradient(TGradientEnabled when, bool active, int bitsPerPixel);

// The number of bands as stored: values of 0 or less leave `current`,
// values above 256 become 256.
int ClampNumColors(int current, int requested);

// A colour as 0x00BBGGRR.
using RGB = std::uint32_t;

struct Band {
  int x0, x1;  // [x0, x1)
  RGB color;
  bool operator==(const Band&) const = default;
};
// `n` bands across [left, left + width): band i from left + width*i/n to
// left + width*(i+1)/n (rounded to the nearest), coloured from `from` to `to`
// channel by channel: from + (to - from)*i/(n - 1); one band has `from`.
std::vector<Band> GradientBands(int left, int width, int n, RGB from, RGB to);

// The rounding multiply-divide of the platform (a*b/c to the nearest,
// halves away from zero); c must not be 0.
int MulDiv(int a, int b, int c);

// The frame's border kinds.
enum class Border { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };

// The system metrics the geometry needs.
struct Metrics {
  int cxFrame = 4, cyFrame = 4;        // sizing frame
  int cxDlgFrame = 3, cyDlgFrame = 3;  // dialog frame
  int cxBorder = 1, cyBorder = 1;
  int cyCaption = 19, cySmCaption = 16;
  int cxSize = 18, cxSmSize = 16;
};

struct FrameInfo {
  int width = 0, height = 0;  // the window rectangle's size
  Border border = Border::Sizeable;
  bool minimized = false;
  bool newLook = true;  // the look with caption buttons of their own and the small icon
  bool systemMenu = true, minimizeBox = true, maximizeBox = true, helpBox = false;
};

struct Buttons {
  bool close = false, maximize = false, minimize = false, help = false;
  bool operator==(const Buttons&) const = default;
};

struct CaptionGeometry {
  bool painted = false;  // false for a frame without border
  Rect bar;              // window coordinates
  Rect text;             // the bar less the buttons (at least 2 pixels wide)
  Buttons buttons;
  // Where each button is drawn (empty when absent).
  Rect close, maximize, minimize, help;
};

CaptionGeometry Geometry(const FrameInfo& frame, const Metrics& m);

enum TJustification { jAuto, jLeft, jCenter, jRight };

// A text as measured for the caption.
struct PartWidth {
  int text = 0;  // width of its text in its font
  bool visible = true;
  bool empty = false;
};

// Where a drawn text goes: [x, right) with an ellipsis when cut.
struct DrawnPart {
  int index;  // 0 company, 1 application name, 2 caption
  int x, right;
  bool operator==(const DrawnPart&) const = default;
};

// How many parts fit a text area `areaWidth` wide, each counted as its text
// width + 3: 3 (all), 2 (the application name and the caption) or 1 (the
// caption alone).
int FittingParts(const PartWidth parts[3], int areaWidth);

// The texts to draw in `area` and where, justified as asked; the caption
// part is drawn whenever visible, the others when visible and not empty.
std::vector<DrawnPart> LayoutTexts(const PartWidth parts[3], int areaLeft, int areaRight, TJustification j,
                                   bool newLook);

}  // namespace core::caption
