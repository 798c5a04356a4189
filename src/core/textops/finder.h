// Prepared forward search shared by the text operations: built once for a
// find text and options, then run many times over a text (Replace All runs
// it once per replacement). Matching follows the rules in textops.h.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/textops/textops.h"

namespace core::textops_detail {

class Finder {
 public:
  Finder(std::string_view what, FindOptions options);

  // First hit lying wholly in text[start, end), or kNotFound. `before` is the
  // byte taken as standing right before text[start] for the whole-word test,
  // or -1 for none; Replace All passes the last byte it has written, which is
  // what precedes `start` in the text as it is being rewritten.
  TextPos Find(std::string_view text, std::size_t start, std::size_t end,
               int before) const noexcept;

  std::size_t size() const noexcept { return what_.size(); }

 private:
  TextPos Candidate(std::string_view text, std::size_t from,
                    std::size_t end) const noexcept;
  bool SplitsNoWord(std::string_view text, std::size_t at,
                    int before) const noexcept;

  std::string what_;  // folded when the search ignores case
  FindOptions options_;
  bool firstIsWord_ = false;
  bool lastIsWord_ = false;
  std::array<unsigned char, 256> fold_{};
  std::array<std::size_t, 256> skip_{};
};

// A selection made forward (a negative length selects backward from start)
// and clamped into a text of `size` bytes.
inline Selection Clamped(Selection sel, std::size_t size) {
  const TextPos n = static_cast<TextPos>(size);
  if (sel.length < 0) {
    sel.start += sel.length;
    sel.length = -sel.length;
  }
  sel.start = std::clamp<TextPos>(sel.start, 0, n);
  sel.length = std::clamp<TextPos>(sel.length, 0, n - sel.start);
  return sel;
}

}  // namespace core::textops_detail
