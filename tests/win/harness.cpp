#include "harness.h"

#include <cstring>

#include <shellapi.h>

#include "TRECode.h"
#include "dialoglib.h"
#include "toolkit/application.h"
#include "toolkit/registry.h"
#include "toolkit/seam.h"

namespace harness {

Recorder& Rec() {
  static Recorder rec;
  return rec;
}

void InstallSeam() {
  tk::UiSeam& seam = tk::Seam();
  seam.messageBox = [](HWND, const std::string& text, const std::string& caption, UINT type) {
    Rec().boxes.push_back({text, caption, type});
    if (Rec().boxAnswers.empty()) return IDOK;
    int answer = Rec().boxAnswers.front();
    Rec().boxAnswers.pop_front();
    return answer;
  };
  seam.beep = [](UINT type) { Rec().beeps.push_back(type); };
  seam.commonDialog = [](tk::CommonDialog& dialog) {
    if (Rec().dialogAnswers.empty()) return false;
    auto answer = Rec().dialogAnswers.front();
    Rec().dialogAnswers.pop_front();
    return answer(dialog);
  };
  seam.printDlg = [](PRINTDLGA& print) -> BOOL {
    if (Rec().printAnswers.empty()) return FALSE;
    auto answer = Rec().printAnswers.front();
    Rec().printAnswers.pop_front();
    return answer(print);
  };
  seam.help = [](HWND, const std::string&, UINT, ULONG_PTR) {
    ++Rec().helpCalls;
    return Rec().helpShown;
  };
}

void Pump() { tk::Application.ProcessMessages(); }

void SetClipboardText(const std::string& text) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(::GlobalLock(h), text.c_str(), text.size() + 1);
  ::GlobalUnlock(h);
  ::SetClipboardData(CF_TEXT, h);
  ::CloseClipboard();
}

std::string ClipboardText() {
  if (!::OpenClipboard(nullptr)) return "<closed>";
  std::string text = "<none>";
  if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(::GlobalLock(h));
    ::GlobalUnlock(h);
  }
  ::CloseClipboard();
  return text;
}

void HoldEscape(bool down) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = VK_ESCAPE;
  in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  ::SendInput(1, &in, sizeof in);
  Pump();
}

void ClearRegistry() {
  tk::Registry reg;
  reg.DeleteKey("Software\\ORCA");
}

void SetDword(const std::string& key, const std::string& name, DWORD value) {
  tk::Registry reg;
  ASSERT_TRUE(reg.OpenKey(key, true));
  reg.WriteInteger(name, static_cast<std::int32_t>(value));
}

void SetString(const std::string& key, const std::string& name, const std::string& value) {
  tk::Registry reg;
  ASSERT_TRUE(reg.OpenKey(key, true));
  reg.WriteString(name, value);
}

void SetBinary(const std::string& key, const std::string& name, const std::string& bytes, DWORD type) {
  HKEY k = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr),
            ERROR_SUCCESS);
  ::RegSetValueExA(k, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
  ::RegCloseKey(k);
}

DWORD ValueType(const std::string& key, const std::string& name, std::string* data) {
  HKEY k = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return 0;
  DWORD type = 0, size = 0;
  LONG rc = ::RegQueryValueExA(k, name.c_str(), nullptr, &type, nullptr, &size);
  if (rc == ERROR_SUCCESS && data) {
    data->assign(size, '\0');
    ::RegQueryValueExA(k, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data->data()), &size);
  }
  ::RegCloseKey(k);
  return rc == ERROR_SUCCESS ? type : 0;
}

bool KeyExists(const std::string& key) { return tk::Registry().KeyExists(key); }

TempFolder::TempFolder(const std::string& prefix) {
  char tmp[MAX_PATH] = {};
  ::GetTempPathA(sizeof tmp, tmp);
  dir_ = std::string(tmp) + prefix + std::to_string(::GetCurrentProcessId()) + "\\";
  ::CreateDirectoryA(dir_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  // The folder with everything in it, read-only files too.
  std::string from = dir_.substr(0, dir_.size() - 1) + std::string(2, '\0');
  SHFILEOPSTRUCTA op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  ::SHFileOperationA(&op);
}

std::string TempFolder::File(const std::string& name, const std::string& bytes) const {
  WriteBytes(dir_ + name, bytes);
  return dir_ + name;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  DWORD put = 0;
  ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
  ::CloseHandle(h);
}

std::string ReadBytes(const std::string& path) {
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(::GetFileSize(h, nullptr), '\0');
  DWORD got = 0;
  if (!bytes.empty()) ::ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  ::CloseHandle(h);
  return bytes;
}

namespace {

std::function<void(HWND)> g_dialogAction;

BOOL CALLBACK FindDialog(HWND wnd, LPARAM out) {
  char cls[32] = {};
  ::GetClassNameA(wnd, cls, sizeof cls);
  if (std::string(cls) == "#32770" && ::IsWindowVisible(wnd)) {
    *reinterpret_cast<HWND*>(out) = wnd;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK DialogTimer(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog || !g_dialogAction) return;
  ::KillTimer(nullptr, id);
  auto action = std::move(g_dialogAction);
  g_dialogAction = nullptr;
  action(dialog);
}

}  // namespace

void AnswerDialog(std::function<void(HWND)> act) {
  g_dialogAction = std::move(act);
  ::SetTimer(nullptr, 0, 30, DialogTimer);
}

void FrameTest::SetUp() {
  ClearRegistry();
  Rec().Clear();
  tk::Application.Restart();
}

TForm1* FrameTest::Start() {
  frame = tk::Application.CreateForm<TForm1>();
  frame->Show();
  Pump();
  return frame;
}

void FrameTest::TearDown() {
  if (frame && frame->HandleAllocated()) {
    // No document may keep the frame: answer "No" to every close question.
    for (int i = 0; i < 50; ++i) Rec().boxAnswers.push_back(IDNO);
    ::DestroyWindow(frame->Handle());
  }
  frame = nullptr;
  Pump();
  tk::Application.Restart();
  Rec().Clear();
}

TEditForm* DocumentTest::Doc(const std::string& text, long long selStart, long long selLength) {
  if (!frame) Start();
  TEditForm* doc = frame->CreateMDIChild("");
  doc->Edi->SetText(text);
  doc->Edi->SetSel(selStart, selStart + selLength);
  return doc;
}

void DocumentTest::ExpectRestored(TEditForm* doc, bool panel0) {
  EXPECT_EQ(tk::Application.GetCursor(), tk::Cursor::Default);
  EXPECT_TRUE(::IsWindowVisible(doc->Edi->Handle()));
  if (panel0) {
    EXPECT_EQ(frame->StatusBar1->PanelText(0), "");
  }
  EXPECT_EQ(frame->StatusBar1->PanelText(2), "");
}

}  // namespace harness

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  tk::Application.Initialize();
  tk::Application.Title = "Quillon Light";
  tk::Application.HelpFile = "QuillonL.hlp";
  std::string error;
  if (!dialoglib::Bind(error)) {
    fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  harness::InstallSeam();
  return RUN_ALL_TESTS();
}
