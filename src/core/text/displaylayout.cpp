#include "core/text/displaylayout.h"

#include <algorithm>

namespace core {

namespace {

// Lines longer than this keep their row starts in a small cache, so that
// painting and scrolling inside them does not measure them again.
constexpr TextPos kLongLine = 4096;
constexpr std::size_t kLongLinesKept = 4;
constexpr TextPos kMarkStride = 1 << 14;

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t'; }

// Cuts the bytes of one logical line, fed in pieces, into rows.
class RowBreaker {
 public:
  explicit RowBreaker(const TextMetrics& m) : m_(m) {}
  // Each byte of a line in order; true when a row began before it.
  bool Put(unsigned char c) {
    bool broke = false;
    if (IsBlank(c)) {
      x_ = m_.Advance(c, x_);
      ++i_;
      opp_ = i_;
      xAtOpp_ = x_;
      return false;
    }
    int nx = m_.Advance(c, x_);
    while (nx > m_.wrapWidth && i_ > rowStart_) {
      if (opp_ > rowStart_) {  // after the last blank that fitted
        rowStart_ = opp_;
        x_ -= xAtOpp_;  // only non-blanks since: no tab to re-measure
      } else {             // a word wider than the row: cut before c
        rowStart_ = i_;
        x_ = 0;
      }
      opp_ = rowStart_;
      ++rows_;
      broke = true;
      if (starts_) starts_->push_back(rowStart_);
      nx = m_.Advance(c, x_);
    }
    x_ = nx;
    ++i_;
    return broke;
  }
  // The line ended; the breaker is ready for the next one.
  void EndLine() {
    x_ = 0;
    i_ = rowStart_ = opp_ = 0;
    xAtOpp_ = 0;
  }
  void CollectStarts(std::vector<std::size_t>* starts) { starts_ = starts; }
  // Row breaks seen (rows beyond the first of each line).
  TextPos Breaks() const { return rows_; }

 private:
  const TextMetrics& m_;
  int x_ = 0;
  std::size_t i_ = 0, rowStart_ = 0, opp_ = 0;
  int xAtOpp_ = 0;
  TextPos rows_ = 0;
  std::vector<std::size_t>* starts_ = nullptr;
};

}  // namespace

std::vector<std::size_t> WrapRows(std::string_view line, const TextMetrics& m) {
  std::vector<std::size_t> starts{0};
  if (m.wrapWidth <= 0) return starts;
  RowBreaker b(m);
  b.CollectStarts(&starts);
  for (char c : line) b.Put(static_cast<unsigned char>(c));
  return starts;
}

int XOfColumn(std::string_view row, std::size_t col, const TextMetrics& m) {
  int x = 0;
  col = std::min(col, row.size());
  for (std::size_t i = 0; i < col; ++i) x = m.Advance(static_cast<unsigned char>(row[i]), x);
  return x;
}

std::size_t ColumnAtX(std::string_view row, int x, const TextMetrics& m) {
  int left = 0;
  for (std::size_t i = 0; i < row.size(); ++i) {
    const int right = m.Advance(static_cast<unsigned char>(row[i]), left);
    // Nearer to the gap before the character than to the one after it.
    if (x < left + (right - left + 1) / 2) return i;
    left = right;
  }
  return row.size();
}

DisplayLayout::DisplayLayout(const TextModel& model, TextPos blockLines)
    : model_(model), blockLines_(std::max<TextPos>(blockLines, 1)) {
  Rebuild();
}

void DisplayLayout::SetMetrics(const TextMetrics& m) {
  m_ = m;
  if (m_.tabWidth <= 0) m_.tabWidth = 1;
  Rebuild();
}

void DisplayLayout::Reset() { Rebuild(); }

TextPos DisplayLayout::LogicalLines() const { return model_.LineFromChar(model_.Length()) + 1; }

TextPos DisplayLayout::LineStart(TextPos line) const {
  const TextPos s = model_.LineIndex(line);
  return s < 0 ? model_.Length() : s;
}

TextPos DisplayLayout::LineEnd(TextPos line) const {
  const TextPos next = model_.LineIndex(line + 1);
  return next < 0 ? model_.Length() : next - 1;
}

void DisplayLayout::Estimate(std::size_t block, TextPos firstLine) {
  Block& b = blocks_[block];
  if (!Wrapping()) {
    b.rows = b.estimate = b.lines;
    return;
  }
  const TextPos bytes = LineStart(firstLine + b.lines) - LineStart(firstLine);
  const int avg = std::max(1, m_.widths['n']);
  b.estimate = b.lines + bytes * avg / m_.wrapWidth;
}

void DisplayLayout::Rebuild() {
  blocks_.clear();
  longLines_.clear();
  marks_.clear();
  unmeasured_ = 0;
  const TextPos n = LogicalLines();
  for (TextPos first = 0; first < n; first += blockLines_) {
    blocks_.push_back({std::min(blockLines_, n - first), -1, 0});
    Estimate(blocks_.size() - 1, first);
    if (blocks_.back().rows < 0) ++unmeasured_;
  }
}

void DisplayLayout::Edited(TextPos first, TextPos removed, TextPos added, TextPos at) {
  for (auto it = longLines_.begin(); it != longLines_.end();) {
    if (at < 0 || it->start > at) {
      it = longLines_.erase(it);
      continue;
    }
    // Rows up to the one before the row that held `at` stay.
    const auto row = std::upper_bound(it->rows.begin(), it->rows.end(), at);
    const std::size_t keep = std::max<std::ptrdiff_t>(row - it->rows.begin() - 1, 1);
    if (it->rows.size() > keep) it->rows.resize(keep);
    it->complete = false;
    ++it;
  }
  for (auto it = marks_.begin(); it != marks_.end();) {
    if (at < 0 || it->start > at) {
      it = marks_.erase(it);
    } else {
      const std::size_t keep = static_cast<std::size_t>((at - it->start) / kMarkStride) + 1;
      if (it->xs.size() > keep) it->xs.resize(keep);
      ++it;
    }
  }
  TextPos fb = 0;
  std::size_t b = BlockOf(first, &fb);
  // The removed line ends may reach into the blocks after b: one block
  // takes them all.
  while (b + 1 < blocks_.size() && fb + blocks_[b].lines <= first + removed) {
    blocks_[b].lines += blocks_[b + 1].lines;
    if (blocks_[b + 1].rows < 0) --unmeasured_;
    blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b) + 1);
  }
  blocks_[b].lines += added - removed;
  if (blocks_[b].rows < 0) --unmeasured_;
  blocks_[b].rows = -1;
  // A block grown by a large paste is cut again.
  if (blocks_[b].lines > 4 * blockLines_) {
    TextPos lines = blocks_[b].lines;
    std::vector<Block> parts;
    for (; lines > 0; lines -= std::min(lines, blockLines_)) parts.push_back({std::min(lines, blockLines_), -1, 0});
    blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b));
    blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(b), parts.begin(), parts.end());
    for (std::size_t i = 0; i < parts.size(); ++i) {
      Estimate(b + i, fb);
      if (blocks_[b + i].rows < 0) ++unmeasured_;
      fb += blocks_[b + i].lines;
    }
    return;
  }
  Estimate(b, fb);
  if (blocks_[b].rows < 0) ++unmeasured_;
}

std::size_t DisplayLayout::BlockOf(TextPos line, TextPos* firstLine) const {
  TextPos first = 0;
  std::size_t b = 0;
  for (; b + 1 < blocks_.size() && first + blocks_[b].lines <= line; ++b) first += blocks_[b].lines;
  *firstLine = first;
  return b;
}

void DisplayLayout::Measure(std::size_t block, TextPos firstLine) {
  Block& b = blocks_[block];
  if (b.rows >= 0) return;
  const TextPos from = LineStart(firstLine);
  const TextPos to = firstLine + b.lines >= LogicalLines() ? model_.Length() : LineStart(firstLine + b.lines);
  if (to - from > b.lines * kLongLine) {
    // Long lines among them: line by line, the long ones through their
    // kept rows.
    b.rows = RowsWithin(firstLine, firstLine + b.lines);
  } else {
    RowBreaker breaker(m_);
    model_.ForEachSegment(from, to, [&](std::string_view s) {
      for (char c : s) {
        if (c == kModelLineEnd)
          breaker.EndLine();
        else
          breaker.Put(static_cast<unsigned char>(c));
      }
      return true;
    });
    b.rows = b.lines + breaker.Breaks();
  }
  --unmeasured_;
}

bool DisplayLayout::AllMeasured() const { return unmeasured_ == 0; }

bool DisplayLayout::MeasureSome(std::size_t bytes) {
  TextPos first = 0;
  std::size_t done = 0;
  for (std::size_t b = 0; b < blocks_.size() && unmeasured_ > 0 && done < bytes; ++b) {
    if (blocks_[b].rows < 0) {
      done += static_cast<std::size_t>(LineStart(first + blocks_[b].lines) - LineStart(first)) + 1;
      Measure(b, first);
    }
    first += blocks_[b].lines;
  }
  return unmeasured_ > 0;
}

std::vector<std::size_t> DisplayLayout::RowsOfRange(TextPos from, TextPos to) {
  std::vector<std::size_t> starts{0};
  RowBreaker breaker(m_);
  breaker.CollectStarts(&starts);
  model_.ForEachSegment(from, to, [&](std::string_view s) {
    for (char c : s) breaker.Put(static_cast<unsigned char>(c));
    return true;
  });
  return starts;
}

const std::vector<TextPos>& DisplayLayout::RowStarts(TextPos line) {
  const TextPos start = LineStart(line);
  if (!Wrapping()) {
    scratch_.assign(1, start);
    return scratch_;
  }
  const TextPos end = LineEnd(line);
  const bool isLong = end - start > kLongLine;
  if (isLong) {
    for (auto it = longLines_.begin(); it != longLines_.end(); ++it)
      if (it->start == start) {
        longLines_.splice(longLines_.begin(), longLines_, it);
        LongLine& l = longLines_.front();
        if (!l.complete) {  // measure on from the last row kept
          const TextPos from = l.rows.back();
          const std::vector<std::size_t> more = RowsOfRange(from, end);
          for (std::size_t i = 1; i < more.size(); ++i) l.rows.push_back(from + static_cast<TextPos>(more[i]));
          l.complete = true;
        }
        return l.rows;
      }
  }
  const std::vector<std::size_t> offsets =
      isLong ? RowsOfRange(start, end) : WrapRows(model_.TextRange(start, end), m_);
  std::vector<TextPos>& rows = isLong ? longLines_.emplace_front(LongLine{start, {}, true}).rows : scratch_;
  rows.resize(offsets.size());
  for (std::size_t i = 0; i < offsets.size(); ++i) rows[i] = start + static_cast<TextPos>(offsets[i]);
  if (longLines_.size() > kLongLinesKept) longLines_.pop_back();
  return rows;
}

TextPos DisplayLayout::RowsOf(TextPos line) {
  if (!Wrapping()) return 1;
  return static_cast<TextPos>(RowStarts(line).size());
}

RowRef DisplayLayout::RowOf(TextPos pos) {
  pos = std::clamp<TextPos>(pos, 0, model_.Length());
  const TextPos line = model_.LineFromChar(pos);
  if (!Wrapping()) return {line, 0};
  const std::vector<TextPos>& starts = RowStarts(line);
  const auto it = std::upper_bound(starts.begin(), starts.end(), pos);
  return {line, static_cast<TextPos>(it - starts.begin()) - 1};
}

std::pair<TextPos, TextPos> DisplayLayout::RowSpan(RowRef r) {
  if (!Wrapping()) return {LineStart(r.line), LineEnd(r.line)};
  const std::vector<TextPos>& starts = RowStarts(r.line);
  const std::size_t row = static_cast<std::size_t>(std::clamp<TextPos>(r.row, 0, static_cast<TextPos>(starts.size()) - 1));
  return {starts[row], row + 1 < starts.size() ? starts[row + 1] : LineEnd(r.line)};
}

std::int64_t DisplayLayout::ScanX(TextPos from, TextPos to, std::int64_t x) const {
  model_.ForEachSegment(from, to, [&](std::string_view s) {
    for (char c : s)
      x = c == '\t' ? (x / m_.tabWidth + 1) * m_.tabWidth : x + m_.widths[static_cast<unsigned char>(c)];
    return true;
  });
  return x;
}

DisplayLayout::XMarks& DisplayLayout::MarksOf(TextPos start) {
  for (auto it = marks_.begin(); it != marks_.end(); ++it)
    if (it->start == start) {
      marks_.splice(marks_.begin(), marks_, it);
      return marks_.front();
    }
  marks_.push_front(XMarks{start, {0}});
  if (marks_.size() > kLongLinesKept) marks_.pop_back();
  return marks_.front();
}

void DisplayLayout::ExtendMarks(XMarks& marks, TextPos upTo, TextPos end) {
  upTo = std::min(upTo, end);
  for (TextPos known = marks.start + static_cast<TextPos>(marks.xs.size() - 1) * kMarkStride; known + kMarkStride <= upTo;
       known += kMarkStride)
    marks.xs.push_back(ScanX(known, known + kMarkStride, marks.xs.back()));
}

TextPos DisplayLayout::FirstVisible(RowRef r, std::int64_t x, std::int64_t* gapX) {
  const auto [start, end] = RowSpan(r);
  TextPos pos = start;
  std::int64_t left = 0;
  if (!Wrapping() && end - start > kLongLine) {
    XMarks& marks = MarksOf(start);
    // Measure on until a mark lies past x or the line ends.
    while (marks.xs.back() <= x) {
      const std::size_t before = marks.xs.size();
      ExtendMarks(marks, marks.start + static_cast<TextPos>(before) * kMarkStride, end);
      if (marks.xs.size() == before) break;
    }
    const auto it = std::upper_bound(marks.xs.begin(), marks.xs.end(), x);
    const std::size_t k = it == marks.xs.begin() ? 0 : static_cast<std::size_t>(it - marks.xs.begin()) - 1;
    pos = start + static_cast<TextPos>(k) * kMarkStride;
    left = marks.xs[k];
  }
  model_.ForEachSegment(pos, end, [&](std::string_view s) {
    for (char c : s) {
      const std::int64_t right =
          c == '\t' ? (left / m_.tabWidth + 1) * m_.tabWidth : left + m_.widths[static_cast<unsigned char>(c)];
      if (right > x) return false;
      left = right;
      ++pos;
    }
    return true;
  });
  *gapX = left;
  return pos;
}

TextPos DisplayLayout::PosAtX(RowRef r, std::int64_t x) {
  const auto [start, end] = RowSpan(r);
  const bool continues = Wrapping() && r.row + 1 < RowsOf(r.line);
  const TextPos last = continues && end > start ? end - 1 : end;
  std::int64_t left = 0;
  TextPos pos = FirstVisible(r, x, &left);
  if (pos >= last) return last;
  // x lies on the character at pos: its nearer gap.
  const auto c = static_cast<unsigned char>(model_.At(pos));
  const std::int64_t right = c == '\t' ? (left / m_.tabWidth + 1) * m_.tabWidth : left + m_.widths[c];
  return x < left + (right - left + 1) / 2 ? pos : pos + 1;
}

std::int64_t DisplayLayout::XOfPos(TextPos pos) {
  pos = std::clamp<TextPos>(pos, 0, model_.Length());
  const RowRef r = RowOf(pos);
  const auto [start, end] = RowSpan(r);
  if (!Wrapping() && pos - start > kLongLine) {
    XMarks& marks = MarksOf(start);
    ExtendMarks(marks, pos, end);
    const std::size_t k = std::min(static_cast<std::size_t>((pos - start) / kMarkStride), marks.xs.size() - 1);
    const TextPos from = start + static_cast<TextPos>(k) * kMarkStride;
    return ScanX(from, pos, marks.xs[k]);
  }
  return ScanX(start, pos, 0);
}

RowRef DisplayLayout::LastRow() {
  const TextPos line = LogicalLines() - 1;
  return {line, RowsOf(line) - 1};
}

RowRef DisplayLayout::Step(RowRef r, TextPos delta, TextPos* moved) {
  TextPos remaining = delta < 0 ? -delta : delta;
  if (!Wrapping()) {
    const TextPos to = std::clamp<TextPos>(r.line + delta, 0, LogicalLines() - 1);
    if (moved) *moved = to - r.line;
    return {to, 0};
  }
  if (delta > 0) {
    const TextPos n = LogicalLines();
    while (remaining > 0) {
      const TextPos rows = RowsOf(r.line);
      if (r.row + remaining <= rows - 1) {
        r.row += remaining;
        remaining = 0;
      } else if (r.line + 1 >= n) {
        remaining -= rows - 1 - r.row;
        r.row = rows - 1;
        break;
      } else {
        remaining -= rows - r.row;
        ++r.line;
        r.row = 0;
      }
    }
    if (moved) *moved = delta - remaining;
  } else {
    while (remaining > 0) {
      if (r.row >= remaining) {
        r.row -= remaining;
        remaining = 0;
      } else if (r.line == 0) {
        remaining -= r.row;
        r.row = 0;
        break;
      } else {
        remaining -= r.row + 1;
        --r.line;
        r.row = RowsOf(r.line) - 1;
      }
    }
    if (moved) *moved = delta + remaining;
  }
  return r;
}

TextPos DisplayLayout::RowsWithin(TextPos firstLine, TextPos line) {
  TextPos rows = 0;
  for (TextPos l = firstLine; l < line; ++l) rows += RowsOf(l);
  return rows;
}

TextPos DisplayLayout::ExactRowsBefore(std::size_t block) {
  TextPos rows = 0, first = 0;
  for (std::size_t b = 0; b < block && b < blocks_.size(); ++b) {
    Measure(b, first);
    rows += blocks_[b].rows;
    first += blocks_[b].lines;
  }
  return rows;
}

TextPos DisplayLayout::EstimatedRowsBefore(std::size_t block) const {
  TextPos rows = 0;
  for (std::size_t b = 0; b < block && b < blocks_.size(); ++b) rows += BlockRows(blocks_[b]);
  return rows;
}

TextPos DisplayLayout::DisplayLineOf(RowRef r) {
  if (!Wrapping()) return r.line;
  TextPos first = 0;
  const std::size_t b = BlockOf(r.line, &first);
  return ExactRowsBefore(b) + RowsWithin(first, r.line) + r.row;
}

TextPos DisplayLayout::DisplayLineFromChar(TextPos pos) { return DisplayLineOf(RowOf(pos)); }

RowRef DisplayLayout::RowAtDisplayLine(TextPos displayLine) {
  if (displayLine < 0) return {-1, 0};
  if (!Wrapping()) return displayLine < LogicalLines() ? RowRef{displayLine, 0} : RowRef{-1, 0};
  TextPos acc = 0, first = 0;
  for (std::size_t b = 0; b < blocks_.size(); ++b) {
    Measure(b, first);
    if (acc + blocks_[b].rows > displayLine) {
      for (TextPos line = first;; ++line) {
        const TextPos rows = RowsOf(line);
        if (acc + rows > displayLine) return {line, displayLine - acc};
        acc += rows;
      }
    }
    acc += blocks_[b].rows;
    first += blocks_[b].lines;
  }
  return {-1, 0};
}

TextPos DisplayLayout::DisplayLineIndex(TextPos displayLine) {
  const RowRef r = RowAtDisplayLine(displayLine);
  return r.line < 0 ? -1 : RowSpan(r).first;
}

TextPos DisplayLayout::DisplayLineCount() {
  const TextPos rows = ExactRowsBefore(blocks_.size());
  // The empty row after a final line end (or of an empty text) is not listed.
  const bool emptyLast = LineStart(LogicalLines() - 1) == model_.Length();
  return rows - (emptyLast ? 1 : 0);
}

TextPos DisplayLayout::EstimatedRows() { return EstimatedRowsBefore(blocks_.size()); }

TextPos DisplayLayout::EstimatedRowOf(RowRef r) {
  if (!Wrapping()) return r.line;
  TextPos first = 0;
  const std::size_t b = BlockOf(r.line, &first);
  Measure(b, first);
  return EstimatedRowsBefore(b) + RowsWithin(first, r.line) + r.row;
}

RowRef DisplayLayout::RowAtEstimate(TextPos row) {
  if (!Wrapping()) return {std::clamp<TextPos>(row, 0, LogicalLines() - 1), 0};
  if (row < 0) return {0, 0};
  TextPos acc = 0, first = 0;
  for (std::size_t b = 0; b < blocks_.size(); ++b) {
    if (acc + BlockRows(blocks_[b]) > row) {
      Measure(b, first);
      // The measured block may be shorter than its estimate: its last row.
      const TextPos within = std::min(row - acc, blocks_[b].rows - 1);
      TextPos at = 0;
      for (TextPos line = first;; ++line) {
        const TextPos rows = RowsOf(line);
        if (at + rows > within) return {line, within - at};
        at += rows;
      }
    }
    acc += BlockRows(blocks_[b]);
    first += blocks_[b].lines;
  }
  return LastRow();
}

}  // namespace core
