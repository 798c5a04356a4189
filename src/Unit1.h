// The document window: its editing control, its file and its commands.
#pragma once

#include <string>

#include "toolkit/form.h"

class TEditForm : public tk::MDIChildForm {
 public:
  explicit TEditForm(bool maximized);
  void CreateWindowNow() override;

  std::string FileName;
  tk::MainMenu* MainMenu1 = nullptr;

  // Closes the window at once, without asking anything.
  void Discard();

 protected:
  void FormClose(tk::CloseAction& action) override;

 private:
  bool maximized_;
};

// Reads the file into the window; throws tk::FileError when it cannot.
void LoadFile(TEditForm* window, const std::string& name);
