// The platform's modeless find and replace dialogs as components. The
// window given to Execute owns the dialog and must be a tk::Form: forms pass
// the dialogs' notifications (FINDMSGSTRING) on to the component.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>

#include "toolkit/component.h"

namespace tk {

class FindDialog : public Component {
 public:
  FindDialog(Component* owner, std::string name);
  ~FindDialog() override;

  // At most 255 characters are kept.
  std::string FindText() const { return findWhat_; }
  void SetFindText(const std::string& text);
  // FR_ flags; the dialogs start searching down with the direction hidden.
  DWORD Options = FR_DOWN | FR_HIDEUPDOWN;
  std::function<void(FindDialog* sender)> OnFind;

  // Shows the dialog, or brings it to the top when it is open already.
  void Execute(HWND owner);
  void CloseDialog();
  HWND Handle() const { return dialog_; }

  // The registered message the dialogs send their owner.
  static UINT Message();
  // Called by a form for that message; true when it was one of ours.
  static bool Dispatch(LPARAM lParam);

 protected:
  virtual bool IsReplace() const { return false; }
  virtual void Notify(DWORD flags);

  FINDREPLACEA fr_{};
  char findBuffer_[256] = {};
  char replaceBuffer_[256] = {};
  std::string findWhat_;
  HWND dialog_ = nullptr;
  int filter_ = 0;
};

class ReplaceDialog : public FindDialog {
 public:
  using FindDialog::FindDialog;
  std::string ReplaceText() const { return replaceWith_; }
  void SetReplaceText(const std::string& text);
  // Replace and Replace All; told apart by FR_REPLACEALL in Options.
  std::function<void(FindDialog* sender)> OnReplace;

 protected:
  bool IsReplace() const override { return true; }
  void Notify(DWORD flags) override;

 private:
  std::string replaceWith_;
  friend class FindDialog;
};

}  // namespace tk
