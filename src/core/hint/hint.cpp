#include "core/hint/hint.h"

#include <algorithm>

namespace core::hint {

Margins HintMargins(THintStyle style) {
  switch (style) {
    case hsFlat: return {6, 4};
    case hsOffice97: return {6, 6};
    case hsWindows95: return {8, 4};
  }
  return {8, 4};
}

int CursorHeightBelowHotSpot(const Mask& mask, int hotSpotY) {
  const int cols = std::min(mask.width, 32);
  if (cols <= 0 || mask.height <= 0 ||
      mask.pixels.size() < static_cast<size_t>(mask.width) * static_cast<size_t>(mask.height))
    return 32;
  for (int y = std::min(mask.height - 1, 31); y >= 0; --y)
    for (int x = 0; x < cols; ++x)
      if (!mask.White(x, y)) return y - hotSpotY;
  // Only a mask with an XOR image below the AND image has rows from 32 on.
  for (int y = std::min(mask.height - 1, 63); y >= 32; --y)
    for (int x = 0; x < cols; ++x)
      if (mask.White(x, y)) return y - hotSpotY - 32;
  return 32;
}

Point PlaceHint(const Placement& p) {
  int left = p.mouseX;
  int top = p.mouseY + p.cursorHeight;
  if (left + p.width > p.screenWidth) left = p.screenWidth - p.width;
  if (top + p.height > p.screenHeight) {
    if (p.style == hsOffice97 || p.owner != HintOwner::Control)
      top = p.mouseY - 2 - p.height;
    else
      top = p.ownerTop - p.height;
  }
  return {std::max(left, 0), std::max(top, 0)};
}

std::string HintFace(const std::string& statusFace, THintStyle style, bool tahomaInstalled) {
  if (style == hsOffice97 && statusFace == "MS Sans Serif" && tahomaInstalled) return "Tahoma";
  return statusFace;
}

}  // namespace core::hint
