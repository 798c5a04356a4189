// Laying plain text out on printed pages: rows of one font, broken at line
// ends and, where a line is wider than the page, after the last blank that
// still fits (or, in a word wider than the page, after the last character
// that fits). Blanks at a break stay at the end of their row, so the next
// row starts with the next word. No character is ever left out: every
// character of the text lands in exactly one row, or is a line end.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace core {

// Characters [from, to) of the text, drawn as one row.
struct PageRow {
  std::size_t from, to;
};

struct PageLayout {
  std::vector<PageRow> rows;
  // The first character the page did not take (the text's size when all
  // of it is placed).
  std::size_t next;
};

// How many leading characters of `row` fit across the page. The view never
// holds a line end.
using RowFit = std::function<std::size_t(std::string_view row)>;

// Lays `text` out from `from` on a page of at most `maxRows` rows. Lines end
// with '\r' (one character, as the editing control holds them); an empty
// line takes a row; the line end after the last line takes none. When a
// fit says nothing fits, the row still takes one character.
PageLayout LayOutPage(std::string_view text, std::size_t from, int maxRows, const RowFit& fit);

}  // namespace core
