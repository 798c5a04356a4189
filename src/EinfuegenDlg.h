// The "ASCII-Characters" dialog: the 256 codes of the 8-bit character set in
// a list (columns "Chars.", "DEC", "HEX"), from which the user picks one to
// insert into the active document.
//
// The program has one such dialog. It is made on first use and then only
// hidden between uses, so the row selected last and the scroll position are
// there again the next time.
//
// For the document window, one call does it all:
//
//   std::string text;
//   if (ShowSpecialCharacterDialog(Handle(), documentFont, text))
//     /* replace the document's selection with `text` */;
//
// `text` is the chosen character, or empty when no row was selected (or the
// row of code 0 was: the control takes zero-terminated text).
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/handles.h"

class TEinfDlg {
 public:
  // Modal results.
  static constexpr int mrOk = 1;
  static constexpr int mrCancel = 2;
  // Control ids, for code that drives the dialog.
  static constexpr int idListView1 = 100;
  static constexpr int idButton1 = 101;  // "&Insert"
  static constexpr int idButton2 = 102;  // "&Cancel"

  // The program's dialog, made on the first call; it lives until the
  // program ends.
  static TEinfDlg& Instance();

  TEinfDlg(const TEinfDlg&) = delete;
  TEinfDlg& operator=(const TEinfDlg&) = delete;
  ~TEinfDlg();

  // Draws the rows in a copy of `font` (nullptr: the list's own 8-point
  // font).
  void SetListFont(HFONT font);

  // Shows the dialog modally over `owner`, which is disabled meanwhile.
  // Returns mrOk for "&Insert", mrCancel for "&Cancel" or the close box.
  int ShowModal(HWND owner);

  // The selected row (its code), or -1 when no row is selected.
  int SelectedRow() const;
  // Selects row `row` and scrolls it into view; -1 clears the selection.
  void SelectRow(int row);
  // The text of a row's column (0 "Chars.", 1 "DEC", 2 "HEX", 3 empty).
  std::string CellText(int row, int column) const;

  HWND Handle() const { return wnd_.get(); }
  HWND ListView1() const { return list_; }

 private:
  TEinfDlg() = default;
  void CreateWindowOnce();
  void FormCreate(HWND wnd);
  // "&Insert" and "&Cancel": each ends the dialog with its result.
  void Button1Click();
  void Button2Click();
  INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK DialogProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

  tk::OwnedWindow wnd_;
  HWND list_ = nullptr;
  tk::OwnedFont ownFont_;   // the list's 8-point font
  tk::OwnedFont listFont_;  // the copy of a document's font, when one was given
  int result_ = 0;
  bool showing_ = false;
};

// "Special character": shows the dialog with its rows in `documentFont`.
// Returns false when the user did not choose "&Insert"; then nothing may
// change. On true, `textToInsert` replaces the document's selection: the one
// character of the selected row's code, or nothing when no row is selected.
bool ShowSpecialCharacterDialog(HWND owner, HFONT documentFont, std::string& textToInsert);
