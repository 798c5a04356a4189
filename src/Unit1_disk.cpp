// The document and its file on disk: noticing what another program did to
// the file since the document loaded or saved it.
#include <windows.h>

#include <algorithm>

#include "MainForm.h"
#include "TRECode.h"
#include "Unit1.h"
#include "toolkit/application.h"
#include "toolkit/fileio.h"
#include "toolkit/seam.h"

void TEditForm::CheckDiskFile() {
  if (FileName.empty() || !Edi->Handle()) return;
  core::FileStamp now = tk::QueryStamp(FileName);
  core::FileChange change = core::CompareStamps(DiskStamp, now);
  if (change == core::FileChange::fcNone) return;
  // Asked once: whatever the answer, this state of the file is known now.
  DiskStamp = now;
  if (change == core::FileChange::fcDeleted) {
    int answer = tk::ShowMessageBox(hwnd_, core::DeletedKeepQuestion(FileName), "Confirm", MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES) {
      // Save writes it again, under its name.
      Edi->SetModified(true);
      CaretReport();
      return;
    }
    Close();  // with the close question when it holds unsaved changes
    return;
  }
  int answer = tk::ShowMessageBox(hwnd_, core::ChangedReloadQuestion(FileName), "Confirm", MB_YESNO | MB_ICONQUESTION);
  if (answer != IDYES) {
    // The document's text differs from the file's now: closing asks to save.
    Edi->SetModified(true);
    CaretReport();
    return;
  }
  std::int64_t line = Edi->CaretLine();
  try {
    LoadFile(this, FileName);
  } catch (...) {
    // Unreadable now: the text stays as it was, and differs from the file.
    Edi->SetModified(true);
    CaretReport();
    throw;
  }
  Edi->MoveToLine(std::min<std::int64_t>(line, std::max<std::int64_t>(Edi->LineCount() - 1, 0)));
  CaretReport();
}

bool TEditForm::MayOverwrite(const std::string& name) {
  if (name != FileName) return true;
  if (core::CompareStamps(DiskStamp, tk::QueryStamp(name)) != core::FileChange::fcChanged) return true;
  return tk::ShowMessageBox(hwnd_, core::ChangedOverwriteQuestion(name), "Confirm", MB_YESNO | MB_ICONQUESTION) ==
         IDYES;
}

void TForm1::CheckDocumentFiles() {
  // Not while a command or a load runs (it would change the text under it),
  // and not again from the activation that a question's box brings.
  if (checkingFiles_ || tk::Application.GetCursor() == tk::Cursor::HourGlass) return;
  struct Flag {
    bool& on;
    explicit Flag(bool& f) : on(f) { on = true; }
    ~Flag() { on = false; }
  } flag(checkingFiles_);
  for (tk::MDIChildForm* child : MDIChildren()) {
    // An earlier answer may have closed it.
    std::vector<tk::MDIChildForm*> now = MDIChildren();
    if (std::find(now.begin(), now.end(), child) == now.end()) continue;
    if (auto* doc = dynamic_cast<TEditForm*>(child)) {
      // A file that cannot be read again is reported, and the others are
      // still looked at.
      tk::Guarded([doc] { doc->CheckDiskFile(); });
    }
  }
}
