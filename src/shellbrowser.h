// The shell's folder-browse dialog as a component: it reports the folder the
// user confirms, and every folder the user selects while the dialog is open.
//
//   TShellBrowser* b = Create<TShellBrowser>("ShellBrowser1");
//   b->OnSelChange = [](TShellBrowser&, const std::string& folder, bool isDisplayName) { ... };
//   if (b->Execute()) use(b->Folder, b->DisplayName);
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/component.h"
#include "toolkit/enumset.h"

enum TShellBrowserOption {
  shbBrowseForComputer,  // BIF_BROWSEFORCOMPUTER
  shbBrowseForPrinter,   // BIF_BROWSEFORPRINTER
  shbDontGoBelowDomain,  // BIF_DONTGOBELOWDOMAIN
  shbReturnFSAncestors,  // BIF_RETURNFSANCESTORS
  shbReturnOnlyFSDirs,   // BIF_RETURNONLYFSDIRS
  shbStatusText,         // BIF_STATUSTEXT
};
using TShellBrowserOptions = tk::EnumSet<TShellBrowserOption>;

// The dialog's BROWSEINFO flags for a set of options.
UINT ShellBrowserFlags(TShellBrowserOptions options);

class TShellBrowser : public tk::Component {
 public:
  using TNotifyEvent = std::function<void(TShellBrowser& sender)>;
  // NewFolder is the selected folder's path, or its display name
  // (IsDisplayName true) when it has no file-system path.
  using TSelChangeEvent =
      std::function<void(TShellBrowser& sender, const std::string& NewFolder, bool IsDisplayName)>;

  using tk::Component::Component;

  // Folder selected when the dialog opens.
  std::string InitialPath;
  // Top of the tree: empty for the desktop, "mycomputer" (any case) for the
  // drives folder, else a folder path (one that does not parse: the desktop).
  std::string RootPath;
  // Text above the tree.
  std::string Prompt;
  TShellBrowserOptions Options{shbReturnFSAncestors, shbReturnOnlyFSDirs};
  // Called once the dialog window exists.
  TNotifyEvent OnInitialize;
  // Called on every change of the selection, while Execute runs.
  TSelChangeEvent OnSelChange;

  // Title and status line; while the dialog is open a change shows at once,
  // otherwise at the next Execute.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  const std::string& StatusText() const { return statusText_; }
  void SetStatusText(const std::string& text);

  // Runs the dialog modally over the owner's window (when the owner is a
  // window). True when the user confirmed a folder; false when cancelled,
  // with Folder and DisplayName then empty.
  bool Execute();

  // Results of the last Execute: the folder's file-system path (empty when
  // it has none) and its display name.
  std::string Folder;
  std::string DisplayName;

  // The open dialog's window; nullptr while closed.
  HWND DialogHandle() const { return dialog_; }

 private:
  static int CALLBACK BrowseCallback(HWND wnd, UINT msg, LPARAM lParam, LPARAM data);
  void Initialized(HWND wnd);
  void SelectionChanged(const void* itemList);

  std::string caption_;
  std::string statusText_;
  HWND dialog_ = nullptr;
};
