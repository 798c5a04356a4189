// The image lists that hold the toolbar buttons' glyph images: one list per
// image size, shared by every button whose images have that size and kept
// while a button holds it. A button's images take slots of the list; a slot
// given back is reused, so the other buttons' images keep their places.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "core/tb97/glyphimages.h"

class TGlyphCache97 {
 public:
  // The one cache of the program.
  static TGlyphCache97& Shared();

  // The list for images of w x h, made on first demand; each Acquire needs
  // a Release.
  HIMAGELIST Acquire(int w, int h);
  void Release(HIMAGELIST list);

  // Puts an image (of the list's size) in a free slot of the list and
  // returns its index, -1 on failure.
  int AddImage(HIMAGELIST list, const core::tb97::MaskedImage& image);
  void RemoveImage(HIMAGELIST list, int index);

  // How many lists exist now, and how many users a list has (0: unknown).
  int ListCount() const { return static_cast<int>(lists_.size()); }
  int Users(HIMAGELIST list) const;

 private:
  struct Entry {
    int w = 0, h = 0;
    HIMAGELIST list = nullptr;
    int users = 0;
    std::vector<int> freeSlots;
  };
  Entry* Find(HIMAGELIST list);
  std::vector<Entry> lists_;
};
