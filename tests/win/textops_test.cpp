// Search, replace, the space clean-ups, HTML tags and case conversion on a
// real document window.
#include "harness.h"

#include <commctrl.h>
#include <commdlg.h>

#include "TRECode.h"
#include "longop.h"
#include "Unit1.h"
#include "toolkit/application.h"
#include "toolkit/seam.h"

using harness::Rec;

namespace {

using TextOps = harness::DocumentTest;

struct RewriteCase {
  const char* name;
  void (TEditForm::*command)();
  std::string before;
  long long selStart, selLength;
  std::string after;
  long long caret;  // nothing selected afterwards
  size_t beeps;
};

class Rewrite : public TextOps, public ::testing::WithParamInterface<RewriteCase> {};

TEST_P(Rewrite, ChangesTheTextPlacesTheCaretAndRestores) {
  const RewriteCase& c = GetParam();
  TEditForm* doc = Doc(c.before, c.selStart, c.selLength);
  frame->StatusBar1->SetPanelText(0, "Line: 1 Pos: 1");
  (doc->*c.command)();
  EXPECT_EQ(doc->Edi->Text(), c.after);
  EXPECT_EQ(doc->Edi->SelStart(), c.caret);
  EXPECT_EQ(doc->Edi->SelLength(), 0);
  EXPECT_EQ(Rec().beeps.size(), c.beeps);
  EXPECT_TRUE(Rec().boxes.empty());
  EXPECT_EQ(doc->Modified(), c.after != c.before);
  ExpectRestored(doc, false);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, Rewrite,
    ::testing::Values(
        RewriteCase{"DoubleSpaces", &TEditForm::Alldoublespaces1Click, "a  b   c\rd    e\rf g", 0, 0,
                    "ab c\rde\rf g", 7, 0},
        RewriteCase{"DoubleSpacesTabsStay", &TEditForm::Alldoublespaces1Click, "a\t\tb", 0, 0, "a\t\tb", 0, 0},
        RewriteCase{"UnnecessarySpaces", &TEditForm::HTMLTags1Click, " \t x \r\xA0y\xA0 \r  ", 0, 0,
                    "x\r\xA0y\xA0\r", 6, 0},
        RewriteCase{"HtmlTags", &TEditForm::HTMLTags2Click, "a<b>c<d\re>f<g", 0, 0, "acf<g", 2, 1},
        RewriteCase{"HtmlNoTag", &TEditForm::HTMLTags2Click, "plain", 3, 0, "plain", 0, 1},
        RewriteCase{"Upcase", &TEditForm::Upcaseselection1Click, "abc \xE4\xDF xyz", 0, 10,
                    "ABC \xE4\xDF XYZ", 10, 0},
        RewriteCase{"LowcasePart", &TEditForm::Lowcaseselection1Click, "ABC DEF", 4, 2, "ABC deF", 6, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Search and replace

class SearchReplace : public TextOps {
 protected:
  void SetUp() override {
    TextOps::SetUp();
    doc = Doc("a a a");
  }
  void Find(const std::string& what, DWORD options = FR_DOWN) {
    doc->FindDialog1->SetFindText(what);
    doc->FindDialog1->Options = options;
    doc->FindDialog1Find();
  }
  void ReplaceWith(const std::string& what, const std::string& with, bool all, DWORD options = FR_DOWN) {
    doc->ReplaceDialog1->SetFindText(what);
    doc->ReplaceDialog1->SetReplaceText(with);
    doc->ReplaceDialog1->Options = options | (all ? FR_REPLACEALL : 0);
    doc->ReplaceDialog1Replace();
  }
  TEditForm* doc = nullptr;
};

TEST_F(SearchReplace, FindNextWalksTheHitsThenReportsNoMoreWithTwoBeeps) {
  for (long long expected : {0, 2, 4}) {
    Find("a");
    EXPECT_EQ(doc->Edi->SelStart(), expected);
    EXPECT_EQ(doc->Edi->SelLength(), 1);
  }
  EXPECT_TRUE(Rec().beeps.empty());
  Find("a");
  ASSERT_EQ(Rec().boxes.size(), 1u);
  EXPECT_EQ(Rec().boxes[0].text, "No other items found!");
  EXPECT_TRUE(Rec().boxes[0].type & MB_ICONQUESTION);
  EXPECT_EQ(Rec().beeps.size(), 2u);
  EXPECT_EQ(doc->Edi->SelStart(), 4);  // the selection stays
  EXPECT_EQ(tk::Application.GetCursor(), tk::Cursor::Default);
}

TEST_F(SearchReplace, SearchCommandPutsTheCaretAtTheStart) {
  doc->Edi->SetSel(4, 5);
  doc->Search1Click();
  EXPECT_EQ(doc->Edi->SelStart(), 0);
  EXPECT_NE(doc->FindDialog1->Handle(), nullptr);
  doc->FindDialog1->CloseDialog();
}

TEST_F(SearchReplace, ReplaceAfterFindNextSkipsTheSelectedHit) {
  Find("a");
  ReplaceWith("a", "b", false);
  EXPECT_EQ(doc->Edi->Text(), "a b a");
  EXPECT_EQ(doc->Edi->SelStart(), 2);
  EXPECT_EQ(doc->Edi->SelLength(), 1);
}

TEST_F(SearchReplace, ReplaceAllCountsAndShowsTheCountWhileStillBusy) {
  struct Case {
    std::string text, what, with;
    long long caret;
    std::string after, message;
  };
  const Case cases[] = {
      {"a a a", "a", "b", 0, "b b b", "3 items replaced."},
      {"a x a", "a", "aa", 0, "aa x aa", "2 items replaced."},
      {"a a a", "a", "b", 2, "a b b", "2 items replaced."},
      {"concat cat", "cat", "dog", 0, "concat dog", "1 items replaced."},  // whole word
      {"a a", "", "b", 0, "a a", "0 items replaced."},
  };
  for (const Case& c : cases) {
    doc->Edi->SetText(c.text);
    doc->Edi->SetSel(c.caret, c.caret);
    Rec().Clear();
    std::string hintWhileAsked;
    tk::Cursor cursorWhileAsked = tk::Cursor::Default;
    Rec().boxAnswers.push_back(IDOK);
    auto seam = tk::Seam().messageBox;
    tk::Seam().messageBox = [&](HWND o, const std::string& t, const std::string& cap, UINT type) {
      hintWhileAsked = frame->StatusBar1->PanelText(2);
      cursorWhileAsked = tk::Application.GetCursor();
      return seam(o, t, cap, type);
    };
    ReplaceWith(c.what, c.with, true, FR_DOWN | (c.what == "cat" ? FR_WHOLEWORD : 0));
    tk::Seam().messageBox = seam;
    EXPECT_EQ(doc->Edi->Text(), c.after) << c.text;
    ASSERT_EQ(Rec().boxes.size(), 1u);
    EXPECT_EQ(Rec().boxes[0].text, c.message);
    EXPECT_EQ(Rec().beeps.size(), 1u);  // the last, failing search
    EXPECT_EQ(hintWhileAsked, "Press <ESC> to cancel");
    EXPECT_EQ(cursorWhileAsked, tk::Cursor::HourGlass);
    ExpectRestored(doc, false);
  }
}

// An Escape held down when a long command starts stops it after its first
// step; that step's work stays and everything is restored.
TEST_F(TextOps, EscapeStopsLongCommandsAfterTheFirstStep) {
  struct Case {
    void (TEditForm::*command)();
    std::string before, after;
  };
  const Case cases[] = {
      {&TEditForm::Alldoublespaces1Click, "a  b\rc  d\re  f", "ab\rc  d\re  f"},
      {&TEditForm::HTMLTags1Click, " a \r b \r c ", "a\r b \r c "},
      {&TEditForm::HTMLTags2Click, "<a>x<b>y<c>", "x<b>y<c>"},
  };
  for (const Case& c : cases) {
    TEditForm* doc = Doc(c.before);
    harness::HoldEscape(true);
    (doc->*c.command)();
    harness::HoldEscape(false);
    EXPECT_EQ(doc->Edi->Text(), c.after);
    EXPECT_TRUE(Rec().beeps.empty());  // a cancel sounds nothing
    ExpectRestored(doc, false);
    EXPECT_EQ(frame->StatusBar1->PanelText(0), "");
  }
  // Replace All: exactly one replacement, and its count.
  TEditForm* doc = Doc("a a a");
  doc->ReplaceDialog1->SetFindText("a");
  doc->ReplaceDialog1->SetReplaceText("b");
  doc->ReplaceDialog1->Options = FR_DOWN | FR_REPLACEALL;
  harness::HoldEscape(true);
  doc->ReplaceDialog1Replace();
  harness::HoldEscape(false);
  EXPECT_EQ(doc->Edi->Text(), "b a a");
  ASSERT_FALSE(Rec().boxes.empty());
  EXPECT_EQ(Rec().boxes.back().text, "1 items replaced.");
  ExpectRestored(doc, false);
}

// Case conversion shows "Working..." before the hourglass, hides the control
// after both, and lets pending messages run once before it reads the text.
namespace order {
std::vector<std::string> events;
HWND bar = nullptr, control = nullptr;
TEditForm* doc = nullptr;
const WPARAM kMarker = 0x5157;

std::string Cursor() { return tk::Application.GetCursor() == tk::Cursor::HourGlass ? "hourglass" : "default"; }

LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam) {
  auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && m->hwnd == bar && m->message == SB_SETTEXTA && LOBYTE(m->wParam) == 2 &&
      m->lParam && std::string(reinterpret_cast<const char*>(m->lParam)) == "Working...")
    events.push_back("hint " + Cursor() + (::IsWindowVisible(control) ? " shown" : " hidden"));
  if (code == HC_ACTION && m->hwnd == control && m->message == WM_SHOWWINDOW && !m->wParam)
    events.push_back("hide " + Cursor());
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK Got(int code, WPARAM wParam, LPARAM lParam) {
  auto* m = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && m->message == WM_NULL && m->wParam == kMarker)
    events.push_back("pump " + Cursor() + (::IsWindowVisible(control) ? " shown " : " hidden ") + doc->Edi->Text());
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace order

TEST_F(TextOps, CaseConversionShowsItsStateInTheOrderOfItsSteps) {
  for (bool up : {true, false}) {
    order::doc = Doc(up ? "abc" : "ABC", 0, 3);
    order::bar = frame->StatusBar1->Handle();
    order::control = order::doc->Edi->Handle();
    order::events.clear();
    HHOOK sent = ::SetWindowsHookExA(WH_CALLWNDPROC, order::Sent, nullptr, ::GetCurrentThreadId());
    HHOOK got = ::SetWindowsHookExA(WH_GETMESSAGE, order::Got, nullptr, ::GetCurrentThreadId());
    ::PostMessageA(frame->Handle(), WM_NULL, order::kMarker, 0);
    if (up)
      order::doc->Upcaseselection1Click();
    else
      order::doc->Lowcaseselection1Click();
    ::UnhookWindowsHookEx(sent);
    ::UnhookWindowsHookEx(got);
    const std::vector<std::string> expected = {"hint default shown", "hide hourglass",
                                               std::string("pump hourglass hidden ") + (up ? "abc" : "ABC")};
    EXPECT_EQ(order::events, expected);
    EXPECT_EQ(order::doc->Edi->Text(), up ? "ABC" : "abc");
    ExpectRestored(order::doc, false);
  }
}

// Text typed into a document while a long command runs on it is neither
// lost nor put into the command's work: it lands after the command's result.
namespace typing {
TEditForm* doc = nullptr;
bool postedWhileRunning = false;
long long lengthWhileRunning = 0;
long long untouchedLength = 0;
bool waitForAChange = false;

// Types once the command is running and, when its steps are shown, once the
// document has visibly changed; until then the timer keeps ticking, so the
// test does not depend on how fast the machine reaches the first repaint.
void CALLBACK TypeXyz(HWND, UINT, UINT_PTR id, DWORD) {
  if (!TLongOperation::Running()) return;
  long long length = doc->Edi->TextLength();
  if (waitForAChange && length == untouchedLength) return;
  ::KillTimer(nullptr, id);
  postedWhileRunning = true;
  lengthWhileRunning = length;
  for (char c : std::string("xyz")) ::PostMessageA(doc->Edi->Handle(), WM_CHAR, static_cast<WPARAM>(c), 1);
}
}  // namespace typing

TEST_F(TextOps, TextTypedDuringALongCommandLandsAfterItsResult) {
  std::string text;
  for (int i = 0; i < 400000; ++i) text += "a  b\r";
  for (bool showOperations : {false, true}) {
    SCOPED_TRACE(showOperations ? "operations shown" : "operations hidden");
    Settings.ShowOperations = showOperations;
    TEditForm* reference = Doc(text);
    reference->Alldoublespaces1Click();
    std::string result = reference->Edi->Text();
    long long caret = reference->Edi->SelStart();

    typing::doc = Doc(text);
    typing::postedWhileRunning = false;
    typing::untouchedLength = static_cast<long long>(text.size());
    typing::waitForAChange = showOperations;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 1, typing::TypeXyz);
    typing::doc->Alldoublespaces1Click();
    if (!typing::postedWhileRunning) ::KillTimer(nullptr, timer);
    EXPECT_EQ(typing::doc->Edi->Text(), result);  // nothing typed went into the work
    harness::Pump();
    ASSERT_TRUE(typing::postedWhileRunning);
    // With the operations shown, the document changed while the command ran.
    if (showOperations)
      EXPECT_LT(typing::lengthWhileRunning, static_cast<long long>(text.size()));
    else
      EXPECT_EQ(typing::lengthWhileRunning, static_cast<long long>(text.size()));
    EXPECT_EQ(typing::doc->Edi->Text(), result.insert(static_cast<size_t>(caret), "xyz"));
    EXPECT_TRUE(Rec().beeps.empty());
  }
  Settings.ShowOperations = false;
}

TEST_F(TextOps, LongLinesAreProcessedWhole) {
  std::string line = "  " + std::string(5000, 'x') + "  y  ";
  TEditForm* doc = Doc(line);
  doc->HTMLTags1Click();
  EXPECT_EQ(doc->Edi->Text(), std::string(5000, 'x') + "  y");
}

}  // namespace
