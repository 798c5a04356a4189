// The dialog library's entries keep their argument and result contracts.
#include "dialoglib.h"
#include "harness.h"

namespace {

struct Guarded16 {
  std::int16_t before = 0x5A5A;
  dialoglib::WordBool value = 0;
  std::int16_t after = 0x5A5A;
};

TEST(DialogLibrary, InsertStringFillsAtMost249CharactersAndTheFlags) {
  struct Case {
    std::string typed;
    bool selected, atStart;
  };
  const Case cases[] = {{"> ", true, true}, {std::string(300, 'w'), false, false}, {"", false, true}};
  for (const Case& c : cases) {
    // 250 bytes for the dialog, guard bytes behind them.
    std::string memory(260, '\x7F');
    char* buffer = memory.data();
    Guarded16 selected, atStart;
    selected.value = c.selected ? 0 : -1;  // the opposite, to see the dialog set it
    harness::AnswerDialog([&](HWND dialog) {
      // The edit takes what a user could type into it.
      ::SendDlgItemMessageA(dialog, 1200, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed.c_str()));
      ::CheckRadioButton(dialog, 1201, 1202, c.selected ? 1202 : 1201);
      ::CheckRadioButton(dialog, 1203, 1204, c.atStart ? 1203 : 1204);
      ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    dialoglib::WordBool ok = dialoglib::InsertStringDialog(nullptr, &buffer, &selected.value, &atStart.value);
    EXPECT_NE(ok, 0);
    std::string expected = c.typed.substr(0, 249);
    EXPECT_EQ(std::string(buffer), expected);
    EXPECT_EQ(memory.substr(250), std::string(10, '\x7F'));
    EXPECT_EQ(selected.value != 0, c.selected);
    EXPECT_EQ(atStart.value != 0, c.atStart);
    EXPECT_EQ(selected.before, 0x5A5A);
    EXPECT_EQ(selected.after, 0x5A5A);
    EXPECT_EQ(atStart.after, 0x5A5A);
  }
}

TEST(DialogLibrary, InsertStringCancelledReturnsZero) {
  char storage[250] = "unchanged";
  char* buffer = storage;
  dialoglib::WordBool selected = 0, atStart = 0;
  harness::AnswerDialog([](HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(dialoglib::InsertStringDialog(nullptr, &buffer, &selected, &atStart), 0);
  EXPECT_STREQ(storage, "unchanged");
}

TEST(DialogLibrary, GotoLineReturnsTheChosenLineCountedFromOne) {
  struct Case {
    const char* typed;  // nullptr: cancel
    std::int32_t lines, current, expected;
  };
  const Case cases[] = {
      {"5", 10, 2, 5}, {"1", 10, 7, 1}, {"99", 10, 2, 10}, {"0", 10, 4, 1}, {nullptr, 10, 4, 4},
  };
  for (const Case& c : cases) {
    harness::AnswerDialog([&](HWND dialog) {
      if (!c.typed) {
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
      }
      ::SetDlgItemTextA(dialog, 1301, c.typed);
      ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialoglib::GotoLineDialog(nullptr, c.lines, c.current), c.expected) << (c.typed ? c.typed : "cancel");
  }
}

TEST(DialogLibrary, PreferencesConfirmedIsNonZeroAndCancelledZero) {
  harness::ClearRegistry();
  harness::AnswerDialog([](HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
  EXPECT_NE(dialoglib::PreferencesDialog(nullptr), 0);
  EXPECT_EQ(harness::ValueType(kSettingsKey, "ShowExtensions"), static_cast<DWORD>(REG_DWORD));
  harness::AnswerDialog([](HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(dialoglib::PreferencesDialog(nullptr), 0);
  harness::ClearRegistry();
}

}  // namespace
