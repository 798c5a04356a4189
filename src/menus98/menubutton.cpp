#include "menus98/menubutton.h"

#include "core/menus98/menubar.h"
#include "menus98/mainmenu.h"

TToolbarButton98::TToolbarButton98(tk::Component* owner, std::string name)
    : TToolbarButton97(owner, std::move(name)) {
  SetDropdownArrow(false);
  SetAllowAllUp(true);
}

TToolbarButton98::~TToolbarButton98() = default;

void TToolbarButton98::SetItem(tk::MenuItem* item) {
  item_ = item;
  TakeItem();
}

void TToolbarButton98::TakeItem() {
  if (!item_) return;
  SetCaption(item_->Caption());
  SetEnabledState(item_->Enabled());
  Hint = item_->Hint;
  bold_ = item_->Default();
  core::FontSpec spec = Font.Props();
  spec.style = bold_ ? (spec.style | core::fsBold)
                     : (spec.style & ~core::fsBold);
  Font.Assign(spec);
  if (item_->Count() > 0) SetGroupIndex(1);
}

void TToolbarButton98::Measure(bool sideDock) {
  if (!AutoSize) return;
  int textW = 0, textH = 0;
  std::string text = core::menus98::StripAccelerator(Caption());
  HDC dc = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, Font.Handle());
  SIZE size{};
  ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  TEXTMETRICA tm{};
  ::GetTextMetricsA(dc, &tm);
  ::SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  textW = text.empty() ? 0 : size.cx;
  textH = tm.tmHeight;
  core::menus98::ButtonSize s =
      core::menus98::BarButtonSize(textW, textH, Glyph.Empty() ? 0 : Glyph.Height(), system_, sideDock);
  Width = s.width;
  Height = s.height;
}

void TToolbarButton98::Press() {
  if (bar_) bar_->ButtonClicked(this);
}

LRESULT TToolbarButton98::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  // While the bar is driven by keyboard the pointer leaving changes nothing.
  if (msg == WM_MOUSELEAVE && bar_ && bar_->KeyboardMode()) return 0;
  if (msg == WM_LBUTTONDBLCLK && system_ && bar_) {
    if (tk::MDIFrameForm* frame = bar_->Frame())
      if (tk::MDIChildForm* child = frame->ActiveMDIChild())
        ::PostMessageA(child->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  }
  return TToolbarButton97::HandleMessage(msg, wParam, lParam);
}
