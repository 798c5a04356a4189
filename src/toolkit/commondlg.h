// The common dialogs as components. Execute goes through the seam, so that
// tests can answer a dialog the way a user would.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "toolkit/component.h"

namespace tk {

class CommonDialog : public Component {
 public:
  using Component::Component;
  enum class Kind { Open, Save, Print, PageSetup, Font, Color, Other };
  virtual Kind DialogKind() const = 0;
  // Shows the dialog owned by the given window; true when confirmed.
  bool Execute(HWND owner);

 protected:
  virtual bool DoExecute(HWND owner) = 0;
};

class OpenDialog : public CommonDialog {
 public:
  using CommonDialog::CommonDialog;
  Kind DialogKind() const override { return Kind::Open; }

  // Filter: pairs of caption and pattern separated by '|'.
  std::string Filter;
  int FilterIndex = 1;  // counted from 1; the user's choice after Execute
  std::string DefaultExt;
  std::string FileName;
  std::string InitialDir;
  std::string Title;
  DWORD Options = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;

 protected:
  bool DoExecute(HWND owner) override;
  bool Run(HWND owner, bool save);
};

class SaveDialog : public OpenDialog {
 public:
  SaveDialog(Component* owner, std::string name) : OpenDialog(owner, std::move(name)) {
    Options = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
  }
  Kind DialogKind() const override { return Kind::Save; }

 protected:
  bool DoExecute(HWND owner) override { return Run(owner, true); }
};

}  // namespace tk
