// Colours, fonts and glyph bitmaps.
#pragma once

#include <windows.h>

#include "core/colortext.h"
#include "core/fonttext.h"
#include "toolkit/handles.h"

namespace tk {

// A colour value (explicit, system or none) as a COLORREF for drawing it
// as `use`; the one conversion of the program and its dialog library.
inline COLORREF ColorToRGB(core::Color color, core::ColorUse use) {
  core::Color c = core::PaintColor(color, use);
  if (core::IsSystemColor(c)) return ::GetSysColor(static_cast<int>(c & 0xFF));
  return static_cast<COLORREF>(c) & 0x00FFFFFF;
}

// The header of a 32-bit top-down device-independent bitmap: pixels as
// 0x00RRGGBB words, rows from the top.
inline BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

// A font described by its properties; the platform font is made on demand.
class Font {
 public:
  Font() = default;
  explicit Font(core::FontSpec props) : props_(std::move(props)) {}
  Font(const Font& other) : props_(other.props_) {}
  Font& operator=(const Font& other) {
    Assign(other.props_);
    return *this;
  }

  const core::FontSpec& Props() const { return props_; }
  void Assign(const core::FontSpec& props);
  core::Color Color() const { return props_.color; }

  // The platform font for the screen (sizes in points map to pixels at the
  // display's resolution).
  HFONT Handle();
  // The LOGFONT for this font at a resolution in dots per inch.
  LOGFONTA LogFont(int dpi) const;

 private:
  core::FontSpec props_;
  OwnedFont handle_;
};

// A glyph image: a bitmap whose magenta pixels (RGB 255,0,255) are
// transparent, with a greyed copy for the disabled look.
class Glyph {
 public:
  bool Load(HINSTANCE instance, const char* resourceName);
  bool Empty() const { return !bitmap_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  HBITMAP Bitmap() const { return bitmap_.get(); }
  // Draws image `index` (images side by side, each Height() wide when the
  // bitmap is wider than high) at x, y.
  void Draw(HDC dc, int x, int y, bool enabled, int index = 0) const;
  int ImageCount() const { return height_ > 0 && width_ > height_ ? width_ / height_ : 1; }

 private:
  // The images with transparent pixels black, and the mask: white where
  // transparent, black where drawn.
  OwnedBitmap bitmap_, image_, disabled_, mask_;
  int width_ = 0, height_ = 0;
};

}  // namespace tk
