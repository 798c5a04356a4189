#include "core/pagelayout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using core::LayOutPage;

// A page `width` characters wide, one character one unit.
core::RowFit Width(std::size_t width) {
  return [width](std::string_view row) { return std::min(row.size(), width); };
}

std::vector<std::string> Rows(std::string_view text, const core::PageLayout& page) {
  std::vector<std::string> out;
  for (const core::PageRow& r : page.rows) out.emplace_back(text.substr(r.from, r.to - r.from));
  return out;
}

struct Case {
  const char* name;
  std::string text;
  std::size_t from;
  int maxRows;
  std::size_t width;
  std::vector<std::string> rows;
  std::size_t next;
};

TEST(PageLayout, RowsAndWhereTheNextPageStarts) {
  const Case cases[] = {
      {"empty text", "", 0, 5, 10, {}, 0},
      {"lines that fit", "ab\rcd", 0, 5, 10, {"ab", "cd"}, 5},
      {"final line end takes no row", "ab\r", 0, 5, 10, {"ab"}, 3},
      {"empty lines take rows", "a\r\r\rb", 0, 5, 10, {"a", "", "", "b"}, 5},
      {"page full: next page starts after the line end", "a\rb\rc", 0, 2, 10, {"a", "b"}, 4},
      {"break after the last blank that fits", "one two three", 0, 5, 9, {"one two ", "three"}, 13},
      {"blanks at the break hang", "abcd   efg", 0, 5, 4, {"abcd   ", "efg"}, 10},
      {"a word wider than the page is cut", "abcdefghij", 0, 5, 4, {"abcd", "efgh", "ij"}, 10},
      {"a long line split across pages", "abcdefghij\rk", 0, 2, 4, {"abcd", "efgh"}, 8},
      {"continues from the middle of a line", "abcdefghij\rk", 8, 5, 4, {"ij", "k"}, 12},
      {"nothing fits: one character a row", "abc", 0, 5, 0, {"a", "b", "c"}, 3},
      {"no rows on the page", "abc", 0, 0, 10, {}, 0},
      {"tab counts as a blank", "ab\tcd ef", 0, 5, 4, {"ab\t", "cd ", "ef"}, 8},
  };
  for (const Case& c : cases) {
    core::PageLayout page = LayOutPage(c.text, c.from, c.maxRows, Width(c.width));
    EXPECT_EQ(Rows(c.text, page), c.rows) << c.name;
    EXPECT_EQ(page.next, c.next) << c.name;
  }
}

TEST(PageLayout, PagesTogetherHoldEveryCharacterOnce) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += std::string(static_cast<size_t>(i % 37), 'x') + " y z\r" + (i % 5 ? "" : "\r");
  text += std::string(5000, 'q');  // a last line longer than a page
  std::string seen;
  std::size_t at = 0;
  int pages = 0;
  while (at < text.size()) {
    core::PageLayout page = LayOutPage(text, at, 17, Width(23));
    ASSERT_GT(page.next, at);
    for (const core::PageRow& r : page.rows) {
      EXPECT_LE(r.to - r.from, 23u + 1u);  // a hanging blank at most
      seen.append(text, r.from, r.to - r.from);
    }
    at = page.next;
    ++pages;
  }
  std::string expected;
  for (char c : text)
    if (c != '\r') expected += c;
  EXPECT_EQ(seen, expected);
  EXPECT_GT(pages, 5000 / (17 * 23));
}

}  // namespace
