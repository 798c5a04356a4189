// QuillonL.dll: the about, preferences, insert-string and go-to-line dialogs
// of Quillon Light, exported by ordinal (see QuillonL.def).
#include <windows.h>
#include <commdlg.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/colortext.h"
#include "core/fonttext.h"
#include "guard.h"
#include "resource.h"
#include "toolkit/graphics.h"

namespace {

using WordBool = std::int16_t;
HINSTANCE g_instance = nullptr;
const char kKey[] = "Software\\ORCA\\Quillon-Light";

// ---------------------------------------------------------------------------
// About

INT_PTR AboutProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      if (lParam) ::SendDlgItemMessageA(dlg, IDC_ABOUTICON, STM_SETICON, static_cast<WPARAM>(lParam), 0);
      ::SetDlgItemTextA(dlg, IDC_VERSION, "Version 1.0");
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) ::EndDialog(dlg, 0);
      return TRUE;
    default: return FALSE;
  }
}

// ---------------------------------------------------------------------------
// Preferences: reads the stored settings (defaults where a value is absent
// or unreadable) and stores them back on OK.

struct Preferences {
  bool flags[7] = {false, false, false, false, true, true, true};
  core::Color background = core::clWindow;
  core::FontSpec font;
};

const char* const kFlagNames[7] = {"CreateNewDoc",   "MaximizeDocs", "Autowordwrap", "ShowOperations",
                                   "ShowExtensions", "Showtoolbar",  "ShowStatusbar"};
const int kFlagIds[7] = {IDC_CREATENEWDOC,   IDC_MAXIMIZEDOCS, IDC_AUTOWORDWRAP, IDC_SHOWOPERATIONS,
                         IDC_SHOWEXTENSIONS, IDC_SHOWTOOLBAR,  IDC_SHOWSTATUSBAR};

bool ReadText(HKEY key, const char* name, std::string& out) {
  DWORD type = 0, size = 0;
  if (::RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  std::string data(size + 1, '\0');
  DWORD got = size;
  if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got) != ERROR_SUCCESS)
    return false;
  data.resize(got);
  out = data.substr(0, data.find('\0'));
  return true;
}

Preferences LoadPreferences() {
  Preferences p;
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return p;
  for (int i = 0; i < 7; ++i) {
    DWORD type = 0, value = 0, size = sizeof value;
    if (::RegQueryValueExA(key, kFlagNames[i], nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
            ERROR_SUCCESS &&
        type == REG_DWORD)
      p.flags[i] = value != 0;
  }
  std::string text;
  if (ReadText(key, "Background", text))
    if (auto c = core::ColorFromText(text)) p.background = *c;
  if (ReadText(key, "Font", text))
    if (auto f = core::ParseFontText(text)) p.font = *f;
  ::RegCloseKey(key);
  return p;
}

bool StorePreferences(const Preferences& p) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  bool ok = true;
  for (int i = 0; i < 7; ++i) {
    DWORD v = p.flags[i] ? 1 : 0;
    ok &= ::RegSetValueExA(key, kFlagNames[i], 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v) ==
          ERROR_SUCCESS;
  }
  auto text = [&](const char* name, const std::string& value) {
    ok &= ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
  };
  text("Background", core::ColorToText(p.background));
  text("Font", core::FormatFontText(p.font));
  ::RegCloseKey(key);
  return ok;
}

void FillBackgroundList(HWND dlg, core::Color current) {
  HWND combo = ::GetDlgItem(dlg, IDC_BACKGROUND);
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  int count = 0;
  const core::NamedColor* names = core::ColorNames(&count);
  int selected = -1;
  for (int i = 0; i < count; ++i) {
    if (names[i].value == core::clNone) continue;  // a background needs a colour
    LRESULT at = ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names[i].name));
    ::SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(names[i].value));
    if (names[i].value == current) selected = static_cast<int>(at);
  }
  if (selected < 0) {
    std::string text = core::ColorToText(current);
    LRESULT at = ::SendMessageA(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(current));
    selected = static_cast<int>(at);
  }
  ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

core::Color SelectedBackground(HWND dlg, core::Color fallback) {
  HWND combo = ::GetDlgItem(dlg, IDC_BACKGROUND);
  LRESULT sel = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (sel == CB_ERR) return fallback;
  return static_cast<core::Color>(::SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(sel), 0));
}

void ShowFontText(HWND dlg, const core::FontSpec& font) {
  ::SetDlgItemTextA(dlg, IDC_FONTTEXT, (font.name + ", " + std::to_string(font.size) + " pt").c_str());
}

void ChooseFontFor(HWND dlg, core::FontSpec& font) {
  HDC screen = ::GetDC(nullptr);
  int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  LOGFONTA lf{};
  lf.lfHeight = -::MulDiv(std::abs(font.size) > 0 ? std::abs(font.size) : 8, dpi > 0 ? dpi : 96, 72);
  lf.lfWeight = (font.style & core::fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (font.style & core::fsItalic) != 0;
  lf.lfUnderline = (font.style & core::fsUnderline) != 0;
  lf.lfStrikeOut = (font.style & core::fsStrikeOut) != 0;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, font.name.c_str(), LF_FACESIZE);
  CHOOSEFONTA cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = dlg;
  cf.lpLogFont = &lf;
  cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  cf.rgbColors = tk::ColorToRGB(font.color, core::ColorUse::Text);
  if (!::ChooseFontA(&cf)) return;
  core::FontSpec chosen;
  chosen.name = lf.lfFaceName;
  chosen.size = cf.iPointSize > 0 ? (cf.iPointSize + 5) / 10 : font.size;
  // A colour the dialog left as it was keeps its system-colour meaning.
  chosen.color = cf.rgbColors == tk::ColorToRGB(font.color, core::ColorUse::Text)
                     ? font.color
                     : static_cast<core::Color>(cf.rgbColors);
  switch (lf.lfPitchAndFamily & 3) {
    case FIXED_PITCH: chosen.pitch = core::FontPitch::Fixed; break;
    case VARIABLE_PITCH: chosen.pitch = core::FontPitch::Variable; break;
    default: chosen.pitch = core::FontPitch::Default; break;
  }
  chosen.style = (lf.lfWeight >= FW_BOLD ? core::fsBold : 0u) | (lf.lfItalic ? core::fsItalic : 0u) |
                 (lf.lfUnderline ? core::fsUnderline : 0u) | (lf.lfStrikeOut ? core::fsStrikeOut : 0u);
  font = chosen;
}

INT_PTR PreferencesProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* p = reinterpret_cast<Preferences*>(::GetWindowLongPtrA(dlg, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG:
      p = reinterpret_cast<Preferences*>(lParam);
      ::SetWindowLongPtrA(dlg, DWLP_USER, lParam);
      for (int i = 0; i < 7; ++i) ::CheckDlgButton(dlg, kFlagIds[i], p->flags[i] ? BST_CHECKED : BST_UNCHECKED);
      FillBackgroundList(dlg, p->background);
      ShowFontText(dlg, p->font);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_CHOOSECOLOR: {
          static COLORREF custom[16];
          CHOOSECOLORA cc{};
          cc.lStructSize = sizeof cc;
          cc.hwndOwner = dlg;
          cc.rgbResult = tk::ColorToRGB(SelectedBackground(dlg, p->background), core::ColorUse::Background);
          cc.lpCustColors = custom;
          cc.Flags = CC_RGBINIT | CC_FULLOPEN;
          if (::ChooseColorA(&cc)) FillBackgroundList(dlg, static_cast<core::Color>(cc.rgbResult));
          return TRUE;
        }
        case IDC_CHOOSEFONT:
          ChooseFontFor(dlg, p->font);
          ShowFontText(dlg, p->font);
          return TRUE;
        case IDOK: {
          for (int i = 0; i < 7; ++i) p->flags[i] = ::IsDlgButtonChecked(dlg, kFlagIds[i]) == BST_CHECKED;
          p->background = SelectedBackground(dlg, p->background);
          if (!StorePreferences(*p)) {
            ::MessageBoxA(dlg, "The preferences could not be stored in the registry.", "Preferences",
                          MB_OK | MB_ICONERROR);
            return TRUE;
          }
          ::EndDialog(dlg, IDOK);
          return TRUE;
        }
        case IDCANCEL: ::EndDialog(dlg, IDCANCEL); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

// ---------------------------------------------------------------------------
// Insert string

struct InsertArgs {
  char* buffer;
  WordBool* selectedLines;
  WordBool* atLineStart;
};

constexpr int kBufferSize = 250;

INT_PTR InsertStringProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* a = reinterpret_cast<InsertArgs*>(::GetWindowLongPtrA(dlg, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG:
      a = reinterpret_cast<InsertArgs*>(lParam);
      ::SetWindowLongPtrA(dlg, DWLP_USER, lParam);
      ::SendDlgItemMessageA(dlg, IDC_STRING, EM_LIMITTEXT, kBufferSize - 1, 0);
      ::CheckRadioButton(dlg, IDC_ALLLINES, IDC_SELECTEDLINES, *a->selectedLines ? IDC_SELECTEDLINES : IDC_ALLLINES);
      ::CheckRadioButton(dlg, IDC_LINESTART, IDC_LINEEND, *a->atLineStart ? IDC_LINESTART : IDC_LINEEND);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        // At most 249 characters and the zero, whatever the control holds.
        UINT got = ::GetDlgItemTextA(dlg, IDC_STRING, a->buffer, kBufferSize);
        a->buffer[got < kBufferSize ? got : kBufferSize - 1] = '\0';
        *a->selectedLines = ::IsDlgButtonChecked(dlg, IDC_SELECTEDLINES) == BST_CHECKED ? -1 : 0;
        *a->atLineStart = ::IsDlgButtonChecked(dlg, IDC_LINESTART) == BST_CHECKED ? -1 : 0;
        ::EndDialog(dlg, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(dlg, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

// ---------------------------------------------------------------------------
// Go to line

struct GotoArgs {
  std::int32_t lineCount;
  std::int32_t current;
  std::int32_t result;
};

INT_PTR GotoLineProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* a = reinterpret_cast<GotoArgs*>(::GetWindowLongPtrA(dlg, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG: {
      a = reinterpret_cast<GotoArgs*>(lParam);
      ::SetWindowLongPtrA(dlg, DWLP_USER, lParam);
      std::string prompt = "&Line (1 - " + std::to_string(a->lineCount < 1 ? 1 : a->lineCount) + "):";
      ::SetDlgItemTextA(dlg, IDC_LINEPROMPT, prompt.c_str());
      ::SetDlgItemInt(dlg, IDC_LINE, static_cast<UINT>(a->current < 1 ? 1 : a->current), FALSE);
      ::SendDlgItemMessageA(dlg, IDC_LINE, EM_SETSEL, 0, -1);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        char text[32] = {};
        ::GetDlgItemTextA(dlg, IDC_LINE, text, sizeof text);
        char* end = nullptr;
        long long value = std::strtoll(text, &end, 10);
        if (end == text || *end != '\0') {
          ::MessageBoxA(dlg, "Please enter a line number.", "Goto line", MB_OK | MB_ICONERROR);
          return TRUE;
        }
        if (value < 1) value = 1;
        if (value > a->lineCount) value = a->lineCount < 1 ? 1 : a->lineCount;
        a->result = static_cast<std::int32_t>(value);
        ::EndDialog(dlg, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(dlg, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_instance = instance;
  return TRUE;
}

__declspec(dllexport) void WINAPI AboutDialog(HWND app, HICON icon) {
  dialogs::GuardedEntry(0, [&] {
    return ::DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_ABOUT), app, dialogs::GuardedProc<AboutProc>,
                             reinterpret_cast<LPARAM>(icon));
  });
}

__declspec(dllexport) WordBool WINAPI PreferencesDialog(HWND app) {
  return dialogs::GuardedEntry<WordBool>(0, [&]() -> WordBool {
    Preferences p = LoadPreferences();
    INT_PTR r = ::DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_PREFERENCES), app,
                                  dialogs::GuardedProc<PreferencesProc>, reinterpret_cast<LPARAM>(&p));
    return r == IDOK ? -1 : 0;
  });
}

__declspec(dllexport) WordBool WINAPI InsertStringDialog(HWND app, char** buffer, WordBool* selectedLines,
                                                         WordBool* atLineStart) {
  return dialogs::GuardedEntry<WordBool>(0, [&]() -> WordBool {
    if (!buffer || !*buffer || !selectedLines || !atLineStart) return 0;
    InsertArgs a{*buffer, selectedLines, atLineStart};
    INT_PTR r = ::DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_INSERTSTRING), app,
                                  dialogs::GuardedProc<InsertStringProc>, reinterpret_cast<LPARAM>(&a));
    return r == IDOK ? -1 : 0;
  });
}

// A cancel, and a failure, keep the current line.
__declspec(dllexport) std::int32_t WINAPI GotoLineDialog(HWND app, std::int32_t lineCount, std::int32_t currentLine) {
  return dialogs::GuardedEntry(currentLine, [&] {
    GotoArgs a{lineCount, currentLine, currentLine};
    INT_PTR r = ::DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_GOTOLINE), app, dialogs::GuardedProc<GotoLineProc>,
                                  reinterpret_cast<LPARAM>(&a));
    return r == IDOK ? a.result : currentLine;
  });
}

}  // extern "C"
