#include "core/menus98/menubar.h"

#include <cctype>

namespace core::menus98 {

ResourceName ParseResourceName(std::string_view text) {
  ResourceName r;
  if (text.empty() || text[0] != '#') {
    r.name = std::string(text);
    return r;
  }
  std::string_view digits = text.substr(1);
  unsigned long value = 0;
  bool ok = !digits.empty() && digits.size() <= 5;
  for (char ch : digits) {
    if (!std::isdigit(static_cast<unsigned char>(ch))) {
      ok = false;
      break;
    }
    value = value * 10 + static_cast<unsigned long>(ch - '0');
  }
  // Resource numbers are 16 bits and never 0.
  if (!ok || value == 0 || value > 0xFFFF) {
    r.valid = false;
    return r;
  }
  r.numeric = true;
  r.id = static_cast<unsigned>(value);
  return r;
}

std::string InvalidResourceText(std::string_view text) {
  return "'" + std::string(text) + "' is not a valid resource name";
}

std::string StripAccelerator(std::string_view caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

char AcceleratorOf(std::string_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
  }
  return '\0';
}

std::vector<MergedEntry> MergeByGroup(const std::vector<MenuEntry>& frame, const std::vector<MenuEntry>& child) {
  std::vector<MergedEntry> out;
  for (int group = 0; group <= 255; ++group) {
    bool fromChild = false;
    for (size_t i = 0; i < child.size(); ++i)
      if (child[i].visible && child[i].groupIndex == group) {
        out.push_back({MenuSource::Child, static_cast<int>(i)});
        fromChild = true;
      }
    if (fromChild) continue;
    for (size_t i = 0; i < frame.size(); ++i)
      if (frame[i].visible && frame[i].groupIndex == group) out.push_back({MenuSource::Frame, static_cast<int>(i)});
  }
  return out;
}

ButtonSize BarButtonSize(int textWidth, int textHeight, int glyphWidth, bool system, bool sideDock) {
  ButtonSize s = system ? ButtonSize{20, 19} : ButtonSize{textWidth + glyphWidth + 16, textHeight + 6};
  if (sideDock) std::swap(s.width, s.height);
  return s;
}

int SpacerWidth(int dockWidth, const std::vector<int>& otherWidths) {
  int w = dockWidth;
  for (int o : otherWidths) w -= o + 2;
  return w + 6;
}

int NextVisible(const std::vector<bool>& visible, int current, int step) {
  int n = static_cast<int>(visible.size());
  if (n == 0) return -1;
  int i = current < 0 ? (step > 0 ? -1 : n) : current;
  for (int k = 0; k < n; ++k) {
    i = ((i + step) % n + n) % n;
    if (visible[static_cast<size_t>(i)]) return i;
  }
  return -1;
}

int FindAccelerator(const std::vector<std::string>& captions, const std::vector<bool>& visible, char key) {
  char want = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
  if (want == '\0') return -1;
  for (size_t i = 0; i < captions.size(); ++i)
    if ((i >= visible.size() || visible[i]) && AcceleratorOf(captions[i]) == want) return static_cast<int>(i);
  return -1;
}

std::vector<std::uint32_t> RotateFace(const std::vector<std::uint32_t>& pixels, int w, int h, std::uint32_t face) {
  std::vector<std::uint32_t> out(pixels.size(), face);
  if (w <= 0 || h <= 0 || pixels.size() != static_cast<size_t>(w) * static_cast<size_t>(h)) return out;
  // The result is h wide and w high.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
      if (p == face) continue;
      int nx = h - 1 - y, ny = x;
      out[static_cast<size_t>(ny) * static_cast<size_t>(h) + static_cast<size_t>(nx)] = p;
    }
  return out;
}

}  // namespace core::menus98
