// The document window: its editing control, its file and its commands.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <utility>

#include "core/datetimefmt.h"
#include "core/filestamp.h"
#include "core/textfile.h"
#include "toolkit/commondlg.h"
#include "toolkit/finddlg.h"
#include "toolkit/form.h"
#include "toolkit/menu.h"
#include "toolkit/printdlg.h"

class TSystemMenu98;

class TSRichEdit;
class TShellBrowser;
class TMenuItemBitmaps;
namespace tk {
class PopupMenu;
}

class TEditForm : public tk::MDIChildForm {
 public:
  explicit TEditForm(bool maximized);
  void CreateWindowNow() override;

  TSRichEdit* Edi = nullptr;
  // Full path of the document's file; empty while untitled.
  std::string FileName;
  tk::SaveDialog* SaveDialog1 = nullptr;
  // MB[1] .. MB[15] and MB[21]: the frame's toolbar glyphs beside the menu
  // commands (MB[15] carries the Cascade glyph and no item).
  std::array<TMenuItemBitmaps*, 22> MB{};

  // The menu bar, by item names. Items of commands that are not there yet
  // are disabled.
  tk::MainMenu* MainMenu1 = nullptr;
  tk::MenuItem *File1 = nullptr, *New1 = nullptr, *Open1 = nullptr, *Save1 = nullptr, *Saveas1 = nullptr,
               *Print1 = nullptr, *PageSetup1 = nullptr, *Send1 = nullptr, *Delete1 = nullptr, *Close1 = nullptr,
               *Closeall1 = nullptr, *N1 = nullptr, *Preferences1 = nullptr, *Exit1 = nullptr;
  tk::MenuItem *Edit1 = nullptr, *Undo1 = nullptr, *N2 = nullptr, *Cut1 = nullptr, *Copy1 = nullptr,
               *Paste2 = nullptr, *Paste1 = nullptr, *Pasteasnewdokument1 = nullptr, *Delete2 = nullptr,
               *Selectedtext1 = nullptr, *Alldoublespaces1 = nullptr, *HTMLTags1 = nullptr, *HTMLTags2 = nullptr,
               *DeleteLine1 = nullptr, *N3 = nullptr, *Selectall1 = nullptr, *Selectline1 = nullptr,
               *SelectWord1 = nullptr, *N4 = nullptr, *Gotoline1 = nullptr, *Search1 = nullptr,
               *Replace1 = nullptr, *N5 = nullptr, *Upcaseselection1 = nullptr, *Lowcaseselection1 = nullptr;
  tk::MenuItem *Chars1 = nullptr, *IncreaseFont1 = nullptr, *DecreaseFont1 = nullptr, *Wordwrap1 = nullptr;
  tk::MenuItem *Insert1 = nullptr, *File2 = nullptr, *String1 = nullptr, *N6 = nullptr, *DateandTime1 = nullptr,
               *Time1 = nullptr, *N7 = nullptr, *WindowsDirectory1 = nullptr, *SystemDirectory1 = nullptr,
               *Otherdirectory1 = nullptr, *N8 = nullptr, *Specialcharacter1 = nullptr;

  // Writes the document to `name` in `format`. The file is replaced only
  // when the whole new content is on disk; on failure the old file stays as
  // it was, FileName and the modified state are unchanged, and a
  // tk::FileError says what went wrong.
  // Saving over the document's own file after another program changed it
  // asks first; false when the answer was No and nothing was written.
  bool SaveFile(const std::string& name, core::TextFormat format);
  bool Modified() const;

  // The file on disk as this document last loaded or saved it.
  core::FileStamp DiskStamp;
  // Asks once about a file that another program changed or deleted since:
  // reload it or keep the text (then modified); keep the document or close it.
  void CheckDiskFile();

  // Closes the window at once, without asking anything.
  void Discard();

  // Commands of the menus.
  void New1Click();
  void Open1Click();
  void Save1Click() { SaveDocument(); }
  void Saveas1Click() { SaveDocumentAs(); }
  void Close1Click() { Close(); }
  void Closeall1Click();
  void Preferences1Click();
  void Exit1Click();
  void Undo1Click();
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void Pasteasnewdokument1Click();
  void Selectedtext1Click();
  void Selectall1Click();
  void IncreaseFont1Click();
  void DecreaseFont1Click();
  void Wordwrap1Click();
  void DeleteLine1Click();
  void Selectline1Click();
  void SelectWord1Click();
  void Gotoline1Click();
  void File2Click();
  void String1Click();
  void DateandTime1Click();
  void Time1Click();
  void WindowsDirectory1Click();
  void SystemDirectory1Click();
  void Otherdirectory1Click();
  void Specialcharacter1Click();

  // "&Other directory": the folder browser, and what it reports while open.
  TShellBrowser* ShellBrowser1 = nullptr;
  void ShellBrowser1SelChange(TShellBrowser& sender, const std::string& NewFolder, bool IsDisplayName);

  // The window's Office-style system menu; it shows no hints.
  TSystemMenu98* SystemMenu981 = nullptr;

  // The context menu of Edi.
  tk::PopupMenu* PopupMenu1 = nullptr;
  tk::MenuItem *Cut2 = nullptr, *Copy2 = nullptr, *Paste3 = nullptr, *Delete3 = nullptr;

  // Events of Edi: the caret report in status panels 0 and 1, and the
  // selection size in panel 2.
  void EdiKeyDown(WORD key);
  void EdiMouseDown();
  void EdiSelectionChange();

  // Search, replace and the text clean-ups (textops/commands.cpp).
  tk::FindDialog* FindDialog1 = nullptr;
  tk::ReplaceDialog* ReplaceDialog1 = nullptr;
  void Search1Click();
  void Replace1Click();
  void FindDialog1Find();
  void ReplaceDialog1Find();
  void ReplaceDialog1Replace();
  void Alldoublespaces1Click();
  void HTMLTags1Click();
  void HTMLTags2Click();
  void Upcaseselection1Click();
  void Lowcaseselection1Click();

  // Printing, page setup, mail and the recycle bin (Unit1_print.cpp).
  tk::PrintDialog* PrintDialog1 = nullptr;
  void Print1Click();
  void PageSetup1Click();
  void Send1Click();
  void Delete1Click();

  // Save and Save as; false when nothing was written (the dialog was
  // cancelled).
  bool SaveDocument();
  bool SaveDocumentAs();

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormActivate() override;
  void FormCloseQuery(bool& canClose) override;
  void FormClose(tk::CloseAction& action) override;
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  using Command = std::pair<tk::MenuItem*, void (TEditForm::*)()>;
  // Gives each item its handler and enables it.
  void Attach(std::initializer_list<Command> commands);
  void BuildMenus();
  void BuildTextOperations();
  void BuildPrinting();
  void BuildEditing();
  void CaretReport();
  // The overwrite question of SaveFile.
  bool MayOverwrite(const std::string& name);
  void ApplyLook();
  bool maximized_;
  bool shown_ = false;
};

// The locale's long time and short date pictures and its names, read from
// the system once, on first use; the "Date and Time" and "Time" commands
// format with them.
struct TDateTimeFormats {
  std::string longTime;
  std::string shortDate;
  core::LocaleNames names;
};
TDateTimeFormats& DateTimeFormats();

// Reads the file into the window. Throws tk::FileError when the file cannot
// be read; the window then still holds what it held before.
void LoadFile(TEditForm* window, const std::string& name);
