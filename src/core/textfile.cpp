#include "core/textfile.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace core {
namespace {

bool IsLineEndChar(char c) { return c == '\r' || c == '\n'; }

// The exact converted size (see ConvertLineEnds), found by a first scan.
std::size_t ConvertedSize(std::string_view in, std::size_t lineEndSize, bool endLastLine) {
  std::size_t size = in.size();
  LineEndScanner scanner(in);
  std::size_t from = 0, pos = 0, length = 0;
  while (scanner.Next(from, pos, length)) {
    size = size - length + lineEndSize;
    from = pos + length;
  }
  if (endLastLine && !in.empty() && !IsLineEndChar(in.back())) size += lineEndSize;
  return size;
}

// Returns `in` with `lineEnd` written for every CR LF, lone CR and lone LF,
// plus `lineEnd` once more at the end when `endLastLine` is set and the text
// does not already end with a line end. The result is sized exactly once and
// filled with block copies; both scans find line ends with memchr.
std::string ConvertLineEnds(std::string_view in, std::string_view lineEnd, bool endLastLine) {
  std::string out;
  out.resize(ConvertedSize(in, lineEnd.size(), endLastLine));
  char* w = out.data();
  const auto put = [&w](const char* p, std::size_t n) {
    if (n == 0) return;
    std::memcpy(w, p, n);
    w += n;
  };
  LineEndScanner scanner(in);
  std::size_t from = 0, pos = 0, length = 0;
  while (scanner.Next(from, pos, length)) {
    put(in.data() + from, pos - from);
    put(lineEnd.data(), lineEnd.size());
    from = pos + length;
  }
  put(in.data() + from, in.size() - from);
  if (endLastLine && !in.empty() && !IsLineEndChar(in.back())) put(lineEnd.data(), lineEnd.size());
  return out;
}

}  // namespace

TextFormat FormatFromFilterIndex(int filterIndex) {
  switch (filterIndex) {
    case 2: return TextFormat::tfUnix;
    case 3: return TextFormat::tfMac;
    default: return TextFormat::tfDos;
  }
}

std::string DocumentFromFileBytes(std::string_view bytes) {
  return ConvertLineEnds(bytes, kDocumentLineEnd, false);
}

namespace {

std::string_view LineEndOf(TextFormat format) {
  switch (format) {
    case TextFormat::tfUnix: return "\n";
    case TextFormat::tfMac: return "\r";
    default: return "\r\n";
  }
}

}  // namespace

std::string FileBytesFromDocument(std::string_view text, TextFormat format) {
  // UNIX and Mac end every line, the last one included.
  return ConvertLineEnds(text, LineEndOf(format), format != TextFormat::tfDos);
}

FileBytesWriter::FileBytesWriter(TextFormat format, Sink sink, std::size_t blockSize)
    : sink_(std::move(sink)),
      lineEnd_(LineEndOf(format)),
      endLastLine_(format != TextFormat::tfDos),
      blockSize_(std::max<std::size_t>(blockSize, 2)) {
  block_.reserve(blockSize_);
}

void FileBytesWriter::Emit(const char* p, std::size_t n) {
  while (n > 0) {
    const std::size_t k = std::min(n, blockSize_ - block_.size());
    block_.append(p, k);
    p += k;
    n -= k;
    if (block_.size() == blockSize_) Flush();
  }
}

void FileBytesWriter::Flush() {
  if (block_.empty()) return;
  sink_(block_);
  block_.clear();
}

void FileBytesWriter::Put(std::string_view text) {
  if (text.empty()) return;
  const bool pairsWithCr = skipLf_ && text.front() == '\n';
  skipLf_ = false;
  if (pairsWithCr) {
    text.remove_prefix(1);  // the LF of a CR LF already written
    if (text.empty()) return;
  }
  any_ = true;
  last_ = text.back();
  LineEndScanner scanner(text);
  std::size_t from = 0, pos = 0, length = 0;
  while (scanner.Next(from, pos, length)) {
    Emit(text.data() + from, pos - from);
    Emit(lineEnd_.data(), lineEnd_.size());
    from = pos + length;
  }
  Emit(text.data() + from, text.size() - from);
  skipLf_ = text.back() == '\r';
}

void FileBytesWriter::Finish() {
  if (endLastLine_ && any_ && !IsLineEndChar(last_)) Emit(lineEnd_.data(), lineEnd_.size());
  Flush();
}

bool LineEndScanner::Next(std::size_t from, std::size_t& pos, std::size_t& length) {
  const auto find = [this](char c, std::size_t at) {
    if (at >= text_.size()) return text_.size();
    const void* hit = std::memchr(text_.data() + at, c, text_.size() - at);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data()) : text_.size();
  };
  if (!started_ || nextCr_ < from) nextCr_ = find('\r', from);
  if (!started_ || nextLf_ < from) nextLf_ = find('\n', from);
  started_ = true;
  pos = nextCr_ < nextLf_ ? nextCr_ : nextLf_;
  if (pos >= text_.size()) return false;
  length = (pos == nextCr_ && nextLf_ == pos + 1 && nextLf_ < text_.size()) ? 2 : 1;
  return true;
}

std::size_t CountLines(std::string_view text) {
  std::size_t lines = 0;
  LineEndScanner scanner(text);
  std::size_t from = 0, pos = 0, length = 0;
  while (scanner.Next(from, pos, length)) {
    ++lines;
    from = pos + length;
  }
  if (!text.empty() && !IsLineEndChar(text.back())) ++lines;
  return lines;
}

std::size_t FindZeroByte(std::string_view text) { return text.find('\0'); }

std::size_t CountZeroBytes(std::string_view text) {
  std::size_t n = 0;
  for (std::size_t at = text.find('\0'); at != std::string_view::npos; at = text.find('\0', at + 1)) ++n;
  return n;
}

std::size_t ReplaceZeroBytes(std::string& text, char replacement) {
  std::size_t n = 0;
  for (char& c : text) {
    if (c == '\0') {
      c = replacement;
      ++n;
    }
  }
  return n;
}

}  // namespace core
