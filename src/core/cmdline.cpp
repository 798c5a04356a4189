#include "core/cmdline.h"

namespace core {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Reads the argument starting at or after `pos`; false when only blanks remain.
bool NextArgument(std::string_view s, std::size_t& pos, std::string& arg) {
  while (pos < s.size() && IsBlank(s[pos])) ++pos;
  if (pos >= s.size()) return false;
  arg.clear();
  bool quoted = false;
  for (; pos < s.size(); ++pos) {
    const char c = s[pos];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && IsBlank(c)) {
      break;
    } else {
      arg.push_back(c);
    }
  }
  return true;
}

std::vector<std::string> SplitFrom(std::string_view s, std::size_t pos) {
  std::vector<std::string> result;
  std::string arg;
  while (NextArgument(s, pos, arg)) {
    if (!arg.empty()) result.push_back(arg);
  }
  return result;
}

}  // namespace

std::vector<std::string> SplitArguments(std::string_view args) { return SplitFrom(args, 0); }

std::vector<std::string> CommandLineArguments(std::string_view commandLine) {
  std::size_t pos = 0;
  std::string programName;
  NextArgument(commandLine, pos, programName);
  return SplitFrom(commandLine, pos);
}

}  // namespace core
