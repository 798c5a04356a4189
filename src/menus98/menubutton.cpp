#include "menus98/menubutton.h"

#include <cstdint>
#include <vector>

#include "core/menus98/menubar.h"
#include "toolkit/graphics.h"
#include "toolkit/handles.h"
#include "menus98/mainmenu.h"
#include "menus98/popup.h"
#include "toolkit/application.h"

namespace {

// The last pointer move over a bar button that counted (screen
// coordinates), apart from the menus' own.
POINT g_lastMove{-1000, -1000};

}  // namespace

TToolbarButton98::TToolbarButton98(tk::Component* owner, std::string name)
    : TToolbarButton97(owner, std::move(name)) {
  SetDropdownArrow(false);
  SetAllowAllUp(true);
}

TToolbarButton98::~TToolbarButton98() {
  alive_.reset();
  FreeDropdown();
}

void TToolbarButton98::FreeDropdown() {
  if (systemTimer_ && hwnd_) ::KillTimer(hwnd_, kSystemMenuTimer98);
  systemTimer_ = false;
  if (!dropdown_) return;
  if (menus98::OpenMenu() == dropdown_.get()) menus98::CloseAllMenus(false);
  dropdown_->OpenerButton = nullptr;
  dropdown_.reset();
}

TPopupMenu98* TToolbarButton98::Dropdown() {
  if (!dropdown_) {
    // Owned here, named after the button; its owners lead to the bar's form.
    dropdown_ = std::make_unique<TPopupMenu98>(this, Name() + "Dropdown");
    dropdown_->OpenerButton = this;
  }
  return dropdown_.get();
}

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
  core::FontSpec face = Font.Props();
  face.style = bold_ ? (face.style | core::fsBold) : (face.style & ~core::fsBold);
  Font.Assign(face);
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

bool TToolbarButton98::IsVertical() const {
  if (Orientation == orVertical) return true;
  if (Orientation == orHorizontal) return false;
  return core::menus98::IsVerticalButton(Width, Height);
}

void TToolbarButton98::PaintFace(HDC dc, int width, int height) {
  RECT all{0, 0, width, height};
  tk::OwnedBrush fill(::CreateSolidBrush(tk::ColorToRGB(Color, core::ColorUse::Background)));
  ::FillRect(dc, &all, fill.get());
  int glyphRight = 0;
  if (!Glyph.Empty()) {
    int x = system_ ? 2 : 6;
    Glyph.Draw(dc, x, height / 2 - 7, IsEnabled());
    glyphRight = x + Glyph.Height();
  }
  if (system_ || Caption().empty()) return;
  HGDIOBJ oldFont = ::SelectObject(dc, Font.Handle());
  ::SetBkMode(dc, TRANSPARENT);
  RECT text{glyphRight, 0, width, height};
  UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (IsEnabled()) {
    ::SetTextColor(dc, tk::ColorToRGB(Font.Color(), core::ColorUse::Text));
    ::DrawTextA(dc, Caption().c_str(), -1, &text, format);
  } else {
    // Embossed: the highlight one pixel down and right, the shadow on top.
    RECT lower = text;
    ::OffsetRect(&lower, 1, 1);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    ::DrawTextA(dc, Caption().c_str(), -1, &lower, format);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
    ::DrawTextA(dc, Caption().c_str(), -1, &text, format);
  }
  ::SelectObject(dc, oldFont);
}

void TToolbarButton98::PaintButton(HDC dc, const RECT& client) {
  int w = client.right, h = client.bottom;
  if (w <= 0 || h <= 0) return;
  COLORREF faceColor = tk::ColorToRGB(Color, core::ColorUse::Background);
  bool vertical = IsVertical();
  int fw = vertical ? h : w, fh = vertical ? w : h;
  HDC mem = ::CreateCompatibleDC(dc);
  tk::OwnedBitmap face(::CreateCompatibleBitmap(dc, fw, fh));
  HGDIOBJ old = ::SelectObject(mem, face.get());
  PaintFace(mem, fw, fh);
  if (vertical) {
    std::vector<std::uint32_t> px(static_cast<size_t>(fw) * static_cast<size_t>(fh));
    for (int y = 0; y < fh; ++y)
      for (int x = 0; x < fw; ++x) px[static_cast<size_t>(y) * static_cast<size_t>(fw) + static_cast<size_t>(x)] = ::GetPixel(mem, x, y);
    std::vector<std::uint32_t> turned = core::menus98::RotateFace(px, fw, fh, faceColor);
    ::SelectObject(mem, old);
    face.reset(::CreateCompatibleBitmap(dc, w, h));
    old = ::SelectObject(mem, face.get());
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        ::SetPixel(mem, x, y, turned[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)]);
  }
  tk::OwnedBrush fill(::CreateSolidBrush(faceColor));
  ::FillRect(dc, &client, fill.get());
  TButtonState97 state = State();
  bool pressed = state == bsDown || state == bsExclusive || Down();
  int at = pressed ? 1 : 0;
  ::BitBlt(dc, at, at, w, h, mem, 0, 0, SRCCOPY);
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
  RECT edge = client;
  if (pressed)
    ::DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
  else if (state == bsHot || (bar_ && bar_->HotButton() == this))
    ::DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
}

LRESULT TToolbarButton98::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd_, &ps);
    RECT r{};
    ::GetClientRect(hwnd_, &r);
    tk::Guarded([&] { PaintButton(dc, r); });
    ::EndPaint(hwnd_, &ps);
    return 0;
  }
  // While the bar is driven by keyboard the pointer leaving changes nothing.
  if (msg == WM_MOUSELEAVE && bar_ && bar_->KeyboardMode()) return 0;
  switch (msg) {
    case WM_DESTROY:
      // The menu goes with the window (its form is closing), not later with
      // the object: no menu window or hook outlives the form's windows.
      FreeDropdown();
      break;
    case WM_LBUTTONDBLCLK:
      if (!system_ || !bar_) break;
      // A double click on the icon closes the document; its menu never shows.
      if (systemTimer_) ::KillTimer(hwnd_, kSystemMenuTimer98);
      systemTimer_ = false;
      menus98::CloseAllMenus(false);
      if (tk::MDIFrameForm* frame = bar_->Frame())
        if (tk::MDIChildForm* child = frame->ActiveMDIChild())
          ::PostMessageA(child->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_TIMER:
      if (wParam != kSystemMenuTimer98) break;
      ::KillTimer(hwnd_, kSystemMenuTimer98);
      systemTimer_ = false;
      if (bar_) bar_->OpenSystemMenuNow(this, false);  // may free this button: nothing after it
      return 0;
    case WM_MENU98_OPEN:
      if (bar_) bar_->OpenDropdownNow(this, wParam != 0);  // as above
      return 0;
    case WM_MOUSEMOVE: {
      POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ::ClientToScreen(hwnd_, &p);
      if (!core::menus98::MovedEnough(g_lastMove.x, g_lastMove.y, p.x, p.y)) return 0;
      g_lastMove = p;
      // With a drop-down of the bar open, the pointer takes it along.
      TPopupMenu98* open = menus98::OpenMenu();
      if (bar_ && !Down() && HasDropdown() && IsEnabled() && open && open != dropdown_.get() && open->OpenerButton &&
          open->OpenerButton->Bar() == bar_ && menus98::IsMenuOpen()) {
        bar_->ButtonClicked(this, false);
        return 0;
      }
      if (bar_) {
        bar_->lastUsed_ = this;
        tk::StatusBar* status = bar_->StatusBar;
        if (status && status->HandleAllocated() && bar_->StatusBarIndex < status->PanelCount())
          status->SetPanelText(bar_->StatusBarIndex, core::menus98::StatusHint(Hint));
      }
      break;
    }
    default: break;
  }
  return TToolbarButton97::HandleMessage(msg, wParam, lParam);
}
