// The dialogs that belong to no document: the special-character dialog, the
// folder browser and the page-setup component.
#include "harness.h"

#include <algorithm>

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "EinfuegenDlg.h"
#include "shellbrowser.h"
#include "toolkit/errors.h"

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
    selectedAtStart = ItemText(tree, reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)));
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

}  // namespace
