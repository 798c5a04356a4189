// "Select Word": the word at the caret, from its first character up to the
// beginning of the following word, without the separator just before that.
//
// Words are separated by blanks: space, tab and the line-end characters CR
// and LF. A caret inside a word or right after its last character belongs to
// that word; a caret on blanks selects from there up to the next word.
#pragma once

#include <cstddef>
#include <string_view>

namespace core {

struct WordSpan {
  std::size_t start = 0;  // first character of the word at the caret
  std::size_t next = 0;   // first character of the following word, or the end
};

bool IsWordBlank(char c) noexcept;

// Both ends for a caret at `pos` (clamped to the text).
WordSpan WordAround(std::string_view text, std::size_t pos) noexcept;

// The selection of Select Word: [start, end), where end is `next` less the
// blank just before it; a word that ends the text keeps its last character.
WordSpan WordSelection(std::string_view text, std::size_t pos) noexcept;

}  // namespace core
