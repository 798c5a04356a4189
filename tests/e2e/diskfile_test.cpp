// The real program notices a file that another program changed while it was
// open, and asks in the real message box when it becomes active again.
#include <gtest/gtest.h>

#include "program.h"

namespace {

TEST(WholeProgram, AFileChangedOutsideIsReloadedAfterTheRealQuestion) {
  e2e::ClearSettings();
  std::string dir = e2e::TempDir() + "qd\\";
  ::CreateDirectoryA(dir.c_str(), nullptr);
  std::string file = dir + "watched.txt";
  e2e::WriteFileBytes(file, "old\r\n");

  e2e::Program program(e2e::ProgramDir() + "Quillon.exe", file);
  HWND frame = program.WaitForWindow("TForm1");
  ASSERT_NE(frame, nullptr);
  HWND client = ::FindWindowExA(frame, nullptr, "MDIClient", nullptr);
  HWND doc = nullptr;
  for (int i = 0; i < 100 && !doc; ++i, ::Sleep(100)) doc = ::FindWindowExA(client, nullptr, "TEditForm", nullptr);
  ASSERT_NE(doc, nullptr) << "the document did not open";
  ::Sleep(300);

  // Another program writes the file while the user works elsewhere.
  HWND other = ::CreateWindowExA(0, "STATIC", "elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
  e2e::Activate(other);
  e2e::WriteFileBytes(file, "new from outside\r\n");
  e2e::Activate(frame);

  HWND box = program.WaitForWindow("#32770", "Confirm");
  ASSERT_NE(box, nullptr) << "no question";
  e2e::Activate(box);
  e2e::PressKey('Y');  // Yes: reload
  for (int i = 0; i < 50 && ::IsWindow(box); ++i) ::Sleep(100);
  EXPECT_FALSE(::IsWindow(box));

  // Reloaded, the document holds the file's text unmodified: the program
  // ends without the save question (after No it would ask).
  ::DestroyWindow(other);
  ::PostMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(10000), 0);
  EXPECT_EQ(e2e::ReadFileBytes(file), "new from outside\r\n");
  ::DeleteFileA(file.c_str());
  ::RemoveDirectoryA(dir.c_str());
}

}  // namespace
