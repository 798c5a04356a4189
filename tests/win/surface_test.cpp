// The own text surface on a plain window of the test's own, driven by the
// key and mouse messages a user's input would send.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "harness.h"
#include "surface/editsurface.h"
#include "surface/ownsurface.h"

namespace {

class Surface : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "SurfaceTestWindow";
    ::RegisterClassA(&wc);
    parent_ = ::CreateWindowExA(0, "SurfaceTestWindow", "surface", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 10, 10,
                                420, 320, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(parent_);
    ::ShowWindow(parent_, SW_SHOW);
    surface_ = MakeOwnSurface();
    own_ = dynamic_cast<own::OwnSurface*>(surface_.get());
    ASSERT_TRUE(own_);
    surface_->CreateIn(parent_);
    ASSERT_TRUE(surface_->Handle());
    ::SetForegroundWindow(parent_);
    ::SetFocus(surface_->Handle());
    harness::Pump();
  }
  void TearDown() override {
    SetModifiers(false, false);
    surface_.reset();
    ::DestroyWindow(parent_);
    harness::Pump();
  }
  HWND wnd() const { return surface_->Handle(); }
  void Set(const std::string& text, long long start = 0, long long end = 0) {
    surface_->SetText(text);
    surface_->SetSel(start, end);
    ::UpdateWindow(wnd());
  }
  // Shift and Ctrl as the keyboard holds them.
  static void SetModifiers(bool shift, bool ctrl) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
    ::SetKeyboardState(keys);
  }
  void Key(WORD vk, bool shift = false, bool ctrl = false) {
    SetModifiers(shift, ctrl);
    ::SendMessageW(wnd(), WM_KEYDOWN, vk, 1);
    ::SendMessageW(wnd(), WM_KEYUP, vk, 0xC0000001);
    SetModifiers(false, false);
  }
  void Type(const std::wstring& text) {
    for (wchar_t c : text) ::SendMessageW(wnd(), WM_CHAR, c, 1);
  }
  POINT At(long long pos) {
    POINT pt{};
    EXPECT_TRUE(own_->PointOf(pos, &pt)) << pos;
    pt.y += own_->RowHeight() / 2;
    return pt;
  }
  void Mouse(UINT msg, POINT pt, WPARAM flags = 0) { ::SendMessageW(wnd(), msg, flags, MAKELPARAM(pt.x, pt.y)); }
  std::pair<long long, long long> Sel() { return {surface_->SelStart(), surface_->SelLength()}; }
  SCROLLINFO Bar(int bar) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ::GetScrollInfo(wnd(), bar, &si);
    return si;
  }
  static std::string Lines(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "line " + std::to_string(i) + "\r";
    return s;
  }

  HWND parent_ = nullptr;
  std::unique_ptr<EditSurface> surface_;
  own::OwnSurface* own_ = nullptr;
};

TEST_F(Surface, ShiftWithTheMovementKeysSelects) {
  struct Case {
    long long caret;
    WORD key;
    bool ctrl;
    long long selStart, selLength;
  } cases[] = {
      {0, VK_RIGHT, false, 0, 1},   {3, VK_LEFT, false, 2, 1},   {2, VK_END, false, 2, 9},
      {8, VK_HOME, false, 0, 8},    {0, VK_DOWN, false, 0, 12},  {12, VK_UP, false, 0, 12},
      {0, VK_RIGHT, true, 0, 6},    {9, VK_END, true, 9, 14},    {9, VK_HOME, true, 0, 9},
  };
  for (const Case& c : cases) {
    Set("hello world\rsecond line", c.caret, c.caret);
    Key(c.key, true, c.ctrl);
    EXPECT_EQ(Sel(), std::make_pair(c.selStart, c.selLength)) << c.caret << " key " << c.key;
  }
  // Growing and shrinking from the same anchor; a plain arrow collapses.
  Set("hello world", 5, 5);
  Key(VK_RIGHT, true);
  Key(VK_RIGHT, true);
  Key(VK_LEFT, true);
  EXPECT_EQ(Sel(), std::make_pair(5LL, 1LL));
  Key(VK_LEFT, true);
  Key(VK_LEFT, true);
  EXPECT_EQ(Sel(), std::make_pair(4LL, 1LL));
  Key(VK_RIGHT);
  EXPECT_EQ(Sel(), std::make_pair(5LL, 0LL));
}

TEST_F(Surface, DragSelectsAndScrollsPastTheEdge) {
  Set("alpha beta gamma\r" + Lines(200));
  Mouse(WM_LBUTTONDOWN, At(2), MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, At(13), MK_LBUTTON);
  EXPECT_EQ(Sel(), std::make_pair(2LL, 11LL));
  // Below the window the timer scrolls on while the button stays down.
  RECT rc;
  ::GetClientRect(wnd(), &rc);
  Mouse(WM_MOUSEMOVE, POINT{20, rc.bottom + 30}, MK_LBUTTON);
  const DWORD until = ::GetTickCount() + 600;
  while (::GetTickCount() < until) {
    harness::Pump();
    ::Sleep(10);
  }
  Mouse(WM_LBUTTONUP, POINT{20, rc.bottom + 30});
  EXPECT_GT(own_->TopRow().line, 3);
  EXPECT_EQ(surface_->SelStart(), 2);
  const long long end = surface_->SelStart() + surface_->SelLength();
  EXPECT_GE(surface_->LineFromChar(end), own_->TopRow().line);
  // The selection stays after the button is up; Shift+click extends it.
  Set("alpha beta gamma", 3, 3);
  Mouse(WM_LBUTTONDOWN, At(12), MK_LBUTTON | MK_SHIFT);
  Mouse(WM_LBUTTONUP, At(12));
  EXPECT_EQ(Sel(), std::make_pair(3LL, 9LL));
}

TEST_F(Surface, DoubleClickSelectsTheWord) {
  Set("alpha beta, gamma");
  const POINT pt = At(8);
  Mouse(WM_LBUTTONDOWN, pt, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, pt);
  Mouse(WM_LBUTTONDBLCLK, pt, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, pt);
  EXPECT_EQ(surface_->TextRange(surface_->SelStart(), surface_->SelStart() + surface_->SelLength()), "beta,");
}

TEST_F(Surface, CtrlArrowsGoByWordsOverPunctuation) {
  Set("a, b; c.d  e", 0, 0);
  const long long rights[] = {3, 6, 11, 12, 12};
  for (long long to : rights) {
    Key(VK_RIGHT, false, true);
    EXPECT_EQ(Sel(), std::make_pair(to, 0LL));
  }
  const long long lefts[] = {11, 6, 3, 0, 0};
  for (long long to : lefts) {
    Key(VK_LEFT, false, true);
    EXPECT_EQ(Sel(), std::make_pair(to, 0LL));
  }
}

TEST_F(Surface, PageDownMovesAPageAndStopsAtTheEnd) {
  const std::string text = Lines(100);
  Set(text);
  RECT rc;
  ::GetClientRect(wnd(), &rc);
  const long long page = rc.bottom / own_->RowHeight();
  Key(VK_NEXT);
  EXPECT_EQ(surface_->LineFromChar(surface_->SelStart()), page);
  EXPECT_EQ(own_->TopRow().line, page);
  Key(VK_END, false, true);
  EXPECT_EQ(surface_->SelStart(), static_cast<long long>(text.size()));
  const auto top = own_->TopRow();
  Key(VK_NEXT);
  Key(VK_NEXT);
  EXPECT_EQ(surface_->SelStart(), static_cast<long long>(text.size()));
  EXPECT_EQ(own_->TopRow(), top);
  Key(VK_NEXT, true);
  EXPECT_EQ(surface_->SelLength(), 0);
}

TEST_F(Surface, TypingReplacesTheSelectionAndUndoesAsOneStep) {
  Set("abc def", 4, 7);
  Type(L"xy");
  EXPECT_EQ(surface_->Text(), "abc xy");
  EXPECT_EQ(Sel(), std::make_pair(6LL, 0LL));
  EXPECT_TRUE(surface_->Modified());
  Key(VK_RETURN);
  Type(L"\r\tz");
  EXPECT_EQ(surface_->Text(), "abc xy\r\tz");
  Key(VK_BACK);
  Key(VK_BACK);
  EXPECT_EQ(surface_->Text(), "abc xy\r");
  Key('Z', false, true);
  EXPECT_EQ(surface_->Text(), "abc xy\r\tz");
  Key('Z', false, true);  // the typing, with the selection it replaced
  EXPECT_EQ(surface_->Text(), "abc def");
  EXPECT_FALSE(surface_->CanUndo());
  // Delete takes the character after the caret; Shift+Del cuts.
  Set("abcdef", 1, 1);
  Key(VK_DELETE);
  EXPECT_EQ(surface_->Text(), "acdef");
  surface_->SetSel(1, 3);
  Key(VK_DELETE, true);
  EXPECT_EQ(surface_->Text(), "aef");
  Key('V', false, true);
  EXPECT_EQ(surface_->Text(), "acdef");
}

TEST_F(Surface, ReplaceSelWithoutUndoIsNotTakenBack) {
  Set("hello", 5, 5);
  Type(L" you");
  surface_->SetSel(0, 5);
  surface_->ReplaceSel("bye", false);
  EXPECT_EQ(surface_->Text(), "bye you");
  EXPECT_FALSE(surface_->CanUndo());
  surface_->Undo();
  Key('Z', false, true);
  EXPECT_EQ(surface_->Text(), "bye you");
  surface_->SetSel(3, 3);
  surface_->ReplaceSel("!", true);
  surface_->Undo();
  EXPECT_EQ(surface_->Text(), "bye you");
}

TEST_F(Surface, WordWrapCountsDisplayLinesAndKeepsTheCaret) {
  std::string words;
  for (int i = 0; i < 300; ++i) words += "word" + std::to_string(i) + " ";
  const std::string text = "first\r" + words + "\rlast";
  Set(text, 1000, 1000);
  EXPECT_EQ(surface_->LineCount(), 3);
  EXPECT_EQ(surface_->LineFromChar(1000), 1);
  surface_->SetWordWrap(true);
  harness::Pump();
  EXPECT_EQ(Sel(), std::make_pair(1000LL, 0LL));
  const long long count = surface_->LineCount();
  EXPECT_GT(count, 10);
  const long long line = surface_->LineFromChar(1000);
  EXPECT_GT(line, 1);
  POINT pt{};
  EXPECT_TRUE(own_->PointOf(1000, &pt));  // the caret's row is shown
  // Display lines follow each other without gaps and hold the caret's.
  const long long start = surface_->LineIndex(line);
  EXPECT_LE(start, 1000);
  EXPECT_GT(start + surface_->LineLength(1000), 1000 - 1);
  EXPECT_EQ(surface_->LineIndex(line + 1), start + surface_->LineLength(1000));
  EXPECT_EQ(surface_->LineFromChar(static_cast<long long>(text.size())), count - 1);
  EXPECT_EQ(surface_->LineIndex(count), -1);
  // Down goes to the next display line, not to the next logical one.
  Key(VK_DOWN);
  EXPECT_EQ(surface_->LineFromChar(surface_->SelStart()), line + 1);
  // An edit across lines and its undo keep the display lines in step.
  surface_->SetSel(3, 1500);
  surface_->ReplaceSel("x\ry\rz", true);
  EXPECT_EQ(surface_->LineIndex(2), 7);
  surface_->Undo();
  EXPECT_EQ(surface_->Text(), text);
  EXPECT_EQ(surface_->LineCount(), count);
  EXPECT_EQ(surface_->LineFromChar(1000), line);
  EXPECT_EQ(surface_->LineIndex(line), start);
  surface_->SetSel(1000, 1000);
  surface_->SetWordWrap(false);
  EXPECT_EQ(Sel(), std::make_pair(1000LL, 0LL));
  EXPECT_EQ(surface_->LineCount(), 3);
  EXPECT_TRUE(own_->PointOf(1000, &pt));
  EXPECT_EQ(surface_->Text(), text);
}

TEST_F(Surface, ScrollBarsWorkPastSixtyFiveThousandLines) {
  Set(Lines(100000));
  surface_->ScrollToLine(90000);
  EXPECT_EQ(own_->TopRow().line, 90000);
  SCROLLINFO v = Bar(SB_VERT);
  EXPECT_EQ(v.nPos, 90000);
  EXPECT_EQ(v.nMax, 100000);  // 100000 lines and the empty one after the last line end
  ::SendMessageW(wnd(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(Bar(SB_VERT).nPos, 90001);
  ::SendMessageW(wnd(), WM_VSCROLL, SB_PAGEUP, 0);
  EXPECT_LT(Bar(SB_VERT).nPos, 90001);
  Key(VK_END, false, true);
  v = Bar(SB_VERT);
  EXPECT_EQ(v.nPos + static_cast<int>(v.nPage) - 1, 100000);  // the last row at the bottom
  EXPECT_EQ(surface_->LineFromChar(surface_->SelStart()), 100000);
  // The wheel scrolls rows too.
  ::SendMessageW(wnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_LT(Bar(SB_VERT).nPos, v.nPos);
}

TEST_F(Surface, EveryByteValueSurvives) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  Set(bytes);
  ::InvalidateRect(wnd(), nullptr, FALSE);
  ::UpdateWindow(wnd());  // boxes for the bytes without a glyph
  std::string expected = bytes;
  expected[10] = '\r';  // a lone LF ends a line as CR does
  EXPECT_EQ(surface_->Text(), expected);
  // Typed as the code page's wide characters, each printable byte comes back.
  Set("");
  const own::ByteTable& table = own::ByteTable::Get();
  std::string typed;
  for (int b = 0x20; b < 256; ++b) {
    if (b == 0x7F) continue;
    ::SendMessageW(wnd(), WM_CHAR, table.wide[static_cast<std::size_t>(b)], 1);
    typed += static_cast<char>(b);
  }
  EXPECT_EQ(surface_->Text(), typed);
}

// What the screen shows: the background colour, the selection in the
// highlight colour with the focus and in grey without it.
TEST_F(Surface, SelectionStaysVisibleWithoutTheFocus) {
  surface_->SetBackground(0x0000C0);  // an explicit dark red
  Set("WWWWWW\rWWWWWW", 0, 6);
  auto pixel = [&](POINT pt) {
    ::InvalidateRect(wnd(), nullptr, FALSE);
    ::UpdateWindow(wnd());
    HDC dc = ::GetDC(wnd());
    const COLORREF c = ::GetPixel(dc, pt.x, pt.y);
    ::ReleaseDC(wnd(), dc);
    return c;
  };
  POINT inside = At(0);
  inside.x += 1;
  inside.y = 1;
  RECT rc;
  ::GetClientRect(wnd(), &rc);
  const POINT empty{rc.right - 5, rc.bottom - 5};
  EXPECT_EQ(pixel(empty), static_cast<COLORREF>(0x0000C0));
  EXPECT_EQ(pixel(inside), ::GetSysColor(COLOR_HIGHLIGHT));
  ::SetFocus(parent_);
  EXPECT_EQ(pixel(inside), ::GetSysColor(COLOR_BTNFACE));
  surface_->SetSel(3, 3);
  EXPECT_EQ(pixel(inside), static_cast<COLORREF>(0x0000C0));
}

// A line far wider than the window: the view follows the caret out and back.
TEST_F(Surface, LongLinesScrollSideways) {
  const std::string line(200000, 'x');
  Set(line + "\rshort");
  Key(VK_END);
  EXPECT_EQ(surface_->SelStart(), 200000);
  EXPECT_GT(own_->HScroll(), 100000);
  POINT pt{};
  ASSERT_TRUE(own_->PointOf(200000, &pt));
  RECT rc;
  ::GetClientRect(wnd(), &rc);
  EXPECT_GT(pt.x, 0);
  EXPECT_LT(pt.x, rc.right);
  EXPECT_EQ(Bar(SB_HORZ).nPos, own_->HScroll());
  // A click where the caret is shown lands on it.
  Mouse(WM_LBUTTONDOWN, At(199990), MK_LBUTTON);
  Mouse(WM_LBUTTONUP, At(199990));
  EXPECT_EQ(Sel(), std::make_pair(199990LL, 0LL));
  Key(VK_HOME);
  EXPECT_EQ(own_->HScroll(), 0);
  ::SendMessageW(wnd(), WM_HSCROLL, SB_PAGERIGHT, 0);
  EXPECT_GT(own_->HScroll(), 0);
}

TEST_F(Surface, ClipboardCarriesCrLfBothWays) {
  Set("one\rtwo\xE9", 0, -1);
  Key('C', false, true);
  ASSERT_TRUE(::OpenClipboard(wnd()));
  HANDLE text = ::GetClipboardData(CF_TEXT);
  HANDLE wide = ::GetClipboardData(CF_UNICODETEXT);
  ASSERT_TRUE(text && wide);
  EXPECT_STREQ(static_cast<const char*>(::GlobalLock(text)), "one\r\ntwo\xE9");
  ::GlobalUnlock(text);
  const std::wstring expectedWide = std::wstring(L"one\r\ntwo") + own::ByteTable::Get().wide[0xE9];
  EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(::GlobalLock(wide))), expectedWide);
  ::GlobalUnlock(wide);
  ::CloseClipboard();
  // In: every line-end convention becomes one line end.
  harness::SetClipboardText("a\r\nb\nc\rd");
  Set("[]", 1, 1);
  Key(VK_INSERT, true);
  EXPECT_EQ(surface_->Text(), "[a\rb\rc\rd]");
  // Cut and paste back: the round trip.
  surface_->SetSel(1, 8);
  Key('X', false, true);
  EXPECT_EQ(surface_->Text(), "[]");
  Key('V', false, true);
  EXPECT_EQ(surface_->Text(), "[a\rb\rc\rd]");
  EXPECT_EQ(Sel(), std::make_pair(8LL, 0LL));
}

TEST_F(Surface, EventsComeInTheirOrder) {
  Set("abc", 0, 0);
  std::vector<std::string> seen;
  surface_->OnKeyDown = [&](WORD key) { seen.push_back("key " + std::to_string(key) + " at " + std::to_string(surface_->SelStart())); };
  surface_->OnSelectionChange = [&] { seen.push_back("sel " + std::to_string(surface_->SelStart())); };
  surface_->OnMouseDown = [&] { seen.push_back("mouse " + std::to_string(surface_->SelStart())); };
  int popupX = 0, popupY = 0;
  surface_->OnContextPopup = [&](int x, int y) { popupX = x, popupY = y; };
  Key(VK_RIGHT);
  Mouse(WM_LBUTTONDOWN, At(3), MK_LBUTTON);
  Mouse(WM_LBUTTONUP, At(3));
  ::SendMessageW(wnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd()), MAKELPARAM(-1, -1));
  const std::vector<std::string> expected = {"key 39 at 0", "sel 1", "sel 3", "mouse 3"};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(popupX, -1);
  EXPECT_EQ(popupY, -1);
  EXPECT_FALSE(surface_->HandleNotify(nullptr));
}

}  // namespace
