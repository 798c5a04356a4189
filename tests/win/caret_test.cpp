// The caret report in status panels 0 and 1 (keys before the control acts,
// mouse after it, activation, close) and the selection size in panel 2, on
// a real document window fed real messages.
#include "harness.h"

#include <richedit.h>

#include "TRECode.h"
#include "Unit1.h"
#include "toolkit/application.h"

using harness::Rec;

namespace {

class Caret : public harness::FrameTest {
 protected:
  TEditForm* Doc(const std::string& text, long long caret = 0) {
    if (!frame) Start();
    TEditForm* doc = frame->CreateMDIChild("");
    doc->Edi->SetText(text);
    doc->Edi->SetSel(caret, caret);
    harness::Pump();
    return doc;
  }
  void Key(TEditForm* doc, WORD vk, char typed = 0) {
    HWND edi = doc->Edi->Handle();
    ::SendMessageW(edi, WM_KEYDOWN, vk, 1);
    if (typed) ::SendMessageW(edi, WM_CHAR, static_cast<unsigned char>(typed), 1);
    ::SendMessageW(edi, WM_KEYUP, vk, 0xC0000001);
  }
  void Click(TEditForm* doc, long long pos) {
    HWND edi = doc->Edi->Handle();
    POINT pt{};
    ASSERT_TRUE(doc->Edi->PointOf(pos, &pt));
    LPARAM at = MAKELPARAM(pt.x + 1, pt.y + 2);
    ::SendMessageW(edi, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(edi, WM_LBUTTONUP, 0, at);
  }
  std::string Panel(int i) { return frame->StatusBar1->PanelText(i); }
};

TEST_F(Caret, KeyDownReportsTheCaretAsItWasBeforeTheKey) {
  struct Case {
    std::string text;
    long long caret;
    WORD key;
    const char* first;   // report of the key itself
    const char* second;  // report of the next key
  } cases[] = {
      {"abc\rdefgh", 0, VK_SHIFT, "Line: 1 Pos: 1", "Line: 1 Pos: 1"},
      {"abc\rdefgh", 7, VK_SHIFT, "Line: 2 Pos: 4", "Line: 2 Pos: 4"},
      {"abc\rdefgh", 4, VK_RIGHT, "Line: 2 Pos: 1", "Line: 2 Pos: 2"},
      {"abc\rdefgh", 3, VK_RIGHT, "Line: 1 Pos: 4", "Line: 2 Pos: 1"},
      {"abc\rdefgh", 9, VK_UP, "Line: 2 Pos: 6", "Line: 1 Pos: 4"},
      {"", 0, VK_DOWN, "Line: 1 Pos: 1", "Line: 1 Pos: 1"},
  };
  for (const Case& c : cases) {
    TEditForm* doc = Doc(c.text, c.caret);
    frame->StatusBar1->SetPanelText(0, "");
    Key(doc, c.key);
    EXPECT_EQ(Panel(0), c.first) << c.text << " @" << c.caret;
    Key(doc, VK_SHIFT);
    EXPECT_EQ(Panel(0), c.second) << c.text << " @" << c.caret;
  }
}

TEST_F(Caret, ModifiedShowsFromTheKeyAfterTheChangeAndOutlivesASave) {
  TEditForm* doc = Doc("text");
  Key(doc, 'X', 'x');
  EXPECT_EQ(Panel(0), "Line: 1 Pos: 1");
  EXPECT_EQ(Panel(1), "");
  Key(doc, VK_SHIFT);
  EXPECT_EQ(Panel(0), "Line: 1 Pos: 2");
  EXPECT_EQ(Panel(1), "Modified");

  char tmp[MAX_PATH] = {};
  ::GetTempPathA(sizeof tmp, tmp);
  std::string path = std::string(tmp) + "ql-caret-" + std::to_string(::GetCurrentProcessId()) + ".txt";
  doc->SaveFile(path, core::TextFormat::tfDos);
  ::DeleteFileA(path.c_str());
  EXPECT_FALSE(doc->Modified());
  EXPECT_EQ(Panel(1), "Modified");  // nothing but a key, a click or an activation refreshes it
  Key(doc, VK_SHIFT);
  EXPECT_EQ(Panel(1), "");
}

TEST_F(Caret, MouseDownReportsWhereTheClickPutTheCaret) {
  TEditForm* doc = Doc("first\rsecond line\rthird", 0);
  Click(doc, 9);  // "sec|ond"
  EXPECT_EQ(doc->Edi->SelStart(), 9);
  EXPECT_EQ(Panel(0), "Line: 2 Pos: 4");
  EXPECT_EQ(Panel(1), "");
}

TEST_F(Caret, SelectionSizeInPanelTwoSilentWhileBusy) {
  TEditForm* doc = Doc("hello world, hello");
  doc->Edi->SetSel(0, 12);
  EXPECT_EQ(Panel(2), "12 chars selected.");
  doc->Edi->SetSel(5, 5);
  EXPECT_EQ(Panel(2), "");
  // By the mouse too: a click collapses a selection.
  doc->Edi->SetSel(0, 1);
  EXPECT_EQ(Panel(2), "1 chars selected.");
  Click(doc, 4);
  EXPECT_EQ(Panel(2), "");

  frame->StatusBar1->SetPanelText(2, "Press <ESC> to cancel");
  tk::Application.SetCursor(tk::Cursor::HourGlass);
  doc->Edi->SetSel(0, 3);
  tk::Application.SetCursor(tk::Cursor::Default);
  EXPECT_EQ(Panel(2), "Press <ESC> to cancel");
}

TEST_F(Caret, ActivationShowsTheActiveDocumentAndCloseClears) {
  TEditForm* a = Doc("one\rtwo\rthree", 0);
  a->Edi->SetSel(6, 6);  // "tw|o"
  a->Edi->SetModified(true);
  TEditForm* b = Doc("x", 0);
  EXPECT_EQ(Panel(0), "Line: 1 Pos: 1");
  EXPECT_EQ(Panel(1), "");

  ::SendMessageA(frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a->Handle()), 0);
  harness::Pump();
  EXPECT_EQ(Panel(0), "Line: 2 Pos: 3");
  EXPECT_EQ(Panel(1), "Modified");
  ::SendMessageA(frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(b->Handle()), 0);
  harness::Pump();
  EXPECT_EQ(Panel(0), "Line: 1 Pos: 1");
  EXPECT_EQ(Panel(1), "");

  frame->StatusBar1->SetPanelText(1, "Modified");
  b->Close();
  harness::Pump();
  // The other document becomes active and reports itself.
  EXPECT_EQ(Panel(0), "Line: 2 Pos: 3");
  EXPECT_EQ(Panel(1), "Modified");
  a->Discard();
  harness::Pump();
  EXPECT_EQ(frame->MDIChildCount(), 0);
}

TEST_F(Caret, CloseOfTheLastDocumentClearsPanelsZeroAndOne) {
  TEditForm* doc = Doc("abc", 2);
  Key(doc, VK_SHIFT);
  ASSERT_EQ(Panel(0), "Line: 1 Pos: 3");
  doc->Close();
  harness::Pump();
  EXPECT_EQ(Panel(0), "");
  EXPECT_EQ(Panel(1), "");
}

TEST_F(Caret, MoveToLineLandsOnALineThatExists) {
  struct Case {
    std::string text;
    long long line, pos;
  } cases[] = {
      {"a\rbb\rccc", -5, 0}, {"a\rbb\rccc", 1, 2}, {"a\rbb\rccc", 99, 5},
      {"a\rbb\r", 99, 2},  // no empty line after a final line end
      {"", 3, 0},
  };
  for (const Case& c : cases) {
    TEditForm* doc = Doc(c.text, 1);
    doc->Edi->SetSel(0, static_cast<long long>(c.text.size()));
    doc->Edi->MoveToLine(c.line);
    EXPECT_EQ(doc->Edi->SelStart(), c.pos) << c.line;
    EXPECT_EQ(doc->Edi->SelLength(), 0);
  }
}

}  // namespace
