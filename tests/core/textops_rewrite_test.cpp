// Double spaces, unnecessary blanks, HTML tags and case conversion.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/textops/textops.h"

namespace core {
namespace {

using Command = std::function<TextOpResult(std::string&, Selection, const StepCallback&)>;
const Command kDoubleSpaces = [](std::string& t, Selection s, const StepCallback& cb) {
  return RemoveDoubleSpaces(t, s, cb);
};
const Command kUnnecessary = [](std::string& t, Selection s, const StepCallback& cb) {
  return RemoveUnnecessarySpaces(t, s, cb);
};

void ExpectSpanRebuilds(const std::string& before, const std::string& after, const TextSpan& span) {
  if (span.empty()) {
    EXPECT_EQ(before, after);
    return;
  }
  EXPECT_EQ(before.substr(0, span.offset) + after.substr(span.offset, span.newLength) +
                before.substr(span.offset + span.oldLength),
            after);
}

struct CommandRun {
  std::string text;
  TextOpResult result;
  std::vector<std::string> progress;
};

CommandRun RunCommand(const Command& cmd, std::string text, Selection sel, int cancelAt = 0) {
  CommandRun run;
  const std::string before = text;
  run.result = cmd(text, sel, [&](const StepReport& s) {
    run.progress.emplace_back(s.progress);
    return s.step == cancelAt ? StepVerdict::Cancel : StepVerdict::Continue;
  });
  ExpectSpanRebuilds(before, text, run.result.span);
  run.text = text;
  return run;
}

TEST(TextOpsDoubleSpaces, RunsLoseTheirSpacesTwoAtATime) {
  struct Case { std::string text, expected; };
  const std::string longTail = std::string(5000, 'x') + "    y";
  const Case cases[] = {
      {"a  b", "ab"},
      {"a   b", "a b"},
      {"a    b", "ab"},
      {"a     b", "a b"},
      {"  ", ""},
      {"   a  ", " a"},
      {"a \t b", "a \t b"},                    // tab between single spaces: untouched
      {"a\t\tb", "a\t\tb"},
      {"a b  c\r\n  d\r\ne   f", "a bc\r\nd\r\ne f"},
      {"a \n b  \r c", "a \n b\r c"},           // LF and CR line ends
      {"a \r\n b", "a \r\n b"},                 // a line end splits a run
      {"", ""},
      {"\r\n\r\n", "\r\n\r\n"},
      {std::string("a  \xA0  b"), std::string("a\xA0") + "b"},
      {longTail, std::string(5000, 'x') + "y"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.text);
    EXPECT_EQ(RunCommand(kDoubleSpaces, k.text, {0, 0}).text, k.expected);
  }
}

TEST(TextOpsUnnecessarySpaces, TrimsCodesUpTo32AtBothEndsOfEveryLine) {
  struct Case { std::string text, expected; };
  const Case cases[] = {
      {"\t\ta  b \t ", "a  b"},
      {std::string("x\xA0"), std::string("x\xA0")},                  // non-breaking space stays
      {std::string("\xA0 x "), std::string("\xA0 x")},
      {std::string(" \x01\x1F x\x00 ", 7), "x"},                     // control codes, 0 included
      {"  \t  \r\n x \r\ny", "\r\nx\r\ny"},                           // blank line stays a line
      {" a \n b \r c ", "a\nb\rc"},
      {" a \r\n", "a\r\n"},                                          // final line end kept
      {"", ""},
      {"\r\n\n\r", "\r\n\n\r"},
      {" " + std::string(6000, 'q') + " ", std::string(6000, 'q')},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.text);
    EXPECT_EQ(RunCommand(kUnnecessary, k.text, {0, 0}).text, k.expected);
  }
}

TEST(TextOpsLineCommands, ProgressNamesTheCaretLineWhileEachLineIsWorked) {
  // Caret on line 3 before the command; Unnecessary writes every line, so
  // from the second line on it shows the previous line's number.
  const CommandRun trim = RunCommand(kUnnecessary, "a\r\nb\r\nc\r\nd", {9, 0});
  EXPECT_EQ(trim.progress, (std::vector<std::string>{"(Line 3) Working...", "(Line 0) Working...",
                                                     "(Line 1) Working...", "(Line 2) Working..."}));
  EXPECT_EQ(trim.result.selection, (Selection{10, 0}));

  // Double spaces writes only lines 1 and 3.
  const CommandRun pairs = RunCommand(kDoubleSpaces, "a\nb  c\nd\ne  f\ng", {6, 1});
  EXPECT_EQ(pairs.progress, (std::vector<std::string>{"(Line 1) Working...", "(Line 1) Working...",
                                                      "(Line 1) Working...", "(Line 1) Working...",
                                                      "(Line 3) Working..."}));
  EXPECT_EQ(pairs.text, "a\nbc\nd\nef\ng");
  EXPECT_EQ(pairs.result.selection, (Selection{9, 0}));
  EXPECT_EQ(pairs.result.steps, 5);
}

TEST(TextOpsLineCommands, NoLineWrittenKeepsTheSelection) {
  for (const Command* cmd : {&kDoubleSpaces, &kUnnecessary}) {
    const CommandRun empty = RunCommand(*cmd, "", {0, 0});
    EXPECT_EQ(empty.result.steps, 0);
    EXPECT_TRUE(empty.progress.empty());
    EXPECT_EQ(empty.result.selection, (Selection{0, 0}));
  }
  const CommandRun untouched = RunCommand(kDoubleSpaces, "a b\r\nc d", {2, 3});
  EXPECT_EQ(untouched.result.selection, (Selection{2, 3}));
  EXPECT_EQ(untouched.result.steps, 2);
  EXPECT_TRUE(untouched.result.span.empty());
}

TEST(TextOpsLineCommands, CancelAfterLineKKeepsThoseLinesAndLeavesTheRest) {
  const std::string doc = "  a  \r\n b  c \r\n  \r\n d   e\r\n  f  ";
  const char* trimmed[] = {"a", "b  c", "", "d   e", "f"};
  const char* paired[] = {"a", " bc ", "", " d e", "f"};
  const char* original[] = {"  a  ", " b  c ", "  ", " d   e", "  f  "};
  for (int k = 1; k <= 5; ++k) {
    for (const auto& [cmd, done] : {std::pair{&kUnnecessary, trimmed}, std::pair{&kDoubleSpaces, paired}}) {
      const CommandRun run = RunCommand(*cmd, doc, {0, 0}, k);
      std::string expected;
      TextPos caret = 0;
      for (int i = 0; i < 5; ++i) {
        expected += i < k ? done[i] : original[i];
        if (i < k) caret = static_cast<TextPos>(expected.size());
        if (i < 4) expected += "\r\n";
      }
      SCOPED_TRACE(k);
      EXPECT_EQ(run.text, expected);
      EXPECT_TRUE(run.result.cancelled);
      EXPECT_EQ(run.result.steps, k);
      EXPECT_EQ(run.result.selection, (Selection{caret, 0}));
    }
  }
}

// Each step tells how far the deleting commands are: what is finished plus
// the old text from `consumed` on is the text as it would stand if the
// command stopped there.
TEST(TextOpsProgress, FinishedAndConsumedGiveTheTextAfterEachStep) {
  const std::string doc = "  a  <b>x</b>\r\n b  c <i> \r\n  \r\n d   e\r\n  f  ";
  const Command kTags = [](std::string& t, Selection, const StepCallback& cb) { return RemoveHtmlTags(t, cb); };
  for (const Command* cmd : {&kDoubleSpaces, &kUnnecessary, &kTags}) {
    std::vector<std::string> told;
    std::string text = doc;
    (*cmd)(text, {0, 0}, [&](const StepReport& r) {
      EXPECT_GE(r.consumed, static_cast<TextPos>(r.finished.size()));
      told.push_back(std::string(r.finished) + doc.substr(static_cast<std::size_t>(r.consumed)));
      return StepVerdict::Continue;
    });
    ASSERT_FALSE(told.empty());
    for (std::size_t k = 0; k < told.size(); ++k) {
      SCOPED_TRACE(k);
      std::string stopped = doc;
      int steps = 0;
      (*cmd)(stopped, {0, 0}, [&](const StepReport&) {
        return ++steps == static_cast<int>(k) + 1 ? StepVerdict::Cancel : StepVerdict::Continue;
      });
      EXPECT_EQ(told[k], stopped);
    }
    EXPECT_EQ(told.back(), text);
  }
}

// The line commands done literally through a model of the control's line
// list (which always holds a last line, empty after a final line end): read line i, change it, write it back over the line's text, caret to
// the end of the written line.
struct LiteralLines {
  std::string text;
  Selection sel;
  std::vector<std::string> progress;

  struct Line { std::size_t start, end; };
  std::vector<Line> Lines() const {
    std::vector<Line> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '\r' && text[i] != '\n') continue;
      lines.push_back({start, i});
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
    lines.push_back({start, text.size()});  // the control always has a last line
    return lines;
  }
  TextPos CaretLine() const {
    TextPos k = -1;  // the last line starting at or before the caret
    for (const Line& l : Lines())
      if (static_cast<TextPos>(l.start) <= sel.start) ++k;
    return k;
  }
  void Write(std::size_t i, const std::string& s) {
    const Line l = Lines()[i];
    text.replace(l.start, l.end - l.start, s);
    sel = {static_cast<TextPos>(l.start + s.size()), 0};
  }
  void Run(bool trim, int cancelAt) {
    std::size_t n = Lines().size();  // less an empty last line, counted once
    if (Lines().back().start == text.size()) --n;
    for (std::size_t i = 0; i < n; ++i) {
      progress.push_back(LineProgressText(CaretLine()));
      auto read = [&] { const Line l = Lines()[i]; return text.substr(l.start, l.end - l.start); };
      if (trim) {
        std::string s = read();
        while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.erase(0, 1);
        while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.pop_back();
        Write(i, s);
      } else {
        for (std::string s = read(); s.find("  ") != std::string::npos; s = read())
          Write(i, s.erase(s.find("  "), 2));
      }
      if (static_cast<int>(i) + 1 == cancelAt) return;
    }
  }
};

TEST(TextOpsLineCommands, AgreeWithTheLiteralLineByLineCommandOnRandomTexts) {
  std::mt19937 rng(11);
  // One line-end form per text: a removal never brings a lone CR next to a
  // lone LF, which the live control would then read as one line end.
  const std::string alphabet = std::string("   a\t\x01\n") + char(0xA0);
  const char* lineEnds[] = {"\r\n", "\n", "\r"};
  for (int round = 0; round < 3000; ++round) {
    std::string doc;
    const char* lineEnd = lineEnds[rng() % 3];
    for (int n = rng() % 20; n > 0; --n) {
      const char c = alphabet[rng() % alphabet.size()];
      doc += c == '\n' ? std::string(lineEnd) : std::string(1, c);
    }
    const auto start = static_cast<TextPos>(rng() % (doc.size() + 1));
    const Selection sel{start, static_cast<TextPos>(rng() % (doc.size() - start + 1))};
    const int cancelAt = static_cast<int>(rng() % 5);
    const bool trim = rng() % 2 == 0;
    SCOPED_TRACE(testing::PrintToString(doc) + (trim ? " trim " : " pairs ") + std::to_string(sel.start));

    LiteralLines model{doc, sel, {}};
    model.Run(trim, cancelAt);
    const CommandRun run = RunCommand(trim ? kUnnecessary : kDoubleSpaces, doc, sel, cancelAt);
    ASSERT_EQ(run.text, model.text);
    ASSERT_EQ(run.result.selection, model.sel);
    ASSERT_EQ(run.progress, model.progress);
  }
}

TEST(TextOpsHtmlTags, TableOfCases) {
  struct Case { std::string text, expected; int count; TextPos caret; };
  const Case cases[] = {
      {"<b>Hello</b>", "Hello", 2, 5},
      {"a <b c", "a <b c", 0, 0},                        // "<" without ">" stays
      {"<i>x</i> a <b c", "x a <b c", 2, 1},
      {"a > b", "a > b", 0, 0},
      {"<x<y>z>", "z>", 1, 0},                           // nested brackets
      {"a<!-- b > c -->d", "a c -->d", 1, 1},            // comment ends at its first ">"
      {"one<b\r\nr>two", "onetwo", 1, 3},                // tag over a line break
      {"&amp; &#38;", "&amp; &#38;", 0, 0},
      {"<a><b><c>", "", 3, 0},                          // a "<" right after a removed tag
      {"", "", 0, 0},
      {"\r\n\r\n", "\r\n\r\n", 0, 0},
      {std::string("x\0<\0>y", 6), std::string("x\0y", 3), 1, 2},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.text);
    std::string text = k.text;
    std::vector<std::string> progress;
    const TextOpResult r = RemoveHtmlTags(text, [&](const StepReport& s) {
      progress.emplace_back(s.progress);
      EXPECT_EQ(s.count, s.step);
      return StepVerdict::Continue;
    });
    EXPECT_EQ(text, k.expected);
    EXPECT_EQ(r.count, k.count);
    EXPECT_EQ(r.selection, (Selection{k.caret, 0}));
    EXPECT_EQ(r.beeps, 1);
    ASSERT_EQ(progress.size(), static_cast<std::size_t>(k.count));
    if (k.count > 0) {
      EXPECT_EQ(progress.back(), TagsDeletedText(k.count));
    }
    ExpectSpanRebuilds(k.text, text, r.span);
  }
  EXPECT_EQ(TagsDeletedText(12), "12 Tags deleted.");
}

TEST(TextOpsHtmlTags, CancelAfterTagKKeepsTheRemovedTagsWithoutABeep) {
  const std::string doc = "<p>a<b>b</b>c<br>";
  const char* afterK[] = {"a<b>b</b>c<br>", "ab</b>c<br>", "abc<br>", "abc"};
  for (int k = 1; k <= 4; ++k) {
    std::string text = doc;
    const TextOpResult r = RemoveHtmlTags(text, [&](const StepReport& s) {
      return s.step == k ? StepVerdict::Cancel : StepVerdict::Continue;
    });
    SCOPED_TRACE(k);
    EXPECT_EQ(text, afterK[k - 1]);
    EXPECT_EQ(r.count, k);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.beeps, 0);
    EXPECT_EQ(r.selection, (Selection{static_cast<TextPos>(k == 1 ? 0 : k == 2 ? 1 : k == 3 ? 2 : 3), 0}));
    ExpectSpanRebuilds(doc, text, r.span);
  }
}

TEST(TextOpsHtmlTags, AgreesWithTheLiteralCommandOnRandomTexts) {
  std::mt19937 rng(5);
  const std::string alphabet = "<<>a\r\n ";
  for (int round = 0; round < 3000; ++round) {
    std::string doc;
    for (int n = rng() % 20; n > 0; --n) doc += alphabet[rng() % alphabet.size()];
    const int cancelAt = static_cast<int>(rng() % 4);
    // Literal: find "<" from the caret, ">" from there, delete, caret to p1.
    std::string model = doc;
    std::size_t caret = 0;
    int count = 0;
    for (;;) {
      const std::size_t p1 = model.find('<', caret);
      if (p1 == std::string::npos) break;
      const std::size_t p2 = model.find('>', p1);
      if (p2 == std::string::npos) break;
      model.erase(p1, p2 - p1 + 1);
      caret = p1;
      if (++count == cancelAt) break;
    }
    std::string text = doc;
    const TextOpResult r = RemoveHtmlTags(text, [&](const StepReport& s) {
      return s.step == cancelAt ? StepVerdict::Cancel : StepVerdict::Continue;
    });
    SCOPED_TRACE(testing::PrintToString(doc));
    ASSERT_EQ(text, model);
    ASSERT_EQ(r.count, count);
    ASSERT_EQ(r.selection, (Selection{static_cast<TextPos>(caret), 0}));
    ExpectSpanRebuilds(doc, text, r.span);
  }
}

TEST(TextOpsCase, OnlyTheUnaccentedLatinLettersChange) {
  // 0xE4 a umlaut, 0xC4 A umlaut, 0xDF sharp s, 0xE9 e acute, 0xFF y diaeresis.
  const std::string mixed = std::string("Stra\xDF" "e M\xC4") + "rz \xE4\xE9\xFF 1-2\r\nxY";
  struct Case { bool upper; std::string text; Selection sel; std::string expected; Selection after; };
  const Case cases[] = {
      {true, mixed, {0, static_cast<TextPos>(mixed.size())},
       std::string("STRA\xDF" "E M\xC4") + "RZ \xE4\xE9\xFF 1-2\r\nXY", {static_cast<TextPos>(mixed.size()), 0}},
      {false, mixed, {0, static_cast<TextPos>(mixed.size())},
       std::string("stra\xDF" "e m\xC4") + "rz \xE4\xE9\xFF 1-2\r\nxy", {static_cast<TextPos>(mixed.size()), 0}},
      {true, "abc def", {2, 3}, "abC Def", {5, 0}},
      {true, "abc", {1, 0}, "abc", {1, 0}},             // nothing selected
      {false, "ABC", {3, -2}, "Abc", {3, 0}},           // selected backward
      {true, "", {0, 0}, "", {0, 0}},
      {true, "12 ,.", {0, 5}, "12 ,.", {5, 0}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.text);
    std::string text = k.text;
    const TextOpResult r = k.upper ? UpcaseSelection(text, k.sel) : LowcaseSelection(text, k.sel);
    EXPECT_EQ(text, k.expected);
    EXPECT_EQ(r.selection, k.after);
    ExpectSpanRebuilds(k.text, text, r.span);
  }
}

// Case conversion over a text read through small copied views gives the
// whole-text result and names the same span.
TEST(TextOpsCase, ReadThroughSmallViewsAgreesWithTheWholeText) {
  std::mt19937 rng(5);
  const std::string alphabet = "aZ 1\rqM";
  for (int round = 0; round < 2000; ++round) {
    std::string doc;
    for (int n = rng() % 20; n > 0; --n) doc += alphabet[rng() % alphabet.size()];
    const auto start = static_cast<TextPos>(rng() % (doc.size() + 1));
    const Selection sel{start, static_cast<TextPos>(rng() % (doc.size() - start + 1))};
    const bool upper = rng() % 2 == 0;
    const std::size_t window = 1 + rng() % 5;
    std::string whole = doc;
    const TextOpResult want = upper ? UpcaseSelection(whole, sel) : LowcaseSelection(whole, sel);
    const TextReader read = [&doc](TextPos from, TextPos to, std::string& scratch) {
      scratch = doc.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
      return std::string_view(scratch);
    };
    const auto n = static_cast<TextPos>(doc.size());
    SCOPED_TRACE("doc=[" + doc + "] window " + std::to_string(window));
    // The span alone, converted where it lies, gives the same text.
    const TextOpResult span = upper ? UpcaseSpanIn(n, read, sel, window) : LowcaseSpanIn(n, read, sel, window);
    ASSERT_EQ(span.span, want.span);
    ASSERT_EQ(span.selection, want.selection);
    std::string inPlace = doc;
    (upper ? UpcaseBytes : LowcaseBytes)(inPlace.data() + span.span.offset, static_cast<std::size_t>(span.span.oldLength));
    ASSERT_EQ(inPlace, whole);
  }
  // Sixteen bytes at a time and the bytes after them, every byte value.
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  all += "az";
  std::string up = all, down = all;
  UpcaseBytes(up.data(), up.size());
  LowcaseBytes(down.data(), down.size());
  for (std::size_t i = 0; i < all.size(); ++i) {
    const auto c = static_cast<unsigned char>(all[i]);
    ASSERT_EQ(static_cast<unsigned char>(up[i]), c >= 'a' && c <= 'z' ? c - 32 : c) << i;
    ASSERT_EQ(static_cast<unsigned char>(down[i]), c >= 'A' && c <= 'Z' ? c + 32 : c) << i;
  }
}

}  // namespace
}  // namespace core
