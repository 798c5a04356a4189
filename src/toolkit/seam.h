// The one seam between the program and the modal things a user answers:
// message boxes, beeps, common dialogs and the help viewer. Tests install
// answers here; the program leaves it empty and the real dialogs appear.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tk {

class CommonDialog;

struct UiSeam {
  // Returns the button the "user" pressed (IDOK, IDYES, ...).
  std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT type)> messageBox;
  std::function<void(UINT type)> beep;
  // Fills in the dialog's result fields and returns whether it was confirmed.
  std::function<bool(CommonDialog& dialog)> commonDialog;
  // Shows help; returns false when it could not.
  std::function<bool(HWND owner, const std::string& file, UINT command, ULONG_PTR data)> help;
};

UiSeam& Seam();

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);
void Beep(UINT type = 0);

}  // namespace tk
