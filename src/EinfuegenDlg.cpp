#include "EinfuegenDlg.h"

#include <commctrl.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include "core/chartable.h"
#include "toolkit/application.h"

namespace {

// The dialog is laid out at 120 pixels per inch and scaled to the screen's.
constexpr int kDesignDpi = 120;
constexpr int kClientWidth = 259, kClientHeight = 291;

int ScreenDpi() {
  HDC dc = ::GetDC(nullptr);
  int dpi = dc ? ::GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ::ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

// An empty dialog template (no controls: they are made at initialisation),
// DWORD-aligned as the platform wants it.
std::vector<DWORD> DialogTemplate(const wchar_t* title) {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  DLGTEMPLATE head{};
  head.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
  head.dwExtendedStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;
  head.cx = 100;
  head.cy = 100;
  std::memcpy(words.data(), &head, sizeof head);
  words.push_back(0);  // no menu
  words.push_back(0);  // the dialog class
  for (const wchar_t* p = title; *p; ++p) words.push_back(static_cast<WORD>(*p));
  words.push_back(0);
  std::vector<DWORD> aligned((words.size() * sizeof(WORD) + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
  std::memcpy(aligned.data(), words.data(), words.size() * sizeof(WORD));
  return aligned;
}

// Re-enables and re-activates the owner of a modal dialog in every case.
class OwnerDisabled {
 public:
  explicit OwnerDisabled(HWND owner) : owner_(owner) {
    if (owner_ && ::IsWindowEnabled(owner_)) {
      ::EnableWindow(owner_, FALSE);
      disabled_ = true;
    }
  }
  ~OwnerDisabled() {
    if (disabled_ && ::IsWindow(owner_)) ::EnableWindow(owner_, TRUE);
  }
  OwnerDisabled(const OwnerDisabled&) = delete;
  OwnerDisabled& operator=(const OwnerDisabled&) = delete;

 private:
  HWND owner_;
  bool disabled_ = false;
};

}  // namespace

TEinfDlg& TEinfDlg::Instance() {
  static std::unique_ptr<TEinfDlg> dialog(new TEinfDlg);
  return *dialog;
}

TEinfDlg::~TEinfDlg() {
  // The window goes before the fonts it uses.
  wnd_.reset();
}

void TEinfDlg::CreateWindowOnce() {
  if (wnd_ && ::IsWindow(wnd_.get())) return;
  wnd_.release();  // gone with the thread's windows; nothing left to free
  list_ = nullptr;
  std::wstring title(core::kCharTableCaption.begin(), core::kCharTableCaption.end());
  std::vector<DWORD> templ = DialogTemplate(title.c_str());
  HWND wnd = ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(templ.data()),
                                          nullptr, DialogProc, reinterpret_cast<LPARAM>(this));
  if (!wnd) throw std::runtime_error("Cannot create the ASCII-Characters dialog");
  wnd_.reset(wnd);
}

// Builds the controls: the buttons first, so that the tab order runs
// "&Insert", "&Cancel", list.
void TEinfDlg::FormCreate(HWND wnd) {
  int dpi = ScreenDpi();
  auto S = [dpi](int v) { return ::MulDiv(v, dpi, kDesignDpi); };

  RECT frame{0, 0, S(kClientWidth), S(kClientHeight)};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrA(wnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongPtrA(wnd, GWL_EXSTYLE)));
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  ::SetWindowPos(wnd, nullptr, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

  LOGFONTA lf{};
  lf.lfHeight = -::MulDiv(8, dpi, 72);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE);
  ownFont_.reset(::CreateFontIndirectA(&lf));
  HINSTANCE inst = ::GetModuleHandleA(nullptr);
  auto button = [&](const char* text, int x, int id) {
    HWND b = ::CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, S(x), S(256),
                               S(91), S(28), wnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, nullptr);
    ::SendMessageA(b, WM_SETFONT, reinterpret_cast<WPARAM>(ownFont_.get()), FALSE);
  };
  button("&Insert", 160, idButton1);
  button("&Cancel", 8, idButton2);

  list_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER, 0, 0,
                            S(kClientWidth), S(249), wnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(idListView1)),
                            inst, nullptr);
  ::SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(ownFont_.get()), FALSE);

  const int formats[4] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_RIGHT, LVCFMT_LEFT};
  for (int i = 0; i < 4; ++i) {
    std::string caption(core::kCharTableColumns[i]);
    LVCOLUMNA col{};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    col.fmt = formats[i];
    col.cx = S(50);
    col.pszText = caption.data();
    col.iSubItem = i;
    ::SendMessageA(list_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
  }
  ::SendMessageA(list_, LVM_SETITEMCOUNT, 256, 0);
  for (int code = 0; code < 256; ++code) {
    const core::CharTableRow& row = core::CharTable(code);
    std::string chars = row.chars, dec = row.dec, hex = row.hex;
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = code;
    item.pszText = chars.data();
    ::SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = dec.data();
    ::SendMessageA(list_, LVM_SETITEMTEXTA, static_cast<WPARAM>(code), reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 2;
    item.pszText = hex.data();
    ::SendMessageA(list_, LVM_SETITEMTEXTA, static_cast<WPARAM>(code), reinterpret_cast<LPARAM>(&item));
  }
  // The first column just as wide as its caption.
  ::SendMessageA(list_, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);
}

void TEinfDlg::SetListFont(HFONT font) {
  CreateWindowOnce();
  LOGFONTA lf{};
  if (font && ::GetObjectA(font, sizeof lf, &lf) == sizeof lf) {
    tk::OwnedFont copy(::CreateFontIndirectA(&lf));
    ::SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(copy.get()), TRUE);
    listFont_ = std::move(copy);  // the previous copy goes only now
  } else {
    ::SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(ownFont_.get()), TRUE);
    listFont_.reset();
  }
}

int TEinfDlg::ShowModal(HWND owner) {
  CreateWindowOnce();
  if (showing_) return mrCancel;
  HWND wnd = wnd_.get();
  showing_ = true;
  result_ = 0;
  // Owned while shown (above the owner, never in the task bar), unowned
  // while hidden, so that it outlives the window that showed it.
  ::SetWindowLongPtrA(wnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  {
    OwnerDisabled disabled(owner);
    ::ShowWindow(wnd, SW_SHOW);
    ::SetActiveWindow(wnd);
    ::SetFocus(::GetDlgItem(wnd, idButton1));
    MSG msg;
    while (result_ == 0) {
      if (!::IsWindow(wnd)) {
        result_ = mrCancel;
        break;
      }
      BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
      if (got == 0) {  // WM_QUIT: leave it for the loop outside
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        result_ = mrCancel;
        break;
      }
      if (got < 0) {
        result_ = mrCancel;
        break;
      }
      if (!::IsDialogMessageA(wnd, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
    }
  }  // the owner is enabled again before the dialog hides, so it gets the activation
  if (::IsWindow(wnd)) {
    ::ShowWindow(wnd, SW_HIDE);
    ::SetWindowLongPtrA(wnd, GWLP_HWNDPARENT, 0);
  }
  if (owner && ::IsWindow(owner)) ::SetActiveWindow(owner);
  showing_ = false;
  return result_;
}

int TEinfDlg::SelectedRow() const {
  if (!list_) return -1;
  return static_cast<int>(::SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TEinfDlg::SelectRow(int row) {
  CreateWindowOnce();
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = 0;
  ::SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  if (row < 0) return;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  ::SendMessageA(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

std::string TEinfDlg::CellText(int row, int column) const {
  if (!list_) return {};
  char buffer[64] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = sizeof buffer;
  ::SendMessageA(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return buffer;
}

void TEinfDlg::Button1Click() { result_ = mrOk; }

void TEinfDlg::Button2Click() { result_ = mrCancel; }

INT_PTR TEinfDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_COMMAND:
      // Only the two buttons end the dialog: it has no default and no cancel
      // button, so Enter and Escape (IDOK, IDCANCEL) do nothing.
      if (HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == idButton1) Button1Click();
        if (LOWORD(wParam) == idButton2) Button2Click();
      }
      return TRUE;
    case WM_CLOSE:
      result_ = mrCancel;
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK TEinfDlg::DialogProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  try {
    if (msg == WM_INITDIALOG) {
      auto* self = reinterpret_cast<TEinfDlg*>(lParam);
      ::SetWindowLongPtrA(wnd, DWLP_USER, lParam);
      self->FormCreate(wnd);
      return FALSE;  // the focus is set when the dialog is shown
    }
    auto* self = reinterpret_cast<TEinfDlg*>(::GetWindowLongPtrA(wnd, DWLP_USER));
    return self ? self->HandleMessage(msg, wParam, lParam) : FALSE;
  } catch (...) {
    tk::Application.HandleException();
    return FALSE;
  }
}

bool ShowSpecialCharacterDialog(HWND owner, HFONT documentFont, std::string& textToInsert) {
  textToInsert.clear();
  TEinfDlg& dialog = TEinfDlg::Instance();
  dialog.SetListFont(documentFont);
  if (dialog.ShowModal(owner) != TEinfDlg::mrOk) return false;
  int row = dialog.SelectedRow();
  if (row >= 0) textToInsert = core::InsertTextForCode(core::CodeFromDecText(dialog.CellText(row, 1)));
  return true;
}
