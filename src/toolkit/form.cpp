#include "toolkit/form.h"

#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/finddlg.h"

namespace tk {

// ---------------------------------------------------------------------------
// Form

Form::Form(Component* owner, std::string name) : Component(owner, std::move(name)) {}

Form::~Form() {
  if (menu_) menu_->SetOnChange(nullptr);
  // The components go before the window: they may still talk to it.
  DestroyComponents();
}

void Form::SetMenu(MainMenu* menu) {
  if (menu_) menu_->SetOnChange(nullptr);
  menu_ = menu;
  if (menu_) menu_->SetOnChange([this] { MenuChanged(); });
  MenuChanged();
}

void Form::Show() {
  if (!hwnd_) return;
  ::ShowWindow(hwnd_, SW_SHOW);
  ::BringWindowToTop(hwnd_);
}

bool Form::CloseQuery() {
  bool canClose = true;
  FormCloseQuery(canClose);
  return canClose;
}

CloseAction Form::DefaultCloseAction() const {
  return Application.MainForm() == this ? CloseAction::Free : CloseAction::Hide;
}

void Form::Close() {
  if (!hwnd_ || !CloseQuery()) return;
  CloseAction action = DefaultCloseAction();
  FormClose(action);
  switch (action) {
    case CloseAction::None: break;
    case CloseAction::Hide: ::ShowWindow(hwnd_, SW_HIDE); break;
    case CloseAction::Minimize: ::ShowWindow(hwnd_, SW_MINIMIZE); break;
    case CloseAction::Free:
      // A document window goes through its client window, which then
      // activates the next one.
      if (::GetWindowLongPtrA(hwnd_, GWL_EXSTYLE) & WS_EX_MDICHILD)
        ::SendMessageA(::GetParent(hwnd_), WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd_), 0);
      else
        ::DestroyWindow(hwnd_);
      break;
  }
}

bool Form::PreTranslate(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  ShortCut sc = static_cast<ShortCut>(msg.wParam & 0xFF);
  if (::GetKeyState(VK_SHIFT) < 0) sc |= scShift;
  if (::GetKeyState(VK_CONTROL) < 0) sc |= scCtrl;
  if (::GetKeyState(VK_MENU) < 0) sc |= scAlt;
  MenuItem* item = FindMenuShortCut(sc);
  if (!item) return false;
  Guarded([&] { item->Click(); });
  return true;
}

MenuItem* Form::FindMenuCommand(UINT command) { return menu_ ? menu_->Items()->FindCommand(command) : nullptr; }

MenuItem* Form::FindMenuShortCut(ShortCut shortCut) {
  return menu_ ? menu_->Items()->FindShortCut(shortCut) : nullptr;
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (messageHook_) {
    LRESULT result = 0;
    if (messageHook_(msg, wParam, lParam, result)) return result;
  }
  if (msg == FindDialog::Message() && FindDialog::Dispatch(lParam)) return 0;
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_SHOWWINDOW:
      if (wParam) FormShow();
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) ::PostMessageA(hwnd_, WM_TK_ACTIVATE, 0, 0);
      break;
    case WM_TK_ACTIVATE:
      FormActivate();
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == 0 && lParam == 0) {
        if (MenuItem* item = FindMenuCommand(LOWORD(wParam))) {
          item->Click();
          return 0;
        }
      }
      break;
    case WM_SETCURSOR:
      if (Application.ApplyCursor()) return TRUE;
      break;
    case WM_DESTROY:
      if (!destroyEventSent_) {
        destroyEventSent_ = true;
        FormDestroy();
      }
      break;
    default: break;
  }
  return DefaultHandler(msg, wParam, lParam);
}

void Form::HandleDestroyed() { Application.FormDestroyed(this); }

// ---------------------------------------------------------------------------
// MDIFrameForm

MDIFrameForm::MDIFrameForm(Component* owner, std::string name) : Form(owner, std::move(name)) {}

LRESULT MDIFrameForm::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::DefFrameProcA(hwnd_, client_, msg, wParam, lParam);
}

MDIChildForm* MDIFrameForm::ActiveMDIChild() const {
  if (!client_) return nullptr;
  HWND active = reinterpret_cast<HWND>(::SendMessageA(client_, WM_MDIGETACTIVE, 0, 0));
  auto* child = dynamic_cast<MDIChildForm*>(Window::FromHandle(active));
  return child == going_ ? nullptr : child;
}

std::vector<MDIChildForm*> MDIFrameForm::MDIChildren() const {
  std::vector<MDIChildForm*> out;
  if (!client_) return out;
  for (HWND w = ::GetWindow(client_, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
    auto* child = dynamic_cast<MDIChildForm*>(Window::FromHandle(w));
    if (child && child != going_) out.push_back(child);
  }
  return out;
}

bool MDIFrameForm::CloseQuery() {
  for (MDIChildForm* child : MDIChildren())
    if (!child->CloseQuery()) return false;
  return Form::CloseQuery();
}

bool MDIFrameForm::PreTranslate(MSG& msg) {
  if (Form::PreTranslate(msg)) return true;
  return client_ && ::TranslateMDISysAccel(client_, &msg);
}

MenuItem* MDIFrameForm::FindMenuCommand(UINT command) {
  if (MDIChildForm* child = ActiveMDIChild())
    if (MenuItem* item = child->FindMenuCommand(command)) return item;
  return Form::FindMenuCommand(command);
}

MenuItem* MDIFrameForm::FindMenuShortCut(ShortCut shortCut) {
  // Only the menus on the bar answer: a document's menus take the place of
  // the frame's menus of the same group.
  MDIChildForm* child = ActiveMDIChild();
  for (MenuItem* menu : tk::MergeMenus(menu_, child ? child->Menu() : nullptr)) {
    if (!menu->Visible() || !menu->Enabled()) continue;
    if (MenuItem* item = menu->FindShortCut(shortCut)) return item;
  }
  return nullptr;
}

void MDIFrameForm::MergeMenus() {
  if (!hwnd_) return;
  if (!bar_) bar_ = ::CreateMenu();
  MDIChildForm* child = ActiveMDIChild();
  FillMenuBar(bar_, tk::MergeMenus(menu_, child ? child->Menu() : nullptr));
  if (client_ && ::GetMenu(hwnd_) == bar_) {
    ::SendMessageA(client_, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar_), 0);
  } else if (client_) {
    ::SendMessageA(client_, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar_), 0);
    if (::GetMenu(hwnd_) != bar_) ::SetMenu(hwnd_, bar_);
  } else {
    ::SetMenu(hwnd_, bar_);
  }
  ::DrawMenuBar(hwnd_);
}

void MDIFrameForm::ChildGoing(MDIChildForm* child) {
  going_ = child;
  if (child) MergeMenus();
}

RECT MDIFrameForm::ClientArea() {
  RECT r{};
  ::GetClientRect(hwnd_, &r);
  return r;
}

void MDIFrameForm::LayoutClient() {
  if (!client_) return;
  RECT r = ClientArea();
  ::MoveWindow(client_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

LRESULT MDIFrameForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: {
      CLIENTCREATESTRUCT ccs{};
      ccs.hWindowMenu = nullptr;  // the Window menu lists no documents
      ccs.idFirstChild = 0xFF00;
      client_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                  WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL,
                                  0, 0, 0, 0, hwnd_, nullptr, Application.Instance(), &ccs);
      break;
    }
    case WM_SIZE:
      LayoutClient();
      return 0;  // DefFrameProc would size the client over the bars
    case WM_DESTROY:
      if (bar_) {
        // The bar holds the menus of the frame and of a document: take them
        // out so that destroying the bar leaves their owners' menus alone.
        FillMenuBar(bar_, {});
        ::SetMenu(hwnd_, nullptr);
        ::DestroyMenu(bar_);
        bar_ = nullptr;
      }
      break;
    default: break;
  }
  return Form::HandleMessage(msg, wParam, lParam);
}

// ---------------------------------------------------------------------------
// MDIChildForm

MDIChildForm::MDIChildForm(Component* owner, std::string name) : Form(owner, std::move(name)) {}

MDIChildForm::~MDIChildForm() = default;

MDIFrameForm* MDIChildForm::Frame() const { return dynamic_cast<MDIFrameForm*>(Application.MainForm()); }

HWND MDIChildForm::CreateMDIWindow(const char* className, const std::string& caption, bool maximized) {
  MDIFrameForm* frame = Frame();
  if (!frame || !frame->ClientHandle()) throw InvalidOperation("No frame window for a document window");
  MDICREATESTRUCTA mcs{};
  mcs.szClass = className;
  mcs.szTitle = caption.c_str();
  mcs.hOwner = Application.Instance();
  mcs.x = mcs.y = mcs.cx = mcs.cy = CW_USEDEFAULT;
  mcs.style = maximized ? WS_MAXIMIZE : 0;
  mcs.lParam = reinterpret_cast<LPARAM>(static_cast<Window*>(this));
  HWND wnd = reinterpret_cast<HWND>(
      ::SendMessageA(frame->ClientHandle(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  if (!wnd) throw Error("Cannot create a document window");
  return wnd;
}

void MDIChildForm::MenuChanged() {
  MDIFrameForm* frame = Frame();
  if (frame && frame->ActiveMDIChild() == this) frame->MergeMenus();
}

LRESULT MDIChildForm::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::DefMDIChildProcA(hwnd_, msg, wParam, lParam);
}

LRESULT MDIChildForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MDIACTIVATE:
      if (reinterpret_cast<HWND>(lParam) == hwnd_) {
        if (MDIFrameForm* frame = Frame()) frame->MergeMenus();
        FormActivate();
      } else if (reinterpret_cast<HWND>(wParam) == hwnd_ && lParam == 0) {
        // The last document lost activation: the frame's own menus return.
        if (MDIFrameForm* frame = Frame()) frame->MergeMenus();
      }
      break;
    case WM_DESTROY:
      if (MDIFrameForm* frame = Frame()) frame->ChildGoing(this);
      break;
    case WM_NCDESTROY: {
      LRESULT r = Form::HandleMessage(msg, wParam, lParam);
      if (MDIFrameForm* frame = Frame()) {
        frame->MergeMenus();  // still without this one's menus
        frame->ChildGoing(nullptr);
      }
      return r;
    }
    case WM_ACTIVATE:  // MDI children are activated through WM_MDIACTIVATE
      return DefaultHandler(msg, wParam, lParam);
    default: break;
  }
  return Form::HandleMessage(msg, wParam, lParam);
}

}  // namespace tk
