#include "Unit1.h"

#include <algorithm>
#include <functional>

#include "MainForm.h"
#include "Recents.h"
#include "TRECode.h"
#include "core/filenames.h"
#include "core/statustext.h"
#include "dialoglib.h"
#include "menus98/popup.h"
#include "menus98/menubar.h"
#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/fileio.h"
#include "toolkit/seam.h"

namespace {

using tk::scCtrl;

// The menu bar, top to bottom: level 0 are the menus, 1 their items, 2 the
// items of a submenu.
struct ItemDef {
  int level;
  tk::MenuItem* TEditForm::*member;
  const char* name;
  const char* caption;
  tk::ShortCut shortCut;
};

const ItemDef kMenu[] = {
    {0, &TEditForm::File1, "File1", "&File", 0},
    {1, &TEditForm::New1, "New1", "&New...", scCtrl | 'N'},
    {1, &TEditForm::Open1, "Open1", "&Open...", scCtrl | 'O'},
    {1, &TEditForm::Save1, "Save1", "&Save", scCtrl | 'S'},
    {1, &TEditForm::Saveas1, "Saveas1", "Save &as...", scCtrl | 'A'},
    {1, &TEditForm::Print1, "Print1", "&Print", scCtrl | 'P'},
    {1, &TEditForm::PageSetup1, "PageSetup1", "Page Setup...", 0},
    {1, &TEditForm::Send1, "Send1", "&Send", 0},
    {1, &TEditForm::Delete1, "Delete1", "&Delete file", 0},
    {1, &TEditForm::Close1, "Close1", "&Close", 0},
    {1, &TEditForm::Closeall1, "Closeall1", "Close a&ll", 0},
    {1, &TEditForm::N1, "N1", "-", 0},
    {1, &TEditForm::Preferences1, "Preferences1", "P&references...", 0},
    {1, &TEditForm::Exit1, "Exit1", "&Exit", 0},
    {0, &TEditForm::Edit1, "Edit1", "&Edit", 0},
    {1, &TEditForm::Undo1, "Undo1", "&Undo", scCtrl | 'Z'},
    {1, &TEditForm::N2, "N2", "-", 0},
    {1, &TEditForm::Cut1, "Cut1", "Cut", scCtrl | 'X'},
    {1, &TEditForm::Copy1, "Copy1", "&Copy", scCtrl | 'C'},
    {1, &TEditForm::Paste2, "Paste2", "&Paste", 0},
    {2, &TEditForm::Paste1, "Paste1", "&Paste as new selection", scCtrl | 'V'},
    {2, &TEditForm::Pasteasnewdokument1, "Pasteasnewdokument1", "Paste as new dokument", 0},
    {1, &TEditForm::Delete2, "Delete2", "&Delete", 0},
    {2, &TEditForm::Selectedtext1, "Selectedtext1", "&Selected text", 0},
    {2, &TEditForm::Alldoublespaces1, "Alldoublespaces1", "All &double spaces", 0},
    {2, &TEditForm::HTMLTags1, "HTMLTags1", "&Unnecessary spaces and chars", 0},
    {2, &TEditForm::HTMLTags2, "HTMLTags2", "&HTML-Tags", 0},
    {1, &TEditForm::DeleteLine1, "DeleteLine1", "Delete &Line", 0},
    {1, &TEditForm::N3, "N3", "-", 0},
    {1, &TEditForm::Selectall1, "Selectall1", "Select all", 0},
    {1, &TEditForm::Selectline1, "Selectline1", "Select L&ine", 0},
    {1, &TEditForm::SelectWord1, "SelectWord1", "Select &Word", 0},
    {1, &TEditForm::N4, "N4", "-", 0},
    {1, &TEditForm::Gotoline1, "Gotoline1", "&Goto line...", 0},
    {1, &TEditForm::Search1, "Search1", "&Search", 0},
    {1, &TEditForm::Replace1, "Replace1", "&Replace", 0},
    {1, &TEditForm::N5, "N5", "-", 0},
    {1, &TEditForm::Upcaseselection1, "Upcaseselection1", "&Upcase selection", 0},
    {1, &TEditForm::Lowcaseselection1, "Lowcaseselection1", "Lo&wcase selection", 0},
    {0, &TEditForm::Chars1, "Chars1", "&Chars", 0},
    {1, &TEditForm::IncreaseFont1, "IncreaseFont1", "&Increase Font", 0},
    {1, &TEditForm::DecreaseFont1, "DecreaseFont1", "&Decrease Font", 0},
    {1, &TEditForm::Wordwrap1, "Wordwrap1", "&Wordwrap", 0},
    {0, &TEditForm::Insert1, "Insert1", "&Insert", 0},
    {1, &TEditForm::File2, "File2", "Append &File...", 0},
    {1, &TEditForm::String1, "String1", "&String...", 0},
    {1, &TEditForm::N6, "N6", "-", 0},
    {1, &TEditForm::DateandTime1, "DateandTime1", "&Date and Time", 0},
    {1, &TEditForm::Time1, "Time1", "&Time", 0},
    {1, &TEditForm::N7, "N7", "-", 0},
    {1, &TEditForm::WindowsDirectory1, "WindowsDirectory1", "&Windows-Directory", 0},
    {1, &TEditForm::SystemDirectory1, "SystemDirectory1", "&System-Directory", 0},
    {1, &TEditForm::Otherdirectory1, "Otherdirectory1", "&Other directory", 0},
    {1, &TEditForm::N8, "N8", "-", 0},
    {1, &TEditForm::Specialcharacter1, "Specialcharacter1", "Special character", 0},
};

int Scale(int designed) {
  HDC screen = ::GetDC(nullptr);
  int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return ::MulDiv(designed, dpi > 0 ? dpi : 96, 120);
}

// Hourglass and a text in status panel 2 for the life of a file operation;
// both are restored in every case.
class BusyFile {
 public:
  explicit BusyFile(const std::string& text) {
    SetText(text);
    tk::Application.SetCursor(tk::Cursor::HourGlass);
  }
  ~BusyFile() {
    if (Form1 && Form1->StatusBar1) Form1->StatusBar1->SetPanelText(2, "");
    tk::Application.SetCursor(tk::Cursor::Default);
  }
  BusyFile(const BusyFile&) = delete;
  BusyFile& operator=(const BusyFile&) = delete;
  void SetText(const std::string& text) {
    if (Form1 && Form1->StatusBar1) Form1->StatusBar1->SetPanelTextNow(2, text);
  }
};

TEditForm* ActiveDocument() {
  return Form1 ? dynamic_cast<TEditForm*>(Form1->ActiveMDIChild()) : nullptr;
}

}  // namespace

TEditForm::TEditForm(bool maximized) : MDIChildForm(nullptr, "EditForm"), maximized_(maximized) {
  Edi = Create<TSRichEdit>("Edi");
  MainMenu1 = Create<tk::MainMenu>("MainMenu1");
  SaveDialog1 = Create<tk::SaveDialog>("SaveDialog1");
  SaveDialog1->Filter = std::string(core::kSaveFilter);
  SaveDialog1->FilterIndex = 1;
  SaveDialog1->DefaultExt = "txt";
  // Saving over an existing file asks nothing.
  SaveDialog1->Options = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  SystemMenu981 = Create<TSystemMenu98>("SystemMenu981");
  SystemMenu981->SetShowHint(false);
  BuildMenus();
  BuildEditing();
}

void TEditForm::BuildMenus() {
  tk::MenuItem* parents[3] = {MainMenu1->Items(), nullptr, nullptr};
  for (const ItemDef& def : kMenu) {
    tk::MenuItem* item = parents[def.level]->Add(def.name, def.caption, {}, def.shortCut);
    if (def.level == 0) item->SetGroupIndex(0);
    if (def.level < 2) parents[def.level + 1] = item;
    this->*def.member = item;
  }

  // Every command item starts disabled; the ones this window carries out
  // get their handler and are enabled.
  for (const ItemDef& def : kMenu) {
    tk::MenuItem* item = this->*def.member;
    bool isMenu = def.level == 0 || item == Paste2 || item == Delete2;
    if (!isMenu && !item->IsLine()) item->SetEnabled(false);
  }
  Attach({
      {New1, &TEditForm::New1Click},
      {Open1, &TEditForm::Open1Click},
      {Save1, &TEditForm::Save1Click},
      {Saveas1, &TEditForm::Saveas1Click},
      {Close1, &TEditForm::Close1Click},
      {Closeall1, &TEditForm::Closeall1Click},
      {Preferences1, &TEditForm::Preferences1Click},
      {Exit1, &TEditForm::Exit1Click},
      {Undo1, &TEditForm::Undo1Click},
      {Cut1, &TEditForm::Cut1Click},
      {Copy1, &TEditForm::Copy1Click},
      {Paste1, &TEditForm::Paste1Click},
      {Pasteasnewdokument1, &TEditForm::Pasteasnewdokument1Click},
      {Selectedtext1, &TEditForm::Selectedtext1Click},
      {Selectall1, &TEditForm::Selectall1Click},
      {IncreaseFont1, &TEditForm::IncreaseFont1Click},
      {DecreaseFont1, &TEditForm::DecreaseFont1Click},
      {Wordwrap1, &TEditForm::Wordwrap1Click},
      {DeleteLine1, &TEditForm::DeleteLine1Click},
      {Selectline1, &TEditForm::Selectline1Click},
      {SelectWord1, &TEditForm::SelectWord1Click},
      {Gotoline1, &TEditForm::Gotoline1Click},
      {File2, &TEditForm::File2Click},
      {String1, &TEditForm::String1Click},
      {DateandTime1, &TEditForm::DateandTime1Click},
      {Time1, &TEditForm::Time1Click},
      {WindowsDirectory1, &TEditForm::WindowsDirectory1Click},
      {SystemDirectory1, &TEditForm::SystemDirectory1Click},
      {Otherdirectory1, &TEditForm::Otherdirectory1Click},
      {Specialcharacter1, &TEditForm::Specialcharacter1Click},
  });
  BuildTextOperations();
  BuildPrinting();
}

void TEditForm::Attach(std::initializer_list<Command> commands) {
  for (const auto& [item, handler] : commands) {
    item->OnClick = [this, handler = handler](tk::MenuItem*) { (this->*handler)(); };
    item->SetEnabled(true);
  }
}

void TEditForm::CreateWindowNow() {
  RegisterClassOnce("TEditForm", 0, ::GetSysColorBrush(COLOR_WINDOW), tk::Application.Icon());
  hwnd_ = CreateMDIWindow("TEditForm", std::string(core::kUntitledCaption), maximized_);
  if (!::IsZoomed(hwnd_))
    ::SetWindowPos(hwnd_, nullptr, 0, 0, Scale(435), Scale(300), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Edi->CreateIn(hwnd_);
  SetMenu(MainMenu1);
  FormCreate();
  FormShow();
  ::SetFocus(Edi->Handle());
}

void TEditForm::FormCreate() {
  // The glyph of each command's toolbar button on the frame beside its item.
  const std::pair<tk::MenuItem*, int> glyphs[] = {
      {New1, 1},  {Open1, 2},    {Save1, 3},      {Print1, 4},         {Send1, 5},          {Cut1, 6},
      {Copy1, 7}, {Paste2, 8},   {Delete2, 9},    {Undo1, 10},         {Search1, 11},       {Replace1, 21},
      {IncreaseFont1, 12},       {DecreaseFont1, 13},                  {Wordwrap1, 14},     {nullptr, 15}};
  for (const auto& [item, number] : glyphs) {
    auto* mb = MB[static_cast<size_t>(number)] = Create<TMenuItemBitmaps>("MB" + std::to_string(number));
    mb->SetSingleBitmap(true);
    mb->SetMenuItem(item);
    if (Form1 && Form1->Btn[static_cast<size_t>(number)])
      mb->SetCheckedBitmap(MenuImageOfGlyph(Form1->Btn[static_cast<size_t>(number)]->Glyph).get());
  }
  if (Settings.MaximizeDocs && !::IsZoomed(hwnd_)) ::ShowWindow(hwnd_, SW_MAXIMIZE);
  Edi->SetWordWrap(Settings.Autowordwrap);
  Wordwrap1->SetChecked(Edi->WordWrap());
}

void TEditForm::FormShow() {
  // The first show comes while the window is being made, before its control.
  if (shown_ || !Edi->Handle()) return;
  shown_ = true;
  ApplyLook();
}

void TEditForm::ApplyLook() {
  if (Settings.Font) Edi->SetFont(Settings.Font->Props());
  Edi->SetBackground(Settings.Background);
}

LRESULT TEditForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      Edi->FillParent();
      break;
    case WM_NOTIFY:
      if (Edi->HandleNotify(reinterpret_cast<const NMHDR*>(lParam))) return 0;
      break;
    case WM_SETFOCUS: {
      LRESULT r = MDIChildForm::HandleMessage(msg, wParam, lParam);
      if (Edi->Handle()) ::SetFocus(Edi->Handle());
      return r;
    }
    case WM_DESTROY: {
      LRESULT r = MDIChildForm::HandleMessage(msg, wParam, lParam);
      Edi->Detach();
      return r;
    }
    default: break;
  }
  return MDIChildForm::HandleMessage(msg, wParam, lParam);
}

bool TEditForm::Modified() const { return Edi->Handle() && Edi->Modified(); }

void TEditForm::Discard() {
  if (Form1) Form1->DocumentClosing(Form1->MDIChildCount());
  if (hwnd_) ::SendMessageA(Frame()->ClientHandle(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd_), 0);
}

// ---------------------------------------------------------------------------
// Files

void LoadFile(TEditForm* window, const std::string& name) {
  // Read first: a file that cannot be read leaves the window as it was.
  // The stamp is taken before the read: a file that grows meanwhile differs
  // from it, and is asked about at the next activation.
  core::FileStamp stamp = tk::QueryStamp(name);
  window->Edi->LoadText(tk::ReadWholeFile(name));
  window->DiskStamp = stamp;
  window->FileName = name;
  window->SetCaption(core::DocumentCaption(name, Settings.ShowExtensions));
}

bool TEditForm::SaveFile(const std::string& name, core::TextFormat format) {
  if (!MayOverwrite(name)) return false;
  BusyFile busy(core::SavingText(name));
  if (format != core::TextFormat::tfDos) busy.SetText(std::string(core::ConvertingText(format)));
  // Written from the text where it lies, one block at a time: no copy of a
  // large document is made for its save.
  tk::WriteFileReplacing(name, [this, format](const tk::BlockWriter& write) {
    core::FileBytesWriter writer(format, write);
    Edi->ForEachSegment(0, -1, [&writer](std::string_view segment) {
      writer.Put(segment);
      return true;
    });
    writer.Finish();
  });
  Edi->SetModified(false);
  FileName = name;
  DiskStamp = tk::QueryStamp(name);
  return true;
}

bool TEditForm::SaveDocument() {
  if (FileName.empty()) return SaveDocumentAs();
  return SaveFile(FileName, core::TextFormat::tfDos);
}

bool TEditForm::SaveDocumentAs() {
  if (!SaveDialog1->Execute(hwnd_)) return false;
  // A name without an extension gets "txt"; the name is offered again next time.
  SaveDialog1->FileName = core::WithDefaultExtension(SaveDialog1->FileName, "txt");
  return SaveFile(SaveDialog1->FileName, core::FormatFromFilterIndex(SaveDialog1->FilterIndex));
}

// ---------------------------------------------------------------------------
// Closing

void TEditForm::FormCloseQuery(bool& canClose) {
  canClose = true;
  if (!Modified()) return;
  int answer = tk::ShowMessageBox(hwnd_, core::SaveModificationsQuestion(FileName), "Confirm",
                                  MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDNO) return;
  if (answer != IDYES) {
    canClose = false;
    return;
  }
  // A save that is cancelled or fails keeps the window and its text.
  try {
    canClose = SaveDocument();
  } catch (...) {
    canClose = false;
    tk::Application.HandleException();
  }
}

void TEditForm::FormClose(tk::CloseAction& action) {
  if (!FileName.empty() && Form1 && Form1->RL1) Form1->RL1->UnselectItem(FileName);
  action = tk::CloseAction::Free;
  if (Form1) {
    Form1->StatusBar1->SetPanelText(0, "");
    Form1->StatusBar1->SetPanelText(1, "");
    Form1->DocumentClosing(Form1->MDIChildCount());
  }
}

void TEditForm::Closeall1Click() {
  if (Form1) Form1->CloseDocuments();
}

void TEditForm::Exit1Click() {
  if (Form1) Form1->Close();
}

// ---------------------------------------------------------------------------
// Other commands

void TEditForm::New1Click() {
  if (Form1) Form1->CreateMDIChild("");
}

void TEditForm::Open1Click() {
  if (Form1 && Form1->OpenDialog1->Execute(hwnd_)) Form1->CreateMDIChild(Form1->OpenDialog1->FileName);
}

void TEditForm::Preferences1Click() {
  if (!dialoglib::PreferencesDialog(tk::Application.Handle())) return;
  if (Form1) Form1->Initialisieren();
  ApplyLook();
}

void TEditForm::Undo1Click() { Edi->Undo(); }
void TEditForm::Cut1Click() { Edi->Cut(); }
void TEditForm::Copy1Click() { Edi->Copy(); }
void TEditForm::Paste1Click() { Edi->Paste(); }
void TEditForm::Selectedtext1Click() { Edi->ClearSelection(); }
void TEditForm::Selectall1Click() { Edi->SetSel(0, -1); }

void TEditForm::Pasteasnewdokument1Click() {
  if (!Form1) return;
  Form1->CreateMDIChild("");
  if (TEditForm* doc = ActiveDocument()) doc->Paste1->Click();
}

void TEditForm::IncreaseFont1Click() {
  core::FontSpec font = Edi->Font();
  if (font.size >= 127) return;
  ++font.size;
  Edi->SetFont(font);
}

void TEditForm::DecreaseFont1Click() {
  core::FontSpec font = Edi->Font();
  if (font.size <= 8) return;
  --font.size;
  Edi->SetFont(font);
}

void TEditForm::Wordwrap1Click() {
  Edi->SetWordWrap(!Edi->WordWrap());
  Wordwrap1->SetChecked(Edi->WordWrap());
}
