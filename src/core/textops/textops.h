// Text operations of the Edit menu, as algorithms over a document's text:
// forward search, Find Next, Replace, Replace All, removal of double spaces,
// of unnecessary blanks and control characters, of HTML tags, and upper- and
// lower-casing of a selection.
//
// The caller (the document window) reads the document's whole text once
// into a std::string, runs one of these functions over it, and writes back
// only the span the result names; Find Next and Replace also come in a form
// that searches a text held elsewhere. Every function runs in time linear in
// the document's length (a search is at worst linear times the find text's
// length, which the dialog limits to 255 characters).
//
// Text: 8-bit characters (Windows-1252), any byte value 0..255 allowed.
// Positions are 0-based byte offsets, the same units as the control's
// selection.
//
// Lines: the text between line ends. CR LF, a lone LF and a lone CR each end
// a line, so the control's text may be fed in either form. A text that ends
// with a line end has no further empty line after it; the empty text has no
// lines. Lines are always these logical lines, also while the control wraps
// words into display lines, and a line of any length is processed whole.
// The line commands take the lines from the text as it was when they started:
// a removal that brings a lone CR next to a lone LF (possible only in text
// with mixed line ends) does not merge the two lines.
//
// Matching rules, the same for every search (Find Next, Replace, Replace All,
// HTML tags):
//   * Case-insensitive matching folds the letters of Windows-1252: A-Z with
//     a-z, the accented capitals 0xC0-0xDE (except 0xD7, the multiplication
//     sign) with 0xE0-0xFE, and the pairs 0x8A/0x9A (S caron), 0x8C/0x9C
//     (OE), 0x8E/0x9E (Z caron), 0x9F/0xFF (Y diaeresis). The sharp s (0xDF)
//     and every other byte match only themselves.
//   * Word bytes are the ASCII letters and digits and the Windows-1252 letters
//     (0x83, 0x8A, 0x8C, 0x8E, 0x9A, 0x9C, 0x9E, 0x9F, 0xAA, 0xB5, 0xBA,
//     0xC0-0xD6, 0xD8-0xF6, 0xF8-0xFF). Everything else, the underscore
//     included, separates words.
//   * A whole-word hit splits no word: when the find text begins with a word
//     byte, the byte before the hit is not one; when it ends with a word byte,
//     the byte after the hit is not one. The neighbours are the text's real
//     neighbours, also when they lie outside the searched range.
//   * An empty find text never matches.
//
// Case conversion is a different, narrower rule: it maps only the 26
// unaccented Latin letters and leaves every other byte alone.
//
// Long commands (Replace All, the two clean-ups, HTML tags) work in steps (a
// replacement, a line, a tag). After each step they call the step callback
// with the step's progress text; the callback may answer Cancel, which stops
// the command after that step. Work done up to then is kept, the rest of the
// text is left as it was, and the result (text, span, selection, count) is
// consistent with having stopped there. The first step is always done.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace core {

using TextPos = std::ptrdiff_t;
inline constexpr TextPos kNotFound = -1;

// Options of the find and replace dialogs (match case, whole word).
struct FindOptions {
  bool matchCase = false;
  bool wholeWord = false;
};

// A selection: start and length (0 for a bare caret). Functions taking one
// clamp it into the text; a negative length selects backward from start.
struct Selection {
  TextPos start = 0;
  TextPos length = 0;
  friend bool operator==(const Selection&, const Selection&) = default;
};

// What changed: the old text's bytes [offset, offset + oldLength) became the
// new text's bytes [offset, offset + newLength). The caller writes back
// text.substr(offset, newLength) over that old range. Empty when nothing
// changed.
struct TextSpan {
  TextPos offset = 0;
  TextPos oldLength = 0;
  TextPos newLength = 0;
  bool empty() const { return oldLength == 0 && newLength == 0; }
  friend bool operator==(const TextSpan&, const TextSpan&) = default;
};

// Outcome of a command. The caller applies `span`, sets `selection`, sounds
// the default beep `beeps` times and then shows `message` (if not empty) in
// the confirmation box.
struct TextOpResult {
  TextSpan span;
  Selection selection;
  int count = 0;      // replacements made or tags removed
  int steps = 0;      // steps done (replacements, lines, tags)
  bool cancelled = false;  // the step callback answered Cancel (also after a last step)
  int beeps = 0;
  std::string message;
};

struct StepReport {
  int step = 0;                // number of steps done so far, from 1
  int count = 0;               // replacements or tags so far (0 for lines)
  std::string_view progress;   // panel 0 text for this step; empty if none
  // The commands that only delete (the clean-ups, HTML tags) also tell how
  // far they are: the new text is `finished` followed by the old text from
  // `consumed` on. consumed is -1 where this is not told.
  TextPos consumed = -1;
  std::string_view finished;
};

enum class StepVerdict { Continue, Cancel };
using StepCallback = std::function<StepVerdict(const StepReport&)>;

// Status and message texts.
inline constexpr std::string_view kCancelHint = "Press <ESC> to cancel";
inline constexpr std::string_view kWorkingHint = "Working...";
inline constexpr std::string_view kNoOtherItemsFound = "No other items found!";
std::string ItemsReplacedText(int count);     // "3 items replaced."
std::string LineProgressText(TextPos line);   // "(Line 4) Working..."
std::string TagsDeletedText(int count);       // "12 Tags deleted."

// The byte rules described above.
bool IsWordByte(unsigned char c) noexcept;
unsigned char FoldByte(unsigned char c) noexcept;

// First occurrence of `what` lying wholly in text[start, end), or kNotFound.
// start and end are clamped into the text; start >= end finds nothing. The
// caller sounds the beep that belongs to a miss.
TextPos FindForward(std::string_view text, std::string_view what, TextPos start,
                    TextPos end, FindOptions options);

// The forward search of Find Next and Replace over a text held elsewhere:
// the first hit lying wholly in [from, end of the text), or kNotFound.
using ForwardSearch = std::function<TextPos(TextPos from)>;

// Find Next and Replace over a text of `length` bytes searched by `find`
// (the editing window's own text, searched where it lies). Replace leaves
// the text alone: the caller writes `with` over the result's span.
TextOpResult FindNextIn(TextPos length, Selection selection, std::string_view what, const ForwardSearch& find);
TextOpResult ReplaceNextIn(TextPos length, Selection selection, std::string_view what, std::string_view with,
                           const ForwardSearch& find);

// Find Next: searches from the end of `selection` to the end of the text.
// A hit becomes the selection. A miss leaves the selection, gives two beeps
// and "No other items found!".
TextOpResult FindNext(std::string_view text, Selection selection,
                      std::string_view what, FindOptions options);

// Replace: replaces the next occurrence after `selection` (so a hit that
// Find Next has just selected is skipped) and selects the inserted text.
// A miss is reported as by FindNext and changes nothing.
TextOpResult ReplaceNext(std::string& text, Selection selection,
                         std::string_view what, std::string_view with,
                         FindOptions options);

// Replace All: from the end of `selection` to the end of the text, each
// search resuming behind the text just inserted (so a replacement that holds
// the find text does not loop). One step per replacement; no progress text.
// The last replacement ends up selected (the selection is unchanged when
// none was made). Beeps once when the final search misses (not after a
// cancel); message "%d items replaced.".
TextOpResult ReplaceAll(std::string& text, Selection selection,
                        std::string_view what, std::string_view with,
                        FindOptions options, const StepCallback& onStep = {});

// A text held elsewhere (a document's text model), read through views:
// bytes [from, to) of it as one view, copied into `scratch` where they do not
// lie together. A view stays valid until the next call with the same scratch.
using TextReader = std::function<std::string_view(TextPos from, TextPos to, std::string& scratch)>;

// How much of such a text the commands look at through one view.
inline constexpr std::size_t kReadWindow = std::size_t{1} << 16;

// Replace All over a text of `length` bytes read through `read` (in views
// of about `window` bytes): the rules and the result of ReplaceAll, with the
// bytes that take the result's span's place put into `out` (the text itself
// is not changed: the caller puts `out` over the span).
TextOpResult ReplaceAllIn(TextPos length, const TextReader& read, Selection selection, std::string_view what,
                          std::string_view with, FindOptions options, const StepCallback& onStep,
                          std::string& out, std::size_t window = kReadWindow);

// "All double spaces": in every line, each run of spaces loses its spaces two
// at a time (an even run vanishes, an odd run keeps one space). One step per
// line; progress "(Line k) Working..." with k the line of the caret while
// that line was worked on: the last line written before it, or the caret's
// line from before the command. A line without two adjacent spaces is not
// written. The caret ends at the end of the last line written, with nothing
// selected; the selection is unchanged when no line was written.
TextOpResult RemoveDoubleSpaces(std::string& text, Selection selection,
                                const StepCallback& onStep = {});

// "Unnecessary spaces and chars": every line loses its leading and trailing
// bytes of codes 0..32 (code 160 and all others stay). Every line counts as
// written, so after the first line k is the previous line's number. Caret
// and selection as for RemoveDoubleSpaces.
TextOpResult RemoveUnnecessarySpaces(std::string& text, Selection selection,
                                     const StepCallback& onStep = {});

// "HTML-Tags": from the start of the text, removes each "<" with everything up
// to the first ">" after it (line ends included); a "<" with no ">" after it
// ends the command and stays. One step per tag; progress "%d Tags deleted.".
// The caret ends where the last removed tag began (0 when none); one beep
// when the command ends by not finding a further tag (not after a cancel).
TextOpResult RemoveHtmlTags(std::string& text, const StepCallback& onStep = {});

// Upcase / Lowcase selection: maps a-z to A-Z (or back) inside the selection,
// every other byte unchanged. Nothing is selected afterwards and the caret
// stands at the end of the converted text. `span` covers only the bytes from
// the first to the last changed one.
TextOpResult UpcaseSelection(std::string& text, Selection selection);
TextOpResult LowcaseSelection(std::string& text, Selection selection);
// Where they would change a text read through `read`: their result without
// the bytes, for a caller that converts the span where it lies with
// UpcaseBytes / LowcaseBytes.
TextOpResult UpcaseSpanIn(TextPos length, const TextReader& read, Selection selection,
                          std::size_t window = kReadWindow);
TextOpResult LowcaseSpanIn(TextPos length, const TextReader& read, Selection selection,
                           std::size_t window = kReadWindow);
void UpcaseBytes(char* bytes, std::size_t n);
void LowcaseBytes(char* bytes, std::size_t n);

}  // namespace core
