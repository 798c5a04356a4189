// The text operations as commands on a document's editing control: Find
// Next, Replace, Replace All, the space clean-ups, HTML tag removal and case
// conversion. Each reads the control's text once, runs the algorithm of
// core/textops over it under the long-operation convention, and writes back
// only what changed.
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

// A change larger than this is written back by replacing the whole text in
// one stream rather than by replacing a range inside the control.
inline constexpr long long kWholeTextThreshold = 64 * 1024;

}  // namespace textops
