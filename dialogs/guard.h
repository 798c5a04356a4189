// The border of the dialog library: nothing thrown inside it leaves it. A
// dialog procedure that fails ends its dialog with kDialogFailed; an entry
// that fails returns its failure result instead of its answer.
#pragma once

#include <windows.h>

namespace dialogs {

// What DialogBoxParam returns for a dialog whose procedure failed (the
// value it also returns when the dialog cannot be made).
inline constexpr INT_PTR kDialogFailed = -1;

using DialogHandler = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

template <DialogHandler Handle>
INT_PTR CALLBACK GuardedProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    return Handle(dlg, msg, wParam, lParam);
  } catch (...) {
    ::EndDialog(dlg, kDialogFailed);
    return TRUE;
  }
}

template <class R, class F>
R GuardedEntry(R failure, F&& run) noexcept {
  try {
    return static_cast<R>(run());
  } catch (...) {
    return failure;
  }
}

}  // namespace dialogs
