// The recent-files list of the real program: a file opened in one run is
// offered in the Window menu of the next and opens from there by keyboard.
#include <gtest/gtest.h>

#include "program.h"

namespace {

// The document windows inside the frame.
std::vector<HWND> Documents(HWND frame) {
  std::vector<HWND> out;
  HWND client = ::FindWindowExA(frame, nullptr, "MDIClient", nullptr);
  for (HWND w = client ? ::GetWindow(client, GW_CHILD) : nullptr; w; w = ::GetWindow(w, GW_HWNDNEXT))
    out.push_back(w);
  return out;
}

bool WaitForDocuments(HWND frame, size_t count) {
  for (int i = 0; i < 100; ++i) {
    if (Documents(frame).size() == count) return true;
    ::Sleep(100);
  }
  return false;
}

std::string StoredValue(const std::string& name) {
  char data[MAX_PATH * 2] = {};
  DWORD size = sizeof data;
  if (::RegGetValueA(HKEY_CURRENT_USER, "Software\\ORCA\\Recents", name.c_str(), RRF_RT_REG_SZ, nullptr, data,
                     &size) != ERROR_SUCCESS)
    return "<none>";
  return data;
}

TEST(WholeProgram, RecentFileOfTheLastRunOpensFromTheWindowMenu) {
  e2e::ClearSettings();
  const std::string file = e2e::TempDir() + "quillon-recent.txt";
  e2e::WriteFileBytes(file, "recent\r\n");
  {
    e2e::Program program(e2e::ProgramDir() + "Quillon.exe", "\"" + file + "\"");
    HWND frame = program.WaitForWindow("TForm1");
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(WaitForDocuments(frame, 1));
    ::PostMessageA(frame, WM_CLOSE, 0, 0);
    ASSERT_EQ(program.WaitForExit(), 0);
  }
  EXPECT_EQ(StoredValue("Count"), "1");
  EXPECT_EQ(StoredValue("1"), file);
  {
    e2e::Program program(e2e::ProgramDir() + "Quillon.exe", "");
    HWND frame = program.WaitForWindow("TForm1");
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(WaitForDocuments(frame, 0));
    // Window menu, entry 1.
    e2e::Activate(frame);
    e2e::PressKey('W', true);
    e2e::PressKey('1');
    EXPECT_TRUE(WaitForDocuments(frame, 1));
    ::PostMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0);
  }
  ::DeleteFileA(file.c_str());
}

}  // namespace
