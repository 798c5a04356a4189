#include "toolkit/application.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <new>

#include "toolkit/errors.h"
#include "toolkit/form.h"
#include "toolkit/seam.h"

namespace tk {

TApplication Application;

UiSeam& Seam() {
  static UiSeam seam;
  return seam;
}

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  if (Seam().messageBox) return Seam().messageBox(owner, text, caption, type);
  return ::MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

void Beep(UINT type) {
  if (Seam().beep)
    Seam().beep(type);
  else
    ::MessageBeep(type);
}

TApplication::TApplication() = default;
TApplication::~TApplication() = default;

void TApplication::Initialize() {
  instance_ = ::GetModuleHandleA(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&icc);
  if (!icon_) icon_ = ::LoadIconA(instance_, "MAINICON");
  if (!icon_) icon_ = ::LoadIcon(nullptr, IDI_APPLICATION);
}

HWND TApplication::Handle() const { return mainForm_ ? mainForm_->Handle() : nullptr; }

void TApplication::AddForm(std::unique_ptr<Form> form) {
  if (!mainForm_) mainForm_ = form.get();
  forms_.push_back(std::move(form));
}

void TApplication::FormDestroyed(Form* form) {
  auto it = std::find_if(forms_.begin(), forms_.end(), [&](const auto& f) { return f.get() == form; });
  if (it == forms_.end()) return;
  dead_.push_back(std::move(*it));
  forms_.erase(it);
  if (form == mainForm_) {
    mainForm_ = nullptr;
    Terminate();
  }
}

void TApplication::ReleaseDeadForms() {
  while (!dead_.empty()) {
    std::vector<std::unique_ptr<Form>> dead = std::move(dead_);
    dead_.clear();
    dead.clear();
  }
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return false;
  }
  bool consumed = false;
  for (size_t i = 0; i < filters_.size() && !consumed; ++i) {
    MessageFilter filter = filters_[i].second;  // a filter may remove itself
    try {
      consumed = filter(msg);
    } catch (...) {
      HandleException();
      consumed = true;
    }
  }
  if (!consumed && mainForm_ && mainForm_->HandleAllocated()) consumed = mainForm_->PreTranslate(msg);
  if (!consumed) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  // A form is freed only between messages of the outermost loop: a
  // ProcessMessages inside a handler may run while that form's own code is
  // still on the stack.
  if (nesting_ == 0) ReleaseDeadForms();
  return true;
}

void TApplication::Run() {
  MSG msg;
  while (!terminated_) {
    BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      terminated_ = true;
      break;
    }
    ProcessMessage(msg);
  }
  ReleaseDeadForms();
}

void TApplication::ProcessMessages() {
  ++nesting_;
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!ProcessMessage(msg)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
  }
  --nesting_;
}

void TApplication::Restart() {
  ReleaseDeadForms();
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  terminated_ = false;
  cursor_ = Cursor::Default;
}

void TApplication::Terminate() {
  if (!terminated_) ::PostQuitMessage(0);
  terminated_ = true;
}

void TApplication::HandleException() {
  // Called at the borders of the program's code: nothing may leave it, not
  // even a failure of the box itself.
  try {
    std::string message;
    try {
      throw;
    } catch (const std::bad_alloc&) {
      // What the library says ("std::bad_alloc") tells a user nothing.
      message = "There is not enough memory to complete this operation.";
    } catch (const std::exception& e) {
      message = e.what();
    } catch (...) {
      message = "An unknown error occurred.";
    }
    ShowException(message);
  } catch (...) {
    showingError_ = false;
  }
}

void TApplication::ShowException(const std::string& message) {
  if (showingError_) return;  // one box at a time; a second error while it shows is dropped
  showingError_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{showingError_};
  std::string text = message;
  if (!text.empty() && text.back() != '.' && text.back() != '!' && text.back() != '?') text += '.';
  ShowMessageBox(Handle(), text, Title, MB_OK | MB_ICONERROR);
}

void TApplication::SetCursor(Cursor cursor) {
  cursor_ = cursor;
  ::SetCursor(::LoadCursor(nullptr, cursor == Cursor::HourGlass ? IDC_WAIT : IDC_ARROW));
}

bool TApplication::ApplyCursor() const {
  if (cursor_ == Cursor::Default) return false;
  ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
  return true;
}

int TApplication::AddMessageFilter(MessageFilter filter, bool first) {
  if (first)
    filters_.emplace(filters_.begin(), nextFilter_, std::move(filter));
  else
    filters_.emplace_back(nextFilter_, std::move(filter));
  return nextFilter_++;
}

void TApplication::RemoveMessageFilter(int id) {
  filters_.erase(std::remove_if(filters_.begin(), filters_.end(), [&](const auto& f) { return f.first == id; }),
                 filters_.end());
}

}  // namespace tk
