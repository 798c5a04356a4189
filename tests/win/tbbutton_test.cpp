// Toolbar buttons on a plain window of the test's own: hot tracking and its
// shared timer, pressing, groups, repeating, drop-down menus and the
// disabled glyph.
#include "harness.h"

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "core/tb97/buttonlayout.h"
#include "tb97/glyphcache.h"
#include "tb97/tb97.h"
#include "toolkit/application.h"
#include "toolkit/popupmenu.h"

namespace {

using harness::PumpUntil;

constexpr COLORREF kMagenta = RGB(255, 0, 255);

HWND MakeWindow(const char* cls, DWORD exStyle, int x, int y, int w, int h) {
  WNDCLASSA wc{};
  if (!::GetClassInfoA(::GetModuleHandleA(nullptr), cls, &wc)) {
    wc = WNDCLASSA{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = cls;
    ::RegisterClassA(&wc);
  }
  return ::CreateWindowExA(exStyle, cls, "", WS_POPUP | WS_CLIPCHILDREN, x, y, w, h, nullptr, nullptr,
                           ::GetModuleHandleA(nullptr), nullptr);
}

// A 16 x 16 (times `images`) glyph on magenta: a black square, a white bar
// and a silver bar in each image.
HBITMAP MakeGlyph(int images = 1, int height = 16) {
  HDC screen = ::GetDC(nullptr);
  HBITMAP bmp = ::CreateCompatibleBitmap(screen, 16 * images, height);
  HDC dc = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(dc, bmp);
  RECT all{0, 0, 16 * images, height};
  HBRUSH magenta = ::CreateSolidBrush(kMagenta);
  ::FillRect(dc, &all, magenta);
  ::DeleteObject(magenta);
  for (int i = 0; i < images; ++i) {
    RECT square{16 * i + 4, 4, 16 * i + 10, 10};
    RECT white{16 * i + 2, 12, 16 * i + 14, 13};
    RECT silver{16 * i + 2, 14, 16 * i + 14, 15};
    ::FillRect(dc, &square, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::FillRect(dc, &white, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    HBRUSH s = ::CreateSolidBrush(RGB(192, 192, 192));
    ::FillRect(dc, &silver, s);
    ::DeleteObject(s);
  }
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  return bmp;
}

RECT menuShown;
HWND menuButton;
int menusClosed;

// While a menu is up: notes where it is, closes it, and the first time
// clicks its button again (as the user closing the menu by the button).
void CALLBACK WhileTheMenuIsUp(HWND, UINT, UINT_PTR, DWORD) {
  HWND m = ::FindWindowA("#32768", nullptr);
  if (!m || !::IsWindowVisible(m)) return;
  if (menusClosed++ == 0) {
    ::GetWindowRect(m, &menuShown);
    ::PostMessageA(menuButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  }
  ::EndMenu();
}

class ToolbarButton : public ::testing::Test {
 protected:
  void SetUp() override {
    ::SetCursorPos(2, 2);
    host = MakeWindow("QLButtonTestHost", 0, 200, 200, 320, 120);
    ::ShowWindow(host, SW_SHOW);
    ::SetForegroundWindow(host);
    ::SetActiveWindow(host);
    owner = std::make_unique<tk::Component>();
    harness::Pump();
  }
  void TearDown() override {
    owner.reset();
    if (cover) ::DestroyWindow(cover);
    ::DestroyWindow(host);
    ::SetCursorPos(2, 2);
    harness::Pump();
  }

  TToolbarButton97* Make(int x) {
    auto* b = owner->Create<TToolbarButton97>("B" + std::to_string(x));
    b->CreateOn(host, x, 10);
    b->OnClick = [this, b] { clicks.push_back(b); };
    return b;
  }
  int Clicks(TToolbarButton97* b) const {
    int n = 0;
    for (auto* c : clicks) n += c == b;
    return n;
  }
  static POINT Centre(TToolbarButton97* b) {
    RECT r{};
    ::GetWindowRect(b->Handle(), &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // The pointer onto the button, with the mouse message it brings.
  static void Hover(TToolbarButton97* b) {
    POINT at = Centre(b);
    ::SetCursorPos(at.x, at.y);
    ::ScreenToClient(b->Handle(), &at);
    ::SendMessageA(b->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
  }
  static void Send(TToolbarButton97* b, UINT msg, int x, int y) {
    ::SendMessageA(b->Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
  }
  // A press and release at the button's middle, or released at (ux, uy).
  static void ClickAt(TToolbarButton97* b, int ux = 10, int uy = 10) {
    Send(b, WM_LBUTTONDOWN, 10, 10);
    Send(b, WM_LBUTTONUP, ux, uy);
  }
  // What the button shows, row by row.
  static std::vector<COLORREF> Shot(TToolbarButton97* b) {
    ::InvalidateRect(b->Handle(), nullptr, FALSE);
    ::UpdateWindow(b->Handle());
    RECT r{};
    ::GetClientRect(b->Handle(), &r);
    std::vector<COLORREF> px;
    HDC dc = ::GetDC(b->Handle());
    for (int y = 0; y < r.bottom; ++y)
      for (int x = 0; x < r.right; ++x) px.push_back(::GetPixel(dc, x, y) & 0xFFFFFF);
    ::ReleaseDC(b->Handle(), dc);
    return px;
  }

  HWND host = nullptr;
  HWND cover = nullptr;
  std::unique_ptr<tk::Component> owner;
  std::vector<TToolbarButton97*> clicks;
};

TEST_F(ToolbarButton, HotTrackingEndsWhenThePointerLeavesWithOrWithoutAMouseMessage) {
  TToolbarButton97* a = Make(10);
  TToolbarButton97* b = Make(40);
  int enters = 0, exits = 0;
  for (auto* x : {a, b}) {
    x->OnMouseEnter = [&] { ++enters; };
    x->OnMouseExit = [&] { ++exits; };
  }
  Hover(a);
  EXPECT_EQ(TToolbarButton97::HotButton(), a);
  EXPECT_EQ(a->State(), bsHot);
  EXPECT_TRUE(a->PointerInside());
  // Onto the next button: its mouse message ends the first one's highlight.
  Hover(b);
  EXPECT_EQ(a->State(), bsUp);
  EXPECT_FALSE(a->PointerInside());
  EXPECT_EQ(TToolbarButton97::HotButton(), b);
  EXPECT_EQ(enters, 2);
  EXPECT_EQ(exits, 1);

  // No message reaches the button once a window covers it or the pointer
  // jumps away: the shared timer ends the highlight.
  struct Way {
    const char* name;
    std::function<void()> leave;
  };
  const Way ways[] = {
      {"covered by a window",
       [&] {
         POINT at = Centre(b);
         cover = MakeWindow("QLButtonTestCover", WS_EX_TOPMOST, at.x - 20, at.y - 20, 40, 40);
         ::SetWindowPos(cover, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
       }},
      {"pointer moved onto the window below", [&] { ::SetCursorPos(210 + 200, 250); }},
  };
  for (const Way& w : ways) {
    SCOPED_TRACE(w.name);
    Hover(b);
    ASSERT_EQ(b->State(), bsHot);
    const int exitsBefore = exits;
    w.leave();
    EXPECT_EQ(b->State(), bsHot);  // nothing has told it yet
    EXPECT_TRUE(PumpUntil([&] { return TToolbarButton97::HotButton() == nullptr; }));
    EXPECT_EQ(b->State(), bsUp);
    EXPECT_FALSE(b->PointerInside());
    EXPECT_EQ(exits, exitsBefore + 1);
    if (cover) ::DestroyWindow(cover);
    cover = nullptr;
  }
}

TEST_F(ToolbarButton, DeactivatingTheApplicationEndsHotTrackingUnlessShowBorderWhenInactive) {
  for (bool showInactive : {false, true}) {
    SCOPED_TRACE(showInactive ? "ShowBorderWhenInactive" : "default");
    ::SetForegroundWindow(host);
    ::SetActiveWindow(host);
    ASSERT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == host; }));
    TToolbarButton97* b = Make(showInactive ? 40 : 10);
    b->ShowBorderWhenInactive = showInactive;
    Hover(b);
    ASSERT_EQ(TToolbarButton97::HotButton(), b);
    // Another thread's window takes the activation away from this one.
    std::atomic<bool> done{false};
    std::thread other([&] {
      HWND w = MakeWindow("QLButtonTestOther", 0, 700, 500, 50, 50);
      ::ShowWindow(w, SW_SHOW);
      ::SetForegroundWindow(w);
      MSG m;
      while (!done) {
        while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&m);
        ::Sleep(5);
      }
      ::DestroyWindow(w);
    });
    const bool deactivated = PumpUntil([] { return ::GetActiveWindow() == nullptr; });
    if (deactivated) {
      if (showInactive) {
        PumpUntil([] { return false; }, 300);
        EXPECT_EQ(TToolbarButton97::HotButton(), b);
        EXPECT_EQ(b->State(), bsHot);
      } else {
        EXPECT_TRUE(PumpUntil([&] { return TToolbarButton97::HotButton() == nullptr; }));
        EXPECT_EQ(b->State(), bsUp);
      }
    }
    done = true;
    other.join();
    ::SetCursorPos(2, 2);
    PumpUntil([] { return TToolbarButton97::HotButton() == nullptr; });
    ASSERT_TRUE(deactivated) << "the other thread's window did not take the activation";
  }
}

TEST_F(ToolbarButton, APressClicksOnlyWhenReleasedOnTheButton) {
  struct Case {
    const char* name;
    std::vector<POINT> moves;  // while held
    POINT release;
    int clicks;
  };
  const Case cases[] = {
      {"released inside", {}, {12, 12}, 1},
      {"dragged off and released outside", {{60, 10}}, {60, 10}, 0},
      {"dragged off and back", {{60, 10}, {5, 5}}, {5, 5}, 1},
      {"released below", {}, {10, 30}, 0},
  };
  TToolbarButton97* b = Make(10);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clicks.clear();
    Send(b, WM_LBUTTONDOWN, 10, 10);
    EXPECT_EQ(b->State(), bsDown);
    EXPECT_TRUE(b->Tracking());
    EXPECT_EQ(::GetCapture(), b->Handle());
    for (POINT m : c.moves) {
      Send(b, WM_MOUSEMOVE, m.x, m.y);
      const bool inside = m.x < b->Width && m.y < b->Height;
      EXPECT_EQ(b->State(), inside ? bsDown : bsUp) << m.x;
    }
    Send(b, WM_LBUTTONUP, c.release.x, c.release.y);
    EXPECT_EQ(Clicks(b), c.clicks);
    EXPECT_FALSE(b->Tracking());
    EXPECT_NE(::GetCapture(), b->Handle());
    EXPECT_NE(b->State(), bsDown);
  }
  // A disabled button neither presses nor clicks.
  b->SetEnabledState(false);
  clicks.clear();
  ClickAt(b);
  b->Click();
  EXPECT_EQ(Clicks(b), 0);
  EXPECT_EQ(b->State(), bsDisabled);
}

TEST_F(ToolbarButton, AGroupKeepsOneButtonDownAndAllowAllUpLetsItRise) {
  TToolbarButton97* a = Make(10);
  TToolbarButton97* b = Make(40);
  TToolbarButton97* loose = Make(70);  // no group
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);

  loose->SetDown(true);
  ClickAt(loose);
  EXPECT_FALSE(loose->Down());

  ClickAt(a);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(a->State(), bsExclusive);
  ClickAt(b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(a->State(), bsUp);
  // The down button of a group cannot be raised, by a click or by setting.
  ClickAt(b);
  EXPECT_TRUE(b->Down());
  b->SetDown(false);
  EXPECT_TRUE(b->Down());
  // Released outside, it stays down and latched.
  ClickAt(b, 10, 60);
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(b->State(), bsExclusive);
  EXPECT_EQ(Clicks(b), 2);

  // Going down hands its AllowAllUp to the group; then all may be up.
  a->SetAllowAllUp(true);
  ClickAt(a);
  EXPECT_TRUE(a->Down());
  EXPECT_FALSE(b->Down());
  EXPECT_TRUE(b->AllowAllUp());
  ClickAt(a);
  EXPECT_FALSE(a->Down());
  EXPECT_FALSE(b->Down());
  EXPECT_NE(a->State(), bsExclusive);

  // A double click counts only on a button that is down.
  int doubles = 0;
  a->OnDblClick = [&] { ++doubles; };
  loose->OnDblClick = [&] { ++doubles; };
  for (TToolbarButton97* x : {loose, a, b}) {
    Send(x, WM_LBUTTONDOWN, 10, 10);
    Send(x, WM_LBUTTONUP, 10, 10);
  }
  b->OnDblClick = [&] { ++doubles; };
  for (TToolbarButton97* x : {loose, b}) {
    Send(x, WM_LBUTTONDBLCLK, 10, 10);
    Send(x, WM_LBUTTONUP, 10, 10);
  }
  EXPECT_EQ(doubles, 1);
  EXPECT_FALSE(b->Down());  // its second press was a click as well
}

TEST_F(ToolbarButton, TheBorderShowsWhileHotOrPressedAndALatchedButtonIsDithered) {
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE) & 0xFFFFFF;
  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF;
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF;
  struct Case {
    const char* name;
    std::function<void(TToolbarButton97*)> set;
    COLORREF topLeft, bottomRight;
  };
  const Case cases[] = {
      {"up", [](TToolbarButton97*) {}, face, face},
      {"hot", [](TToolbarButton97* b) { Hover(b); }, light, shadow},
      {"pressed", [](TToolbarButton97* b) { Send(b, WM_LBUTTONDOWN, 10, 10); }, shadow, light},
      {"hot without a border",
       [](TToolbarButton97* b) {
         b->SetNoBorder(true);
         Hover(b);
       },
       face, face},
      {"not flat", [](TToolbarButton97* b) { b->SetFlat(false); }, light,
       ::GetSysColor(COLOR_3DDKSHADOW) & 0xFFFFFF},
  };
  int x = 10;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TToolbarButton97* b = Make(x);
    x += 30;
    c.set(b);
    const std::vector<COLORREF> px = Shot(b);
    EXPECT_EQ(px.front(), c.topLeft);
    EXPECT_EQ(px.back(), c.bottomRight);
    Send(b, WM_LBUTTONUP, 50, 50);
    ::SetCursorPos(2, 2);
    harness::Pump();
  }
  // Latched down and not hot: sunken, the content dithered face and highlight.
  TToolbarButton97* b = Make(x);
  b->SetGroupIndex(1);
  b->SetDown(true);
  const std::vector<COLORREF> px = Shot(b);
  EXPECT_EQ(px.front(), shadow);
  const auto at = [&](int px_, int py) { return px[static_cast<size_t>(py) * b->Width + static_cast<size_t>(px_)]; };
  EXPECT_EQ(at(4, 4), light);
  EXPECT_EQ(at(5, 4), face);
  EXPECT_EQ(at(5, 5), light);
}

TEST_F(ToolbarButton, AltAndTheCaptionsMarkedCharacterClickAnEnabledButton) {
  TToolbarButton97* b = Make(10);
  b->SetCaption("&Go");
  TToolbarButton97* other = Make(40);
  other->SetCaption("Gone");  // no marked character
  struct Case {
    WPARAM key;
    bool enabled;
    int clicks;
  };
  const Case cases[] = {{'g', true, 1}, {'G', true, 1}, {'o', true, 0}, {'g', false, 0}};
  for (const Case& c : cases) {
    clicks.clear();
    b->SetEnabledState(c.enabled);
    ::PostMessageA(host, WM_SYSCHAR, c.key, 0);
    harness::Pump();
    EXPECT_EQ(Clicks(b), c.clicks) << static_cast<char>(c.key) << c.enabled;
    EXPECT_EQ(Clicks(other), 0);
  }
}

TEST_F(ToolbarButton, ARepeatingButtonClicksOnThePressAndAgainWhileHeld) {
  TToolbarButton97* b = Make(10);
  b->Repeating = true;
  b->RepeatDelay = 200;
  b->RepeatInterval = 50;
  POINT at = Centre(b);
  ::SetCursorPos(at.x, at.y);
  harness::Pump();
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  ::SendInput(1, &in, sizeof in);
  ASSERT_TRUE(PumpUntil([&] { return b->Tracking(); }));
  EXPECT_EQ(Clicks(b), 1);  // on the press itself
  EXPECT_TRUE(PumpUntil([&] { return Clicks(b) >= 4; }));
  EXPECT_TRUE(b->Tracking());
  EXPECT_EQ(b->State(), bsDown);

  in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(1, &in, sizeof in);
  ASSERT_TRUE(PumpUntil([&] { return !b->Tracking(); }));
  const int held = Clicks(b);
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(Clicks(b), held);  // the release clicks no more
}

TEST_F(ToolbarButton, ADropdownButtonOpensItsMenuBelowItselfOnThePress) {
  tk::PopupMenu* menu = owner->Create<tk::PopupMenu>("Menu1");
  int chosen = 0;
  menu->Items()->Add("One1", "One", [&](tk::MenuItem*) { ++chosen; });
  menu->Items()->Add("Two1", "Two");
  TToolbarButton97* b = Make(10);
  b->SetDropdownMenu(menu);
  int dropdowns = 0;
  b->OnDropdown = [&] { ++dropdowns; };

  menuShown = RECT{};
  menusClosed = 0;
  menuButton = b->Handle();
  UINT_PTR timer = ::SetTimer(nullptr, 0, 50, WhileTheMenuIsUp);
  Send(b, WM_LBUTTONDOWN, 10, 10);
  harness::Pump();

  RECT br{};
  ::GetWindowRect(b->Handle(), &br);
  EXPECT_EQ(menuShown.left, br.left);
  EXPECT_EQ(menuShown.top, br.bottom);
  EXPECT_EQ(dropdowns, 1);  // the click that closed it did not reopen it
  EXPECT_EQ(Clicks(b), 0);
  EXPECT_EQ(chosen, 0);
  EXPECT_FALSE(b->Tracking());
  EXPECT_NE(b->State(), bsDown);

  // Split into a main part that clicks and an arrow part that drops down.
  b->SetDropdownCombo(true);
  EXPECT_EQ(b->Width, 23 + 11);
  RECT cr{};
  ::GetClientRect(b->Handle(), &cr);
  EXPECT_EQ(cr.right, 34);
  ClickAt(b, 5, 5);
  EXPECT_EQ(Clicks(b), 1);
  EXPECT_EQ(dropdowns, 1);
  Send(b, WM_LBUTTONDOWN, 30, 10);
  harness::Pump();
  EXPECT_EQ(dropdowns, 2);
  EXPECT_EQ(Clicks(b), 1);
  ::KillTimer(nullptr, timer);
  b->SetDropdownCombo(false);
  EXPECT_EQ(b->Width, 23);
}

TEST_F(ToolbarButton, ADisabledButtonShowsAnEmbossedGlyphInEitherStyle) {
  TToolbarButton97* b = Make(10);
  HBITMAP glyph = MakeGlyph();
  b->SetGlyphBitmap(glyph);
  ::DeleteObject(glyph);
  EXPECT_EQ(b->NumGlyphs, 1);
  // Where the glyph's pixel (gx, gy) lands on the button.
  const core::tb97::Rect content = core::tb97::ButtonContentRect({b->Width, b->Height}, true, false, false);
  core::tb97::ButtonContent c;
  c.client = {content.Width(), content.Height()};
  c.glyph = {16, 16};
  const core::tb97::ButtonParts parts = core::tb97::LayoutButtonContent(c);
  const int ox = content.left + parts.glyph.x, oy = content.top + parts.glyph.y;
  auto at = [&](const std::vector<COLORREF>& px, int gx, int gy) {
    return px[static_cast<size_t>(oy + gy) * b->Width + static_cast<size_t>(ox + gx)];
  };
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE) & 0xFFFFFF;
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF;
  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF;

  const std::vector<COLORREF> enabled = Shot(b);
  EXPECT_EQ(at(enabled, 5, 5), 0u);                   // the square
  EXPECT_EQ(at(enabled, 5, 12), RGB(255, 255, 255));  // the white bar
  EXPECT_EQ(at(enabled, 0, 0), face);                 // magenta is transparent

  b->SetEnabledState(false);
  const std::vector<COLORREF> newStyle = Shot(b);
  EXPECT_NE(newStyle, enabled);
  EXPECT_EQ(at(newStyle, 5, 5), shadow);
  EXPECT_EQ(at(newStyle, 10, 10), light);  // the square's highlight, one down and right
  EXPECT_EQ(at(newStyle, 5, 12), face);    // white and silver are background
  EXPECT_EQ(at(newStyle, 5, 14), face);

  b->SetOldDisabledStyle(true);
  const std::vector<COLORREF> oldStyle = Shot(b);
  EXPECT_NE(oldStyle, newStyle);
  EXPECT_EQ(at(oldStyle, 5, 5), shadow);
  EXPECT_EQ(at(oldStyle, 5, 12), shadow);  // every drawn pixel is shape here
  EXPECT_EQ(at(oldStyle, 5, 14), shadow);
  EXPECT_EQ(at(oldStyle, 0, 0), face);

  b->SetEnabledState(true);
  EXPECT_EQ(Shot(b), enabled);
}

TEST_F(ToolbarButton, GlyphsOfOneSizeShareOneImageListWhileAButtonUsesIt) {
  TGlyphCache97& cache = TGlyphCache97::Shared();
  const int listsBefore = cache.ListCount();
  struct Case {
    int images;
    int height;
    int numGlyphs;
  };
  // 64 x 16 holds four images; 96 x 16 is one wide image.
  const Case cases[] = {{4, 16, 4}, {6, 16, 1}, {1, 16, 1}};
  std::vector<TToolbarButton97*> buttons;
  for (const Case& c : cases) {
    TToolbarButton97* b = Make(10 + 30 * static_cast<int>(buttons.size()));
    HBITMAP glyph = MakeGlyph(c.images, c.height);
    b->SetGlyphBitmap(glyph);
    ::DeleteObject(glyph);
    EXPECT_EQ(b->NumGlyphs, c.numGlyphs) << c.images;
    Shot(b);
    buttons.push_back(b);
  }
  HIMAGELIST shared = buttons[0]->GlyphImages().List(false);
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(buttons[2]->GlyphImages().List(false), shared);  // both 16 x 16
  EXPECT_NE(buttons[1]->GlyphImages().List(false), shared);  // 96 x 16
  EXPECT_EQ(cache.Users(shared), 2);
  EXPECT_EQ(cache.ListCount(), listsBefore + 2);
  // Each keeps its own image in the shared list.
  EXPECT_NE(buttons[0]->GlyphImages().Index(bsUp), buttons[2]->GlyphImages().Index(bsUp));

  owner.reset();
  EXPECT_EQ(cache.ListCount(), listsBefore);
  owner = std::make_unique<tk::Component>();
}

}  // namespace
