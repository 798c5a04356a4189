#include "helpview.h"

#include <string>

#include "toolkit/application.h"
#include "toolkit/seam.h"
#include "toolkit/window.h"

namespace {

const char kHelpClass[] = "QuillonHelp";
HWND g_help = nullptr;

std::string ProgramDir() {
  char path[MAX_PATH * 2] = {};
  DWORD len = ::GetModuleFileNameA(nullptr, path, sizeof path);
  std::string dir(path, len);
  size_t slash = dir.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
}

std::string BuiltInHelp() {
  HINSTANCE inst = ::GetModuleHandleA(nullptr);
  HRSRC res = ::FindResourceA(inst, "HELPTEXT", MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!res) return "Help is not available.";
  HGLOBAL data = ::LoadResource(inst, res);
  const char* text = static_cast<const char*>(::LockResource(data));
  DWORD size = ::SizeofResource(inst, res);
  // The edit control wants CR LF line ends.
  std::string out;
  out.reserve(size + size / 20);
  for (DWORD i = 0; i < size; ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

class HelpWindowImpl : public tk::Window {
 public:
  void Open(HWND owner) {
    RegisterClassOnce(kHelpClass, 0, ::GetSysColorBrush(COLOR_BTNFACE), tk::Application.Icon());
    CreateHandle(0, kHelpClass, (tk::Application.Title + " Help").c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                 CW_USEDEFAULT, CW_USEDEFAULT, 560, 480, owner, nullptr);
    edit_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0,
                              0, 0, hwnd_, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    ::SetWindowTextA(edit_, BuiltInHelp().c_str());
    RECT r{};
    ::GetClientRect(hwnd_, &r);
    ::MoveWindow(edit_, 0, 0, r.right, r.bottom, FALSE);
    ::ShowWindow(hwnd_, SW_SHOW);
    g_help = hwnd_;
  }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_SIZE && edit_) ::MoveWindow(edit_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    if (msg == WM_SETFOCUS && edit_) ::SetFocus(edit_);
    return DefaultHandler(msg, wParam, lParam);
  }
  void HandleDestroyed() override {
    g_help = nullptr;
    delete this;
  }

 private:
  HWND edit_ = nullptr;
};

}  // namespace

HWND HelpWindow() { return g_help; }

bool ShowHelpTopic(HWND owner, UINT command, ULONG_PTR data) {
  const std::string& file = tk::Application.HelpFile;
  if (tk::Seam().help && tk::Seam().help(owner, file, command, data)) return true;
  // The WinHelp file is used where it exists beside the program.
  std::string path = ProgramDir() + file;
  DWORD attr = ::GetFileAttributesA(path.c_str());
  return !file.empty() && attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY) &&
         ::WinHelpA(owner, path.c_str(), command, data);
}

void ShowHelpContents(HWND owner) {
  if (ShowHelpTopic(owner, HELP_CONTENTS, 0)) return;
  if (g_help) {
    ::ShowWindow(g_help, SW_RESTORE);
    ::SetForegroundWindow(g_help);
    return;
  }
  (new HelpWindowImpl)->Open(owner);
}
