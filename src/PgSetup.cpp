#include "PgSetup.h"

#include <iterator>
#include <utility>

#include "toolkit/application.h"
#include "toolkit/printer.h"

namespace {

// The sample page's kind of paper, orientation and printer, as the high
// word of WM_PSD_PAGESETUPDLG's wParam gives them.
struct PageKind {
  WORD code;
  TPSPaperType paper;
  TPSPaperOrientation orientation;
  TPSPrinterType printer;
};
constexpr PageKind kPageKinds[] = {
    {0x01, TPSPaperType::ptPaper, TPSPaperOrientation::poLandscape, TPSPrinterType::ptDotMatrix},
    {0x03, TPSPaperType::ptPaper, TPSPaperOrientation::poLandscape, TPSPrinterType::ptHPPCL},
    {0x05, TPSPaperType::ptPaper, TPSPaperOrientation::poPortrait, TPSPrinterType::ptDotMatrix},
    {0x07, TPSPaperType::ptPaper, TPSPaperOrientation::poPortrait, TPSPrinterType::ptHPPCL},
    {0x0b, TPSPaperType::ptEnvelope, TPSPaperOrientation::poLandscape, TPSPrinterType::ptHPPCL},
    {0x0d, TPSPaperType::ptEnvelope, TPSPaperOrientation::poPortrait, TPSPrinterType::ptDotMatrix},
    {0x19, TPSPaperType::ptEnvelope, TPSPaperOrientation::poLandscape, TPSPrinterType::ptDotMatrix},
    {0x1f, TPSPaperType::ptEnvelope, TPSPaperOrientation::poPortrait, TPSPrinterType::ptHPPCL},
};

PageKind DecodePageKind(WORD code) {
  for (const PageKind& kind : kPageKinds)
    if (kind.code == code) return kind;
  return {code, TPSPaperType::ptPaper, TPSPaperOrientation::poPortrait, TPSPrinterType::ptDotMatrix};
}

// The id of the dialog's Printer button.
constexpr WORD kPrinterButton = 1026;

}  // namespace

TPageSetupDialog* TPageSetupDialog::current_ = nullptr;

DWORD TPageSetupDialog::Flags() const {
  static constexpr DWORD kOptionFlags[] = {0,
                                           PSD_DISABLEMARGINS,
                                           PSD_DISABLEORIENTATION,
                                           PSD_DISABLEPAGEPAINTING,
                                           PSD_DISABLEPAPER,
                                           PSD_DISABLEPRINTER,
                                           PSD_NOWARNING,
                                           PSD_SHOWHELP};
  DWORD flags = PSD_MARGINS;
  for (unsigned i = 0; i < std::size(kOptionFlags); ++i)
    if (Options.Contains(static_cast<TPageSetupOption>(i))) flags |= kOptionFlags[i];
  flags |= Measurements == pmMillimeters ? PSD_INHUNDREDTHSOFMILLIMETERS : PSD_INTHOUSANDTHSOFINCHES;
  if (OnPrinter || OnInitPaintPage || OnPaintPage) flags |= PSD_ENABLEPAGESETUPHOOK;
  if (OnInitPaintPage && OnPaintPage) flags |= PSD_ENABLEPAGEPAINTHOOK;
  return flags;
}

bool TPageSetupDialog::DoExecute(HWND owner) {
  tk::Printer& printer = tk::CurrentPrinter();
  PAGESETUPDLGA setup{};
  setup.lStructSize = sizeof setup;
  setup.hwndOwner = owner ? owner : tk::Application.Handle();
  tk::DeviceBlocks<PAGESETUPDLGA> blocks(setup);
  setup.hDevMode = printer.CopyDevMode();
  setup.hDevNames = printer.MakeDevNames();
  setup.Flags = Flags();
  setup.ptPaperSize = PaperSize;
  setup.rtMinMargin = MinMargins;
  setup.rtMargin = Margins;
  setup.hInstance = ::GetModuleHandleA(nullptr);
  setup.lCustData = CustData;
  if (setup.Flags & PSD_ENABLEPAGESETUPHOOK) setup.lpfnPageSetupHook = Hook;
  if (setup.Flags & PSD_ENABLEPAGEPAINTHOOK) setup.lpfnPagePaintHook = Hook;

  BOOL confirmed;
  {
    struct Current {
      TPageSetupDialog* previous;
      explicit Current(TPageSetupDialog* self) : previous(std::exchange(current_, self)) {}
      ~Current() { current_ = previous; }
    } current(this);
    confirmed = RunDialog(setup);
  }
  if (!confirmed) return false;
  PaperSize = setup.ptPaperSize;
  MinMargins = setup.rtMinMargin;
  Margins = setup.rtMargin;
  printer.SetFromBlocks(setup.hDevMode, setup.hDevNames);
  return true;
}

BOOL TPageSetupDialog::RunDialog(PAGESETUPDLGA& setup) { return ::PageSetupDlgA(&setup); }

UINT_PTR CALLBACK TPageSetupDialog::Hook(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!current_) return 0;
  try {
    return current_->HandleHook(wnd, msg, wParam, lParam);
  } catch (...) {
    tk::Application.HandleException();
    return 0;
  }
}

UINT_PTR TPageSetupDialog::HandleHook(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND && LOWORD(wParam) == kPrinterButton && HIWORD(wParam) == 0 && OnPrinter) {
    OnPrinter(*this, wnd);
    return 1;  // handled: the platform's printer dialog stays closed
  }
  if (OnInitPaintPage && OnPaintPage) {
    if (msg == WM_PSD_PAGESETUPDLG) {
      PageKind kind = DecodePageKind(HIWORD(wParam));
      return OnInitPaintPage(*this, static_cast<short>(LOWORD(wParam)), kind.paper, kind.orientation, kind.printer,
                             reinterpret_cast<PPSDlgData>(lParam))
                 ? 1
                 : 0;
    }
    if (msg >= WM_PSD_FULLPAGERECT && msg <= WM_PSD_YAFULLPAGERECT) {
      RECT rect{};
      if (lParam) rect = *reinterpret_cast<const RECT*>(lParam);
      auto what = static_cast<TPSPaintWhat>(msg - WM_PSD_FULLPAGERECT);
      return OnPaintPage(*this, what, reinterpret_cast<HDC>(wParam), rect) ? 1 : 0;
    }
  }
  if (msg == WM_INITDIALOG) {
    // Centred across, its top a third of the way down the free height.
    RECT r{};
    ::GetWindowRect(wnd, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    ::SetWindowPos(wnd, nullptr, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                   (::GetSystemMetrics(SM_CYSCREEN) - height) / 3, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 1;
  }
  return 0;
}
