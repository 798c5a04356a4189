// The frame at start-up: settings from the registry, the toolbar, the status
// bar, the frame's own commands.
#include "harness.h"

#include <commctrl.h>

#include "Recents.h"
#include "helpview.h"
#include "toolkit/application.h"

using harness::FrameTest;
using harness::Rec;

namespace {

const std::string kKey = kSettingsKey;

class Startup : public FrameTest {};

TEST_F(Startup, EmptyRegistryGivesTheDefaultsAndCreatesTheKey) {
  ASSERT_FALSE(harness::KeyExists(kKey));
  Start();
  EXPECT_TRUE(harness::KeyExists(kKey));
  EXPECT_FALSE(Settings.CreateNewDoc);
  EXPECT_FALSE(Settings.MaximizeDocs);
  EXPECT_FALSE(Settings.Autowordwrap);
  EXPECT_FALSE(Settings.ShowOperations);
  EXPECT_TRUE(Settings.ShowExtensions);
  EXPECT_EQ(static_cast<std::uint32_t>(Settings.Background), 0x80000005u);
  ASSERT_TRUE(Settings.Font);
  EXPECT_EQ(Settings.Font->Props().name, "MS Sans Serif");
  EXPECT_EQ(Settings.Font->Props().size, 8);
  EXPECT_EQ(static_cast<std::uint32_t>(Settings.Font->Props().color), 0x80000008u);
  EXPECT_EQ(Settings.Font->Props().style, 0u);
  EXPECT_TRUE(frame->TB1->Shown());
  EXPECT_TRUE(::IsWindowVisible(frame->TB1->Handle()));
  EXPECT_TRUE(::IsWindowVisible(frame->StatusBar1->Handle()));
  EXPECT_TRUE(Rec().boxes.empty());
  EXPECT_EQ(frame->StatusBar1->PanelText(2), "");
  EXPECT_EQ(frame->Caption(), "Tolvek's Quillon Light ");
  EXPECT_EQ(frame->MDIChildCount(), 0);  // CreateNewDoc is off
}

TEST_F(Startup, StatusBarHasThreePanels) {
  Start();
  HWND bar = frame->StatusBar1->Handle();
  ASSERT_EQ(::SendMessageA(bar, SB_GETPARTS, 0, 0), 3);
  int edges[3] = {};
  ::SendMessageA(bar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
  EXPECT_EQ(edges[0], 150);
  EXPECT_EQ(edges[1], 220);
  EXPECT_EQ(edges[2], -1);
}

TEST_F(Startup, ToolbarButtonsInOrderWithHintsSizesAndStates) {
  Start();
  // Left to right, 0 standing for a separator.
  const int order[] = {1, 2, 3, 0, 4, 5, 0, 6, 7, 8, 9, 10, 11, 21, 0, 12, 13, 14, 0, 15, 16, 17, 18, 19, 0, 20};
  const auto& items = frame->TB1->Items();
  ASSERT_EQ(items.size(), std::size(order));
  int lastX = -1;
  for (size_t i = 0; i < items.size(); ++i) {
    if (order[i] == 0) {
      EXPECT_EQ(items[i], nullptr) << i;
      continue;
    }
    ASSERT_NE(items[i], nullptr) << i;
    TToolbarButton97* b = items[i];
    EXPECT_EQ(b->Name(), "Btn" + std::to_string(order[i]));
    EXPECT_EQ(b, frame->Btn[static_cast<size_t>(order[i])]);
    RECT r{};
    ::GetWindowRect(b->Handle(), &r);
    EXPECT_EQ(r.right - r.left, order[i] == 8 ? 20 : 23) << b->Name();
    EXPECT_EQ(r.bottom - r.top, 22) << b->Name();
    EXPECT_GT(r.left, lastX) << b->Name();
    lastX = r.left;
    bool always = order[i] == 1 || order[i] == 2 || order[i] == 20;
    EXPECT_EQ(b->IsEnabled(), always) << b->Name();
    EXPECT_FALSE(b->Glyph.Empty()) << b->Name();
  }
  EXPECT_EQ(frame->Btn[20]->Glyph.ImageCount(), 2);
  // Every button shows: the frame is at least as wide as the toolbar.
  RECT last{}, client{};
  ::GetWindowRect(frame->Btn[20]->Handle(), &last);
  ::GetClientRect(frame->Handle(), &client);
  ::MapWindowPoints(frame->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  EXPECT_LE(last.right, client.right);
  const std::pair<int, const char*> hints[] = {
      {1, "New Document"}, {2, "Open"}, {3, "Save"}, {4, "Print"}, {5, "Send"}, {6, "Cut"}, {7, "Copy"},
      {8, "Paste"}, {9, "Delete selection"}, {10, "Undo"}, {11, "Search"}, {21, "Replace"},
      {12, "Increase font"}, {13, "Decrease font"}, {14, "Toggle wordwrap-mode"}, {15, "Cascade"},
      {16, "Tile horizontal"}, {17, "Tile vertical"}, {18, "Previous document"}, {19, "Next document"},
      {20, "Help"}};
  for (auto [n, hint] : hints) EXPECT_EQ(frame->Btn[static_cast<size_t>(n)]->Hint, hint) << n;
}

TEST_F(Startup, StoredFlagsColourAndFontAreRead) {
  harness::SetDword(kKey, "CreateNewDoc", 0);
  harness::SetDword(kKey, "MaximizeDocs", 1);
  harness::SetDword(kKey, "Autowordwrap", 7);
  harness::SetDword(kKey, "ShowOperations", 1);
  harness::SetDword(kKey, "ShowExtensions", 0);
  harness::SetDword(kKey, "ShowStatusbar", 0);
  harness::SetString(kKey, "Background", "$FF0000");
  harness::SetString(kKey, "Font", "Courier New,clBlue,10,f,bi");
  Start();
  EXPECT_TRUE(Rec().boxes.empty());
  EXPECT_TRUE(Settings.MaximizeDocs);
  EXPECT_TRUE(Settings.Autowordwrap);
  EXPECT_TRUE(Settings.ShowOperations);
  EXPECT_FALSE(Settings.ShowExtensions);
  EXPECT_EQ(Settings.Background, 0xFF0000);
  EXPECT_EQ(Settings.Font->Props().name, "Courier New");
  EXPECT_EQ(Settings.Font->Props().color, 0xFF0000);
  EXPECT_EQ(Settings.Font->Props().style, core::fsBold | core::fsItalic);
  EXPECT_FALSE(::IsWindowVisible(frame->StatusBar1->Handle()));
}

TEST_F(Startup, ShowtoolbarZeroHidesTheToolbarEvenWhenItsRecordSaysVisible) {
  harness::SetString(kKey + "\\TB1", "Visible", "1");
  harness::SetDword(kKey, "Showtoolbar", 0);
  Start();
  EXPECT_FALSE(frame->TB1->Shown());
  EXPECT_FALSE(::IsWindowVisible(frame->TB1->Handle()));
  // The client area reaches the top: the empty dock takes no room.
  RECT client{};
  ::GetWindowRect(frame->ClientHandle(), &client);
  POINT topLeft{client.left, client.top};
  ::ScreenToClient(frame->Handle(), &topLeft);
  EXPECT_EQ(topLeft.y, 0);
}

TEST_F(Startup, ToolbarVisibilityIsStoredWhenTheFrameGoes) {
  harness::SetDword(kKey, "Showtoolbar", 0);
  Start();
  ::DestroyWindow(frame->Handle());
  frame = nullptr;
  std::string data;
  ASSERT_EQ(harness::ValueType(kKey + "\\TB1", "Visible", &data), static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::string(data.c_str()), "0");
}

// Each bad value ends the reading with one error box; the frame still shows.
struct BadValue {
  const char* name;
  DWORD type;
  std::string bytes;
  const char* inMessage;
};

class BadRegistryValue : public FrameTest, public ::testing::WithParamInterface<BadValue> {};

TEST_P(BadRegistryValue, ShowsTheErrorBoxAndTheFrameStillShows) {
  const BadValue& bad = GetParam();
  harness::SetDword(kKey, "CreateNewDoc", 0);
  harness::SetDword(kKey, "MaximizeDocs", 1);  // read before any of the bad values
  harness::SetBinary(kKey, bad.name, bad.bytes, bad.type);
  Start();
  ASSERT_EQ(Rec().boxes.size(), 1u) << bad.name;
  EXPECT_NE(Rec().boxes[0].text.find(bad.inMessage), std::string::npos) << Rec().boxes[0].text;
  EXPECT_TRUE(Rec().boxes[0].type & MB_ICONERROR);
  EXPECT_TRUE(::IsWindowVisible(frame->Handle()));
  EXPECT_TRUE(Settings.MaximizeDocs);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadRegistryValue,
    ::testing::Values(BadValue{"Autowordwrap", REG_SZ, std::string("1\0", 2), "Autowordwrap"},
                      BadValue{"ShowExtensions", REG_BINARY, std::string("\1\0\0\0", 4), "ShowExtensions"},
                      BadValue{"Showtoolbar", REG_DWORD, std::string("\1\0", 2), "Showtoolbar"},
                      BadValue{"Background", REG_DWORD, std::string("\xff\0\0\0", 4), "Background"},
                      BadValue{"Background", REG_SZ, std::string("blue\0", 5), "blue"},
                      BadValue{"Font", REG_DWORD, std::string("\0\0\0\0", 4), "Font"}));

TEST_F(Startup, OddButHarmlessValuesCannotCrashTheReading) {
  struct Case {
    const char* name;
    std::string text;
    bool error;  // whether the value is a reported error
  };
  const Case cases[] = {
      {"Font", std::string(100000, 'x') + ",clRed,12,v,b", false},     // a name far too long
      {"Font", "Arial," + std::string(70000, '1') + ",12,d,", false},  // a huge number
      {"Font", std::string("Ar\0ial,clRed,12,v,b", 19), false},        // an embedded zero ends the text
      {"Font", "", false},
      {"Font", ",,,,", false},
      {"Background", std::string(65536, '9'), true},
      {"Background", "", true},
  };
  for (const Case& c : cases) {
    harness::ClearRegistry();
    Rec().Clear();
    harness::SetBinary(kKey, c.name, c.text + std::string(1, '\0'), REG_SZ);
    Start();
    EXPECT_EQ(Rec().boxes.size(), c.error ? 1u : 0u) << c.name << " of " << c.text.size() << " bytes";
    EXPECT_EQ(Settings.Font->Props().name, "MS Sans Serif") << c.text.size();
    ::DestroyWindow(frame->Handle());
    frame = nullptr;
    harness::Pump();
    tk::Application.Restart();
  }
}

TEST_F(Startup, MalformedFontTextsLeaveTheFontUnchangedSilently) {
  for (const char* text : {"Courier New,clBlue,10", "Courier New,blue,10,f,b", "Arial,clRed,big,v,b"}) {
    harness::ClearRegistry();
    harness::SetString(kKey, "Font", text);
    Start();
    EXPECT_TRUE(Rec().boxes.empty()) << text;
    EXPECT_EQ(Settings.Font->Props(), core::FontSpec{}) << text;
    ::DestroyWindow(frame->Handle());
    frame = nullptr;
    harness::Pump();
    tk::Application.Restart();
  }
}

// ---------------------------------------------------------------------------
// The frame's own commands

class FrameCommands : public FrameTest {};

TEST_F(FrameCommands, MenuBarHasFileWindowAndHelp) {
  Start();
  HMENU bar = ::GetMenu(frame->Handle());
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(::GetMenuItemCount(bar), 3);
  const char* expected[] = {"&File", "&Window", "&?"};
  for (int i = 0; i < 3; ++i) {
    char text[64] = {};
    ::GetMenuStringA(bar, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, expected[i]);
  }
  char text[64] = {};
  HMENU file = ::GetSubMenu(bar, 0);
  ::GetMenuStringA(file, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&New...\tCtrl+N");
  ::GetMenuStringA(file, 4, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&Exit");
}

TEST_F(FrameCommands, ExitClosesTheFrame) {
  Start();
  HWND wnd = frame->Handle();
  frame->Exit1->Click();
  harness::Pump();
  EXPECT_FALSE(::IsWindow(wnd));
  EXPECT_TRUE(tk::Application.Terminated());
  frame = nullptr;
}

TEST_F(FrameCommands, HelpShowsTheBuiltInHelpWhenWinHelpHasNoFile) {
  Start();
  frame->Btn[20]->Click();
  harness::Pump();
  EXPECT_EQ(Rec().helpCalls, 1);
  HWND help = HelpWindow();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(::IsWindowVisible(help));
  HWND edit = ::GetWindow(help, GW_CHILD);
  char text[64] = {};
  ::GetWindowTextA(edit, text, sizeof text);
  EXPECT_EQ(std::string(text).rfind("QUILLON LIGHT", 0), 0u) << text;
  frame->Contents1->Click();  // a second request brings the same window up
  EXPECT_EQ(HelpWindow(), help);
  ::DestroyWindow(help);
}

TEST_F(FrameCommands, InfoShowsTheAboutBox) {
  Start();
  std::string caption;
  harness::AnswerDialog([&](HWND dialog) {
    char text[64] = {};
    ::GetWindowTextA(dialog, text, sizeof text);
    caption = text;
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  frame->Info1->Click();
  EXPECT_EQ(caption, "Info");
}

TEST_F(FrameCommands, PreferencesStoredAreReadBack) {
  Start();
  harness::AnswerDialog([](HWND dialog) {
    // Turn every flag to the opposite of its default, pick a colour by name.
    for (int id = 1100; id <= 1106; ++id)
      ::SendDlgItemMessageA(dialog, id, BM_SETCHECK, id >= 1104 ? BST_UNCHECKED : BST_CHECKED, 0);
    HWND combo = ::GetDlgItem(dialog, 1107);
    LRESULT at = ::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>("clInfoBk"));
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  frame->Preferences1->Click();
  EXPECT_TRUE(Rec().boxes.empty());
  EXPECT_TRUE(Settings.CreateNewDoc);
  EXPECT_TRUE(Settings.MaximizeDocs);
  EXPECT_TRUE(Settings.Autowordwrap);
  EXPECT_TRUE(Settings.ShowOperations);
  EXPECT_FALSE(Settings.ShowExtensions);
  EXPECT_FALSE(frame->TB1->Shown());
  EXPECT_FALSE(::IsWindowVisible(frame->StatusBar1->Handle()));
  EXPECT_EQ(static_cast<std::uint32_t>(Settings.Background), 0x80000018u);
  // In the registry types that the frame reads.
  for (const char* flag : {"CreateNewDoc", "MaximizeDocs", "Autowordwrap", "ShowOperations", "ShowExtensions",
                           "Showtoolbar", "ShowStatusbar"})
    EXPECT_EQ(harness::ValueType(kKey, flag), static_cast<DWORD>(REG_DWORD)) << flag;
  std::string data;
  ASSERT_EQ(harness::ValueType(kKey, "Background", &data), static_cast<DWORD>(REG_SZ));
  EXPECT_STREQ(data.c_str(), "clInfoBk");
  ASSERT_EQ(harness::ValueType(kKey, "Font", &data), static_cast<DWORD>(REG_SZ));
  EXPECT_STREQ(data.c_str(), "MS Sans Serif,clWindowText,8,d,");
}

TEST_F(FrameCommands, PreferencesCancelledChangeNothing) {
  Start();
  harness::AnswerDialog([](HWND dialog) {
    ::SendDlgItemMessageA(dialog, 1100, BM_SETCHECK, BST_CHECKED, 0);
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  frame->Preferences1->Click();
  EXPECT_EQ(harness::ValueType(kKey, "CreateNewDoc"), 0u);
  EXPECT_FALSE(Settings.CreateNewDoc);
}

}  // namespace
