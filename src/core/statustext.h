// Texts of the status bar panels and of the document messages.
//
// Texts that carry a file name are joined, never formatted, so a name
// holding '%' is shown as it is. The hints and progress texts of the long
// commands ("Press <ESC> to cancel", "Working...", "(Line 4) Working...")
// live with the text operations in core/textops/textops.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/textfile.h"

namespace core {

inline constexpr std::string_view kModifiedText = "Modified";
inline constexpr std::string_view kInitializeText = "Initialize...";
inline constexpr std::string_view kClosingAllText = "Closing all dokuments";
inline constexpr std::string_view kConvertingUnixText = "Converting file to UNIX";
inline constexpr std::string_view kConvertingMacText = "Converting file to Mac";

// Panel 0 caret report from the 0-based caret line and column:
// "Line: 1 Pos: 1" for a caret before the first character.
std::string CaretPositionText(std::int64_t caretLine, std::int64_t caretColumn);

// Panel 1: "Modified" or empty.
std::string_view ModifiedPanelText(bool modified);

// Panel 2: "12 chars selected." for a selection above 0, empty otherwise.
std::string SelectionSizeText(std::int64_t selectionLength);

// Panel 2 while a file is handled, with the file-name part of `path`
// ("Loading " alone for a new document).
std::string LoadingText(std::string_view path);
std::string SavingText(std::string_view path);
std::string InsertingText(std::string_view path);

// Panel 2 while a UNIX or Mac file is written; empty for DOS.
std::string_view ConvertingText(TextFormat format);

// Error box text for a name that is no existing file, with the bare name.
std::string FileNotFoundText(std::string_view path);

// Close question of a modified document; `fileName` is the full path, empty
// for an untitled document.
std::string SaveModificationsQuestion(std::string_view fileName);

}  // namespace core
