// The frame window: the multiple-document parent with its status bar, docks,
// toolbar and menus; the program-wide settings and the frame's commands.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <string>
#include <vector>

#include "Hint95.h"
#include "menus98/menubar.h"
#include "PgSetup.h"
#include "Settings.h"
#include "tb97/tb97.h"
#include "Wordcap.h"
#include "toolkit/commondlg.h"
#include "toolkit/form.h"
#include "toolkit/menu.h"
#include "toolkit/statusbar.h"

class TEditForm;
class TMruList;
class TSystemMenu98;

class TForm1 : public tk::MDIFrameForm {
 public:
  TForm1();
  ~TForm1() override;
  void CreateWindowNow() override;

  // Components, by their names.
  tk::TQuillonStatusBar* StatusBar1 = nullptr;
  TDock97 *D1 = nullptr, *D2 = nullptr, *D3 = nullptr, *D4 = nullptr;
  TToolbar97* TB1 = nullptr;
  // Btn[1] .. Btn[21]; Btn[0] is unused.
  std::array<TToolbarButton97*, 22> Btn{};
  tk::MainMenu* MainMenu1 = nullptr;
  tk::MenuItem *File1 = nullptr, *New1 = nullptr, *Open1 = nullptr, *N2 = nullptr, *Preferences1 = nullptr,
               *Exit1 = nullptr;
  tk::MenuItem *Window1 = nullptr, *Tile1 = nullptr, *Tilevertical1 = nullptr, *Cascade1 = nullptr,
               *Arrangeicons1 = nullptr;
  tk::MenuItem *Help1 = nullptr, *Contents1 = nullptr, *N3 = nullptr, *Info1 = nullptr;
  tk::OpenDialog* OpenDialog1 = nullptr;
  // Shared by every document window; its margins persist while the program runs.
  TPageSetupDialog* PageSetupDialog1 = nullptr;
  TMruList* RL1 = nullptr;
  TMSOfficeCaption* MSOfficeCaption1 = nullptr;
  THint95* H1 = nullptr;
  // The frame's Office-style system menu; it shows no hints.
  TSystemMenu98* SystemMenu981 = nullptr;
  // MB[1] .. MB[5]: the toolbar glyphs beside New, Open, Cascade, Tile
  // horizontal and Tile vertical; MB[0] is unused.
  std::array<TMenuItemBitmaps*, 6> MB{};

  // The command-line arguments to open at the first activation.
  std::vector<std::string> CommandLineFiles;

  // Reads every setting anew and applies the two visibility values.
  void Initialisieren();
  // The one way to open a document window: a full path, or empty for a new
  // untitled document. Returns the window, or nullptr when none was made.
  TEditForm* CreateMDIChild(const std::string& name);
  // Closes the document windows, the last in the client's list first; each
  // asks its close question and may stay open.
  void CloseDocuments();
  // Asks about each document whose file another program changed or deleted
  // (the frame or a document window became active).
  void CheckDocumentFiles();
  // A document window is closing; `count` is the number of document windows
  // counted before it goes, itself included.
  void DocumentClosing(int count);
  void SetStatus(int panel, const std::string& text);

  // Handlers.
  void New1Click();
  void Open1Click();
  void Preferences1Click();
  void Exit1Click();
  void Tile1Click();
  void Tilevertical1Click();
  void Cascade1Click();
  void Arrangeicons1Click();
  void Contents1Click();
  void Info1Click();
  // The toolbar: Btn3Click to Btn14Click and Btn21Click fire the active
  // document's menu items by their position; the others act on the frame.
  void Btn1Click();
  void Btn2Click();
  void Btn3Click();
  void Btn4Click();
  void Btn5Click();
  void Btn6Click();
  void Btn7Click();
  void Btn8Click();
  void Btn9Click();
  void Btn10Click();
  void Btn11Click();
  void Btn12Click();
  void Btn13Click();
  void Btn14Click();
  void Btn15Click();
  void Btn16Click();
  void Btn17Click();
  void Btn18Click();
  void Btn19Click();
  void Btn20Click();
  void Btn21Click();
  // The frame accepts every drag of the program's own controls over it.
  bool FormDragOver(tk::Component* source, int x, int y) const;
  void RL1MruClick(tk::Component* sender, const std::string& item);
  void WMDropFiles(HDROP drop);

  // The toolbar's state, for whoever asks.
  bool TileVertical() const { return tileVertical_; }

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormActivate() override;
  void FormDestroy() override;
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  RECT ClientArea() override;

 private:
  void BuildMenus();
  void BuildToolbar();
  void LayoutBars();
  void LayoutBarsOnce();
  // Fires item `item` (and sub-item `sub`) of menu `menu` of the active document.
  void FireDocumentItem(int menu, int item, int sub = -1);
  void SetDocButtons(bool documents, bool several);

  bool tileVertical_ = false;
  bool commandLineDone_ = false;
  bool checkingFiles_ = false;
};

extern TForm1* Form1;

// Changes `font` to the font stored as text under HKEY_CURRENT_USER\keyPath
// in `valueName` when that text is well formed; returns `font`.
tk::Font& ReadRegistryFont(const std::string& keyPath, const std::string& valueName, tk::Font& font);

