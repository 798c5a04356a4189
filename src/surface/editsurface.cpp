#include "surface/editsurface.h"

#include <algorithm>

void EditSurface::ForEachSegment(std::int64_t from, std::int64_t to,
                                 const std::function<bool(std::string_view)>& fn) const {
  // A surface that cannot lend its storage gives its text in copies of this size.
  constexpr std::int64_t kSegment = std::int64_t{1} << 20;
  const std::int64_t n = TextLength();
  from = std::clamp<std::int64_t>(from, 0, n);
  to = to < 0 ? n : std::clamp<std::int64_t>(to, from, n);
  for (std::int64_t at = from; at < to; at += kSegment) {
    const std::string part = TextRange(at, std::min(to, at + kSegment));
    if (part.empty() || !fn(part)) return;
  }
}

void EditSurface::RewriteRange(std::int64_t from, std::int64_t to, const std::function<void(char*, std::size_t)>& fn) {
  std::string part = TextRange(from, to);
  fn(part.data(), part.size());
  SetSel(from, to);
  ReplaceSel(part, false);
}
