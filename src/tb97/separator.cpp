#include "tb97/separator.h"

#include <algorithm>

#include "tb97/toolbar.h"
#include "toolkit/errors.h"

TToolbarSep97::TToolbarSep97(tk::Component* owner, std::string name) : Component(owner, std::move(name)) {}

TToolbarSep97::~TToolbarSep97() {
  if (toolbar_) toolbar_->RemoveSeparator(this);
}

void TToolbarSep97::SetBlank(bool blank) {
  if (blank_ == blank) return;
  blank_ = blank;
  if (toolbar_ && toolbar_->HandleAllocated()) ::InvalidateRect(toolbar_->Handle(), &Bounds, FALSE);
}

void TToolbarSep97::SetSizeHorz(int size) {
  sizeHorz_ = std::max(1, size);
  if (toolbar_) toolbar_->UpdateSize();
}

void TToolbarSep97::SetSizeVert(int size) {
  sizeVert_ = std::max(1, size);
  if (toolbar_) toolbar_->UpdateSize();
}

void TToolbarSep97::SetParent(tk::Window* parent) {
  auto* bar = dynamic_cast<TCustomToolbar97*>(parent);
  if (!bar) throw tk::InvalidOperation("TToolbarSep97 can only be placed on a TToolbar97");
  if (toolbar_) toolbar_->RemoveSeparator(this);
  toolbar_ = bar;
  bar->InsertSeparator(this);
}
