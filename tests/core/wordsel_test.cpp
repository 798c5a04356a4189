#include "core/wordsel.h"

#include <gtest/gtest.h>

#include <string>

namespace core {
namespace {

TEST(WordSelection, FromTheWordsStartToBeforeTheNextWord) {
  struct Case {
    const char* text;
    std::size_t pos;
    const char* selected;
    std::size_t next;  // where the following word begins
  } cases[] = {
      {"alpha beta gamma", 7, "beta", 11},
      {"alpha beta gamma", 6, "beta", 11},     // at the word's first character
      {"alpha beta gamma", 10, "beta", 11},    // right after its last
      {"alpha beta gamma", 0, "alpha", 6},
      {"alpha beta gamma", 13, "gamma", 16},   // the last word keeps its last letter
      {"alpha beta gamma", 99, "gamma", 16},   // clamped to the end
      {"a   b", 0, "a  ", 4},                  // only the last blank is left out
      {"one\r\ntwo", 1, "one\r", 5},
      {"x, y", 0, "x,", 3},                    // punctuation belongs to the word
      {"", 0, "", 0},
      {"   ", 1, " ", 3},
  };
  for (const Case& c : cases) {
    std::string_view text = c.text;
    WordSpan s = WordSelection(text, c.pos);
    EXPECT_EQ(std::string(text.substr(s.start, s.next - s.start)), c.selected) << c.text << " @" << c.pos;
    EXPECT_EQ(WordAround(text, c.pos).next, c.next) << c.text << " @" << c.pos;
  }
}

}  // namespace
}  // namespace core
