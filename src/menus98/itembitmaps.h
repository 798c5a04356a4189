// TMenuItemBitmaps: puts a bitmap into a menu item's check-mark area, one
// for the checked and one for the unchecked state (or one for both), from a
// bitmap of the caller's or a bitmap resource named by text ("NAME" or
// "#number"). The bitmaps come back after every change of the item.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/component.h"
#include "toolkit/graphics.h"
#include "toolkit/handles.h"
#include "toolkit/menu.h"

class TMenuItemBitmaps : public tk::Component {
 public:
  TMenuItemBitmaps(tk::Component* owner, std::string name);
  ~TMenuItemBitmaps() override;

  // The bitmaps are copies; setting one clears its resource name.
  HBITMAP CheckedBitmap() const { return checked_.get(); }
  void SetCheckedBitmap(HBITMAP bitmap);
  HBITMAP UncheckedBitmap() const { return unchecked_.get(); }
  void SetUncheckedBitmap(HBITMAP bitmap);
  tk::MenuItem* MenuItem() const { return item_; }
  void SetMenuItem(tk::MenuItem* item);
  bool SingleBitmap() const { return single_; }
  void SetSingleBitmap(bool single);
  const std::string& CheckedBmpResource() const { return checkedResource_; }
  void SetCheckedBmpResource(const std::string& name);
  const std::string& UncheckedBmpResource() const { return uncheckedResource_; }
  void SetUncheckedBmpResource(const std::string& name);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // Where resources are loaded from (the program's module unless set).
  HINSTANCE ResourceInstance = nullptr;

  // Puts the bitmaps into the item's entry of its parent's platform menu.
  void Apply();

 private:
  void LoadResource(const std::string& name, tk::OwnedBitmap& into, std::string& storedName);
  void SetBitmap(HBITMAP bitmap, tk::OwnedBitmap& into, tk::OwnedBitmap& other, std::string& resource);
  HMENU ParentMenu() const;

  tk::OwnedBitmap checked_, unchecked_;
  tk::MenuItem* item_ = nullptr;
  bool single_ = false;
  std::string checkedResource_, uncheckedResource_;
  bool enabled_ = true;
};

// A menu image of a toolbar glyph: its first image with the transparent
// pixels in the menu's colour.
tk::OwnedBitmap MenuImageOfGlyph(const tk::Glyph& glyph);
