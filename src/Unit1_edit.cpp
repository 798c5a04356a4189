// The document window's caret and status reports and its editing and
// insertion commands: lines and words, go to line, date and time, folders,
// special characters, a string on every line, appending a file.
#include <richedit.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "EinfuegenDlg.h"
#include "MainForm.h"
#include "TRECode.h"
#include "Unit1.h"
#include "core/lineinsert.h"
#include "core/statustext.h"
#include "core/textops/textops.h"
#include "core/wordsel.h"
#include "dialoglib.h"
#include "longop.h"
#include "shellbrowser.h"
#include "toolkit/application.h"
#include "toolkit/fileio.h"
#include "toolkit/graphics.h"
#include "toolkit/popupmenu.h"

namespace {

tk::StatusBar* Bar() { return Form1 ? Form1->StatusBar1 : nullptr; }

void SetPanel(int panel, std::string_view text) {
  if (tk::StatusBar* bar = Bar()) bar->SetPanelText(panel, std::string(text));
}

std::string LocaleText(LCTYPE type) {
  char buffer[256] = {};
  int got = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return got > 0 ? std::string(buffer) : std::string();
}

TDateTimeFormats ReadDateTimeFormats() {
  TDateTimeFormats f;
  f.names = core::EnglishLocaleNames();
  f.longTime = core::LongTimePictureFromLocale(LocaleText(LOCALE_STIMEFORMAT));
  f.shortDate = LocaleText(LOCALE_SSHORTDATE);
  if (f.shortDate.empty()) f.shortDate = std::string(core::kFallbackShortDate);
  auto name = [](LCTYPE type, std::string& into) {
    std::string text = LocaleText(type);
    if (!text.empty()) into = text;
  };
  for (int m = 0; m < 12; ++m) {
    name(LOCALE_SMONTHNAME1 + static_cast<LCTYPE>(m), f.names.months[static_cast<size_t>(m)]);
    name(LOCALE_SABBREVMONTHNAME1 + static_cast<LCTYPE>(m), f.names.abbrevMonths[static_cast<size_t>(m)]);
  }
  // The system counts the days from Monday, the names from Sunday.
  for (int d = 0; d < 7; ++d) {
    size_t at = static_cast<size_t>((d + 1) % 7);
    name(LOCALE_SDAYNAME1 + static_cast<LCTYPE>(d), f.names.days[at]);
    name(LOCALE_SABBREVDAYNAME1 + static_cast<LCTYPE>(d), f.names.abbrevDays[at]);
  }
  name(LOCALE_S1159, f.names.am);
  name(LOCALE_S2359, f.names.pm);
  return f;
}

core::DateTimeFields Now() {
  SYSTEMTIME st{};
  ::GetLocalTime(&st);
  core::DateTimeFields t;
  t.year = st.wYear;
  t.month = st.wMonth;
  t.day = st.wDay;
  t.dayOfWeek = st.wDayOfWeek;
  t.hour = st.wHour;
  t.minute = st.wMinute;
  t.second = st.wSecond;
  return t;
}

// Select Word by our own rule, on as much text around the caret as the
// word and the blanks after it need (a line of any length included).
core::WordSpan OwnWordSelection(const TSRichEdit& edi, std::int64_t p) {
  const std::int64_t length = edi.TextLength();
  for (std::int64_t reach = 256;; reach *= 4) {
    std::int64_t from = std::max<std::int64_t>(0, p - reach);
    std::int64_t to = std::min(length, p + reach);
    std::string piece = edi.TextRange(from, to);
    auto at = static_cast<size_t>(p - from);
    core::WordSpan around = core::WordAround(piece, at);
    bool startFound = around.start > 0 || from == 0;
    bool nextFound = around.next < piece.size() || to >= length;
    if (startFound && nextFound) {
      core::WordSpan w = core::WordSelection(piece, at);
      return {w.start + static_cast<size_t>(from), w.next + static_cast<size_t>(from)};
    }
  }
}

}  // namespace

TDateTimeFormats& DateTimeFormats() {
  static TDateTimeFormats formats = ReadDateTimeFormats();
  return formats;
}

void TEditForm::BuildEditing() {
  // Read the locale's pictures now, while the program starts its first
  // document, not in the middle of a command.
  DateTimeFormats();

  Edi->OnKeyDown = [this](WORD key) { EdiKeyDown(key); };
  Edi->OnMouseDown = [this] { EdiMouseDown(); };
  Edi->OnSelectionChange = [this] { EdiSelectionChange(); };

  ShellBrowser1 = Create<TShellBrowser>("ShellBrowser1");
  ShellBrowser1->OnSelChange = [this](TShellBrowser& sender, const std::string& folder, bool isDisplayName) {
    ShellBrowser1SelChange(sender, folder, isDisplayName);
  };

  PopupMenu1 = Create<tk::PopupMenu>("PopupMenu1");
  tk::MenuItem* items = PopupMenu1->Items();
  // "C&ut" cuts: a context-menu entry that silently did nothing would be a
  // trap for the user.
  Cut2 = items->Add("Cut2", "C&ut", [this](tk::MenuItem*) { Cut1Click(); });
  Copy2 = items->Add("Copy2", "&Copy", [this](tk::MenuItem*) { Copy1Click(); });
  Paste3 = items->Add("Paste3", "&Paste", [this](tk::MenuItem*) { Paste1Click(); });
  // The File menu's "&Delete file", whatever carries it out.
  Delete3 = items->Add("Delete3", "&Delete", [this](tk::MenuItem*) { Delete1->Click(); });
  Edi->OnContextPopup = [this](int x, int y) {
    if (x == -1 && y == -1) {
      // From the keyboard: at the caret.
      POINT p{0, 0};
      ::GetCaretPos(&p);
      ::ClientToScreen(Edi->Handle(), &p);
      x = p.x;
      y = p.y;
    }
    PopupMenu1->Popup(hwnd_, x, y);
  };
}

// ---------------------------------------------------------------------------
// Caret and status

void TEditForm::CaretReport() {
  if (!Edi->Handle()) {
    // The first activation comes while the window is being made: an empty
    // text, the caret at its start.
    SetPanel(0, core::CaretPositionText(0, 0));
    SetPanel(1, core::ModifiedPanelText(false));
    return;
  }
  SetPanel(0, core::CaretPositionText(Edi->CaretLine(), Edi->CaretColumn()));
  SetPanel(1, core::ModifiedPanelText(Edi->Modified()));
}

void TEditForm::EdiKeyDown(WORD) { CaretReport(); }
void TEditForm::EdiMouseDown() { CaretReport(); }
void TEditForm::FormActivate() {
  CaretReport();
  if (Form1) Form1->CheckDocumentFiles();
}

void TEditForm::EdiSelectionChange() {
  // While a long command runs, panel 2 carries its hint.
  if (tk::Application.GetCursor() == tk::Cursor::HourGlass) return;
  SetPanel(2, core::SelectionSizeText(Edi->SelLength()));
}

// ---------------------------------------------------------------------------
// Lines and words

void TEditForm::DeleteLine1Click() {
  std::int64_t line = Edi->CaretLine();
  std::int64_t from = Edi->LineIndex(line);
  if (from < 0) return;
  std::int64_t to = Edi->LineIndex(line + 1);
  if (to < 0 || to <= from) to = from + Edi->LineLength(from);
  Edi->SetSel(from, to);
  Edi->ReplaceSel("");
}

void TEditForm::Selectline1Click() {
  std::int64_t start = Edi->SelStart() - Edi->CaretColumn();
  Edi->SetSel(start, start);
  Edi->SetSel(start, start + Edi->LineLength(start));
}

void TEditForm::SelectWord1Click() {
  std::int64_t p = Edi->SelStart();
  // The control's own word breaks where it answers them; a control that
  // does not (it answers 0 for both) gets ours.
  std::int64_t start = Edi->FindWordBreak(WB_LEFT, p);
  std::int64_t next = Edi->FindWordBreak(WB_RIGHT, p);
  bool answered = start <= p && next >= p && (next > start || Edi->TextLength() == 0);
  if (!answered) {
    core::WordSpan w = OwnWordSelection(*Edi, p);
    Edi->SetSel(static_cast<std::int64_t>(w.start), static_cast<std::int64_t>(w.next));
    return;
  }
  // Up to the character before the following word; a word that ends the
  // text keeps its last character.
  std::int64_t end = next;
  if (end > start && core::IsWordBlank(Edi->TextRange(end - 1, end).c_str()[0])) --end;
  Edi->SetSel(start, end);
}

void TEditForm::Gotoline1Click() {
  auto count = static_cast<std::int32_t>(std::min<std::int64_t>(Edi->LineCount(), INT32_MAX));
  auto current = static_cast<std::int32_t>(std::min<std::int64_t>(Edi->CaretLine() + 1, INT32_MAX));
  std::int32_t line = dialoglib::GotoLineDialog(tk::Application.Handle(), count, current);
  // Any number lands on a line that exists.
  Edi->MoveToLine(static_cast<std::int64_t>(line) - 1);
}

// ---------------------------------------------------------------------------
// Insertions

void TEditForm::DateandTime1Click() {
  const TDateTimeFormats& f = DateTimeFormats();
  Edi->ReplaceSel(core::DateAndTimeText(Now(), f.longTime, f.shortDate, f.names));
}

void TEditForm::Time1Click() {
  const TDateTimeFormats& f = DateTimeFormats();
  Edi->ReplaceSel(core::FormatTimePicture(f.longTime, Now(), f.names));
}

void TEditForm::WindowsDirectory1Click() {
  char path[MAX_PATH + 1] = {};
  UINT got = ::GetWindowsDirectoryA(path, MAX_PATH);
  if (got == 0 || got >= MAX_PATH) return;
  Edi->ReplaceSel(std::string(path, got));
}

void TEditForm::SystemDirectory1Click() {
  char path[MAX_PATH + 1] = {};
  UINT got = ::GetSystemDirectoryA(path, MAX_PATH);
  if (got == 0 || got >= MAX_PATH) return;
  Edi->ReplaceSel(std::string(path, got));
}

void TEditForm::Otherdirectory1Click() {
  // What the user picks lands in the text while the browser is open.
  ShellBrowser1->Execute();
}

void TEditForm::ShellBrowser1SelChange(TShellBrowser&, const std::string& NewFolder, bool) {
  std::int64_t s = Edi->SelStart();
  Edi->ReplaceSel(NewFolder);
  Edi->SetSel(s, s + static_cast<std::int64_t>(NewFolder.size()));
}

void TEditForm::Specialcharacter1Click() {
  tk::Font font(Edi->Font());
  std::string text;
  if (!ShowSpecialCharacterDialog(hwnd_, font.Handle(), text)) return;
  Edi->ReplaceSel(text);
}

void TEditForm::String1Click() {
  // The dialog fills the caller's buffer of 250 bytes.
  auto buffer = std::make_unique<char[]>(dialoglib::kInsertStringBufferSize);
  char* text = buffer.get();
  dialoglib::WordBool selectedLines = 0, atLineStart = -1;
  if (!dialoglib::InsertStringDialog(tk::Application.Handle(), &text, &selectedLines, &atLineStart)) return;
  const std::string insert(buffer.get(), ::strnlen(buffer.get(), dialoglib::kInsertStringBufferSize));

  core::InsertStringRequest request;
  request.insert = insert;
  request.atLineStart = atLineStart != 0;
  request.selectedLinesOnly = selectedLines != 0;
  request.selStart = static_cast<size_t>(Edi->SelStart());
  request.selLength = static_cast<size_t>(Edi->SelLength());
  // Lines between line ends, whatever the display wraps.
  const std::string document = Edi->Text();

  TLongOperationStyle style;
  style.hint = std::string(core::kCancelHint);
  HWND control = Edi->Handle();
  core::InsertStringResult result;
  {
    TLongOperation op([this] { return Edi->Handle(); }, Bar(), style, Settings.ShowOperations);
    result = core::InsertStringOnLines(document, request, [&](const core::LineStep& step) {
      auto at = static_cast<std::int64_t>(step.position);
      Edi->SetSel(at, at);
      Edi->ReplaceSel(insert);
      return op.Step(core::LineProgressText(static_cast<core::TextPos>(step.line)));
    });
  }
  // The window may have gone while messages ran.
  if (!::IsWindow(control) || Edi->Handle() != control) return;
  auto caret = static_cast<std::int64_t>(result.caret);
  Edi->SetSel(caret, caret);
}

void TEditForm::File2Click() {
  if (!Form1) return;
  if (Form1->OpenDialog1->Execute(hwnd_)) {
    const std::string name = Form1->OpenDialog1->FileName;
    TLongOperationStyle style;
    style.hint = core::InsertingText(name);
    style.cancellable = false;
    style.clearPanel0 = false;
    // Cursor, control and panel 2 come back also when the file cannot be
    // read; the document is touched only once the whole file is in.
    TLongOperation op([this] { return Edi->Handle(); }, Bar(), style, Settings.ShowOperations);
    tk::Application.ProcessMessages();
    std::string bytes = tk::ReadWholeFile(name);
    // Put in at the end as it was read (its line ends become the control's),
    // without rebuilding the text before it; the caret goes to the start,
    // as when the whole text is set.
    const std::int64_t end = Edi->TextLength();
    Edi->SetSel(end, end);
    Edi->ReplaceSelWith(std::move(bytes), false);
    Edi->SetSel(0, 0);
    Edi->SetModified(true);
  }
  tk::Application.ProcessMessages();
}
