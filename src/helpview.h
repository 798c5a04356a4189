// The help contents: the WinHelp file when it is there, else the help text
// built into the program, in a window of its own.
#pragma once

#include <windows.h>

void ShowHelpContents(HWND owner);
// A topic of the program's help file (WinHelp `command` with `data`): through
// the help seam, else the file where it stands beside the program. False
// when neither showed it.
bool ShowHelpTopic(HWND owner, UINT command, ULONG_PTR data);
// The help window, while it is open (for the tests).
HWND HelpWindow();
