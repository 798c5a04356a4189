#include "menus98/popup.h"

#include "menus98/module.h"
#include "menus98/popupform.h"

TPopupMenu98::TPopupMenu98(tk::Component* owner, std::string name) : tk::PopupMenu(owner, std::move(name)) {
  window_ = std::make_unique<TPopupMenu98Form>(this, nullptr, nullptr);
}

TPopupMenu98::~TPopupMenu98() { DestroyWindows(); }

void TPopupMenu98::DestroyWindows() {
  if (menus98::OpenMenu() == this) menus98::CloseAllMenus(false);
  menus98::detail::FlushBuried();
  // A window still in its open animation is freed once that has stopped.
  if (window_ && window_->Animating()) menus98::detail::Bury(std::move(window_));
  window_.reset();
}

tk::Form* TPopupMenu98::OwnerForm() const {
  for (tk::Component* c = Owner(); c; c = c->Owner())
    if (auto* form = dynamic_cast<tk::Form*>(c)) return form;
  return nullptr;
}

void TPopupMenu98::Popup(int x, int y) {
  menus98::CloseAllMenus(false);
  menus98::detail::FlushBuried();
  if (!window_) return;
  menus98::detail::State().openMenu = this;
  if (OnPopup) OnPopup(this);
  if (menus98::ReapplyBitmaps() && Owner()) menus98::ReapplyBitmaps()(Owner());
  TPopupMenu98Form* window = window_.get();
  window->Prepare(RootItem);
  const std::weak_ptr<bool> alive = alive_;
  const bool opened = window->Open(x, y);
  if (alive.expired()) {
    // Freed while opening: its window was put aside and can go now.
    menus98::detail::FlushBuried();
    return;
  }
  if (!opened && window_.get() == window) window->Hide();
}
