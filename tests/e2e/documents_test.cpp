// The real program with files on its command line: a document window for
// each, and a save through the real save dialog, answered by keyboard.
#include <gtest/gtest.h>

#include <algorithm>

#include "program.h"

namespace {

BOOL CALLBACK CollectDocuments(HWND wnd, LPARAM out) {
  char cls[64] = {};
  ::GetClassNameA(wnd, cls, sizeof cls);
  if (std::string(cls) == "TEditForm") reinterpret_cast<std::vector<HWND>*>(out)->push_back(wnd);
  return TRUE;
}

std::vector<HWND> Documents(HWND frame) {
  std::vector<HWND> docs;
  ::EnumChildWindows(frame, CollectDocuments, reinterpret_cast<LPARAM>(&docs));
  return docs;
}

TEST(WholeProgram, OpensTwoFilesAndSavesOneAsUnixThroughTheRealDialog) {
  e2e::ClearSettings();
  std::string dir = e2e::TempDir() + "qe\\";
  ::CreateDirectoryA(dir.c_str(), nullptr);
  std::string first = dir + "first one.txt", second = dir + "second.txt", saved = dir + "u.txt";
  e2e::WriteFileBytes(first, "alpha\r\nbeta");
  e2e::WriteFileBytes(second, "one\r\ntwo\r\n");
  ::DeleteFileA(saved.c_str());

  e2e::Program program(e2e::ProgramDir() + "Quillon.exe", "\"" + first + "\" " + second);
  HWND frame = program.WaitForWindow("TForm1");
  ASSERT_NE(frame, nullptr);
  std::vector<HWND> docs;
  for (int i = 0; i < 100 && docs.size() < 2; ++i, ::Sleep(100)) docs = Documents(frame);
  ASSERT_EQ(docs.size(), 2u);
  std::vector<std::string> captions = {e2e::WindowText(docs[0]), e2e::WindowText(docs[1])};
  std::sort(captions.begin(), captions.end());
  EXPECT_EQ(captions, (std::vector<std::string>{"first one.txt", "second.txt"}));

  // The newest document (second.txt) is active with the caret at its start.
  e2e::Activate(frame);
  e2e::TypeText("new ");
  e2e::PressKey('A', false, true);  // Save as
  HWND dialog = program.WaitForWindow("#32770");
  ASSERT_NE(dialog, nullptr) << "no save dialog";
  e2e::Activate(dialog);
  e2e::TypeText(dir + "u");  // no extension: the dialog adds txt
  e2e::PressKey(VK_TAB);     // the file type list
  e2e::PressKey(VK_DOWN);    // "UNIX-Format (*.txt)"
  e2e::PressKey(VK_RETURN);
  for (int i = 0; i < 50 && e2e::ReadFileBytes(saved).empty(); ++i) ::Sleep(100);
  EXPECT_EQ(e2e::ReadFileBytes(saved), "new one\ntwo\n");
  EXPECT_EQ(e2e::ReadFileBytes(second), "one\r\ntwo\r\n");

  // Nothing is modified any more: the program ends without a question.
  ::PostMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0);
  for (const std::string& f : {first, second, saved}) ::DeleteFileA(f.c_str());
  ::RemoveDirectoryA(dir.c_str());
}

}  // namespace
