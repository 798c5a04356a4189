#include "menus98/mainmenu.h"

#include <algorithm>

#include "core/menus98/menubar.h"
#include "menus98/itembitmaps.h"
#include "menus98/menuitem.h"
#include "menus98/module.h"
#include "menus98/popupform.h"
#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/seam.h"

namespace {

constexpr UINT_PTR kWatchTimer = 0x9801;
constexpr UINT kWatchMs = 100;

std::vector<core::menus98::MenuEntry> Entries(tk::MainMenu* menu) {
  std::vector<core::menus98::MenuEntry> out;
  if (!menu) return out;
  for (int i = 0; i < menu->Items()->Count(); ++i)
    out.push_back({menu->Items()->Items(i)->GroupIndex(), menu->Items()->Items(i)->Visible()});
  return out;
}

void CALLBACK WatchProc(HWND, UINT, UINT_PTR id, DWORD) {
  for (TMainMenu98* bar : menus98::MenuBars())
    if (reinterpret_cast<UINT_PTR>(bar) == id) {
      tk::Guarded([bar] { bar->WatchTick(); });
      return;
    }
}

}  // namespace

TMainMenu98::TMainMenu98(tk::Component* owner, std::string name) : TToolbar97(owner, std::move(name)) {
  SetCaption("Menu Bar");
  SetFullSize(true);
  menus98::AddMenuBar(this);
  // Alt, F10 and the keys of keyboard mode, for the bar's form and its
  // documents, before the platform's own menu handling sees them.
  filter_ = tk::Application.AddMessageFilter([this](MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || menuButtons_.empty()) return false;
    tk::Form* form = OwnerForm();
    if (!form || !form->HandleAllocated()) return false;
    HWND top = ::GetAncestor(msg.hwnd, GA_ROOT);
    if (top != form->Handle()) return false;
    bool used = false;
    tk::Guarded([&] {
      if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
        used = KeyDown(static_cast<UINT>(msg.wParam), (msg.lParam & (1 << 29)) != 0);
      else if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP)
        used = KeyUp(static_cast<UINT>(msg.wParam));
    });
    return used;
  });
}

TMainMenu98::~TMainMenu98() {
  // A drop-down of this bar closes before the buttons go.
  if (TPopupMenu98* open = menus98::OpenMenu(); open && open->OpenerButton && open->OpenerButton->Bar() == this)
    menus98::CloseAllMenus(false);
  menus98::RemoveMenuBar(this);
  tk::Application.RemoveMessageFilter(filter_);
  if (timer_) ::KillTimer(nullptr, timer_);
}

tk::MDIFrameForm* TMainMenu98::Frame() const { return dynamic_cast<tk::MDIFrameForm*>(OwnerForm()); }

tk::Form* TMainMenu98::OwnerFormOfBar() const { return OwnerForm(); }

void TMainMenu98::SetMainMenu(tk::MainMenu* menu) {
  if (!menu) throw tk::InvalidOperation("Value cannot be empty");
  mainMenu_ = menu;
  BeginUpdate();
  EndUpdate();
  // The bar takes the place of the form's own menu.
  if (tk::Form* form = OwnerFormOfBar(); form && form->HandleAllocated()) ::SetMenu(form->Handle(), nullptr);
  if (Frame() && !timer_) timer_ = ::SetTimer(nullptr, reinterpret_cast<UINT_PTR>(this), kWatchMs, &WatchProc);
}

void TMainMenu98::BeginUpdate() {
  if (updating_) return;
  updating_ = true;
}

void TMainMenu98::EndUpdate() {
  if (!updating_) return;
  menus98::CloseAllMenus(false);
  RebuildButtons();
  RebuildMdiButtons();
  UpdateSize();
  updating_ = false;
  if (tk::Form* form = OwnerFormOfBar(); form && form->HandleAllocated() && ::GetMenu(form->Handle()))
    ::SetMenu(form->Handle(), nullptr);
}

TToolbarButton98* TMainMenu98::MakeButton(tk::MenuItem* item) {
  auto* b = Create<TToolbarButton98>(Name() + "Button" + std::to_string(menuButtons_.size() + 1));
  b->bar_ = this;
  b->ParentFont = false;
  b->SetItem(item);
  b->OnClick = [this, b] { ButtonClicked(b); };
  return b;
}

void TMainMenu98::RebuildButtons() {
  hot_ = lastUsed_ = nullptr;
  for (TToolbarButton98* b : menuButtons_) {
    RemoveButton(b);
    Release(b);  // destroys the button and its window
  }
  menuButtons_.clear();
  if (!mainMenu_) return;
  tk::MDIFrameForm* frame = Frame();
  tk::MDIChildForm* child = frame ? frame->ActiveMDIChild() : nullptr;
  tk::MainMenu* childMenu = child ? child->Menu() : nullptr;
  for (const core::menus98::MergedEntry& e : core::menus98::MergeByGroup(Entries(mainMenu_), Entries(childMenu))) {
    tk::MainMenu* from = e.source == core::menus98::MenuSource::Child ? childMenu : mainMenu_;
    TToolbarButton98* b = MakeButton(from->Items()->Items(e.index));
    menuButtons_.push_back(b);
  }
  merged_ = childMenu;
  bool side = DockedTo() && (DockedTo()->Position() == dpLeft || DockedTo()->Position() == dpRight);
  for (TToolbarButton98* b : menuButtons_) {
    b->Measure(side);
    AddButton(b);
  }
}

void TMainMenu98::FreeMdiButtons() {
  if (systemButton_) {
    RemoveButton(systemButton_);
    Release(systemButton_);
    systemButton_ = nullptr;
  }
  for (TToolbarButton97* b : windowButtons_) {
    RemoveButton(b);
    Release(b);
  }
  windowButtons_.clear();
}

void TMainMenu98::RebuildMdiButtons() {
  FreeMdiButtons();
  tk::MDIFrameForm* frame = Frame();
  tk::MDIChildForm* child = frame ? frame->ActiveMDIChild() : nullptr;
  watchedChild_ = child ? child->Handle() : nullptr;
  watchedZoomed_ = child && ::IsZoomed(child->Handle());
  if (!watchedZoomed_) return;
  HWND childWnd = child->Handle();
  // The icon button: the child's icon, else the frame's, else the program's.
  auto* sys = Create<TToolbarButton98>(Name() + "SystemButton");
  sys->bar_ = this;
  sys->system_ = true;
  sys->SetDisplayMode(dmGlyphOnly);
  sys->Tag = SC_CLOSE;
  HICON icon = reinterpret_cast<HICON>(::SendMessageA(childWnd, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(::SendMessageA(frame->Handle(), WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = tk::Application.Icon();
  if (!icon) icon = ::LoadIconA(nullptr, IDI_APPLICATION);
  {
    HDC screen = ::GetDC(nullptr);
    tk::OwnedBitmap face(::CreateCompatibleBitmap(screen, 17, 17));
    HDC dc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, face.get());
    RECT r{0, 0, 17, 17};
    ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    ::DrawIconEx(dc, 0, 0, icon, ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0, nullptr,
                 DI_NORMAL);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    sys->SetGlyphBitmap(face.get());
  }
  sys->Width = 20;
  sys->Height = 19;
  sys->OnClick = [this, sys] { ButtonClicked(sys); };
  systemButton_ = sys;

  // The window buttons, pushed to the right end by a spacer.
  LONG style = ::GetWindowLongA(childWnd, GWL_STYLE);
  auto windowButton = [&](const char* hint, const char* glyph, UINT command, bool enabled) {
    auto* b = Create<TToolbarButton97>(Name() + "Window" + std::to_string(windowButtons_.size()));
    b->Hint = hint;
    b->Width = 16;
    b->Height = 14;
    b->SetDropdownArrow(false);
    if (glyph) b->Glyph.Load(tk::Application.Instance(), glyph);
    b->SetEnabledState(enabled);
    b->OnClick = [this, command] {
      if (tk::MDIFrameForm* f = Frame())
        if (tk::MDIChildForm* c = f->ActiveMDIChild()) ::PostMessageA(c->Handle(), WM_SYSCOMMAND, command, 0);
    };
    windowButtons_.push_back(b);
    return b;
  };
  TToolbarButton97* spacer = windowButton("", nullptr, 0, false);
  if (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
    windowButton("Minimize window", "MINIMIZE_SMALL", SC_MINIMIZE, (style & WS_MINIMIZEBOX) != 0);
    windowButton("Restore window", "RESTORE_SMALL", SC_RESTORE, (style & WS_MAXIMIZEBOX) != 0);
    TToolbarButton97* gap = windowButton("", nullptr, 0, false);
    gap->Width = 2;
  }
  windowButton("Close window", "CLOSE_SMALL", SC_CLOSE, true);

  // The icon button first: the menu buttons move behind it.
  for (TToolbarButton98* b : menuButtons_) RemoveButton(b);
  AddButton(sys);
  for (TToolbarButton98* b : menuButtons_) AddButton(b);
  bool topOrBottom = !DockedTo() || DockedTo()->Position() == dpTop || DockedTo()->Position() == dpBottom;
  if (topOrBottom && DockedTo() && DockedTo()->HandleAllocated()) {
    RECT dock{};
    ::GetClientRect(DockedTo()->Handle(), &dock);
    std::vector<int> widths{sys->Width};
    for (TToolbarButton98* b : menuButtons_) widths.push_back(b->Width);
    for (TToolbarButton97* b : windowButtons_)
      if (b != spacer) widths.push_back(b->Width);
    spacer->Width = std::max(1, core::menus98::SpacerWidth(dock.right - dock.left, widths));
    spacer->Height = 0;
  } else {
    spacer->Width = spacer->Height = 1;
  }
  for (TToolbarButton97* b : windowButtons_) AddButton(b);
}

void TMainMenu98::WatchTick() {
  tk::MDIFrameForm* frame = Frame();
  if (!frame || updating_) return;
  tk::MDIChildForm* child = frame->ActiveMDIChild();
  HWND wnd = child ? child->Handle() : nullptr;
  bool zoomed = wnd && ::IsZoomed(wnd);
  tk::MainMenu* menu = child ? child->Menu() : nullptr;
  if (wnd == watchedChild_ && zoomed == watchedZoomed_ && menu == merged_) return;
  BeginUpdate();
  EndUpdate();
  menus98::ReapplyBitmaps(nullptr);
}

void TMainMenu98::MenuRebuilt(tk::MenuItem* parent) {
  if (updating_ || !mainMenu_) return;
  // Only a change among the bar's own top-level items concerns the bar.
  if (parent != mainMenu_->Items() && !(merged_ && parent == merged_->Items())) return;
  bool same = true;
  std::vector<core::menus98::MergedEntry> want = core::menus98::MergeByGroup(Entries(mainMenu_), Entries(merged_));
  same = want.size() == menuButtons_.size();
  if (same) {
    for (TToolbarButton98* b : menuButtons_) {
      b->TakeItem();
      b->Measure(false);
      if (b->HandleAllocated()) ::InvalidateRect(b->Handle(), nullptr, TRUE);
    }
    UpdateSize();
    return;
  }
  BeginUpdate();
  EndUpdate();
}

void TMainMenu98::SetHot(TToolbarButton98* button) {
  TToolbarButton98* old = hot_;
  hot_ = button;
  for (TToolbarButton98* b : {old, button})
    if (b && b->HandleAllocated()) ::InvalidateRect(b->Handle(), nullptr, TRUE);
}

void TMainMenu98::Configure(TPopupMenu98* menu) const {
  menu->OpenAnimation = OpenAnimation;
  menu->CloseAnimation = CloseAnimation;
  menu->Alignment = Alignment;
  menu->Timeout = Timeout;
  menu->DoubleSpeed = DoubleSpeed;
  menu->SetShowHint(ShowHint);
  menu->ItemHeight = ItemHeight;
  menu->SeparatorHeight = SeparatorHeight;
  menu->Indent = Indent;
  menu->StatusBar = StatusBar;
  menu->StatusBarIndex = StatusBarIndex;
  menu->OnPopup = OnPopup;
  menu->OnMenuCommand = OnMenuCommand;
  menu->OnMenuClose = OnMenuClose;
}

POINT TMainMenu98::DropPoint(TToolbarButton98* button) const {
  RECT r{};
  if (button->HandleAllocated()) ::GetWindowRect(button->Handle(), &r);
  bool side = DockedTo() && (DockedTo()->Position() == dpLeft || DockedTo()->Position() == dpRight);
  if (!DockedTo() && hwnd_) {
    // A floating bar laid out as a column opens to the right, too.
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    POINT origin{0, 0};
    ::ClientToScreen(hwnd_, &origin);
    LONG bottom = r.bottom - origin.y, left = r.left - origin.x;
    side = client.bottom > bottom + 25 && client.right < left + 2 * (r.right - r.left);
  }
  return side ? POINT{r.right, r.top} : POINT{r.left, r.bottom};
}

void TMainMenu98::ButtonClicked(TToolbarButton98* button, bool keyboard) {
  keyboardMode_ = false;
  // A click on the button whose menu shows closes it.
  if (button->dropdown_ && menus98::OpenMenu() == button->dropdown_.get() && menus98::IsMenuOpen()) {
    menus98::CloseAllMenus(true);
    button->SetDown(false);
    return;
  }
  menus98::CloseAllMenus(true);
  SetHot(nullptr);
  lastUsed_ = button;
  button->dropPoint_ = DropPoint(button);
  if (button->IsSystemButton()) {
    // The icon's menu waits for a possible double click, unless asked by key.
    if (keyboard || !button->HandleAllocated()) {
      OpenSystemMenuNow(button, keyboard);
    } else {
      ::SetTimer(button->Handle(), kSystemMenuTimer98, kSystemMenuDelay98, nullptr);
      button->systemTimer_ = true;
    }
    return;
  }
  tk::MenuItem* item = button->Item();
  if (!item) return;
  const std::weak_ptr<bool> alive = button->alive_;
  item->Click();  // it may make its sub-items anew, or rebuild the bar
  if (alive.expired()) return;
  if (item->Count() == 0) {
    menus98::detail::ShowCaretAgain();
    menus98::detail::PlaySoundEvent("MenuCommand");
    return;
  }
  button->SetDown(true);
  if (OnOpenDropdown) {
    OnOpenDropdown(item, button->dropPoint_.x, button->dropPoint_.y);
    button->SetDown(false);
    return;
  }
  // The menu opens once this click is over, from the button's own message.
  if (button->HandleAllocated())
    ::PostMessageA(button->Handle(), WM_MENU98_OPEN, keyboard ? 1 : 0, 0);
  else
    OpenDropdownNow(button, keyboard);
}

void TMainMenu98::OpenDropdownNow(TToolbarButton98* button, bool keyboard) {
  tk::MenuItem* item = button->Item();
  if (!item || item->Count() == 0 || menus98::IsMenuOpen()) {
    if (menus98::OpenMenu() != button->dropdown_.get()) button->SetDown(false);
    return;
  }
  TPopupMenu98* menu = button->Dropdown();
  Configure(menu);
  menu->RootItem = item;
  button->SetDown(true);
  const std::weak_ptr<bool> alive = button->alive_;
  menu->Popup(button->dropPoint_.x, button->dropPoint_.y);
  if (alive.expired()) return;  // the bar went while the menu opened
  if (button->dropdown_.get() != menu || menus98::OpenMenu() != menu) {
    button->SetDown(false);
    return;
  }
  if (keyboard)
    if (TPopupMenu98Form* window = menu->MenuWindow()) window->SelectFirst();
}

void TMainMenu98::OpenSystemMenuNow(TToolbarButton98* button, bool keyboard) {
  tk::MDIFrameForm* frame = Frame();
  tk::MDIChildForm* child = frame ? frame->ActiveMDIChild() : nullptr;
  if (!child || !child->HandleAllocated() || menus98::IsMenuOpen()) return;
  HMENU system = ::GetSystemMenu(child->Handle(), FALSE);
  if (!system) return;
  TPopupMenu98* menu = button->Dropdown();
  tk::MenuItem* root = menu->Items();
  while (root->Count() > 0) root->Remove(root->Items(root->Count() - 1));
  menus98::detail::AddSystemItems(child->Handle(), system, root);
  Configure(menu);
  menu->RootItem = nullptr;
  const std::weak_ptr<bool> alive = button->alive_;
  menu->Popup(button->dropPoint_.x, button->dropPoint_.y);
  if (alive.expired()) return;  // the bar went while the menu opened
  if (keyboard && button->dropdown_.get() == menu && menus98::OpenMenu() == menu)
    if (TPopupMenu98Form* window = menu->MenuWindow()) window->SelectFirst();
}

void TMainMenu98::WalkDropdowns(TToolbarButton98* from, int step) {
  // The icon button of a maximized document comes first on the bar.
  std::vector<TToolbarButton98*> buttons;
  if (systemButton_) buttons.push_back(systemButton_);
  buttons.insert(buttons.end(), menuButtons_.begin(), menuButtons_.end());
  std::vector<bool> opens;
  int at = -1;
  for (size_t i = 0; i < buttons.size(); ++i) {
    TToolbarButton98* b = buttons[i];
    opens.push_back(b->IsEnabled() && b->HasDropdown() && (b->IsSystemButton() || b->Item()->Visible()));
    if (b == from) at = static_cast<int>(i);
  }
  if (at < 0) return;
  const int next = core::menus98::NextVisible(opens, at, step);
  if (next < 0 || next == at) return;
  // The posted open runs once the key that asked is handled.
  ButtonClicked(buttons[static_cast<size_t>(next)], true);
}

void TMainMenu98::DropdownEscaped(TToolbarButton98* button) {
  menus98::CloseAllMenus(true);
  button->SetDown(false);
  SetHot(button);
  lastUsed_ = button;
  keyboardMode_ = true;
  ::HideCaret(nullptr);
}

void TMainMenu98::LeaveDropdown() {
  menus98::CloseAllMenus(true);
  if (lastUsed_) lastUsed_->SetDown(false);
  SetHot(nullptr);
  keyboardMode_ = false;
  altUsed_ = true;  // its release makes no button hot
  if (tk::Form* f = OwnerForm(); f && f->HandleAllocated()) ::SetFocus(f->Handle());
  menus98::detail::ShowCaretAgain();
}

bool TMainMenu98::KeyDown(UINT vk, bool alt) {
  if (vk == VK_MENU || vk == VK_F10) {
    altUsed_ = false;
    if (hot_ || keyboardMode_) {
      // A second press leaves keyboard mode.
      SetHot(nullptr);
      keyboardMode_ = false;
      altUsed_ = true;
      if (tk::Form* f = OwnerForm()) ::SetFocus(f->Handle());
      ::ShowCaret(nullptr);
      return true;
    }
    return vk == VK_F10;
  }
  altUsed_ = true;  // Alt with another key: no keyboard mode on release
  std::vector<std::string> captions;
  std::vector<bool> visible;
  for (TToolbarButton98* b : menuButtons_) {
    captions.push_back(b->Caption());
    visible.push_back(b->Item() && b->Item()->Visible());
  }
  if (alt && (vk == VK_OEM_MINUS || vk == VK_SUBTRACT)) {
    // Alt with "-" opens the active document's system menu, as a press on
    // its icon does.
    tk::MDIFrameForm* frame = Frame();
    tk::MDIChildForm* child = frame ? frame->ActiveMDIChild() : nullptr;
    if (!child || !child->HandleAllocated()) return false;
    menus98::CloseAllMenus(true);
    ::PostMessageA(child->Handle(), WM_NCLBUTTONDOWN, HTSYSMENU, 0);
    return true;
  }
  if (alt && !hot_) {
    if (vk < 48 || vk > 90) return false;
    int i = core::menus98::FindAccelerator(captions, visible, static_cast<char>(vk));
    if (i < 0) return false;
    ButtonClicked(menuButtons_[static_cast<size_t>(i)], true);
    return true;
  }
  if (!hot_) return false;
  int at = static_cast<int>(std::find(menuButtons_.begin(), menuButtons_.end(), hot_) - menuButtons_.begin());
  switch (vk) {
    case VK_RETURN:
    case VK_SPACE:
    case VK_UP:
    case VK_DOWN:
      ButtonClicked(hot_, true);
      return true;
    case VK_ESCAPE:
      SetHot(nullptr);
      keyboardMode_ = false;
      ::ShowCaret(nullptr);
      return true;
    case VK_LEFT:
    case VK_RIGHT: {
      int next = core::menus98::NextVisible(visible, at, vk == VK_LEFT ? -1 : +1);
      if (next >= 0) SetHot(menuButtons_[static_cast<size_t>(next)]);
      return true;
    }
    default:
      if (vk >= 48 && vk <= 90) {
        int i = core::menus98::FindAccelerator(captions, visible, static_cast<char>(vk));
        if (i < 0)
          tk::Beep(static_cast<UINT>(-1));
        else
          ButtonClicked(menuButtons_[static_cast<size_t>(i)], true);
        return true;
      }
      return false;
  }
}

bool TMainMenu98::KeyUp(UINT vk) {
  if (vk != VK_MENU && vk != VK_F10) return false;
  if (altUsed_) {
    altUsed_ = false;
    return false;
  }
  TToolbarButton98* b = lastUsed_ ? lastUsed_ : (menuButtons_.empty() ? nullptr : menuButtons_.front());
  if (!b) return false;
  SetHot(b);
  keyboardMode_ = true;
  ::HideCaret(nullptr);
  return true;
}
