// The text of a document, held apart from any window: the bytes of the
// document, one byte a character, with each line end held as one character
// "\r" (kModelLineEnd).
//
// Storage: a piece table. The bytes read from the file stay in one buffer
// that never changes; text typed or pasted is appended to add buffers that
// only grow. The document is the sequence of pieces (spans of those buffers)
// kept in a balanced tree (a treap) whose nodes carry the length and the
// number of line ends of their subtree. Every buffer keeps the sorted
// positions of its line ends, so a piece's line ends are counted and found by
// binary search. An edit touches O(log n) nodes; nothing is rescanned.
//
// Positions run from 0 to Length(). Functions clamp positions into the text.
//
// Lines follow the editing control's numbering: line k begins after the
// k-th line end, so a text ending with a line end has one more, empty line
// that LineFromChar and LineIndex know; LineCount counts the line list
// without it ("" has 0 lines, "a" 1, "a\r" 1, "a\rb" 2).
//
// Undo: every edit made with UndoMode::kStep is one undo step. Edits made
// with kTyping are the keys: consecutive one-character inserts, each right
// after the one before, form one step, and so do consecutive one-character
// removals by Backspace or Delete; EndTyping (the caret moved, a command ran)
// or any other edit closes the group. An edit made with kNone is not
// undoable and clears the whole undo and redo history, since no recorded
// step could be applied soundly to the changed text. A new undoable edit
// clears the redo history.
//
// The modified flag is set by every edit, undo and redo, and cleared only by
// SetModified(false): undoing back to the saved state leaves it set (as the
// platform's editing control does).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/textops/textops.h"
#include "core/wordsel.h"

namespace core {

inline constexpr char kModelLineEnd = '\r';

// CR LF, a lone LF and a lone CR each become one "\r", in place (the text
// never grows), in one pass; every other byte stays as it is.
void ToModelLineEnds(std::string& bytes);

enum class UndoMode { kStep, kTyping, kNone };

// Where an edit, undo or redo left text: [pos, pos + length).
struct TextChange {
  TextPos pos = 0;
  TextPos length = 0;
  friend bool operator==(const TextChange&, const TextChange&) = default;
};

class TextModel {
 public:
  TextModel();
  // Loads the bytes of a file (see Load).
  explicit TextModel(std::string fileBytes);
  TextModel(const TextModel&) = delete;
  TextModel& operator=(const TextModel&) = delete;

  // Takes the bytes of a file as the whole text: line ends converted in
  // place, then indexed; time linear in the size, memory the bytes plus four
  // bytes a line. Undo history and modified flag are cleared. Throws
  // std::length_error for a text of 4 GiB or more.
  void Load(std::string fileBytes);

  TextPos Length() const;
  std::string Text() const;
  // Bytes [from, to); to -1 means to the end.
  std::string TextRange(TextPos from, TextPos to) const;
  char At(TextPos pos) const;  // pos inside the text
  // Hands the bytes of [from, to) (to -1: the end) piece by piece to `fn`,
  // in order, until it returns false. The views are valid until the next edit.
  void ForEachSegment(TextPos from, TextPos to,
                      const std::function<bool(std::string_view)>& fn) const;
  // Bytes [from, to) (to -1: the end) as one view: into the model's buffer
  // when one piece holds them, otherwise copied into `scratch`. Valid until
  // the next edit or the next use of `scratch`.
  std::string_view TextView(TextPos from, TextPos to, std::string& scratch) const;

  // --- editing
  // Replaces [pos, pos + length) with `text`, whose line ends (CR LF, LF,
  // CR) each become one "\r". Returns where the new text lies.
  TextChange Replace(TextPos pos, TextPos length, std::string_view text,
                     UndoMode mode = UndoMode::kStep);
  // The same, taking over `text`'s buffer: a long text (a command's result,
  // a file) becomes a buffer of the model as it is, without a copy.
  TextChange ReplaceTaking(TextPos pos, TextPos length, std::string text,
                           UndoMode mode = UndoMode::kStep);
  // Rewrites [pos, pos + length) where it lies: `fn` gets its bytes piece
  // by piece, in order, and changes them in place, keeping every "\r" and
  // making no new one. No piece's bytes are shared by the text and its undo
  // history once that is cleared, so this is not undoable: the undo and
  // redo history are cleared, as by an edit made with UndoMode::kNone.
  void RewriteInPlace(TextPos pos, TextPos length, const std::function<void(char* bytes, std::size_t n)>& fn);
  void EndTyping() { typing_ = Typing::kNone; }

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // Take back / apply again one step; the result is where the text that is
  // there now lies (length 0 where text was taken out). Nothing happens
  // (result {0, 0}) when there is no step.
  TextChange Undo();
  TextChange Redo();
  void ClearUndo();

  bool Modified() const { return modified_; }
  // Changes with every edit, undo, redo and load: views taken before a
  // change of it may no longer be valid.
  std::uint64_t Revision() const { return revision_; }
  void SetModified(bool modified) { modified_ = modified; }

  // --- lines
  TextPos LineCount() const;
  TextPos LineFromChar(TextPos pos) const;
  // First position of a line; -1 for a line beyond the last.
  TextPos LineIndex(TextPos line) const;
  // Length of the line holding `pos`, its line end excluded.
  TextPos LineLength(TextPos pos) const;

  // --- search and words
  // First match of `what` lying wholly in [from, to) (to -1: the end) by the
  // rules of FindForward (textops.h), or kNotFound.
  TextPos Find(std::string_view what, TextPos from, TextPos to, FindOptions options) const;
  // The word rule of wordsel.h, over the model: `start` is the word break
  // to the left of `pos`, `next` the one to its right (where the following
  // word begins), as Select Word asks for them.
  WordSpan WordAround(TextPos pos) const;
  WordSpan WordSelection(TextPos pos) const;

  std::size_t PieceCount() const;
  // Bytes the model holds: buffers, line index, tree and undo history.
  std::size_t MemoryBytes() const;

 private:
  static constexpr std::uint32_t kNil = 0xFFFFFFFFu;
  struct Piece {
    std::uint32_t buf = 0;
    std::uint32_t start = 0;
    std::uint32_t len = 0;
  };
  struct Node {
    Piece p;
    std::uint32_t lines = 0;  // line ends in the piece
    std::uint32_t left = kNil;
    std::uint32_t right = kNil;
    std::uint32_t prio = 0;
    std::uint64_t sumLen = 0;
    std::uint64_t sumLines = 0;
  };
  struct Buffer {
    std::string bytes;
    std::vector<std::uint32_t> ends;  // positions of "\r", ascending
  };
  struct Edit {
    TextPos pos = 0;
    std::vector<Piece> removed;
    std::vector<Piece> inserted;
  };
  struct Step {
    std::vector<Edit> edits;
  };
  enum class Typing { kNone, kInsert, kErase };

  std::uint64_t SumLen(std::uint32_t t) const { return t == kNil ? 0 : nodes_[t].sumLen; }
  std::uint64_t SumLines(std::uint32_t t) const { return t == kNil ? 0 : nodes_[t].sumLines; }
  std::uint32_t LinesIn(const Piece& p) const;
  std::uint32_t NewNode(const Piece& p);
  void Update(std::uint32_t t);
  // Split at a piece boundary: the first k bytes and the rest.
  void Split(std::uint32_t t, std::uint64_t k, std::uint32_t& a, std::uint32_t& b);
  std::uint32_t Merge(std::uint32_t a, std::uint32_t b);
  // Makes `pos` a boundary between pieces.
  void CutAt(std::uint64_t pos);
  bool TryExtend(std::uint64_t pos, const Piece& p);
  std::vector<Piece> Erase(std::uint64_t pos, std::uint64_t length);
  void InsertPieces(std::uint64_t pos, const std::vector<Piece>& pieces);
  std::vector<Piece> AppendBytes(std::string_view text);
  bool Walk(std::uint32_t t, std::uint64_t base, std::uint64_t from, std::uint64_t to,
            const std::function<bool(std::string_view)>& fn) const;
  // Position of the k-th line end (k from 1, at most the number of them).
  std::uint64_t LineEndPos(std::uint64_t k) const;
  // Bytes [from, to) as a view into a buffer when one piece holds them,
  // otherwise copied into `scratch`.
  std::string_view View(std::uint64_t from, std::uint64_t to, std::string& scratch) const;
  // The node whose piece holds byte `k` and k's offset in that piece; kNil
  // when k is at or past the end.
  std::pair<std::uint32_t, std::uint64_t> PieceAt(std::uint64_t k) const;
  std::uint64_t Clamp(TextPos pos) const;

  std::vector<Buffer> bufs_;
  std::uint32_t addBuf_ = 0;  // the buffer typed text goes to; 0 while there is none
  std::vector<Node> nodes_;
  std::vector<std::uint32_t> free_;
  std::uint32_t root_ = kNil;
  std::uint64_t seed_ = 0x9E3779B97F4A7C15ull;
  std::vector<Step> undo_;
  std::vector<Step> redo_;
  Typing typing_ = Typing::kNone;
  TextPos typingAt_ = 0;
  bool modified_ = false;
  std::uint64_t revision_ = 0;
};

}  // namespace core
