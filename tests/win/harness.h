// The test harness for the program's windows: answers for the modal things
// (message boxes, beeps, common dialogs), a frame fixture on a clean
// registry, and helpers that answer real dialogs from a timer.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "MainForm.h"
#include "Unit1.h"
#include "toolkit/commondlg.h"

namespace harness {

struct Box {
  std::string text, caption;
  UINT type;
};

// What the program showed or asked, and the answers given.
struct Recorder {
  std::vector<Box> boxes;
  std::deque<int> boxAnswers;  // IDOK when none is queued
  std::vector<UINT> beeps;
  std::deque<std::function<bool(tk::CommonDialog&)>> dialogAnswers;  // cancel when none
  // Answers of the platform's print dialog, given the structure the program
  // filled in; cancel when none.
  std::deque<std::function<BOOL(PRINTDLGA&)>> printAnswers;
  int helpCalls = 0;
  bool helpShown = false;  // whether the seam claims to have shown WinHelp
  void Clear() { *this = Recorder(); }
};
Recorder& Rec();
// Installs the seam answers once.
void InstallSeam();

// Runs every waiting message.
void Pump();
// Runs messages until `done` holds; false when it did not within `ms`.
template <class F>
bool PumpUntil(F done, DWORD ms = 3000) {
  const DWORD end = ::GetTickCount() + ms;
  while (!done()) {
    if (static_cast<int>(end - ::GetTickCount()) <= 0) return false;
    Pump();
    ::Sleep(5);
  }
  return true;
}
// Puts the Escape key down (or up again) as the keyboard would.
void HoldEscape(bool down);
// Deletes HKEY_CURRENT_USER\Software\ORCA with everything below it.
void ClearRegistry();
void SetDword(const std::string& key, const std::string& name, DWORD value);
void SetString(const std::string& key, const std::string& name, const std::string& value);
void SetBinary(const std::string& key, const std::string& name, const std::string& bytes, DWORD type);
// The stored value's type and bytes; type 0 when absent.
DWORD ValueType(const std::string& key, const std::string& name, std::string* data = nullptr);
bool KeyExists(const std::string& key);

// A folder of the test's own below the temporary folder, removed with
// everything in it when the object goes.
class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // The folder's path, ending in a backslash.
  const std::string& Path() const { return dir_; }
  // Writes a file of the folder and returns its full path.
  std::string File(const std::string& name, const std::string& bytes) const;

 private:
  std::string dir_;
};
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);  // "<missing>" when there is no file

// The clipboard's CF_TEXT, set and read.
void SetClipboardText(const std::string& text);
std::string ClipboardText();  // "<none>" without text, "<closed>" when it cannot be opened

// Answers the next modal dialog of this thread: `act` runs with the dialog's
// window once it is up (from a timer inside the dialog's own message loop).
void AnswerDialog(std::function<void(HWND dialog)> act);

// A frame on a fresh registry (or on the registry the test set up before
// calling Start), shown as at start-up.
class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Creates and shows the frame; the registry is as the test left it.
  TForm1* Start();
  TForm1* frame = nullptr;
};

// A frame with document windows made from a text.
class DocumentTest : public FrameTest {
 protected:
  // A new untitled document holding `text`, with the given selection.
  TEditForm* Doc(const std::string& text, long long selStart = 0, long long selLength = 0);
  // What the user sees after a long command: nothing busy, the control
  // shown, panel 2 (and with `panel0` panel 0) cleared.
  void ExpectRestored(TEditForm* doc, bool panel0 = true);
};

}  // namespace harness
