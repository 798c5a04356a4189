// The platform's print dialog as a component. The printer the user confirms
// becomes the application's current printer (tk::CurrentPrinter()); the
// number of copies is left to the program, which prints them itself.
//
//   if (PrintDialog1->Execute(owner))
//     for (int i = 0; i < PrintDialog1->Copies; ++i) ...;
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "toolkit/commondlg.h"

namespace tk {

class PrintDialog : public CommonDialog {
 public:
  using CommonDialog::CommonDialog;
  Kind DialogKind() const override { return Kind::Print; }

  // The copies shown at the start; after a confirmed Execute, the copies the
  // user asked for. Each copy is the program's to print: the printer's own
  // device mode is set to one copy.
  int Copies = 1;
  // Whether the user asked for collated copies.
  bool Collate = false;
  // PRINTDLG flags. By default no page range, no selection choice and no
  // print to file.
  DWORD Options = PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE;

 protected:
  bool DoExecute(HWND owner) override;
  // The platform call; the seam's printDlg stands in for it when set.
  virtual BOOL RunDialog(PRINTDLGA& print);
};

}  // namespace tk
