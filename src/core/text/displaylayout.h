// How the text of a TextModel is laid out on the screen: character widths,
// tab stops, the display lines (rows) of word wrap, and the arithmetic that
// turns points into positions and back.
//
// Measuring: every byte has one width from a 256-entry table of the font;
// a tab advances to the next stop, stops lying every TabStopWidth pixels
// from the row's left edge.
//
// Word wrap: a logical line (the text between line ends) is cut into rows
// no wider than the wrap width. A row ends after the last blank (space or
// tab) that fits; blanks themselves never start a new row (they may hang
// past the edge); a word wider than a row is cut before the character that
// overflows; every row holds at least one character.
//
// The layout of a whole document is computed lazily. The logical lines are
// grouped into blocks of a few hundred; a block knows its number of rows
// once it has been measured and otherwise carries an estimate taken from its
// byte count. Painting and scrolling measure only the lines they show;
// questions that need exact display-line numbers (the caret's line, the
// first position of a display line) measure the blocks in front of the
// answer once, and MeasureSome lets idle time measure ahead. An edit
// re-opens only the block it touched, so its cost does not grow with the
// document.
#pragma once

#include <array>
#include <cstdint>
#include <list>
#include <string_view>
#include <vector>

#include "core/text/textmodel.h"

namespace core {

// Tab stops lie every 8 average character widths.
inline constexpr int kTabStopChars = 8;
inline int TabStopWidth(int averageCharWidth) { return kTabStopChars * (averageCharWidth > 0 ? averageCharWidth : 1); }

struct TextMetrics {
  std::array<int, 256> widths{};  // pixels per byte value
  int tabWidth = 64;              // distance of the tab stops
  int wrapWidth = 0;              // pixels a row may hold; 0: no wrap

  // The x where a byte drawn at `x` ends.
  int Advance(unsigned char c, int x) const {
    if (c == '\t') return (x / tabWidth + 1) * tabWidth;
    return x + widths[c];
  }
};

// Offsets (from the line's start) at which the rows of `line` begin; the
// first is 0. Without wrapping, or for an empty line, just {0}.
std::vector<std::size_t> WrapRows(std::string_view line, const TextMetrics& m);

// The x of the gap before column `col` of a row (col clamped to its length).
int XOfColumn(std::string_view row, std::size_t col, const TextMetrics& m);
// Hit testing: the column whose gap lies nearest to `x` (0 left of the row,
// the row's length right of it).
std::size_t ColumnAtX(std::string_view row, int x, const TextMetrics& m);

// A place in the display: row `row` of logical line `line`.
struct RowRef {
  TextPos line = 0;
  TextPos row = 0;
  friend bool operator==(const RowRef&, const RowRef&) = default;
};

class DisplayLayout {
 public:
  // A block holds `blockLines` lines when it is made (edits may change it).
  explicit DisplayLayout(const TextModel& model, TextPos blockLines = 512);

  // New metrics or wrap width: everything is measured afresh.
  void SetMetrics(const TextMetrics& m);
  const TextMetrics& Metrics() const { return m_; }
  bool Wrapping() const { return m_.wrapWidth > 0; }

  // The model got a whole new text.
  void Reset();
  // The model was edited: logical lines [first, first + removed] became
  // [first, first + added] (removed and added count the line ends taken out
  // and put in). Call after the edit; `at`, when known, is where the edit
  // began, so that what was measured before it stays.
  void Edited(TextPos first, TextPos removed, TextPos added, TextPos at = -1);

  // Logical lines, the empty one after a final line end included.
  TextPos LogicalLines() const;
  TextPos LineStart(TextPos line) const;  // first position of a logical line
  TextPos LineEnd(TextPos line) const;    // position of its line end (or the text's end)
  // Rows of a logical line and where they begin (positions in the text);
  // the reference is valid until the next call.
  TextPos RowsOf(TextPos line);
  const std::vector<TextPos>& RowStarts(TextPos line);
  // The row that holds `pos`; a position where a row begins belongs to it.
  RowRef RowOf(TextPos pos);
  // [start, end) of a row, its line end excluded.
  std::pair<TextPos, TextPos> RowSpan(RowRef r);
  // `delta` rows on (or back), stopping at the first and the last row;
  // `moved` gets the number of rows actually moved when given.
  RowRef Step(RowRef r, TextPos delta, TextPos* moved = nullptr);
  RowRef LastRow();
  // Hit testing inside a row: the position whose gap lies nearest to `x`
  // (pixels from the row's left edge). A wrapped row that goes on in the
  // next row ends before its last gap, which is the next row's first.
  TextPos PosAtX(RowRef r, std::int64_t x);
  // The x of the gap before `pos` in its row.
  std::int64_t XOfPos(TextPos pos);
  // The first position of a row whose character reaches past `x` (the row's
  // end when none does), and the x of the gap before it: where painting a
  // row scrolled by `x` begins.
  TextPos FirstVisible(RowRef r, std::int64_t x, std::int64_t* gapX);

  // --- exact display-line numbering (the line list of the editing control)
  // Rows of the whole text; the empty row after a final line end is left out.
  TextPos DisplayLineCount();
  TextPos DisplayLineFromChar(TextPos pos);
  // First position of a display line; -1 beyond the last (the empty row
  // after a final line end is known).
  TextPos DisplayLineIndex(TextPos displayLine);
  TextPos DisplayLineOf(RowRef r);
  RowRef RowAtDisplayLine(TextPos displayLine);

  // --- estimates for the scroll bar: every row once measured, the rest
  // estimated from their bytes; refined as measuring goes on.
  TextPos EstimatedRows();
  TextPos EstimatedRowOf(RowRef r);
  RowRef RowAtEstimate(TextPos row);

  // Measures blocks not yet measured, about `bytes` of text; false when
  // everything is measured.
  bool MeasureSome(std::size_t bytes);
  bool AllMeasured() const;

 private:
  struct Block {
    TextPos lines = 0;
    TextPos rows = -1;  // -1: not measured yet
    TextPos estimate = 0;
  };
  // Row starts of a long line. An edit in the line keeps the rows in front
  // of the edit's row and the one before it (their starts do not depend on
  // what follows); the rest is measured again from there when asked.
  struct LongLine {
    TextPos start = 0;
    std::vector<TextPos> rows;
    bool complete = true;
  };
  TextPos BlockRows(const Block& b) const { return b.rows >= 0 ? b.rows : b.estimate; }
  // The block holding a logical line, and the first line of that block.
  std::size_t BlockOf(TextPos line, TextPos* firstLine) const;
  void Measure(std::size_t block, TextPos firstLine);
  void Estimate(std::size_t block, TextPos firstLine);
  void Rebuild();
  // Measures every block before `block` (exact numbering) and returns the
  // rows in front of it.
  TextPos ExactRowsBefore(std::size_t block);
  TextPos EstimatedRowsBefore(std::size_t block) const;
  TextPos RowsWithin(TextPos firstLine, TextPos line);  // rows of [firstLine, line)
  std::vector<std::size_t> RowsOfRange(TextPos from, TextPos to);

  const TextModel& model_;
  const TextPos blockLines_;
  TextMetrics m_;
  std::vector<Block> blocks_;
  std::size_t unmeasured_ = 0;  // blocks with rows -1
  std::list<LongLine> longLines_;
  // The x at every kMarkStride-th position of a long unwrapped line, as far
  // as it was measured, so that scrolling and typing far out in such a
  // line measure only the stretch at hand.
  struct XMarks {
    TextPos start = 0;
    std::vector<std::int64_t> xs{0};
  };
  XMarks& MarksOf(TextPos start);
  // Measures the marks on up to `upTo` (at most the line's end).
  void ExtendMarks(XMarks& marks, TextPos upTo, TextPos end);
  std::int64_t ScanX(TextPos from, TextPos to, std::int64_t x) const;
  std::list<XMarks> marks_;
  std::vector<TextPos> scratch_;
};

}  // namespace core
