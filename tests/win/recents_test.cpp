// The recent-files list: the frame's Window menu as files open and close, a
// click on an entry, the list across a restart, damaged registry contents,
// the list's own menu items and its errors.
#include "harness.h"

#include <memory>

#include "Recents.h"
#include "Unit1.h"
#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/menu.h"

using harness::FrameTest;
using harness::Rec;
using Strings = std::vector<std::string>;

namespace {

const std::string kKey = "Software\\ORCA\\Recents";
const Strings kArrange = {"Tile &horizontal", "Tile &vertical", "&Cascade", "&Arrange icons"};

Strings operator+(Strings a, const Strings& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The entries of a platform menu: captions, "-" for a separator, a "[x]"
// after a checked one.
Strings MenuStrings(HMENU menu) {
  Strings out;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    if (state & MF_SEPARATOR) {
      out.push_back("-");
      continue;
    }
    char text[300] = {};
    ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    out.push_back(std::string(text) + (state & MF_CHECKED ? "[x]" : ""));
  }
  return out;
}

// The visible items of a menu model, as MenuStrings shows them.
Strings ModelStrings(const tk::MenuItem* menu) {
  Strings out;
  for (int i = 0; i < menu->Count(); ++i) {
    const tk::MenuItem* item = menu->Items(i);
    if (item->Visible()) out.push_back(item->Caption() + (item->Checked() ? "[x]" : ""));
  }
  return out;
}

// Files in a fresh temporary folder, removed at the end.
class TempFiles {
 public:
  TempFiles() {
    char base[MAX_PATH] = {};
    ::GetTempPathA(sizeof base, base);
    static int serial = 0;
    dir_ = std::string(base) + "qlrecents" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++serial);
    ::CreateDirectoryA(dir_.c_str(), nullptr);
  }
  ~TempFiles() {
    for (const std::string& f : files_) ::DeleteFileA(f.c_str());
    ::RemoveDirectoryA(dir_.c_str());
  }
  std::string Make(const std::string& name) {
    const std::string path = dir_ + "\\" + name;
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    EXPECT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ::WriteFile(h, "x\r\n", 3, &written, nullptr);
    ::CloseHandle(h);
    files_.push_back(path);
    return path;
  }
  const std::string& Dir() const { return dir_; }

 private:
  std::string dir_;
  Strings files_;
};

class Recents : public FrameTest {
 protected:
  // The Window menu as the frame's menu bar holds it.
  HMENU BarWindowMenu() {
    HMENU bar = ::GetMenu(frame->Handle());
    for (int i = 0; i < ::GetMenuItemCount(bar); ++i) {
      char text[64] = {};
      ::GetMenuStringA(bar, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      if (std::string(text) == "&Window") return ::GetSubMenu(bar, i);
    }
    return nullptr;
  }
  // The Window menu, checked to be the same in the model and on the bar.
  Strings WindowMenu() {
    Strings model = ModelStrings(frame->Window1);
    HMENU menu = BarWindowMenu();
    EXPECT_NE(menu, nullptr);
    if (menu) {
      EXPECT_EQ(MenuStrings(menu), model);
    }
    return model;
  }
  Strings Paths() {
    Strings out;
    for (const core::MruEntry& e : frame->RL1->Entries()) out.push_back(e.path);
    return out;
  }
  // Ends the frame as at the program's end: the list saves.
  void Stop() {
    ::DestroyWindow(frame->Handle());
    frame = nullptr;
    harness::Pump();
    tk::Application.Restart();
  }
  // Ends the frame and starts a new one: the list loads.
  void Restart() {
    Stop();
    Start();
  }
  // Closes the document window of a path, as its Close command does.
  void CloseDocument(const std::string& path) {
    for (tk::MDIChildForm* child : frame->MDIChildren()) {
      auto* doc = dynamic_cast<TEditForm*>(child);
      if (doc && doc->FileName == path) {
        doc->Close1->Click();
        harness::Pump();
        return;
      }
    }
    ADD_FAILURE() << "no window of " << path;
  }
  std::string Value(const std::string& name) {
    std::string data;
    EXPECT_EQ(harness::ValueType(kKey, name, &data), static_cast<DWORD>(REG_SZ)) << name;
    return data.c_str();
  }
  TempFiles files;
};

TEST_F(Recents, WindowMenuOffersClosedFilesNumberedAfterASeparator) {
  Start();
  EXPECT_EQ(WindowMenu(), kArrange);  // nothing, no separator
  const std::string a = files.Make("a.txt"), b = files.Make("b.txt"), c = files.Make("c.txt");
  for (const std::string& f : {a, b, c}) ASSERT_NE(frame->CreateMDIChild(f), nullptr);
  EXPECT_EQ(WindowMenu(), kArrange);  // all three are open
  CloseDocument(b);
  EXPECT_EQ(WindowMenu(), (kArrange + Strings{"-", "&1  " + b}));
  CloseDocument(c);
  CloseDocument(a);
  EXPECT_EQ(WindowMenu(), (kArrange + Strings{"-", "&1  " + c, "&2  " + b, "&3  " + a}));
  // Opened again, in another letter case: hidden, and the entry keeps its spelling.
  std::string upper = b;
  ::CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
  ASSERT_NE(frame->CreateMDIChild(upper), nullptr);
  EXPECT_EQ(Paths(), (Strings{b, c, a}));
  EXPECT_EQ(WindowMenu(), (kArrange + Strings{"-", "&1  " + c, "&2  " + a}));
  EXPECT_TRUE(frame->Arrangeicons1->Enabled());
  EXPECT_TRUE(Rec().boxes.empty()) << (Rec().boxes.empty() ? "" : Rec().boxes[0].text);
}

TEST_F(Recents, ClickOnAnEntryOpensItsFile) {
  Start();
  const std::string a = files.Make("a.txt"), b = files.Make("b.txt");
  for (const std::string& f : {a, b}) {
    frame->CreateMDIChild(f);
    CloseDocument(f);
  }
  ASSERT_EQ(frame->MDIChildCount(), 0);
  const std::vector<tk::MenuItem*>& slots = frame->RL1->Slots();
  ASSERT_EQ(slots.size(), 7u);
  EXPECT_EQ(slots[1]->Caption(), "&2  " + a);
  slots[1]->Click();
  ASSERT_EQ(frame->MDIChildCount(), 1);
  auto* doc = dynamic_cast<TEditForm*>(frame->ActiveMDIChild());
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->FileName, a);
  EXPECT_EQ(Paths(), (Strings{a, b}));
  EXPECT_EQ(WindowMenu(), (kArrange + Strings{"-", "&1  " + b}));
  // A hidden slot stands for nothing.
  slots[5]->Click();
  EXPECT_EQ(frame->MDIChildCount(), 1);
  EXPECT_TRUE(Rec().boxes.empty()) << (Rec().boxes.empty() ? "" : Rec().boxes[0].text);
}

TEST_F(Recents, ListSurvivesARestartWithoutTheFilesDeletedMeanwhile) {
  Start();
  Strings made;
  for (int i = 1; i <= 9; ++i) made.push_back(files.Make("f" + std::to_string(i) + ".txt"));
  for (const std::string& f : made) frame->CreateMDIChild(f);
  ::DeleteFileA(made[8].c_str());  // the newest
  ::DeleteFileA(made[4].c_str());
  Restart();
  // Nine opened, eight saved (the oldest dropped), two of them gone since.
  const Strings loaded = {made[7], made[6], made[5], made[3], made[2], made[1]};
  EXPECT_EQ(Paths(), loaded);
  Strings menu = kArrange + Strings{"-"};
  for (size_t i = 0; i < loaded.size(); ++i) menu.push_back("&" + std::to_string(i + 1) + "  " + loaded[i]);
  EXPECT_EQ(WindowMenu(), menu);
  // The key of the first run holds all eight, deleted ones included; the
  // next run saves only what it loaded.
  Restart();
  EXPECT_EQ(Value("Count"), "6");
  EXPECT_EQ(Value("1"), made[7]);
  EXPECT_EQ(Value("6"), made[1]);
  EXPECT_EQ(harness::ValueType(kKey, "7"), 0u);
  EXPECT_TRUE(Rec().boxes.empty()) << (Rec().boxes.empty() ? "" : Rec().boxes[0].text);
}

TEST_F(Recents, SavedAtExitAsTextValuesMostRecentFirst) {
  Start();
  const std::string a = files.Make("a.txt"), b = files.Make("b.txt");
  frame->CreateMDIChild(a);
  frame->CreateMDIChild(b);
  ::DeleteFileA(a.c_str());  // saved all the same
  Stop();
  EXPECT_EQ(Value("Count"), "2");
  EXPECT_EQ(Value("1"), b);
  EXPECT_EQ(Value("2"), a);
}

TEST_F(Recents, FileSavedUnderANewNameAndClosed) {
  Start();
  const std::string a = files.Make("a.txt");
  const std::string renamed = files.Dir() + "\\renamed.txt";
  TEditForm* doc = frame->CreateMDIChild(a);
  ASSERT_NE(doc, nullptr);
  Rec().dialogAnswers.push_back([&](tk::CommonDialog& dialog) {
    dynamic_cast<tk::SaveDialog&>(dialog).FileName = renamed;
    return true;
  });
  doc->Saveas1->Click();
  ASSERT_EQ(doc->FileName, renamed);
  CloseDocument(renamed);
  // The new name is not in the list; the old entry keeps its mark for this run.
  EXPECT_EQ(Paths(), Strings{a});
  EXPECT_EQ(frame->RL1->IndexOfItem(renamed), -1);
  EXPECT_EQ(WindowMenu(), kArrange);
  Restart();
  EXPECT_EQ(WindowMenu(), (kArrange + Strings{"-", "&1  " + a}));
  ::DeleteFileA(renamed.c_str());
  EXPECT_TRUE(Rec().boxes.empty()) << (Rec().boxes.empty() ? "" : Rec().boxes[0].text);
}

// Registry contents as some other program or an older version left them.
struct BadKey {
  const char* what;
  std::vector<std::pair<std::string, std::string>> values;  // "{1}".. in a text stand for the files
  Strings expected;                                          // file numbers or paths, in list order
};

TEST_F(Recents, DamagedRegistryContentsLoadWhatIsUsable) {
  const BadKey cases[] = {
      {"no Count", {{"1", "{1}"}}, {}},
      {"Count abc", {{"Count", "abc"}, {"1", "{1}"}}, {}},
      {"Count empty", {{"Count", ""}, {"1", "{1}"}}, {}},
      {"Count 0x3 is hex", {{"Count", "0x3"}, {"1", "{1}"}, {"2", "{2}"}, {"3", "{3}"}, {"4", "{4}"}}, {"1", "2", "3"}},
      {"Count $2 is hex", {{"Count", "$2"}, {"1", "{1}"}, {"2", "{2}"}, {"3", "{3}"}}, {"1", "2"}},
      {"Count negative", {{"Count", "-2"}, {"1", "{1}"}}, {}},
      {"Count huge", {{"Count", "2147483647"}, {"1", "{1}"}, {"2", "{2}"}}, {"1", "2"}},
      {"Count beyond 32 bits", {{"Count", "99999999999"}, {"1", "{1}"}}, {}},
      {"missing and empty entries",
       {{"Count", "4"}, {"1", "{1}"}, {"3", ""}, {"4", "{4}"}},
       {"1", "4"}},
      {"a folder and a missing file", {{"Count", "3"}, {"1", "{dir}"}, {"2", "{dir}\\gone.txt"}, {"3", "{3}"}}, {"3"}},
      {"an ampersand in the path", {{"Count", "1"}, {"1", "{amp}"}}, {"amp"}},
  };
  const std::string amp = files.Make("R&D notes.txt");
  const Strings made = {files.Make("1.txt"), files.Make("2.txt"), files.Make("3.txt"), files.Make("4.txt")};
  auto expand = [&](std::string text) {
    if (text == "{dir}") return files.Dir();
    if (text == "{dir}\\gone.txt") return files.Dir() + "\\gone.txt";
    if (text == "{amp}") return amp;
    if (text.size() == 3 && text[0] == '{') return made[static_cast<size_t>(text[1] - '1')];
    return text;
  };
  for (const BadKey& c : cases) {
    SCOPED_TRACE(c.what);
    harness::ClearRegistry();
    for (const auto& [name, text] : c.values) harness::SetString(kKey, name, expand(text));
    Start();
    Strings expected;
    for (const std::string& e : c.expected) expected.push_back(e == "amp" ? amp : made[static_cast<size_t>(e[0] - '1')]);
    EXPECT_EQ(Paths(), expected);
    Strings menu = kArrange;
    if (!expected.empty()) menu.push_back("-");
    for (size_t i = 0; i < expected.size(); ++i) menu.push_back("&" + std::to_string(i + 1) + "  " + expected[i]);
    EXPECT_EQ(WindowMenu(), menu);  // an "&" in a path goes into the caption as it is
    EXPECT_TRUE(Rec().boxes.empty()) << (Rec().boxes.empty() ? "" : Rec().boxes[0].text);
    Stop();
    EXPECT_EQ(Value("Count"), std::to_string(expected.size()));
  }
}

TEST_F(Recents, ValueOfAnotherTypeIsAnErrorNamingItAndTheFrameStillStarts) {
  struct Case {
    const char* name;
    DWORD type;
  };
  const Case cases[] = {{"2", REG_DWORD}, {"1", REG_BINARY}, {"Count", REG_DWORD}, {"3", REG_MULTI_SZ}};
  const std::string a = files.Make("a.txt");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    harness::ClearRegistry();
    Rec().Clear();
    harness::SetString(kKey, "Count", "3");
    for (const char* n : {"1", "2", "3"}) harness::SetString(kKey, n, a);
    harness::SetBinary(kKey, c.name, std::string("\x01\x00\x00\x00", 4), c.type);
    Start();
    ASSERT_EQ(Rec().boxes.size(), 1u);
    EXPECT_NE(Rec().boxes[0].text.find("'" + std::string(c.name) + "'"), std::string::npos) << Rec().boxes[0].text;
    EXPECT_EQ(Rec().boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_TRUE(frame->RL1->Entries().empty());
    EXPECT_EQ(WindowMenu(), kArrange);
    // Working on, the frame saves a sound list in place of the damaged one.
    frame->CreateMDIChild(a);
    Stop();
    EXPECT_EQ(Value("Count"), "1");
    EXPECT_EQ(harness::ValueType(kKey, "2"), 0u);
  }
  // Called directly, the load reports the same error and keeps the list.
  harness::ClearRegistry();
  Start();
  frame->CreateMDIChild(a);
  harness::SetDword(kKey, "Count", 1);
  EXPECT_THROW(frame->RL1->LoadFromRegistry(), tk::RegistryError);
  EXPECT_EQ(Paths(), Strings{a});
}

TEST_F(Recents, DesignTimePropertiesRefuseChangesAfterLoading) {
  Start();
  TMruList* list = frame->RL1;
  auto refused = [](const std::function<void()>& set) {
    try {
      set();
    } catch (const tk::InvalidOperation& e) {
      return std::string(e.what()) == "Operation ist nur im Design-Modus möglich!";
    }
    return false;
  };
  EXPECT_TRUE(refused([&] { list->SetOptions(0); }));
  EXPECT_TRUE(refused([&] { list->SetStyle(core::msCheckSelected); }));
  EXPECT_TRUE(refused([&] { list->SetPosition(core::mpBefore); }));
  EXPECT_TRUE(refused([&] { list->SetAnchor(frame->Cascade1); }));
  EXPECT_TRUE(refused([&] { list->SetMaxShowCount(3); }));
  EXPECT_EQ(list->Options(), core::kMruDefaultOptions);
  EXPECT_EQ(list->Style(), core::msHideSelected);
  EXPECT_EQ(list->Position(), core::mpAfter);
  EXPECT_EQ(list->Anchor(), frame->Arrangeicons1);
  EXPECT_EQ(list->MaxShowCount(), 7);
  list->SetMaxSaveCount(2);  // allowed at any time
  EXPECT_EQ(list->MaxSaveCount(), 2);
}

// ---------------------------------------------------------------------------
// The list on a menu of its own

class MruListMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    harness::ClearRegistry();
    Rec().Clear();
    one = files.Make("one.txt");
    two = files.Make("two.txt");
    NewMenu();
  }
  // A File menu: "&Open", "&Reopen" (the anchor), "E&xit".
  void NewMenu() {
    menu = std::make_unique<tk::MainMenu>(&owner, "Menu");
    file = menu->Items()->Add("File1", "&File");
    file->Add("Open1", "&Open");
    anchor = file->Add("Reopen1", "&Reopen");
    file->Add("Exit1", "E&xit");
  }
  // Names of all items below `m`, hidden ones included.
  static Strings Names(const tk::MenuItem* m) {
    Strings out;
    for (int i = 0; i < m->Count(); ++i) out.push_back(m->Items(i)->Name());
    return out;
  }
  tk::Component owner;
  std::unique_ptr<tk::MainMenu> menu;
  tk::MenuItem* file = nullptr;
  tk::MenuItem* anchor = nullptr;
  TempFiles files;
  std::string one, two;
};

struct Layout {
  const char* what;
  TMruPosition position;
  TMruOptions options;
  TMruStyle style;
  Strings names;  // of the File menu (the anchor's for mpNewMenu); "#n" slot n, "#A"/"#P" separators
  Strings shown;  // visible captions with "one" open and "two" closed
};

TEST_F(MruListMenu, ItemsGoWherePositionAndOptionsSay) {
  using namespace core;
  const TMruOptions lines = mrLineBefore | mrLineAfter;
  const Layout cases[] = {
      {"after, both lines, numbers",
       mpAfter, lines | mrShowNumber | mrTopSelected, msHideSelected,
       {"Open1", "Reopen1", "#A", "#0", "#1", "#P", "Exit1"},
       {"&Open", "&Reopen", "-", "&1  {two}", "-", "E&xit"}},
      {"before, short names, checked open file",
       mpBefore, mrShortFileNames | mrTopSelected, msCheckSelected,
       {"Open1", "#0", "#1", "Reopen1", "Exit1"},
       {"&Open", "one.txt[x]", "two.txt", "&Reopen", "E&xit"}},
      {"new menu, no reordering, marks ignored",
       mpNewMenu, mrLineAfter | mrShowNumber, msNormal,
       {"#0", "#1", "#P"},
       {"&1  {two}", "&2  {one}", "-"}},
  };
  for (const Layout& c : cases) {
    SCOPED_TRACE(c.what);
    NewMenu();
    TMruList list(&owner, "List");
    list.SetPosition(c.position);
    list.SetOptions(c.options);
    list.SetStyle(c.style);
    list.SetMaxShowCount(2);
    list.SetAnchor(anchor);
    list.Loaded();
    list.AddItem(two);
    list.UnselectItem(two);
    list.AddItem(one);
    const tk::MenuItem* where = c.position == mpNewMenu ? anchor : file;
    // Created items are "_" + one stamp for all + slot number, "A" or "P".
    const Strings got = Names(where);
    ASSERT_EQ(got.size(), c.names.size());
    std::string stamp;
    for (size_t i = 0; i < got.size(); ++i) {
      if (c.names[i][0] != '#') {
        EXPECT_EQ(got[i], c.names[i]);
        continue;
      }
      const std::string suffix = c.names[i].substr(1);
      ASSERT_GT(got[i].size(), suffix.size() + 1) << got[i];
      ASSERT_EQ(got[i].substr(got[i].size() - suffix.size()), suffix) << got[i];
      const std::string prefix = got[i].substr(0, got[i].size() - suffix.size());
      if (stamp.empty()) stamp = prefix;
      EXPECT_EQ(prefix, stamp);
    }
    ASSERT_GT(stamp.size(), 1u);
    EXPECT_EQ(stamp[0], '_');
    EXPECT_EQ(stamp.find_first_not_of("0123456789", 1), std::string::npos) << stamp;
    Strings shown;
    for (std::string s : c.shown) {
      if (auto at = s.find("{one}"); at != std::string::npos) s.replace(at, 5, one);
      if (auto at = s.find("{two}"); at != std::string::npos) s.replace(at, 5, two);
      shown.push_back(s);
    }
    EXPECT_EQ(ModelStrings(where), shown);
    HMENU platform = c.position == mpNewMenu ? anchor->PopupHandle() : file->PopupHandle();
    EXPECT_EQ(MenuStrings(platform), shown);
  }
}

TEST_F(MruListMenu, AnchorOptionsFollowWhetherAnEntryShows) {
  TMruList list(&owner, "List");
  list.SetOptions(core::mrDisableAnchorIfEmpty | core::mrHideAnchorIfEmpty | core::mrLineBefore |
                  core::mrCheckFileExist);
  list.SetAnchor(anchor);
  list.Loaded();
  EXPECT_FALSE(anchor->Enabled());
  EXPECT_FALSE(anchor->Visible());
  list.AddItem(one);
  list.UnselectItem(one);
  EXPECT_TRUE(anchor->Enabled());
  EXPECT_TRUE(anchor->Visible());
  EXPECT_EQ(ModelStrings(file), (Strings{"&Open", "&Reopen", "-", one, "E&xit"}));
  ::DeleteFileA(one.c_str());
  list.RebuildMenu();  // a deleted file leaves the menu, the entry stays
  EXPECT_FALSE(anchor->Enabled());
  EXPECT_FALSE(anchor->Visible());
  EXPECT_EQ(ModelStrings(file), (Strings{"&Open", "E&xit"}));
  EXPECT_EQ(list.IndexOfItem(one), 0);
}

TEST_F(MruListMenu, ClickReportsTheListAndTheEntry) {
  TMruList list(&owner, "List");
  list.SetAnchor(anchor);
  list.Loaded();
  list.AddItem(one);
  list.AddItem(two);
  list.UnselectItem(one);
  tk::MenuItem* slot = list.Slots()[0];
  slot->Click();  // no handler: nothing
  std::vector<std::pair<tk::Component*, std::string>> clicks;
  list.OnMruClick = [&](tk::Component* sender, const std::string& item) { clicks.emplace_back(sender, item); };
  slot->Click();
  slot->OnClick(nullptr);  // not from a menu item
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].first, &list);
  EXPECT_EQ(clicks[0].second, one);
}

TEST_F(MruListMenu, LocaleComparisonFindsEntries) {
  TMruList list(&owner, "List");
  list.SetAnchor(anchor);
  list.Loaded();
  list.AddItem("C:\\Briefe\\\xC4rger \xFC" "ber M\xFC" "ll.txt");  // Windows-1252 umlauts
  list.AddItem("C:\\co-op.txt");
  const struct {
    const char* path;
    int index;
  } cases[] = {
      {"c:\\BRIEFE\\\xE4RGER \xDC" "BER m\xDC" "LL.TXT", 1},
      {"C:\\CO-OP.TXT", 0},
      {"C:\\coop.txt", -1},
      {"C:\\co-op.txt ", -1},
      {"", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(list.IndexOfItem(c.path), c.index) << c.path;
}

TEST_F(MruListMenu, BadAnchorFailsLoadingAndSavesNothing) {
  harness::SetString("Software\\ORCA\\MruTest", "Count", "1");
  harness::SetString("Software\\ORCA\\MruTest", "1", one);
  tk::MenuItem loose(nullptr, "Loose", "Loose");      // neither owner nor menu
  tk::MenuItem owned(&owner, "Owned", "Owned");       // an owner, no parent menu
  struct Case {
    const char* what;
    tk::MenuItem* anchor;
    TMruPosition position;
    bool valid;
  } cases[] = {
      {"none", nullptr, core::mpAfter, false},
      {"loose", &loose, core::mpNewMenu, false},
      {"no parent menu, after", &owned, core::mpAfter, false},
      {"no parent menu, before", &owned, core::mpBefore, false},
      {"no parent menu, new menu", &owned, core::mpNewMenu, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    {
      TMruList list(&owner, "List");
      list.SetRegIniKey("ORCA\\MruTest");
      list.SetPosition(c.position);
      list.SetAnchor(c.anchor);
      if (c.valid) {
        list.Loaded();
        EXPECT_EQ(list.Entries().size(), 1u);
        list.SetMaxSaveCount(0);
        list.AddItem(two);  // saved below as the only entry
        continue;
      }
      try {
        list.Loaded();
        ADD_FAILURE() << "no error";
      } catch (const tk::InvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Invalid Anchor!");
      }
    }
    std::string data;
    harness::ValueType("Software\\ORCA\\MruTest", "1", &data);
    EXPECT_STREQ(data.c_str(), one.c_str());
  }
  std::string data;
  harness::ValueType("Software\\ORCA\\MruTest", "1", &data);
  EXPECT_STREQ(data.c_str(), two.c_str());
}

TEST_F(MruListMenu, RegIniKeySetAtRunTimeLoadsThatKey) {
  harness::SetString("Software\\ORCA\\Other", "Count", "1");
  harness::SetString("Software\\ORCA\\Other", "1", one);
  TMruList list(&owner, "List");
  list.SetOptions(core::kMruDefaultOptions & ~core::mrAutoSave);
  list.SetAnchor(anchor);
  list.Loaded();
  list.AddItem(two);
  list.SetRegIniKey("ORCA\\Other");
  EXPECT_EQ(list.Entries().size(), 1u);
  EXPECT_EQ(list.Slots()[0]->Caption(), "&1  " + one);
}

}  // namespace
