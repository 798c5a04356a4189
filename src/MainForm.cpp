#include "MainForm.h"

#include <shellapi.h>

#include <algorithm>

#include "Recents.h"
#include "Unit1.h"
#include "core/filenames.h"
#include "dialoglib.h"
#include "menus98/popup.h"
#include "helpview.h"
#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/registry.h"
#include "toolkit/seam.h"

TSettings Settings;
TForm1* Form1 = nullptr;

namespace {

const char kFrameClass[] = "TForm1";

// Designed at 120 pixels per inch; scaled to the screen's resolution.
int Scale(int designed) {
  HDC screen = ::GetDC(nullptr);
  int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return ::MulDiv(designed, dpi > 0 ? dpi : 96, 120);
}

const char kOpenFilter[] =
    "Text-files (*.txt)|*.txt|"
    "Other text files (*.1st;*.me;*.asc;*.diz;*.sys)|*.1st;*.me;*.asc;*.diz;*.sys|"
    "HTML-files (*.htm;*.html;*.shtm)|*.htm;*.html;*.shtm|"
    "Batch-files (*.bat)|*.bat|"
    "Pascal-Sources (*.pas)|*.pas|"
    "Delphi-files (*.pas;*.dpr;*.dfm;*.inc)|*.pas;*.dpr;*.dfm;*.inc|"
    "C++-Sources (*.cpp;*.c)|*.cpp;*.c|"
    "Resource-Scripts (*.rc)|*.rc|"
    "Header-files (*.h)|*.h|"
    "Assember-codes (*.asm)|*.asm|"
    "Configuration-files (*.ini)|*.ini|"
    "Registration-files (*.reg)|*.reg|"
    "Basic-Listings (*.bas)|*.bas|"
    "All files (*.*)|*.*";

struct ButtonDef {
  int number;
  const char* glyph;
  const char* hint;
  int width;
};
// Left to right; 0 is a separator.
const ButtonDef kButtons[] = {
    {1, "GLYPH_NEW", "New Document", 23},       {2, "GLYPH_OPEN", "Open", 23},
    {3, "GLYPH_SAVE", "Save", 23},              {0, nullptr, nullptr, 0},
    {4, "GLYPH_PRINT", "Print", 23},            {5, "GLYPH_SEND", "Send", 23},
    {0, nullptr, nullptr, 0},                   {6, "GLYPH_CUT", "Cut", 23},
    {7, "GLYPH_COPY", "Copy", 23},              {8, "GLYPH_PASTE", "Paste", 20},
    {9, "GLYPH_DELSEL", "Delete selection", 23}, {10, "GLYPH_UNDO", "Undo", 23},
    {11, "GLYPH_SEARCH", "Search", 23},         {21, "GLYPH_REPLACE", "Replace", 23},
    {0, nullptr, nullptr, 0},                   {12, "GLYPH_FONTUP", "Increase font", 23},
    {13, "GLYPH_FONTDOWN", "Decrease font", 23}, {14, "GLYPH_WORDWRAP", "Toggle wordwrap-mode", 23},
    {0, nullptr, nullptr, 0},                   {15, "GLYPH_CASCADE", "Cascade", 23},
    {16, "GLYPH_TILEH", "Tile horizontal", 23}, {17, "GLYPH_TILEV", "Tile vertical", 23},
    {18, "GLYPH_PREVDOC", "Previous document", 23}, {19, "GLYPH_NEXTDOC", "Next document", 23},
    {0, nullptr, nullptr, 0},                   {20, "GLYPH_HELP", "Help", 23},
};

bool FileExists(const std::string& name) {
  DWORD attr = ::GetFileAttributesA(name.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

// ---------------------------------------------------------------------------
// Construction and layout

TForm1::TForm1() : MDIFrameForm(nullptr, "Form1") {
  Form1 = this;
  H1 = Create<THint95>("H1");
  H1->SetHintStyle(hsFlat);
  StatusBar1 = Create<tk::TQuillonStatusBar>("StatusBar1");
  D1 = Create<TDock97>("D1", dpTop);
  D2 = Create<TDock97>("D2", dpLeft);
  D3 = Create<TDock97>("D3", dpRight);
  D4 = Create<TDock97>("D4", dpBottom);
  for (TDock97* d : {D1, D2, D3, D4}) d->LimitToOneRow = true;
  TB1 = Create<TToolbar97>("TB1");
  TB1->SetCaption("Toolbar");
  TB1->DefaultDock = D1;
  MainMenu1 = Create<tk::MainMenu>("MainMenu1");
  OpenDialog1 = Create<tk::OpenDialog>("OpenDialog1");
  OpenDialog1->DefaultExt = "*.txt";
  OpenDialog1->Filter = kOpenFilter;
  OpenDialog1->FilterIndex = 1;
  PageSetupDialog1 = Create<TPageSetupDialog>("PageSetupDialog1");
  PageSetupDialog1->Measurements = pmMillimeters;
  BuildMenus();
  // Seven recent files after "Arrange icons", behind a separator; files
  // that are open are left out.
  RL1 = Create<TMruList>("RL1");
  RL1->SetMaxSaveCount(7);
  RL1->SetMaxShowCount(7);
  RL1->SetAnchor(Arrangeicons1);
  RL1->SetRegIniKey("ORCA\\Recents");
  RL1->OnMruClick = [this](tk::Component* sender, const std::string& item) { RL1MruClick(sender, item); };
  RL1->Loaded();
  MSOfficeCaption1 = Create<TMSOfficeCaption>("MSOfficeCaption1");
  MSOfficeCaption1->CompanyText()->SetCaption("Tolvek's");
  MSOfficeCaption1->CompanyText()->SetFontKind(fkSystemBI);
  MSOfficeCaption1->AppNameText()->SetCaption("Quillon Light");
  MSOfficeCaption1->AppNameText()->SetFontKind(fkSystemB);
  MSOfficeCaption1->ColorLeftActive = RGB(0, 128, 0);
  SystemMenu981 = Create<TSystemMenu98>("SystemMenu981");
  SystemMenu981->SetShowHint(false);
  SystemMenu981->StatusBarIndex = 0;
}

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::CreateWindowNow() {
  RegisterClassOnce(kFrameClass, 0, nullptr, tk::Application.Icon());
  CreateHandle(WS_EX_ACCEPTFILES, kFrameClass, "Tolvek's Quillon Light ",
               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, Scale(226), Scale(116), Scale(537), Scale(393), nullptr,
               nullptr);
  MSOfficeCaption1->HookForm();
  SetMenu(MainMenu1);
  FormCreate();
}

void TForm1::BuildMenus() {
  tk::MenuItem* bar = MainMenu1->Items();
  File1 = bar->Add("File1", "&File");
  File1->SetGroupIndex(0);
  New1 = File1->Add("New1", "&New...", [this](tk::MenuItem*) { New1Click(); }, tk::scCtrl | 'N');
  Open1 = File1->Add("Open1", "&Open...", [this](tk::MenuItem*) { Open1Click(); }, tk::scCtrl | 'O');
  N2 = File1->Add("N2", "-");
  Preferences1 = File1->Add("Preferences1", "P&references...", [this](tk::MenuItem*) { Preferences1Click(); });
  Exit1 = File1->Add("Exit1", "&Exit", [this](tk::MenuItem*) { Exit1Click(); });

  Window1 = bar->Add("Window1", "&Window");
  Window1->SetGroupIndex(3);
  Tile1 = Window1->Add("Tile1", "Tile &horizontal", [this](tk::MenuItem*) { Tile1Click(); });
  Tilevertical1 = Window1->Add("Tilevertical1", "Tile &vertical", [this](tk::MenuItem*) { Tilevertical1Click(); });
  Cascade1 = Window1->Add("Cascade1", "&Cascade", [this](tk::MenuItem*) { Cascade1Click(); });
  Arrangeicons1 = Window1->Add("Arrangeicons1", "&Arrange icons", [this](tk::MenuItem*) { Arrangeicons1Click(); });

  Help1 = bar->Add("N1", "&?");
  Help1->SetGroupIndex(4);
  Contents1 = Help1->Add("Contents1", "&Contents...", [this](tk::MenuItem*) { Contents1Click(); });
  N3 = Help1->Add("N3", "-");
  Info1 = Help1->Add("Info1", "I&nfo", [this](tk::MenuItem*) { Info1Click(); });
}

void TForm1::BuildToolbar() {
  HINSTANCE inst = tk::Application.Instance();
  for (const ButtonDef& def : kButtons) {
    if (def.number == 0) {
      TB1->AddSeparator();
      continue;
    }
    auto* b = Create<TToolbarButton97>("Btn" + std::to_string(def.number));
    b->Hint = def.hint;
    b->Width = def.width;
    b->Height = 22;
    b->Glyph.Load(inst, def.glyph);
    if (def.number == 20) b->NumGlyphs = 2;
    Btn[static_cast<size_t>(def.number)] = b;
    TB1->AddButton(b);
  }
  Btn[1]->OnClick = [this] { Btn1Click(); };
  Btn[2]->OnClick = [this] { Btn2Click(); };
  Btn[3]->OnClick = [this] { Btn3Click(); };
  Btn[4]->OnClick = [this] { Btn4Click(); };
  Btn[5]->OnClick = [this] { Btn5Click(); };
  Btn[6]->OnClick = [this] { Btn6Click(); };
  Btn[7]->OnClick = [this] { Btn7Click(); };
  Btn[8]->OnClick = [this] { Btn8Click(); };
  Btn[9]->OnClick = [this] { Btn9Click(); };
  Btn[10]->OnClick = [this] { Btn10Click(); };
  Btn[11]->OnClick = [this] { Btn11Click(); };
  Btn[12]->OnClick = [this] { Btn12Click(); };
  Btn[13]->OnClick = [this] { Btn13Click(); };
  Btn[14]->OnClick = [this] { Btn14Click(); };
  Btn[15]->OnClick = [this] { Btn15Click(); };
  Btn[16]->OnClick = [this] { Btn16Click(); };
  Btn[17]->OnClick = [this] { Btn17Click(); };
  Btn[18]->OnClick = [this] { Btn18Click(); };
  Btn[19]->OnClick = [this] { Btn19Click(); };
  Btn[20]->OnClick = [this] { Btn20Click(); };
  Btn[21]->OnClick = [this] { Btn21Click(); };
  SetDocButtons(false, false);
}

void TForm1::SetDocButtons(bool documents, bool several) {
  for (int i = 3; i <= 17; ++i) Btn[static_cast<size_t>(i)]->SetEnabledState(documents);
  Btn[21]->SetEnabledState(documents);
  Btn[18]->SetEnabledState(several);
  Btn[19]->SetEnabledState(several);
}

void TForm1::FireDocumentItem(int menu, int item, int sub) {
  tk::MDIChildForm* doc = ActiveMDIChild();
  if (!doc || !doc->Menu()) return;
  tk::MenuItem* bar = doc->Menu()->Items();
  if (menu >= bar->Count()) return;
  tk::MenuItem* m = bar->Items(menu);
  if (item >= m->Count()) return;
  tk::MenuItem* target = m->Items(item);
  if (sub >= 0) {
    if (sub >= target->Count()) return;
    target = target->Items(sub);
  }
  target->Click();
}

RECT TForm1::ClientArea() {
  RECT r{};
  ::GetClientRect(hwnd_, &r);
  int top = D1->Thickness(), left = D2->Thickness(), right = D3->Thickness(), bottom = D4->Thickness();
  int status = StatusBar1->Height();
  r.top += top;
  r.left += left;
  r.right -= right;
  r.bottom -= bottom + status;
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

void TForm1::LayoutBars() {
  if (!hwnd_) return;
  // Moving a dock can change another's thickness, which asks for this
  // again: the layout then runs once more.
  static bool busy = false, again = false;
  if (busy) {
    again = true;
    return;
  }
  busy = true;
  struct Done {
    ~Done() { busy = false; }
  } done;
  for (int round = 0; round < 4; ++round) {
    again = false;
    LayoutBarsOnce();
    if (!again) break;
  }
}

void TForm1::LayoutBarsOnce() {
  RECT c{};
  ::GetClientRect(hwnd_, &c);
  StatusBar1->ParentResized();
  int status = StatusBar1->Height();
  int top = D1->Thickness(), left = D2->Thickness(), right = D3->Thickness(), bottom = D4->Thickness();
  int width = c.right - c.left, height = c.bottom - c.top;
  ::MoveWindow(D1->Handle(), 0, 0, width, top, TRUE);
  ::MoveWindow(D4->Handle(), 0, height - status - bottom, width, bottom, TRUE);
  ::MoveWindow(D2->Handle(), 0, top, left, height - top - bottom - status, TRUE);
  ::MoveWindow(D3->Handle(), width - right, top, right, height - top - bottom - status, TRUE);
  for (TDock97* d : {D1, D2, D3, D4}) d->RearrangeBars();
  LayoutClient();
}

LRESULT TForm1::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: {
      LRESULT r = MDIFrameForm::HandleMessage(msg, wParam, lParam);
      StatusBar1->CreateIn(hwnd_);
      StatusBar1->SetPanels({150, 70, 50});
      for (TDock97* d : {D1, D2, D3, D4}) {
        d->CreateIn(hwnd_);
        d->OnAlignNeeded = [this] { LayoutBars(); };
      }
      BuildToolbar();
      TB1->TakePlace(0, 0);
      TB1->SetDockedTo(D1);
      TB1->OnVisibleChanged = [this] { LayoutBars(); };
      return r;
    }
    case WM_SIZE:
      LayoutBars();
      return 0;
    case WM_DROPFILES:
      WMDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    default: break;
  }
  return MDIFrameForm::HandleMessage(msg, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Events

void TForm1::FormCreate() {
  ::SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(tk::Application.Icon()));
  ::SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(tk::Application.Icon()));
  // No stored position can keep the frame from starting.
  tk::Guarded([this] { LoadToolbarPositions(this, kSettingsKey); });
  ::DragAcceptFiles(hwnd_, TRUE);
  // The designed size, scaled to a screen of fewer pixels per inch, may be
  // narrower than the toolbar: widen the frame so that every button shows.
  RECT client{}, outer{};
  ::GetClientRect(hwnd_, &client);
  ::GetWindowRect(hwnd_, &outer);
  RECT bar{};
  if (TB1->HandleAllocated()) ::GetWindowRect(TB1->Handle(), &bar);
  int missing = TB1->DockedTo() == D1 ? bar.right - bar.left + 2 - client.right : 0;
  if (missing > 0)
    ::SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left + missing, outer.bottom - outer.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  LayoutBars();
  // The glyph of each command's toolbar button beside its menu item.
  const std::pair<tk::MenuItem*, int> glyphs[] = {{New1, 1}, {Open1, 2}, {Cascade1, 15}, {Tile1, 16}, {Tilevertical1, 17}};
  for (size_t i = 0; i < std::size(glyphs); ++i) {
    auto* mb = MB[i + 1] = Create<TMenuItemBitmaps>("MB" + std::to_string(i + 1));
    mb->SetSingleBitmap(true);
    mb->SetMenuItem(glyphs[i].first);
    mb->SetCheckedBitmap(MenuImageOfGlyph(Btn[static_cast<size_t>(glyphs[i].second)]->Glyph).get());
  }
}

void TForm1::FormShow() {
  // A bad setting is reported, and the frame still shows.
  tk::Guarded([this] { Initialisieren(); });
}

void TForm1::FormDestroy() {
  ::DragAcceptFiles(hwnd_, FALSE);
  tk::Guarded([this] { SaveToolbarPositions(this, kSettingsKey); });
}

void TForm1::FormActivate() {
  // The command-line files open once, at the first activation; later
  // activations (after the last document closed, say) must not open them again.
  if (!commandLineDone_) {
    commandLineDone_ = true;
    std::vector<std::string> files = CommandLineFiles;
    // A read error ends the loop and reaches the error box; a missing file
    // only shows its own message.
    for (const std::string& file : files) CreateMDIChild(file);
  }
  if (MDIChildCount() == 0 && Settings.CreateNewDoc) CreateMDIChild("");
  CheckDocumentFiles();
}

void TForm1::SetStatus(int panel, const std::string& text) { StatusBar1->SetPanelText(panel, text); }

// ---------------------------------------------------------------------------
// Settings

void TForm1::Initialisieren() {
  StatusBar1->SetPanelText(2, "Initialize...");
  tk::Application.ProcessMessages();

  tk::Registry reg;
  bool open = reg.OpenKeyReadOnly(kSettingsKey);
  auto flag = [&](const char* name, bool dflt) {
    return open && reg.ValueExists(name) ? reg.ReadInteger(name) != 0 : dflt;
  };
  Settings.CreateNewDoc = flag("CreateNewDoc", false);
  Settings.MaximizeDocs = flag("MaximizeDocs", false);
  Settings.Autowordwrap = flag("Autowordwrap", false);
  Settings.ShowOperations = flag("ShowOperations", false);
  Settings.ShowExtensions = flag("ShowExtensions", true);
  TB1->SetShown(flag("Showtoolbar", true));
  StatusBar1->SetShown(flag("ShowStatusbar", true));
  LayoutBars();
  if (open && reg.ValueExists("Background")) {
    std::string text = reg.ReadString("Background");
    std::optional<core::Color> color = core::ColorFromText(text);
    if (!color) throw tk::ConvertError("'" + text + "' is not a valid colour");
    Settings.Background = *color;
  } else {
    Settings.Background = core::clWindow;
  }
  reg.CloseKey();

  Settings.Font = std::make_unique<tk::Font>(core::FontSpec{});
  ReadRegistryFont(kSettingsKey, "Font", *Settings.Font);
  StatusBar1->SetPanelText(2, "");
}

tk::Font& ReadRegistryFont(const std::string& keyPath, const std::string& valueName, tk::Font& font) {
  tk::Registry reg;
  if (!reg.OpenKeyReadOnly(keyPath)) return font;
  if (!reg.ValueExists(valueName)) return font;
  std::string text = reg.ReadString(valueName);
  reg.CloseKey();
  if (std::optional<core::FontSpec> props = core::ParseFontText(text)) font.Assign(*props);
  return font;
}

// ---------------------------------------------------------------------------
// Opening documents

TEditForm* TForm1::CreateMDIChild(const std::string& name) {
  if (!name.empty() && !FileExists(name)) {
    tk::ShowMessageBox(hwnd_, "File not found! " + std::string(core::FileNamePart(name)), tk::Application.Title,
                       MB_OK | MB_ICONERROR);
    return nullptr;
  }
  StatusBar1->SetPanelTextNow(2, "Loading " + std::string(core::FileNamePart(name)));
  tk::Application.SetCursor(tk::Cursor::HourGlass);

  tk::MDIChildForm* active = ActiveMDIChild();
  bool maximized = active && ::IsZoomed(active->Handle());
  if (maximized) ::SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
  TEditForm* doc = nullptr;
  try {
    doc = tk::Application.CreateForm<TEditForm>(maximized);
    SetDocButtons(true, MDIChildCount() > 1);
    if (maximized) {
      ::SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
      maximized = false;
      ::InvalidateRect(doc->Handle(), nullptr, TRUE);
      ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
      ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
    }
    if (!name.empty()) {
      LoadFile(doc, name);
      RL1->AddItem(name);
    }
  } catch (...) {
    if (maximized) ::SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    // A file that could not be read leaves no window behind that claims to
    // be that file (a Save there would overwrite it with nothing).
    if (doc) doc->Discard();
    StatusBar1->SetPanelText(2, "");
    tk::Application.SetCursor(tk::Cursor::Default);
    throw;
  }
  StatusBar1->SetPanelText(2, "");
  tk::Application.SetCursor(tk::Cursor::Default);
  return doc;
}

void TForm1::DocumentClosing(int count) {
  if (count <= 2) {
    Btn[18]->SetEnabledState(false);
    Btn[19]->SetEnabledState(false);
  }
  if (count <= 1) SetDocButtons(false, false);
}

void TForm1::WMDropFiles(HDROP drop) {
  std::vector<std::string> names;
  try {
    UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      UINT len = ::DragQueryFileA(drop, i, nullptr, 0);
      std::string name(len + 1, '\0');
      UINT got = ::DragQueryFileA(drop, i, name.data(), len + 1);
      name.resize(got);
      names.push_back(name);
    }
  } catch (...) {
    ::DragFinish(drop);
    throw;
  }
  ::DragFinish(drop);
  for (const std::string& name : names) CreateMDIChild(name);
}

void TForm1::RL1MruClick(tk::Component*, const std::string& item) { CreateMDIChild(item); }

// ---------------------------------------------------------------------------
// Commands

void TForm1::New1Click() { CreateMDIChild(""); }

void TForm1::Open1Click() {
  if (OpenDialog1->Execute(hwnd_)) CreateMDIChild(OpenDialog1->FileName);
}

void TForm1::Preferences1Click() {
  if (dialoglib::PreferencesDialog(tk::Application.Handle()) != 0) Initialisieren();
}

void TForm1::CloseDocuments() {
  std::vector<tk::MDIChildForm*> docs = MDIChildren();
  // From the last in the client's list to the first; a document may refuse.
  for (auto it = docs.rbegin(); it != docs.rend(); ++it) {
    std::vector<tk::MDIChildForm*> now = MDIChildren();
    if (std::find(now.begin(), now.end(), *it) != now.end()) (*it)->Close();
  }
}

void TForm1::Exit1Click() {
  StatusBar1->SetPanelTextNow(2, "Closing all dokuments");
  CloseDocuments();
  StatusBar1->SetPanelText(2, "");
  Close();
}

void TForm1::Tile1Click() {
  tileVertical_ = false;
  ::SendMessageA(client_, WM_MDITILE, MDITILE_HORIZONTAL, 0);
}

void TForm1::Tilevertical1Click() {
  tileVertical_ = true;
  ::SendMessageA(client_, WM_MDITILE, MDITILE_VERTICAL, 0);
}

void TForm1::Cascade1Click() { ::SendMessageA(client_, WM_MDICASCADE, 0, 0); }
void TForm1::Arrangeicons1Click() { ::SendMessageA(client_, WM_MDIICONARRANGE, 0, 0); }
void TForm1::Btn1Click() { CreateMDIChild(""); }
void TForm1::Btn2Click() { Open1Click(); }
// The document commands: the active document's menu items by position
// (menus File 0, Edit 1, Chars 2; separators counted).
void TForm1::Btn3Click() { FireDocumentItem(0, 2); }
void TForm1::Btn4Click() { FireDocumentItem(0, 4); }
void TForm1::Btn5Click() { FireDocumentItem(0, 6); }
void TForm1::Btn6Click() { FireDocumentItem(1, 2); }
void TForm1::Btn7Click() { FireDocumentItem(1, 3); }
void TForm1::Btn8Click() { FireDocumentItem(1, 4, 0); }
void TForm1::Btn9Click() { FireDocumentItem(1, 5, 0); }
void TForm1::Btn10Click() { FireDocumentItem(1, 0); }
void TForm1::Btn11Click() { FireDocumentItem(1, 13); }
void TForm1::Btn21Click() { FireDocumentItem(1, 14); }
void TForm1::Btn12Click() { FireDocumentItem(2, 0); }
void TForm1::Btn13Click() { FireDocumentItem(2, 1); }
void TForm1::Btn14Click() { FireDocumentItem(2, 2); }
void TForm1::Btn15Click() { Cascade1Click(); }
void TForm1::Btn16Click() { Tile1Click(); }
void TForm1::Btn17Click() { Tilevertical1Click(); }
void TForm1::Btn20Click() { Contents1Click(); }
bool TForm1::FormDragOver(tk::Component*, int, int) const { return true; }
void TForm1::Btn18Click() { ::SendMessageA(client_, WM_MDINEXT, 0, 1); }
void TForm1::Btn19Click() { ::SendMessageA(client_, WM_MDINEXT, 0, 0); }

void TForm1::Contents1Click() { ShowHelpContents(hwnd_); }

void TForm1::Info1Click() { dialoglib::AboutDialog(tk::Application.Handle(), tk::Application.Icon()); }
