// The document window's printing, page setup, mail and recycle-bin commands.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <optional>
#include <string>

#include "MainForm.h"
#include "TRECode.h"
#include "Unit1.h"
#include "Unit1_print.h"
#include "core/filenames.h"
#include "core/pagelayout.h"
#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/graphics.h"
#include "toolkit/handles.h"
#include "toolkit/mapi.h"
#include "toolkit/printer.h"
#include "toolkit/seam.h"

namespace {

// One print job on a printer's device context: StartDoc at the start,
// EndDoc when it went through, AbortDoc when it did not.
class PrintJob {
 public:
  PrintJob(HDC dc, const std::string& title) : dc_(dc) {
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = title.c_str();
    if (::StartDocA(dc_, &info) <= 0) throw tk::Error("Printing failed: the printer did not take the job");
    open_ = true;
  }
  ~PrintJob() {
    if (open_) ::AbortDoc(dc_);
  }
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  void StartPage() {
    if (::StartPage(dc_) <= 0) throw tk::Error("Printing failed: the printer did not start a page");
  }
  void EndPage() {
    if (::EndPage(dc_) <= 0) throw tk::Error("Printing failed: the printer did not finish a page");
  }
  void End() {
    open_ = false;
    if (::EndDoc(dc_) <= 0) throw tk::Error("Printing failed: the printer did not finish the job");
  }

 private:
  HDC dc_;
  bool open_ = false;
};

// Prints the whole text of `edit` on the current printer as one job.
void PrintDocument(TSRichEdit& edit, const std::string& title) {
  tk::OwnedMemDC dc(tk::CurrentPrinter().CreateDC());
  if (!dc) throw tk::Error("Printing failed: there is no printer");
  PrintJob job(dc.get(), title);
  FormatPages(edit, dc.get(), true, [&](bool start) { start ? job.StartPage() : job.EndPage(); });
  job.End();
}

// A text in status panel 2 while the shell works; cleared in every case.
class StatusText {
 public:
  explicit StatusText(const std::string& text) { Set(text); }
  ~StatusText() { Set(""); }
  StatusText(const StatusText&) = delete;
  StatusText& operator=(const StatusText&) = delete;

 private:
  static void Set(const std::string& text) {
    if (Form1 && Form1->StatusBar1) Form1->StatusBar1->SetPanelTextNow(2, text);
  }
};

// True when nothing is at `path` any more.
bool Gone(const std::string& path) {
  if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  DWORD error = ::GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::string FullPath(const std::string& path) {
  DWORD need = ::GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (need == 0) return path;
  std::string full(need, '\0');
  DWORD got = ::GetFullPathNameA(path.c_str(), need, full.data(), nullptr);
  if (got == 0 || got >= need) return path;
  full.resize(got);
  return full;
}

// Pages laid out and drawn row by row in the document's font.
class OwnLayout {
 public:
  OwnLayout(TSRichEdit& edit, HDC dc, int width, int height)
      : edit_(edit), dc_(dc), width_(width), length_(edit.TextLength()) {
    LOGFONTA lf = tk::Font(edit.Font()).LogFont(::GetDeviceCaps(dc, LOGPIXELSY));
    font_.reset(::CreateFontIndirectA(&lf));
    old_ = ::SelectObject(dc_, font_.get());
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc_, &tm);
    rowHeight_ = std::max<int>(1, tm.tmHeight);
    rows_ = height / rowHeight_;
  }
  ~OwnLayout() { ::SelectObject(dc_, old_); }
  OwnLayout(const OwnLayout&) = delete;
  OwnLayout& operator=(const OwnLayout&) = delete;

  // Lays out (and draws) the page that starts at `from`; returns the first
  // character of the next page.
  std::int64_t Page(std::int64_t from, bool render) {
    // Enough text for a page of full rows; more when the page takes all of it.
    std::int64_t chunk = std::max<std::int64_t>(4096, std::int64_t{rows_} * 256);
    for (;;) {
      std::int64_t to = std::min(length_, from + chunk);
      std::string text = edit_.TextRange(from, to);
      core::PageLayout page = core::LayOutPage(text, 0, rows_, [&](std::string_view row) { return Fit(row); });
      if (page.next >= text.size() && to < length_) {
        chunk *= 4;
        continue;
      }
      if (render) Draw(text, page);
      return from + static_cast<std::int64_t>(page.next);
    }
  }

 private:
  int Width(std::string_view row) const {
    DWORD size = ::GetTabbedTextExtentA(dc_, row.data(), static_cast<int>(row.size()), 0, nullptr);
    return LOWORD(size);
  }
  // The longest start of `row` that fits across the page.
  std::size_t Fit(std::string_view row) const {
    // No row holds more characters than the page has dots.
    row = row.substr(0, std::min<std::size_t>(row.size(), static_cast<std::size_t>(width_)));
    if (row.find('\t') == std::string_view::npos) {
      INT fit = 0;
      SIZE size{};
      if (::GetTextExtentExPointA(dc_, row.data(), static_cast<int>(row.size()), width_, &fit, nullptr, &size))
        return static_cast<std::size_t>(std::max(fit, 0));
    }
    // Tabs: the longest start whose tabbed width fits.
    if (Width(row) <= width_) return row.size();
    std::size_t low = 0, high = row.size();  // fits(low), !fits(high)
    while (high - low > 1) {
      std::size_t mid = low + (high - low) / 2;
      (Width(row.substr(0, mid)) <= width_ ? low : high) = mid;
    }
    return low;
  }
  void Draw(const std::string& text, const core::PageLayout& page) const {
    ::SetBkMode(dc_, TRANSPARENT);
    ::SetTextColor(dc_, RGB(0, 0, 0));
    int y = 0;
    for (const core::PageRow& row : page.rows) {
      if (row.to > row.from)
        ::TabbedTextOutA(dc_, 0, y, text.data() + row.from, static_cast<int>(row.to - row.from), 0, nullptr, 0);
      y += rowHeight_;
    }
  }

  TSRichEdit& edit_;
  HDC dc_;
  int width_;
  std::int64_t length_;
  tk::OwnedFont font_;
  HGDIOBJ old_ = nullptr;
  int rowHeight_ = 1;
  int rows_ = 0;
};

}  // namespace

std::vector<PageRange> FormatPages(TSRichEdit& edit, HDC dc, bool render,
                                   const std::function<void(bool start)>& page) {
  int dpiX = ::GetDeviceCaps(dc, LOGPIXELSX), dpiY = ::GetDeviceCaps(dc, LOGPIXELSY);
  int width = ::GetDeviceCaps(dc, HORZRES), height = ::GetDeviceCaps(dc, VERTRES);
  if (dpiX <= 0 || dpiY <= 0 || width <= 0 || height <= 0)
    throw tk::Error("Printing failed: the printer reports no page area");
  const std::int64_t length = edit.TextLength();

  OwnLayout layout(edit, dc, width, height);
  std::vector<PageRange> pages;
  std::int64_t from = 0;
  do {
    if (render && page) page(true);
    std::int64_t next = layout.Page(from, render);
    if (render && page) page(false);
    if (next > length) next = length;
    if (next <= from && from < length)
      throw tk::Error("Printing failed: the text does not fit on the printer's page");
    pages.push_back({from, next});
    from = next;
  } while (from < length);
  return pages;
}

void TEditForm::BuildPrinting() {
  PrintDialog1 = Create<tk::PrintDialog>("PrintDialog1");
  Attach({
      {Print1, &TEditForm::Print1Click},
      {PageSetup1, &TEditForm::PageSetup1Click},
      {Send1, &TEditForm::Send1Click},
      {Delete1, &TEditForm::Delete1Click},
  });
}

void TEditForm::Print1Click() {
  if (!PrintDialog1->Execute(hwnd_)) return;
  // Each copy is a job of its own, titled with the window's caption.
  for (int copy = 0; copy < PrintDialog1->Copies; ++copy) PrintDocument(*Edi, Caption());
}

void TEditForm::PageSetup1Click() {
  if (Form1) Form1->PageSetupDialog1->Execute(nullptr);
}

void TEditForm::Send1Click() {
  if (FileName.empty()) {
    if (tk::ShowMessageBox(hwnd_, "Document must be saved before sending! Save now?", "Confirm",
                           MB_YESNO | MB_ICONQUESTION) != IDYES)
      return;
    // A save the user cancelled leaves nothing to send.
    if (!SaveDocument() || FileName.empty()) return;
  }
  // The file on disk goes, as last saved; the result is the mail system's
  // business.
  tk::Mapi().SendDocuments(nullptr, ";", FileName, "");
}

void TEditForm::Delete1Click() {
  if (FileName.empty()) return;
  tk::Beep(0);
  const std::string path = FullPath(FileName);
  {
    StatusText status("Deleting " + std::string(core::FileNamePart(FileName)));
    // To the recycle bin, with the shell's own question and error reports.
    std::string from = path + std::string(2, '\0');
    SHFILEOPSTRUCTA op{};
    op.hwnd = nullptr;
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO;
    ::SHFileOperationA(&op);
  }
  // Declined or failed: the document stays as it is, unsaved changes and all.
  if (!Gone(path)) return;
  Edi->SetModified(false);
  Close();
}
