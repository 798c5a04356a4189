#include "core/menus98/menus98.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace core::menus98 {

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

Rect WorkArea(const Rect& screen, const Rect& bar) {
  Rect work = screen;
  if (bar.Width() <= 0 || bar.Height() <= 0) return work;
  const bool fullWidth = bar.left <= screen.left && bar.right >= screen.right;
  const bool fullHeight = bar.top <= screen.top && bar.bottom >= screen.bottom;
  if (fullWidth && bar.top <= screen.top && bar.bottom < screen.bottom) {
    work.top = bar.bottom;
  } else if (fullWidth && bar.bottom >= screen.bottom && bar.top > screen.top) {
    work.bottom = bar.top;
  } else if (fullHeight && bar.left <= screen.left && bar.right < screen.right) {
    work.left = bar.right;
  } else if (fullHeight && bar.right >= screen.right && bar.left > screen.left) {
    work.right = bar.left;
  }
  return work;
}

Placement Place(const PlaceRequest& r) {
  Placement p{r.left, r.top, false, false};
  if (p.left + r.width > r.work.right) {
    if (r.subMenu && r.opening == anVSlide) {
      p.left = r.parentLeft - r.width + 6;
    } else if (r.subMenu) {
      p.left = r.parentLeft + 6;
      p.leftward = true;
    } else {
      p.left = r.work.right - r.width;
    }
  }
  if (p.left <= 0) p.left = 1;
  if (p.top + r.height >= r.work.bottom && p.top >= r.height && r.opening != anHSlide) {
    p.upward = true;
    if (!r.subMenu && r.fromIcon) p.top = r.formTop + 3;
  } else if (p.top + r.height > r.work.bottom) {
    p.top = r.work.bottom - r.height;
  }
  if (p.top <= 0) p.top = 1;
  return p;
}

Shape Resolve(TAnimation animation, bool subMenu, bool randomVertical) {
  switch (animation) {
    case anNone: return Shape::None;
    case anVSlide: return Shape::Vertical;
    case anHSlide: return Shape::Horizontal;
    case anUnfold: return Shape::Unfold;
    case anSmart: return subMenu ? Shape::Horizontal : Shape::Vertical;
    case anPopup: return subMenu ? Shape::Horizontal : Shape::Unfold;
    case anRandom: return randomVertical ? Shape::Vertical : Shape::Horizontal;
  }
  return Shape::None;
}

namespace {
bool AnimatesHeight(Shape s) { return s == Shape::Vertical || s == Shape::Unfold; }
bool AnimatesWidth(Shape s) { return s == Shape::Horizontal || s == Shape::Unfold; }
}  // namespace

Steps AnimationSteps(Shape shape, int width, int height, int itemHeight, bool doubleSpeed) {
  Steps s;
  s.step = std::max(1, RoundHalfEven(itemHeight * (doubleSpeed ? 1.2 : 0.6)));
  const int vFrames = AnimatesHeight(shape) ? height / s.step + 1 : 1;
  const int hFrames = AnimatesWidth(shape) ? width / s.step + 1 : 1;
  s.frames = std::max(vFrames, hFrames);
  s.vertical = RoundHalfEven((height / s.frames) * 1.5);
  s.horizontal = RoundHalfEven((width / s.frames) * 1.5) + 1;
  return s;
}

std::vector<Size> OpenFrames(Shape shape, int width, int height, const Steps& steps) {
  std::vector<Size> frames;
  const bool w = AnimatesWidth(shape), h = AnimatesHeight(shape);
  // A step of 0 would never arrive; the other dimension may still end the loop.
  if ((!w || steps.horizontal <= 0) && (!h || steps.vertical <= 0)) return frames;
  Size size{w ? 0 : width, h ? 0 : height};
  while (size.width < width || size.height < height) {
    if (w) size.width += steps.horizontal;
    if (h) size.height += steps.vertical;
    if ((w && size.width >= width) || (h && size.height >= height)) break;
    frames.push_back(size);
  }
  return frames;
}

std::vector<Size> CloseFrames(Shape shape, int width, int height, const Steps& steps) {
  std::vector<Size> frames;
  const bool w = AnimatesWidth(shape), h = AnimatesHeight(shape);
  if ((!w || steps.horizontal <= 0) && (!h || steps.vertical <= 0)) return frames;
  Size size{width, height};
  while ((w && size.width > 0) || (h && size.height > 0)) {
    if (w) size.width = std::max(0, size.width - steps.horizontal);
    if (h) size.height = std::max(0, size.height - steps.vertical);
    frames.push_back(size);
    if ((w && size.width == 0) || (h && size.height == 0)) break;
  }
  return frames;
}

bool SoundAfterFrame(int frame, int loopFrames) {
  if (frame == 0) return loopFrames < 3;
  return frame == 3;
}

int FramePacer::WaitAfter(int elapsed) {
  if (elapsed > timeout_) {
    debt_ += elapsed - timeout_;
    return 0;
  }
  const int slack = timeout_ - elapsed;
  if (debt_ > 0) {
    debt_ = std::max(0, debt_ - slack);
    return 0;
  }
  return slack;
}

ItemKind KindOf(const std::string& caption) {
  if (caption == "-") return ItemKind::Separator;
  if (caption.rfind("::", 0) == 0) return ItemKind::Blank;
  return ItemKind::Ordinary;
}

int ItemHeightOf(ItemKind kind, int itemHeight, int separatorHeight) {
  return kind == ItemKind::Separator ? separatorHeight : itemHeight;
}

std::string CaptionText(const std::string& caption) { return caption.substr(0, caption.find('\t')); }

std::string TabText(const std::string& caption) {
  const size_t tab = caption.find('\t');
  return tab == std::string::npos ? std::string() : caption.substr(tab + 1);
}

int MenuWidth(int captionWidth, int shortcutWidth, int indent) {
  return captionWidth + shortcutWidth + 2 * indent + 10;
}

int MenuHeight(const std::vector<int>& heights) {
  int sum = 6;
  for (int h : heights) sum += h;
  return sum;
}

int HitTest(const std::vector<int>& heights, int y) {
  if (y <= 0) return -1;
  int sum = 0;
  for (size_t i = 0; i < heights.size(); ++i) {
    sum += heights[i];
    if (sum >= y) return static_cast<int>(i);
  }
  return -1;
}

int ItemTop(const std::vector<int>& heights, int index) {
  int sum = 0;
  for (int i = 0; i < index && i < static_cast<int>(heights.size()); ++i) sum += heights[static_cast<size_t>(i)];
  return sum;
}

bool MovedEnough(int lastX, int lastY, int x, int y) { return std::abs(x - lastX) > 2 || std::abs(y - lastY) > 2; }

int StepSelection(const std::vector<ItemKind>& kinds, int from, int direction) {
  const int n = static_cast<int>(kinds.size());
  if (n == 0) return -1;
  int i = from;
  for (int tries = 0; tries < n; ++tries) {
    i += direction;
    if (i < 0) i = n - 1;
    if (i >= n) i = 0;
    if (kinds[static_cast<size_t>(i)] != ItemKind::Separator) return i;
  }
  return -1;
}

int FindAccelerator(const std::vector<std::string>& captions, char key) {
  const char k = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
  if (!k) return -1;
  for (size_t i = 0; i < captions.size(); ++i)
    if (AcceleratorOf(captions[i]) == k) return static_cast<int>(i);
  return -1;
}

std::string GlyphResourceName(const std::string& text) {
  std::string name;
  for (unsigned char c : text)
    if (std::isalpha(c)) name += static_cast<char>(std::toupper(c));
  return name;
}

bool EmbossDark(int red, int green, int blue) { return red < 133 && green <= 128 && blue <= 132; }

TextRole TextRoleOf(bool enabled, bool selected) {
  if (!enabled) return TextRole::Shadow;
  return selected ? TextRole::HighlightText : TextRole::MenuText;
}

bool DrawEmbossed(bool enabled, bool selected, bool keyboardSelection) {
  return !enabled && !(selected && keyboardSelection);
}

bool Highlighted(bool selected, ItemKind kind, bool enabled, bool keyboardSelection) {
  return selected && kind == ItemKind::Ordinary && (enabled || keyboardSelection);
}

namespace {
std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}
}  // namespace

std::string StatusHint(const std::string& hint) {
  const std::string t = Trim(hint);
  std::string out;
  for (size_t i = 0; i < t.size();) {
    if (t.compare(i, 2, "&#") == 0) {
      out += ' ';
      i += 5;
    } else {
      out += t[i++];
    }
  }
  return out;
}

std::vector<std::string> HintLines(const std::string& hint) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < hint.size();) {
    if (hint.compare(i, 5, "&#13;") == 0) {
      lines.push_back(line);
      line.clear();
      i += 5;
    } else if (hint[i] == '\r') {
      lines.push_back(line);
      line.clear();
      i += (i + 1 < hint.size() && hint[i + 1] == '\n') ? 2 : 1;
    } else {
      line += hint[i++];
    }
  }
  lines.push_back(line);
  return lines;
}

Point HintPosition(int pointerX, int pointerY, int width, int height, const Rect& work) {
  Point p{pointerX, pointerY + 25};
  if (p.x + width > work.right) p.x = pointerX - width - 10;
  if (p.y + height > work.bottom) p.y = p.y - height - 35;
  p.x = std::max(p.x, work.left + 1);
  p.y = std::max(p.y, work.top + 1);
  return p;
}

std::uint16_t TextToShortCut(const std::string& text) {
  std::uint16_t mods = 0;
  std::string rest = text;
  auto eat = [&rest](const char* prefix) {
    const size_t n = std::char_traits<char>::length(prefix);
    if (rest.size() > n) {
      bool same = true;
      for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(rest[i])) != prefix[i]) same = false;
      if (same) {
        rest.erase(0, n);
        return true;
      }
    }
    return false;
  };
  for (bool more = true; more;) {
    more = false;
    if (eat("shift+")) mods |= kShift, more = true;
    if (eat("ctrl+")) mods |= kCtrl, more = true;
    if (eat("alt+")) mods |= kAlt, more = true;
  }
  std::string key;
  for (unsigned char c : rest) key += static_cast<char>(std::toupper(c));
  if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0]))) return mods | static_cast<std::uint8_t>(key[0]);
  if (key.size() >= 2 && key.size() <= 3 && key[0] == 'F') {
    int n = 0;
    for (size_t i = 1; i < key.size(); ++i) {
      if (!std::isdigit(static_cast<unsigned char>(key[i]))) return 0;
      n = n * 10 + (key[i] - '0');
    }
    if (n >= 1 && n <= 24) return mods | static_cast<std::uint16_t>(0x70 + n - 1);
    return 0;
  }
  struct Named {
    const char* name;
    std::uint16_t vk;
  };
  static const Named named[] = {{"BKSP", 0x08}, {"TAB", 0x09}, {"ENTER", 0x0D}, {"ESC", 0x1B},
                                {"SPACE", 0x20}, {"PGUP", 0x21}, {"PGDN", 0x22}, {"END", 0x23},
                                {"HOME", 0x24}, {"LEFT", 0x25}, {"UP", 0x26},   {"RIGHT", 0x27},
                                {"DOWN", 0x28}, {"INS", 0x2D},  {"DEL", 0x2E}};
  for (const Named& n : named)
    if (key == n.name) return mods | n.vk;
  return 0;
}

}  // namespace core::menus98
