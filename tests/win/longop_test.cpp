// The long-operation convention: what it shows while a command runs, the
// Escape poll, and the restore in every case.
#include "harness.h"
#include "TRECode.h"
#include "longop.h"
#include "toolkit/application.h"

namespace {

class LongOperation : public harness::FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    Start();
    control = ::CreateWindowExA(0, "STATIC", "text", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, frame->ClientHandle(),
                                nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    if (::IsWindow(control)) ::DestroyWindow(control);
    FrameTest::TearDown();
  }
  static void PressEscape() {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = VK_ESCAPE;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
    harness::Pump();
  }
  std::function<HWND()> Control() const {
    return [this] { return control; };
  }
  HWND control = nullptr;
};

using LongOperationInput = harness::DocumentTest;

TEST_F(LongOperation, ShowsItsStateWhileRunningAndRestoresEverythingAfter) {
  struct Case {
    bool hide, showOperations;
    bool expectHidden;
  };
  for (const Case c : {Case{true, false, true}, Case{true, true, false}, Case{false, false, false}}) {
    frame->StatusBar1->SetPanelText(0, "Line: 1 Pos: 1");
    {
      TLongOperationStyle style;
      style.hideControl = c.hide;
      style.hint = "Press <ESC> to cancel";
      TLongOperation op(Control(), frame->StatusBar1, style, c.showOperations);
      EXPECT_EQ(tk::Application.GetCursor(), tk::Cursor::HourGlass);
      EXPECT_TRUE(TLongOperation::Running());
      EXPECT_EQ(::IsWindowVisible(control) == FALSE, c.expectHidden);
      EXPECT_EQ(frame->StatusBar1->PanelText(2), "Press <ESC> to cancel");
      for (int i = 0; i < 3; ++i) EXPECT_TRUE(op.Step("(Line " + std::to_string(i) + ") Working..."));
    }
    EXPECT_EQ(tk::Application.GetCursor(), tk::Cursor::Default);
    EXPECT_FALSE(TLongOperation::Running());
    EXPECT_TRUE(::IsWindowVisible(control));
    EXPECT_EQ(frame->StatusBar1->PanelText(0), "");
    EXPECT_EQ(frame->StatusBar1->PanelText(2), "");
  }
}

TEST_F(LongOperation, EscapeStopsAfterTheRunningStepButNotWhenNotCancellable) {
  for (bool cancellable : {true, false}) {
    TLongOperationStyle style;
    style.cancellable = cancellable;
    style.clearPanel0 = false;
    TLongOperation op(Control(), frame->StatusBar1, style, false);
    EXPECT_TRUE(op.Step("(Line 0) Working..."));
    PressEscape();
    ::Sleep(2);  // the key is looked at once a millisecond at most
    EXPECT_EQ(op.Step("(Line 1) Working..."), !cancellable);
    EXPECT_EQ(op.Cancelled(), cancellable);
    if (cancellable) {
      EXPECT_EQ(frame->StatusBar1->PanelText(0), "(Line 1) Working...");
    }
  }
  // Panel 0 kept when the command does not clear it.
  EXPECT_EQ(frame->StatusBar1->PanelText(0), "(Line 1) Working...");
}

TEST_F(LongOperation, AnEscapePressedBeforeTheStartDoesNotCancel) {
  PressEscape();
  TLongOperation op(Control(), frame->StatusBar1, TLongOperationStyle{}, false);
  EXPECT_TRUE(op.Step());
  EXPECT_FALSE(op.Cancelled());
}

TEST_F(LongOperation, StopsWhenTheWindowGoesWhileMessagesRun) {
  TLongOperation op(Control(), frame->StatusBar1, TLongOperationStyle{}, false);
  ::PostMessageA(control, WM_CLOSE, 0, 0);  // a static control ends on WM_CLOSE via DefWindowProc
  ::Sleep(TLongOperation::kPumpIntervalMs + 10);
  EXPECT_FALSE(op.Step());
  EXPECT_TRUE(op.Cancelled());
}

// Keys, characters and clicks aimed at the document wait while the command
// runs and reach the control afterwards, in their order; Escape cancels and
// is not replayed; input for other windows is not held.
TEST_F(LongOperationInput, InputForTheDocumentWaitsUntilTheEnd) {
  TEditForm* doc = Doc("abc", 3);
  HWND edi = doc->Edi->Handle();
  HWND other = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, frame->Handle(), nullptr,
                                 nullptr, nullptr);
  {
    TLongOperation op([&] { return doc->Edi->Handle(); }, frame->StatusBar1, TLongOperationStyle{}, true);
    ::PostMessageA(edi, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));  // before the first character
    ::PostMessageA(edi, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    ::PostMessageA(edi, WM_CHAR, 'x', 1);
    ::PostMessageA(doc->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    ::PostMessageA(edi, WM_CHAR, 'y', 1);
    ::PostMessageA(other, WM_CHAR, 'o', 1);
    harness::HoldEscape(true);
    ::Sleep(TLongOperation::kPumpIntervalMs + 10);
    EXPECT_FALSE(op.Step());
    harness::HoldEscape(false);
    harness::Pump();
    EXPECT_EQ(doc->Edi->Text(), "abc");
    EXPECT_EQ(doc->Edi->SelStart(), 3);
    char seen[8] = {};
    ::GetWindowTextA(other, seen, sizeof seen);
    EXPECT_STREQ(seen, "o");  // not the document's: not held
  }
  EXPECT_EQ(doc->Edi->Text(), "abc");  // posted again, not run inside the command
  harness::Pump();
  EXPECT_EQ(doc->Edi->Text(), "xyabc");
  ::DestroyWindow(other);
}

}  // namespace
