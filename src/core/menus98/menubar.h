// The arithmetic of a menu bar made of toolbar buttons and of bitmaps on
// menu items: resource names, captions and their accelerators, which menus
// the bar shows after a document's menus merged into the frame's, the size
// of a bar button, the spacer before the window buttons and the keyboard
// walk along the bar.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace core::menus98 {

// A bitmap resource named by text: a name, or "#" and a decimal number.
struct ResourceName {
  bool valid = true;     // false: "#" followed by something not a number
  bool numeric = false;  // "#123"
  unsigned id = 0;       // the number of a numeric name
  std::string name;      // the name otherwise (empty for no resource)
};
ResourceName ParseResourceName(std::string_view text);
// The error text for a name that names no resource.
std::string InvalidResourceText(std::string_view text);

// A caption as shown: "&" marks dropped, "&&" shown as one "&".
std::string StripAccelerator(std::string_view caption);
// The accelerator of a caption, upper-cased ('\0' when it has none).
char AcceleratorOf(std::string_view caption);

// One top-level menu as the merge sees it.
struct MenuEntry {
  int groupIndex = 0;
  bool visible = true;
};
enum class MenuSource { Frame, Child };
struct MergedEntry {
  MenuSource source;
  int index;  // into the frame's or the child's entries
  bool operator==(const MergedEntry&) const = default;
};
// The bar's menus for group indexes 0 to 255 in order: in each group the
// child's visible menus, or the frame's when the child has none there.
std::vector<MergedEntry> MergeByGroup(const std::vector<MenuEntry>& frame, const std::vector<MenuEntry>& child);

// A bar button's size from its measured caption and glyph; `system` for the
// child's icon button; `sideDock` swaps width and height.
struct ButtonSize {
  int width = 0, height = 0;
  bool operator==(const ButtonSize&) const = default;
};
ButtonSize BarButtonSize(int textWidth, int textHeight, int glyphWidth, bool system, bool sideDock);

// The spacer that pushes the window buttons to the right end of a top or
// bottom dock: the dock's width less each other control's width + 2, + 6.
int SpacerWidth(int dockWidth, const std::vector<int>& otherWidths);

// The next visible button from `current` in direction `step` (+1, -1),
// wrapping at the ends; -1 when none is visible.
int NextVisible(const std::vector<bool>& visible, int current, int step);
// The first visible button whose caption has accelerator `key`, or -1.
int FindAccelerator(const std::vector<std::string>& captions, const std::vector<bool>& visible, char key);

// A bar button's face turned a quarter turn clockwise for a vertical bar:
// pixel (x, y) of the w x h face goes to (h - 1 - y, x) of the h x w
// result. Pixels of the button's colour `face` are not copied; the result
// starts in that colour.
std::vector<std::uint32_t> RotateFace(const std::vector<std::uint32_t>& pixels, int w, int h, std::uint32_t face);
// Whether a button of this size in an automatic orientation is vertical.
inline bool IsVerticalButton(int width, int height) { return width < height; }

// The shortcut value of a key with its modifiers.
inline constexpr unsigned kShortCutShift = 0x2000, kShortCutCtrl = 0x4000, kShortCutAlt = 0x8000;
inline unsigned ShortCutOf(unsigned key, bool shift, bool ctrl, bool alt) {
  return (key & 0xFF) | (shift ? kShortCutShift : 0) | (ctrl ? kShortCutCtrl : 0) | (alt ? kShortCutAlt : 0);
}

}  // namespace core::menus98
