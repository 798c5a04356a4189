#include "toolkit/finddlg.h"

#include <algorithm>

#include "toolkit/application.h"

namespace tk {

namespace {
constexpr DWORD kNotifyFlags = FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL | FR_DIALOGTERM;
}

FindDialog::FindDialog(Component* owner, std::string name) : Component(owner, std::move(name)) {}

FindDialog::~FindDialog() { CloseDialog(); }

UINT FindDialog::Message() {
  static UINT message = ::RegisterWindowMessageA(FINDMSGSTRINGA);
  return message;
}

void FindDialog::SetFindText(const std::string& text) { findWhat_ = text.substr(0, 255); }

void ReplaceDialog::SetReplaceText(const std::string& text) { replaceWith_ = text.substr(0, 255); }

void FindDialog::Execute(HWND owner) {
  if (dialog_ && ::IsWindow(dialog_)) {
    ::ShowWindow(dialog_, SW_SHOW);
    ::BringWindowToTop(dialog_);
    ::SetActiveWindow(dialog_);
    return;
  }
  fr_ = FINDREPLACEA{};
  fr_.lStructSize = sizeof fr_;
  fr_.hwndOwner = owner;
  fr_.Flags = Options & ~kNotifyFlags;
  std::fill(std::begin(findBuffer_), std::end(findBuffer_), '\0');
  findWhat_.copy(findBuffer_, 255);
  fr_.lpstrFindWhat = findBuffer_;
  fr_.wFindWhatLen = sizeof findBuffer_;
  fr_.lCustData = reinterpret_cast<LPARAM>(this);
  if (IsReplace()) {
    std::fill(std::begin(replaceBuffer_), std::end(replaceBuffer_), '\0');
    static_cast<ReplaceDialog*>(this)->replaceWith_.copy(replaceBuffer_, 255);
    fr_.lpstrReplaceWith = replaceBuffer_;
    fr_.wReplaceWithLen = sizeof replaceBuffer_;
    dialog_ = ::ReplaceTextA(&fr_);
  } else {
    dialog_ = ::FindTextA(&fr_);
  }
  if (dialog_ && !filter_) {
    HWND dlg = dialog_;
    filter_ = Application.AddMessageFilter([dlg](MSG& msg) {
      return ::IsWindow(dlg) && ::IsDialogMessageA(dlg, &msg) != FALSE;
    });
  }
}

void FindDialog::CloseDialog() {
  if (filter_) {
    Application.RemoveMessageFilter(filter_);
    filter_ = 0;
  }
  if (dialog_ && ::IsWindow(dialog_)) ::DestroyWindow(dialog_);
  dialog_ = nullptr;
}

bool FindDialog::Dispatch(LPARAM lParam) {
  auto* fr = reinterpret_cast<FINDREPLACEA*>(lParam);
  if (!fr || fr->lStructSize != sizeof(FINDREPLACEA)) return false;
  auto* self = reinterpret_cast<FindDialog*>(fr->lCustData);
  if (!self || &self->fr_ != fr) return false;
  self->Notify(fr->Flags);
  return true;
}

void FindDialog::Notify(DWORD flags) {
  findWhat_ = findBuffer_;
  Options = (flags & ~kNotifyFlags) | (flags & FR_REPLACEALL);
  if (flags & FR_DIALOGTERM) {
    dialog_ = nullptr;
    if (filter_) {
      Application.RemoveMessageFilter(filter_);
      filter_ = 0;
    }
    return;
  }
  if ((flags & FR_FINDNEXT) && OnFind) OnFind(this);
}

void ReplaceDialog::Notify(DWORD flags) {
  replaceWith_ = replaceBuffer_;
  if (flags & (FR_REPLACE | FR_REPLACEALL)) {
    findWhat_ = findBuffer_;
    Options = (flags & ~kNotifyFlags) | (flags & FR_REPLACEALL);
    if (OnReplace) OnReplace(this);
    return;
  }
  FindDialog::Notify(flags);
}

}  // namespace tk
