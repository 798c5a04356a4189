// Opens, edits and saves text files in the real program and in the system's
// notepad, timed from outside as whole operations; run by wine_open_save.sh.
//
//   wine_open_save.exe <Quillon.exe> <file>...
//
// Start: from starting the program without a file until its window shows
// and answers. Open: the same with the file on the command line, until the
// window shows the file's name (both programs set it after the text is in)
// and the program answers a message again. Memory: the program's private
// bytes and working set after the open. Keys, sent to the editing window the
// same way in both programs, each followed by a repaint of that window:
// Ctrl+End from the top, Page Down at the end, and 1,000 characters typed at
// the end (time per character; fewer where they take over 20 s). Save: from Ctrl+S until the file has been
// written anew and the program answers again.
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
  double ctrlEnd = -1, pageDown = -1, typed = -1;  // seconds; typed: per character
  SIZE_T privateBytes = 0, workingSet = 0;
};

// The editing window: our own surface, or notepad's edit control.
struct EditFinder {
  HWND found = nullptr;
};

BOOL CALLBACK FindEdit(HWND wnd, LPARAM lp) {
  char cls[64] = {};
  ::GetClassNameA(wnd, cls, sizeof cls);
  if (lstrcmpiA(cls, "QuillonTextSurface") == 0 || lstrcmpiA(cls, "Edit") == 0) {
    reinterpret_cast<EditFinder*>(lp)->found = wnd;
    return FALSE;
  }
  return TRUE;
}

// A key sent to the editing window and the window's repaint, both answered
// before it returns.
void SendKey(HWND edit, WORD vk) {
  ::SendMessageA(edit, WM_KEYDOWN, vk, 1);
  ::SendMessageA(edit, WM_KEYUP, vk, 0xC0000001);
  ::RedrawWindow(edit, nullptr, nullptr, RDW_UPDATENOW);
}

void TimeKeys(HWND top, Result& r) {
  EditFinder f;
  ::EnumChildWindows(top, FindEdit, reinterpret_cast<LPARAM>(&f));
  HWND edit = f.found;
  if (!edit) return;
  ::SetForegroundWindow(top);
  // Ctrl held by the keyboard, so that the window sees it in its key state.
  Key(VK_CONTROL, false);
  ::Sleep(300);
  Answers(top, 10000);
  SendKey(edit, VK_HOME);
  double t = Now();
  SendKey(edit, VK_END);
  r.ctrlEnd = Now() - t;
  Key(VK_CONTROL, true);
  ::Sleep(300);
  Answers(top, 10000);
  t = Now();
  SendKey(edit, VK_NEXT);
  r.pageDown = Now() - t;
  // 1,000 characters, or as many as 20 s allow (notepad takes seconds a
  // character on large files).
  int n = 0;
  t = Now();
  while (n < 1000 && Now() - t < 20) {
    ::SendMessageA(edit, WM_CHAR, 'a' + n % 26, 1);
    ::RedrawWindow(edit, nullptr, nullptr, RDW_UPDATENOW);
    ++n;
  }
  r.typed = (Now() - t) / n;
}

// Runs the program; with an empty `file` only its start is timed.
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
  }
  if (r.open >= 0 && !file.empty()) {
    TimeKeys(top, r);
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

std::string Millis(double s) {
  if (s < 0) return "    n/a";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%7.2f", s * 1000);
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
  const DWORD limitMs = 300000;
  // The start alone, the same way, after one start that warms the caches.
  Run("\"" + exe + "\"", "", "Quillon Light", limitMs);
  Run("notepad.exe", "", "Notepad", limitMs);
  Result qlStart = Run("\"" + exe + "\"", "", "Quillon Light", limitMs);
  Result npStart = Run("notepad.exe", "", "Notepad", limitMs);
  std::printf("start without a file: Quillon %ss, notepad %ss\n\n", Seconds(qlStart.open).c_str(),
              Seconds(npStart.open).c_str());
  std::printf("%-14s %6s %9s %9s %8s %9s %9s %8s %9s %8s\n", "file", "MB", "program", "open s", "-start",
              "private", "x size", "save s", "ctrl+end", "pgdown");
  std::printf("%-14s %6s %9s %9s %8s %9s %9s %8s %9s %8s %9s\n", "", "", "", "", "s", "MB", "", "", "ms", "ms",
              "ms/char");
  for (int i = 2; i < argc; ++i) {
    std::string file = argv[i];
    std::string name = file.substr(file.find_last_of("\\/") + 1);
    WIN32_FILE_ATTRIBUTE_DATA d{};
    ::GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &d);
    const double bytes = static_cast<double>(d.nFileSizeLow) + static_cast<double>(d.nFileSizeHigh) * 4294967296.0;
    const double mb = bytes / (1024.0 * 1024.0);
    Result ql = Run("\"" + exe + "\" \"" + file + "\"", file, name, limitMs);
    Result np = Run("notepad.exe \"" + file + "\"", file, name, limitMs);
    auto row = [&](const char* who, const Result& r, const Result& start) {
      std::printf("%-14s %6.1f %9s %9s %8s %9.1f %9.2f %8s %9s %8s %9s\n", name.c_str(), mb, who,
                  Seconds(r.open).c_str(),
                  Seconds(r.open >= 0 && start.open >= 0 ? r.open - start.open : -1).c_str(),
                  static_cast<double>(r.privateBytes) / 1048576.0, static_cast<double>(r.privateBytes) / bytes,
                  Seconds(r.save).c_str(), Millis(r.ctrlEnd).c_str(), Millis(r.pageDown).c_str(),
                  Millis(r.typed).c_str());
    };
    row("Quillon", ql, qlStart);
    row("notepad", np, npStart);
    std::printf("%-14s %6s %9s %9s %8s %9s %9s %8s %9s %8s %9s\n", "", "", "np / ql", Ratio(np.open, ql.open).c_str(),
                "", "", "", Ratio(np.save, ql.save).c_str(), Ratio(np.ctrlEnd, ql.ctrlEnd).c_str(),
                Ratio(np.pageDown, ql.pageDown).c_str(), Ratio(np.typed, ql.typed).c_str());
    std::fflush(stdout);
  }
  std::printf("np / ql: notepad's time divided by Quillon's (above 1: Quillon is faster); n/a: not done in time\n");
  return 0;
}
