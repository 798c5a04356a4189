// Drives the real Quillon.exe from another process, as a user would: starts
// it, finds its windows, types on the keyboard, and waits for its end.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

std::string ProgramDir();
std::string TempDir();

class Program {
 public:
  // Starts exe with the command-line arguments (already quoted as needed).
  Program(const std::string& exe, const std::string& args);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  DWORD Pid() const { return pi_.dwProcessId; }
  // A visible top-level window of the program's with this class (and title
  // when given), waiting up to the timeout.
  HWND WaitForWindow(const std::string& cls, const std::string& title = {}, DWORD timeoutMs = 20000) const;
  std::vector<HWND> Windows(const std::string& cls) const;
  // Waits for the end; returns the exit code, or -1 on a timeout.
  int WaitForExit(DWORD timeoutMs = 20000);

 private:
  PROCESS_INFORMATION pi_{};
};

// Keyboard input to the foreground window.
void Activate(HWND wnd);
void PressKey(WORD vk, bool alt = false, bool ctrl = false, bool shift = false);
void TypeText(const std::string& text);

std::string WindowText(HWND wnd);
// The texts of a window's child controls, in z-order.
std::vector<std::string> ChildTexts(HWND wnd);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Deletes HKEY_CURRENT_USER\Software\ORCA.
void ClearSettings();

}  // namespace e2e
