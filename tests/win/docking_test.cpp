// The frame's toolbar as the user moves it: dragged between the docks and
// the desktop with the mouse, sized while floating, closed, and restored
// from the registry by a new frame, whatever the registry holds.
#include "harness.h"

#include <string>

#include "tb97/dragoutline.h"
#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/registry.h"

using harness::FrameTest;
using harness::Rec;

namespace {

const std::string kKey = kSettingsKey;
const std::string kSection = kKey + "\\TB1";

RECT WindowRect(HWND w) {
  RECT r{};
  ::GetWindowRect(w, &r);
  return r;
}

RECT ScreenClient(HWND w) {
  RECT r{};
  ::GetClientRect(w, &r);
  ::MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT WorkArea() {
  RECT wa{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
  return wa;
}

bool Overlaps(const RECT& a, const RECT& b) {
  RECT i{};
  return ::IntersectRect(&i, &a, &b) != FALSE;
}

class Docking : public FrameTest {
 protected:
  HWND Bar() { return frame->TB1->Handle(); }
  LPARAM ClientParam(POINT screen) {
    ::ScreenToClient(Bar(), &screen);
    return MAKELPARAM(static_cast<short>(screen.x), static_cast<short>(screen.y));
  }
  // A press at `from` (screen), moves through `path`, a release: queued
  // first, then run, as the mouse would deliver them to the drag loop.
  void Drag(POINT from, std::initializer_list<POINT> path, WPARAM keys = 0) {
    ::PostMessageA(Bar(), WM_LBUTTONDOWN, MK_LBUTTON | keys, ClientParam(from));
    for (POINT p : path) ::PostMessageA(Bar(), WM_MOUSEMOVE, MK_LBUTTON | keys, ClientParam(p));
    ::PostMessageA(Bar(), WM_LBUTTONUP, keys, ClientParam(path.size() ? *(path.end() - 1) : from));
    harness::Pump();
  }
  // The grip of a docked toolbar, or the caption of a floating one.
  POINT Handle() {
    RECT r = WindowRect(Bar());
    if (frame->TB1->DockedTo() && frame->TB1->DockedTo()->Vertical()) return {r.left + 6, r.top + 6};
    return {r.left + 6, r.top + 8};
  }
  // Just inside the left edge of the frame's client area, halfway down.
  POINT OverLeftDock() {
    RECT d = ScreenClient(frame->D2->Handle());
    return {d.left - 4, (d.top + d.bottom) / 2};
  }
  void DragIntoLeftDock(WPARAM keys = 0) { Drag(Handle(), {{Handle().x + 40, Handle().y + 60}, OverLeftDock()}, keys); }
  void DragToFloat(POINT to) { Drag(Handle(), {{Handle().x + 30, Handle().y + 30}, to}); }
  void Restart() {
    ::DestroyWindow(frame->Handle());
    frame = nullptr;
    harness::Pump();
    tk::Application.Restart();
    Start();
  }
  std::string Value(const std::string& name, DWORD* type = nullptr) {
    std::string data;
    DWORD t = harness::ValueType(kSection, name, &data);
    if (type) *type = t;
    return t ? std::string(data.c_str()) : "<missing>";
  }
  // Sizes the floating toolbar by dragging its right edge by `dx`.
  void SizeRightEdge(int dx) {
    RECT r = WindowRect(Bar());
    POINT edge{r.right - 2, (r.top + r.bottom) / 2};
    ASSERT_EQ(::SendMessageA(Bar(), WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y)), HTRIGHT);
    ::PostMessageA(Bar(), WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(edge.x, edge.y));
    ::PostMessageA(Bar(), WM_MOUSEMOVE, MK_LBUTTON, ClientParam({edge.x + dx, edge.y}));
    ::PostMessageA(Bar(), WM_LBUTTONUP, 0, ClientParam({edge.x + dx, edge.y}));
    harness::Pump();
  }
};

TEST_F(Docking, DraggedFromTheTopDockIntoTheLeftOneAndOutToFloat) {
  Start();
  TToolbar97* tb = frame->TB1;
  ASSERT_EQ(tb->DockedTo(), frame->D1);
  EXPECT_EQ(frame->D1->Thickness(), 26);
  EXPECT_EQ(frame->D2->Thickness(), 0);
  std::vector<std::string> events;
  tb->OnDockChanging = [&] { events.push_back("changing"); };
  tb->OnDockChanged = [&] { events.push_back("changed"); };
  const std::function<void()> frameHook = tb->OnVisibleChanged;
  tb->OnVisibleChanged = [&] {
    events.push_back("visible");
    frameHook();
  };
  for (TDock97* d : {frame->D1, frame->D2})
    d->OnInsertRemoveBar = [&](TDock97* dock, bool inserting, TCustomToolWindow97* bar) {
      events.push_back(dock->Name() + (inserting ? " gets " : " loses ") + bar->Name());
    };

  DragIntoLeftDock();
  ASSERT_EQ(tb->DockedTo(), frame->D2);
  EXPECT_EQ(events, (std::vector<std::string>{"changing", "D1 loses TB1", "D2 gets TB1", "changed"}));
  tb->OnDockChanging = tb->OnDockChanged = nullptr;
  tb->OnVisibleChanged = frameHook;
  frame->D1->OnInsertRemoveBar = frame->D2->OnInsertRemoveBar = nullptr;
  EXPECT_EQ(frame->D1->Thickness(), 0);
  EXPECT_EQ(frame->D2->Thickness(), 27);  // the widest button + the 2-pixel frame on both sides
  RECT bar = WindowRect(Bar());
  EXPECT_EQ(bar.right - bar.left, 27);
  EXPECT_GT(bar.bottom - bar.top, bar.right - bar.left);
  // One column: each button below the one before, centred across it.
  RECT b1 = WindowRect(frame->Btn[1]->Handle()), b2 = WindowRect(frame->Btn[2]->Handle());
  RECT b8 = WindowRect(frame->Btn[8]->Handle());
  EXPECT_EQ(b1.left, b2.left);
  EXPECT_EQ(b2.top, b1.bottom);
  EXPECT_EQ(b8.left - bar.left, 2 + (23 - 20) / 2);
  // The documents' area starts right of the dock.
  RECT mdi = WindowRect(frame->ClientHandle()), d2 = WindowRect(frame->D2->Handle());
  EXPECT_EQ(mdi.left, d2.right);

  const POINT to{600, 500};
  DragToFloat(to);
  ASSERT_EQ(tb->DockedTo(), nullptr);
  EXPECT_EQ(frame->D2->Thickness(), 0);
  EXPECT_EQ(frame->D1->Thickness(), 0);
  EXPECT_TRUE(::GetWindowLongPtrA(Bar(), GWL_STYLE) & WS_POPUP);
  EXPECT_TRUE(::IsWindowVisible(Bar()));
  EXPECT_EQ(::GetWindow(Bar(), GW_OWNER), frame->Handle());
  RECT floating = WindowRect(Bar());
  EXPECT_TRUE(::EqualRect(&floating, &TCustomToolWindow97::LastOutline()));
  EXPECT_EQ(tb->FloatLeft, floating.left);
  EXPECT_EQ(tb->FloatTop, floating.top);
  // One line, wider than tall, with the floating frame around the margins.
  EXPECT_GT(floating.right - floating.left, 400);
  RECT client{};
  ::GetClientRect(Bar(), &client);
  EXPECT_EQ(client.bottom, 2 + 22 + 1);
  EXPECT_EQ(floating.bottom - floating.top - client.bottom,
            2 * ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYSMCAPTION));
  EXPECT_TRUE(Rec().boxes.empty());
}

TEST_F(Docking, CtrlDuringADragNeverDocksAndLettingGoOfItDocksAgain) {
  struct Case {
    const char* name;
    bool ctrlOnMoves;      // every mouse message says Ctrl is down
    bool releasedMidDrag;  // Ctrl pressed at the start, let go before the drop
    bool docks;
    bool refused = false;  // the left dock refuses every bar
  };
  const Case cases[] = {
      {"held throughout", true, false, false},
      {"let go before the drop", false, true, true},
      {"without Ctrl over a dock that refuses", false, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (frame) {
      FrameTest::TearDown();
      FrameTest::SetUp();
    }
    Start();
    int asked = 0;
    if (c.refused)
      frame->D2->OnRequestDock = [&](TDock97*, TCustomToolWindow97* bar, bool& accept) {
        EXPECT_EQ(bar, frame->TB1);
        ++asked;
        accept = false;
      };
    POINT from = Handle();
    POINT over = OverLeftDock();
    const WPARAM keys = c.ctrlOnMoves ? MK_CONTROL : 0;
    ::PostMessageA(Bar(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, ClientParam(from));
    ::PostMessageA(Bar(), WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, ClientParam({from.x + 40, from.y + 60}));
    ::PostMessageA(Bar(), WM_MOUSEMOVE, MK_LBUTTON | keys, ClientParam(over));
    if (c.releasedMidDrag) ::PostMessageA(Bar(), WM_KEYUP, VK_CONTROL, 0);
    ::PostMessageA(Bar(), WM_LBUTTONUP, keys, ClientParam(over));
    harness::Pump();
    if (c.docks) {
      EXPECT_EQ(frame->TB1->DockedTo(), frame->D2);
      // A dock outline is one pixel thick and as big as the docked bar.
      RECT bar = WindowRect(Bar());
      const RECT& o = TCustomToolWindow97::LastOutline();
      EXPECT_EQ(o.right - o.left, bar.right - bar.left);
    } else {
      EXPECT_EQ(frame->TB1->DockedTo(), nullptr);
      EXPECT_TRUE(::IsWindowVisible(Bar()));
      EXPECT_EQ(frame->D2->Thickness(), 0);
    }
    if (c.refused) {
      EXPECT_GT(asked, 0);
    }
  }
}

TEST_F(Docking, AFloatingToolbarHidesWhileTheApplicationIsInactiveOrTheFrameMinimised) {
  Start();
  TToolbar97* tb = frame->TB1;
  DragToFloat({500, 400});
  ASSERT_EQ(tb->DockedTo(), nullptr);
  ASSERT_TRUE(::IsWindowVisible(Bar()));
  auto activate = [&](bool active) {
    ::SendMessageA(frame->Handle(), WM_ACTIVATEAPP, active, 0);
    harness::Pump();
  };
  activate(false);
  EXPECT_TRUE(tb->HiddenWhileInactive());
  EXPECT_FALSE(::IsWindowVisible(Bar()));
  EXPECT_TRUE(tb->Shown());  // still meant to show
  activate(true);
  EXPECT_FALSE(tb->HiddenWhileInactive());
  EXPECT_TRUE(::IsWindowVisible(Bar()));

  // Without HideWhenInactive it stays, with its caption drawn inactive.
  tb->HideWhenInactive = false;
  activate(false);
  EXPECT_TRUE(::IsWindowVisible(Bar()));
  EXPECT_TRUE(tb->InactiveCaption());
  activate(true);
  EXPECT_FALSE(tb->InactiveCaption());

  ::ShowWindow(frame->Handle(), SW_MINIMIZE);
  harness::Pump();
  EXPECT_FALSE(::IsWindowVisible(Bar()));
  ::ShowWindow(frame->Handle(), SW_RESTORE);
  harness::Pump();
  EXPECT_TRUE(::IsWindowVisible(Bar()));
}

TEST_F(Docking, BoundLinesAndFixAlignShapeTheDock) {
  Start();
  TDock97* d1 = frame->D1;
  d1->SetBoundLines({blTop, blBottom});
  harness::Pump();
  EXPECT_EQ(d1->Thickness(), 28);
  RECT dock = WindowRect(d1->Handle()), bar = WindowRect(Bar());
  EXPECT_EQ(bar.top, dock.top + 1);
  RECT mdi = WindowRect(frame->ClientHandle());
  EXPECT_EQ(mdi.top, dock.bottom);
  // A hidden bar leaves the dock's list and takes no room.
  std::vector<bool> inserted;
  d1->OnInsertRemoveBar = [&](TDock97*, bool inserting, TCustomToolWindow97*) { inserted.push_back(inserting); };
  frame->TB1->SetShown(false);
  EXPECT_TRUE(d1->DockList().empty());
  EXPECT_EQ(d1->Thickness(), 0);  // too small for its lines: an empty dock takes no room
  d1->SetFixAlign(true);
  EXPECT_EQ(d1->Thickness(), 1);
  frame->TB1->SetShown(true);
  EXPECT_EQ(d1->Thickness(), 28);
  EXPECT_EQ(inserted, (std::vector<bool>{false, true}));
  // Moving along its own dock is no insertion.
  frame->TB1->SetDockedTo(d1);
  EXPECT_EQ(inserted.size(), 2u);
  d1->OnInsertRemoveBar = nullptr;
}

TEST_F(Docking, TheDocksPatternShowsBehindTheButtonsWhenItIsAlsoTheToolbars) {
  Start();
  HDC screen = ::GetDC(nullptr);
  HBITMAP red = ::CreateCompatibleBitmap(screen, 4, 4);
  ::ReleaseDC(nullptr, screen);
  {
    HDC mem = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(mem, red);
    RECT all{0, 0, 4, 4};
    HBRUSH br = ::CreateSolidBrush(RGB(255, 0, 0));
    ::FillRect(mem, &all, br);
    ::DeleteObject(br);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
  }
  frame->D1->SetBackground(red);
  // A separator's edge, left of its etched line, shows the surface.
  TToolbarSep97* sep = frame->TB1->Separators()[0];
  auto surface = [&] {
    ::RedrawWindow(Bar(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    HDC dc = ::GetDC(Bar());
    COLORREF c = ::GetPixel(dc, sep->Bounds.left, sep->Bounds.top + 5);
    ::ReleaseDC(Bar(), dc);
    return c;
  };
  EXPECT_EQ(surface(), RGB(255, 0, 0));
  frame->D1->BackgroundOnToolbars = false;
  EXPECT_EQ(surface(), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(Docking, EscapeOrASecondButtonCancelsTheDrag) {
  Start();
  for (UINT cancel : {static_cast<UINT>(WM_KEYDOWN), static_cast<UINT>(WM_LBUTTONDOWN)}) {
    POINT from = Handle();
    ::PostMessageA(Bar(), WM_LBUTTONDOWN, MK_LBUTTON, ClientParam(from));
    ::PostMessageA(Bar(), WM_MOUSEMOVE, MK_LBUTTON, ClientParam({600, 500}));
    ::PostMessageA(Bar(), cancel, cancel == WM_KEYDOWN ? VK_ESCAPE : MK_LBUTTON, ClientParam({600, 500}));
    ::PostMessageA(Bar(), WM_LBUTTONUP, 0, ClientParam({600, 500}));
    harness::Pump();
    EXPECT_EQ(frame->TB1->DockedTo(), frame->D1) << cancel;
    EXPECT_EQ(::GetCapture(), nullptr);
  }
}

TEST_F(Docking, DoubleClicksFloatTheDockedToolbarAndDockTheFloatingOneAtTheRowStart) {
  Start();
  TToolbar97* tb = frame->TB1;
  tb->SetDockPos(40);
  ::PostMessageA(Bar(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(-5, 5));
  harness::Pump();
  ASSERT_EQ(tb->DockedTo(), nullptr);
  EXPECT_TRUE(::IsWindowVisible(Bar()));
  EXPECT_TRUE(Overlaps(WindowRect(Bar()), WorkArea()));
  ::PostMessageA(Bar(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, -5));
  harness::Pump();
  ASSERT_EQ(tb->DockedTo(), frame->D1);
  EXPECT_EQ(tb->DockRow(), 0);
  EXPECT_EQ(tb->DockPos(), 0);
  EXPECT_EQ(frame->D1->Thickness(), 26);
}

TEST_F(Docking, SizingAFloatingToolbarSnapsAndWrapsAtSeparators) {
  Start();
  TToolbar97* tb = frame->TB1;
  DragToFloat({300, 400});
  ASSERT_EQ(tb->DockedTo(), nullptr);
  const RECT before = WindowRect(Bar());

  SizeRightEdge(-3);  // within the snap distance: nothing changes
  RECT same = WindowRect(Bar());
  EXPECT_TRUE(::EqualRect(&before, &same));
  EXPECT_EQ(tb->FloatRightX(), 0);

  SizeRightEdge(-(before.right - before.left) / 2);
  const RECT after = WindowRect(Bar());
  EXPECT_LT(after.right - after.left, before.right - before.left);
  EXPECT_GT(after.bottom - after.top, before.bottom - before.top);
  EXPECT_EQ(after.left, before.left);  // the left edge stays
  EXPECT_EQ(after.top, before.top);
  EXPECT_GT(tb->FloatRightX(), 0);
  // The break fell at a separator: an etched line, and the next line starts
  // thickness + 6 below.
  ASSERT_FALSE(tb->LineSeparators().empty());
  EXPECT_EQ(tb->LineSeparators()[0].start, 2 + 22 + 6);
  RECT b1 = WindowRect(frame->Btn[1]->Handle()), b20 = WindowRect(frame->Btn[20]->Handle());
  EXPECT_GT(b20.top, b1.top);
  EXPECT_LE(b20.right, after.right);
}

TEST_F(Docking, TheCloseButtonHidesTheFloatingToolbarAndTheRecordSaysSo) {
  Start();
  DragToFloat({500, 400});
  ASSERT_EQ(frame->TB1->DockedTo(), nullptr);
  RECT r = WindowRect(Bar());
  const int cap = ::GetSystemMetrics(SM_CYSMCAPTION), by = ::GetSystemMetrics(SM_CYFRAME);
  POINT close{r.right - ::GetSystemMetrics(SM_CXFRAME) - cap / 2, r.top + by + cap / 2};
  ASSERT_EQ(::SendMessageA(Bar(), WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y)), HTCLOSE);
  bool closed = false;
  frame->TB1->OnClose = [&] { closed = true; };
  ::PostMessageA(Bar(), WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(close.x, close.y));
  ::PostMessageA(Bar(), WM_LBUTTONUP, 0, ClientParam(close));
  harness::Pump();
  EXPECT_TRUE(closed);
  EXPECT_FALSE(frame->TB1->Shown());
  EXPECT_FALSE(::IsWindowVisible(Bar()));
  ::DestroyWindow(frame->Handle());
  frame = nullptr;
  EXPECT_EQ(Value("Visible"), "0");
  EXPECT_EQ(Value("DockedTo"), "+");
}

TEST_F(Docking, SavedRecordValueByValueAndANewFrameRestoresIt) {
  Start();
  DragToFloat({500, 420});
  SizeRightEdge(-250);
  TToolbar97* tb = frame->TB1;
  ASSERT_EQ(tb->DockedTo(), nullptr);
  const RECT floating = WindowRect(Bar());
  const int wrap = tb->FloatRightX();
  ASSERT_GT(wrap, 0);
  const int row = tb->DockRow(), pos = tb->DockPos();

  Restart();
  const std::pair<const char*, std::string> expected[] = {
      {"Rev", "2"},
      {"Visible", "1"},
      {"DockedTo", "+"},
      {"DockRow", std::to_string(row)},
      {"DockPos", std::to_string(pos)},
      {"FloatLeft", std::to_string(floating.left)},
      {"FloatTop", std::to_string(floating.top)},
      {"FloatRightX", std::to_string(wrap)},
  };
  for (const auto& [name, text] : expected) {
    DWORD type = 0;
    EXPECT_EQ(Value(name, &type), text) << name;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << name;
  }
  tk::Registry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(kSection));
  EXPECT_EQ(reg.ValueNames().size(), std::size(expected));

  // The new frame put it back: floating at the same place, wrapped the same.
  tb = frame->TB1;
  ASSERT_EQ(tb->DockedTo(), nullptr);
  EXPECT_EQ(tb->FloatRightX(), wrap);
  RECT again = WindowRect(Bar());
  EXPECT_TRUE(::EqualRect(&floating, &again));
  EXPECT_TRUE(::IsWindowVisible(Bar()));

  // Docked in the left dock: the dock and the row come back.
  DragIntoLeftDock();
  ASSERT_EQ(frame->TB1->DockedTo(), frame->D2);
  Restart();
  EXPECT_EQ(Value("DockedTo"), "D2");
  EXPECT_EQ(Value("DockRow"), "0");
  EXPECT_EQ(Value("FloatLeft"), std::to_string(floating.left));  // the floating place is kept
  EXPECT_EQ(frame->TB1->DockedTo(), frame->D2);
  EXPECT_EQ(frame->TB1->DockRow(), 0);
  EXPECT_EQ(frame->D2->Thickness(), 27);
  EXPECT_EQ(frame->D1->Thickness(), 0);
}

// Whatever the section holds, the frame starts with its toolbar where the
// user can reach it.
TEST_F(Docking, GarbageInTheRecordNeverKeepsTheToolbarFromTheUser) {
  struct Stored {
    const char* name;
    DWORD type;  // REG_SZ, or another type stored as raw bytes
    std::string bytes;
  };
  enum Where { InD1, InD4, Floats };
  struct Case {
    const char* what;
    std::vector<Stored> values;
    Where where;
    int offset;  // along its dock when docked, its screen left when floating; -1: do not check
  };
  const std::string huge(100000, '7');
  const Case cases[] = {
      {"a dock that does not exist", {{"Rev", REG_SZ, "2"}, {"DockedTo", REG_SZ, "D9"}}, InD1, 0},
      {"a dock named in another case", {{"Rev", REG_SZ, "2"}, {"DockedTo", REG_SZ, "d4"}}, InD1, 0},
      {"the bottom dock, a hex offset beyond its end",
       {{"Rev", REG_SZ, "2"}, {"DockedTo", REG_SZ, "D4"}, {"DockPos", REG_SZ, "0x1000"}}, InD4, -1},
      {"floating at hex places", {{"Rev", REG_SZ, "2"}, {"DockedTo", REG_SZ, "+"}, {"FloatLeft", REG_SZ, "0x64"},
       {"FloatTop", REG_SZ, "$80"}}, Floats, 100},
      {"negative and huge numbers",
       {{"Rev", REG_SZ, "2"}, {"DockedTo", REG_SZ, "D1"}, {"DockRow", REG_SZ, "-2147483648"},
        {"DockPos", REG_SZ, "-99999999"}}, InD1, 0},
      {"an offset far beyond the dock",
       {{"Rev", REG_SZ, "2"}, {"DockedTo", REG_SZ, "D1"}, {"DockPos", REG_SZ, "2147483647"}}, InD1, -1},
      {"floating far left", {{"Rev", REG_SZ, "2"}, {"DockedTo", REG_SZ, "+"}, {"FloatLeft", REG_SZ, "-5000"}},
       Floats, -1},
      {"floating beyond every screen",
       {{"Rev", REG_SZ, "2"}, {"DockedTo", REG_SZ, "+"}, {"FloatLeft", REG_SZ, "99999999999"},
        {"FloatTop", REG_SZ, "2147483647"}, {"FloatRightX", REG_SZ, "-40"}}, Floats, -1},
      {"floating with a huge wrap limit and text for the place",
       {{"Rev", REG_SZ, "2"}, {"DockedTo", REG_SZ, "+"}, {"FloatLeft", REG_SZ, "left"},
        {"FloatTop", REG_SZ, huge}, {"FloatRightX", REG_SZ, "2147483647"}}, Floats, -1},
      {"a tiny wrap limit", {{"Rev", REG_SZ, "2"}, {"DockedTo", REG_SZ, "+"}, {"FloatRightX", REG_SZ, "1"}},
       Floats, -1},
      {"values of other types",
       {{"Rev", REG_DWORD, std::string("\x02\0\0\0", 4)}, {"Visible", REG_BINARY, "\x00"},
        {"DockedTo", REG_MULTI_SZ, std::string("+\0\0", 3)}}, InD1, 0},
      {"a text Rev, binary rest",
       {{"Rev", REG_SZ, "2"}, {"Visible", REG_DWORD, std::string("\0\0\0\0", 4)},
        {"DockedTo", REG_BINARY, "D2"}}, InD1, 0},
      {"an old revision hiding it", {{"Rev", REG_SZ, "1"}, {"Visible", REG_SZ, "0"}}, InD1, 0},
      {"garbage visibility", {{"Rev", REG_SZ, "2"}, {"Visible", REG_SZ, "yes"}, {"DockedTo", REG_SZ, huge}}, InD1,
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (frame) {
      FrameTest::TearDown();
      FrameTest::SetUp();
    }
    for (const Stored& v : c.values) {
      if (v.type == REG_SZ)
        harness::SetString(kSection, v.name, v.bytes);
      else
        harness::SetBinary(kSection, v.name, v.bytes, v.type);
    }
    Start();
    ASSERT_TRUE(frame->HandleAllocated());
    TToolbar97* tb = frame->TB1;
    EXPECT_TRUE(tb->Shown());
    EXPECT_TRUE(::IsWindowVisible(Bar()));
    const RECT bar = WindowRect(Bar());
    switch (c.where) {
      case InD1:
      case InD4: {
        TDock97* dock = c.where == InD1 ? frame->D1 : frame->D4;
        EXPECT_EQ(tb->DockedTo(), dock);
        EXPECT_EQ(dock->Thickness(), 26);
        const RECT d = ScreenClient(dock->Handle());
        if (c.offset >= 0) {
          EXPECT_EQ(bar.left - d.left, c.offset);
        }
        EXPECT_LT(bar.left, d.right);  // some of it shows
        EXPECT_GE(bar.left, d.left);
        break;
      }
      case Floats: {
        EXPECT_EQ(tb->DockedTo(), nullptr);
        const RECT wa = WorkArea();
        EXPECT_TRUE(Overlaps(bar, wa));
        EXPECT_GE(bar.left, wa.left);
        EXPECT_GE(bar.top, wa.top);
        if (c.offset >= 0) {
          EXPECT_EQ(bar.left, c.offset);
        }
        break;
      }
    }
  }
}

TEST_F(Docking, InvalidPlacesAndOperationsAreRefusedWithTheirMessages) {
  Start();
  auto message = [](const std::function<void()>& f) -> std::string {
    try {
      f();
    } catch (const std::exception& e) {
      return e.what();
    }
    return "<no error>";
  };
  tk::Component plain;
  EXPECT_EQ(message([&] { TDock97 d(&plain, "X"); }), "TDock97 must be owned by a form");
  EXPECT_EQ(message([&] { TToolbar97 t(&plain, "X"); }), "Tool windows must be owned by a form");
  EXPECT_EQ(message([&] { frame->D1->SetPosition(dpLeft); }),
            "Cannot change Position of a TDock97 if it already contains controls");
  EXPECT_EQ(frame->D1->Position(), dpTop);
  EXPECT_EQ(message([&] { frame->D1->SetVisible(false); }), "Cannot hide a TDock97");
  EXPECT_TRUE(::IsWindowVisible(frame->D1->Handle()));
  auto* inner = frame->Create<TDock97>("Inner", dpTop);
  EXPECT_EQ(message([&] { inner->CreateIn(frame->TB1->Handle()); }),
            "A TDock97 control cannot be placed inside a tool window or another TDock97");
  EXPECT_EQ(message([&] { inner->CreateIn(frame->D2->Handle()); }),
            "A TDock97 control cannot be placed inside a tool window or another TDock97");
  EXPECT_EQ(message([&] { frame->TB1->PlaceOn(frame->Btn[1]); }),
            "A tool window can only be placed on a TDock97 or directly on the form");
  EXPECT_EQ(frame->TB1->DockedTo(), frame->D1);
  TToolbarSep97 sep(frame, "Sep");
  EXPECT_EQ(message([&] { sep.SetParent(frame->D1); }), "TToolbarSep97 can only be placed on a TToolbar97");
  // An empty dock may change its edge.
  EXPECT_EQ(message([&] { frame->D3->SetPosition(dpBottom); }), "<no error>");
}

}  // namespace

namespace {

// The drag outline inverts the desktop under its frame with a half-tone
// (every other pixel), and a move inverts only where the frames differ.
TEST_F(Docking, TheOutlineInvertsOnlyWhereTheOldAndTheNewFrameDiffer) {
  Start();
  RECT f = WindowRect(frame->ClientHandle());
  HDC screen = ::GetDC(nullptr);
  // Eight pixels in a row from (x, y): how many differ from what they were.
  auto row = [&](int x, int y) {
    std::vector<COLORREF> px;
    for (int i = 0; i < 8; ++i) px.push_back(::GetPixel(screen, x + i, y));
    return px;
  };
  auto changed = [](const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
    return n;
  };
  const RECT first{f.left + 20, f.top + 20, f.left + 220, f.top + 120};
  const RECT second{first.left + 30, first.top, first.right + 30, first.bottom};
  // On both top edges; on the first's left edge only; on the second's only.
  const POINT both{first.left + 100, first.top + 1}, oldOnly{first.left, first.top + 50},
      newOnly{second.left, second.top + 50};
  // The rows run along the top edge, and across the left edges (4 wide).
  auto sample = [&](POINT p, bool along) { return along ? row(p.x, p.y) : row(p.x - 2, p.y); };
  const auto before = std::vector{sample(both, true), sample(oldOnly, false), sample(newOnly, false)};
  {
    tb97::DragOutline outline;
    outline.MoveTo(first, 4);
    auto now = std::vector{sample(both, true), sample(oldOnly, false), sample(newOnly, false)};
    EXPECT_EQ(changed(before[0], now[0]), 4);
    EXPECT_EQ(changed(before[1], now[1]), 2);  // x - 2 and x - 1 lie outside the frame
    EXPECT_EQ(changed(before[2], now[2]), 0);
    outline.MoveTo(second, 4);
    now = {sample(both, true), sample(oldOnly, false), sample(newOnly, false)};
    EXPECT_EQ(changed(before[0], now[0]), 4);  // not inverted back and forth
    EXPECT_EQ(changed(before[1], now[1]), 0);
    EXPECT_EQ(changed(before[2], now[2]), 2);
  }
  const auto after = std::vector{sample(both, true), sample(oldOnly, false), sample(newOnly, false)};
  EXPECT_EQ(after, before);
  ::ReleaseDC(nullptr, screen);
}

}  // namespace
