#include "core/lineinsert.h"

#include <gtest/gtest.h>

#include <string>

namespace core {
namespace {

// "aa" 0-1, CR LF 2-3, "bb" 4-5, CR LF 6-7, "cc" 8-9.
constexpr std::string_view kThree = "aa\r\nbb\r\ncc";

TEST(StringCommandLines, WhichLinesAreTouched) {
  struct Case {
    const char* name;
    std::string_view text;
    bool selectedOnly;
    std::size_t selStart, selLength;
    std::size_t first, count;
  };
  const Case cases[] = {
      {"all lines", kThree, false, 5, 0, 0, 3},
      {"all lines, final line end adds no line", "a\r\nb\r\n", false, 0, 0, 0, 2},
      {"all lines, empty lines count", "a\r\n\r\nb", false, 0, 0, 0, 3},
      {"all lines of empty text", "", false, 0, 0, 0, 0},
      {"caret in line 1", kThree, true, 5, 0, 1, 1},
      {"caret at start of line 1", kThree, true, 4, 0, 1, 1},
      {"caret at end of line 1", kThree, true, 6, 0, 1, 1},
      {"caret at end of last line", kThree, true, 10, 0, 2, 1},
      {"mid first line to start of third", kThree, true, 1, 7, 0, 3},
      {"mid first line to end of second", kThree, true, 1, 5, 0, 2},
      {"selection ending inside CR LF", kThree, true, 0, 3, 0, 1},
      {"select all, final line end", "a\r\nb\r\n", true, 0, 6, 0, 2},
      {"caret after final line end", "a\r\nb\r\n", true, 6, 0, 0, 0},
      {"caret in empty text", "", true, 0, 0, 0, 0},
      {"LF-only text", "a\nb\nc", true, 2, 2, 1, 2},
      {"CR-only text", "a\rb\rc", true, 0, 2, 0, 2},
      {"selection past the end", kThree, true, 5, 100, 1, 2},
  };
  for (const Case& c : cases) {
    const LineRange r = StringCommandLines(c.text, c.selectedOnly, c.selStart, c.selLength);
    EXPECT_EQ(r.count, c.count) << c.name;
    if (c.count != 0) {
      EXPECT_EQ(r.first, c.first) << c.name;
    }
  }
}

TEST(InsertStringOnLines, TextAndCaret) {
  struct Case {
    std::string_view text, insert;
    bool atStart, selectedOnly;
    std::size_t selStart, selLength;
    std::string_view result;
    std::size_t caret;
  };
  const Case cases[] = {
      {kThree, "> ", true, false, 0, 0, "> aa\r\n> bb\r\n> cc", 14},
      {kThree, ";", false, false, 0, 0, "aa;\r\nbb;\r\ncc;", 13},
      {"a\r\n\r\nb\r\n", "X", true, false, 0, 0, "Xa\r\nX\r\nXb\r\n", 8},
      {kThree, "#", true, true, 1, 7, "#aa\r\n#bb\r\n#cc", 11},
      {kThree, "#", false, true, 5, 0, "aa\r\nbb#\r\ncc", 7},
      {"a\r\nb\r\n", "#", true, true, 6, 0, "a\r\nb\r\n", 6},  // nothing touched: caret stays
      {"", "#", true, false, 0, 0, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
    InsertStringRequest req{c.insert, c.atStart, c.selectedOnly, c.selStart, c.selLength};
    const InsertStringResult r = InsertStringOnLines(c.text, req);
    EXPECT_EQ(r.text, c.result);
    EXPECT_EQ(r.caret, c.caret);
    EXPECT_FALSE(r.cancelled);
  }
}

TEST(InsertStringOnLines, StepsMirrorTheTextAndCancelKeepsWorkDone) {
  const std::string text = "l0\r\nl1\r\nl2\r\nl3\r\n";
  std::string mirror = text;  // what a control receiving each step would hold
  std::vector<std::size_t> lines;
  InsertStringRequest req{"--", false, false, 0, 0};
  const InsertStringResult r = InsertStringOnLines(text, req, [&](const LineStep& s) {
    mirror.insert(s.position, "--");
    lines.push_back(s.line);
    return lines.size() < 2;  // Escape after the second line
  });
  EXPECT_TRUE(r.cancelled);
  EXPECT_EQ(r.linesChanged, 2u);
  EXPECT_EQ(r.text, "l0--\r\nl1--\r\nl2\r\nl3\r\n");
  EXPECT_EQ(mirror, r.text);
  EXPECT_EQ(lines, (std::vector<std::size_t>{0, 1}));
  EXPECT_EQ(r.caret, 10u);

  // A stop at the last line is no cancel.
  const InsertStringResult all = InsertStringOnLines("a\r\nb", req, [](const LineStep& s) { return s.line == 0; });
  EXPECT_FALSE(all.cancelled);
  EXPECT_EQ(all.text, "a--\r\nb--");
}

}  // namespace
}  // namespace core
