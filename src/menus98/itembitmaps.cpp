#include "menus98/itembitmaps.h"

#include "core/menus98/menubar.h"
#include "menus98/menuitem.h"
#include "toolkit/application.h"
#include "toolkit/seam.h"

namespace {

HBITMAP CopyBitmap(HBITMAP bitmap) {
  if (!bitmap) return nullptr;
  return static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0));
}

}  // namespace

TMenuItemBitmaps::TMenuItemBitmaps(tk::Component* owner, std::string name) : Component(owner, std::move(name)) {
  menus98::AddBitmaps(this);
}

TMenuItemBitmaps::~TMenuItemBitmaps() {
  menus98::RemoveBitmaps(this);
  // The menu must not keep handles of bitmaps that go with this component.
  if (HMENU menu = ParentMenu()) ::SetMenuItemBitmaps(menu, item_->Command(), MF_BYCOMMAND, nullptr, nullptr);
}

void TMenuItemBitmaps::SetBitmap(HBITMAP bitmap, tk::OwnedBitmap& into, tk::OwnedBitmap& other,
                                 std::string& resource) {
  into.reset(CopyBitmap(bitmap));
  resource.clear();
  if (single_) other.reset(CopyBitmap(into.get()));
  Apply();
}

void TMenuItemBitmaps::SetCheckedBitmap(HBITMAP bitmap) { SetBitmap(bitmap, checked_, unchecked_, checkedResource_); }

void TMenuItemBitmaps::SetUncheckedBitmap(HBITMAP bitmap) {
  SetBitmap(bitmap, unchecked_, checked_, uncheckedResource_);
}

void TMenuItemBitmaps::SetMenuItem(tk::MenuItem* item) {
  item_ = item;
  Apply();
}

void TMenuItemBitmaps::SetSingleBitmap(bool single) {
  single_ = single;
  if (!single_) return;
  if (!checked_.get())
    checked_.reset(CopyBitmap(unchecked_.get()));
  else
    unchecked_.reset(CopyBitmap(checked_.get()));
  Apply();
}

void TMenuItemBitmaps::LoadResource(const std::string& name, tk::OwnedBitmap& into, std::string& storedName) {
  storedName = name;
  into.reset();
  core::menus98::ResourceName parsed = core::menus98::ParseResourceName(name);
  HINSTANCE inst = ResourceInstance ? ResourceInstance : tk::Application.Instance();
  HBITMAP loaded = nullptr;
  if (parsed.valid && parsed.numeric)
    loaded = ::LoadBitmapA(inst, MAKEINTRESOURCEA(parsed.id));
  else if (parsed.valid && !parsed.name.empty())
    loaded = ::LoadBitmapA(inst, parsed.name.c_str());
  // A name that is no number after "#", or names no bitmap of the program,
  // is told to the developer; the bitmap stays empty.
  if (!parsed.valid || (!name.empty() && !loaded)) {
    tk::ShowMessageBox(nullptr, core::menus98::InvalidResourceText(name), "Error", MB_OK | MB_ICONERROR);
    storedName.clear();
  }
  into.reset(loaded);
}

void TMenuItemBitmaps::SetCheckedBmpResource(const std::string& name) {
  LoadResource(name, checked_, checkedResource_);
  Apply();
}

void TMenuItemBitmaps::SetUncheckedBmpResource(const std::string& name) {
  LoadResource(name, unchecked_, uncheckedResource_);
  Apply();
}

void TMenuItemBitmaps::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  if (!enabled_) {
    if (HMENU menu = ParentMenu()) ::SetMenuItemBitmaps(menu, item_->Command(), MF_BYCOMMAND, nullptr, nullptr);
    return;
  }
  Apply();
}

HMENU TMenuItemBitmaps::ParentMenu() const {
  if (!item_) return nullptr;
  tk::MenuItem* parent = item_->Parent();
  // The top-level items sit in a form's bar, which the form fills.
  if (!parent || !parent->Parent()) return nullptr;
  return parent->PopupHandle();
}

void TMenuItemBitmaps::Apply() {
  if (!enabled_ || Destroying()) return;
  HMENU menu = ParentMenu();
  if (!menu) return;
  ::SetMenuItemBitmaps(menu, item_->Command(), MF_BYCOMMAND, unchecked_.get(), checked_.get());
}

tk::OwnedBitmap MenuImageOfGlyph(const tk::Glyph& glyph) {
  if (glyph.Empty()) return {};
  int side = glyph.Height();
  HDC screen = ::GetDC(nullptr);
  tk::OwnedBitmap out(::CreateCompatibleBitmap(screen, side, side));
  HDC dc = ::CreateCompatibleDC(screen);
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ old = ::SelectObject(dc, out.get());
  RECT r{0, 0, side, side};
  ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_MENU));
  glyph.Draw(dc, 0, 0, true);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  return out;
}
