#include "program.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace e2e {

std::string ProgramDir() {
  char path[MAX_PATH * 2] = {};
  DWORD len = ::GetModuleFileNameA(nullptr, path, sizeof path);
  std::string dir(path, len);
  return dir.substr(0, dir.find_last_of("\\/") + 1);
}

std::string TempDir() {
  char path[MAX_PATH] = {};
  DWORD len = ::GetTempPathA(sizeof path, path);
  return std::string(path, len);
}

Program::Program(const std::string& exe, const std::string& args) {
  std::string cmd = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  std::string dir = exe.substr(0, exe.find_last_of("\\/") + 1);
  if (!::CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi_))
    pi_ = PROCESS_INFORMATION{};
  else
    ::WaitForInputIdle(pi_.hProcess, 10000);
}

Program::~Program() {
  if (pi_.hProcess) {
    if (::WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(pi_.hProcess, 99);
      ::WaitForSingleObject(pi_.hProcess, 5000);
    }
    ::CloseHandle(pi_.hProcess);
    ::CloseHandle(pi_.hThread);
  }
}

namespace {
struct Search {
  DWORD pid;
  std::string cls, title;
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND wnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(wnd, &pid);
  if (pid != s->pid || !::IsWindowVisible(wnd)) return TRUE;
  char cls[128] = {};
  ::GetClassNameA(wnd, cls, sizeof cls);
  if (s->cls != cls) return TRUE;
  if (!s->title.empty() && WindowText(wnd) != s->title) return TRUE;
  s->found.push_back(wnd);
  return TRUE;
}
}  // namespace

std::vector<HWND> Program::Windows(const std::string& cls) const {
  Search s{pi_.dwProcessId, cls, {}, {}};
  ::EnumWindows(Collect, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND Program::WaitForWindow(const std::string& cls, const std::string& title, DWORD timeoutMs) const {
  DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < timeoutMs) {
    Search s{pi_.dwProcessId, cls, title, {}};
    ::EnumWindows(Collect, reinterpret_cast<LPARAM>(&s));
    if (!s.found.empty()) return s.found.front();
    if (pi_.hProcess && ::WaitForSingleObject(pi_.hProcess, 0) != WAIT_TIMEOUT) return nullptr;
    ::Sleep(100);
  }
  return nullptr;
}

int Program::WaitForExit(DWORD timeoutMs) {
  if (!pi_.hProcess) return -1;
  if (::WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  ::GetExitCodeProcess(pi_.hProcess, &code);
  return static_cast<int>(code);
}

void Activate(HWND wnd) {
  ::SetForegroundWindow(wnd);
  ::SetActiveWindow(wnd);
  ::Sleep(300);
}

namespace {
void Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &in, sizeof in);
  ::Sleep(30);
}
}  // namespace

void PressKey(WORD vk, bool alt, bool ctrl, bool shift) {
  if (alt) Key(VK_MENU, false);
  if (ctrl) Key(VK_CONTROL, false);
  if (shift) Key(VK_SHIFT, false);
  Key(vk, false);
  Key(vk, true);
  if (shift) Key(VK_SHIFT, true);
  if (ctrl) Key(VK_CONTROL, true);
  if (alt) Key(VK_MENU, true);
  ::Sleep(200);
}

void TypeText(const std::string& text) {
  for (char c : text) {
    SHORT vk = ::VkKeyScanA(c);
    PressKey(static_cast<WORD>(vk & 0xFF), false, false, (vk & 0x100) != 0);
  }
}

std::string WindowText(HWND wnd) {
  char text[1024] = {};
  ::GetWindowTextA(wnd, text, sizeof text);
  return text;
}

std::vector<std::string> ChildTexts(HWND wnd) {
  std::vector<std::string> out;
  for (HWND c = ::GetWindow(wnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) out.push_back(WindowText(c));
  return out;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

namespace {
void DeleteTree(HKEY parent, const char* path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(parent, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char name[256];
  for (;;) {
    DWORD len = sizeof name;
    if (::RegEnumKeyExA(key, 0, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    DeleteTree(key, name);
  }
  ::RegCloseKey(key);
  ::RegDeleteKeyA(parent, path);
}
}  // namespace

void ClearSettings() { DeleteTree(HKEY_CURRENT_USER, "Software\\ORCA"); }

}  // namespace e2e
