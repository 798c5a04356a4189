// The menu bar made of toolbar buttons, on the frame of a test: merging a
// document's menus by group index, the window buttons of a maximized
// document, the keyboard mode of Alt and F10, and the drop-downs shown in
// the program's own popup menu windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "harness.h"
#include "menus98/menubar.h"
#include "menus98/popup.h"
#include "menus98/popupform.h"
#include "toolkit/application.h"
#include "toolkit/errors.h"

namespace {

class MainMenu98 : public harness::FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    Start();
    bar = frame->Create<TMainMenu98>("MainMenu981");
    bar->SetDockedTo(frame->D4);
    bar->OnOpenDropdown = [this](tk::MenuItem* item, int, int) { opened.push_back(item); };
    bar->SetMainMenu(frame->MainMenu1);
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> out;
    for (TToolbarButton98* b : bar->MenuButtons()) out.push_back(b->Caption());
    return out;
  }
  TMainMenu98* bar = nullptr;
  std::vector<tk::MenuItem*> opened;
};

TEST_F(MainMenu98, ShowsTheFramesMenusAndMergesADocumentsByGroupIndex) {
  EXPECT_EQ(bar->Caption(), "Menu Bar");
  EXPECT_EQ(Captions(), (std::vector<std::string>{"&File", "&Window", "&?"}));
  EXPECT_EQ(::GetMenu(frame->Handle()), nullptr);  // the bar takes the form's menu's place
  TEditForm* doc = frame->CreateMDIChild("");
  ASSERT_NE(doc, nullptr);
  bar->WatchTick();
  // The document's menus (group 0) replace the frame's File; Window and ? stay.
  EXPECT_EQ(Captions(), (std::vector<std::string>{"&File", "&Edit", "&Chars", "&Insert", "&Window", "&?"}));
  EXPECT_EQ(bar->MenuButtons()[0]->Item(), doc->File1);
  EXPECT_EQ(bar->MergedMenu(), doc->MainMenu1);
  // A changed top-level item shows on its button at once.
  doc->Chars1->SetEnabled(false);
  EXPECT_FALSE(bar->MenuButtons()[2]->IsEnabled());
  // A button with sub-items opens them.
  bar->MenuButtons()[1]->Press();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], doc->Edit1);
  // The document's glyphs are still beside its commands after the merge.
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_CHECKMARKS;
  ASSERT_TRUE(::GetMenuItemInfoA(doc->File1->PopupHandle(), doc->Save1->Command(), FALSE, &mii));
  EXPECT_NE(mii.hbmpChecked, nullptr);
  ::SendMessageA(frame->ClientHandle(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(doc->Handle()), 0);
  harness::Pump();
  bar->WatchTick();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"&File", "&Window", "&?"}));
  EXPECT_THROW(bar->SetMainMenu(nullptr), tk::InvalidOperation);
}

TEST_F(MainMenu98, AMaximizedDocumentShowsItsIconAndWindowButtons) {
  TEditForm* doc = frame->CreateMDIChild("");
  ASSERT_NE(doc, nullptr);
  ::ShowWindow(doc->Handle(), SW_MAXIMIZE);
  bar->WatchTick();
  ASSERT_NE(bar->SystemButton(), nullptr);
  EXPECT_EQ(bar->SystemButton()->Width, 20);
  std::vector<std::string> hints;
  for (TToolbarButton97* b : bar->WindowButtons())
    if (!b->Hint.empty()) hints.push_back(b->Hint);
  EXPECT_EQ(hints, (std::vector<std::string>{"Minimize window", "Restore window", "Close window"}));
  // The icon button comes first on the bar.
  std::vector<TToolbarButton97*> items = bar->Items();
  ASSERT_FALSE(items.empty());
  EXPECT_EQ(items.front(), bar->SystemButton());
  // Restore window restores the document, and the buttons go.
  bar->WindowButtons()[2]->Click();
  harness::Pump();
  EXPECT_FALSE(::IsZoomed(doc->Handle()));
  bar->WatchTick();
  EXPECT_EQ(bar->SystemButton(), nullptr);
  EXPECT_TRUE(bar->WindowButtons().empty());
}

TEST_F(MainMenu98, AltAndF10EnterAndLeaveKeyboardMode) {
  ASSERT_EQ(bar->MenuButtons().size(), 3u);
  // Alt pressed and released: the first button becomes hot.
  EXPECT_FALSE(bar->KeyDown(VK_MENU, true));
  EXPECT_TRUE(bar->KeyUp(VK_MENU));
  EXPECT_EQ(bar->HotButton(), bar->MenuButtons()[0]);
  EXPECT_TRUE(bar->KeyboardMode());
  // Left wraps to the last button, Right back to the first.
  EXPECT_TRUE(bar->KeyDown(VK_LEFT, false));
  EXPECT_EQ(bar->HotButton(), bar->MenuButtons()[2]);
  EXPECT_TRUE(bar->KeyDown(VK_RIGHT, false));
  EXPECT_EQ(bar->HotButton(), bar->MenuButtons()[0]);
  // A second Alt clears it, and its release does not make a button hot.
  EXPECT_TRUE(bar->KeyDown(VK_MENU, true));
  EXPECT_FALSE(bar->KeyUp(VK_MENU));
  EXPECT_EQ(bar->HotButton(), nullptr);
  EXPECT_FALSE(bar->KeyboardMode());
  // F10 does the same as Alt; Enter opens the hot button's menu.
  bar->KeyDown(VK_F10, false);
  bar->KeyUp(VK_F10);
  ASSERT_EQ(bar->HotButton(), bar->MenuButtons()[0]);
  EXPECT_TRUE(bar->KeyDown(VK_RETURN, false));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], frame->File1);
  // Alt with a letter opens the menu of that accelerator; an unknown one goes on.
  EXPECT_TRUE(bar->KeyDown('W', true));
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[1], frame->Window1);
  EXPECT_FALSE(bar->KeyDown('Q', true));
  // A letter with no button while a button is hot beeps.
  bar->KeyUp(VK_MENU);
  bar->KeyDown(VK_MENU, true);
  bar->KeyUp(VK_MENU);
  ASSERT_NE(bar->HotButton(), nullptr);
  harness::Rec().beeps.clear();
  EXPECT_TRUE(bar->KeyDown('Q', false));
  EXPECT_EQ(harness::Rec().beeps, (std::vector<UINT>{static_cast<UINT>(-1)}));
  EXPECT_TRUE(bar->KeyDown(VK_ESCAPE, false));
  EXPECT_EQ(bar->HotButton(), nullptr);
}

// The box around the pixels of the caption's colour on a button's window.
RECT InkBox(TToolbarButton98* b, COLORREF ink) {
  ::InvalidateRect(b->Handle(), nullptr, TRUE);
  ::UpdateWindow(b->Handle());
  RECT r{};
  ::GetClientRect(b->Handle(), &r);
  RECT box{r.right, r.bottom, -1, -1};
  HDC dc = ::GetDC(b->Handle());
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right; ++x)
      if (::GetPixel(dc, x, y) == ink) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x);
        box.bottom = std::max<LONG>(box.bottom, y);
      }
  ::ReleaseDC(b->Handle(), dc);
  return box;
}

TEST_F(MainMenu98, ACaptionRunsDownAVerticalButtonAndIsEmbossedWhenDisabled) {
  TToolbarButton98* b = bar->MenuButtons()[1];  // "&Window"
  COLORREF ink = ::GetSysColor(COLOR_WINDOWTEXT);
  RECT flat = InkBox(b, ink);
  ASSERT_GE(flat.right, flat.left) << "no caption painted";
  EXPECT_GT(flat.right - flat.left, flat.bottom - flat.top);
  // Turned for a vertical bar: the same caption, now taller than wide.
  int w = b->Width, h = b->Height;
  b->Orientation = orVertical;
  ::SetWindowPos(b->Handle(), nullptr, 0, 0, h, w, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT turned = InkBox(b, ink);
  ASSERT_GE(turned.right, turned.left) << "no caption painted";
  EXPECT_GT(turned.bottom - turned.top, turned.right - turned.left);
  // Disabled: no caption colour, the shadow colour instead.
  b->Orientation = orHorizontal;
  ::SetWindowPos(b->Handle(), nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  frame->Window1->SetEnabled(false);
  b = bar->MenuButtons()[1];
  EXPECT_FALSE(b->IsEnabled());
  RECT none = InkBox(b, ink);
  EXPECT_LT(none.right, none.left);
  RECT shadow = InkBox(b, ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_GE(shadow.right, shadow.left);
}

// ---------------------------------------------------------------------------
// The drop-downs, on a menu of the test's own:
//   &Alpha: &One, -, &Sub > &Deep, &Fail (throws)   &Off (disabled): &Never
//   &Cmd (no sub-items)   &Beta: &Two   &Gamma: G&o

using harness::PumpUntil;

void Key(HWND wnd, UINT vk) {
  ::PostMessageA(wnd, WM_KEYDOWN, vk, 1);
  harness::Pump();
}

BOOL CALLBACK CountShownMenu(HWND wnd, LPARAM counter) {
  char cls[64] = {};
  ::GetClassNameA(wnd, cls, sizeof cls);
  RECT r{};
  ::GetWindowRect(wnd, &r);
  if (lstrcmpA(cls, "QuillonMenu98") == 0 && ::IsWindowVisible(wnd) && r.right > r.left && r.bottom > r.top)
    ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

// Our popup windows of this thread that show with a non-zero size.
int ShownMenuWindows() {
  int count = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), &CountShownMenu, reinterpret_cast<LPARAM>(&count));
  return count;
}

class MainMenu98Dropdowns : public harness::FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    Start();
    menu = frame->Create<tk::MainMenu>("TestMenu1");
    tk::MenuItem* alpha = menu->Items()->Add("Alpha1", "&Alpha");
    alpha->Add("One1", "&One", [this](tk::MenuItem*) { ++clicks; });
    alpha->Add("N1", "-");
    alpha->Add("Sub1", "&Sub")->Add("Deep1", "&Deep", [this](tk::MenuItem*) { ++deepClicks; });
    alpha->Add("Fail1", "&Fail", [](tk::MenuItem*) { throw tk::Error("It went wrong"); });
    tk::MenuItem* off = menu->Items()->Add("Off1", "&Off");
    off->Add("Never1", "&Never");
    off->SetEnabled(false);
    menu->Items()->Add("Cmd1", "&Cmd", [this](tk::MenuItem*) { ++commandClicks; });
    menu->Items()->Add("Beta1", "&Beta")->Add("Two1", "&Two");
    menu->Items()->Add("Gamma1", "&Gamma")->Add("Go1", "G&o");
    bar = frame->Create<TMainMenu98>("MainMenu981");
    bar->SetDockedTo(frame->D4);
    bar->SetMainMenu(menu);
    ASSERT_EQ(bar->MenuButtons().size(), 5u);
  }
  void TearDown() override {
    menus98::CloseAllMenus(false);
    FrameTest::TearDown();
  }
  TToolbarButton98* Button(int i) const { return bar->MenuButtons()[static_cast<size_t>(i)]; }
  // The bar button whose drop-down shows now, or null.
  TToolbarButton98* OpenButton() const {
    TPopupMenu98* open = menus98::OpenMenu();
    return open && menus98::IsMenuOpen() ? open->OpenerButton : nullptr;
  }
  static TPopupMenu98Form* Top() { return menus98::OpenMenu() ? menus98::OpenMenu()->MenuWindow() : nullptr; }
  static void ClickOn(TToolbarButton98* b) {
    ::PostMessageA(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    ::PostMessageA(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  }
  // Opens a drop-down as Alt with its letter does, the first item selected.
  void OpenByKey(char letter) {
    bar->KeyDown(static_cast<UINT>(letter), true);
    ASSERT_TRUE(PumpUntil([] { return menus98::IsMenuOpen(); }));
  }
  tk::MainMenu* menu = nullptr;
  TMainMenu98* bar = nullptr;
  int clicks = 0, deepClicks = 0, commandClicks = 0;
};

TEST_F(MainMenu98Dropdowns, AClickDropsDownOurPopupUnderTheButtonAndASecondClickClosesIt) {
  TToolbarButton98* alpha = Button(0);
  ClickOn(alpha);
  ASSERT_TRUE(PumpUntil([] { return menus98::IsMenuOpen(); }));
  EXPECT_EQ(OpenButton(), alpha);
  EXPECT_EQ(menus98::OpenMenu()->RootItem, menu->Find("Alpha1"));
  EXPECT_EQ(menus98::OpenMenu()->OpenAnimation, anSmart);
  char cls[64] = {};
  ::GetClassNameA(Top()->Handle(), cls, sizeof cls);
  EXPECT_STREQ(cls, "QuillonMenu98");
  EXPECT_TRUE(alpha->Down());
  EXPECT_EQ(Top()->SelectedIndex(), -1);  // by mouse: nothing selected
  // The press on the open button goes to it, not to the close-on-press rule.
  ClickOn(alpha);
  harness::Pump();
  EXPECT_FALSE(menus98::IsMenuOpen());
  EXPECT_FALSE(alpha->Down());
  EXPECT_EQ(ShownMenuWindows(), 0);
  // A bar button without sub-items runs its item and opens nothing.
  ClickOn(Button(2));
  harness::Pump();
  EXPECT_EQ(commandClicks, 1);
  EXPECT_FALSE(menus98::IsMenuOpen());
}

TEST_F(MainMenu98Dropdowns, ADropdownOpensUnderItsButtonOrBesideItInASideDock) {
  // Room below and right of every dock for the menu.
  ::SetWindowPos(frame->Handle(), nullptr, 0, 0, 700, 500, SWP_NOZORDER | SWP_NOACTIVATE);
  struct Case {
    TDock97* dock;
    bool beside;
  } cases[] = {{frame->D4, false}, {frame->D1, false}, {frame->D2, true}, {frame->D3, true}};
  for (const Case& c : cases) {
    bar->SetDockedTo(c.dock);
    bar->BeginUpdate();
    bar->EndUpdate();
    harness::Pump();
    TToolbarButton98* beta = Button(3);
    ClickOn(beta);
    ASSERT_TRUE(PumpUntil([] { return menus98::IsMenuOpen(); })) << c.dock->Name();
    RECT b{}, m{};
    ::GetWindowRect(beta->Handle(), &b);
    ::GetWindowRect(Top()->Handle(), &m);
    EXPECT_EQ(m.left, c.beside ? b.right : b.left) << c.dock->Name();
    EXPECT_EQ(m.top, c.beside ? b.top : b.bottom) << c.dock->Name();
    menus98::CloseAllMenus(false);
  }
}

TEST_F(MainMenu98Dropdowns, ThePointerSlidesTheOpenMenuToTheButtonItMovesOnto) {
  ClickOn(Button(0));
  ASSERT_TRUE(PumpUntil([] { return menus98::IsMenuOpen(); }));
  struct Case {
    int button;     // moved onto
    int expected;   // the button whose menu shows then
  } cases[] = {
      {3, 3},  // Beta: its menu takes Alpha's place
      {4, 4},  // Gamma
      {1, 4},  // the disabled Off: Gamma's menu stays
      {2, 4},  // Cmd, without sub-items: Gamma's menu stays
      {0, 0},  // back to Alpha
  };
  int x = 3;
  for (const Case& c : cases) {
    x = x == 3 ? 6 : 3;  // every move counts (more than 2 pixels)
    ::PostMessageA(Button(c.button)->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, 4));
    ASSERT_TRUE(PumpUntil([&] { return OpenButton() == Button(c.expected); })) << "onto " << c.button;
    EXPECT_EQ(ShownMenuWindows(), 1) << "onto " << c.button;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Button(i)->Down(), i == c.expected) << "onto " << c.button << ": " << i;
  }
  EXPECT_EQ(commandClicks, 0);
}

TEST_F(MainMenu98Dropdowns, LeftAndRightWalkTheBarMenusSkippingThoseThatCannotOpen) {
  OpenByKey('A');
  EXPECT_EQ(OpenButton(), Button(0));
  EXPECT_EQ(Top()->SelectedIndex(), 0);  // by key: the first item selected
  HWND wnd = frame->Handle();
  struct Step {
    UINT key;
    int expected;
  } steps[] = {
      {VK_RIGHT, 3},  // past the disabled Off and the command Cmd
      {VK_RIGHT, 4},
      {VK_RIGHT, 0},  // wraps
      {VK_LEFT, 4},   // wraps back
      {VK_LEFT, 3},
      {VK_LEFT, 0},
  };
  for (const Step& s : steps) {
    Key(wnd, s.key);
    ASSERT_TRUE(PumpUntil([&] { return OpenButton() == Button(s.expected); })) << s.expected;
    EXPECT_EQ(Top()->SelectedIndex(), 0);
    EXPECT_EQ(ShownMenuWindows(), 1);
  }
  // In a sub-menu Left closes it; Right on an item without sub-items walks on.
  Key(wnd, VK_DOWN);  // &Sub (past the separator)
  Key(wnd, VK_RIGHT);
  ASSERT_NE(Top()->ChildForm(), nullptr);
  EXPECT_TRUE(Top()->ChildForm()->Shown());
  Key(wnd, VK_LEFT);
  EXPECT_EQ(OpenButton(), Button(0));
  EXPECT_TRUE(Top()->ChildForm() == nullptr || !Top()->ChildForm()->Shown());
  Key(wnd, VK_RIGHT);
  Key(wnd, VK_DOWN);
  Key(wnd, VK_RIGHT);  // &Deep has no sub-items
  ASSERT_TRUE(PumpUntil([&] { return OpenButton() == Button(3); }));
  EXPECT_EQ(deepClicks, 0);
  // Escape closes the menu and leaves its button hot, in keyboard mode.
  Key(wnd, VK_ESCAPE);
  EXPECT_FALSE(menus98::IsMenuOpen());
  EXPECT_EQ(bar->HotButton(), Button(3));
  EXPECT_TRUE(bar->KeyboardMode());
  EXPECT_FALSE(Button(3)->Down());
  // Enter opens it again; Alt in the open menu leaves the bar altogether.
  Key(wnd, VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return OpenButton() == Button(3); }));
  ::PostMessageA(wnd, WM_SYSKEYDOWN, VK_MENU, 1 << 29);
  ::PostMessageA(wnd, WM_SYSKEYUP, VK_MENU, 0xC0000001);
  harness::Pump();
  EXPECT_FALSE(menus98::IsMenuOpen());
  EXPECT_EQ(bar->HotButton(), nullptr);
  EXPECT_FALSE(bar->KeyboardMode());
  EXPECT_FALSE(Button(3)->Down());
}

TEST_F(MainMenu98Dropdowns, EnterFiresTheItemOnceAfterTheMenuClosed) {
  bool openWhenClicked = true;
  menu->Find("One1")->OnClick = [&](tk::MenuItem*) {
    ++clicks;
    openWhenClicked = menus98::IsMenuOpen() || ShownMenuWindows() > 0;
  };
  int commands = 0;
  bar->OnMenuCommand = [&](TPopupMenu98*, tk::MenuItem* item) { commands += item == menu->Find("One1"); };
  OpenByKey('A');
  Key(frame->Handle(), VK_RETURN);
  ::Sleep(400);  // past the menu timer's tick
  harness::Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(commands, 1);
  EXPECT_FALSE(openWhenClicked);
  EXPECT_FALSE(menus98::IsMenuOpen());
  EXPECT_EQ(ShownMenuWindows(), 0);
  EXPECT_FALSE(Button(0)->Down());
  // A command that fails is reported; the menu is closed and the next opens.
  OpenByKey('A');
  Key(frame->Handle(), 'F');
  harness::Pump();
  EXPECT_FALSE(menus98::IsMenuOpen());
  ASSERT_EQ(harness::Rec().boxes.size(), 1u);
  EXPECT_NE(harness::Rec().boxes[0].text.find("It went wrong"), std::string::npos);
  EXPECT_EQ(ShownMenuWindows(), 0);
  OpenByKey('B');
  EXPECT_EQ(OpenButton(), Button(3));
}

TEST_F(MainMenu98Dropdowns, F1ShowsTheHelpOfAnItemThatHasAHelpContext) {
  menu->Find("One1")->HelpContext = 42;
  struct Case {
    int downs;  // Down presses from the first item
    int calls;
  } cases[] = {{0, 1}, {1, 0}};  // &One has a context, &Sub has none
  for (const Case& c : cases) {
    harness::Rec().helpCalls = 0;
    OpenByKey('A');
    for (int i = 0; i < c.downs; ++i) Key(frame->Handle(), VK_DOWN);
    Key(frame->Handle(), VK_F1);
    EXPECT_EQ(harness::Rec().helpCalls, c.calls) << c.downs;
    EXPECT_TRUE(menus98::IsMenuOpen());
    menus98::CloseAllMenus(false);
  }
}

bool g_closedWhileOpening = false;

LRESULT CALLBACK CloserProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MOUSEMOVE) {
    g_closedWhileOpening = menus98::OpenMenu() && !menus98::IsMenuOpen();
    if (HWND form = reinterpret_cast<HWND>(::GetWindowLongPtrA(wnd, GWLP_USERDATA))) ::DestroyWindow(form);
    ::SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
    return 0;
  }
  return ::DefWindowProcA(wnd, msg, wParam, lParam);
}

// The form goes while a drop-down shows, or during its open animation (the
// animation's first look at the pointer's moves closes the form).
class MainMenu98Closing : public MainMenu98Dropdowns, public ::testing::WithParamInterface<bool> {};

TEST_P(MainMenu98Closing, ClosingTheFormWithADropdownLeavesNoMenuAndNoHook) {
  const bool whileOpening = GetParam();
  WNDCLASSA wc{};
  wc.lpfnWndProc = &CloserProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "QuillonTestBarCloser";
  ::RegisterClassA(&wc);
  HWND closer = ::CreateWindowA(wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
  if (whileOpening) {
    ::SetWindowLongPtrA(closer, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame->Handle()));
    bar->OnPopup = [closer](TPopupMenu98*) { ::PostMessageA(closer, WM_MOUSEMOVE, 0, 0); };
  }
  HWND form = frame->Handle();
  ClickOn(Button(0));
  if (whileOpening) {
    g_closedWhileOpening = false;
    ASSERT_TRUE(PumpUntil([form] { return !::IsWindow(form); }));
    EXPECT_TRUE(g_closedWhileOpening);
  } else {
    ASSERT_TRUE(PumpUntil([] { return menus98::IsMenuOpen(); }));
    ::DestroyWindow(form);
  }
  frame = nullptr;
  harness::Pump();
  EXPECT_FALSE(menus98::IsMenuOpen());
  EXPECT_EQ(ShownMenuWindows(), 0);
  EXPECT_FALSE(menus98::HookInstalled());
  ::DestroyWindow(closer);
}

INSTANTIATE_TEST_SUITE_P(WhileShowingOrOpening, MainMenu98Closing, ::testing::Bool());

TEST_F(MainMenu98Dropdowns, TheIconButtonWaitsForADoubleClickBeforeItsMenuShows) {
  TEditForm* doc = frame->CreateMDIChild("");
  ASSERT_NE(doc, nullptr);
  ::ShowWindow(doc->Handle(), SW_MAXIMIZE);
  bar->WatchTick();
  TToolbarButton98* icon = bar->SystemButton();
  ASSERT_NE(icon, nullptr);
  // A click: the document's system menu shows 175 ms later.
  ClickOn(icon);
  harness::Pump();
  EXPECT_TRUE(icon->SystemMenuPending());
  EXPECT_FALSE(menus98::IsMenuOpen());
  ASSERT_TRUE(PumpUntil([] { return menus98::IsMenuOpen(); }));
  EXPECT_EQ(OpenButton(), icon);
  tk::MenuItem* items = menus98::OpenMenu()->Items();
  ASSERT_NE(items->Find("SYSTEMCLOSE"), nullptr);
  EXPECT_EQ(items->Find("SYSTEMCLOSE")->Tag, SC_CLOSE);
  EXPECT_FALSE(items->Find("SYSTEMMAXIMIZE")->Enabled());
  menus98::CloseAllMenus(false);
  // The keyboard walks onto it at once, from the first menu (the
  // document's File, merged in) and back.
  OpenByKey('F');
  ASSERT_EQ(OpenButton(), Button(0));
  Key(frame->Handle(), VK_LEFT);
  ASSERT_EQ(OpenButton(), icon);
  EXPECT_FALSE(icon->SystemMenuPending());
  EXPECT_EQ(Top()->SelectedIndex(), 0);
  Key(frame->Handle(), VK_RIGHT);
  ASSERT_TRUE(PumpUntil([&] { return OpenButton() == Button(0); }));
  menus98::CloseAllMenus(false);
  // Alt with "-" opens the document's system menu, as a press on its icon.
  for (UINT minus : {VK_OEM_MINUS, VK_SUBTRACT}) {
    EXPECT_TRUE(bar->KeyDown(minus, true));
    ASSERT_TRUE(PumpUntil([] { return menus98::IsMenuOpen(); }));
    EXPECT_NE(menus98::OpenMenu()->Items()->Find("SYSTEMCLOSE"), nullptr);
    menus98::CloseAllMenus(false);
    harness::Pump();
  }
  // A double click closes the document, and no menu shows.
  HWND wnd = doc->Handle();
  ClickOn(icon);
  ::PostMessageA(icon->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
  ::PostMessageA(icon->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(wnd); }));
  ::Sleep(250);
  harness::Pump();
  EXPECT_FALSE(menus98::IsMenuOpen());
  EXPECT_EQ(frame->MDIChildCount(), 0);
}

}  // namespace
