#include "core/wordsel.h"

#include <algorithm>

namespace core {

bool IsWordBlank(char c) noexcept { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

WordSpan WordAround(std::string_view text, std::size_t pos) noexcept {
  pos = std::min(pos, text.size());
  WordSpan w;
  w.start = pos;
  while (w.start > 0 && !IsWordBlank(text[w.start - 1])) --w.start;
  w.next = pos;
  while (w.next < text.size() && !IsWordBlank(text[w.next])) ++w.next;
  while (w.next < text.size() && IsWordBlank(text[w.next])) ++w.next;
  return w;
}

WordSpan WordSelection(std::string_view text, std::size_t pos) noexcept {
  WordSpan w = WordAround(text, pos);
  if (w.next > w.start && IsWordBlank(text[w.next - 1])) --w.next;
  return w;
}

}  // namespace core
