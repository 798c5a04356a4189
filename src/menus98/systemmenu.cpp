// The forms' Office-style system menu: built from the platform's system
// menu each time it opens, and the form's non-client mouse that opens it.
#include <windows.h>
#include <windowsx.h>

#include "menus98/module.h"
#include "menus98/popup.h"
#include "menus98/popupform.h"
#include "toolkit/errors.h"

namespace {

constexpr UINT_PTR kOpenTimerId = 0x5398;

struct NamedCommand {
  UINT id;
  const char* name;
};
constexpr NamedCommand kNamed[] = {{SC_RESTORE, "SYSTEMRESTORE"},   {SC_MOVE, "SYSTEMMOVE"},
                                   {SC_SIZE, "SYSTEMSIZE"},         {SC_MINIMIZE, "SYSTEMMINIMIZE"},
                                   {SC_MAXIMIZE, "SYSTEMMAXIMIZE"}, {SC_CLOSE, "SYSTEMCLOSE"}};

const char* NameOf(UINT id) {
  for (const NamedCommand& n : kNamed)
    if (n.id == id) return n.name;
  return nullptr;
}

tk::Form* RequireForm(tk::Component* owner) {
  auto* form = dynamic_cast<tk::Form*>(owner);
  if (!form) throw tk::InvalidOperation("A system menu must be owned by a form");
  return form;
}

}  // namespace

TSystemMenu98::TSystemMenu98(tk::Component* owner, std::string name)
    : TPopupMenu98(owner, std::move(name)), form_(RequireForm(owner)) {
  form_->SetMessageHook(
      [this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) { return FormMessage(msg, wParam, lParam, result); });
}

TSystemMenu98::~TSystemMenu98() {
  // The form goes after its components: its messages no longer come here.
  form_->SetMessageHook({});
  StopOpenTimer();
}

bool TSystemMenu98::ShowingThis() const { return menus98::OpenMenu() == this && menus98::IsMenuOpen(); }

void TSystemMenu98::StopOpenTimer() {
  if (timerPending_ && form_->HandleAllocated()) ::KillTimer(form_->Handle(), kOpenTimerId);
  timerPending_ = false;
}

void TSystemMenu98::RequestSystemMenu98(int x, int y, bool delayed, bool fromIcon) {
  if (menus98::IsMenuOpen() || !form_->HandleAllocated()) return;
  fromIcon_ = fromIcon;
  if (fromIcon) {
    POINT origin{0, 0};
    ::ClientToScreen(form_->Handle(), &origin);
    popupX_ = origin.x;
    popupY_ = ::IsIconic(form_->Handle()) ? origin.y + 20 : origin.y - 1;
  } else {
    popupX_ = x;
    popupY_ = y;
  }
  StopOpenTimer();
  if (delayed) {
    timerPending_ = ::SetTimer(form_->Handle(), kOpenTimerId, 300, nullptr) != 0;
  } else {
    ShowSystemMenu98();
  }
}

void TSystemMenu98::ShowSystemMenu98() {
  StopOpenTimer();
  if (!form_->HandleAllocated()) return;
  HMENU system = ::GetSystemMenu(form_->Handle(), FALSE);
  if (!system) return;
  BuildItems(system);
  Opener = fromIcon_ ? form_ : nullptr;
  if (OnShow) OnShow(this);
  if (AllowAdjust) OpenAnimation = fromIcon_ ? anSmart : anPopup;
  Popup(popupX_, popupY_);
}

namespace {

void AddItems(HWND wnd, HMENU menu, tk::MenuItem* parent, bool& haveDefault) {
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text - 1;
    if (!::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    auto item = std::make_unique<tk::MenuItem>();
    item->Tag = static_cast<int>(info.wID);
    const UINT id = info.wID;
    bool enabled = true;
    if (::IsZoomed(wnd)) enabled = id != SC_SIZE && id != SC_MOVE && id != SC_MAXIMIZE;
    else if (!::IsIconic(wnd)) enabled = id != SC_RESTORE;
    item->SetEnabled(enabled);
    if ((info.fState & MFS_DEFAULT) || (id == SC_CLOSE && !haveDefault)) {
      if (!haveDefault) item->SetDefault(true);
      haveDefault = true;
    }
    const int tag = item->Tag;
    item->OnClick = [wnd, tag](tk::MenuItem*) { ::PostMessageA(wnd, WM_SYSCOMMAND, static_cast<WPARAM>(tag), 0); };
    if (info.fType & MFT_SEPARATOR) {
      item->SetCaption("-");
    } else {
      const std::string full = text;
      const std::string after = core::menus98::TabText(full);
      const tk::ShortCut shortCut = core::menus98::TextToShortCut(after);
      item->SetCaption(shortCut || after.empty() ? core::menus98::CaptionText(full) : full);
      item->SetShortCut(shortCut);
    }
    if (const char* name = NameOf(id)) item->SetName(name);
    tk::MenuItem* added = parent->Add(std::move(item));
    if (info.hSubMenu) AddItems(wnd, info.hSubMenu, added, haveDefault);
  }
}

}  // namespace

void menus98::detail::AddSystemItems(HWND wnd, HMENU menu, tk::MenuItem* root) {
  bool haveDefault = false;
  AddItems(wnd, menu, root, haveDefault);
}

void TSystemMenu98::BuildItems(HMENU systemMenu) {
  tk::MenuItem* root = Items();
  while (root->Count() > 0) root->Remove(root->Items(root->Count() - 1));
  RootItem = nullptr;
  menus98::detail::AddSystemItems(form_->Handle(), systemMenu, root);
}

bool TSystemMenu98::FormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND wnd = form_->Handle();
  const int hit = static_cast<int>(wParam);
  const bool onIconOrCaption = hit == HTSYSMENU || hit == HTCAPTION;
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  result = 0;
  menus98::detail::ModuleState& state = menus98::detail::State();
  switch (msg) {
    case WM_NCLBUTTONDOWN:
      if (state.skipNextPress) {
        state.skipNextPress = false;
        return true;
      }
      if (!Enabled) return false;
      if (ShowingThis()) menus98::CloseAllMenus(false);
      if (hit == HTSYSMENU) {
        RequestSystemMenu98(x, y, true, true);
        return true;
      }
      if (hit == HTCAPTION) {
        state.skipNextPress = true;
        ::PostMessageA(wnd, WM_NCLBUTTONDOWN, HTSYSMENU, 0);
        ::PostMessageA(wnd, WM_NCLBUTTONUP, HTCAPTION, lParam);
      }
      return false;
    case WM_NCLBUTTONDBLCLK:
      StopOpenTimer();
      menus98::CloseAllMenus(false);
      return false;
    case WM_NCLBUTTONUP: {
      if (!Enabled) return false;
      MSG waiting;
      if (!::PeekMessageA(&waiting, wnd, WM_NCMOUSEMOVE, WM_NCMOUSEMOVE, PM_NOREMOVE)) return true;
      if (hit == HTCAPTION && ::IsIconic(wnd)) RequestSystemMenu98(x, y, false, false);
      return onIconOrCaption;
    }
    case WM_NCRBUTTONDOWN:
      return onIconOrCaption && Enabled;
    case WM_NCRBUTTONUP:
      if (!onIconOrCaption || !Enabled) return false;
      RequestSystemMenu98(x, y, false, false);
      return true;
    case WM_TIMER:
      if (wParam != kOpenTimerId) return false;
      ShowSystemMenu98();
      return true;
    case WM_DESTROY:
      StopOpenTimer();
      if (menus98::OpenMenu() == this) menus98::CloseAllMenus(false);
      DestroyWindows();
      return false;
    default: return false;
  }
}
