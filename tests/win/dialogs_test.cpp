// The dialogs that belong to no document: the special-character dialog, the
// folder browser and the page-setup component.
#include "harness.h"

#include <algorithm>
#include <cstring>

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "EinfuegenDlg.h"
#include "PgSetup.h"
#include "shellbrowser.h"
#include "toolkit/errors.h"
#include "toolkit/printer.h"
#include "toolkit/seam.h"

namespace {

// --- "ASCII-Characters" ---------------------------------------------------

class SpecialCharacterDialog : public harness::FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    Start();
  }
  // Shows the dialog over the frame; `act` runs while it is up.
  bool Show(std::function<void(HWND)> act, std::string& text) {
    harness::AnswerDialog(std::move(act));
    return ShowSpecialCharacterDialog(frame->Handle(), nullptr, text);
  }
  static void SelectRow(HWND dialog, int row) {
    HWND list = ::GetDlgItem(dialog, TEinfDlg::idListView1);
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    if (row < 0) return;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }
  static void Click(HWND dialog, int id) { ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
};

TEST_F(SpecialCharacterDialog, InsertGivesTheSelectedCodeAndOnlyTheButtonsEndIt) {
  enum class End { Insert, Cancel, CloseBox, EscapeThenInsert, EnterThenCancel };
  struct Case {
    const char* name;
    int row;
    End end;
    bool confirmed;
    std::string text;
  };
  const Case cases[] = {
      {"code 65", 65, End::Insert, true, "A"},
      {"code 196 shows '-' but inserts its own byte", 196, End::Insert, true, "\xC4"},
      {"code 0 inserts nothing", 0, End::Insert, true, ""},
      {"no row selected", -1, End::Insert, true, ""},
      {"cancel", 65, End::Cancel, false, ""},
      {"close box", 65, End::CloseBox, false, ""},
      {"Escape is no cancel button", 66, End::EscapeThenInsert, true, "B"},
      {"Enter is no default button", 66, End::EnterThenCancel, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool ownerDisabled = false;
    std::string text = "stale";
    bool confirmed = Show(
        [&](HWND dialog) {
          ownerDisabled = !::IsWindowEnabled(frame->Handle());
          SelectRow(dialog, c.row);
          HWND list = ::GetDlgItem(dialog, TEinfDlg::idListView1);
          switch (c.end) {
            case End::Insert: Click(dialog, TEinfDlg::idButton1); break;
            case End::Cancel: Click(dialog, TEinfDlg::idButton2); break;
            case End::CloseBox: ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); break;
            case End::EscapeThenInsert:
            case End::EnterThenCancel: {
              ::SetFocus(list);
              WPARAM key = c.end == End::EscapeThenInsert ? VK_ESCAPE : VK_RETURN;
              ::PostMessageA(list, WM_KEYDOWN, key, 0);
              ::PostMessageA(list, WM_KEYUP, key, 0xC0000000);
              int button = c.end == End::EscapeThenInsert ? TEinfDlg::idButton1 : TEinfDlg::idButton2;
              ::PostMessageA(::GetDlgItem(dialog, button), BM_CLICK, 0, 0);
              break;
            }
          }
        },
        text);
    EXPECT_EQ(confirmed, c.confirmed);
    EXPECT_EQ(text, c.text);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(::IsWindowEnabled(frame->Handle()));
    EXPECT_FALSE(::IsWindowVisible(TEinfDlg::Instance().Handle()));
  }
}

TEST_F(SpecialCharacterDialog, HasTheTableAndKeepsTheLastSelectionAndTheDocumentFont) {
  std::string text;
  HWND first = nullptr;
  ASSERT_TRUE(Show(
      [&](HWND dialog) {
        first = dialog;
        SelectRow(dialog, 200);
        Click(dialog, TEinfDlg::idButton1);
      },
      text));
  EXPECT_EQ(text, "\xC8");

  // The same window again, with the row of the last use selected, and the
  // rows drawn in the font the caller gave.
  tk::OwnedFont courier(::CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Courier New"));
  HWND second = nullptr;
  int selected = -1;
  LOGFONTA listFont{};
  harness::AnswerDialog([&](HWND dialog) {
    second = dialog;
    HWND list = ::GetDlgItem(dialog, TEinfDlg::idListView1);
    selected = static_cast<int>(::SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(list, WM_GETFONT, 0, 0)), sizeof listFont, &listFont);
    Click(dialog, TEinfDlg::idButton2);
  });
  EXPECT_FALSE(ShowSpecialCharacterDialog(frame->Handle(), courier.get(), text));
  EXPECT_EQ(second, first);
  EXPECT_EQ(selected, 200);
  EXPECT_STREQ(listFont.lfFaceName, "Courier New");
  EXPECT_EQ(listFont.lfHeight, -20);

  TEinfDlg& dlg = TEinfDlg::Instance();
  char caption[64] = {};
  ::GetWindowTextA(dlg.Handle(), caption, sizeof caption);
  EXPECT_STREQ(caption, "ASCII-Characters");
  EXPECT_EQ(::SendMessageA(dlg.ListView1(), LVM_GETITEMCOUNT, 0, 0), 256);
  struct Row {
    int code;
    const char *chars, *dec, *hex;
  };
  for (const Row& r : {Row{0, "", "00", "00"}, Row{9, "", "09", "09"}, Row{65, "A", "65", "41"},
                       Row{179, "\xA6", "179", "B3"}, Row{255, "_", "255", "FF"}}) {
    EXPECT_EQ(dlg.CellText(r.code, 0), r.chars) << r.code;
    EXPECT_EQ(dlg.CellText(r.code, 1), r.dec) << r.code;
    EXPECT_EQ(dlg.CellText(r.code, 2), r.hex) << r.code;
    EXPECT_EQ(dlg.CellText(r.code, 3), "") << r.code;
  }
}

// --- Folder browser -------------------------------------------------------

std::string ItemText(HWND tree, HTREEITEM item) {
  char text[MAX_PATH] = {};
  TVITEMA tv{};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = text;
  tv.cchTextMax = sizeof text;
  ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return text;
}

HWND ChildOfClass(HWND parent, const char* cls) {
  return ::FindWindowExA(parent, nullptr, cls, nullptr);
}

// The child of `item` with this text (the item is expanded first).
HTREEITEM FindChild(HWND tree, HTREEITEM item, const std::string& text) {
  ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
  for (auto c = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
       c; c = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(c))))
    if (ItemText(tree, c) == text) return c;
  return nullptr;
}

HTREEITEM Root(HWND tree) {
  return reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
}

// The shell's own name of a special folder, found another way than the
// component finds names.
std::string SpecialFolderName(int csidl) {
  LPITEMIDLIST list = nullptr;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &list))) return "?";
  SHFILEINFOA info{};
  ::SHGetFileInfoA(reinterpret_cast<LPCSTR>(list), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME);
  ::CoTaskMemFree(list);
  return info.szDisplayName;
}

std::vector<std::string> StaticTexts(HWND dialog) {
  std::vector<std::string> texts;
  for (HWND c = ::FindWindowExA(dialog, nullptr, "Static", nullptr); c; c = ::FindWindowExA(dialog, c, "Static", nullptr)) {
    char text[MAX_PATH] = {};
    ::GetWindowTextA(c, text, sizeof text);
    if (::IsWindowVisible(c)) texts.push_back(text);
  }
  return texts;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

std::string WindowText(HWND wnd) {
  char text[MAX_PATH] = {};
  ::GetWindowTextA(wnd, text, sizeof text);
  return text;
}

struct SelChange {
  std::string folder;
  bool isDisplayName;
  bool operator==(const SelChange&) const = default;
  friend void PrintTo(const SelChange& c, std::ostream* os) { *os << "'" << c.folder << "' " << c.isDisplayName; }
};

class FolderBrowser : public harness::FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    Start();
    char temp[MAX_PATH] = {};
    ::GetTempPathA(sizeof temp, temp);
    base = std::string(temp) + "qlbrowse";
    ::CreateDirectoryA(base.c_str(), nullptr);
    for (const char* sub : {"alpha", "beta"}) ::CreateDirectoryA((base + "\\" + sub).c_str(), nullptr);
    browser = frame->Create<TShellBrowser>("ShellBrowser1");
    browser->OnSelChange = [this](TShellBrowser& sender, const std::string& folder, bool isDisplayName) {
      EXPECT_EQ(&sender, browser);
      changes.push_back({folder, isDisplayName});
    };
  }
  std::string base;
  TShellBrowser* browser = nullptr;
  std::vector<SelChange> changes;
};

TEST_F(FolderBrowser, RootsTheTreeAndReportsPathsOrDisplayNamesUntilCancelled) {
  const std::string desktop = SpecialFolderName(CSIDL_DESKTOP), drives = SpecialFolderName(CSIDL_DRIVES);
  struct Case {
    std::string root;
    std::string rootItem;   // text of the tree's top item
    std::string pick;       // a child of it to select ("" selects the top item itself)
    SelChange reported;
  };
  const Case cases[] = {
      {"", desktop, drives, {drives, true}},
      {"MyComputer", drives, "", {drives, true}},
      {"mYcOmPuTeR", drives, "", {drives, true}},
      {base, "qlbrowse", "alpha", {base + "\\alpha", false}},
      {base + "\\no such folder", desktop, drives, {drives, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("root '" + c.root + "'");
    browser->RootPath = c.root;
    browser->Folder = browser->DisplayName = "stale";
    changes.clear();
    std::string rootItem;
    harness::AnswerDialog([&](HWND dialog) {
      HWND tree = ChildOfClass(dialog, WC_TREEVIEWA);
      HTREEITEM top = Root(tree);
      rootItem = ItemText(tree, top);
      HTREEITEM item = c.pick.empty() ? top : FindChild(tree, top, c.pick);
      ASSERT_NE(item, nullptr);
      // Away and back, so that the item is newly selected in any case.
      ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, 0);
      ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
      ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(browser->Execute());
    EXPECT_EQ(rootItem, c.rootItem);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), c.reported);
    EXPECT_EQ(browser->Folder, "");
    EXPECT_EQ(browser->DisplayName, "");
  }
}

TEST_F(FolderBrowser, TitleStatusAndPromptReachTheDialogAndTheConfirmedFolderIsTheResult) {
  browser->RootPath = base;
  browser->InitialPath = base + "\\beta";
  browser->Prompt = "Choose a folder:";
  browser->Options.Include(shbStatusText);
  browser->SetCaption("Insert directory");
  browser->SetStatusText("ready");
  HWND initialized = nullptr;
  bool userSelects = false;
  browser->OnInitialize = [&](TShellBrowser& sender) { initialized = sender.DialogHandle(); };
  // Each selection retitles the open dialog and updates its status line; an
  // error in the handler reaches the error box, not the shell.
  browser->OnSelChange = [&](TShellBrowser& sender, const std::string& folder, bool isDisplayName) {
    changes.push_back({folder, isDisplayName});
    if (!userSelects) return;
    if (folder.ends_with("alpha")) throw tk::Error("handler failed");
    sender.SetCaption("Now " + folder);
    sender.SetStatusText(folder);
  };

  HWND dialog = nullptr, owner = nullptr;
  std::string title, selectedAtStart, titleAfter;
  std::vector<std::string> before, after;
  harness::AnswerDialog([&](HWND d) {
    dialog = d;
    owner = ::GetWindow(d, GW_OWNER);
    title = WindowText(d);
    before = StaticTexts(d);
    HWND tree = ChildOfClass(d, WC_TREEVIEWA);
    // The shell may fill the tree and select the initial folder a moment
    // after the dialog shows: give it up to three seconds.
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 3000;) {
      selectedAtStart =
          ItemText(tree, reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)));
      if (selectedAtStart == "beta") break;
      harness::Pump();
      ::Sleep(20);
    }
    userSelects = true;
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(FindChild(tree, Root(tree), "alpha")));
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(FindChild(tree, Root(tree), "beta")));
    titleAfter = WindowText(d);
    after = StaticTexts(d);
    ::PostMessageA(d, WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(browser->Execute());

  EXPECT_EQ(initialized, dialog);
  EXPECT_EQ(owner, frame->Handle());
  EXPECT_EQ(browser->DialogHandle(), nullptr);
  EXPECT_EQ(title, "Insert directory");
  EXPECT_EQ(selectedAtStart, "beta");
  EXPECT_TRUE(Contains(before, "Choose a folder:"));
  EXPECT_TRUE(Contains(before, "ready"));
  const std::string beta = base + "\\beta";
  EXPECT_EQ(titleAfter, "Now " + beta);
  EXPECT_TRUE(Contains(after, beta)) << beta;
  EXPECT_EQ(changes, (std::vector<SelChange>{{beta, false}, {base + "\\alpha", false}, {beta, false}}));
  ASSERT_EQ(harness::Rec().boxes.size(), 1u);
  EXPECT_EQ(harness::Rec().boxes[0].text, "handler failed.");
  EXPECT_EQ(browser->Folder, beta);
  EXPECT_EQ(browser->DisplayName, "beta");

  // Set while closed, the title waits for the next time.
  browser->SetCaption("later");
  userSelects = false;
  harness::AnswerDialog([&](HWND d) {
    title = WindowText(d);
    ::PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(browser->Execute());
  EXPECT_EQ(title, "later");
}

// --- Page setup -----------------------------------------------------------

// A page-setup component whose platform call is played by the test: it sees
// the structure the component fills and answers as user and platform would.
class StandInPageSetup : public TPageSetupDialog {
 public:
  using TPageSetupDialog::TPageSetupDialog;
  std::function<BOOL(PAGESETUPDLGA&)> platform;

 protected:
  BOOL RunDialog(PAGESETUPDLGA& setup) override { return platform(setup); }
};

HGLOBAL GlobalCopy(const void* data, size_t size) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(::GlobalLock(block), data, size);
  ::GlobalUnlock(block);
  return block;
}

// A device-names block as a printer driver's dialog hands it back.
HGLOBAL DevNames(const std::string& driver, const std::string& device, const std::string& port) {
  std::string bytes(sizeof(DEVNAMES), '\0');
  auto* header = reinterpret_cast<DEVNAMES*>(bytes.data());
  header->wDriverOffset = static_cast<WORD>(bytes.size());
  bytes += driver + '\0';
  header = reinterpret_cast<DEVNAMES*>(bytes.data());
  header->wDeviceOffset = static_cast<WORD>(bytes.size());
  bytes += device + '\0';
  header = reinterpret_cast<DEVNAMES*>(bytes.data());
  header->wOutputOffset = static_cast<WORD>(bytes.size());
  bytes += port + '\0';
  return GlobalCopy(bytes.data(), bytes.size());
}

class PageSetup : public harness::FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    Start();
    // Past the seam that answers common dialogs wholesale: these tests play
    // the platform underneath the component.
    saved = std::exchange(tk::Seam().commonDialog, nullptr);
    tk::CurrentPrinter().Reset();
    dialog = frame->Create<StandInPageSetup>("PageSetupDialog1");
    dialog->Measurements = pmMillimeters;
  }
  void TearDown() override {
    tk::Seam().commonDialog = saved;
    tk::CurrentPrinter().Reset();
    FrameTest::TearDown();
  }
  std::function<bool(tk::CommonDialog&)> saved;
  StandInPageSetup* dialog = nullptr;
};

TEST_F(PageSetup, FlagsFollowOptionsUnitAndAssignedEvents) {
  auto printer = [](TPageSetupDialog&, HWND) {};
  auto init = [](TPageSetupDialog&, short, TPSPaperType, TPSPaperOrientation, TPSPrinterType, PPSDlgData) {
    return false;
  };
  auto paint = [](TPageSetupDialog&, TPSPaintWhat, HDC, const RECT&) { return false; };
  struct Case {
    const char* name;
    std::function<void(TPageSetupDialog&)> setUp;
    DWORD flags;
  };
  const Case cases[] = {
      {"the frame's dialog", [](TPageSetupDialog&) {}, 0x80A},
      {"inches", [](TPageSetupDialog& d) { d.Measurements = pmInches; }, 0x806},
      {"every option",
       [](TPageSetupDialog& d) {
         d.Options = {poDefaultMinMargins, poDisableMargins, poDisableOrientation, poDisablePagePainting,
                      poDisablePaper, poDisablePrinter, poNoWarning, poShowHelp};
       },
       0x2 | 0x8 | 0x10 | 0x20 | 0x80 | 0x100 | 0x200 | 0x800 | 0x80000},
      {"no options", [](TPageSetupDialog& d) { d.Options = {}; }, 0x0A},
      {"printer event", [&](TPageSetupDialog& d) { d.OnPrinter = printer; }, 0x80A | 0x2000},
      {"one paint event only", [&](TPageSetupDialog& d) { d.OnPaintPage = paint; }, 0x80A | 0x2000},
      {"both paint events",
       [&](TPageSetupDialog& d) {
         d.OnInitPaintPage = init;
         d.OnPaintPage = paint;
       },
       0x80A | 0x2000 | 0x40000},
  };
  for (const Case& c : cases) {
    StandInPageSetup d(nullptr, "d");
    d.Measurements = pmMillimeters;
    c.setUp(d);
    DWORD seen = 0;
    const void *setupHook = nullptr, *paintHook = nullptr;
    d.platform = [&](PAGESETUPDLGA& s) {
      seen = s.Flags;
      setupHook = reinterpret_cast<const void*>(s.lpfnPageSetupHook);
      paintHook = reinterpret_cast<const void*>(s.lpfnPagePaintHook);
      return FALSE;
    };
    EXPECT_EQ(d.Flags(), c.flags) << c.name;
    d.Execute(frame->Handle());
    EXPECT_EQ(seen, c.flags) << c.name;
    EXPECT_EQ(setupHook != nullptr, (c.flags & 0x2000) != 0) << c.name;
    EXPECT_EQ(paintHook != nullptr, (c.flags & 0x40000) != 0) << c.name;
  }
}

TEST_F(PageSetup, ConfirmedMarginsPaperAndPrinterPersistAndCancelChangesNothing) {
  struct Use {
    BOOL confirm;
    RECT userMargins;
    RECT expectShown;  // what the dialog starts from
    RECT expectAfter;
  };
  const Use uses[] = {
      {TRUE, {2000, 1500, 2500, 500}, {1000, 1000, 1000, 1000}, {2000, 1500, 2500, 500}},
      {FALSE, {9900, 9900, 9900, 9900}, {2000, 1500, 2500, 500}, {2000, 1500, 2500, 500}},
      {TRUE, {0, 0, 0, 0}, {2000, 1500, 2500, 500}, {0, 0, 0, 0}},
  };
  auto same = [](const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  };
  dialog->CustData = 42;
  for (size_t i = 0; i < std::size(uses); ++i) {
    const Use& u = uses[i];
    SCOPED_TRACE("use " + std::to_string(i));
    RECT shown{};
    HWND owner = nullptr;
    LPARAM custData = 0;
    dialog->platform = [&](PAGESETUPDLGA& s) {
      EXPECT_EQ(s.lStructSize, sizeof(PAGESETUPDLGA));
      shown = s.rtMargin;
      owner = s.hwndOwner;
      custData = s.lCustData;
      s.rtMargin = u.userMargins;
      s.ptPaperSize = {21000, 29700 + static_cast<LONG>(i)};
      return u.confirm;
    };
    EXPECT_EQ(dialog->Execute(nullptr), u.confirm == TRUE);
    EXPECT_TRUE(same(shown, u.expectShown));
    EXPECT_TRUE(same(dialog->Margins, u.expectAfter));
    EXPECT_EQ(owner, frame->Handle());  // the application's window
    EXPECT_EQ(custData, 42);
  }
  EXPECT_EQ(dialog->PaperSize.y, 29700 + 2);  // from the last confirmed use
}

TEST_F(PageSetup, TheConfirmedPrinterBecomesCurrentAndIsOfferedNextTime) {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  lstrcpynA(reinterpret_cast<char*>(mode.dmDeviceName), "Test Printer", CCHDEVICENAME);
  mode.dmFields = DM_ORIENTATION;
  mode.dmOrientation = DMORIENT_LANDSCAPE;
  // The user picks a printer: the platform hands back new blocks.
  dialog->platform = [&](PAGESETUPDLGA& s) {
    if (s.hDevMode) ::GlobalFree(s.hDevMode);
    if (s.hDevNames) ::GlobalFree(s.hDevNames);
    s.hDevMode = GlobalCopy(&mode, sizeof mode);
    s.hDevNames = DevNames("winspool", "Test Printer", "LPT9:");
    return TRUE;
  };
  ASSERT_TRUE(dialog->Execute(nullptr));
  tk::Printer& printer = tk::CurrentPrinter();
  EXPECT_EQ(printer.DriverName(), "winspool");
  EXPECT_EQ(printer.DeviceName(), "Test Printer");
  EXPECT_EQ(printer.PortName(), "LPT9:");

  // The next opening gets copies of the current printer's blocks, the names
  // laid out driver, device, port after the four-word header.
  std::string names;
  short orientation = 0;
  dialog->platform = [&](PAGESETUPDLGA& s) {
    if (s.hDevNames) {
      const char* p = static_cast<const char*>(::GlobalLock(s.hDevNames));
      names.assign(p, ::GlobalSize(s.hDevNames));
      ::GlobalUnlock(s.hDevNames);
    }
    if (s.hDevMode) {
      orientation = static_cast<const DEVMODEA*>(::GlobalLock(s.hDevMode))->dmOrientation;
      ::GlobalUnlock(s.hDevMode);
    }
    return FALSE;
  };
  EXPECT_FALSE(dialog->Execute(nullptr));
  const std::string header("\x08\x00\x11\x00\x1e\x00\x00\x00", 8);
  EXPECT_EQ(names.substr(0, 8), header);
  EXPECT_EQ(names.substr(8, 28), std::string("winspool\0Test Printer\0LPT9:\0", 28));
  EXPECT_EQ(orientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(printer.DeviceName(), "Test Printer");  // cancelled: still the same
}

TEST_F(PageSetup, TheHookCentresTheDialogAndCallsTheEvents) {
  std::vector<std::string> calls;
  dialog->OnPrinter = [&](TPageSetupDialog& sender, HWND wnd) {
    EXPECT_EQ(&sender, dialog);
    calls.push_back(wnd ? "printer" : "printer without window");
  };
  dialog->OnInitPaintPage = [&](TPageSetupDialog&, short paperSize, TPSPaperType type, TPSPaperOrientation orientation,
                                TPSPrinterType printer, PPSDlgData data) {
    calls.push_back("init " + std::to_string(paperSize) + (type == TPSPaperType::ptEnvelope ? " envelope" : " paper") +
                    (orientation == TPSPaperOrientation::poLandscape ? " landscape" : " portrait") +
                    (printer == TPSPrinterType::ptHPPCL ? " pcl" : " dot matrix") + (data ? " data" : ""));
    return true;
  };
  dialog->OnPaintPage = [&](TPageSetupDialog&, TPSPaintWhat what, HDC dc, const RECT& r) {
    calls.push_back("paint " + std::to_string(static_cast<int>(what)) + (dc ? " dc " : " ") + std::to_string(r.right));
    return what == TPSPaintWhat::pwMargin;
  };
  const int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
  RECT placed{};
  std::vector<UINT_PTR> answers;
  dialog->platform = [&](PAGESETUPDLGA& s) {
    HWND wnd = ::CreateWindowExA(0, "STATIC", "Page Setup", WS_POPUP, 5, 5, 300, 200, nullptr, nullptr, nullptr, nullptr);
    HDC dc = ::GetDC(wnd);
    RECT r{0, 0, 77, 88};
    auto setupHook = s.lpfnPageSetupHook;
    auto paintHook = s.lpfnPagePaintHook;
    setupHook(wnd, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&s));
    ::GetWindowRect(wnd, &placed);
    answers.push_back(setupHook(wnd, WM_COMMAND, MAKEWPARAM(1026, 0), 0));
    answers.push_back(setupHook(wnd, WM_COMMAND, MAKEWPARAM(1026, 1), 0));  // not a click
    answers.push_back(paintHook(wnd, WM_PSD_PAGESETUPDLG, MAKEWPARAM(DMPAPER_A4, 0x0b), reinterpret_cast<LPARAM>(&s)));
    answers.push_back(paintHook(wnd, WM_PSD_MARGINRECT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(&r)));
    answers.push_back(paintHook(wnd, WM_PSD_YAFULLPAGERECT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(&r)));
    ::ReleaseDC(wnd, dc);
    ::DestroyWindow(wnd);
    return FALSE;
  };
  EXPECT_FALSE(dialog->Execute(nullptr));
  EXPECT_EQ(placed.left, (screenW - 300) / 2);
  EXPECT_EQ(placed.top, (screenH - 200) / 3);
  EXPECT_EQ(answers, (std::vector<UINT_PTR>{1, 0, 1, 1, 0}));
  EXPECT_EQ(calls, (std::vector<std::string>{"printer", "init 9 envelope landscape pcl data", "paint 2 dc 77",
                                             "paint 5 dc 77"}));
}

// The platform's own dialog, as it comes up on this machine: without any
// printer the platform reports that and the dialog counts as cancelled.
TEST_F(PageSetup, ThePlatformDialogWithoutAPrinterChangesNothing) {
  TPageSetupDialog* real = frame->Create<TPageSetupDialog>("real");
  real->Measurements = pmMillimeters;
  if (tk::CurrentPrinter().Available()) GTEST_SKIP() << "a printer is installed";
  std::string text;
  harness::AnswerDialog([&](HWND box) {
    char buffer[256] = {};
    for (HWND c = ::FindWindowExA(box, nullptr, "Static", nullptr); c; c = ::FindWindowExA(box, c, "Static", nullptr)) {
      ::GetWindowTextA(c, buffer, sizeof buffer);
      text += buffer;
    }
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(real->Execute(frame->Handle()));
  EXPECT_NE(text, "");
  EXPECT_EQ(real->Margins.left, 1000);
  EXPECT_EQ(real->Margins.bottom, 1000);
}

}  // namespace
