#include "core/textfile.h"

#include <algorithm>
#include <cstring>

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

std::string FileBytesFromDocument(std::string_view text, TextFormat format) {
  std::string_view lineEnd;
  switch (format) {
    case TextFormat::tfDos: lineEnd = "\r\n"; break;
    case TextFormat::tfUnix: lineEnd = "\n"; break;
    case TextFormat::tfMac: lineEnd = "\r"; break;
  }
  // UNIX and Mac end every line, the last one included.
  return ConvertLineEnds(text, lineEnd, format != TextFormat::tfDos);
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
