// Opens and saves text files in the real program and in the system's
// notepad, timed from outside as whole operations; run by wine_open_save.sh.
//
//   wine_open_save.exe <Quillon.exe> <file>...
//
// Open: from starting the program with the file on its command line until
// its window shows the file's name (both programs set it after the text is
// in) and the program answers a message again. Save: from Ctrl+S until the
// file has been written anew and the program answers again. Memory: the
// program's private bytes and working set after the open.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Found {
  DWORD pid;
  std::string part;  // a text the wanted window's caption holds
  HWND top = nullptr;
};

bool CaptionHolds(HWND wnd, const std::string& part) {
  char text[1024] = {};
  ::GetWindowTextA(wnd, text, sizeof text);
  return std::string(text).find(part) != std::string::npos;
}

BOOL CALLBACK FindChild(HWND wnd, LPARAM lp) {
  auto* f = reinterpret_cast<Found*>(lp);
  if (!CaptionHolds(wnd, f->part)) return TRUE;
  f->top = wnd;
  return FALSE;
}

BOOL CALLBACK FindTop(HWND wnd, LPARAM lp) {
  auto* f = reinterpret_cast<Found*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(wnd, &pid);
  if (pid != f->pid || !::IsWindowVisible(wnd)) return TRUE;
  if (CaptionHolds(wnd, f->part)) {
    f->top = wnd;
    return FALSE;
  }
  // A document window inside a frame.
  Found inner{f->pid, f->part};
  ::EnumChildWindows(wnd, FindChild, reinterpret_cast<LPARAM>(&inner));
  if (inner.top) {
    f->top = wnd;
    return FALSE;
  }
  return TRUE;
}

double Now() {
  LARGE_INTEGER f, c;
  ::QueryPerformanceFrequency(&f);
  ::QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

bool Answers(HWND wnd, DWORD timeoutMs) {
  DWORD_PTR r = 0;
  return ::SendMessageTimeoutA(wnd, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &r) != 0;
}

FILETIME WriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d{};
  ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d);
  return d.ftLastWriteTime;
}

void Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &in, sizeof in);
}

struct Result {
  double open = -1, save = -1;
  SIZE_T privateBytes = 0, workingSet = 0;
};

Result Run(const std::string& cmdLine, const std::string& file, const std::string& namePart, DWORD limitMs) {
  Result r;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string cmd = cmdLine;
  double t0 = Now();
  if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return r;
  HWND top = nullptr;
  while (!top && (Now() - t0) * 1000 < limitMs) {
    Found f{pi.dwProcessId, namePart};
    ::EnumWindows(FindTop, reinterpret_cast<LPARAM>(&f));
    top = f.top;
    if (!top) ::Sleep(20);
  }
  if (top && Answers(top, limitMs)) {
    r.open = Now() - t0;
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof pmc;
    if (::GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc)) {
      r.privateBytes = pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage;
      r.workingSet = pmc.WorkingSetSize;
    }
    // Save with Ctrl+S and wait for the file to be written anew.
    FILETIME before = WriteTime(file);
    ::SetForegroundWindow(top);
    ::Sleep(300);
    double s0 = Now();
    Key(VK_CONTROL, false);
    Key('S', false);
    Key('S', true);
    Key(VK_CONTROL, true);
    while ((Now() - s0) * 1000 < limitMs) {
      FILETIME now = WriteTime(file);
      if (::CompareFileTime(&now, &before) != 0) break;
      ::Sleep(10);
    }
    FILETIME now = WriteTime(file);
    if (::CompareFileTime(&now, &before) != 0 && Answers(top, limitMs)) r.save = Now() - s0;
  }
  ::TerminateProcess(pi.hProcess, 0);
  ::WaitForSingleObject(pi.hProcess, 10000);
  ::CloseHandle(pi.hProcess);
  ::CloseHandle(pi.hThread);
  return r;
}

std::string Seconds(double s) {
  if (s < 0) return "    n/a";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%7.2f", s);
  return buf;
}

std::string Ratio(double a, double b) {
  if (a < 0 || b <= 0) return "   n/a";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%6.2f", a / b);
  return buf;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s Quillon.exe file...\n", argv[0]);
    return 2;
  }
  std::string exe = argv[1];
  const DWORD limitMs = 600000;
  std::printf("%-12s %9s %9s %9s %9s %9s %8s %8s %11s %11s\n", "file", "MB", "ql open", "np open", "ql save",
              "np save", "open x", "save x", "ql private", "ql working");
  for (int i = 2; i < argc; ++i) {
    std::string file = argv[i];
    std::string name = file.substr(file.find_last_of("\\/") + 1);
    WIN32_FILE_ATTRIBUTE_DATA d{};
    ::GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &d);
    double mb = static_cast<double>(d.nFileSizeLow) / (1024.0 * 1024.0);
    Result ql = Run("\"" + exe + "\" \"" + file + "\"", file, name, limitMs);
    Result np = Run("notepad.exe \"" + file + "\"", file, name, limitMs);
    std::printf("%-12s %9.1f %9s %9s %9s %9s %8s %8s %9.1fMB %9.1fMB\n", name.c_str(), mb, Seconds(ql.open).c_str(),
                Seconds(np.open).c_str(), Seconds(ql.save).c_str(), Seconds(np.save).c_str(),
                Ratio(ql.open, np.open).c_str(), Ratio(ql.save, np.save).c_str(),
                static_cast<double>(ql.privateBytes) / 1048576.0, static_cast<double>(ql.workingSet) / 1048576.0);
    std::fflush(stdout);
  }
  std::printf("open x, save x: Quillon's time divided by notepad's (below 1: Quillon is faster)\n");
  return 0;
}
