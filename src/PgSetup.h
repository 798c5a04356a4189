// The platform's page-setup dialog as a component. The program has one,
// the frame's PageSetupDialog1: its margins and paper size persist from one
// use to the next while the program runs; the printer, paper and
// orientation the user confirms become the application's current printer
// (tk::CurrentPrinter()).
//
//   PageSetupDialog1->Measurements = pmMillimeters;      // flags 0x80A
//   if (PageSetupDialog1->Execute(tk::Application.Handle())) ...;
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>

#include "toolkit/commondlg.h"
#include "toolkit/enumset.h"

enum TPageSetupOption {
  poDefaultMinMargins,    // the platform's default minimum margins
  poDisableMargins,       // PSD_DISABLEMARGINS
  poDisableOrientation,   // PSD_DISABLEORIENTATION
  poDisablePagePainting,  // PSD_DISABLEPAGEPAINTING
  poDisablePaper,         // PSD_DISABLEPAPER
  poDisablePrinter,       // PSD_DISABLEPRINTER
  poNoWarning,            // PSD_NOWARNING
  poShowHelp,             // PSD_SHOWHELP: a Help button
};
using TPageSetupOptions = tk::EnumSet<TPageSetupOption>;

// Unit of PaperSize, MinMargins and Margins: hundredths of a millimetre or
// thousandths of an inch.
enum TPSMeasurements { pmMillimeters, pmInches };

// What the sample-page message tells about the page.
enum class TPSPaperType { ptPaper, ptEnvelope };
enum class TPSPaperOrientation { poPortrait, poLandscape };
enum class TPSPrinterType { ptDotMatrix, ptHPPCL };
// The parts of the sample page, in the order the dialog paints them.
enum class TPSPaintWhat { pwFullPage, pwMinimumMargins, pwMargin, pwGreekText, pwEnvStamp, pwYAFullPage };
using PPSDlgData = PAGESETUPDLGA*;

class TPageSetupDialog : public tk::CommonDialog {
 public:
  // The Printer button was pressed; wnd is the dialog's window. Assigned,
  // it takes the place of the platform's printer dialog.
  using TPSPrinterEvent = std::function<void(TPageSetupDialog& sender, HWND wnd)>;
  // Before the sample page is painted; true suppresses the platform's painting.
  using TPSInitPaintPageEvent =
      std::function<bool(TPageSetupDialog& sender, short paperSize, TPSPaperType paperType,
                         TPSPaperOrientation orientation, TPSPrinterType printerType, PPSDlgData setupData)>;
  // For each part of the sample page; true means the handler painted it.
  using TPSPaintPageEvent =
      std::function<bool(TPageSetupDialog& sender, TPSPaintWhat paintWhat, HDC canvas, const RECT& rect)>;

  using tk::CommonDialog::CommonDialog;
  Kind DialogKind() const override { return Kind::PageSetup; }

  TPageSetupOptions Options{poDefaultMinMargins, poShowHelp};
  TPSMeasurements Measurements = pmInches;
  // Kept for the designer's sake: the platform draws every dialog in 3D.
  bool Ctl3D = true;
  int HelpContext = 0;
  TPSPrinterEvent OnPrinter;
  TPSInitPaintPageEvent OnInitPaintPage;
  TPSPaintPageEvent OnPaintPage;

  LPARAM CustData = 0;
  POINT PaperSize{0, 0};
  RECT MinMargins{0, 0, 0, 0};
  // 10 mm or 1 inch on every side, as Measurements says.
  RECT Margins{1000, 1000, 1000, 1000};

  // The dialog flags Execute runs with: the options, the unit, PSD_MARGINS,
  // and the hook flags for the events that are assigned.
  DWORD Flags() const;

 protected:
  // Fills the platform's structure, runs the dialog, takes over what the
  // user confirmed; the owner is the application's window when none is given.
  bool DoExecute(HWND owner) override;
  // The platform call; a test stands in for the user and the platform here.
  virtual BOOL RunDialog(PAGESETUPDLGA& setup);
  // The hook of the dialog (setup and, with both paint events, paint hook).
  static UINT_PTR CALLBACK Hook(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  UINT_PTR HandleHook(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static TPageSetupDialog* current_;
};
