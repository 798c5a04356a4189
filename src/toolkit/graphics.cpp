#include "toolkit/graphics.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace tk {

void Font::Assign(const core::FontSpec& props) {
  if (props == props_) return;
  props_ = props;
  handle_.reset();
}

LOGFONTA Font::LogFont(int dpi) const {
  LOGFONTA lf{};
  // Sizes in points; an absurd stored size is kept within what a font can be.
  int points = std::clamp(std::abs(props_.size), 1, 1638);
  lf.lfHeight = -::MulDiv(points, dpi, 72);
  lf.lfWeight = (props_.style & core::fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (props_.style & core::fsItalic) ? TRUE : FALSE;
  lf.lfUnderline = (props_.style & core::fsUnderline) ? TRUE : FALSE;
  lf.lfStrikeOut = (props_.style & core::fsStrikeOut) ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  switch (props_.pitch) {
    case core::FontPitch::Fixed: lf.lfPitchAndFamily = FIXED_PITCH; break;
    case core::FontPitch::Variable: lf.lfPitchAndFamily = VARIABLE_PITCH; break;
    default: lf.lfPitchAndFamily = DEFAULT_PITCH; break;
  }
  std::string name = props_.name.substr(0, LF_FACESIZE - 1);
  std::copy(name.begin(), name.end(), lf.lfFaceName);
  return lf;
}

HFONT Font::Handle() {
  if (!handle_) {
    HDC screen = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    LOGFONTA lf = LogFont(dpi > 0 ? dpi : 96);
    handle_.reset(::CreateFontIndirectA(&lf));
  }
  return handle_.get();
}

bool Glyph::Load(HINSTANCE instance, const char* resourceName) {
  HBITMAP loaded = static_cast<HBITMAP>(::LoadImageA(instance, resourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!loaded) return false;
  bitmap_.reset(loaded);
  BITMAP bm{};
  ::GetObjectA(loaded, sizeof bm, &bm);
  width_ = bm.bmWidth;
  height_ = bm.bmHeight;

  BITMAPINFO bi = TopDown32(width_, height_);
  const size_t count = static_cast<size_t>(width_) * static_cast<size_t>(height_);
  std::vector<DWORD> pixels(count);
  HDC screen = ::GetDC(nullptr);
  ::GetDIBits(screen, loaded, 0, static_cast<UINT>(height_), pixels.data(), &bi, DIB_RGB_COLORS);

  std::vector<DWORD> image(count), grey(count), mask(count);
  for (size_t i = 0; i < count; ++i) {
    DWORD p = pixels[i] & 0xFFFFFF;
    if (p == 0xFF00FF) {
      image[i] = grey[i] = 0;
      mask[i] = 0xFFFFFF;
      continue;
    }
    image[i] = p;
    mask[i] = 0;
    // The disabled look: a lighter shade of grey for every drawn pixel.
    int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    DWORD v = static_cast<DWORD>(128 + ((r * 30 + g * 59 + b * 11) / 100) / 2);
    grey[i] = (v << 16) | (v << 8) | v;
  }
  auto make = [&](const std::vector<DWORD>& data) {
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bmp && bits) std::copy(data.begin(), data.end(), static_cast<DWORD*>(bits));
    return bmp;
  };
  image_.reset(make(image));
  disabled_.reset(make(grey));
  mask_.reset(make(mask));
  ::ReleaseDC(nullptr, screen);
  return image_ && disabled_ && mask_;
}

void Glyph::Draw(HDC dc, int x, int y, bool enabled, int index) const {
  if (!image_ || !mask_) return;
  int w = ImageCount() > 1 ? height_ : width_;
  OwnedMemDC mem(::CreateCompatibleDC(dc));
  {
    Selection sel(mem.get(), mask_.get());
    ::BitBlt(dc, x, y, w, height_, mem.get(), index * w, 0, SRCAND);
  }
  Selection sel(mem.get(), enabled ? image_.get() : disabled_.get());
  ::BitBlt(dc, x, y, w, height_, mem.get(), index * w, 0, SRCPAINT);
}

}  // namespace tk
