#include "textops/commands.h"

#include <commdlg.h>

#include <chrono>

#include "TRECode.h"
#include "core/textops/textops.h"
#include "longop.h"
#include "toolkit/application.h"
#include "toolkit/seam.h"
#include "toolkit/statusbar.h"

namespace textops {
namespace {

// The confirmation box: question mark, one OK button.
void Confirm(const Target& t, const std::string& text) {
  tk::ShowMessageBox(t.owner, text, "Confirm", MB_OK | MB_ICONQUESTION);
}

core::FindOptions Options(DWORD fr) { return core::FindOptions{(fr & FR_MATCHCASE) != 0, (fr & FR_WHOLEWORD) != 0}; }

core::Selection CurrentSelection(const TSRichEdit& edi) {
  return core::Selection{static_cast<core::TextPos>(edi.SelStart()), static_cast<core::TextPos>(edi.SelLength())};
}

// Writes the result back: the changed span, then the selection.
void Apply(const Target& t, std::string_view text, const core::TextOpResult& r) {
  if (!r.span.empty()) {
    t.edi.SetSel(r.span.offset, r.span.offset + r.span.oldLength);
    t.edi.ReplaceSel(text.substr(static_cast<size_t>(r.span.offset), static_cast<size_t>(r.span.newLength)), false);
  }
  t.edi.SetSel(r.selection.start, r.selection.start + r.selection.length);
}

// The document's text read where it lies, for the commands that build their
// result from views of it.
core::TextReader ReaderOf(const TSRichEdit& edi) {
  return [&edi](core::TextPos from, core::TextPos to, std::string& scratch) { return edi.TextView(from, to, scratch); };
}

// Puts a result built apart from the text over its span, handing the bytes
// over, then sets the selection.
void ApplyBuilt(const Target& t, std::string built, const core::TextOpResult& r) {
  if (!r.span.empty()) {
    t.edi.SetSel(r.span.offset, r.span.offset + r.span.oldLength);
    t.edi.ReplaceSelWith(std::move(built), false);
  }
  t.edi.SetSel(r.selection.start, r.selection.start + r.selection.length);
}

// The step callback of a command that reads the text through views while
// messages run between its steps. The first step and every kEvery-th one
// go to the long operation (asking the clock for each of a million hits costs
// more than the hits under Wine; the operation looks at Escape once a
// millisecond at most anyway). A run of messages that changed the text
// ends the command: its views may be gone, and its result no longer fits.
class ViewedSteps {
 public:
  ViewedSteps(TLongOperation& op, const TSRichEdit& edi) : op_(op), edi_(edi), revision_(edi.Revision()) {}
  core::StepVerdict operator()(const core::StepReport& report) {
    if (report.step > 1 && report.step % kEvery != 0) return core::StepVerdict::Continue;
    const core::StepVerdict v = op_(report);
    if (edi_.Revision() != revision_) {
      changed_ = true;
      return core::StepVerdict::Cancel;
    }
    return v;
  }
  bool TextChanged() const { return changed_; }

 private:
  static constexpr int kEvery = 32;
  TLongOperation& op_;
  const TSRichEdit& edi_;
  std::uint64_t revision_;
  bool changed_ = false;
};

// The document's own search, where its text lies.
core::ForwardSearch SearchIn(const TSRichEdit& edi, const std::string& what, DWORD options) {
  return [&edi, what, options](core::TextPos from) {
    return static_cast<core::TextPos>(
        edi.Find(what, from, -1, (options & FR_MATCHCASE) != 0, (options & FR_WHOLEWORD) != 0));
  };
}

void Beeps(int n) {
  for (int i = 0; i < n; ++i) tk::Beep(0);
}

// Hourglass around a short search; restored also when it fails.
struct HourGlass {
  HourGlass() { tk::Application.SetCursor(tk::Cursor::HourGlass); }
  ~HourGlass() { tk::Application.SetCursor(tk::Cursor::Default); }
};

// The clean-ups and tag removal: cancellable, progress in panel 0.
TLongOperationStyle CancellableStyle() {
  TLongOperationStyle style;
  style.hint = std::string(core::kCancelHint);
  return style;
}

// Case conversion: "Working..." and no cancel; panel 0 is not its own. Its
// one step comes after "Working...", the hourglass, the hiding and one run
// of pending messages, in this order, so that the panel and the hidden
// control show before the work.
TLongOperationStyle WorkingStyle() {
  TLongOperationStyle style;
  style.hint = std::string(core::kWorkingHint);
  style.cancellable = false;
  style.clearPanel0 = false;
  style.hintFirst = true;
  style.pumpAtStart = true;
  return style;
}

// While a deleting command runs with its text in view, what it has finished
// goes into the document at the steady rate of the repaints, so that the
// user sees the text change.
class LiveText {
 public:
  explicit LiveText(TSRichEdit& edi) : edi_(edi) {}
  void Step(const core::StepReport& r) {
    // Only once something changed; then at most once a repaint interval.
    if (r.consumed < 0 || static_cast<core::TextPos>(r.finished.size()) == r.consumed) return;
    const auto now = std::chrono::steady_clock::now();
    if (applied_ && now - last_ < std::chrono::milliseconds(TLongOperation::kPumpIntervalMs)) return;
    last_ = now;
    // The document holds finished[0, new_) followed by the old text from old_.
    edi_.SetSel(new_, new_ + (r.consumed - old_));
    edi_.ReplaceSel(r.finished.substr(static_cast<size_t>(new_)), false);
    old_ = r.consumed;
    new_ = static_cast<core::TextPos>(r.finished.size());
    applied_ = true;
  }
  // Writes the rest of the result: everything behind what went in already.
  void Finish(const std::string& text, const core::TextOpResult& r) {
    edi_.SetSel(new_, -1);
    edi_.ReplaceSel(std::string_view(text).substr(static_cast<size_t>(new_)), false);
    edi_.SetSel(r.selection.start, r.selection.start + r.selection.length);
  }
  bool Applied() const { return applied_; }

 private:
  TSRichEdit& edi_;
  core::TextPos old_ = 0, new_ = 0;
  std::chrono::steady_clock::time_point last_;
  bool applied_ = false;
};

template <class Run>
void LineCommand(const Target& t, TLongOperationStyle style, Run run) {
  core::TextOpResult r;
  {
    TLongOperation op([&edi = t.edi] { return edi.Handle(); }, t.bar, style, t.showOperations);
    LiveText live(t.edi);
    core::StepCallback step = [&](const core::StepReport& report) {
      if (t.showOperations) live.Step(report);
      return op(report);
    };
    std::string text = t.edi.Text();
    r = run(text, CurrentSelection(t.edi), step);
    if (live.Applied())
      live.Finish(text, r);
    else
      Apply(t, text, r);
  }
  Beeps(r.beeps);
}

}  // namespace

void FindNext(const Target& t, const std::string& what, DWORD options) {
  core::TextOpResult r;
  {
    HourGlass busy;
    r = core::FindNextIn(t.edi.TextLength(), CurrentSelection(t.edi), what, SearchIn(t.edi, what, options));
  }
  Beeps(r.beeps);
  if (r.message.empty())
    t.edi.SetSel(r.selection.start, r.selection.start + r.selection.length);
  else
    Confirm(t, r.message);
}

void Replace(const Target& t, const std::string& what, const std::string& with, DWORD options) {
  core::TextOpResult r;
  {
    HourGlass busy;
    r = core::ReplaceNextIn(t.edi.TextLength(), CurrentSelection(t.edi), what, with,
                            SearchIn(t.edi, what, options));
  }
  Beeps(r.beeps);
  if (!r.message.empty()) {
    Confirm(t, r.message);
    return;
  }
  // The span is the hit; `with` goes over it.
  t.edi.SetSel(r.span.offset, r.span.offset + r.span.oldLength);
  t.edi.ReplaceSel(with, false);
  t.edi.SetSel(r.selection.start, r.selection.start + r.selection.length);
}

void ReplaceAll(const Target& t, const std::string& what, const std::string& with, DWORD options) {
  TLongOperationStyle style;
  style.hideControl = false;
  style.hint = std::string(core::kCancelHint);
  style.clearPanel0 = false;
  TLongOperation op([&edi = t.edi] { return edi.Handle(); }, t.bar, style, true);
  std::string built;
  ViewedSteps steps(op, t.edi);
  core::TextOpResult r = core::ReplaceAllIn(t.edi.TextLength(), ReaderOf(t.edi), CurrentSelection(t.edi), what, with,
                                            Options(options), std::ref(steps), built);
  if (steps.TextChanged()) return;  // what was found belongs to a text that is gone
  ApplyBuilt(t, std::move(built), r);
  Beeps(r.beeps);
  // The hourglass and the hint stay until the count is acknowledged.
  Confirm(t, r.message);
}

void RemoveDoubleSpaces(const Target& t) {
  LineCommand(t, CancellableStyle(), [](std::string& text, core::Selection sel, const core::StepCallback& step) {
    return core::RemoveDoubleSpaces(text, sel, step);
  });
}

void RemoveUnnecessarySpaces(const Target& t) {
  LineCommand(t, CancellableStyle(), [](std::string& text, core::Selection sel, const core::StepCallback& step) {
    return core::RemoveUnnecessarySpaces(text, sel, step);
  });
}

void RemoveHtmlTags(const Target& t) {
  LineCommand(t, CancellableStyle(), [](std::string& text, core::Selection, const core::StepCallback& step) {
    return core::RemoveHtmlTags(text, step);
  });
}

namespace {

void ChangeCase(const Target& t, bool upper) {
  TLongOperation op([&edi = t.edi] { return edi.Handle(); }, t.bar, WorkingStyle(), t.showOperations);
  // One step, after the one run of messages at the start: the text does not
  // change under it. A letter's case is a byte for a byte, so the span is
  // converted where it lies, without a copy.
  const auto length = static_cast<core::TextPos>(t.edi.TextLength());
  const core::TextOpResult r = upper ? core::UpcaseSpanIn(length, ReaderOf(t.edi), CurrentSelection(t.edi))
                                     : core::LowcaseSpanIn(length, ReaderOf(t.edi), CurrentSelection(t.edi));
  if (!r.span.empty())
    t.edi.RewriteRange(r.span.offset, r.span.offset + r.span.oldLength, upper ? core::UpcaseBytes : core::LowcaseBytes);
  t.edi.SetSel(r.selection.start, r.selection.start + r.selection.length);
}

}  // namespace

void UpcaseSelection(const Target& t) { ChangeCase(t, true); }

void LowcaseSelection(const Target& t) { ChangeCase(t, false); }

}  // namespace textops

// ---------------------------------------------------------------------------
// The document window's commands of the Edit menu that rework its text.

#include "MainForm.h"
#include "Unit1.h"

namespace {

textops::Target TargetOf(TEditForm& doc) {
  return textops::Target{*doc.Edi, Form1 ? Form1->StatusBar1 : nullptr, Settings.ShowOperations, doc.Handle()};
}

// A second long operation does not start while one runs (its messages are
// being pumped); the user hears that nothing happened.
bool Busy() {
  if (!TLongOperation::Running()) return false;
  tk::Beep(0);
  return true;
}

}  // namespace

void TEditForm::BuildTextOperations() {
  FindDialog1 = Create<tk::FindDialog>("FindDialog1");
  ReplaceDialog1 = Create<tk::ReplaceDialog>("ReplaceDialog1");
  FindDialog1->OnFind = [this](tk::FindDialog*) { FindDialog1Find(); };
  ReplaceDialog1->OnFind = [this](tk::FindDialog*) { ReplaceDialog1Find(); };
  ReplaceDialog1->OnReplace = [this](tk::FindDialog*) { ReplaceDialog1Replace(); };
  Attach({
      {Search1, &TEditForm::Search1Click},
      {Replace1, &TEditForm::Replace1Click},
      {Alldoublespaces1, &TEditForm::Alldoublespaces1Click},
      {HTMLTags1, &TEditForm::HTMLTags1Click},
      {HTMLTags2, &TEditForm::HTMLTags2Click},
      {Upcaseselection1, &TEditForm::Upcaseselection1Click},
      {Lowcaseselection1, &TEditForm::Lowcaseselection1Click},
  });
}

void TEditForm::Search1Click() {
  Edi->SetSel(0, 0);
  FindDialog1->Execute(hwnd_);
}

void TEditForm::Replace1Click() {
  Edi->SetSel(0, 0);
  ReplaceDialog1->Execute(hwnd_);
}

void TEditForm::FindDialog1Find() {
  if (Busy()) return;
  textops::FindNext(TargetOf(*this), FindDialog1->FindText(), FindDialog1->Options);
}

void TEditForm::ReplaceDialog1Find() {
  if (Busy()) return;
  textops::FindNext(TargetOf(*this), ReplaceDialog1->FindText(), ReplaceDialog1->Options);
}

void TEditForm::ReplaceDialog1Replace() {
  if (Busy()) return;
  if (ReplaceDialog1->Options & FR_REPLACEALL)
    textops::ReplaceAll(TargetOf(*this), ReplaceDialog1->FindText(), ReplaceDialog1->ReplaceText(),
                        ReplaceDialog1->Options);
  else
    textops::Replace(TargetOf(*this), ReplaceDialog1->FindText(), ReplaceDialog1->ReplaceText(),
                     ReplaceDialog1->Options);
}

void TEditForm::Alldoublespaces1Click() {
  if (!Busy()) textops::RemoveDoubleSpaces(TargetOf(*this));
}
void TEditForm::HTMLTags1Click() {
  if (!Busy()) textops::RemoveUnnecessarySpaces(TargetOf(*this));
}
void TEditForm::HTMLTags2Click() {
  if (!Busy()) textops::RemoveHtmlTags(TargetOf(*this));
}
void TEditForm::Upcaseselection1Click() {
  if (!Busy()) textops::UpcaseSelection(TargetOf(*this));
}
void TEditForm::Lowcaseselection1Click() {
  if (!Busy()) textops::LowcaseSelection(TargetOf(*this));
}
