// Splitting a command line into the file names it holds.
//
// Arguments are separated by blanks (space, tab and the other white-space
// controls CR, LF, VT, FF). A double quote starts or ends a quoted stretch in
// which blanks belong to the argument; the quotes themselves are removed
// wherever they stand, so  "C:\My Files"\a.txt  is  C:\My Files\a.txt.
// Backslashes are ordinary characters (no escaping, so a quoted folder
// ending in "\" keeps it). A quote that is never closed runs to the end of
// the line. Empty arguments (such as "") name no file and are left out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace core {

// The arguments of an argument string (without the program's name).
std::vector<std::string> SplitArguments(std::string_view args);

// The arguments of a whole command line as the platform reports it, the
// program's name first: that first argument is skipped (even when it is
// empty) and the rest are split as SplitArguments does.
std::vector<std::string> CommandLineArguments(std::string_view commandLine);

}  // namespace core
