// The one seam between the program and the modal things a user answers:
// message boxes, beeps, common dialogs and the help viewer. Tests install
// answers here; the program leaves it empty and the real dialogs appear.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>

namespace tk {

class CommonDialog;

struct UiSeam {
  // Returns the button the "user" pressed (IDOK, IDYES, ...).
  std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT type)> messageBox;
  std::function<void(UINT type)> beep;
  // Fills in the dialog's result fields and returns whether it was confirmed.
  // Not asked for the print dialog, which has the seam below.
  std::function<bool(CommonDialog& dialog)> commonDialog;
  // Stands in for the platform's print dialog (PrintDlgA) alone: it gets the
  // structure the program filled in and answers in it, so that the
  // program's own code around the call runs as with a user.
  std::function<BOOL(PRINTDLGA& print)> printDlg;
  // Shows help; returns false when it could not.
  std::function<bool(HWND owner, const std::string& file, UINT command, ULONG_PTR data)> help;
};

UiSeam& Seam();

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);
void Beep(UINT type = 0);

}  // namespace tk
