// The text operations as commands on a document: Find Next, Replace,
// Replace All, the space clean-ups, HTML tag removal and case conversion.
// Find Next and Replace search the document's text where it lies. Replace
// All reads it where it lies too, through views, builds the new bytes of the
// span that changes once and hands them to the document in one replacement;
// case conversion, a byte for a byte, converts its span where it lies. The
// clean-ups and tag removal run the algorithm of
// core/textops over one copy of the text. All of them follow the
// long-operation convention (a few milliseconds for 10 MB, against seconds
// for a million replacements made one by one in the document) and write
// back only the span that changed.
#pragma once

#include <windows.h>

#include <string>

class TSRichEdit;
namespace tk {
class StatusBar;
}

namespace textops {

struct Target {
  TSRichEdit& edi;
  tk::StatusBar* bar;    // the frame's status bar (may be null)
  bool showOperations;   // keep the text visible while a command runs
  HWND owner;            // owner of the message boxes
};

// The find and replace dialogs' options (FR_MATCHCASE, FR_WHOLEWORD).
void FindNext(const Target& t, const std::string& what, DWORD options);
void Replace(const Target& t, const std::string& what, const std::string& with, DWORD options);
void ReplaceAll(const Target& t, const std::string& what, const std::string& with, DWORD options);

void RemoveDoubleSpaces(const Target& t);
void RemoveUnnecessarySpaces(const Target& t);
void RemoveHtmlTags(const Target& t);
void UpcaseSelection(const Target& t);
void LowcaseSelection(const Target& t);

}  // namespace textops
