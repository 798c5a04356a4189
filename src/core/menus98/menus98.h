// The Office-style menus' arithmetic and text rules: where a menu goes in the
// work area, how its open and close animations step, how its items are
// measured and hit, what its hints say, and which key picks which item.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/menus98/menubar.h"  // captions and their accelerators

namespace core::menus98 {

enum TAnimation : std::uint8_t { anNone, anVSlide, anHSlide, anUnfold, anSmart, anPopup, anRandom };

// Rounds to the nearest whole number, halves to the even neighbour.
int RoundHalfEven(double value);

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// The screen less the task bar, wherever the bar sits (an empty bar, or one
// that fills no whole side, takes nothing).
Rect WorkArea(const Rect& screen, const Rect& taskBar);

// ---------------------------------------------------------------------------
// Placement

struct PlaceRequest {
  int left = 0, top = 0;        // the point the menu opens at
  int width = 0, height = 0;    // the menu's full size
  bool subMenu = false;
  TAnimation opening = anNone;  // the window's open animation (unresolved)
  int parentLeft = 0;           // a sub-menu's parent window's left edge
  bool fromIcon = false;        // a top-level menu opened from a form's system icon
  int formTop = 0;              // that form's top
  Rect work;
};
struct Placement {
  int left = 0, top = 0;  // an upward menu's top is its bottom edge: it grows up from there
  bool upward = false, leftward = false;
};
Placement Place(const PlaceRequest& request);

// ---------------------------------------------------------------------------
// Animation

enum class Shape : std::uint8_t { None, Vertical, Horizontal, Unfold };

// The shape an animation takes for a window; `randomVertical` decides
// anRandom. Opening and closing resolve alike.
Shape Resolve(TAnimation animation, bool subMenu, bool randomVertical);

struct Steps {
  int step = 0;        // pixels of the item-height rule
  int frames = 1;
  int vertical = 0;    // pixels per frame
  int horizontal = 0;
};
Steps AnimationSteps(Shape shape, int width, int height, int itemHeight, bool doubleSpeed);

struct Size {
  int width = 0, height = 0;
  bool operator==(const Size&) const = default;
};
// The sizes the opening loop shows, frame by frame, before the final full
// size: width and height start at 0 where they animate and grow by their
// steps; the loop ends as soon as an animated one reaches its full size.
std::vector<Size> OpenFrames(Shape shape, int width, int height, const Steps& steps);
// The sizes of a closing level, down to the one where an animated
// dimension reaches 0 (included, as 0).
std::vector<Size> CloseFrames(Shape shape, int width, int height, const Steps& steps);
// Whether "MenuPopup" plays after frame `frame` (counted from 1) of the loop,
// or (frame 0) at the end for a loop of `loopFrames` frames.
bool SoundAfterFrame(int frame, int loopFrames);

// Paces animation frames to `timeout` milliseconds; a frame that overran
// leaves a debt that the next frames pay by skipping their waits.
class FramePacer {
 public:
  explicit FramePacer(int timeout) : timeout_(timeout) {}
  // How long to wait after a frame that took `elapsed` milliseconds.
  int WaitAfter(int elapsed);
  int Debt() const { return debt_; }

 private:
  int timeout_;
  int debt_ = 0;
};

// ---------------------------------------------------------------------------
// Items

enum class ItemKind : std::uint8_t { Ordinary, Separator, Blank };
ItemKind KindOf(const std::string& caption);
int ItemHeightOf(ItemKind kind, int itemHeight, int separatorHeight);

// The caption text (before a tab) and the text after the tab.
std::string CaptionText(const std::string& caption);
std::string TabText(const std::string& caption);

int MenuWidth(int captionWidth, int shortcutWidth, int indent);
int MenuHeight(const std::vector<int>& heights);
// The item under y (heights added from 0, the top margin not counted): the
// first whose running sum reaches y; -1 for y <= 0 or past all items.
int HitTest(const std::vector<int>& heights, int y);
// The top of item `index` from the first item's top.
int ItemTop(const std::vector<int>& heights, int index);
// Whether the pointer moved far enough from the last move that counted.
bool MovedEnough(int lastX, int lastY, int x, int y);

// The next selectable index from `from` travelling by `direction` (+1 or
// -1), skipping separators and wrapping at both ends; -1 when none.
int StepSelection(const std::vector<ItemKind>& kinds, int from, int direction);

// The first item whose caption has `key` as its accelerator; -1 for none.
int FindAccelerator(const std::vector<std::string>& captions, char key);

// The resource name of an item's glyph: the letters of `text`, upper-cased.
std::string GlyphResourceName(const std::string& text);

// Whether a glyph pixel counts as dark when the glyph is drawn embossed.
bool EmbossDark(int red, int green, int blue);
// The text colour role of an item.
enum class TextRole : std::uint8_t { MenuText, HighlightText, Shadow };
TextRole TextRoleOf(bool enabled, bool selected);
// A disabled item is drawn embossed unless the keyboard selected it.
bool DrawEmbossed(bool enabled, bool selected, bool keyboardSelection);
// The item's background is the highlight.
bool Highlighted(bool selected, ItemKind kind, bool enabled, bool keyboardSelection);

// ---------------------------------------------------------------------------
// Hints

// The status-bar form of a hint: trimmed, each "&#" and the three
// characters after it replaced by one space.
std::string StatusHint(const std::string& hint);
// The lines of a tooltip hint: split at "&#13;" or a carriage return.
std::vector<std::string> HintLines(const std::string& hint);
// Where a hint of this size goes, 25 pixels below the pointer.
struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};
Point HintPosition(int pointerX, int pointerY, int width, int height, const Rect& work);

// ---------------------------------------------------------------------------
// Shortcut texts of the platform's menus ("Alt+F4", "Ctrl+W")

// Modifier bits as the toolkit's shortcuts have them.
inline constexpr std::uint16_t kShift = 0x2000, kCtrl = 0x4000, kAlt = 0x8000;
// A virtual-key code with modifier bits, 0 when the text names no key.
std::uint16_t TextToShortCut(const std::string& text);

}  // namespace core::menus98
