// The editing gateway's behaviours, one table run against both surfaces that
// can stand behind it: the program's own and the platform's rich-edit
// control. Where the platform control answers otherwise, the case says so.
#include "harness.h"

#include <richedit.h>

#include <algorithm>
#include <memory>

#include "TRECode.h"
#include "surface/editsurface.h"

namespace {

enum class Kind { Own, Reference };

class Contract : public ::testing::TestWithParam<Kind> {
 protected:
  void SetUp() override {
    host_ = ::CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, 420, 300,
                              nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(host_);
    edit_ = std::make_unique<TSRichEdit>(nullptr, "Edi",
                                         GetParam() == Kind::Own ? MakeOwnSurface() : MakeReferenceSurface());
    edit_->CreateIn(host_);
    harness::Pump();
  }
  void TearDown() override {
    edit_.reset();
    if (host_) ::DestroyWindow(host_);
    harness::Pump();
  }
  bool Reference() const { return GetParam() == Kind::Reference; }
  TSRichEdit& E() { return *edit_; }
  std::string Selected() { return E().TextRange(E().SelStart(), E().SelStart() + E().SelLength()); }

  HWND host_ = nullptr;
  std::unique_ptr<TSRichEdit> edit_;
};

TEST_P(Contract, LineEndsBecomeOneCharacterAndEveryByteSurvives) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"a\r\nb\nc\rd", "a\rb\rc\rd"},
      {"\n\n", "\r\r"},
      {"\r\n\r", "\r\r"},
      {"", ""},
      {std::string("x\0y", 3), std::string("x\0y", 3)},
  };
  for (const Case& c : cases) {
    E().SetText(c.in);
    EXPECT_EQ(E().Text(), c.out);
    EXPECT_EQ(E().TextLength(), static_cast<std::int64_t>(c.out.size()));
  }
  std::string all;
  for (int b = 0; b < 256; ++b)
    if (b != '\r' && b != '\n') all.push_back(static_cast<char>(b));
  E().SetText(all);
  EXPECT_EQ(E().Text(), all);
  EXPECT_EQ(E().TextRange(60, 70), all.substr(60, 10));
  // Through a replacement too.
  E().SetSel(10, 20);
  E().ReplaceSel(all.substr(200, 10));
  EXPECT_EQ(E().TextRange(10, 20), all.substr(200, 10));
}

TEST_P(Contract, TheLineListLeavesOutTheEmptyLineAfterAFinalLineEnd) {
  struct Case {
    std::string text;
    std::int64_t lines;
    std::int64_t lastStart;  // LineIndex(lines - 1)
  } cases[] = {
      {"", 0, 0}, {"abc", 1, 0}, {"abc\r", 1, 0}, {"abc\rde", 2, 4}, {"a\r\r", 2, 2}, {"\r", 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    E().SetText(c.text);
    EXPECT_EQ(E().LineCount(), c.lines);  // an empty document has none
    EXPECT_EQ(E().LineIndex(std::max<std::int64_t>(c.lines - 1, 0)), c.lastStart);
  }
  E().SetText("one\rtwo\r\rfour");
  EXPECT_EQ(E().LineFromChar(0), 0);
  EXPECT_EQ(E().LineFromChar(3), 0);  // the line end belongs to its line
  EXPECT_EQ(E().LineFromChar(4), 1);
  EXPECT_EQ(E().LineFromChar(8), 2);
  EXPECT_EQ(E().LineFromChar(13), 3);  // the end of the text
  EXPECT_EQ(E().LineIndex(3), 9);
  EXPECT_EQ(E().LineIndex(4), -1);
  EXPECT_EQ(E().LineLength(5), 3);
  EXPECT_EQ(E().LineLength(8), 0);
  EXPECT_EQ(E().LineLength(13), 4);
  E().SetText("end\r");
  EXPECT_EQ(E().LineFromChar(4), 1);  // after the final line end
  EXPECT_EQ(E().LineIndex(1), 4);
  E().MoveToLine(99);
  EXPECT_EQ(E().SelStart(), 0);  // the last line of the list
}

TEST_P(Contract, SelectionAndReplacement) {
  E().SetText("hello world");
  E().SetSel(6, 11);
  EXPECT_EQ(E().SelStart(), 6);
  EXPECT_EQ(E().SelLength(), 5);
  E().SetSel(2, -1);
  EXPECT_EQ(Selected(), "llo world");
  E().SetSel(0, 1000);
  // The platform control selects its final paragraph mark too.
  EXPECT_EQ(E().SelLength(), Reference() ? 12 : 11);
  E().SetSel(3, 3);
  E().ReplaceSel("p, the");
  EXPECT_EQ(E().Text(), "help, thelo world");
  EXPECT_EQ(E().SelStart(), 9);
  EXPECT_EQ(E().SelLength(), 0);
  E().SetSel(0, 4);
  E().ClearSelection();
  EXPECT_EQ(E().Text(), ", thelo world");
}

// The text read where it lies (segment by segment, or as one view) is the
// text; a long text handed over goes in as ReplaceSel would put it, undoably.
TEST_P(Contract, ReadingWhereTheTextLiesAndHandingTextOver) {
  E().SetText("one\ntwo three");
  E().SetSel(3, 3);
  E().ReplaceSel("+");
  E().SetSel(0, 0);
  E().ReplaceSel("0");
  const std::string text = E().Text();
  ASSERT_EQ(text, "0one+\rtwo three");
  for (auto [from, to] : {std::pair<std::int64_t, std::int64_t>{0, -1}, {2, 9}, {5, 5}, {9, 100}}) {
    std::string joined;
    E().ForEachSegment(from, to, [&](std::string_view s) {
      joined.append(s);
      return true;
    });
    EXPECT_EQ(joined, E().TextRange(from, to)) << from << " " << to;
    std::string scratch;
    EXPECT_EQ(E().TextView(from, to, scratch), E().TextRange(from, to)) << from << " " << to;
  }
  int calls = 0;
  E().ForEachSegment(0, -1, [&](std::string_view) { return ++calls < 1; });
  EXPECT_EQ(calls, 1);

  std::string longText, want;
  for (int i = 0; longText.size() < 70000; ++i) {
    longText += "line " + std::to_string(i) + "\n";
    want += "line " + std::to_string(i) + "\r";
  }
  const std::uint64_t revision = E().Revision();
  E().SetSel(4, 5);
  E().ReplaceSelWith(longText);
  EXPECT_EQ(E().Text(), "0one" + want + "\rtwo three");
  EXPECT_EQ(E().SelStart(), 4 + static_cast<std::int64_t>(want.size()));
  if (!Reference()) {
    EXPECT_NE(E().Revision(), revision);
  }
  E().Undo();
  EXPECT_EQ(E().Text(), text);

  // Rewritten where it lies: the same length, nothing to undo, modified.
  E().SetModified(false);
  E().RewriteRange(1, 7, [](char* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
      if (p[i] >= 'a' && p[i] <= 'z') p[i] = static_cast<char>(p[i] - 32);
  });
  EXPECT_EQ(E().Text(), "0ONE+\rTwo three");
  EXPECT_EQ(E().SelStart(), 7);
  EXPECT_EQ(E().LineCount(), 2);
  EXPECT_TRUE(E().Modified());
  EXPECT_FALSE(E().CanUndo());
}

TEST_P(Contract, UndoAndTheModifiedFlag) {
  E().SetText("abc");
  EXPECT_FALSE(E().Modified());
  EXPECT_FALSE(E().CanUndo());
  E().SetSel(3, 3);
  E().ReplaceSel("d");
  EXPECT_TRUE(E().Modified());
  EXPECT_TRUE(E().CanUndo());
  E().Undo();
  EXPECT_EQ(E().Text(), "abc");
  E().SetModified(false);
  EXPECT_FALSE(E().Modified());

  // A replacement without undo leaves nothing to undo.
  E().SetText("abc");
  E().SetSel(0, 1);
  E().ReplaceSel("X", false);
  EXPECT_EQ(E().Text(), "Xbc");
  EXPECT_FALSE(E().CanUndo());
  E().Undo();
  EXPECT_EQ(E().Text(), "Xbc");

  // A new text clears the history and the flag.
  E().SetSel(3, 3);
  E().ReplaceSel("!");
  E().SetText("new");
  EXPECT_FALSE(E().CanUndo());
  EXPECT_FALSE(E().Modified());
  EXPECT_EQ(E().SelStart(), 0);
}

TEST_P(Contract, Find) {
  E().SetText("Cat cat catalog\rcat");
  struct Case {
    const char* what;
    std::int64_t from, to;
    bool matchCase, wholeWord;
    std::int64_t at;
  } cases[] = {
      {"cat", 0, -1, false, false, 0},   {"cat", 0, -1, true, false, 4},  {"cat", 5, -1, false, false, 8},
      {"cat", 5, -1, false, true, 16},   {"cat", 5, 10, false, true, -1}, {"dog", 0, -1, false, false, -1},
      {"g\rc", 0, -1, false, false, 14}, {"CAT", 16, 19, false, false, 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + " from " + std::to_string(c.from));
    EXPECT_EQ(E().Find(c.what, c.from, c.to, c.matchCase, c.wholeWord), c.at);
  }
}

TEST_P(Contract, WordBreaks) {
  E().SetText("one two, three");
  if (Reference()) {
    // Wine's rich-edit control answers no word-break request (0 for all);
    // the document falls back to its own word rule then.
    EXPECT_EQ(E().FindWordBreak(WB_RIGHT, 1), 0);
    return;
  }
  EXPECT_EQ(E().FindWordBreak(WB_LEFT, 5), 4);
  EXPECT_EQ(E().FindWordBreak(WB_RIGHT, 5), 9);
  EXPECT_EQ(E().FindWordBreak(WB_LEFT, 0), 0);
  EXPECT_EQ(E().FindWordBreak(WB_RIGHT, 11), 14);
}

TEST_P(Contract, WrappedLinesAreDisplayLines) {
  std::string line;
  for (int i = 0; i < 60; ++i) line += "word ";
  E().SetText(line + "\rshort");
  EXPECT_EQ(E().LineCount(), 2);
  E().SetWordWrap(true);
  harness::Pump();
  const std::int64_t lines = E().LineCount();
  EXPECT_GT(lines, 3);
  // Display lines cover the text in order, each starting where the last ended.
  std::int64_t prev = 0;
  for (std::int64_t l = 1; l < lines; ++l) {
    const std::int64_t at = E().LineIndex(l);
    EXPECT_GT(at, prev);
    EXPECT_EQ(E().LineFromChar(at), l);
    EXPECT_EQ(E().LineFromChar(at - 1), l - 1);
    prev = at;
  }
  EXPECT_EQ(E().LineIndex(lines - 1), static_cast<std::int64_t>(line.size()) + 1);
  E().SetWordWrap(false);
  harness::Pump();
  EXPECT_EQ(E().LineCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(Surfaces, Contract, ::testing::Values(Kind::Own, Kind::Reference),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                           return info.param == Kind::Own ? "Own" : "Reference";
                         });

}  // namespace
