// The Office-style system menu on the real frame and document windows:
// opening from the icon after the delay, keys, Alt+Space, enabling by the
// window's state, the double click that closes, a window that goes while
// its menu opens, and a command that fails.
#include "harness.h"

#include "TRECode.h"
#include "menus98/popup.h"
#include "menus98/popupform.h"
#include "toolkit/application.h"
#include "toolkit/errors.h"

using harness::Rec;

namespace {

using harness::PumpUntil;

void PumpFor(int ms) {
  for (int i = 0; i < ms / 10; ++i) {
    harness::Pump();
    ::Sleep(10);
  }
}

LPARAM ScreenPoint(int x, int y) { return MAKELPARAM(x, y); }

void Key(HWND wnd, UINT vk) {
  ::PostMessageA(wnd, WM_KEYDOWN, vk, 1);
  harness::Pump();
}

class SystemMenus : public harness::DocumentTest {
 protected:
  void TearDown() override {
    menus98::CloseAllMenus(false);
    DocumentTest::TearDown();
  }
  static TPopupMenu98Form* Top() { return menus98::OpenMenu() ? menus98::OpenMenu()->MenuWindow() : nullptr; }
  // Moves the keyboard selection to the item of this name; false if none.
  static bool SelectByKeys(HWND wnd, const std::string& name) {
    for (int i = 0; i < 20; ++i) {
      Key(wnd, VK_DOWN);
      tk::MenuItem* item = Top() ? Top()->SelectedItem() : nullptr;
      if (item && item->Name() == name) return true;
    }
    return false;
  }
};

TEST_F(SystemMenus, IconClickOpensOurMenuAfterTheDelayUnderTheCaptionAndKeysWalkIt) {
  Start();
  HWND wnd = frame->Handle();
  ::SendMessageA(wnd, WM_NCLBUTTONDOWN, HTSYSMENU, ScreenPoint(5, 5));
  EXPECT_FALSE(menus98::IsMenuOpen());
  EXPECT_TRUE(frame->SystemMenu981->OpenPending());
  ASSERT_TRUE(PumpUntil([] { return menus98::IsMenuOpen(); }));
  EXPECT_EQ(menus98::OpenMenu(), frame->SystemMenu981);
  EXPECT_EQ(frame->SystemMenu981->OpenAnimation, anSmart);

  HWND popup = Top()->Handle();
  char cls[64] = {};
  ::GetClassNameA(popup, cls, sizeof cls);
  EXPECT_STREQ(cls, "QuillonMenu98");
  POINT origin{0, 0};
  ::ClientToScreen(wnd, &origin);
  RECT r;
  ::GetWindowRect(popup, &r);
  EXPECT_EQ(r.left, origin.x);
  EXPECT_EQ(r.top, origin.y - 1);

  // The six named commands; Close is the default; on a normal window only
  // Restore is disabled.
  tk::MenuItem* items = frame->SystemMenu981->Items();
  for (const char* name : {"SYSTEMRESTORE", "SYSTEMMOVE", "SYSTEMSIZE", "SYSTEMMINIMIZE", "SYSTEMMAXIMIZE", "SYSTEMCLOSE"})
    ASSERT_NE(items->Find(name), nullptr) << name;
  EXPECT_TRUE(items->Find("SYSTEMCLOSE")->Default());
  EXPECT_FALSE(items->Find("SYSTEMRESTORE")->Enabled());
  EXPECT_TRUE(items->Find("SYSTEMMAXIMIZE")->Enabled());

  // Keys: Down from nothing takes the first item, Up from the first wraps
  // past the separator to the last, Left at top level goes to the first.
  Key(wnd, VK_DOWN);
  EXPECT_EQ(Top()->SelectedIndex(), 0);
  Key(wnd, VK_UP);
  std::string captions;
  for (int i = 0; i < Top()->ItemCount(); ++i) captions += Top()->Item(i)->Caption() + "|";
  EXPECT_EQ(Top()->SelectedIndex(), Top()->ItemCount() - 1) << captions;
  Key(wnd, VK_LEFT);
  EXPECT_EQ(Top()->SelectedIndex(), 0);
  // An accelerator that no item has beeps and leaves the menu open.
  Rec().beeps.clear();
  Key(wnd, 'Q');
  EXPECT_TRUE(menus98::IsMenuOpen());
  ASSERT_EQ(Rec().beeps.size(), 1u);
  EXPECT_EQ(Rec().beeps[0], 0xFFFFFFFFu);
  Key(wnd, VK_ESCAPE);
  PumpFor(50);
  EXPECT_FALSE(menus98::IsMenuOpen());
  EXPECT_EQ(menus98::OpenMenu(), nullptr);
}

TEST_F(SystemMenus, CloseOnAModifiedDocumentAsksTheCloseQuestion) {
  TEditForm* doc = Doc("changed text");
  doc->Edi->SetModified(true);
  ::SendMessageA(doc->Handle(), WM_NCRBUTTONDOWN, HTCAPTION, ScreenPoint(300, 200));
  ::SendMessageA(doc->Handle(), WM_NCRBUTTONUP, HTCAPTION, ScreenPoint(300, 200));
  ASSERT_TRUE(menus98::IsMenuOpen());
  EXPECT_EQ(menus98::OpenMenu(), doc->SystemMenu981);
  EXPECT_EQ(doc->SystemMenu981->OpenAnimation, anPopup);
  RECT r;
  ::GetWindowRect(Top()->Handle(), &r);
  EXPECT_EQ(r.left, 300);
  ASSERT_TRUE(SelectByKeys(frame->Handle(), "SYSTEMCLOSE"));
  Rec().boxAnswers.push_back(IDCANCEL);
  Key(frame->Handle(), VK_RETURN);
  PumpFor(100);
  EXPECT_FALSE(menus98::IsMenuOpen());
  ASSERT_EQ(Rec().boxes.size(), 1u);
  EXPECT_TRUE(Rec().boxes[0].type & MB_ICONQUESTION);
  EXPECT_EQ(frame->MDIChildCount(), 1);  // Cancel keeps it
}

TEST_F(SystemMenus, AltSpaceOpensTheActiveWindowsMenu) {
  Start();
  ASSERT_TRUE(menus98::HookInstalled());
  ::PostMessageA(frame->Handle(), WM_SYSKEYDOWN, VK_SPACE, 1 << 29);
  ASSERT_TRUE(PumpUntil([] { return menus98::IsMenuOpen(); }));
  EXPECT_EQ(menus98::OpenMenu(), frame->SystemMenu981);
}

TEST_F(SystemMenus, EnablingFollowsTheWindowState) {
  TEditForm* doc = Doc("");
  struct Case {
    int show;
    std::vector<std::string> disabled;
  } cases[] = {
      {SW_MAXIMIZE, {"SYSTEMSIZE", "SYSTEMMOVE", "SYSTEMMAXIMIZE"}},
      {SW_RESTORE, {"SYSTEMRESTORE"}},
  };
  for (const Case& c : cases) {
    ::ShowWindow(doc->Handle(), c.show);
    harness::Pump();
    doc->SystemMenu981->RequestSystemMenu98(100, 100, false, false);
    ASSERT_TRUE(menus98::IsMenuOpen());
    tk::MenuItem* items = doc->SystemMenu981->Items();
    for (const char* name : {"SYSTEMRESTORE", "SYSTEMMOVE", "SYSTEMSIZE", "SYSTEMMINIMIZE", "SYSTEMMAXIMIZE", "SYSTEMCLOSE"}) {
      tk::MenuItem* item = items->Find(name);
      ASSERT_NE(item, nullptr) << name;
      const bool off = std::find(c.disabled.begin(), c.disabled.end(), name) != c.disabled.end();
      EXPECT_EQ(item->Enabled(), !off) << c.show << " " << name;
    }
    menus98::CloseAllMenus(false);
  }
}

TEST_F(SystemMenus, DoubleClickOnTheIconClosesAndOpensNoMenu) {
  TEditForm* doc = Doc("");
  HWND wnd = doc->Handle();
  ::SendMessageA(wnd, WM_NCLBUTTONDOWN, HTSYSMENU, ScreenPoint(5, 5));
  ::SendMessageA(wnd, WM_NCLBUTTONDBLCLK, HTSYSMENU, ScreenPoint(5, 5));
  PumpFor(500);
  EXPECT_FALSE(::IsWindow(wnd));
  EXPECT_EQ(frame->MDIChildCount(), 0);
  EXPECT_FALSE(menus98::IsMenuOpen());
}

LRESULT CALLBACK CloserProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MOUSEMOVE) {
    auto* doc = reinterpret_cast<TEditForm*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (doc && doc->HandleAllocated())
      ::SendMessageA(::GetParent(doc->Handle()), WM_MDIDESTROY, reinterpret_cast<WPARAM>(doc->Handle()), 0);
    ::SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
    return 0;
  }
  return ::DefWindowProcA(wnd, msg, wParam, lParam);
}

TEST_F(SystemMenus, AWindowClosedWhileItsMenuOpensLeavesNoHookBehind) {
  TEditForm* doc = Doc("");
  WNDCLASSA wc{};
  wc.lpfnWndProc = &CloserProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "QuillonTestCloser";
  ::RegisterClassA(&wc);
  HWND closer = ::CreateWindowA("QuillonTestCloser", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
  ::SetWindowLongPtrA(closer, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(doc));
  // The move is handled by the open animation's first look at the queue.
  ::PostMessageA(closer, WM_MOUSEMOVE, 0, 0);
  doc->SystemMenu981->RequestSystemMenu98(200, 150, false, false);
  PumpFor(50);
  EXPECT_EQ(frame->MDIChildCount(), 0);
  EXPECT_FALSE(menus98::IsMenuOpen());
  EXPECT_EQ(menus98::OpenMenu(), nullptr);

  // The next menu opens and closes as usual.
  frame->SystemMenu981->RequestSystemMenu98(120, 120, false, false);
  EXPECT_TRUE(menus98::IsMenuOpen());
  Key(frame->Handle(), VK_ESCAPE);
  PumpFor(50);
  EXPECT_FALSE(menus98::IsMenuOpen());
  ::DestroyWindow(closer);

  // Once the last menu window has gone, so has the hook.
  for (int i = 0; i < 50; ++i) Rec().boxAnswers.push_back(IDNO);
  ::DestroyWindow(frame->Handle());
  frame = nullptr;
  harness::Pump();
  EXPECT_FALSE(menus98::HookInstalled());
}

TEST_F(SystemMenus, ACommandThatFailsIsReportedAndTheMenuIsClosed) {
  Start();
  auto* menu = frame->Create<TPopupMenu98>("FailingMenu");
  menu->OpenAnimation = anNone;
  bool closed = false;
  menu->OnMenuClose = [&closed](TPopupMenu98*, tk::MenuItem* item) { closed = closed || item == nullptr; };
  menu->Items()->Add("Fail1", "&Fail", [](tk::MenuItem*) { throw tk::Error("It went wrong"); });
  menu->Items()->Add("N1", "-");
  menu->Items()->Add("Other1", "&Other");
  menu->Popup(100, 100);
  ASSERT_TRUE(menus98::IsMenuOpen());
  // A request waits while a menu is open; opening another closes it first.
  frame->SystemMenu981->RequestSystemMenu98(150, 150, false, false);
  EXPECT_EQ(menus98::OpenMenu(), menu);
  frame->SystemMenu981->ShowSystemMenu98();
  EXPECT_TRUE(closed);
  EXPECT_EQ(menus98::OpenMenu(), frame->SystemMenu981);
  menu->Popup(100, 100);
  EXPECT_EQ(menus98::OpenMenu(), menu);
  Key(frame->Handle(), 'F');
  PumpFor(50);
  EXPECT_FALSE(menus98::IsMenuOpen());
  ASSERT_EQ(Rec().boxes.size(), 1u);
  EXPECT_NE(Rec().boxes[0].text.find("It went wrong"), std::string::npos);
  // The program goes on: the next menu opens.
  frame->SystemMenu981->RequestSystemMenu98(150, 150, false, false);
  EXPECT_TRUE(menus98::IsMenuOpen());
}

}  // namespace
