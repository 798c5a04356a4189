// The help contents: the WinHelp file when it is there, else the help text
// built into the program, in a window of its own.
#pragma once

#include <windows.h>

void ShowHelpContents(HWND owner);
// The help window, while it is open (for the tests).
HWND HelpWindow();
