#include "toolkit/printdlg.h"

#include <algorithm>

#include "toolkit/application.h"
#include "toolkit/printer.h"
#include "toolkit/seam.h"

namespace tk {

namespace {

// One copy in the device mode: the program prints each copy as a job of
// its own, and a driver that made copies as well would multiply them.
void OneCopy(HGLOBAL devMode) {
  if (!devMode || ::GlobalSize(devMode) < sizeof(DEVMODEA)) return;
  auto* dm = static_cast<DEVMODEA*>(::GlobalLock(devMode));
  if (!dm) return;
  if (dm->dmFields & DM_COPIES) dm->dmCopies = 1;
  if (dm->dmFields & DM_COLLATE) dm->dmCollate = DMCOLLATE_FALSE;
  ::GlobalUnlock(devMode);
}

}  // namespace

bool PrintDialog::DoExecute(HWND owner) {
  Printer& printer = CurrentPrinter();
  PRINTDLGA print{};
  print.lStructSize = sizeof print;
  print.hwndOwner = owner ? owner : Application.Handle();
  DeviceBlocks<PRINTDLGA> blocks(print);
  print.hDevMode = printer.CopyDevMode();
  print.hDevNames = printer.MakeDevNames();
  // Without PD_USEDEVMODECOPIESANDCOLLATE the dialog hands the copy count
  // to the program in nCopies.
  print.Flags = Options & ~(PD_RETURNDC | PD_RETURNIC | PD_RETURNDEFAULT | PD_USEDEVMODECOPIESANDCOLLATE);
  if (Collate) print.Flags |= PD_COLLATE;
  print.nCopies = static_cast<WORD>(std::clamp(Copies, 1, 0xFFFF));
  print.nMinPage = print.nFromPage = 1;
  print.nMaxPage = print.nToPage = 0xFFFF;
  if (!RunDialog(print)) return false;
  Copies = print.nCopies;
  Collate = (print.Flags & PD_COLLATE) != 0;
  OneCopy(print.hDevMode);
  printer.SetFromBlocks(print.hDevMode, print.hDevNames);
  return true;
}

BOOL PrintDialog::RunDialog(PRINTDLGA& print) {
  if (Seam().printDlg) return Seam().printDlg(print);
  return ::PrintDlgA(&print);
}

}  // namespace tk
