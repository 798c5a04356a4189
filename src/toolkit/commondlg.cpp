#include "toolkit/commondlg.h"

#include <commdlg.h>

#include <vector>

#include "toolkit/seam.h"

namespace tk {

bool CommonDialog::Execute(HWND owner) {
  if (Seam().commonDialog && DialogKind() != Kind::Print) return Seam().commonDialog(*this);
  return DoExecute(owner);
}

bool OpenDialog::DoExecute(HWND owner) { return Run(owner, false); }

bool OpenDialog::Run(HWND owner, bool save) {
  // The filter as the platform wants it: zero-separated, doubly terminated.
  std::string filter = Filter;
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter.append(2, '\0');
  std::vector<char> file(32768, '\0');
  FileName.copy(file.data(), file.size() - 1);
  // The default extension without the "*." that designers like to give it.
  std::string ext = DefaultExt;
  while (!ext.empty() && (ext.front() == '*' || ext.front() == '.')) ext.erase(0, 1);

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  ofn.Flags = Options | OFN_EXPLORER;
  BOOL ok = save ? ::GetSaveFileNameA(&ofn) : ::GetOpenFileNameA(&ofn);
  if (!ok) return false;
  FileName = file.data();
  FilterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

}  // namespace tk
