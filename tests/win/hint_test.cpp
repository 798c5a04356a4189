// The flat hint windows of the toolbar buttons.
#include "harness.h"

#include "Hint95.h"
#include "toolkit/application.h"

using harness::FrameTest;

namespace {

class Hints : public FrameTest {
 protected:
  // Runs messages for `ms` milliseconds.
  void PumpFor(DWORD ms) {
    DWORD end = ::GetTickCount() + ms;
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
      harness::Pump();
      ::Sleep(5);
    }
  }
  // Puts the mouse on the middle of `button` as the user would and lets it
  // rest there.
  POINT RestOn(HWND button) {
    RECT r{};
    ::GetWindowRect(button, &r);
    POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ::SetCursorPos(at.x, at.y);
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    POINT client = at;
    ::ScreenToClient(button, &client);
    ::PostMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    return at;
  }
  // The size of `text` measured in the hint font, as the hint window measures it.
  SIZE TextSize(const char* text) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HFONT font = ::CreateFontIndirectA(&frame->H1->HintFont());
    HGDIOBJ old = ::SelectObject(dc, font);
    RECT tr{0, 0, 1000, 0};
    ::DrawTextA(dc, text, -1, &tr, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    ::DeleteDC(dc);
    return SIZE{tr.right, tr.bottom};
  }
  // Sets the system's status-bar font face and tells the hint component the
  // way the system does, through its notification window; returns the face
  // the system reports now.
  std::string SetStatusFontFace(const char* face) {
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    lstrcpynA(ncm.lfStatusFont.lfFaceName, face, LF_FACESIZE);
    EXPECT_TRUE(::SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
    HWND notifier = ::FindWindowA("THint95Notifier", nullptr);
    EXPECT_TRUE(notifier);
    ::SendMessageA(notifier, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    return ncm.lfStatusFont.lfFaceName;
  }
};

TEST_F(Hints, AToolbarHintShowsAfterThePointerRestsAsAFlatBoxBelowTheCursor) {
  Start();
  ASSERT_TRUE(frame->H1);
  EXPECT_EQ(frame->H1->HintStyle(), hsFlat);
  EXPECT_EQ(tk::Application.HintPause, 500u);
  EXPECT_EQ(tk::Application.HintShortPause, 25u);
  EXPECT_EQ(tk::Application.HintHidePause, 5000u);
  EXPECT_EQ(frame->TB1->ToolTip(), nullptr);  // no second tooltip

  THintWindow95& hint = frame->H1->Window();
  POINT at = RestOn(frame->Btn[2]->Handle());  // "Open"
  PumpFor(300);
  EXPECT_FALSE(hint.Showing());
  PumpFor(400);
  ASSERT_TRUE(hint.Showing());
  HWND wnd = hint.Handle();
  EXPECT_EQ(::GetWindowLongA(wnd, GWL_STYLE) & WS_BORDER, 0);
  EXPECT_TRUE(::GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(::GetActiveWindow(), frame->Handle());

  // The text in the status-bar font, plus 6 by 4 pixels.
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof ncm;
  ASSERT_TRUE(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
  EXPECT_STREQ(frame->H1->HintFont().lfFaceName, ncm.lfStatusFont.lfFaceName);
  HDC dc = ::CreateCompatibleDC(nullptr);
  HFONT font = ::CreateFontIndirectA(&frame->H1->HintFont());
  HGDIOBJ old = ::SelectObject(dc, font);
  RECT tr{0, 0, 1000, 0};
  ::DrawTextA(dc, "Open", 4, &tr, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  ::SelectObject(dc, old);
  ::DeleteObject(font);
  ::DeleteDC(dc);
  RECT wr{};
  ::GetWindowRect(wnd, &wr);
  EXPECT_EQ(wr.right - wr.left, tr.right + 6);
  EXPECT_EQ(wr.bottom - wr.top, tr.bottom + 4);
  // At the mouse's column; its top on the arrow's lowest drawn row.
  EXPECT_EQ(wr.left, at.x);
  ICONINFO ii{};
  ASSERT_TRUE(::GetIconInfo(::LoadCursor(nullptr, IDC_ARROW), &ii));
  BITMAP bm{};
  ::GetObjectA(ii.hbmMask, sizeof bm, &bm);
  // The arrow here is a colour cursor (its mask 32 x 32) whose lowest
  // opaque row is 20 below its hot spot.
  if (bm.bmHeight == 32 && ii.yHotspot == 0) {
    EXPECT_EQ(wr.top, at.y + 20);
  }
  EXPECT_GT(wr.top, at.y);
  if (ii.hbmMask) ::DeleteObject(ii.hbmMask);
  if (ii.hbmColor) ::DeleteObject(ii.hbmColor);

  // A one-pixel frame in the window-frame colour around the info colour.
  HDC wdc = ::GetWindowDC(wnd);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  EXPECT_EQ(::GetPixel(wdc, 0, 0), ::GetSysColor(COLOR_WINDOWFRAME));
  EXPECT_EQ(::GetPixel(wdc, w - 1, h - 1), ::GetSysColor(COLOR_WINDOWFRAME));
  EXPECT_EQ(::GetPixel(wdc, 0, h / 2), ::GetSysColor(COLOR_WINDOWFRAME));
  EXPECT_EQ(::GetPixel(wdc, 1, 1), ::GetSysColor(COLOR_INFOBK));
  ::ReleaseDC(wnd, wdc);

  // A click hides it.
  ::PostMessageA(frame->Btn[2]->Handle(), WM_LBUTTONDOWN, 0, 0);
  ::PostMessageA(frame->Btn[2]->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
  harness::Pump();
  EXPECT_FALSE(hint.Showing());
}

TEST_F(Hints, MovingToTheNextButtonShowsItsHintAfterTheShortPause) {
  Start();
  THintWindow95& hint = frame->H1->Window();
  RestOn(frame->Btn[1]->Handle());
  PumpFor(700);
  ASSERT_TRUE(hint.Showing());
  EXPECT_EQ(hint.Text(), "New Document");
  RestOn(frame->Btn[2]->Handle());
  PumpFor(150);
  ASSERT_TRUE(hint.Showing());
  EXPECT_EQ(hint.Text(), "Open");
  // Away from the buttons it goes.
  RECT cr{};
  ::GetWindowRect(frame->ClientHandle(), &cr);
  ::SetCursorPos((cr.left + cr.right) / 2, (cr.top + cr.bottom) / 2);
  PumpFor(300);
  EXPECT_FALSE(hint.Showing());
}

TEST_F(Hints, AHintThatWouldLeaveTheScreensBottomSitsAboveItsButton) {
  Start();
  // The toolbar a few pixels above the screen's bottom edge.
  RECT fr{}, br{};
  ::GetWindowRect(frame->Handle(), &fr);
  ::GetWindowRect(frame->Btn[2]->Handle(), &br);
  const int screenH = ::GetSystemMetrics(SM_CYSCREEN);
  const int dy = (screenH - 10) - br.bottom;
  ::SetWindowPos(frame->Handle(), nullptr, fr.left, fr.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  harness::Pump();
  ::GetWindowRect(frame->Btn[2]->Handle(), &br);
  ASSERT_EQ(br.bottom, screenH - 10);
  RestOn(frame->Btn[2]->Handle());
  PumpFor(700);
  THintWindow95& hint = frame->H1->Window();
  ASSERT_TRUE(hint.Showing());
  EXPECT_EQ(THint95::HintControl(), frame->Btn[2]->Handle());
  RECT wr{};
  ::GetWindowRect(hint.Handle(), &wr);
  EXPECT_EQ(wr.bottom, br.top);
}

TEST_F(Hints, EachStyleHasItsMarginsAndItsFrameColours) {
  Start();
  struct Case {
    THintStyle style;
    int extraW, extraH;
    int topLeft, bottomRight;  // system colour indexes
  } cases[] = {
      {hsFlat, 6, 4, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME},
      {hsOffice97, 6, 6, COLOR_3DLIGHT, COLOR_3DDKSHADOW},
      {hsWindows95, 8, 4, COLOR_3DLIGHT, COLOR_3DDKSHADOW},
  };
  THintWindow95& hint = frame->H1->Window();
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    frame->H1->SetHintStyle(c.style);
    hint.ActivateHint(RECT{0, 0, 300, 0}, "Open");
    harness::Pump();
    ASSERT_TRUE(hint.Showing());
    const SIZE text = TextSize("Open");
    RECT wr{};
    ::GetWindowRect(hint.Handle(), &wr);
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    EXPECT_EQ(w, text.cx + c.extraW);
    EXPECT_EQ(h, text.cy + c.extraH);
    HDC dc = ::GetWindowDC(hint.Handle());
    EXPECT_EQ(::GetPixel(dc, 0, h / 2), ::GetSysColor(c.topLeft));
    EXPECT_EQ(::GetPixel(dc, w / 2, 0), ::GetSysColor(c.topLeft));
    EXPECT_EQ(::GetPixel(dc, w - 1, h / 2), ::GetSysColor(c.bottomRight));
    EXPECT_EQ(::GetPixel(dc, w / 2, h - 1), ::GetSysColor(c.bottomRight));
    EXPECT_EQ(::GetPixel(dc, 1, 1), ::GetSysColor(COLOR_INFOBK));
    ::ReleaseDC(hint.Handle(), dc);
    hint.ReleaseHint();
  }
  frame->H1->SetHintStyle(hsFlat);
}

TEST_F(Hints, ASystemFontChangeReachesTheNextHint) {
  Start();
  NONCLIENTMETRICSA saved{};
  saved.cbSize = sizeof saved;
  ASSERT_TRUE(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof saved, &saved, 0));

  // (Wine hands a face set here back under its full name, "... Regular",
  // so the Tahoma rule of the Office style is tested natively.)
  const std::string face = SetStatusFontFace("Courier New");
  ASSERT_STRNE(face.c_str(), saved.lfStatusFont.lfFaceName);
  EXPECT_EQ(frame->H1->HintFont().lfFaceName, face);
  THintWindow95& hint = frame->H1->Window();
  hint.ActivateHint(RECT{0, 0, 300, 0}, "Open document");
  harness::Pump();
  EXPECT_EQ(hint.TextWidth(), TextSize("Open document").cx);
  hint.ReleaseHint();
  // Another style keeps the font until the system's font changes again.
  frame->H1->SetHintStyle(hsWindows95);
  EXPECT_EQ(frame->H1->HintFont().lfFaceName, face);
  frame->H1->SetHintStyle(hsFlat);

  ASSERT_TRUE(::SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof saved, &saved, 0));
  ::SendMessageA(::FindWindowA("THint95Notifier", nullptr), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  EXPECT_STREQ(frame->H1->HintFont().lfFaceName, saved.lfStatusFont.lfFaceName);
}

}  // namespace
