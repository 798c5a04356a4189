// Text files: the bytes on disk and the text a document holds.
//
// Document text is one std::string of 8-bit characters whose line ends are
// CR LF ("\r\n"), the form the Windows editing control is filled with and
// gives back. Every function here that reads document text is tolerant and
// also accepts a lone CR or a lone LF as a line end, so text fetched from a
// control that reports CR-only paragraph ends can be saved directly.
//
// Reading a file: CR LF, LF alone and CR alone each end a line; each becomes
// one CR LF. Nothing else changes: every other byte value (0 included) is
// copied as it is.
//
// Lines: the text between line ends. A text that ends with a line end has no
// further empty line after it; the empty text has no lines at all.
//
// Writing (FileBytesFromDocument):
//   tfDos  - the text unchanged, each line end written as CR LF; no line end
//            is added after the last line.
//   tfUnix - every line followed by LF, the last line included.
//   tfMac  - every line followed by CR, the last line included.
// An empty document gives 0 bytes in every format. No byte-order mark and no
// end-of-file marker are written.
//
// Bytes of value 0: the editing control ends its text at the first 0 byte,
// so a document that holds one cannot be shown in full. The reader keeps such
// bytes unchanged; the caller checks with FindZeroByte / CountZeroBytes before
// handing the text to the control and decides (warn the user, refuse, or
// replace them with ReplaceZeroBytes, telling the user so).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace core {

enum class TextFormat { tfDos, tfUnix, tfMac };

// The line end a document holds after reading.
inline constexpr std::string_view kDocumentLineEnd = "\r\n";

// Filter list of the save dialog; its entries 1, 2, 3 are DOS, UNIX, Mac.
// The captions alone, in the same order, for toolkits that take pairs; every
// entry's pattern is "*.txt".
inline constexpr std::string_view kSaveFilterCaptions[3] = {"Text-files (*.txt)", "UNIX-Format (*.txt)",
                                                            "Mac-Format (*.txt)"};
inline constexpr std::string_view kSaveFilter =
    "Text-files (*.txt)|*.txt|UNIX-Format (*.txt)|*.txt|Mac-Format (*.txt)|*.txt";

// The save dialog's 1-based filter index to a format: 2 is UNIX, 3 is Mac,
// every other index DOS.
TextFormat FormatFromFilterIndex(int filterIndex);

// File bytes to document text (line ends become CR LF).
std::string DocumentFromFileBytes(std::string_view bytes);

// Document text to the bytes of a file in the given format.
std::string FileBytesFromDocument(std::string_view text, TextFormat format);

// FileBytesFromDocument for a text that arrives in segments (the pieces of
// a text model) without ever being whole: Put hands on the segments in
// order, Finish marks the end. The file's bytes leave through `sink` in
// blocks of at most `blockSize` bytes, all written into one buffer that is
// reused, so no buffer the size of the text is ever made. A CR LF split
// between two segments is one line end. The bytes are exactly those of
// FileBytesFromDocument on the joined text.
class FileBytesWriter {
 public:
  using Sink = std::function<void(std::string_view block)>;
  static constexpr std::size_t kDefaultBlock = std::size_t{1} << 20;
  FileBytesWriter(TextFormat format, Sink sink, std::size_t blockSize = kDefaultBlock);
  FileBytesWriter(const FileBytesWriter&) = delete;
  FileBytesWriter& operator=(const FileBytesWriter&) = delete;

  void Put(std::string_view text);
  // The last line's end where the format asks for one, then the last block.
  void Finish();

 private:
  void Emit(const char* p, std::size_t n);
  void Flush();

  Sink sink_;
  std::string_view lineEnd_;
  bool endLastLine_;
  std::string block_;
  std::size_t blockSize_;
  bool skipLf_ = false;  // the last segment ended with a CR, already written
  char last_ = 0;        // the text's last byte so far
  bool any_ = false;
};

// Number of lines of a document text, as defined above ("" has 0, "a" 1,
// "a\r\n" 1, "a\r\nb" 2, "\r\n" 1).
std::size_t CountLines(std::string_view text);

// Finds the line ends of a text one after the other: CR LF, lone CR, lone
// LF. Calls must ask for positions that never move backwards; the scanner
// remembers where the next CR and the next LF are, so a whole text is
// scanned once whatever its mix of line ends.
class LineEndScanner {
 public:
  explicit LineEndScanner(std::string_view text) : text_(text) {}

  // The first line end at or after `from`: its position and its length (1
  // or 2). False when there is none.
  bool Next(std::size_t from, std::size_t& pos, std::size_t& length);

 private:
  std::string_view text_;
  std::size_t nextCr_ = 0;
  std::size_t nextLf_ = 0;
  bool started_ = false;
};

// Position of the first byte of value 0, or std::string_view::npos.
std::size_t FindZeroByte(std::string_view text);
std::size_t CountZeroBytes(std::string_view text);

// Replaces every byte of value 0 with `replacement`; returns how many.
std::size_t ReplaceZeroBytes(std::string& text, char replacement);

}  // namespace core
