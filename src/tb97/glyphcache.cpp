#include "tb97/glyphcache.h"

#include <algorithm>

#include "toolkit/graphics.h"
#include "toolkit/handles.h"

namespace {

// A 24-bit colour bitmap of the image (transparent pixels black, as the
// list's masked drawing needs) and its monochrome mask (white =
// transparent).
bool MakeBitmaps(const core::tb97::MaskedImage& m, tk::OwnedBitmap& color, tk::OwnedBitmap& mask) {
  const int w = m.image.width, h = m.image.height;
  if (w <= 0 || h <= 0) return false;
  BITMAPINFO bi = tk::TopDown32(w, h);
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  color.reset(::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  ::ReleaseDC(nullptr, screen);
  if (!color || !bits) return false;
  auto* px = static_cast<DWORD*>(bits);
  // Monochrome rows are padded to 16 bits.
  const int stride = ((w + 15) / 16) * 2;
  std::vector<BYTE> maskBits(static_cast<size_t>(stride) * h, 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool clear = m.Transparent(x, y);
      const std::uint32_t c = m.image.At(x, y);  // 0x00BBGGRR
      const DWORD rgb = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
      px[static_cast<size_t>(y) * w + x] = clear ? 0 : rgb;
      if (clear) maskBits[static_cast<size_t>(y) * stride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    }
  }
  mask.reset(::CreateBitmap(w, h, 1, 1, maskBits.data()));
  return static_cast<bool>(mask);
}

}  // namespace

TGlyphCache97& TGlyphCache97::Shared() {
  // Never freed: buttons may still release their images at the program's
  // very end.
  static TGlyphCache97* cache = new TGlyphCache97;
  return *cache;
}

TGlyphCache97::Entry* TGlyphCache97::Find(HIMAGELIST list) {
  for (Entry& e : lists_)
    if (e.list == list) return &e;
  return nullptr;
}

HIMAGELIST TGlyphCache97::Acquire(int w, int h) {
  if (w <= 0 || h <= 0) return nullptr;
  for (Entry& e : lists_) {
    if (e.w == w && e.h == h) {
      ++e.users;
      return e.list;
    }
  }
  HIMAGELIST list = ::ImageList_Create(w, h, ILC_COLOR24 | ILC_MASK, 4, 4);
  if (!list) return nullptr;
  lists_.push_back({w, h, list, 1, {}});
  return list;
}

void TGlyphCache97::Release(HIMAGELIST list) {
  auto it = std::find_if(lists_.begin(), lists_.end(), [&](const Entry& e) { return e.list == list; });
  if (it == lists_.end()) return;
  if (--it->users > 0) return;
  ::ImageList_Destroy(it->list);
  lists_.erase(it);
}

int TGlyphCache97::Users(HIMAGELIST list) const {
  for (const Entry& e : lists_)
    if (e.list == list) return e.users;
  return 0;
}

int TGlyphCache97::AddImage(HIMAGELIST list, const core::tb97::MaskedImage& image) {
  Entry* e = Find(list);
  if (!e || image.image.width != e->w || image.image.height != e->h) return -1;
  tk::OwnedBitmap color, mask;
  if (!MakeBitmaps(image, color, mask)) return -1;
  if (!e->freeSlots.empty()) {
    const int slot = e->freeSlots.back();
    if (::ImageList_Replace(list, slot, color.get(), mask.get())) {
      e->freeSlots.pop_back();
      return slot;
    }
  }
  return ::ImageList_Add(list, color.get(), mask.get());
}

void TGlyphCache97::RemoveImage(HIMAGELIST list, int index) {
  Entry* e = Find(list);
  if (e && index >= 0) e->freeSlots.push_back(index);
}
