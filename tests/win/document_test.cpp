// Document windows: opening (dropped files, missing and unreadable ones),
// the menu bar, saving in the three formats, byte fidelity, failed saves,
// the close question, Close all and the document buttons.
#include "harness.h"

#include <shlobj.h>

#include "Recents.h"
#include "TRECode.h"
#include "Unit1.h"
#include "toolkit/application.h"

using harness::FrameTest;
using harness::Rec;

namespace {

using harness::ReadBytes;
using harness::WriteBytes;

// Answers the next save dialog with a name and a filter index.
void AnswerSave(const std::string& name, int filterIndex) {
  Rec().dialogAnswers.push_back([=](tk::CommonDialog& d) {
    auto& save = dynamic_cast<tk::SaveDialog&>(d);
    save.FileName = name;
    save.FilterIndex = filterIndex;
    return true;
  });
}

class Documents : public FrameTest {
 public:
  std::string File(const std::string& name, const std::string& bytes) { return folder.File(name, bytes); }
  TEditForm* Open(const std::string& path) {
    TEditForm* doc = frame->CreateMDIChild(path);
    harness::Pump();
    return doc;
  }
  std::vector<std::string> Captions() {
    std::vector<std::string> out;
    for (tk::MDIChildForm* child : frame->MDIChildren()) out.push_back(child->Caption());
    return out;
  }
  harness::TempFolder folder{"ql-docs-"};
  std::string dir = folder.Path();
};

// ---------------------------------------------------------------------------
// Opening

TEST_F(Documents, DroppedFilesOpenInTheShellsOrderAndMissingOnesAreReported) {
  Start();
  std::string a = File("a.txt", "A"), b = File("b.txt", "B"), c = File("c.txt", "C");
  std::string sub = dir + "folder";
  ::CreateDirectoryA(sub.c_str(), nullptr);
  std::vector<std::string> names = {a, dir + "gone.txt", b, sub, c};
  std::string list;
  for (const std::string& n : names) list += n + '\0';
  list += '\0';
  HGLOBAL mem = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
  auto* df = static_cast<DROPFILES*>(::GlobalLock(mem));
  df->pFiles = sizeof(DROPFILES);
  memcpy(reinterpret_cast<char*>(df) + sizeof(DROPFILES), list.data(), list.size());
  ::GlobalUnlock(mem);
  ::SendMessageA(frame->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(mem), 0);
  harness::Pump();

  // The newest window comes first in the frame's list.
  EXPECT_EQ(Captions(), (std::vector<std::string>{"c.txt", "b.txt", "a.txt"}));
  ASSERT_EQ(Rec().boxes.size(), 2u);
  EXPECT_EQ(Rec().boxes[0].text, "File not found! gone.txt");
  EXPECT_EQ(Rec().boxes[1].text, "File not found! folder");
  EXPECT_TRUE(Rec().boxes[1].type & MB_ICONERROR);
  EXPECT_EQ(frame->RL1->IndexOfItem(b) >= 0, true);
}

TEST_F(Documents, AnUnreadableFileLeavesNoWindowAndRestoresTheStatus) {
  Start();
  std::string path = File("locked.txt", "secret");
  // Held open by another without sharing: it cannot be read.
  HANDLE lock = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  tk::Guarded([&] { frame->CreateMDIChild(path); });
  ::CloseHandle(lock);
  harness::Pump();
  EXPECT_EQ(frame->MDIChildCount(), 0);
  ASSERT_EQ(Rec().boxes.size(), 1u);
  EXPECT_NE(Rec().boxes[0].text.find("locked.txt"), std::string::npos) << Rec().boxes[0].text;
  EXPECT_EQ(frame->StatusBar1->PanelText(2), "");
  EXPECT_EQ(tk::Application.GetCursor(), tk::Cursor::Default);
  EXPECT_LT(frame->RL1->IndexOfItem(path), 0);
  EXPECT_FALSE(frame->Btn[3]->IsEnabled());
  EXPECT_EQ(ReadBytes(path), "secret");
}

TEST_F(Documents, CaptionFollowsShowExtensionsAndSurvivesSaveAs) {
  struct Case {
    DWORD showExtensions;
    const char* file;
    const char* caption;
  } cases[] = {{1, "archive.tar.gz", "archive.tar.gz"}, {0, "archive.tar.gz", "archive"}, {0, "notes.txt", "notes"}};
  for (const Case& c : cases) {
    harness::SetDword(kSettingsKey, "ShowExtensions", c.showExtensions);
    Start();
    TEditForm* doc = Open(File(c.file, "x"));
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->Caption(), c.caption);
    AnswerSave(dir + "renamed.txt", 1);
    doc->Saveas1->Click();
    EXPECT_EQ(doc->FileName, dir + "renamed.txt");
    EXPECT_EQ(doc->Caption(), c.caption);  // a save keeps the caption
    TearDown();
    SetUp();
  }
  Start();
  TEditForm* untitled = Open("");
  EXPECT_EQ(untitled->Caption(), "Untitled");
  EXPECT_EQ(untitled->FileName, "");
}

// ---------------------------------------------------------------------------
// The menu bar

TEST_F(Documents, MenuBarMergesTheDocumentsFourMenusInTheirLayout) {
  Start();
  Open("");
  HMENU bar = ::GetMenu(frame->Handle());
  auto text = [](HMENU menu, int pos) {
    char buf[128] = {};
    ::GetMenuStringA(menu, static_cast<UINT>(pos), buf, sizeof buf, MF_BYPOSITION);
    return std::string(buf);
  };
  std::vector<std::string> menus;
  for (int i = 0; i < ::GetMenuItemCount(bar); ++i) menus.push_back(text(bar, i));
  EXPECT_EQ(menus, (std::vector<std::string>{"&File", "&Edit", "&Chars", "&Insert", "&Window", "&?"}));

  // Each menu as shown; "-" a separator, ">" marks a submenu's first items.
  const std::vector<std::vector<std::string>> expected = {
      {"&New...\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &as...\tCtrl+A", "&Print\tCtrl+P",
       "Page Setup...", "&Send", "&Delete file", "&Close", "Close a&ll", "-", "P&references...", "&Exit"},
      {"&Undo\tCtrl+Z", "-", "Cut\tCtrl+X", "&Copy\tCtrl+C", "&Paste", "&Delete", "Delete &Line", "-", "Select all",
       "Select L&ine", "Select &Word", "-", "&Goto line...", "&Search", "&Replace", "-", "&Upcase selection",
       "Lo&wcase selection"},
      {"&Increase Font", "&Decrease Font", "&Wordwrap"},
      {"Append &File...", "&String...", "-", "&Date and Time", "&Time", "-", "&Windows-Directory",
       "&System-Directory", "&Other directory", "-", "Special character"}};
  for (int m = 0; m < 4; ++m) {
    HMENU menu = ::GetSubMenu(bar, m);
    std::vector<std::string> items;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
      MENUITEMINFOA mii{};
      mii.cbSize = sizeof mii;
      mii.fMask = MIIM_FTYPE;
      ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mii);
      items.push_back(mii.fType & MFT_SEPARATOR ? "-" : text(menu, i));
    }
    EXPECT_EQ(items, expected[static_cast<size_t>(m)]) << m;
  }
  HMENU edit = ::GetSubMenu(bar, 1);
  EXPECT_EQ(text(::GetSubMenu(edit, 4), 0), "&Paste as new selection\tCtrl+V");
  EXPECT_EQ(text(::GetSubMenu(edit, 4), 1), "Paste as new dokument");
  std::vector<std::string> del;
  for (int i = 0; i < 4; ++i) del.push_back(text(::GetSubMenu(edit, 5), i));
  EXPECT_EQ(del, (std::vector<std::string>{"&Selected text", "All &double spaces", "&Unnecessary spaces and chars",
                                           "&HTML-Tags"}));
  // Every command of the File menu is there.
  HMENU file = ::GetSubMenu(bar, 0);
  for (int i = 0; i < ::GetMenuItemCount(file); ++i)
    EXPECT_FALSE(::GetMenuState(file, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) << i;
}

// ---------------------------------------------------------------------------
// Saving

struct FormatCase {
  const char* name;
  std::string file;  // as loaded
  std::string dos, unix, mac;
};

TEST_F(Documents, SaveAsInEachFilterWritesTheExactBytes) {
  const FormatCase cases[] = {
      {"LF", "a\nb", "a\r\nb", "a\nb\n", "a\rb\r"},
      {"CR", "a\rb\r", "a\r\nb\r\n", "a\nb\n", "a\rb\r"},
      {"CRLF final", "a\r\nb\r\n", "a\r\nb\r\n", "a\nb\n", "a\rb\r"},
      {"mixed", "x\r\r\ny\n\rz", "x\r\n\r\ny\r\n\r\nz", "x\n\ny\n\nz\n", "x\r\ry\r\rz\r"},
      {"empty", "", "", "", ""},
      {"only a line end", "\n", "\r\n", "\n", "\r"},
      {"rich text is text", "{\\rtf1 bold}", "{\\rtf1 bold}", "{\\rtf1 bold}\n", "{\\rtf1 bold}\r"},
  };
  Start();
  for (const FormatCase& c : cases) {
    TEditForm* doc = Open(File("in.txt", c.file));
    ASSERT_NE(doc, nullptr) << c.name;
    const std::string* want[] = {&c.dos, &c.unix, &c.mac};
    for (int filter = 1; filter <= 3; ++filter) {
      std::string out = dir + "out" + std::to_string(filter) + ".txt";
      AnswerSave(out, filter);
      doc->Saveas1->Click();
      EXPECT_EQ(ReadBytes(out), *want[filter - 1]) << c.name << " filter " << filter;
    }
    // Save after Save as UNIX: DOS again, to the last name.
    AnswerSave(dir + "again.txt", 2);
    doc->Saveas1->Click();
    doc->Save1->Click();
    EXPECT_EQ(ReadBytes(dir + "again.txt"), c.dos) << c.name;
    EXPECT_FALSE(doc->Modified());
    doc->Close();
    harness::Pump();
  }
  EXPECT_TRUE(Rec().boxes.empty());
}

TEST_F(Documents, EveryByteValueSurvivesLoadAndSaveInEachFormat) {
  std::string all;
  for (int b = 0; b < 256; ++b)
    if (b != '\r' && b != '\n') all += static_cast<char>(b);
  // The bytes on a line of their own and within a second line, 0 first.
  std::string file = all + "\r\n" + "x" + all + "y";
  Start();
  TEditForm* doc = Open(File("bytes.bin", file));
  ASSERT_NE(doc, nullptr);
  EXPECT_TRUE(Rec().boxes.empty());
  // Positions count one character per byte and one per line end.
  EXPECT_EQ(doc->Edi->TextLength(), static_cast<std::int64_t>(2 * all.size() + 3));
  EXPECT_EQ(doc->Edi->TextRange(0, static_cast<std::int64_t>(all.size())), all);
  EXPECT_EQ(doc->Edi->LineCount(), 2);
  const std::string second = "x" + all + "y";
  const std::pair<int, std::string> cases[] = {
      {1, all + "\r\n" + second}, {2, all + "\n" + second + "\n"}, {3, all + "\r" + second + "\r"}};
  for (const auto& [filter, bytes] : cases) {
    std::string out = dir + "out" + std::to_string(filter) + ".bin";
    AnswerSave(out, filter);
    doc->Saveas1->Click();
    std::string got = ReadBytes(out);
    ASSERT_EQ(got.size(), bytes.size()) << filter;
    for (size_t i = 0; i < got.size(); ++i)
      ASSERT_EQ(static_cast<unsigned char>(got[i]), static_cast<unsigned char>(bytes[i]))
          << "filter " << filter << " at " << i;
  }
  // Text typed in the middle keeps the bytes around it.
  doc->Edi->SetSel(1, 1);
  doc->Edi->ReplaceSel(std::string("\x81\x8D\x8F\x90\x9D", 5));
  EXPECT_EQ(doc->Edi->TextRange(0, 7), std::string("\0\x81\x8D\x8F\x90\x9D\x01", 7));
}

TEST_F(Documents, AFailedSaveKeepsTheOldFileTheNameAndTheModifiedState) {
  Start();
  struct Case {
    const char* name;
    std::function<std::string(Documents*)> target;  // prepares the failure, returns the name to save as
  } cases[] = {
      {"read-only file",
       [](Documents* t) {
         std::string p = t->File("ro.txt", "old content");
         ::SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_READONLY);
         return p;
       }},
      {"folder gone", [](Documents* t) { return t->dir + "no such folder\\x.txt"; }},
      {"a folder of that name",
       [](Documents* t) {
         ::CreateDirectoryA((t->dir + "dir.txt").c_str(), nullptr);
         return t->dir + "dir.txt";
       }},
  };
  for (const Case& c : cases) {
    Rec().Clear();
    std::string original = File("orig.txt", "line\n");
    TEditForm* doc = Open(original);
    doc->Edi->ReplaceSel("new ");
    ASSERT_TRUE(doc->Modified());
    std::string target = c.target(this);
    std::string before = ReadBytes(target);
    AnswerSave(target, 1);
    tk::Guarded([&] { doc->Saveas1->Click(); });
    ASSERT_EQ(Rec().boxes.size(), 1u) << c.name;
    EXPECT_NE(Rec().boxes[0].text.find("was not changed"), std::string::npos) << Rec().boxes[0].text;
    EXPECT_EQ(ReadBytes(target), before) << c.name;
    EXPECT_EQ(doc->FileName, original) << c.name;
    EXPECT_TRUE(doc->Modified()) << c.name;
    EXPECT_EQ(frame->StatusBar1->PanelText(2), "");
    EXPECT_EQ(tk::Application.GetCursor(), tk::Cursor::Default);
    // No temporary file is left behind.
    WIN32_FIND_DATAA fd{};
    HANDLE find = ::FindFirstFileA((dir + "qlt*").c_str(), &fd);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << fd.cFileName;
    if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
    Rec().boxAnswers.push_back(IDNO);
    doc->Close();
    harness::Pump();
  }
}

TEST_F(Documents, SavingOverAFileKeepsItsAttributes) {
  Start();
  std::string path = File("hidden.txt", "old");
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  TEditForm* doc = Open(path);
  doc->Edi->ReplaceSel("new ");
  doc->Save1->Click();
  EXPECT_EQ(ReadBytes(path), "new old");
  EXPECT_TRUE(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

// ---------------------------------------------------------------------------
// Closing

struct CloseCase {
  const char* name;
  bool titled;
  std::vector<int> answers;  // the close question's, then IDOK for the error box
  bool dialogConfirms;       // the save dialog of an untitled document
  bool closes;
  bool written;
};

TEST_F(Documents, TheCloseQuestionAndItsAnswers) {
  const CloseCase cases[] = {
      {"named, Yes", true, {IDYES}, false, true, true},
      {"named, No", true, {IDNO}, false, true, false},
      {"named, Cancel", true, {IDCANCEL}, false, false, false},
      {"untitled, Yes, saved", false, {IDYES}, true, true, true},
      {"untitled, Yes, dialog cancelled", false, {IDYES}, false, false, false},
      {"untitled, No", false, {IDNO}, false, true, false},
  };
  Start();
  for (const CloseCase& c : cases) {
    Rec().Clear();
    std::string path = File("doc.txt", "text");
    std::string saveAs = dir + "saved.txt";
    ::DeleteFileA(saveAs.c_str());
    TEditForm* doc = Open(c.titled ? path : "");
    doc->Edi->ReplaceSel("new ");
    for (int a : c.answers) Rec().boxAnswers.push_back(a);
    if (c.dialogConfirms) AnswerSave(saveAs, 1);
    HWND wnd = doc->Handle();
    doc->Close1->Click();
    harness::Pump();
    ASSERT_GE(Rec().boxes.size(), 1u) << c.name;
    EXPECT_EQ(Rec().boxes[0].text, c.titled ? "File " + path + " was modified. Save modifications?"
                                            : "File  was modified. Save modifications?")
        << c.name;
    EXPECT_EQ(Rec().boxes[0].type & 0xFF, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION)) << c.name;
    EXPECT_EQ(!::IsWindow(wnd), c.closes) << c.name;
    std::string written = ReadBytes(c.titled ? path : saveAs);
    EXPECT_EQ(written == (c.titled ? "new text" : "new "), c.written) << c.name << ": " << written;
    if (!c.closes) {
      EXPECT_TRUE(doc->Modified()) << c.name;
      Rec().boxAnswers.push_back(IDNO);
      doc->Close();
      harness::Pump();
    }
  }
}

TEST_F(Documents, CloseAllAsksEachAndACancelKeepsOnlyThatWindow) {
  Start();
  std::vector<HWND> wnds;
  for (const char* n : {"1.txt", "2.txt", "3.txt"}) {
    TEditForm* doc = Open(File(n, n));
    doc->Edi->ReplaceSel("x");
    wnds.push_back(doc->Handle());
  }
  Rec().boxAnswers = {IDNO, IDCANCEL, IDNO};
  auto* active = dynamic_cast<TEditForm*>(frame->ActiveMDIChild());
  active->Closeall1->Click();
  harness::Pump();
  EXPECT_EQ(Rec().boxes.size(), 3u);
  ASSERT_EQ(frame->MDIChildCount(), 1);
  // From the last in the frame's list to the first: the oldest is asked first.
  EXPECT_NE(Rec().boxes[0].text.find("1.txt"), std::string::npos);
  EXPECT_TRUE(::IsWindow(wnds[1]));
  EXPECT_EQ(ReadBytes(dir + "2.txt"), "2.txt");
}

TEST_F(Documents, EndingTheProgramWithACancelledSaveDialogKeepsEverything) {
  Start();
  TEditForm* doc = Open("");
  doc->Edi->ReplaceSel("keep me");
  Rec().boxAnswers.push_back(IDYES);  // and the save dialog is cancelled
  doc->Exit1->Click();
  harness::Pump();
  ASSERT_TRUE(::IsWindow(frame->Handle()));
  EXPECT_FALSE(tk::Application.Terminated());
  EXPECT_EQ(doc->Edi->Text(), "keep me");
  EXPECT_TRUE(doc->Modified());
}

TEST_F(Documents, DocumentButtonsFollowTheNumberOfWindows) {
  Start();
  auto state = [&] {
    return std::make_pair(frame->Btn[3]->IsEnabled() && frame->Btn[17]->IsEnabled() && frame->Btn[21]->IsEnabled(),
                          frame->Btn[18]->IsEnabled() && frame->Btn[19]->IsEnabled());
  };
  EXPECT_EQ(state(), std::make_pair(false, false));
  TEditForm* a = Open("");
  EXPECT_EQ(state(), std::make_pair(true, false));
  TEditForm* b = Open("");
  EXPECT_EQ(state(), std::make_pair(true, true));
  Open("");
  EXPECT_EQ(state(), std::make_pair(true, true));
  b->Close();
  harness::Pump();
  EXPECT_EQ(state(), std::make_pair(true, true));
  a->Close();
  harness::Pump();
  EXPECT_EQ(state(), std::make_pair(true, false));
  dynamic_cast<TEditForm*>(frame->ActiveMDIChild())->Close1->Click();
  harness::Pump();
  EXPECT_EQ(state(), std::make_pair(false, false));
  EXPECT_TRUE(frame->Btn[1]->IsEnabled() && frame->Btn[2]->IsEnabled() && frame->Btn[20]->IsEnabled());
}

TEST_F(Documents, ToolbarSaveFiresTheActiveDocumentsSave) {
  Start();
  std::string path = File("t.txt", "a\nb");
  TEditForm* doc = Open(path);
  doc->Edi->SetSel(0, 0);
  doc->Edi->ReplaceSel("z");
  frame->Btn[3]->Click();
  EXPECT_EQ(ReadBytes(path), "za\r\nb");
  EXPECT_FALSE(doc->Modified());
}

TEST_F(Documents, LoadingStartsCleanAtTheTopWithNothingToUndo) {
  Start();
  TEditForm* doc = Open(File("u.txt", "one\ntwo\n"));
  EXPECT_FALSE(doc->Modified());
  EXPECT_EQ(doc->Edi->SelStart(), 0);
  EXPECT_EQ(doc->Edi->SelLength(), 0);
  EXPECT_EQ(doc->Edi->LineCount(), 2);
  doc->Undo1->Click();  // nothing to undo: the loaded text stays
  EXPECT_EQ(doc->Edi->Text(), "one\rtwo\r");
}

// One line of 50 MB without a line end: it opens, Ctrl+End and Page Down
// reach and keep its end (painted there), and a save writes it back byte for
// byte.
TEST_F(Documents, AFiftyMegabyteLineOpensMovesAndSavesByteForByte) {
  std::string line(std::size_t{50} << 20, 'x');
  for (std::size_t i = 0; i < line.size(); i += 4099) line[i] = static_cast<char>('a' + i % 26);
  const std::string path = File("long.txt", line);
  const auto size = static_cast<std::int64_t>(line.size());
  Start();
  TEditForm* doc = Open(path);
  ASSERT_NE(doc, nullptr);
  ASSERT_EQ(doc->Edi->TextLength(), size);
  EXPECT_EQ(doc->Edi->LineCount(), 1);
  HWND edi = doc->Edi->Handle();
  auto key = [edi](WORD vk, bool ctrl) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
    ::SetKeyboardState(keys);
    ::SendMessageW(edi, WM_KEYDOWN, vk, 1);
    ::SendMessageW(edi, WM_KEYUP, vk, 0xC0000001);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0;
    ::SetKeyboardState(keys);
    ::UpdateWindow(edi);
  };
  key(VK_END, true);
  EXPECT_EQ(doc->Edi->SelStart(), size);
  EXPECT_EQ(doc->Edi->CaretLine(), 0);
  EXPECT_EQ(doc->Edi->CaretColumn(), size);
  key(VK_NEXT, false);
  EXPECT_EQ(doc->Edi->SelStart(), size);
  key(VK_HOME, true);
  key(VK_NEXT, false);
  EXPECT_EQ(doc->Edi->CaretLine(), 0);
  EXPECT_FALSE(doc->Modified());

  doc->Edi->SetModified(true);
  doc->Save1->Click();
  EXPECT_FALSE(doc->Modified());
  const std::string saved = ReadBytes(path);
  ASSERT_EQ(saved.size(), line.size());
  EXPECT_TRUE(saved == line);
  EXPECT_TRUE(Rec().boxes.empty());
}

}  // namespace
