#include "core/pagelayout.h"

#include <algorithm>

namespace core {

namespace {

constexpr char kLineEnd = '\r';

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Length of the first row of `line` (a line end-free view, not empty).
std::size_t RowLength(std::string_view line, const RowFit& fit) {
  std::size_t fits = std::min(fit(line), line.size());
  if (fits >= line.size()) return line.size();
  // Blanks right after the last character that fits hang at the row's end.
  if (IsBlank(line[fits])) {
    while (fits < line.size() && IsBlank(line[fits])) ++fits;
    return fits;
  }
  // Else the row ends after the last blank that fits ...
  for (std::size_t i = fits; i > 0; --i)
    if (IsBlank(line[i - 1])) return i;
  // ... or, in a word wider than the page, after what fits (at least one).
  return std::max<std::size_t>(fits, 1);
}

}  // namespace

PageLayout LayOutPage(std::string_view text, std::size_t from, int maxRows, const RowFit& fit) {
  PageLayout page{{}, std::min(from, text.size())};
  std::size_t& at = page.next;
  while (at < text.size() && static_cast<int>(page.rows.size()) < maxRows) {
    std::size_t end = text.find(kLineEnd, at);
    if (end == std::string_view::npos) end = text.size();
    std::size_t length = end == at ? 0 : RowLength(text.substr(at, end - at), fit);
    page.rows.push_back({at, at + length});
    at += length;
    // A row that finishes its line takes the line end with it.
    if (at == end && at < text.size()) ++at;
  }
  return page;
}

}  // namespace core
