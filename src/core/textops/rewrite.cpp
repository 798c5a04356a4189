// The rewriting commands: double spaces, unnecessary blanks, HTML tags and
// case conversion.
//
// The clean-ups and the tag removal only ever delete bytes, so they compact
// the text in place: bytes [0, w) are the finished new text, bytes [r, n)
// the untouched rest of the old one, w <= r. Stopping after any step joins
// the two with one erase.
#include <algorithm>
#include <charconv>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/textops/finder.h"
#include "core/textops/textops.h"

namespace core {

using textops_detail::Clamped;

namespace {

// In-place compaction of `text` with a record of the span that changed.
class Compactor {
 public:
  explicit Compactor(std::string& text) : text_(text), s_(text.data()) {}

  std::size_t r() const { return r_; }
  std::size_t w() const { return w_; }
  // The new text so far: finished() followed by the old text from r().
  std::string_view finished() const { return {s_, w_}; }

  // Keeps the next `len` bytes of the old text.
  void Keep(std::size_t len) {
    if (w_ != r_) std::memmove(s_ + w_, s_ + r_, len);
    w_ += len;
    r_ += len;
  }
  // Drops the next `len` bytes of the old text.
  void Drop(std::size_t len) {
    if (len == 0) return;
    if (first_ == std::string::npos) first_ = w_;
    r_ += len;
    oldEnd_ = r_;
    newEnd_ = w_;
  }
  // Joins the finished part and the untouched rest; returns the change.
  TextSpan Finish() {
    text_.erase(w_, r_ - w_);
    if (first_ == std::string::npos) return {};
    return {static_cast<TextPos>(first_), static_cast<TextPos>(oldEnd_ - first_),
            static_cast<TextPos>(newEnd_ - first_)};
  }

 private:
  std::string& text_;
  char* s_;
  std::size_t r_ = 0, w_ = 0;
  std::size_t first_ = std::string::npos, oldEnd_ = 0, newEnd_ = 0;
};

// Finds line ends with memchr, remembering the next CR and LF so the whole
// text is scanned once for each.
class LineEnds {
 public:
  explicit LineEnds(std::string_view text)
      : t_(text), cr_(Next('\r', 0)), lf_(Next('\n', 0)) {}
  // End of the line content starting at `from`, and the length of its line
  // end (0 at the end of the text, 2 for CR LF, else 1).
  std::size_t ContentEnd(std::size_t from, std::size_t& endLength) {
    if (cr_ < from) cr_ = Next('\r', from);
    if (lf_ < from) lf_ = Next('\n', from);
    const std::size_t e = std::min(cr_, lf_);
    if (e == t_.size())
      endLength = 0;
    else
      endLength = t_[e] == '\r' && e + 1 < t_.size() && lf_ == e + 1 ? 2 : 1;
    return e;
  }

 private:
  std::size_t Next(char c, std::size_t from) const {
    const void* p = from < t_.size() ? std::memchr(t_.data() + from, c, t_.size() - from)
                                     : nullptr;
    return p ? static_cast<std::size_t>(static_cast<const char*>(p) - t_.data()) : t_.size();
  }
  std::string_view t_;
  std::size_t cr_, lf_;
};

// Line number of position pos: how many line ends lie wholly before it.
TextPos LineOf(std::string_view text, std::size_t pos) {
  TextPos line = 0;
  for (std::size_t i = 0; i < pos; ++i) {
    if (text[i] == '\n') {
      ++line;
    } else if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') {
        if (i + 2 > pos) break;
        ++i;
      }
      ++line;
    }
  }
  return line;
}

// Progress text "(Line k) Working..." kept in a buffer, redone only when k
// changes.
class LineProgress {
 public:
  std::string_view For(TextPos line) {
    if (line != line_ || size_ == 0) {
      line_ = line;
      static constexpr std::string_view kHead = "(Line ", kTail = ") Working...";
      char* p = buf_;
      std::memcpy(p, kHead.data(), kHead.size());
      p = std::to_chars(p + kHead.size(), p + kHead.size() + 24, line).ptr;
      std::memcpy(p, kTail.data(), kTail.size());
      size_ = static_cast<std::size_t>(p - buf_) + kTail.size();
    }
    return {buf_, size_};
  }

 private:
  TextPos line_ = -1;
  char buf_[48];
  std::size_t size_ = 0;
};

enum class LineWork { kDoubleSpaces, kUnnecessary };

inline bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

TextOpResult RewriteLines(std::string& text, Selection selection, LineWork work,
                          const StepCallback& onStep) {
  TextOpResult res;
  res.selection = Clamped(selection, text.size());
  const std::size_t n = text.size();
  const TextPos caretLineBefore =
      onStep ? LineOf(text, static_cast<std::size_t>(res.selection.start)) : 0;
  Compactor c(text);
  LineEnds ends(text);
  LineProgress progress;
  TextPos line = 0;
  TextPos lastWritten = -1;
  TextPos caret = 0;

  while (c.r() < n) {
    std::size_t endLength = 0;
    const std::size_t e = ends.ContentEnd(c.r(), endLength);
    bool written = false;
    if (work == LineWork::kUnnecessary) {
      std::size_t a = c.r(), b = e;
      while (a < b && IsBlank(text[a])) ++a;
      while (b > a && IsBlank(text[b - 1])) --b;
      c.Drop(a - c.r());
      c.Keep(b - a);
      c.Drop(e - b);
      written = true;
    } else {
      const char* s = text.data();
      while (c.r() < e) {
        const void* p = std::memchr(s + c.r(), ' ', e - c.r());
        if (!p) {
          c.Keep(e - c.r());
          break;
        }
        const auto sp = static_cast<std::size_t>(static_cast<const char*>(p) - s);
        std::size_t j = sp + 1;
        while (j < e && s[j] == ' ') ++j;
        const std::size_t run = j - sp;
        if (run >= 2) {
          written = true;
          c.Keep(sp - c.r() + run % 2);
          c.Drop(run - run % 2);
        } else {
          c.Keep(j - c.r());
        }
      }
    }
    const TextPos k = lastWritten >= 0 ? lastWritten : caretLineBefore;
    if (written) {
      lastWritten = line;
      caret = static_cast<TextPos>(c.w());
    }
    c.Keep(endLength);
    ++line;
    ++res.steps;
    if (onStep &&
        onStep(StepReport{res.steps, 0, progress.For(k), static_cast<TextPos>(c.r()), c.finished()}) ==
            StepVerdict::Cancel) {
      res.cancelled = true;
      break;
    }
  }
  res.span = c.Finish();
  if (lastWritten >= 0) res.selection = {caret, 0};
  return res;
}

// Flips bit 5 of the letters from..from+25 among n bytes (a-z to A-Z and
// back), in place, sixteen at a time where the processor allows.
void FlipLetters(char* bytes, std::size_t n, char from) {
  std::size_t i = 0;
#if defined(__SSE2__)
  // (c - from) < 26 unsigned, as a signed compare once biased by 0x80.
  const __m128i base = _mm_set1_epi8(from);
  const __m128i bias = _mm_set1_epi8(static_cast<char>(0x80));
  const __m128i limit = _mm_set1_epi8(static_cast<char>(26 - 128));
  const __m128i bit = _mm_set1_epi8(0x20);
  for (; i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
    const __m128i letter = _mm_cmplt_epi8(_mm_xor_si128(_mm_sub_epi8(v, base), bias), limit);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + i), _mm_xor_si128(v, _mm_and_si128(letter, bit)));
  }
#endif
  for (; i < n; ++i)
    bytes[i] = static_cast<char>(bytes[i] ^ (static_cast<unsigned char>(bytes[i] - from) < 26 ? 0x20 : 0));
}

// The span case conversion changes in a text read through views: from its
// first to its last letter to change.
TextOpResult ChangeCaseSpan(TextPos length, const TextReader& read, Selection selection, char from,
                            std::size_t window) {
  TextOpResult res;
  const Selection sel = Clamped(selection, static_cast<std::size_t>(std::max<TextPos>(length, 0)));
  res.selection = {sel.start + sel.length, 0};
  res.steps = 1;
  window = std::max<std::size_t>(window, 1);
  auto isLetter = [from](char c) { return static_cast<unsigned char>(c - from) < 26; };
  const auto b = static_cast<std::size_t>(sel.start);
  const auto e = b + static_cast<std::size_t>(sel.length);
  std::string scratch;
  std::size_t first = e;
  for (std::size_t at = b; at < e && first == e; at += window) {
    const std::string_view v = read(static_cast<TextPos>(at), static_cast<TextPos>(std::min(e, at + window)), scratch);
    const auto hit = std::find_if(v.begin(), v.end(), isLetter);
    if (hit != v.end()) first = at + static_cast<std::size_t>(hit - v.begin());
  }
  if (first == e) return res;
  std::size_t last = first + 1;  // just after the last letter
  for (std::size_t to = e; to > first;) {
    const std::size_t at = to - std::min(window, to - first);
    const std::string_view v = read(static_cast<TextPos>(at), static_cast<TextPos>(to), scratch);
    const auto hit = std::find_if(v.rbegin(), v.rend(), isLetter);
    if (hit != v.rend()) {
      last = at + static_cast<std::size_t>(v.rend() - hit);
      break;
    }
    to = at;
  }
  const auto len = static_cast<TextPos>(last - first);
  res.span = {static_cast<TextPos>(first), len, len};
  return res;
}

TextOpResult ChangeCase(std::string& text, Selection selection, char from) {
  const std::string_view whole(text);
  const TextReader read = [whole](TextPos a, TextPos b, std::string&) {
    return whole.substr(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a));
  };
  TextOpResult res = ChangeCaseSpan(static_cast<TextPos>(text.size()), read, selection, from, text.size() + 1);
  if (!res.span.empty())
    FlipLetters(text.data() + res.span.offset, static_cast<std::size_t>(res.span.oldLength), from);
  return res;
}

}  // namespace

TextOpResult RemoveDoubleSpaces(std::string& text, Selection selection,
                                const StepCallback& onStep) {
  return RewriteLines(text, selection, LineWork::kDoubleSpaces, onStep);
}

TextOpResult RemoveUnnecessarySpaces(std::string& text, Selection selection,
                                     const StepCallback& onStep) {
  return RewriteLines(text, selection, LineWork::kUnnecessary, onStep);
}

TextOpResult RemoveHtmlTags(std::string& text, const StepCallback& onStep) {
  TextOpResult res;
  const std::size_t n = text.size();
  Compactor c(text);
  std::size_t caret = 0;
  for (;;) {
    const char* s = text.data();
    const void* open = std::memchr(s + c.r(), '<', n - c.r());
    if (!open) {
      res.beeps = 1;
      break;
    }
    const auto p1 = static_cast<std::size_t>(static_cast<const char*>(open) - s);
    const void* close = std::memchr(s + p1, '>', n - p1);
    if (!close) {
      res.beeps = 1;
      break;
    }
    const auto p2 = static_cast<std::size_t>(static_cast<const char*>(close) - s);
    c.Keep(p1 - c.r());
    caret = c.w();
    c.Drop(p2 + 1 - p1);
    ++res.count;
    ++res.steps;
    if (onStep) {
      char buf[40];
      const auto r = std::to_chars(buf, buf + 12, res.count);
      static constexpr std::string_view kSuffix = " Tags deleted.";
      std::memcpy(r.ptr, kSuffix.data(), kSuffix.size());
      const std::string_view progress(buf, static_cast<std::size_t>(r.ptr - buf) + kSuffix.size());
      if (onStep(StepReport{res.steps, res.count, progress, static_cast<TextPos>(c.r()), c.finished()}) ==
          StepVerdict::Cancel) {
        res.cancelled = true;
        break;
      }
    }
  }
  res.span = c.Finish();
  res.selection = {static_cast<TextPos>(caret), 0};
  return res;
}

TextOpResult UpcaseSelection(std::string& text, Selection selection) {
  return ChangeCase(text, selection, 'a');
}

TextOpResult LowcaseSelection(std::string& text, Selection selection) {
  return ChangeCase(text, selection, 'A');
}

TextOpResult UpcaseSpanIn(TextPos length, const TextReader& read, Selection selection, std::size_t window) {
  return ChangeCaseSpan(length, read, selection, 'a', window);
}

TextOpResult LowcaseSpanIn(TextPos length, const TextReader& read, Selection selection, std::size_t window) {
  return ChangeCaseSpan(length, read, selection, 'A', window);
}

void UpcaseBytes(char* bytes, std::size_t n) { FlipLetters(bytes, n, 'a'); }
void LowcaseBytes(char* bytes, std::size_t n) { FlipLetters(bytes, n, 'A'); }

}  // namespace core
