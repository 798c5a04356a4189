// The real program, started and ended as a user would.
#include <gtest/gtest.h>

#include "program.h"

namespace {

TEST(WholeProgram, StartsWithItsCaptionAndEndsOnExit) {
  e2e::ClearSettings();
  e2e::Program program(e2e::ProgramDir() + "Quillon.exe", "");
  HWND frame = program.WaitForWindow("TForm1");
  ASSERT_NE(frame, nullptr) << "the frame window did not appear";
  EXPECT_EQ(e2e::WindowText(frame), "Tolvek's Quillon Light ");
  // File > Exit, by keyboard.
  e2e::Activate(frame);
  e2e::PressKey('F', true);
  e2e::PressKey('E');
  EXPECT_EQ(program.WaitForExit(), 0);
}

TEST(WholeProgram, SaysSoAndEndsWhenTheDialogLibraryIsMissing) {
  std::string dir = e2e::TempDir() + "quillon-nodll\\";
  ::CreateDirectoryA(dir.c_str(), nullptr);
  std::string exe = dir + "Quillon.exe";
  ASSERT_TRUE(::CopyFileA((e2e::ProgramDir() + "Quillon.exe").c_str(), exe.c_str(), FALSE));
  ::DeleteFileA((dir + "QuillonL.dll").c_str());
  {
    e2e::Program program(exe, "");
    HWND box = program.WaitForWindow("#32770", "Quillon Light");
    ASSERT_NE(box, nullptr) << "no message box";
    bool named = false;
    for (const std::string& text : e2e::ChildTexts(box))
      if (text.find("QuillonL.dll") != std::string::npos) named = true;
    EXPECT_TRUE(named);
    e2e::Activate(box);
    e2e::PressKey(VK_RETURN);
    EXPECT_EQ(program.WaitForExit(), 1);
  }
  ::DeleteFileA(exe.c_str());
  ::RemoveDirectoryA(dir.c_str());
}

}  // namespace
