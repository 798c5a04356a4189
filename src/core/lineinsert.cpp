#include "core/lineinsert.h"

#include <algorithm>

#include "core/textfile.h"

namespace core {
namespace {

// Index of the line holding `pos`, or spans.size() when `pos` lies after the
// final line end (on no line). A position inside a CR LF belongs to the line
// the pair ends.
std::size_t LineOfPosition(const std::vector<LineSpan>& spans, std::size_t pos) {
  const auto it = std::upper_bound(spans.begin(), spans.end(), pos,
                                   [](std::size_t p, const LineSpan& s) { return p < s.next; });
  if (it != spans.end()) return static_cast<std::size_t>(it - spans.begin());
  // At the very end of the text: on the last line unless that line ended.
  if (!spans.empty() && spans.back().end == spans.back().next && pos >= spans.back().begin) return spans.size() - 1;
  return spans.size();
}

LineRange RangeOf(const std::vector<LineSpan>& spans, bool selectedLinesOnly, std::size_t selStart,
                  std::size_t selLength) {
  if (spans.empty()) return {};
  if (!selectedLinesOnly) return {0, spans.size()};
  const std::size_t first = LineOfPosition(spans, selStart);
  if (first >= spans.size()) return {};
  const std::size_t selEnd = selLength > static_cast<std::size_t>(-1) - selStart ? static_cast<std::size_t>(-1)
                                                                                    : selStart + selLength;
  const std::size_t last = std::min(LineOfPosition(spans, selEnd), spans.size() - 1);
  return {first, last - first + 1};
}

}  // namespace

std::vector<LineSpan> LineSpans(std::string_view text) {
  std::vector<LineSpan> spans;
  std::size_t begin = 0, pos = 0, length = 0;
  LineEndScanner scanner(text);
  while (scanner.Next(begin, pos, length)) {
    spans.push_back({begin, pos, pos + length});
    begin = pos + length;
  }
  if (begin < text.size()) spans.push_back({begin, text.size(), text.size()});
  return spans;
}

LineRange StringCommandLines(std::string_view text, bool selectedLinesOnly, std::size_t selStart,
                             std::size_t selLength) {
  return RangeOf(LineSpans(text), selectedLinesOnly, selStart, selLength);
}

InsertStringResult InsertStringOnLines(std::string_view text, const InsertStringRequest& request,
                                       const std::function<bool(const LineStep&)>& step) {
  const std::vector<LineSpan> spans = LineSpans(text);
  const LineRange range = RangeOf(spans, request.selectedLinesOnly, request.selStart, request.selLength);

  InsertStringResult result;
  result.caret = request.selStart;
  result.text.reserve(text.size() + range.count * request.insert.size());
  std::size_t copied = 0;  // text[0, copied) is already in result.text
  for (std::size_t line = range.first; line < range.first + range.count; ++line) {
    const LineSpan& span = spans[line];
    const std::size_t at = request.atLineStart ? span.begin : span.end;
    result.text.append(text, copied, at - copied);
    copied = at;
    const std::size_t position = result.text.size();
    result.text.append(request.insert);
    result.caret = result.text.size();
    ++result.linesChanged;
    if (step && !step(LineStep{line, position})) {
      result.cancelled = line + 1 < range.first + range.count;
      break;
    }
  }
  result.text.append(text, copied, text.size() - copied);
  return result;
}

}  // namespace core
