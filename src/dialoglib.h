// The sibling dialog library QuillonL.dll: bound at start, its four dialogs
// called by ordinal.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace dialoglib {

using WordBool = std::int16_t;

// The size of the buffer that InsertStringDialog fills (with the zero).
inline constexpr int kInsertStringBufferSize = 250;

// Loads the library from the program's folder and binds the four entries.
// On failure returns false and describes why in `error`.
bool Bind(std::string& error);
bool Bound();

void AboutDialog(HWND app, HICON icon);
WordBool PreferencesDialog(HWND app);
// buffer: the caller's 250-byte buffer, by reference.
WordBool InsertStringDialog(HWND app, char** buffer, WordBool* selectedLines, WordBool* atLineStart);
std::int32_t GotoLineDialog(HWND app, std::int32_t lineCount, std::int32_t currentLine);

}  // namespace dialoglib
