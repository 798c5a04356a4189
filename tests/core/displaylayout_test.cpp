#include "core/text/displaylayout.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/text/caretmove.h"
#include "core/text/textmodel.h"

namespace core {
namespace {

// Every character 10 pixels wide, "W" 30, "i" 4; tab stops every 80.
TextMetrics Metrics(int wrapWidth) {
  TextMetrics m;
  m.widths.fill(10);
  m.widths['W'] = 30;
  m.widths['i'] = 4;
  m.tabWidth = TabStopWidth(10);
  m.wrapWidth = wrapWidth;
  return m;
}

TEST(TabRule, StopsEveryEightAverageWidths) {
  EXPECT_EQ(TabStopWidth(7), 56);
  EXPECT_EQ(TabStopWidth(0), 8);  // a font without width still advances
  const TextMetrics m = Metrics(0);
  struct Case {
    std::string row;
    int x;  // x after the whole row
  } cases[] = {
      {"\t", 80},          {"a\t", 80},       {"abcdefg\t", 80}, {"abcdefgh\t", 160},  // a full stop jumps on
      {"\t\t", 160},       {"W\tb", 90},      {"iiii\tx", 90},   {"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(XOfColumn(c.row, c.row.size(), m), c.x) << c.row;
}

TEST(HitTest, NearestGapOfTheRow) {
  const TextMetrics m = Metrics(0);
  // "aW\tb": gaps at 0, 10, 40, 80, 90.
  struct Case {
    int x;
    std::size_t col;
  } cases[] = {{-50, 0}, {0, 0}, {4, 0}, {5, 1}, {24, 1}, {25, 2}, {59, 2}, {60, 3}, {84, 3}, {85, 4}, {999, 4}};
  for (const Case& c : cases) EXPECT_EQ(ColumnAtX("aW\tb", c.x, m), c.col) << c.x;
  for (std::size_t col = 0; col <= 4; ++col)
    EXPECT_EQ(ColumnAtX("aW\tb", XOfColumn("aW\tb", col, m), m), col) << col;
}

TEST(WrapRows, BreaksAfterBlanksOrInsideLongWords) {
  struct Case {
    std::string line;
    int width;
    std::vector<std::size_t> rows;
  } cases[] = {
      {"", 50, {0}},
      {"abcde", 50, {0}},                   // fits exactly
      {"abcdef", 50, {0, 5}},               // a word too long is cut
      {"ab cd ef", 50, {0, 6}},             // after the last blank that fits
      {"ab     cd", 50, {0, 7}},            // blanks hang past the edge
      {"abcdefghijkl", 50, {0, 5, 10}},
      {"WW", 20, {0, 1}},                   // a character wider than the row stands alone
      {"a\tb c", 90, {0, 4}},               // the tab reaches 80, b fits, c goes on
      {"ab cdefghijk", 50, {0, 3, 8}},      // the word moves down, then is cut
      {"abcdefgh", 0, {0}},                 // no wrap
  };
  for (const Case& c : cases) EXPECT_EQ(WrapRows(c.line, Metrics(c.width)), c.rows) << c.line << " / " << c.width;
}

// The display lines of a text computed the plain way: each line wrapped on its own.
std::vector<TextPos> ReferenceRowStarts(const std::string& text, const TextMetrics& m) {
  std::vector<TextPos> starts;
  std::size_t from = 0;
  for (;;) {
    const std::size_t end = std::min(text.find('\r', from), text.size());
    for (std::size_t off : WrapRows(std::string_view(text).substr(from, end - from), m))
      starts.push_back(static_cast<TextPos>(from + off));
    if (end == text.size()) break;
    from = end + 1;
  }
  return starts;
}

void ExpectLayoutMatches(const TextModel& model, DisplayLayout& layout, const std::string& where) {
  const std::string text = model.Text();
  const std::vector<TextPos> starts = ReferenceRowStarts(text, layout.Metrics());
  const bool emptyLast = text.empty() || text.back() == '\r';
  ASSERT_EQ(layout.DisplayLineCount(), static_cast<TextPos>(starts.size()) - (emptyLast ? 1 : 0)) << where;
  for (std::size_t r = 0; r < starts.size(); ++r) ASSERT_EQ(layout.DisplayLineIndex(static_cast<TextPos>(r)), starts[r]) << where << " row " << r;
  EXPECT_EQ(layout.DisplayLineIndex(static_cast<TextPos>(starts.size())), -1) << where;
  for (TextPos pos = 0; pos <= static_cast<TextPos>(text.size()); pos += 7) {
    const auto it = std::upper_bound(starts.begin(), starts.end(), pos);
    ASSERT_EQ(layout.DisplayLineFromChar(pos), (it - starts.begin()) - 1) << where << " pos " << pos;
  }
}

std::string RandomText(std::mt19937& rng, std::size_t n) {
  static const char kChars[] = "abc de\tWi\r   xyz\r";
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s += kChars[rng() % (sizeof kChars - 1)];
  return s;
}

// Blocks of the layout are re-opened by edits; the numbering must stay that
// of a layout made afresh, also where edits add or remove many line ends
// and cross blocks.
TEST(DisplayLayout, EditsKeepTheNumberingOfAFreshLayout) {
  std::mt19937 rng(7);
  for (int width : {0, 45, 200}) {
    TextModel model(RandomText(rng, 3000));
    DisplayLayout layout(model, 8);  // small blocks: edits cross them
    layout.SetMetrics(Metrics(width));
    ExpectLayoutMatches(model, layout, "start");
    for (int step = 0; step < 60; ++step) {
      const TextPos pos = static_cast<TextPos>(rng() % (model.Length() + 1));
      const TextPos len = std::min<TextPos>(static_cast<TextPos>(rng() % (step % 10 == 0 ? 400 : 20)), model.Length() - pos);
      const std::string insert = step % 15 == 0 ? RandomText(rng, 300) : RandomText(rng, rng() % 12);
      const TextPos first = model.LineFromChar(pos);
      const TextPos removed = model.LineFromChar(pos + len) - first;
      model.Replace(pos, len, insert, UndoMode::kNone);
      layout.Edited(first, removed, static_cast<TextPos>(std::count(insert.begin(), insert.end(), '\r')));
      if (step % 6 == 0) ExpectLayoutMatches(model, layout, "step " + std::to_string(step) + " width " + std::to_string(width));
    }
    ExpectLayoutMatches(model, layout, "end width " + std::to_string(width));
  }
}

TEST(DisplayLayout, EstimatesAreRefinedByMeasuring) {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += std::string(static_cast<std::size_t>(i % 97), 'x') + " yy\r";
  TextModel model(text);
  DisplayLayout layout(model, 64);
  layout.SetMetrics(Metrics(200));
  EXPECT_FALSE(layout.AllMeasured());  // switching wrap on measured nothing
  EXPECT_GT(layout.EstimatedRows(), 3000);
  // Scrolling to the middle measures only the block it lands in.
  const RowRef mid = layout.RowAtEstimate(layout.EstimatedRows() / 2);
  EXPECT_GT(mid.line, 0);
  EXPECT_FALSE(layout.AllMeasured());
  EXPECT_EQ(layout.RowAtEstimate(layout.EstimatedRowOf(mid)), mid);
  while (layout.MeasureSome(10000)) {
  }
  EXPECT_TRUE(layout.AllMeasured());
  EXPECT_EQ(layout.EstimatedRows(), static_cast<TextPos>(ReferenceRowStarts(text, layout.Metrics()).size()));
  EXPECT_EQ(layout.EstimatedRowOf(layout.LastRow()), layout.EstimatedRows() - 1);
}

// A long unwrapped line keeps the x of every so many positions; edits must
// not leave a stale x behind, before or after the measured stretch.
TEST(DisplayLayout, LongLinesMeasureOnlyTheStretchAtHand) {
  std::string line;
  for (int i = 0; i < 60000; ++i) line += i % 7 == 0 ? '\t' : i % 5 == 0 ? 'W' : 'a';
  TextModel model("first\r" + line + "\rlast");
  DisplayLayout layout(model);
  layout.SetMetrics(Metrics(0));
  const TextMetrics& m = layout.Metrics();
  auto check = [&](const std::string& where) {
    const std::string text = model.Text();
    const std::size_t start = text.find('\r') + 1, end = text.find('\r', start);
    const std::string_view row = std::string_view(text).substr(start, end - start);
    for (std::size_t col : {std::size_t{0}, std::size_t{17}, std::size_t{16384}, std::size_t{40000}, row.size()}) {
      const std::int64_t x = XOfColumn(row, col, m);
      ASSERT_EQ(layout.XOfPos(static_cast<TextPos>(start + col)), x) << where << " col " << col;
      ASSERT_EQ(layout.PosAtX({1, 0}, x), static_cast<TextPos>(start + col)) << where << " col " << col;
      std::int64_t gap = -1;
      if (col < row.size()) {
        ASSERT_EQ(layout.FirstVisible({1, 0}, x, &gap), static_cast<TextPos>(start + col)) << where;
        ASSERT_EQ(gap, x);
      }
    }
  };
  check("fresh");
  auto edit = [&](TextPos pos, TextPos len, const std::string& text) {
    const TextPos first = model.LineFromChar(pos);
    const TextPos removed = model.LineFromChar(pos + len) - first;
    model.Replace(pos, len, text, UndoMode::kNone);
    layout.Edited(first, removed, static_cast<TextPos>(std::count(text.begin(), text.end(), '\r')), pos);
  };
  edit(6 + 59990, 0, "WWW");  // far out, after the measured stretch
  check("typed at the end");
  edit(6 + 100, 1, "\t\tW");  // before it: every x after the edit moves
  check("typed near the start");
  edit(2, 0, "xx");           // on the line before: the line moves
  check("line moved");
}

// The rows of a long wrapped line are kept; an edit keeps those in front
// of it and measures on from there.
TEST(DisplayLayout, LongWrappedLinesKeepTheirRowsInFrontOfAnEdit) {
  std::mt19937 rng(3);
  std::string line;
  for (int i = 0; i < 30000; ++i) line += "abc Wi\t xyz  "[rng() % 14];
  TextModel model("first\r" + line + "\rlast");
  DisplayLayout layout(model, 2);
  layout.SetMetrics(Metrics(97));
  ExpectLayoutMatches(model, layout, "fresh");
  const TextPos ats[] = {29990, 15000, 7, 29000, 3};
  for (TextPos at : ats) {
    const TextPos pos = 6 + at;
    const TextPos first = model.LineFromChar(pos);
    model.Replace(pos, 2, "WW x", UndoMode::kNone);
    layout.Edited(first, 0, 0, pos);
    const std::string text = model.Text();
    const std::size_t end = text.find('\r', 6);
    std::vector<TextPos> expected;
    for (std::size_t off : WrapRows(std::string_view(text).substr(6, end - 6), layout.Metrics()))
      expected.push_back(static_cast<TextPos>(6 + off));
    ASSERT_EQ(layout.RowStarts(1), expected) << at;
    ExpectLayoutMatches(model, layout, "after an edit at " + std::to_string(at));
  }
}

TEST(DisplayLayout, StepStopsAtTheEnds) {
  TextModel model("abcdefghij\rk\rlmnopqrstuvw");  // rows at width 50: 2, 1, 3
  DisplayLayout layout(model);
  layout.SetMetrics(Metrics(50));
  struct Case {
    RowRef from;
    TextPos delta;
    RowRef to;
    TextPos moved;
  } cases[] = {
      {{0, 0}, 1, {0, 1}, 1},  {{0, 1}, 1, {1, 0}, 1},  {{0, 0}, 3, {2, 0}, 3},  {{0, 0}, 99, {2, 2}, 5},
      {{2, 2}, -4, {0, 1}, -4}, {{2, 2}, -99, {0, 0}, -5}, {{1, 0}, 0, {1, 0}, 0},
  };
  for (const Case& c : cases) {
    TextPos moved = 0;
    EXPECT_EQ(layout.Step(c.from, c.delta, &moved), c.to) << c.from.line << "," << c.from.row << " " << c.delta;
    EXPECT_EQ(moved, c.moved);
  }
}

TEST(CaretMove, KeysOverModelAndLayout) {
  // Rows at width 50: "one " "two " "three" | "" | "x\t" "end"
  TextModel model("one two three\r\rx\tend");
  DisplayLayout layout(model);
  layout.SetMetrics(Metrics(50));
  struct Case {
    TextPos pos;
    CaretMove move;
    TextPos to;
  } cases[] = {
      {0, CaretMove::kCharLeft, 0},     {20, CaretMove::kCharRight, 20},  {3, CaretMove::kCharRight, 4},
      {0, CaretMove::kWordRight, 4},    {5, CaretMove::kWordRight, 8},    {8, CaretMove::kWordRight, 15},
      {15, CaretMove::kWordRight, 17},  {20, CaretMove::kWordRight, 20},  {15, CaretMove::kWordLeft, 8},
      {8, CaretMove::kWordLeft, 4},     {6, CaretMove::kWordLeft, 4},     {0, CaretMove::kWordLeft, 0},
      {2, CaretMove::kRowDown, 6},      {6, CaretMove::kRowDown, 10},     {10, CaretMove::kRowDown, 14},
      {14, CaretMove::kRowDown, 15},    {10, CaretMove::kRowUp, 6},       {1, CaretMove::kRowUp, 1},
      {17, CaretMove::kRowDown, 17},    {5, CaretMove::kRowHome, 4},      {9, CaretMove::kRowHome, 8},
      {2, CaretMove::kRowEnd, 3},       {9, CaretMove::kRowEnd, 13},      {15, CaretMove::kRowEnd, 16},
      {9, CaretMove::kTextHome, 0},     {3, CaretMove::kTextEnd, 20},     {0, CaretMove::kPageDown, 14},
      {20, CaretMove::kPageUp, 11},     {19, CaretMove::kRowUp, 16},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MoveCaret(model, layout, {c.pos, -1}, c.move, 3).pos, c.to) << c.pos << " move " << static_cast<int>(c.move);
}

TEST(CaretMove, VerticalMovesKeepTheGoalColumn) {
  TextModel model("abcdefgh\rab\rabcdefgh");
  DisplayLayout layout(model);
  layout.SetMetrics(Metrics(0));
  CaretPlace c{6, -1};
  c = MoveCaret(model, layout, c, CaretMove::kRowDown, 1);
  EXPECT_EQ(c.pos, 11);  // the end of the short line
  c = MoveCaret(model, layout, c, CaretMove::kRowDown, 1);
  EXPECT_EQ(c.pos, 18);  // back in column 6
  c = MoveCaret(model, layout, c, CaretMove::kCharLeft, 1);
  EXPECT_EQ(c.goalX, -1);
}

TEST(FindWordBreak, CodesOverTheModel) {
  TextModel model("ab, cd  ef");
  struct Case {
    int code;
    TextPos pos;
    TextPos result;
  } cases[] = {{0, 5, 4}, {1, 5, 8}, {0, 1, 0}, {1, 1, 4}, {2, 3, 1}, {2, 4, 0}, {4, 8, 4},
               {5, 0, 4}, {5, 4, 8}, {6, 5, 3}, {7, 4, 6}, {99, 5, 5}};
  for (const Case& c : cases) EXPECT_EQ(FindWordBreak(model, c.code, c.pos), c.result) << c.code << " " << c.pos;
}

}  // namespace
}  // namespace core
