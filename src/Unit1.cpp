#include "Unit1.h"

#include "MainForm.h"
#include "toolkit/application.h"

TEditForm::TEditForm(bool maximized) : MDIChildForm(nullptr, "EditForm"), maximized_(maximized) {
  MainMenu1 = Create<tk::MainMenu>("MainMenu1");
}

void TEditForm::CreateWindowNow() {
  RegisterClassOnce("TEditForm", 0, ::GetSysColorBrush(COLOR_WINDOW), tk::Application.Icon());
  hwnd_ = CreateMDIWindow("TEditForm", "Untitled", maximized_);
  SetMenu(MainMenu1);
}

void TEditForm::Discard() {
  if (Form1) Form1->DocumentClosing(Form1->MDIChildCount());
  if (hwnd_) ::SendMessageA(Frame()->ClientHandle(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd_), 0);
}

void TEditForm::FormClose(tk::CloseAction& action) {
  if (Form1) Form1->DocumentClosing(Form1->MDIChildCount());
  action = tk::CloseAction::Free;
}

void LoadFile(TEditForm* window, const std::string& name) { window->FileName = name; }
