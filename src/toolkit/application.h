// The application object: title, help file, icon, the message loop, the
// general error box, the application-wide cursor, pending-message runs and
// the hint settings.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tk {

class Form;

enum class Cursor { Default, HourGlass };

class TApplication {
 public:
  TApplication();
  ~TApplication();

  void Initialize();
  HINSTANCE Instance() const { return instance_; }

  std::string Title = "Application";
  std::string HelpFile;
  HICON Icon() const { return icon_; }
  void SetIcon(HICON icon) { icon_ = icon; }

  // Hint settings, used by the hint windows.
  bool ShowHint = true;
  UINT HintPause = 500;
  UINT HintShortPause = 50;
  UINT HintHidePause = 2500;
  // Set while a hint component of the program shows the controls' hints in
  // a hint window of its own; controls then make no tooltips of their own.
  bool OwnHintWindow = false;

  // The first form created becomes the main form; the application owns
  // every form it is handed, and releases a form once its window is gone.
  template <class F, class... Args>
  F* CreateForm(Args&&... args) {
    auto form = std::make_unique<F>(std::forward<Args>(args)...);
    F* raw = form.get();
    AddForm(std::move(form));
    raw->CreateWindowNow();
    return raw;
  }
  Form* MainForm() const { return mainForm_; }
  // The window that owns the program's modal dialogs.
  HWND Handle() const;

  // Runs the message loop until Terminate or the main form's end.
  void Run();
  // Runs every message that is waiting, then returns.
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Makes the application runnable again after its main form has gone
  // (a test that builds several frames in one process).
  void Restart();

  // The general error box for an exception that a command did not catch;
  // call from within a catch block.
  void HandleException();
  void ShowException(const std::string& message);

  Cursor GetCursor() const { return cursor_; }
  void SetCursor(Cursor cursor);
  // Sets the application's cursor for a window that asks (WM_SETCURSOR).
  bool ApplyCursor() const;

  // Filters that see each message before it is dispatched (modeless dialog
  // navigation, shortcuts); a filter returning true consumes the message.
  // A filter added `first` sees each message before the others.
  using MessageFilter = std::function<bool(MSG&)>;
  int AddMessageFilter(MessageFilter filter, bool first = false);
  void RemoveMessageFilter(int id);

  // Frees forms whose windows have gone (done between messages).
  void ReleaseDeadForms();
  // Called by a form when its window has gone.
  void FormDestroyed(Form* form);
  // The forms the application owns, oldest first.
  const std::vector<std::unique_ptr<Form>>& Forms() const { return forms_; }

 private:
  void AddForm(std::unique_ptr<Form> form);
  bool ProcessMessage(MSG& msg);

  HINSTANCE instance_ = nullptr;
  HICON icon_ = nullptr;
  Form* mainForm_ = nullptr;
  std::vector<std::unique_ptr<Form>> forms_;
  std::vector<std::unique_ptr<Form>> dead_;
  bool terminated_ = false;
  Cursor cursor_ = Cursor::Default;
  std::vector<std::pair<int, MessageFilter>> filters_;
  int nextFilter_ = 1;
  bool showingError_ = false;
  int nesting_ = 0;  // ProcessMessages runs inside a handler
};

extern TApplication Application;

// Runs f; an exception it throws goes to the general error box.
template <class F>
void Guarded(F&& f) {
  try {
    f();
  } catch (...) {
    Application.HandleException();
  }
}

}  // namespace tk
