#include "core/textfile.h"

#include <algorithm>

namespace core {
namespace {

bool IsLineEndChar(char c) { return c == '\r' || c == '\n'; }

// Copies `in` to `out`, writing `lineEnd` for every CR LF, lone CR and lone
// LF. Runs between line ends are appended in one piece.
void ConvertLineEnds(std::string_view in, std::string_view lineEnd, std::string& out) {
  const char* p = in.data();
  const char* const end = p + in.size();
  const char* run = p;
  while (p != end) {
    const char c = *p;
    if (!IsLineEndChar(c)) {
      ++p;
      continue;
    }
    out.append(run, static_cast<std::size_t>(p - run));
    out.append(lineEnd);
    ++p;
    if (c == '\r' && p != end && *p == '\n') ++p;
    run = p;
  }
  out.append(run, static_cast<std::size_t>(end - run));
}

std::size_t ConvertedSize(std::string_view in, std::size_t lineEndSize) {
  // An upper bound: every CR and LF could become a whole line end.
  const auto breaks = static_cast<std::size_t>(std::count(in.begin(), in.end(), '\n') +
                                               std::count(in.begin(), in.end(), '\r'));
  return in.size() + breaks * (lineEndSize > 0 ? lineEndSize - 1 : 0) + 1;
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
  std::string out;
  out.reserve(ConvertedSize(bytes, kDocumentLineEnd.size()));
  ConvertLineEnds(bytes, kDocumentLineEnd, out);
  return out;
}

std::string FileBytesFromDocument(std::string_view text, TextFormat format) {
  std::string_view lineEnd;
  switch (format) {
    case TextFormat::tfDos: lineEnd = "\r\n"; break;
    case TextFormat::tfUnix: lineEnd = "\n"; break;
    case TextFormat::tfMac: lineEnd = "\r"; break;
  }
  std::string out;
  out.reserve(ConvertedSize(text, lineEnd.size()) + lineEnd.size());
  ConvertLineEnds(text, lineEnd, out);
  // UNIX and Mac end every line, the last one included.
  if (format != TextFormat::tfDos && !text.empty() && !IsLineEndChar(text.back())) out.append(lineEnd);
  return out;
}

std::size_t CountLines(std::string_view text) {
  std::size_t lines = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++lines;
  }
  if (!text.empty() && !IsLineEndChar(text.back())) ++lines;
  return lines;
}

std::size_t FindZeroByte(std::string_view text) { return text.find('\0'); }

std::size_t CountZeroBytes(std::string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\0'));
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
