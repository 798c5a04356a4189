// The document window's editing and insertion commands on real windows:
// lines and words, font size, go to line and the string insertion through
// the real library dialogs, appending a file, special characters, date and
// time, folders and the context menu.
#include "harness.h"

#include <commctrl.h>
#include <richedit.h>

#include "EinfuegenDlg.h"
#include "TRECode.h"
#include "Unit1.h"
#include "core/datetimefmt.h"
#include "core/fonttext.h"
#include "shellbrowser.h"
#include "toolkit/application.h"
#include "toolkit/popupmenu.h"

#include "../../dialogs/resource.h"

using harness::Rec;

namespace {

class Editing : public harness::DocumentTest {
 protected:
  std::string Selected(TEditForm* doc) {
    return doc->Edi->TextRange(doc->Edi->SelStart(), doc->Edi->SelStart() + doc->Edi->SelLength());
  }
  static std::string TempFile(const std::string& name, const std::string& bytes) {
    char tmp[MAX_PATH] = {};
    ::GetTempPathA(sizeof tmp, tmp);
    std::string path = std::string(tmp) + "ql-edit-" + std::to_string(::GetCurrentProcessId()) + "-" + name;
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD put = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    ::CloseHandle(h);
    return path;
  }
  static void AnswerOpen(const std::string& name) {
    Rec().dialogAnswers.push_back([=](tk::CommonDialog& d) {
      dynamic_cast<tk::OpenDialog&>(d).FileName = name;
      return true;
    });
  }
};

// ---------------------------------------------------------------------------
// Lines, words and font size

TEST_F(Editing, DeleteLineTakesTheLineWithItsLineEnd) {
  struct Case {
    std::string text;
    long long caret;
    std::string after;
  } cases[] = {
      {"a\rb", 2, "a\r"},  // the last line loses only its characters
      {"a\rb", 0, "b"},
      {"one\rtwo\rthree", 5, "one\rthree"},
      {"one\rtwo\r", 8, "one\rtwo\r"},  // after the final line end: nothing there
      {"", 0, ""},
  };
  for (const Case& c : cases) {
    TEditForm* doc = Doc(c.text, c.caret);
    doc->DeleteLine1Click();
    EXPECT_EQ(doc->Edi->Text(), c.after) << c.text << " @" << c.caret;
  }
}

TEST_F(Editing, SelectLineAndSelectWord) {
  struct Case {
    void (TEditForm::*command)();
    std::string text;
    long long caret;
    std::string selected;
  } cases[] = {
      {&TEditForm::Selectline1Click, "first\rhello world\rlast", 11, "hello world"},  // 11 characters, no line end
      {&TEditForm::Selectline1Click, "first\rhello world\rlast", 20, "last"},
      {&TEditForm::Selectline1Click, "", 0, ""},
      {&TEditForm::SelectWord1Click, "alpha beta gamma", 7, "beta"},
      {&TEditForm::SelectWord1Click, "alpha beta gamma", 0, "alpha"},
      {&TEditForm::SelectWord1Click, "alpha beta gamma", 13, "gamma"},  // the last word keeps its last letter
      {&TEditForm::SelectWord1Click, "one\rtwo three", 5, "two"},
      {&TEditForm::SelectWord1Click, std::string(5000, 'w') + " end", 4000, std::string(5000, 'w')},
  };
  for (const Case& c : cases) {
    TEditForm* doc = Doc(c.text, c.caret);
    (doc->*c.command)();
    EXPECT_TRUE(Selected(doc) == c.selected) << Selected(doc).substr(0, 40) << " @" << c.caret;
    EXPECT_TRUE(doc->Edi->Text() == c.text);
  }
}

TEST_F(Editing, FontSizeMovesOnePointWithinEightTo127) {
  struct Case {
    int size;
    bool increase;
    int after;
  } cases[] = {{127, true, 127}, {8, false, 8}, {10, true, 11}, {10, false, 9}, {200, false, 199},
               {3, true, 4},     {3, false, 3}, {126, true, 127}};
  for (const Case& c : cases) {
    TEditForm* doc = Doc("text");
    core::FontSpec font = doc->Edi->Font();
    font.size = c.size;
    doc->Edi->SetFont(font);
    c.increase ? doc->IncreaseFont1Click() : doc->DecreaseFont1Click();
    EXPECT_EQ(doc->Edi->Font().size, c.after) << c.size << (c.increase ? " up" : " down");
    EXPECT_FALSE(doc->Modified());
  }
}

// ---------------------------------------------------------------------------
// Go to line through the real dialog

TEST_F(Editing, GotoLineAlwaysLandsOnALine) {
  struct Case {
    const char* typed;  // nullptr: Cancel
    long long caret;
  } cases[] = {{"3", 6}, {"999999", 9}, {"0", 0}, {"-5", 0},
               {nullptr, 3}};  // a cancel keeps the line: its start
  for (const Case& c : cases) {
    TEditForm* doc = Doc("aa\rbb\rcc\rdd", 4);
    std::string prompt;
    harness::AnswerDialog([&](HWND dialog) {
      char text[64] = {};
      ::GetDlgItemTextA(dialog, IDC_LINEPROMPT, text, sizeof text);
      prompt = text;
      if (c.typed) ::SetDlgItemTextA(dialog, IDC_LINE, c.typed);
      ::PostMessageA(dialog, WM_COMMAND, c.typed ? IDOK : IDCANCEL, 0);
    });
    doc->Gotoline1Click();
    EXPECT_EQ(prompt, "&Line (1 - 4):");
    EXPECT_EQ(doc->Edi->SelStart(), c.caret) << (c.typed ? c.typed : "cancel");
    EXPECT_EQ(doc->Edi->SelLength(), 0);
  }
}

// ---------------------------------------------------------------------------
// "&String..." through the real dialog

struct StringCase {
  const char* name;
  std::string text;
  long long selStart, selLength;
  const char* insert;
  bool selectedLines, atStart;
  std::string after;
};

class InsertString : public Editing, public ::testing::WithParamInterface<StringCase> {
 protected:
  static void Answer(const char* insert, bool selectedLines, bool atStart) {
    harness::AnswerDialog([=](HWND dialog) {
      ::SetDlgItemTextA(dialog, IDC_STRING, insert);
      ::CheckRadioButton(dialog, IDC_ALLLINES, IDC_SELECTEDLINES, selectedLines ? IDC_SELECTEDLINES : IDC_ALLLINES);
      ::CheckRadioButton(dialog, IDC_LINESTART, IDC_LINEEND, atStart ? IDC_LINESTART : IDC_LINEEND);
      ::SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
  }
};

TEST_P(InsertString, PutsTheStringOnTheLines) {
  const StringCase& c = GetParam();
  TEditForm* doc = Doc(c.text, c.selStart, c.selLength);
  frame->StatusBar1->SetPanelText(0, "Line: 1 Pos: 1");
  Answer(c.insert, c.selectedLines, c.atStart);
  doc->String1Click();
  EXPECT_TRUE(doc->Edi->Text() == c.after) << doc->Edi->Text().substr(0, 80);
  EXPECT_EQ(doc->Modified(), c.after != c.text);
  ExpectRestored(doc);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, InsertString,
    ::testing::Values(
        StringCase{"AllAtStart", "x\ry\rz", 0, 0, "ab", false, true, "abx\raby\rabz"},
        StringCase{"AllAtEnd", "x\ry\rz\r", 0, 0, ";", false, false, "x;\ry;\rz;\r"},
        // From the middle of the first line to the very start of the third.
        StringCase{"SelectionEndsAtALineStart", "one\rtwo\rthree", 1, 7, "> ", true, true, "> one\r> two\r> three"},
        StringCase{"SelectedMiddleLine", "one\rtwo\rthree", 5, 1, "#", true, false, "one\rtwo#\rthree"},
        StringCase{"CaretOnlyTakesItsLine", "one\rtwo\rthree", 9, 0, "-", true, true, "one\rtwo\r-three"},
        // A line far longer than any buffer keeps its tail.
        StringCase{"LongLine", std::string(70000, 'q') + "\rz", 0, 0, "<", false, false,
                   std::string(70000, 'q') + "<\rz<"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InsertString, LinesBetweenLineEndsAlsoWithWordWrap) {
  std::string longLine;
  for (int i = 0; i < 60; ++i) longLine += "word ";
  TEditForm* doc = Doc(longLine + "\rshort");
  doc->Wordwrap1Click();
  ASSERT_TRUE(doc->Wordwrap1->Checked());
  ASSERT_GT(doc->Edi->LineCount(), 2);  // the display wraps the long line
  Answer("!", false, true);
  doc->String1Click();
  EXPECT_EQ(doc->Edi->Text(), "!" + longLine + "\r!short");
  doc->Wordwrap1Click();
  EXPECT_FALSE(doc->Wordwrap1->Checked());
}

TEST_F(InsertString, CancelChangesNothing) {
  TEditForm* doc = Doc("a\rb");
  harness::AnswerDialog([](HWND dialog) {
    ::SetDlgItemTextA(dialog, IDC_STRING, "zz");
    ::SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  doc->String1Click();
  EXPECT_EQ(doc->Edi->Text(), "a\rb");
  EXPECT_FALSE(doc->Modified());
}

// Escape is pressed again and again from the moment the dialog is gone:
// the window manager's focus changes may forget a key state set earlier.
void CALLBACK PressEscape(HWND, UINT, UINT_PTR, DWORD) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = VK_ESCAPE;
  ::SendInput(1, &in, sizeof in);
}

TEST_F(InsertString, EscapeStopsPartWayAndEverythingIsRestored) {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "line\r";
  TEditForm* doc = Doc(text);
  frame->StatusBar1->SetPanelText(0, "Line: 1 Pos: 1");
  UINT_PTR timer = 0;
  harness::AnswerDialog([&](HWND dialog) {
    ::SetDlgItemTextA(dialog, IDC_STRING, "#");
    ::CheckRadioButton(dialog, IDC_ALLLINES, IDC_SELECTEDLINES, IDC_ALLLINES);
    ::CheckRadioButton(dialog, IDC_LINESTART, IDC_LINEEND, IDC_LINESTART);
    ::SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    timer = ::SetTimer(nullptr, 0, 10, PressEscape);
  });
  doc->String1Click();
  ::KillTimer(nullptr, timer);
  harness::HoldEscape(false);
  harness::Pump();

  // The first lines changed, the rest not.
  std::string after = doc->Edi->Text();
  size_t changed = 0;
  while (after.compare(changed * 6, 6, "#line\r") == 0) ++changed;
  EXPECT_GE(changed, 1u);
  EXPECT_LT(changed, 3000u);
  EXPECT_TRUE(after.compare(changed * 6, std::string::npos, text, changed * 5, std::string::npos) == 0);
  ExpectRestored(doc);
}

// ---------------------------------------------------------------------------
// Append File

TEST_F(Editing, AppendFileContinuesTheLastLine) {
  std::string file = TempFile("xyz.txt", "xyz\r\nsecond\nthird");
  TEditForm* doc = Doc("abc");
  AnswerOpen(file);
  doc->File2Click();
  ::DeleteFileA(file.c_str());
  EXPECT_EQ(doc->Edi->Text(), "abcxyz\rsecond\rthird");
  EXPECT_TRUE(doc->Modified());
  EXPECT_EQ(doc->FileName, "");
  EXPECT_TRUE(Rec().boxes.empty());
  ExpectRestored(doc, false);
}

TEST_F(Editing, AppendFileToALargeDocumentShowsItsTextAgain) {
  // A document large enough that the control is replaced by a fresh one
  // when the joined text goes in: the fresh control must be shown too.
  std::string file = TempFile("tail.txt", "tail");
  std::string big(40 * 1024, 'x');
  TEditForm* doc = Doc(big);
  AnswerOpen(file);
  doc->File2Click();
  ::DeleteFileA(file.c_str());
  EXPECT_EQ(doc->Edi->TextLength(), static_cast<long long>(big.size()) + 4);
  ExpectRestored(doc, false);
}

TEST_F(Editing, AppendFileThatCannotBeReadLeavesTheDocument) {
  std::string file = TempFile("locked.txt", "secret");
  HANDLE lock = ::CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  TEditForm* doc = Doc("abc\rdef", 2, 3);
  AnswerOpen(file);
  tk::Guarded([&] { doc->File2Click(); });
  ::CloseHandle(lock);
  ::DeleteFileA(file.c_str());
  ASSERT_EQ(Rec().boxes.size(), 1u);
  EXPECT_NE(Rec().boxes[0].text.find("locked.txt"), std::string::npos) << Rec().boxes[0].text;
  EXPECT_EQ(doc->Edi->Text(), "abc\rdef");
  EXPECT_EQ(doc->Edi->SelStart(), 2);
  EXPECT_EQ(doc->Edi->SelLength(), 3);
  EXPECT_FALSE(doc->Modified());
  ExpectRestored(doc, false);
}

TEST_F(Editing, AppendFileCancelledChangesNothing) {
  TEditForm* doc = Doc("abc");
  doc->File2Click();  // no answer queued: the dialog is cancelled
  EXPECT_EQ(doc->Edi->Text(), "abc");
  EXPECT_FALSE(doc->Modified());
}

// ---------------------------------------------------------------------------
// Special character through the real dialog

TEST_F(Editing, SpecialCharacterInsertCancelAndNoRow) {
  struct Case {
    int row;  // -1: no row selected
    int button;
    std::string after;
  } cases[] = {
      {65, TEinfDlg::idButton1, "xAz"},
      {196, TEinfDlg::idButton1, "x\xC4z"},
      {-1, TEinfDlg::idButton1, "xz"},  // the selection goes, nothing comes
      {65, TEinfDlg::idButton2, "xyz"},
  };
  for (const Case& c : cases) {
    TEditForm* doc = Doc("xyz", 1, 1);
    harness::AnswerDialog([&](HWND dialog) {
      TEinfDlg::Instance().SelectRow(c.row);
      ::SendMessageA(::GetDlgItem(dialog, c.button), BM_CLICK, 0, 0);
    });
    doc->Specialcharacter1Click();
    EXPECT_EQ(doc->Edi->Text(), c.after) << c.row << " " << c.button;
  }
}

// ---------------------------------------------------------------------------
// Date, time and folders

TEST_F(Editing, DateAndTimeFollowTheLocalesPictures) {
  TDateTimeFormats saved = DateTimeFormats();
  DateTimeFormats().longTime = core::LongTimePictureFromLocale("HH:mm:ss");
  DateTimeFormats().shortDate = "dd.MM.yyyy";
  DateTimeFormats().names = core::EnglishLocaleNames();
  auto now = [] {
    SYSTEMTIME st{};
    ::GetLocalTime(&st);
    core::DateTimeFields t;
    t.year = st.wYear, t.month = st.wMonth, t.day = st.wDay, t.dayOfWeek = st.wDayOfWeek;
    t.hour = st.wHour, t.minute = st.wMinute, t.second = st.wSecond;
    return t;
  };
  const core::LocaleNames& en = core::EnglishLocaleNames();
  TEditForm* doc = Doc("[sel]", 0, 5);
  core::DateTimeFields before = now();
  doc->DateandTime1Click();
  core::DateTimeFields after = now();
  std::string text = doc->Edi->Text();
  EXPECT_TRUE(text == core::DateAndTimeText(before, "HH:mm:ss", "dd.MM.yyyy", en) ||
              text == core::DateAndTimeText(after, "HH:mm:ss", "dd.MM.yyyy", en))
      << text;
  EXPECT_EQ(text.size(), 19u);

  doc = Doc("");
  before = now();
  doc->Time1Click();
  after = now();
  text = doc->Edi->Text();
  EXPECT_TRUE(text == core::FormatTimePicture("HH:mm:ss", before, en) ||
              text == core::FormatTimePicture("HH:mm:ss", after, en))
      << text;
  DateTimeFormats() = saved;
}

TEST_F(Editing, WindowsAndSystemFolders) {
  char windows[MAX_PATH] = {}, system[MAX_PATH] = {};
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  ::GetSystemDirectoryA(system, MAX_PATH);
  TEditForm* doc = Doc("<>", 1);
  doc->WindowsDirectory1Click();
  doc->SystemDirectory1Click();
  EXPECT_EQ(doc->Edi->Text(), "<" + std::string(windows) + system + ">");
}

TEST_F(Editing, OtherDirectoryKeepsOnlyTheLastChoiceSelected) {
  TEditForm* doc = Doc("<>", 1);
  std::vector<std::string> seen;  // the text after each choice
  harness::AnswerDialog([&](HWND dialog) {
    HWND tree = ::FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    ASSERT_NE(tree, nullptr);
    auto next = [&](HTREEITEM item, WPARAM how) {
      return reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
    };
    HTREEITEM root = next(nullptr, TVGN_ROOT);
    ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    HTREEITEM first = next(root, TVGN_CHILD);
    HTREEITEM second = first ? next(first, TVGN_NEXT) : nullptr;
    for (HTREEITEM pick : {first, second, first}) {
      if (!pick) continue;
      ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(pick));
      harness::Pump();
      seen.push_back(doc->Edi->Text());
    }
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  doc->Otherdirectory1Click();
  ASSERT_EQ(seen.size(), 3u);
  std::string chosen = Selected(doc);
  EXPECT_FALSE(chosen.empty());
  EXPECT_EQ(doc->Edi->SelStart(), 1);
  EXPECT_EQ(doc->Edi->Text(), "<" + chosen + ">");
  EXPECT_NE(seen[1], seen[0]);  // each choice replaced the one before
  EXPECT_EQ(seen[2], seen[0]);
}

// "No colour" shows the window colour as a background and the window-text
// colour as text; other values show as themselves (read off the screen).
TEST_F(Editing, ColoursOfTheControlAndNoColour) {
  TEditForm* doc = Doc("WWWW", 0, 0);
  HWND edi = doc->Edi->Handle();
  auto shows = [&](COLORREF colour, bool textRow) {
    ::InvalidateRect(edi, nullptr, FALSE);
    ::UpdateWindow(edi);
    RECT rc{};
    ::GetClientRect(edi, &rc);
    POINT end{};
    doc->Edi->PointOf(4, &end);
    HDC dc = ::GetDC(edi);
    bool seen = false;
    if (!textRow) {
      seen = ::GetPixel(dc, rc.right - 3, rc.bottom - 3) == colour;
    } else {
      // Somewhere in the stems of the big bold letters.
      for (int y = 0; y < 40 && !seen; ++y)
        for (int x = 0; x < end.x && !seen; ++x) seen = ::GetPixel(dc, x, y) == colour;
    }
    ::ReleaseDC(edi, dc);
    return seen;
  };
  struct Case {
    core::Color value;
    COLORREF shown;
  };
  const Case cases[] = {
      {core::clNone, ::GetSysColor(COLOR_WINDOW)},
      {0x0000FF, RGB(255, 0, 0)},
      {static_cast<core::Color>(0x8000000F), ::GetSysColor(COLOR_BTNFACE)},
  };
  core::FontSpec font = doc->Edi->Font();
  font.size = 24;
  font.style = core::fsBold;
  for (const Case& c : cases) {
    SCOPED_TRACE(core::ColorToText(c.value));
    doc->Edi->SetBackground(c.value);
    font.color = core::clNone;
    doc->Edi->SetFont(font);
    EXPECT_TRUE(shows(c.shown, false));
    EXPECT_TRUE(shows(::GetSysColor(COLOR_WINDOWTEXT), true));
  }
  doc->Edi->SetBackground(core::clNone);
  const Case texts[] = {
      {core::clNone, ::GetSysColor(COLOR_WINDOWTEXT)},
      {0x0000FF, RGB(255, 0, 0)},
      {static_cast<core::Color>(0x8000000F), ::GetSysColor(COLOR_BTNFACE)},
  };
  for (const Case& c : texts) {
    SCOPED_TRACE(core::ColorToText(c.value));
    font.color = c.value;
    doc->Edi->SetFont(font);
    EXPECT_TRUE(shows(c.shown, true));
  }
}

// ---------------------------------------------------------------------------
// Preferences of a document

TEST_F(Editing, PreferencesGiveOnlyThisDocumentTheNewFont) {
  TEditForm* other = Doc("b");
  TEditForm* doc = Doc("a");
  const core::FontSpec before = doc->Edi->Font();
  core::FontSpec courier;
  courier.name = "Courier New";
  courier.size = 17;
  harness::SetString(kSettingsKey, "Font", core::FormatFontText(courier));
  for (int button : {IDCANCEL, IDOK}) {
    harness::AnswerDialog([=](HWND dialog) { ::SendMessageA(dialog, WM_COMMAND, button, 0); });
    doc->Preferences1Click();
    const core::FontSpec& now = doc->Edi->Font();
    if (button == IDCANCEL) {
      EXPECT_EQ(now, before);  // nothing read again
    } else {
      EXPECT_EQ(now.name, "Courier New");
      EXPECT_EQ(now.size, 17);
    }
  }
  EXPECT_EQ(other->Edi->Font(), before);
  EXPECT_FALSE(doc->Modified());
}

// ---------------------------------------------------------------------------
// Context menu

void CALLBACK PressU(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = 'U';
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, in, sizeof in[0]);
}

TEST_F(Editing, ContextMenuItemsRunTheirCommands) {
  TEditForm* doc = Doc("cut me", 0, 3);
  ASSERT_NE(doc->PopupMenu1, nullptr);
  tk::MenuItem* items = doc->PopupMenu1->Items();
  ASSERT_EQ(items->Count(), 4);
  EXPECT_EQ(items->Items(0)->Caption(), "C&ut");
  EXPECT_EQ(items->Items(1)->Caption(), "&Copy");
  EXPECT_EQ(items->Items(2)->Caption(), "&Paste");
  EXPECT_EQ(items->Items(3)->Caption(), "&Delete");
  doc->Cut2->Click();
  EXPECT_EQ(doc->Edi->Text(), " me");
  doc->Edi->SetSel(3, 3);
  doc->Paste3->Click();
  EXPECT_EQ(doc->Edi->Text(), " mecut");
  doc->Edi->SetSel(0, 3);
  doc->Copy2->Click();
  doc->Edi->SetSel(6, 6);
  doc->Paste3->Click();
  EXPECT_EQ(doc->Edi->Text(), " mecut me");
}

TEST_F(Editing, ContextMenuShowsOnTheRightButtonAndRunsTheChoice) {
  TEditForm* doc = Doc("abc def", 0, 3);
  // Pick the first entry ("C&ut") by its accelerator once the menu is up.
  ::SetTimer(nullptr, 0, 100, PressU);
  RECT r{};
  ::GetWindowRect(doc->Edi->Handle(), &r);
  ::SendMessageA(doc->Edi->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(doc->Edi->Handle()),
                 MAKELPARAM(r.left + 20, r.top + 20));
  harness::Pump();
  EXPECT_EQ(doc->Edi->Text(), " def");
}

}  // namespace
