// Forward search, Find Next, Replace and Replace All.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/textops/textops.h"

namespace core {
namespace {

std::string Bytes(std::initializer_list<int> codes) {
  std::string s;
  for (int c : codes) s += static_cast<char>(c);
  return s;
}

// The changed span, applied to the old text, must give the new text.
void ExpectSpanRebuilds(const std::string& before, const std::string& after, const TextSpan& span) {
  if (span.empty()) {
    EXPECT_EQ(before, after);
    return;
  }
  const std::string rebuilt = before.substr(0, span.offset) + after.substr(span.offset, span.newLength) +
                              before.substr(span.offset + span.oldLength);
  EXPECT_EQ(rebuilt, after);
}

TEST(TextOpsBytes, FoldingAndWordBytesFollowWindows1252Letters) {
  struct Case { int c, folded; bool word; };
  const Case cases[] = {
      {'A', 'a', true},  {'z', 'z', true},  {'5', '5', true},   {'_', '_', false},
      {' ', ' ', false}, {'-', '-', false}, {0xC4, 0xE4, true}, {0xE4, 0xE4, true},   // A/a umlaut
      {0xD7, 0xD7, false}, {0xF7, 0xF7, false},                                        // x and / signs
      {0xDF, 0xDF, true},  {0xDE, 0xFE, true}, {0x8A, 0x9A, true}, {0x9F, 0xFF, true}, // sharp s, thorn, S caron, Y diaeresis
      {0xA0, 0xA0, false}, {0xB5, 0xB5, true}, {0x00, 0x00, false}, {0xFF, 0xFF, true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.c);
    EXPECT_EQ(FoldByte(static_cast<unsigned char>(k.c)), k.folded);
    EXPECT_EQ(IsWordByte(static_cast<unsigned char>(k.c)), k.word);
  }
}

TEST(TextOpsFindForward, TableOfCases) {
  struct Case {
    std::string text, what;
    TextPos start, end;
    FindOptions opt;
    TextPos expected;
  };
  const FindOptions plain{}, cased{true, false}, word{false, true};
  const Case cases[] = {
      {"a a a", "a", 0, 5, plain, 0},
      {"a a a", "a", 1, 5, plain, 2},
      {"a a a", "a", 5, 5, plain, -1},
      {"concat cat", "cat", 0, 10, word, 7},
      {"concat cat", "cat", 0, 10, plain, 3},
      {"cats cat_ cat", "cat", 0, 13, word, 5},        // "_" separates words
      {"concat", "cat", 3, 6, word, -1},                // the real neighbour counts
      {"xCaT", "Cat", 0, 4, plain, 1},
      {"xCaT", "Cat", 0, 4, cased, -1},
      {Bytes({0xC4, 'r', 'g', 'e', 'r'}), Bytes({0xE4, 'R', 'G'}), 0, 5, plain, 0},
      {Bytes({0xC4, 'r', 'g', 'e', 'r'}), Bytes({0xE4, 'R', 'G'}), 0, 5, cased, -1},
      {Bytes({'s', 0xDF}), "SS", 0, 2, plain, -1},     // the sharp s is no "ss"
      {Bytes({'a', 0xE4, 'x', ' ', 'x'}), "x", 0, 5, word, 4},  // umlaut is a letter
      {"x -a- y", "-a-", 0, 7, word, 2},                // non-word edges need no boundary
      {"b-a-", "-a-", 0, 4, word, 1},
      {"abc", "abcd", 0, 3, plain, -1},                 // longer than the text
      {"abc", "", 0, 3, plain, -1},                     // empty find text
      {"", "a", 0, 0, plain, -1},
      {"abcabc", "abc", 1, 5, plain, -1},               // must lie wholly in the range
      {"abcabc", "abc", -7, 99, plain, 0},              // range clamped
      {"abcabc", "bc", 4, 2, plain, -1},                // start after end
      {std::string("a\0b\0b", 5), std::string("\0b", 2), 2, 5, plain, 3},
      {"aaaaaaaaab", "aaab", 0, 10, plain, 6},
      {"AAAAAAAAAB", "aaab", 0, 10, plain, 6},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.text + " / " + k.what);
    EXPECT_EQ(FindForward(k.text, k.what, k.start, k.end, k.opt), k.expected);
  }
}

TEST(TextOpsFindNext, StepsThroughHitsThenReportsNoOtherItems) {
  const std::string text = "a a a";
  Selection sel{0, 0};
  for (TextPos expected : {0, 2, 4}) {
    const TextOpResult r = FindNext(text, sel, "a", {});
    EXPECT_EQ(r.selection, (Selection{expected, 1}));
    EXPECT_EQ(r.beeps, 0);
    EXPECT_TRUE(r.message.empty());
    sel = r.selection;
  }
  const TextOpResult miss = FindNext(text, sel, "a", {});
  EXPECT_EQ(miss.selection, sel);
  EXPECT_EQ(miss.beeps, 2);
  EXPECT_EQ(miss.message, "No other items found!");
}

TEST(TextOpsFindNext, MissesReportTwoBeepsAndLeaveTheSelection) {
  struct Case { std::string text, what; Selection sel; };
  const Case cases[] = {
      {"abc", "a", {3, 0}},      // caret at the end
      {"", "a", {0, 0}},
      {"abc", "", {0, 0}},
      {"abcd", "bc", {1, 2}},    // searching starts behind the selection
      {"\r\n\r\n", "x", {0, 4}},
  };
  for (const Case& k : cases) {
    const TextOpResult r = FindNext(k.text, k.sel, k.what, {});
    EXPECT_EQ(r.selection, k.sel);
    EXPECT_EQ(r.beeps, 2);
    EXPECT_EQ(r.message, kNoOtherItemsFound);
  }
}

TEST(TextOpsReplace, ReplaceAfterFindNextSkipsTheSelectedHit) {
  std::string text = "cat cat cat";
  const TextOpResult found = FindNext(text, {0, 0}, "cat", {});
  ASSERT_EQ(found.selection, (Selection{0, 3}));
  const TextOpResult r = ReplaceNext(text, found.selection, "cat", "dog", {});
  EXPECT_EQ(text, "cat dog cat");
  EXPECT_EQ(r.selection, (Selection{4, 3}));
  EXPECT_EQ(r.span, (TextSpan{4, 3, 3}));
  EXPECT_EQ(r.beeps, 0);

  std::string none = "cat";
  const TextOpResult miss = ReplaceNext(none, {0, 3}, "cat", "dog", {});
  EXPECT_EQ(none, "cat");
  EXPECT_TRUE(miss.span.empty());
  EXPECT_EQ(miss.beeps, 2);
  EXPECT_EQ(miss.message, kNoOtherItemsFound);
}

TEST(TextOpsReplace, EmptyReplaceTextLeavesACaretWhereTheHitWas) {
  std::string text = "xabx";
  const TextOpResult r = ReplaceNext(text, {0, 0}, "ab", "", {});
  EXPECT_EQ(text, "xx");
  EXPECT_EQ(r.selection, (Selection{1, 0}));
}

TEST(TextOpsReplaceAll, TableOfCases) {
  struct Case {
    std::string text;
    Selection sel;
    std::string what, with;
    FindOptions opt;
    std::string expected;
    int count;
    Selection finalSel;
  };
  const Case cases[] = {
      {"a a a", {0, 0}, "a", "b", {}, "b b b", 3, {4, 1}},
      {"a a", {0, 0}, "a", "aa", {}, "aa aa", 2, {3, 2}},
      {"aaa", {0, 0}, "a", "", {}, "", 3, {0, 0}},
      {"xaxax", {0, 0}, "a", "", {}, "xxx", 2, {2, 0}},
      {"a a a", {1, 1}, "a", "b", {}, "a b b", 2, {4, 1}},         // only behind the selection
      {"a a a", {5, 0}, "a", "b", {}, "a a a", 0, {5, 0}},
      {"concat cat", {0, 0}, "cat", "dog", {true, true}, "concat dog", 1, {7, 3}},
      {"Cat cAT", {0, 0}, "cat", "x", {}, "x x", 2, {2, 1}},
      {"Cat cAT", {0, 0}, "cat", "x", {true, false}, "Cat cAT", 0, {0, 0}},
      {"", {0, 0}, "a", "b", {}, "", 0, {0, 0}},
      {"abc", {0, 0}, "", "b", {}, "abc", 0, {0, 0}},
      {"ab", {0, 0}, "abc", "b", {}, "ab", 0, {0, 0}},
      {"\r\n\r\n", {0, 0}, "\r\n", "\n", {}, "\n\n", 2, {1, 1}},
      // Whole word judged on the text as rewritten: after "a-" became "b",
      // the next "a-" follows the letter b and is no whole word any more.
      {"a-a-", {0, 0}, "a-", "b", {false, true}, "ba-", 1, {0, 1}},
      // ...and a deletion can make a hit whole that was not.
      {"xa a", {0, 0}, "x", "", {false, true}, "xa a", 0, {0, 0}},
      {"-xa", {0, 0}, "-x", "", {false, true}, "-xa", 0, {0, 0}},
      {"a-a", {0, 0}, "a-", "", {false, true}, "a", 1, {0, 0}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.text + " / " + k.what + " -> " + k.with);
    std::string text = k.text;
    const TextOpResult r = ReplaceAll(text, k.sel, k.what, k.with, k.opt);
    EXPECT_EQ(text, k.expected);
    EXPECT_EQ(r.count, k.count);
    EXPECT_EQ(r.selection, k.finalSel);
    EXPECT_EQ(r.beeps, 1);
    EXPECT_EQ(r.message, ItemsReplacedText(k.count));
    EXPECT_FALSE(r.cancelled);
    ExpectSpanRebuilds(k.text, text, r.span);
  }
  EXPECT_EQ(ItemsReplacedText(3), "3 items replaced.");
}

TEST(TextOpsReplaceAll, CancelAfterStepKKeepsTheReplacementsMade) {
  for (int k = 1; k <= 4; ++k) {
    std::string text = "a.a.a.a.a";
    int calls = 0;
    const TextOpResult r = ReplaceAll(text, {0, 0}, "a", "bb", {}, [&](const StepReport& s) {
      ++calls;
      EXPECT_EQ(s.step, calls);
      EXPECT_EQ(s.count, calls);
      EXPECT_TRUE(s.progress.empty());
      return s.step == k ? StepVerdict::Cancel : StepVerdict::Continue;
    });
    std::string expected;
    for (int i = 0; i < 5; ++i) expected += std::string(i < k ? "bb" : "a") + (i < 4 ? "." : "");
    EXPECT_EQ(text, expected);
    EXPECT_EQ(calls, k);
    EXPECT_EQ(r.count, k);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.beeps, 0);
    EXPECT_EQ(r.selection, (Selection{3 * (k - 1), 2}));
    EXPECT_EQ(r.message, ItemsReplacedText(k));
    ExpectSpanRebuilds("a.a.a.a.a", text, r.span);
  }
}

// The command done literally as the dialog drives the control: search the
// live text, replace in it, select the insertion, search again behind it.
struct LiteralReplaceAll {
  std::string text;
  Selection sel;
  int count = 0;
  bool cancelled = false;

  static bool Matches(const std::string& t, const std::string& w, std::size_t p, FindOptions o) {
    for (std::size_t i = 0; i < w.size(); ++i) {
      auto a = static_cast<unsigned char>(t[p + i]), b = static_cast<unsigned char>(w[i]);
      if (o.matchCase ? a != b : FoldByte(a) != FoldByte(b)) return false;
    }
    if (!o.wholeWord) return true;
    auto word = [](char c) { return IsWordByte(static_cast<unsigned char>(c)); };
    if (word(w.front()) && p > 0 && word(t[p - 1])) return false;
    if (word(w.back()) && p + w.size() < t.size() && word(t[p + w.size()])) return false;
    return true;
  }
  void Run(const std::string& what, const std::string& with, FindOptions o, int cancelAt) {
    for (;;) {
      TextPos r = -1;
      for (std::size_t p = static_cast<std::size_t>(sel.start + sel.length);
           !what.empty() && p + what.size() <= text.size(); ++p)
        if (Matches(text, what, p, o)) { r = static_cast<TextPos>(p); break; }
      if (r < 0) return;
      text.replace(static_cast<std::size_t>(r), what.size(), with);
      sel = {r, static_cast<TextPos>(with.size())};
      if (++count == cancelAt) { cancelled = true; return; }
    }
  }
};

TEST(TextOpsReplaceAll, AgreesWithTheLiteralCommandOnRandomTexts) {
  std::mt19937 rng(7);
  const std::string alphabet = std::string("aAb -_\r\n") + char(0xE4) + char(0xC4);
  const std::vector<std::string> finds = {"a", "ab", "a ", "-a", std::string(1, char(0xE4)), "aa", "A-"};
  const std::vector<std::string> withs = {"", "a", "ab", "b", "aa", "-", "x a"};
  for (int round = 0; round < 3000; ++round) {
    std::string doc;
    for (int n = rng() % 24; n > 0; --n) doc += alphabet[rng() % alphabet.size()];
    const std::string what = finds[rng() % finds.size()], with = withs[rng() % withs.size()];
    const FindOptions opt{rng() % 2 == 0, rng() % 2 == 0};
    const auto start = static_cast<TextPos>(rng() % (doc.size() + 1));
    const Selection sel{start, static_cast<TextPos>(rng() % (doc.size() - start + 1))};
    const int cancelAt = static_cast<int>(rng() % 5);  // 0: never

    LiteralReplaceAll model{doc, sel};
    model.Run(what, with, opt, cancelAt);
    std::string text = doc;
    const TextOpResult r = ReplaceAll(text, sel, what, with, opt, [&](const StepReport& s) {
      return s.step == cancelAt ? StepVerdict::Cancel : StepVerdict::Continue;
    });
    SCOPED_TRACE("doc=[" + doc + "] what=[" + what + "] with=[" + with + "]");
    ASSERT_EQ(text, model.text);
    ASSERT_EQ(r.selection, model.sel);
    ASSERT_EQ(r.count, model.count);
    ASSERT_EQ(r.cancelled, model.cancelled);
    ASSERT_EQ(r.beeps, model.cancelled ? 0 : 1);
    ExpectSpanRebuilds(doc, text, r.span);
  }
}

// A text read through small views, each a fresh copy (the former view's
// bytes overwritten), as a text model in many pieces gives it: Replace All
// over it gives the result of the whole-text command, whatever the view size.
TEST(TextOpsReplaceAll, ReadThroughSmallViewsAgreesWithTheWholeText) {
  std::mt19937 rng(11);
  const std::string alphabet = std::string("aAb -_\r") + char(0xE4);
  const std::vector<std::string> finds = {"a", "ab", "a ", "-a", "aa", "A-", "aba"};
  const std::vector<std::string> withs = {"", "a", "ab", "b", "-", "x a"};
  for (int round = 0; round < 3000; ++round) {
    std::string doc;
    for (int n = rng() % 30; n > 0; --n) doc += alphabet[rng() % alphabet.size()];
    const std::string what = finds[rng() % finds.size()], with = withs[rng() % withs.size()];
    const FindOptions opt{rng() % 2 == 0, rng() % 2 == 0};
    const auto start = static_cast<TextPos>(rng() % (doc.size() + 1));
    const Selection sel{start, static_cast<TextPos>(rng() % (doc.size() - start + 1))};
    const int cancelAt = static_cast<int>(rng() % 5);  // 0: never
    const std::size_t window = 1 + rng() % 6;
    const auto step = [&](const StepReport& s) { return s.step == cancelAt ? StepVerdict::Cancel : StepVerdict::Continue; };

    std::string whole = doc;
    const TextOpResult want = ReplaceAll(whole, sel, what, with, opt, step);
    const TextReader read = [&doc](TextPos from, TextPos to, std::string& scratch) {
      EXPECT_LE(0, from);
      EXPECT_LE(from, to);
      EXPECT_LE(to, static_cast<TextPos>(doc.size()));
      scratch.assign(scratch.size(), '#');
      scratch = doc.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
      return std::string_view(scratch);
    };
    std::string out = "stale";
    const TextOpResult got =
        ReplaceAllIn(static_cast<TextPos>(doc.size()), read, sel, what, with, opt, step, out, window);
    SCOPED_TRACE("doc=[" + doc + "] what=[" + what + "] with=[" + with + "] window " + std::to_string(window));
    ASSERT_EQ(got.span, want.span);
    ASSERT_EQ(got.selection, want.selection);
    ASSERT_EQ(got.count, want.count);
    ASSERT_EQ(got.beeps, want.beeps);
    ASSERT_EQ(got.cancelled, want.cancelled);
    std::string rebuilt = doc;
    rebuilt.replace(static_cast<std::size_t>(got.span.offset), static_cast<std::size_t>(got.span.oldLength), out);
    ASSERT_EQ(rebuilt, whole);
    ASSERT_EQ(out.size(), static_cast<std::size_t>(got.span.newLength));
  }
}

}  // namespace
}  // namespace core
