#include "core/text/textmodel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/textfile.h"
#include "core/textops/textops.h"
#include "core/wordsel.h"

namespace core {
namespace {

// A model holding `text` in many small pieces, so that every operation has
// to cross piece boundaries.
void FillInPieces(TextModel& m, std::string_view text, std::size_t pieceSize) {
  m.Load("");
  for (std::size_t at = 0; at < text.size(); at += pieceSize) {
    // Inserted back to front, so that no piece extends the one before it.
    const std::size_t from = text.size() - std::min(text.size(), at + pieceSize);
    m.Replace(0, 0, text.substr(from, text.size() - at - from), UndoMode::kNone);
  }
  ASSERT_EQ(m.Text(), text);
}

std::string AllBytes() {
  std::string s;
  for (int c = 0; c < 256; ++c)
    if (c != '\r' && c != '\n') s += static_cast<char>(c);
  return s;
}

TEST(TextModelLoad, EachLineEndBecomesOneCr) {
  struct Case {
    std::string bytes;
    std::string text;
    TextPos lines;
  } cases[] = {
      {"", "", 0},
      {"a", "a", 1},
      {"a\r\nb\r\n", "a\rb\r", 2},
      {"a\nb", "a\rb", 2},
      {"a\rb\r", "a\rb\r", 2},
      {"a\n\rb", "a\r\rb", 3},            // LF then CR: two line ends
      {"a\r\r\nb\n\n", "a\r\rb\r\r", 4},  // mixed
      {"\r\n", "\r", 1},
      {std::string("x\0y\r\n\0", 6), std::string("x\0y\r\0", 5), 2},
      {AllBytes() + "\r\n" + AllBytes(), AllBytes() + "\r" + AllBytes(), 2},
  };
  for (const Case& c : cases) {
    TextModel m(c.bytes);
    EXPECT_EQ(m.Text(), c.text);
    EXPECT_EQ(m.Length(), static_cast<TextPos>(c.text.size()));
    EXPECT_EQ(m.LineCount(), c.lines) << c.text;
    EXPECT_FALSE(m.Modified());
    EXPECT_FALSE(m.CanUndo());
  }
}

TEST(TextModelLines, FollowTheControlsNumbering) {
  // "ab\r\rcde\r": lines "ab", "", "cde" and the empty line after the end.
  struct Case {
    TextPos pos;
    TextPos line;
    TextPos length;
  } cases[] = {
      {0, 0, 2}, {2, 0, 2}, {3, 1, 0}, {4, 2, 3}, {7, 2, 3}, {8, 3, 0}, {99, 3, 0}, {-5, 0, 2},
  };
  TextModel m;
  FillInPieces(m, "ab\r\rcde\r", 3);
  EXPECT_EQ(m.LineCount(), 3);
  for (const Case& c : cases) {
    EXPECT_EQ(m.LineFromChar(c.pos), c.line) << c.pos;
    EXPECT_EQ(m.LineLength(c.pos), c.length) << c.pos;
  }
  const TextPos starts[] = {0, 3, 4, 8, -1, -1};
  for (TextPos line = 0; line < 6; ++line) EXPECT_EQ(m.LineIndex(line), starts[line]) << line;
  EXPECT_EQ(m.LineIndex(-1), -1);
}

TEST(TextModelEdit, ReplaceClampsAndConvertsLineEnds) {
  struct Case {
    TextPos pos, length;
    std::string with;
    std::string text;
    TextChange change;
  } cases[] = {
      {2, 1, "X", "abXdef", {2, 1}},
      {0, 0, "1\r\n2\n3", "1\r2\r3abcdef", {0, 5}},
      {4, 99, "", "abcd", {4, 0}},
      {99, 5, "!", "abcdef!", {6, 1}},
      {-3, 2, "", "cdef", {0, 0}},
      {3, -1, "-", "abc-def", {3, 1}},
      {1, 4, std::string("\0\xff", 2), std::string("a\0\xff" "f", 4), {1, 2}},
  };
  for (const Case& c : cases) {
    TextModel m("abcdef");
    EXPECT_EQ(m.Replace(c.pos, c.length, c.with), c.change) << c.text;
    EXPECT_EQ(m.Text(), c.text);
    EXPECT_TRUE(m.Modified());
    EXPECT_EQ(m.CanUndo(), m.Text() != "abcdef");
  }
}

// Keys, as the editing surface sends them.
// A long insert becomes a buffer of the model's own: its line ends (all three
// kinds) are indexed, undo and redo swap it with the old pieces, and typing
// after it goes on as usual. The views of ranges agree with copies of them.
TEST(TextModelEdit, LongTextTakenOverKeepsLinesUndoAndViews) {
  std::string line = "line of text\r\n";
  std::string with;
  for (int i = 0; with.size() < 100000; ++i) with += i % 3 == 0 ? "ab\n" : i % 3 == 1 ? "cd\r" : line;
  TextModel m;
  FillInPieces(m, "head\rmiddle\rtail", 3);
  std::string ref = with;
  ToModelLineEnds(ref);
  ref = "head\rmi" + ref + "e\rtail";
  m.ReplaceTaking(7, 3, with);
  ASSERT_EQ(m.Text(), ref);
  for (std::size_t pos : {std::size_t{0}, std::size_t{8}, std::size_t{9}, ref.size() / 2, ref.size() - 6, ref.size()}) {
    const auto line = static_cast<TextPos>(std::count(ref.begin(), ref.begin() + static_cast<std::ptrdiff_t>(pos), '\r'));
    ASSERT_EQ(m.LineFromChar(static_cast<TextPos>(pos)), line) << pos;
    const std::size_t start = pos == 0 ? std::string::npos : ref.rfind('\r', pos - 1);
    ASSERT_EQ(m.LineIndex(line), start == std::string::npos ? 0 : static_cast<TextPos>(start + 1)) << pos;
  }
  EXPECT_EQ(m.LineCount(), static_cast<TextPos>(CountLines(ref)));
  std::string scratch;
  for (auto [from, to] : {std::pair<TextPos, TextPos>{0, 20}, {9, 9000}, {5, -1}, {30, 10}})
    EXPECT_EQ(m.TextView(from, to, scratch), m.TextRange(from, to)) << from << " " << to;

  m.Undo();
  EXPECT_EQ(m.Text(), "head\rmiddle\rtail");
  m.Redo();
  EXPECT_EQ(m.Text(), ref);
  const auto end = static_cast<TextPos>(ref.size()) - 6;
  m.Replace(end, 0, "x", UndoMode::kTyping);
  m.Replace(end + 1, 0, "\n", UndoMode::kTyping);
  ref.insert(static_cast<std::size_t>(end), "x\r");
  EXPECT_EQ(m.Text(), ref);
  EXPECT_EQ(m.LineFromChar(static_cast<TextPos>(ref.size())), static_cast<TextPos>(std::count(ref.begin(), ref.end(), '\r')));
  m.Undo();
  m.Undo();
  EXPECT_EQ(m.Text(), "head\rmiddle\rtail");
}

// A rewrite in place changes the bytes over piece boundaries and nothing
// else: lines stay, the history goes (no step could apply to what it
// changed), and text typed afterwards is not touched by it.
TEST(TextModelEdit, RewriteInPlaceChangesOnlyItsRange) {
  TextModel m;
  FillInPieces(m, "abc\rdef\rghi", 2);
  m.Replace(4, 0, "xy");  // one step to lose
  ASSERT_TRUE(m.CanUndo());
  m.SetModified(false);
  const std::uint64_t revision = m.Revision();
  std::vector<std::size_t> sizes;
  m.RewriteInPlace(2, 8, [&sizes](char* p, std::size_t n) {
    sizes.push_back(n);
    for (std::size_t i = 0; i < n; ++i)
      if (p[i] != '\r') p[i] = static_cast<char>(p[i] - 32);
  });
  EXPECT_EQ(m.Text(), "abC\rXYDEF\rghi");
  EXPECT_GT(sizes.size(), 1u);
  EXPECT_FALSE(m.CanUndo());
  EXPECT_TRUE(m.Modified());
  EXPECT_NE(m.Revision(), revision);
  EXPECT_EQ(m.LineIndex(1), 4);
  EXPECT_EQ(m.LineIndex(2), 10);
  m.Replace(0, 0, "q", UndoMode::kTyping);
  m.Undo();
  EXPECT_EQ(m.Text(), "abC\rXYDEF\rghi");
  m.RewriteInPlace(20, 5, [](char*, std::size_t) { ADD_FAILURE() << "called beyond the text"; });
}

struct Keys {
  TextModel& m;
  TextPos caret = 0;
  void Type(std::string_view s) {
    for (char c : s) m.Replace(caret++, 0, std::string(1, c), UndoMode::kTyping);
  }
  void Back(int n) {
    for (; n > 0; --n) m.Replace(--caret, 1, "", UndoMode::kTyping);
  }
  void Del(int n) {
    for (; n > 0; --n) m.Replace(caret, 1, "", UndoMode::kTyping);
  }
  void MoveTo(TextPos pos) {
    m.EndTyping();
    caret = pos;
  }
};

TEST(TextModelUndo, TypingFormsOneStepUntilTheCaretMovesOrAnotherEditComes) {
  struct Case {
    const char* name;
    void (*keys)(Keys&);
    std::vector<std::string> afterEachUndo;
  } cases[] = {
      {"a run of typing", [](Keys& k) { k.MoveTo(4); k.Type("abc"); }, {"text"}},
      {"a caret move splits it",
       [](Keys& k) { k.MoveTo(0); k.Type("ab"); k.MoveTo(2); k.Type("cd"); }, {"abtext", "text"}},
      {"typing elsewhere splits it", [](Keys& k) { k.MoveTo(0); k.Type("ab"); k.caret = 5; k.Type("c"); },
       {"abtext", "text"}},
      {"backspaces", [](Keys& k) { k.MoveTo(3); k.Back(2); }, {"text"}},
      {"deletes", [](Keys& k) { k.MoveTo(1); k.Del(2); }, {"text"}},
      {"typing then backspace are two steps", [](Keys& k) { k.MoveTo(4); k.Type("xy"); k.Back(1); },
       {"textxy", "text"}},
      {"an edit of its own ends the group",
       [](Keys& k) { k.MoveTo(4); k.Type("x"); k.m.Replace(0, 0, "#"); k.caret = 6; k.Type("y"); },
       {"#textx", "textx", "text"}},
      {"typing into a selection", [](Keys& k) {
         k.m.Replace(1, 2, "E", UndoMode::kTyping);
         k.caret = 2;
         k.Type("X");
       }, {"text"}},
  };
  for (const auto& c : cases) {
    TextModel m("text");
    Keys k{m};
    c.keys(k);
    for (const std::string& expected : c.afterEachUndo) {
      ASSERT_TRUE(m.CanUndo()) << c.name;
      m.Undo();
      EXPECT_EQ(m.Text(), expected) << c.name;
    }
    EXPECT_FALSE(m.CanUndo()) << c.name;
  }
}

TEST(TextModelUndo, TypingGrowsOnePieceAndOneStep) {
  TextModel m("line\r");
  Keys k{m, 2};
  k.Type(std::string(1000, 'x') + "\n");
  EXPECT_EQ(m.PieceCount(), 3u);  // "li", the typed text, "ne\r"
  EXPECT_EQ(m.LineCount(), 2);
  EXPECT_EQ(m.LineIndex(1), 1003);
  m.Undo();
  EXPECT_EQ(m.Text(), "line\r");
  m.Redo();
  EXPECT_EQ(m.Text(), "li" + std::string(1000, 'x') + "\rne\r");
}

TEST(TextModelUndo, UndoAndRedoGiveBackTextAndPlace) {
  TextModel m("one two");
  m.Replace(4, 3, "three");
  m.Replace(0, 4, "");
  EXPECT_EQ(m.Undo(), (TextChange{0, 4}));
  EXPECT_EQ(m.Text(), "one three");
  EXPECT_EQ(m.Undo(), (TextChange{4, 3}));
  EXPECT_EQ(m.Text(), "one two");
  EXPECT_FALSE(m.CanUndo());
  EXPECT_EQ(m.Undo(), (TextChange{}));
  EXPECT_EQ(m.Redo(), (TextChange{4, 5}));
  EXPECT_EQ(m.Redo(), (TextChange{0, 0}));
  EXPECT_EQ(m.Text(), "three");
  EXPECT_FALSE(m.CanRedo());
  m.Undo();
  m.Replace(0, 0, "x");  // a new edit drops what could be redone
  EXPECT_FALSE(m.CanRedo());
  EXPECT_EQ(m.Text(), "xone three");
}

TEST(TextModelUndo, AnEditWithoutUndoLeavesNoStepThatCouldApplyToTheChangedText) {
  TextModel m("abcdef");
  m.Replace(0, 1, "A");
  m.Replace(5, 1, "F");
  m.Undo();
  ASSERT_TRUE(m.CanRedo());
  m.Replace(0, 3, "", UndoMode::kNone);
  EXPECT_FALSE(m.CanUndo());
  EXPECT_FALSE(m.CanRedo());
  m.Undo();
  m.Redo();
  EXPECT_EQ(m.Text(), "def");
  // Typing after it starts afresh.
  m.Replace(3, 0, "g", UndoMode::kTyping);
  m.Undo();
  EXPECT_EQ(m.Text(), "def");
}

TEST(TextModelUndo, ModifiedFlagIsSetByEditsUndoAndRedoAndClearedByTheOwner) {
  TextModel m("abc");
  EXPECT_FALSE(m.Modified());
  m.Replace(1, 0, "");  // no change
  EXPECT_FALSE(m.Modified());
  m.Replace(1, 0, "x");
  EXPECT_TRUE(m.Modified());
  m.SetModified(false);
  m.Undo();  // back at the loaded text: still modified
  EXPECT_TRUE(m.Modified());
  m.SetModified(false);
  m.Redo();
  EXPECT_TRUE(m.Modified());
  m.SetModified(false);
  m.Replace(0, 1, "", UndoMode::kNone);
  EXPECT_TRUE(m.Modified());
  m.Load("new");
  EXPECT_FALSE(m.Modified());
}

TEST(TextModelFind, MatchesFindForwardAcrossPiecesAndSearchWindows) {
  // Hits and near-hits around the search window (64 KiB) and piece edges.
  std::string text(200000, '.');
  const std::size_t at[] = {0, 65533, 65536, 131068, 131071, 199994};
  for (std::size_t a : at) text.replace(a, 6, "Needle");
  text.replace(100000, 7, "needles");  // splits a word
  text[65535] = 'x';                   // a word byte right before a hit
  // A hit that ends a search window, followed by a word byte: the window
  // from 84465 holds hits up to 150006.
  text.replace(150000, 7, "Needlez");
  const TextPos windowFrom = 84465;
  struct Query {
    const char* what;
    FindOptions options;
  } queries[] = {{"needle", {false, false}}, {"Needle", {true, false}}, {"needle", {false, true}},
                 {"le.", {false, false}},    {"NEEDLES", {true, false}}, {"", {false, false}}};
  TextModel m;
  for (std::size_t pieceSize : {std::size_t{200000}, std::size_t{997}}) {
    FillInPieces(m, text, pieceSize);
    for (const Query& q : queries) {
      for (TextPos from = 0;; ++from) {
        const TextPos expected = FindForward(text, q.what, from, static_cast<TextPos>(text.size()), q.options);
        EXPECT_EQ(m.Find(q.what, from, -1, q.options), expected) << q.what << " from " << from;
        if (expected == kNotFound) break;
        from = expected;
      }
      EXPECT_EQ(m.Find(q.what, windowFrom, -1, q.options),
                FindForward(text, q.what, windowFrom, static_cast<TextPos>(text.size()), q.options))
          << q.what;
      // A range that ends inside a hit finds nothing there; the whole-word
      // test still sees the byte behind the range.
      EXPECT_EQ(m.Find(q.what, 65500, 65540, q.options),
                FindForward(text, q.what, 65500, 65540, q.options));
    }
  }
}

TEST(TextModelWords, FollowTheWordRuleOverPieces) {
  const std::string texts[] = {
      "alpha beta  gamma\r\rdelta\t,x",
      "   ",
      "",
      std::string(9000, 'w') + " " + std::string(5000, ' ') + std::string(9000, 'v'),
  };
  TextModel m;
  for (const std::string& text : texts) {
    FillInPieces(m, text, 7);
    for (std::size_t pos = 0; pos <= text.size() + 1; pos += (text.size() > 100 ? 499 : 1)) {
      const WordSpan want = core::WordAround(text, pos), got = m.WordAround(static_cast<TextPos>(pos));
      EXPECT_EQ(got.start, want.start) << pos;
      EXPECT_EQ(got.next, want.next) << pos;
      EXPECT_EQ(m.WordSelection(static_cast<TextPos>(pos)).next, core::WordSelection(text, pos).next) << pos;
    }
  }
}

// Thousands of random edits, undos and redos, each checked against a plain
// string and its history of whole texts.
TEST(TextModelRandom, AgreesWithAPlainString) {
  std::mt19937 rng(20261210);
  auto pick = [&rng](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n)(rng); };
  const char alphabet[] = {'a', 'b', ' ', '\r', '\n', 'x', '\0', '\xe9'};
  auto randomText = [&](std::size_t maxLen) {
    std::string s(pick(maxLen), ' ');
    for (char& c : s) c = alphabet[pick(7)];
    return s;
  };

  std::string ref = "start\r\nof the\ntext\r";
  TextModel m(ref);
  ToModelLineEnds(ref);
  std::vector<std::string> undo, redo;  // texts before each step / after each undone step

  for (int round = 0; round < 6000; ++round) {
    const std::size_t op = pick(9);
    if (op <= 4) {  // replace, one step
      const std::size_t pos = pick(ref.size()), len = pick(std::min<std::size_t>(8, ref.size() - pos));
      std::string with = randomText(6);
      if (len > 0 || !with.empty()) {  // an edit that changes nothing is no step
        undo.push_back(ref);
        redo.clear();
      }
      m.Replace(static_cast<TextPos>(pos), static_cast<TextPos>(len), with);
      ToModelLineEnds(with);
      ref.replace(pos, len, with);
    } else if (op == 5) {  // a run of typing, one step
      std::size_t caret = pick(ref.size());
      undo.push_back(ref);
      redo.clear();
      for (std::size_t k = pick(5) + 1; k > 0; --k) {
        const char c = alphabet[pick(5)];
        m.Replace(static_cast<TextPos>(caret), 0, std::string(1, c), UndoMode::kTyping);
        ref.insert(caret++, 1, c == '\n' ? '\r' : c);
      }
      m.EndTyping();
    } else if (op == 6) {  // not undoable
      const std::size_t pos = pick(ref.size());
      m.Replace(static_cast<TextPos>(pos), 1, "#", UndoMode::kNone);
      ref.replace(pos, pos < ref.size() ? 1 : 0, "#");
      undo.clear();
      redo.clear();
    } else if (op == 7 || op == 8) {
      ASSERT_EQ(m.CanUndo(), !undo.empty());
      if (!undo.empty()) {
        m.Undo();
        redo.push_back(ref);
        ref = undo.back();
        undo.pop_back();
      }
    } else {
      ASSERT_EQ(m.CanRedo(), !redo.empty());
      if (!redo.empty()) {
        m.Redo();
        undo.push_back(ref);
        ref = redo.back();
        redo.pop_back();
      }
    }

    ASSERT_EQ(m.Length(), static_cast<TextPos>(ref.size()));
    if (round % 10 == 0) {
      ASSERT_EQ(m.Text(), ref) << round;
    }
    const std::size_t pos = pick(ref.size());
    const auto line = static_cast<TextPos>(std::count(ref.begin(), ref.begin() + static_cast<TextPos>(pos), '\r'));
    ASSERT_EQ(m.LineFromChar(static_cast<TextPos>(pos)), line) << round;
    const std::size_t start = ref.rfind('\r', pos == 0 ? std::string::npos : pos - 1);
    const TextPos lineStart = pos == 0 || start == std::string::npos ? 0 : static_cast<TextPos>(start + 1);
    ASSERT_EQ(m.LineIndex(line), lineStart) << round;
    const std::size_t end = ref.find('\r', static_cast<std::size_t>(lineStart));
    ASSERT_EQ(m.LineLength(static_cast<TextPos>(pos)),
              static_cast<TextPos>(end == std::string::npos ? ref.size() : end) - lineStart);
    ASSERT_EQ(m.LineCount(), static_cast<TextPos>(CountLines(ref))) << round;
    const std::string what = ref.substr(pick(ref.size()), pick(3) + 1);
    const FindOptions options{pick(1) == 1, pick(1) == 1};
    ASSERT_EQ(m.Find(what, static_cast<TextPos>(pos), -1, options),
              FindForward(ref, what, static_cast<TextPos>(pos), static_cast<TextPos>(ref.size()), options));
    const WordSpan w = m.WordAround(static_cast<TextPos>(pos));
    ASSERT_EQ(w.start, core::WordAround(ref, pos).start);
    ASSERT_EQ(w.next, core::WordAround(ref, pos).next);
  }
  EXPECT_EQ(m.Text(), ref);
}

}  // namespace
}  // namespace core
