#include "menus98/popupform.h"

#include <algorithm>
#include <cstdlib>

#include "helpview.h"
#include "menus98/mainmenu.h"
#include "menus98/module.h"
#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/seam.h"

namespace m = core::menus98;
using menus98::detail::State;

namespace {

constexpr UINT_PTR kTimerId = 1;

int Sys(int index) { return static_cast<int>(::GetSysColor(index)); }

void FillRect(HDC dc, int l, int t, int r, int b, COLORREF color) {
  RECT rc{l, t, r, b};
  HBRUSH brush = ::CreateSolidBrush(color);
  ::FillRect(dc, &rc, brush);
  ::DeleteObject(brush);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
  HPEN pen = ::CreatePen(PS_SOLID, 1, color);
  HGDIOBJ old = ::SelectObject(dc, pen);
  ::MoveToEx(dc, x1, y1, nullptr);
  ::LineTo(dc, x2, y2);
  ::SelectObject(dc, old);
  ::DeleteObject(pen);
}

void Triangle(HDC dc, int x, int y, COLORREF color) {
  POINT pts[3] = {{x, y + 6}, {x, y + 12}, {x + 3, y + 9}};
  HPEN pen = ::CreatePen(PS_SOLID, 1, color);
  HBRUSH brush = ::CreateSolidBrush(color);
  HGDIOBJ op = ::SelectObject(dc, pen), ob = ::SelectObject(dc, brush);
  ::Polygon(dc, pts, 3);
  ::SelectObject(dc, op);
  ::SelectObject(dc, ob);
  ::DeleteObject(pen);
  ::DeleteObject(brush);
}

bool HasSubItems(const tk::MenuItem* item) { return item && item->Count() > 0; }

std::string ShortcutText(const tk::MenuItem* item) {
  if (item->GetShortCut()) return tk::ShortCutToText(item->GetShortCut());
  return m::TabText(item->Caption());
}

}  // namespace

TPopupMenu98Form::TPopupMenu98Form(TPopupMenu98* component, TPopupMenu98Form* parentForm, tk::MenuItem* root)
    : component_(component), parentForm_(parentForm), root_(root) {
  menus98::detail::Start();
  RegisterClassOnce(menus98::detail::MenuClassName(), CS_SAVEBITS, nullptr, nullptr, ::LoadCursor(nullptr, IDC_ARROW));
  hwnd_ = CreateHandle(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, menus98::detail::MenuClassName(), "",
                       WS_POPUP, 0, 0, 0, 0, nullptr, nullptr);
  menus98::detail::WindowCreated();
  if (component_) {
    openAnimation_ = component_->OpenAnimation;
    closeAnimation_ = component_->CloseAnimation;
  }
}

TPopupMenu98Form::~TPopupMenu98Form() {
  StopTimer();
  child_.reset();
  if (oldBitmap_ && memDC_) ::SelectObject(memDC_.get(), oldBitmap_);
  menus98::detail::WindowDestroyed();
}

void TPopupMenu98Form::Prepare(tk::MenuItem* root) {
  root_ = root;
  font_.reset();
  boldFont_.reset();
  openAnimation_ = component_->OpenAnimation;
  closeAnimation_ = component_->CloseAnimation;
  selectionChanged_ = true;
}

bool TPopupMenu98Form::Shown() const {
  if (!hwnd_ || !::IsWindowVisible(hwnd_)) return false;
  RECT r;
  ::GetWindowRect(hwnd_, &r);
  return r.right > r.left && r.bottom > r.top;
}

tk::MenuItem* TPopupMenu98Form::Item(int index) const {
  return index >= 0 && index < ItemCount() ? items_[static_cast<size_t>(index)] : nullptr;
}

tk::MenuItem* TPopupMenu98Form::ItemAt(int index, bool strict) const {
  tk::MenuItem* item = Item(index);
  if (!item && strict) throw tk::Error("Cannot find menu item.");
  return item;
}

tk::MenuItem* TPopupMenu98Form::SelectedItem() const { return Item(selected_); }

std::vector<int> TPopupMenu98Form::Heights() const {
  std::vector<int> h;
  for (tk::MenuItem* item : items_)
    h.push_back(m::ItemHeightOf(m::KindOf(item->Caption()), component_->ItemHeight, component_->SeparatorHeight));
  return h;
}

std::vector<m::ItemKind> TPopupMenu98Form::Kinds() const {
  std::vector<m::ItemKind> k;
  for (tk::MenuItem* item : items_) k.push_back(m::KindOf(item->Caption()));
  return k;
}

HFONT TPopupMenu98Form::MenuFont(bool bold) {
  if (!font_) {
    LOGFONTA lf{};
    if (!component_->ParentFont) {
      lf = component_->Font.LogFont(96);
    } else {
      lf.lfHeight = -11;
      lf.lfCharSet = DEFAULT_CHARSET;
      lstrcpynA(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    }
    font_.reset(::CreateFontIndirectA(&lf));
    lf.lfWeight = FW_BOLD;
    boldFont_.reset(::CreateFontIndirectA(&lf));
  }
  return bold ? boldFont_.get() : font_.get();
}

void TPopupMenu98Form::Measure() {
  items_.clear();
  tk::MenuItem* root = root_ ? root_ : component_->Items();
  for (int i = 0; i < root->Count(); ++i)
    if (root->Items(i)->Visible()) items_.push_back(root->Items(i));
  HDC screen = ::GetDC(nullptr);
  captionWidth_ = shortcutWidth_ = 0;
  for (tk::MenuItem* item : items_) {
    if (m::KindOf(item->Caption()) == m::ItemKind::Separator) continue;
    HGDIOBJ old = ::SelectObject(screen, MenuFont(item->Default()));
    std::string text = m::CaptionText(item->Caption());
    RECT r{0, 0, 0, 0};
    ::DrawTextA(screen, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    captionWidth_ = std::max(captionWidth_, static_cast<int>(r.right));
    std::string sc = ShortcutText(item);
    r = RECT{0, 0, 0, 0};
    if (!sc.empty()) ::DrawTextA(screen, sc.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    shortcutWidth_ = std::max(shortcutWidth_, static_cast<int>(r.right));
    ::SelectObject(screen, old);
  }
  width_ = m::MenuWidth(captionWidth_, shortcutWidth_, component_->Indent);
  height_ = m::MenuHeight(Heights());
  if (oldBitmap_ && memDC_) ::SelectObject(memDC_.get(), oldBitmap_);
  memDC_.reset(::CreateCompatibleDC(screen));
  bitmap_.reset(::CreateCompatibleBitmap(screen, width_, height_));
  oldBitmap_ = ::SelectObject(memDC_.get(), bitmap_.get());
  ::ReleaseDC(nullptr, screen);
}

void TPopupMenu98Form::SetSize(int w, int h) {
  curW_ = w;
  curH_ = h;
  const int left = leftward_ ? left_ - w : left_;
  const int top = upward_ ? top_ - h : top_;
  ::SetWindowPos(hwnd_, HWND_TOPMOST, left, top, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TPopupMenu98Form::PumpMoves() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) ::DispatchMessageA(&msg);
}

void TPopupMenu98Form::PumpPaints() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessageA(&msg);
}

bool TPopupMenu98Form::Open(int x, int y) {
  abort_ = false;
  selected_ = -1;
  previous_ = -1;
  Measure();
  const bool sub = parentForm_ != nullptr;
  RECT work = menus98::detail::WorkArea();
  m::PlaceRequest req;
  req.left = x;
  req.top = y;
  req.width = width_;
  req.height = height_;
  req.subMenu = sub;
  req.opening = openAnimation_;
  if (sub) {
    RECT pr;
    ::GetWindowRect(parentForm_->Handle(), &pr);
    req.parentLeft = pr.left;
  }
  tk::Form* opener = component_->Opener;
  req.fromIcon = !sub && opener;
  if (req.fromIcon && opener->HandleAllocated()) {
    RECT fr;
    ::GetWindowRect(opener->Handle(), &fr);
    req.formTop = fr.top;
  }
  req.work = {work.left, work.top, work.right, work.bottom};
  m::Placement p = m::Place(req);
  upward_ = p.upward;
  leftward_ = p.leftward;
  left_ = leftward_ ? p.left + width_ : p.left;
  top_ = p.top;

  const m::Shape shape = m::Resolve(openAnimation_, sub, std::rand() % 2 == 0);
  const m::Steps steps = m::AnimationSteps(shape, width_, height_, component_->ItemHeight, component_->DoubleSpeed);
  hStep_ = steps.horizontal;
  vStep_ = steps.vertical;
  const bool animW = shape == m::Shape::Horizontal || shape == m::Shape::Unfold;
  const bool animH = shape == m::Shape::Vertical || shape == m::Shape::Unfold;

  animating_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{animating_};

  PumpMoves();
  if (abort_) return false;
  fullRepaint_ = true;
  curW_ = animW ? 0 : width_;
  curH_ = animH ? 0 : height_;
  Paint();
  SetSize(curW_, curH_);
  menus98::detail::HideCaretOnce();

  const std::vector<m::Size> frames = m::OpenFrames(shape, width_, height_, steps);
  m::FramePacer pacer(component_->Timeout);
  bool played = false;
  int frame = 0;
  for (const m::Size& size : frames) {
    const DWORD start = ::GetTickCount();
    ++frame;
    SetSize(size.width, size.height);
    Paint();
    PumpMoves();
    if (abort_ || !hwnd_) return false;
    PumpPaints();
    if (m::SoundAfterFrame(frame, static_cast<int>(frames.size()))) {
      menus98::detail::PlaySoundEvent("MenuPopup");
      played = true;
    }
    const int wait = pacer.WaitAfter(static_cast<int>(::GetTickCount() - start));
    if (wait > 0) ::Sleep(static_cast<DWORD>(wait));
  }
  SetSize(width_, height_);
  fullRepaint_ = true;
  Paint();
  if (!played) menus98::detail::PlaySoundEvent("MenuPopup");
  if (State().openMenu == component_ && !abort_) {
    ::SetTimer(hwnd_, kTimerId, 300, nullptr);
    timerOn_ = true;
  }
  return !abort_;
}

void TPopupMenu98Form::StopTimer() {
  if (timerOn_ && hwnd_) ::KillTimer(hwnd_, kTimerId);
  timerOn_ = false;
}

void TPopupMenu98Form::FreeChild() {
  if (!child_) return;
  child_->Abort();
  if (!child_->Animating()) child_->CloseLevel(true);
  // The child may be running one of its own handlers: it goes later.
  menus98::detail::Bury(std::move(child_));
  ::PostMessageA(hwnd_, WM_MENU98_FLUSH, 0, 0);
}

void TPopupMenu98Form::CloseLevel(bool animate) {
  if (component_->OnMenuClose) component_->OnMenuClose(component_, SelectedItem());
  StopTimer();
  if (animate && Shown()) {
    const bool sub = parentForm_ != nullptr;
    const m::Shape shape = m::Resolve(closeAnimation_, sub, std::rand() % 2 == 0);
    menus98::detail::PlaySoundEvent("");
    m::Steps steps;
    steps.horizontal = hStep_;
    steps.vertical = vStep_;
    for (const m::Size& size : m::CloseFrames(shape, curW_, curH_, steps)) {
      SetSize(size.width, size.height);
      Paint();
      PumpPaints();
    }
  } else if (Shown()) {
    SetSize(curW_, 0);
  }
  Hide();
}

void TPopupMenu98Form::Hide() {
  FreeChild();
  if (hwnd_) ::ShowWindow(hwnd_, SW_HIDE);
  selected_ = -1;
  PumpPaints();
}

// ---------------------------------------------------------------------------
// Painting

void TPopupMenu98Form::Paint() {
  HDC dc = memDC_.get();
  if (!dc) return;
  if (fullRepaint_) {
    RECT all{0, 0, width_, height_};
    FillRect(dc, 0, 0, width_, height_, Sys(COLOR_MENU));
    ::DrawEdge(dc, &all, EDGE_RAISED, BF_RECT);
    Line(dc, 2, 2, width_ - 2, 2, Sys(COLOR_MENU));
    Line(dc, 2, height_ - 3, width_ - 3, height_ - 3, Sys(COLOR_MENU));
  }
  const std::vector<int> heights = Heights();
  int y = 3;
  for (int i = 0; i < ItemCount(); ++i) {
    const int h = heights[static_cast<size_t>(i)];
    if (fullRepaint_ || i == selected_ || (selectionChanged_ && i == previous_)) DrawItem(dc, i, y, h);
    y += h;
  }
  fullRepaint_ = false;
  tk::WindowDC wdc(hwnd_);
  Present(wdc.get());
}

void TPopupMenu98Form::Present(HDC dc) {
  if (!dc || !memDC_) return;
  const int sx = leftward_ ? 0 : width_ - curW_;
  const int sy = upward_ ? 0 : height_ - curH_;
  ::BitBlt(dc, 0, 0, curW_, curH_, memDC_.get(), sx, sy, SRCCOPY);
}

void TPopupMenu98Form::DrawGlyph(HDC dc, HBITMAP glyph, int x, int y, bool enabled) {
  HDC src = ::CreateCompatibleDC(dc);
  HGDIOBJ old = ::SelectObject(src, glyph);
  const COLORREF transparent = ::GetPixel(src, 0, 15);
  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
  for (int pass = enabled ? 1 : 0; pass < 2; ++pass) {
    for (int py = 0; py < 16; ++py) {
      for (int px = 0; px < 16; ++px) {
        const COLORREF c = ::GetPixel(src, px, py);
        if (c == transparent || c == CLR_INVALID) continue;
        if (enabled) {
          ::SetPixel(dc, x + px, y + py, c);
        } else if (m::EmbossDark(GetRValue(c), GetGValue(c), GetBValue(c))) {
          if (pass == 0) ::SetPixel(dc, x + px + 1, y + py + 1, light);
          else ::SetPixel(dc, x + px, y + py, shadow);
        }
      }
    }
  }
  ::SelectObject(src, old);
  ::DeleteDC(src);
}

void TPopupMenu98Form::DrawItem(HDC dc, int index, int y, int h) {
  tk::MenuItem* item = items_[static_cast<size_t>(index)];
  const m::ItemKind kind = m::KindOf(item->Caption());
  const bool selected = index == selected_;
  const bool enabled = item->Enabled();
  const bool highlight = m::Highlighted(selected, kind, enabled, keyboardSelection_);
  FillRect(dc, 2, y, width_ - 2, y + h, Sys(highlight ? COLOR_HIGHLIGHT : COLOR_MENU));
  Line(dc, 2, y, 2, y + h, Sys(COLOR_MENU));
  Line(dc, width_ - 3, y, width_ - 3, y + h, Sys(COLOR_MENU));
  if (kind == m::ItemKind::Separator) {
    Line(dc, 4, y + 3, width_ - 4, y + 3, Sys(COLOR_BTNSHADOW));
    Line(dc, 4, y + 4, width_ - 4, y + 4, Sys(COLOR_BTNHIGHLIGHT));
    return;
  }
  if (kind == m::ItemKind::Blank) return;

  const m::TextRole role = m::TextRoleOf(enabled, selected);
  const COLORREF color = Sys(role == m::TextRole::Shadow         ? COLOR_BTNSHADOW
                             : role == m::TextRole::HighlightText ? COLOR_HIGHLIGHTTEXT
                                                                  : COLOR_MENUTEXT);
  const bool emboss = m::DrawEmbossed(enabled, selected, keyboardSelection_);
  HGDIOBJ oldFont = ::SelectObject(dc, MenuFont(item->Default()));
  ::SetBkMode(dc, TRANSPARENT);
  const std::string caption = m::CaptionText(item->Caption());
  const std::string shortcut = ShortcutText(item);
  const UINT align = component_->Alignment == taRightJustify ? DT_RIGHT
                     : component_->Alignment == taCenter     ? DT_CENTER
                                                             : DT_LEFT;
  const int indent = component_->Indent;
  auto text = [&](int dx, int dy, COLORREF c) {
    ::SetTextColor(dc, c);
    RECT r{indent + dx, y + 2 + dy, indent + captionWidth_ + dx, y + h + dy};
    ::DrawTextA(dc, caption.c_str(), -1, &r, DT_SINGLELINE | align);
    if (!shortcut.empty()) {
      RECT s{captionWidth_ + indent + 10 + dx, y + 2 + dy, width_ + dx, y + h + dy};
      ::DrawTextA(dc, shortcut.c_str(), -1, &s, DT_SINGLELINE | DT_LEFT | DT_NOPREFIX);
    }
  };
  if (emboss) text(1, 1, Sys(COLOR_BTNHIGHLIGHT));
  text(0, 0, color);
  ::SelectObject(dc, oldFont);

  if (HasSubItems(item)) {
    if (!enabled) Triangle(dc, width_ - 13, y + 1, Sys(COLOR_BTNHIGHLIGHT));
    Triangle(dc, width_ - 14, y, color);
  }

  // The glyph: the item's own check bitmaps, else a resource named after
  // the item, else after its caption.
  HBITMAP own = nullptr;
  if (tk::MenuItem* parent = item->Parent()) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_CHECKMARKS;
    if (::GetMenuItemInfoA(parent->PopupHandle(), item->Command(), FALSE, &info))
      own = item->Checked() ? info.hbmpChecked : info.hbmpUnchecked;
  }
  HBITMAP loaded = nullptr;
  if (!own) {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    for (const std::string& name : {m::GlyphResourceName(item->Name()), m::GlyphResourceName(caption)}) {
      if (name.empty()) continue;
      loaded = static_cast<HBITMAP>(::LoadImageA(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
      if (loaded) break;
    }
  }
  HBITMAP glyph = own ? own : loaded;
  const bool glyphEnabled = enabled;
  if (item->Checked()) {
    RECT box{3, y, h + 3, y + h};
    if (selected) {
      FillRect(dc, box.left, box.top, box.right, box.bottom, Sys(COLOR_MENU));
    } else {
      HBRUSH brush = ::CreatePatternBrush(menus98::detail::Checkerboard());
      ::FillRect(dc, &box, brush);
      ::DeleteObject(brush);
    }
    ::DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
    HBITMAP mark = glyph ? glyph : (item->RadioItem() ? State().radioItem : State().checkMark);
    if (mark) DrawGlyph(dc, mark, 5, y + 2, glyphEnabled);
  } else if (glyph) {
    if (selected && (enabled || keyboardSelection_)) {
      RECT box{3, y, h + 4, y + h};
      FillRect(dc, box.left, box.top, box.right, box.bottom, Sys(COLOR_MENU));
      ::DrawEdge(dc, &box, BDR_RAISEDINNER, BF_RECT);
    }
    DrawGlyph(dc, glyph, 5, y + 2, glyphEnabled);
  }
  if (loaded) ::DeleteObject(loaded);
}

// ---------------------------------------------------------------------------
// Selection, mouse, timer, keys

void TPopupMenu98Form::Select(int index, bool keyboard) {
  keyboardSelection_ = keyboard;
  previous_ = selected_;
  selected_ = index;
  selectionChanged_ = true;
  Paint();
}

void TPopupMenu98Form::WriteStatusHint(tk::MenuItem* item) {
  tk::StatusBar* bar = component_->StatusBar;
  if (!bar || !bar->HandleAllocated()) return;
  if (component_->StatusBarIndex < bar->PanelCount())
    bar->SetPanelText(component_->StatusBarIndex, item ? m::StatusHint(item->Hint) : std::string());
}

void TPopupMenu98Form::MouseMove(int x, int y) {
  if (animating_ || abort_) return;
  POINT screen{x, y};
  ::ClientToScreen(hwnd_, &screen);
  POINT& last = State().lastMouse;
  if (!m::MovedEnough(last.x, last.y, screen.x, screen.y)) return;
  last = screen;
  if (!tracking_) {
    TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd_, 0};
    tracking_ = ::TrackMouseEvent(&t) != FALSE;
  }
  const int hit = m::HitTest(Heights(), y);
  if (hit == selected_) return;
  StopTimer();
  WriteStatusHint(nullptr);
  menus98::MenuHintWindow().ReleaseHandle();
  Select(hit, false);
  WriteStatusHint(SelectedItem());
  ::SetTimer(hwnd_, kTimerId, 300, nullptr);
  timerOn_ = true;
}

void TPopupMenu98Form::MouseDown() {
  menus98::MenuHintWindow().ReleaseHandle();
  if (tk::Form* form = component_->OwnerForm(); form && form->HandleAllocated()) {
    ::SendMessageA(form->Handle(), WM_NCACTIVATE, 1, 0);
  }
}

void TPopupMenu98Form::MouseUp() {
  if (animating_ || abort_) return;
  WriteStatusHint(nullptr);
  menus98::MenuHintWindow().ReleaseHandle();
  if (child_ && child_->Shown()) return;
  ChooseSelected();
}

void TPopupMenu98Form::ChooseSelected() {
  tk::MenuItem* item = SelectedItem();
  if (!item) return;
  if (HasSubItems(item)) {
    OpenSubMenu();
  } else if (item->Enabled() && m::KindOf(item->Caption()) != m::ItemKind::Separator) {
    Command(item);
  }
}

void TPopupMenu98Form::MouseLeave() {
  tracking_ = false;
  if (!animating_ && !HasSubItems(SelectedItem()) && selected_ != -1) Select(-1, false);
  WriteStatusHint(nullptr);
  menus98::MenuHintWindow().ReleaseHandle();
}

void TPopupMenu98Form::Command(tk::MenuItem* item) {
  TPopupMenu98* component = component_;
  StopTimer();
  menus98::CloseAllMenus(true);
  abort_ = true;
  if (tk::Form* form = component->OwnerForm(); form && form->HandleAllocated())
    ::SendMessageA(form->Handle(), WM_NCACTIVATE, 1, 0);
  menus98::detail::ShowCaretAgain();
  menus98::detail::PlaySoundEvent("MenuCommand");
  if (component->OnMenuCommand) component->OnMenuCommand(component, item);
  item->Click();
}

void TPopupMenu98Form::Timer() {
  if (selectionChanged_) {
    selectionChanged_ = false;
    tk::MenuItem* item = SelectedItem();
    if (!keyboardSelection_) {
      WriteStatusHint(item);
      if (item && component_->ShowHint() && !item->Hint.empty()) menus98::MenuHintWindow().ActivateHint(item->Hint);
    }
    if (!(child_ && child_->root_ == item && child_->Shown())) {
      if (child_) FreeChild();
      if (HasSubItems(item)) OpenSubMenu();
    }
  }
  if (!::GetActiveWindow()) {
    menus98::CloseAllMenus(false);
    menus98::detail::ShowCaretAgain();
  }
}

void TPopupMenu98Form::OpenSubMenu() {
  FreeChild();
  PumpPaints();
  tk::MenuItem* item = SelectedItem();
  if (!HasSubItems(item) || !item->Enabled()) return;
  child_ = std::make_unique<TPopupMenu98Form>(component_, this, item);
  child_->openAnimation_ = openAnimation_;
  child_->closeAnimation_ = closeAnimation_;
  if (item->OnClick) item->Click();
  POINT p{width_ - 7, m::ItemTop(Heights(), selected_)};
  ::ClientToScreen(hwnd_, &p);
  if (leftward_ || upward_) {
    RECT r;
    ::GetWindowRect(hwnd_, &r);
    p = POINT{r.left + width_ - 7, r.top + m::ItemTop(Heights(), selected_)};
  }
  child_->Open(p.x, p.y);
}

void TPopupMenu98Form::MoveSelection(int direction, int from) {
  menus98::MenuHintWindow().ReleaseHandle();
  const int next = m::StepSelection(Kinds(), from, direction);
  if (next < 0) return;
  Select(next, true);
  WriteStatusHint(SelectedItem());
}

void TPopupMenu98Form::ShowItemHelp(tk::MenuItem* item) {
  if (tk::Application.HelpFile.empty() || !item || item->HelpContext == 0) return;
  tk::Form* form = component_->OwnerForm();
  ShowHelpTopic(form && form->HandleAllocated() ? form->Handle() : nullptr, HELP_CONTEXT,
                static_cast<ULONG_PTR>(item->HelpContext));
}

void TPopupMenu98Form::KeyDown(UINT key) {
  TToolbarButton98* button = component_->OpenerButton;
  TMainMenu98* bar = button ? button->Bar() : nullptr;
  switch (key) {
    case VK_RETURN:
      ChooseSelected();
      return;
    case VK_ESCAPE:
      if (parentForm_) {
        parentForm_->FreeChild();  // this window goes once the key is handled
      } else if (bar) {
        bar->DropdownEscaped(button);
      } else {
        menus98::CloseAllMenus(true);
        menus98::detail::ShowCaretAgain();
      }
      return;
    case VK_LEFT:
      if (parentForm_) parentForm_->FreeChild();
      else if (bar) bar->WalkDropdowns(button, -1);
      else MoveSelection(1, -1);
      return;
    case VK_RIGHT:
      if (HasSubItems(SelectedItem())) OpenSubMenu();
      else if (bar) bar->WalkDropdowns(button, +1);
      else MoveSelection(-1, 0);
      return;
    case VK_UP:
      StopTimer();
      MoveSelection(-1, selected_ < 0 ? 0 : selected_);
      return;
    case VK_DOWN:
      StopTimer();
      MoveSelection(1, selected_);
      return;
    case VK_MENU:
    case VK_F10:
      if (bar) {
        bar->LeaveDropdown();
        return;
      }
      break;
    case VK_F1:
      ShowItemHelp(SelectedItem());
      return;
    case VK_SHIFT:
    case VK_CONTROL:
      return;
    default: break;
  }
  const char c = static_cast<char>(::MapVirtualKeyA(key, MAPVK_VK_TO_CHAR) & 0xFF);
  std::vector<std::string> captions;
  for (tk::MenuItem* item : items_) captions.push_back(item->Caption());
  const int hit = m::FindAccelerator(captions, c);
  if (hit < 0) {
    tk::Beep(0xFFFFFFFF);
    return;
  }
  tk::MenuItem* item = items_[static_cast<size_t>(hit)];
  if (!item->Enabled()) return;
  if (HasSubItems(item)) {
    Select(hit, true);
    OpenSubMenu();
    return;
  }
  TPopupMenu98* component = component_;
  menus98::CloseAllMenus(true);
  menus98::detail::PlaySoundEvent("MenuCommand");
  if (component->OnMenuCommand) component->OnMenuCommand(component, item);
  item->Click();
}

LRESULT TPopupMenu98Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd_, &ps);
      Present(dc);
      ::EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
      MouseMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      MouseDown();
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      MouseUp();
      return 0;
    case WM_MOUSELEAVE:
      MouseLeave();
      return 0;
    case WM_TIMER:
      if (wParam == kTimerId) Timer();
      return 0;
    case WM_MENU98_FLUSH:
      menus98::detail::FlushBuried();
      return 0;
    case WM_MENU98_KEY:
      KeyDown(static_cast<UINT>(wParam));
      return 0;
    default: break;
  }
  return DefaultHandler(msg, wParam, lParam);
}
