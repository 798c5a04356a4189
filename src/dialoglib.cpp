#include "dialoglib.h"

#include "toolkit/errors.h"

namespace dialoglib {
namespace {

using AboutFn = void(WINAPI*)(HWND, HICON);
using PreferencesFn = WordBool(WINAPI*)(HWND);
using InsertStringFn = WordBool(WINAPI*)(HWND, char**, WordBool*, WordBool*);
using GotoLineFn = std::int32_t(WINAPI*)(HWND, std::int32_t, std::int32_t);

HMODULE g_library = nullptr;
AboutFn g_about = nullptr;
PreferencesFn g_preferences = nullptr;
InsertStringFn g_insertString = nullptr;
GotoLineFn g_gotoLine = nullptr;

template <class Fn>
Fn Entry(HMODULE lib, int ordinal) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(lib, MAKEINTRESOURCEA(ordinal))));
}

void Require(bool bound) {
  if (!bound) throw tk::Error("The dialog library QuillonL.dll is not loaded");
}

}  // namespace

bool Bind(std::string& error) {
  if (g_library) return true;
  // Only the copy beside the program is taken, never one found elsewhere on
  // the search path.
  char path[MAX_PATH * 2] = {};
  DWORD len = ::GetModuleFileNameA(nullptr, path, sizeof path);
  std::string dir(path, len);
  size_t slash = dir.find_last_of("\\/");
  dir = slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
  std::string file = dir + "QuillonL.dll";
  HMODULE lib = ::LoadLibraryA(file.c_str());
  if (!lib) {
    error = "The dialog library \"" + file + "\" could not be loaded (error " + std::to_string(::GetLastError()) +
            ").";
    return false;
  }
  auto about = Entry<AboutFn>(lib, 4);
  auto preferences = Entry<PreferencesFn>(lib, 5);
  auto insertString = Entry<InsertStringFn>(lib, 6);
  auto gotoLine = Entry<GotoLineFn>(lib, 7);
  if (!about || !preferences || !insertString || !gotoLine) {
    ::FreeLibrary(lib);
    error = "The dialog library \"" + file + "\" lacks one of its entries 4 to 7.";
    return false;
  }
  g_library = lib;
  g_about = about;
  g_preferences = preferences;
  g_insertString = insertString;
  g_gotoLine = gotoLine;
  return true;
}

bool Bound() { return g_library != nullptr; }

void AboutDialog(HWND app, HICON icon) {
  Require(g_about);
  g_about(app, icon);
}

WordBool PreferencesDialog(HWND app) {
  Require(g_preferences);
  return g_preferences(app);
}

WordBool InsertStringDialog(HWND app, char** buffer, WordBool* selectedLines, WordBool* atLineStart) {
  Require(g_insertString);
  return g_insertString(app, buffer, selectedLines, atLineStart);
}

std::int32_t GotoLineDialog(HWND app, std::int32_t lineCount, std::int32_t currentLine) {
  Require(g_gotoLine);
  return g_gotoLine(app, lineCount, currentLine);
}

}  // namespace dialoglib
