// The "&String..." command: a string put before or after every line, or every
// selected line, of a document; and the join rule of "Append File".
//
// Lines are the text between line ends (CR LF, lone CR or lone LF), also while
// the window wraps long lines for display; a text that ends with a line end
// has no further empty line, and the empty text has no lines. Positions are
// offsets into the text passed in, which must therefore count characters the
// way the editing control counts its positions.
//
// Which lines are touched:
//   all lines      - from line 0 to the last line.
//   selected lines - from the line that holds the selection start to the line
//                    that holds selection start + length. A selection that
//                    ends at the very start of a line takes that line too; no
//                    selection takes the caret's line. A selection that runs
//                    to the end of a text ending with a line end stops at the
//                    last line; a caret after the final line end (or in an
//                    empty text) is on no line, and nothing is touched.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// One line: its characters are [begin, end); its line end, if any, runs from
// end to next (the start of the following line).
struct LineSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t next = 0;
};

std::vector<LineSpan> LineSpans(std::string_view text);

// Lines [first, first + count) to work on; count 0 when there are none.
struct LineRange {
  std::size_t first = 0;
  std::size_t count = 0;
};

LineRange StringCommandLines(std::string_view text, bool selectedLinesOnly, std::size_t selStart,
                             std::size_t selLength);

struct InsertStringRequest {
  std::string_view insert;  // the string to put on each line
  bool atLineStart = true;  // before the line's text, else after it
  bool selectedLinesOnly = false;
  std::size_t selStart = 0;
  std::size_t selLength = 0;
};

// Reported after each changed line.
struct LineStep {
  std::size_t line = 0;      // index of the line just changed, counted from 0
  std::size_t position = 0;  // where the string went, in the text as it stands after this step
};

struct InsertStringResult {
  std::string text;              // the text with every change done
  std::size_t linesChanged = 0;  // lines changed before the end or the cancel
  bool cancelled = false;        // stopped by `step` before the last line
  std::size_t caret = 0;  // just after the string inserted last; selStart when no line changed
};

// Puts the string on the lines in order. `step` (may be empty) runs after each
// line; when it returns false the work stops there and the lines changed so
// far stay changed. A caller that mirrors each step into a control inserts
// `insert` at step.position; the final text is then the same as result.text.
InsertStringResult InsertStringOnLines(std::string_view text, const InsertStringRequest& request,
                                       const std::function<bool(const LineStep&)>& step = {});

}  // namespace core
