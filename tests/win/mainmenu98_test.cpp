// The menu bar made of toolbar buttons, on the frame of a test: merging a
// document's menus by group index, the window buttons of a maximized
// document, and the keyboard mode of Alt and F10.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "harness.h"
#include "menus98/menubar.h"
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

}  // namespace
