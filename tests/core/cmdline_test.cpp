#include "core/cmdline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace core {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, SplitsAtBlanksAndGroupsQuotedBlanks) {
  struct Case {
    const char* line;
    Args args;
  };
  const Case cases[] = {
      {"", {}},
      {"   \t ", {}},
      {"a.txt", {"a.txt"}},
      {"  a.txt   b.txt ", {"a.txt", "b.txt"}},
      {"a.txt\tb.txt", {"a.txt", "b.txt"}},
      {"\"C:\\My Files\\a b.txt\" c.txt", {"C:\\My Files\\a b.txt", "c.txt"}},
      {"\"C:\\My Files\"\\a.txt", {"C:\\My Files\\a.txt"}},
      {"x\"y z\"w", {"xy zw"}},
      {"\"C:\\dir with blank\\\" next", {"C:\\dir with blank\\", "next"}},
      {"\"unclosed quote  a.txt", {"unclosed quote  a.txt"}},
      {"\"\" a.txt \"\"", {"a.txt"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitArguments(c.line), c.args) << c.line;
}

TEST(CommandLine, WholeCommandLineSkipsProgramName) {
  EXPECT_EQ(CommandLineArguments("\"C:\\Program Files\\ql.exe\" a.txt \"b c.txt\""), (Args{"a.txt", "b c.txt"}));
  EXPECT_EQ(CommandLineArguments("ql.exe"), Args{});
  EXPECT_EQ(CommandLineArguments("\"\" a.txt"), Args{"a.txt"});
  EXPECT_EQ(CommandLineArguments(""), Args{});
}

}  // namespace
}  // namespace core
