// Forward search, Find Next, Replace and Replace All.
#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

#include "core/textops/finder.h"
#include "core/textops/textops.h"

namespace core {

namespace {

constexpr bool IsWordByteImpl(unsigned c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
    return true;
  switch (c) {
    case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C:
    case 0x9E: case 0x9F: case 0xAA: case 0xB5: case 0xBA:
      return true;
    default:
      return c >= 0xC0 && c != 0xD7 && c != 0xF7;
  }
}

constexpr unsigned char FoldByteImpl(unsigned c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return static_cast<unsigned char>(c);
  }
}

constexpr std::array<bool, 256> kWordTable = [] {
  std::array<bool, 256> t{};
  for (unsigned c = 0; c < 256; ++c) t[c] = IsWordByteImpl(c);
  return t;
}();

constexpr std::array<unsigned char, 256> kFoldTable = [] {
  std::array<unsigned char, 256> t{};
  for (unsigned c = 0; c < 256; ++c) t[c] = FoldByteImpl(c);
  return t;
}();

std::string NumberThen(long long n, std::string_view prefix, std::string_view suffix) {
  char digits[24];
  auto r = std::to_chars(digits, digits + sizeof digits, n);
  std::string s;
  s.reserve(prefix.size() + static_cast<std::size_t>(r.ptr - digits) + suffix.size());
  s.append(prefix).append(digits, r.ptr).append(suffix);
  return s;
}

TextOpResult Miss(Selection sel) {
  TextOpResult r;
  r.selection = sel;
  r.beeps = 2;  // one for the failed search, one for the report
  r.message = std::string(kNoOtherItemsFound);
  return r;
}

}  // namespace

bool IsWordByte(unsigned char c) noexcept { return kWordTable[c]; }
unsigned char FoldByte(unsigned char c) noexcept { return kFoldTable[c]; }

std::string ItemsReplacedText(int count) { return NumberThen(count, "", " items replaced."); }
std::string LineProgressText(TextPos line) { return NumberThen(line, "(Line ", ") Working..."); }
std::string TagsDeletedText(int count) { return NumberThen(count, "", " Tags deleted."); }

namespace textops_detail {

Finder::Finder(std::string_view what, FindOptions options)
    : what_(what), options_(options) {
  for (unsigned c = 0; c < 256; ++c)
    fold_[c] = options.matchCase ? static_cast<unsigned char>(c) : kFoldTable[c];
  if (what_.empty()) return;
  firstIsWord_ = kWordTable[static_cast<unsigned char>(what_.front())];
  lastIsWord_ = kWordTable[static_cast<unsigned char>(what_.back())];
  for (char& c : what_) c = static_cast<char>(fold_[static_cast<unsigned char>(c)]);
  // Horspool shifts over folded bytes, used by the case-insensitive search.
  const std::size_t m = what_.size();
  skip_.fill(m);
  for (std::size_t k = 0; k + 1 < m; ++k)
    skip_[static_cast<unsigned char>(what_[k])] = m - 1 - k;
}

TextPos Finder::Candidate(std::string_view text, std::size_t from,
                          std::size_t end) const noexcept {
  const std::size_t m = what_.size();
  if (options_.matchCase) {
    const std::size_t p = text.substr(0, end).find(what_, from);
    return p == std::string_view::npos ? kNotFound : static_cast<TextPos>(p);
  }
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const auto* w = reinterpret_cast<const unsigned char*>(what_.data());
  const std::size_t last = m - 1;
  const unsigned char wl = w[last];
  for (std::size_t i = from; i + m <= end;) {
    const unsigned char c = fold_[s[i + last]];
    if (c == wl) {
      std::size_t k = 0;
      while (k < last && fold_[s[i + k]] == w[k]) ++k;
      if (k == last) return static_cast<TextPos>(i);
    }
    i += skip_[c];
  }
  return kNotFound;
}

bool Finder::SplitsNoWord(std::string_view text, std::size_t at, int before) const noexcept {
  if (firstIsWord_ && before >= 0 && kWordTable[static_cast<unsigned char>(before)])
    return false;
  const std::size_t after = at + what_.size();
  if (lastIsWord_ && after < text.size() &&
      kWordTable[static_cast<unsigned char>(text[after])])
    return false;
  return true;
}

TextPos Finder::Find(std::string_view text, std::size_t start, std::size_t end,
                     int before) const noexcept {
  end = std::min(end, text.size());
  if (what_.empty() || start > end || end - start < what_.size()) return kNotFound;
  for (std::size_t from = start;;) {
    const TextPos p = Candidate(text, from, end);
    if (p == kNotFound || !options_.wholeWord) return p;
    const auto at = static_cast<std::size_t>(p);
    const int prev = at == start ? before : static_cast<unsigned char>(text[at - 1]);
    if (SplitsNoWord(text, at, prev)) return p;
    from = at + 1;
  }
}

}  // namespace textops_detail

using textops_detail::Clamped;
using textops_detail::Finder;

TextPos FindForward(std::string_view text, std::string_view what, TextPos start,
                    TextPos end, FindOptions options) {
  const TextPos n = static_cast<TextPos>(text.size());
  start = std::clamp<TextPos>(start, 0, n);
  end = std::clamp<TextPos>(end, 0, n);
  if (what.empty() || start >= end) return kNotFound;
  const auto s = static_cast<std::size_t>(start);
  const int before = s > 0 ? static_cast<unsigned char>(text[s - 1]) : -1;
  return Finder(what, options).Find(text, s, static_cast<std::size_t>(end), before);
}

TextOpResult FindNextIn(TextPos length, Selection selection, std::string_view what, const ForwardSearch& find) {
  const Selection sel = Clamped(selection, static_cast<std::size_t>(length));
  const TextPos r = what.empty() ? kNotFound : find(sel.start + sel.length);
  if (r == kNotFound) return Miss(sel);
  TextOpResult res;
  res.selection = {r, static_cast<TextPos>(what.size())};
  return res;
}

TextOpResult ReplaceNextIn(TextPos length, Selection selection, std::string_view what, std::string_view with,
                           const ForwardSearch& find) {
  TextOpResult res = FindNextIn(length, selection, what, find);
  if (!res.message.empty()) return res;
  const TextPos r = res.selection.start;
  res.span = {r, static_cast<TextPos>(what.size()), static_cast<TextPos>(with.size())};
  res.selection = {r, static_cast<TextPos>(with.size())};
  res.count = 1;
  res.steps = 1;
  return res;
}

TextOpResult FindNext(std::string_view text, Selection selection,
                      std::string_view what, FindOptions options) {
  const auto n = static_cast<TextPos>(text.size());
  return FindNextIn(n, selection, what,
                    [&](TextPos from) { return FindForward(text, what, from, n, options); });
}

TextOpResult ReplaceNext(std::string& text, Selection selection,
                         std::string_view what, std::string_view with,
                         FindOptions options) {
  const auto n = static_cast<TextPos>(text.size());
  const std::string insert(with);  // `with` may view into `text`
  TextOpResult res = ReplaceNextIn(n, selection, what, insert,
                                   [&](TextPos from) { return FindForward(text, what, from, n, options); });
  if (!res.span.empty()) text.replace(static_cast<std::size_t>(res.span.offset), what.size(), insert);
  return res;
}

TextOpResult ReplaceAllIn(TextPos length, const TextReader& read, Selection selection, std::string_view what,
                          std::string_view with, FindOptions options, const StepCallback& onStep,
                          std::string& out, std::size_t window) {
  TextOpResult res;
  const std::size_t n = static_cast<std::size_t>(std::max<TextPos>(length, 0));
  res.selection = Clamped(selection, n);
  const Finder finder(what, options);
  const std::string insert(with);
  const std::size_t m = what.size();
  window = std::max<std::size_t>(window, 1);
  out.clear();
  std::string scratch, gap;
  const auto byteAt = [&](std::size_t at) {
    const std::string_view v = read(static_cast<TextPos>(at), static_cast<TextPos>(at + 1), gap);
    return v.empty() ? -1 : static_cast<unsigned char>(v[0]);
  };

  // The text as rewritten so far is old[0, first) + out + old[copied, n);
  // the search goes on at `pos`, with `before` the byte written before it.
  std::size_t pos = static_cast<std::size_t>(res.selection.start + res.selection.length);
  std::size_t first = std::string::npos;
  std::size_t copied = pos;
  int before = pos > 0 ? byteAt(pos - 1) : -1;

  bool searching = m > 0;
  while (searching) {
    if (n - pos < m) {
      res.beeps = 1;
      break;
    }
    // A view over the hits that begin in [cs, winEnd), with the byte after
    // the last of them for the whole-word test.
    const std::size_t cs = pos;
    const std::size_t winEnd = std::min(n, cs + window);
    const std::size_t limit = std::min(n, winEnd + m - 1);
    const std::string_view view =
        read(static_cast<TextPos>(cs), static_cast<TextPos>(std::min(n, limit + 1)), scratch);
    for (;;) {
      const TextPos r = finder.Find(view, pos - cs, limit - cs, before);
      if (r == kNotFound) {
        if (winEnd > pos) before = static_cast<unsigned char>(view[winEnd - 1 - cs]);
        pos = winEnd;
        if (winEnd == n) {
          res.beeps = 1;
          searching = false;
        }
        break;
      }
      const std::size_t at = cs + static_cast<std::size_t>(r);
      if (first == std::string::npos) {
        first = at;
        out.reserve(insert.size() > m ? n - at + (n - at) / 2 : n - at);
      } else if (copied >= cs) {
        out.append(view.substr(copied - cs, at - copied));
      } else {
        // The old bytes since the last hit began in an earlier view.
        out.append(read(static_cast<TextPos>(copied), static_cast<TextPos>(at), gap));
      }
      const TextPos newStart = static_cast<TextPos>(first + out.size());
      out += insert;
      pos = copied = at + m;
      before = !out.empty() ? static_cast<unsigned char>(out.back()) : first > 0 ? byteAt(first - 1) : -1;
      res.selection = {newStart, static_cast<TextPos>(insert.size())};
      ++res.count;
      ++res.steps;
      if (onStep && onStep(StepReport{res.steps, res.count, {}, -1, {}}) == StepVerdict::Cancel) {
        res.cancelled = true;
        searching = false;
        break;
      }
      if (pos >= winEnd) break;
    }
  }
  if (m == 0) res.beeps = 1;

  if (first != std::string::npos)
    res.span = {static_cast<TextPos>(first), static_cast<TextPos>(copied - first), static_cast<TextPos>(out.size())};
  res.message = ItemsReplacedText(res.count);
  return res;
}

TextOpResult ReplaceAll(std::string& text, Selection selection,
                        std::string_view what, std::string_view with,
                        FindOptions options, const StepCallback& onStep) {
  std::string out;
  const std::string_view old(text);
  const TextReader read = [old](TextPos from, TextPos to, std::string&) {
    return old.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
  };
  TextOpResult res = ReplaceAllIn(static_cast<TextPos>(text.size()), read, selection, what, with, options, onStep,
                                  out, text.size() + 1);
  if (!res.span.empty())
    text.replace(static_cast<std::size_t>(res.span.offset), static_cast<std::size_t>(res.span.oldLength), out);
  return res;
}

}  // namespace core
