#include "core/text/textmodel.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "core/text/bytescan.h"
#include "core/textfile.h"
#include "core/textops/finder.h"

namespace core {

namespace {

// Add buffers are filled up to this size; a larger insert spans several.
constexpr std::size_t kMaxAddBuffer = std::size_t{1} << 30;
// Search and the word rule look at the text through windows of this size.
constexpr std::uint64_t kFindWindow = 1 << 16;
constexpr std::uint64_t kWordWindow = 1 << 12;
// An inserted text at least this long becomes a buffer of its own instead of
// being copied into the add buffer.
constexpr std::size_t kOwnBufferFrom = std::size_t{1} << 16;

}  // namespace

namespace {

// The conversion of ToModelLineEnds; with `ends` it also collects the
// positions of the line ends in the converted text.
void ConvertLineEnds(std::string& bytes, std::vector<std::uint32_t>* ends) {
  if (!FindByte(bytes.data(), bytes.size(), '\n')) {  // CR only: already the form
    if (ends) {
      // Counted first: the index is made once at its size (large blocks are
      // fresh memory each time they grow, which costs on some systems).
      ends->reserve(ends->size() + CountByte(bytes.data(), bytes.size(), kModelLineEnd));
      CollectByte(bytes.data(), bytes.size(), kModelLineEnd, 0, *ends);
    }
    return;
  }
  if (ends) {
    // Exact for files with one kind of line end; mixed ones may grow it once.
    ends->reserve(ends->size() + std::max(CountByte(bytes.data(), bytes.size(), '\r'),
                                          CountByte(bytes.data(), bytes.size(), '\n')));
  }
  LineEndScanner scanner(bytes);
  // Writes stay at or behind the scanner's position, so it reads the
  // original bytes throughout.
  char* data = bytes.data();
  std::size_t w = 0, from = 0, pos = 0, length = 0;
  while (scanner.Next(from, pos, length)) {
    std::memmove(data + w, data + from, pos - from);
    w += pos - from;
    if (ends) ends->push_back(static_cast<std::uint32_t>(w));
    data[w++] = kModelLineEnd;
    from = pos + length;
  }
  std::memmove(data + w, data + from, bytes.size() - from);
  w += bytes.size() - from;
  bytes.resize(w);
}

}  // namespace

void ToModelLineEnds(std::string& bytes) { ConvertLineEnds(bytes, nullptr); }

TextModel::TextModel() { bufs_.emplace_back(); }

TextModel::TextModel(std::string fileBytes) { Load(std::move(fileBytes)); }

void TextModel::Load(std::string fileBytes) {
  // The converted text is never longer than the bytes.
  if (fileBytes.size() >= 0xFFFFFFFFu) throw std::length_error("text too large");
  Buffer original;
  ConvertLineEnds(fileBytes, &original.ends);
  original.bytes = std::move(fileBytes);
  bufs_.clear();
  bufs_.push_back(std::move(original));
  addBuf_ = 0;
  nodes_.clear();
  free_.clear();
  root_ = kNil;
  if (!bufs_[0].bytes.empty())
    root_ = NewNode(Piece{0, 0, static_cast<std::uint32_t>(bufs_[0].bytes.size())});
  undo_.clear();
  redo_.clear();
  typing_ = Typing::kNone;
  modified_ = false;
  ++revision_;
}

// --- tree

std::uint32_t TextModel::LinesIn(const Piece& p) const {
  const auto& ends = bufs_[p.buf].ends;
  const auto lo = std::lower_bound(ends.begin(), ends.end(), p.start);
  const auto hi = std::lower_bound(lo, ends.end(), p.start + p.len);
  return static_cast<std::uint32_t>(hi - lo);
}

std::uint32_t TextModel::NewNode(const Piece& p) {
  seed_ ^= seed_ << 13;
  seed_ ^= seed_ >> 7;
  seed_ ^= seed_ << 17;
  Node n;
  n.p = p;
  n.lines = LinesIn(p);
  n.prio = static_cast<std::uint32_t>(seed_ >> 32);
  n.sumLen = p.len;
  n.sumLines = n.lines;
  if (!free_.empty()) {
    const std::uint32_t t = free_.back();
    free_.pop_back();
    nodes_[t] = n;
    return t;
  }
  if (nodes_.size() >= kNil) throw std::length_error("too many pieces");
  nodes_.push_back(n);
  return static_cast<std::uint32_t>(nodes_.size() - 1);
}

void TextModel::Update(std::uint32_t t) {
  Node& n = nodes_[t];
  n.sumLen = n.p.len + SumLen(n.left) + SumLen(n.right);
  n.sumLines = n.lines + SumLines(n.left) + SumLines(n.right);
}

void TextModel::Split(std::uint32_t t, std::uint64_t k, std::uint32_t& a, std::uint32_t& b) {
  if (t == kNil) {
    a = b = kNil;
    return;
  }
  const std::uint64_t leftLen = SumLen(nodes_[t].left);
  if (k <= leftLen) {
    std::uint32_t l = kNil;
    Split(nodes_[t].left, k, a, l);
    nodes_[t].left = l;
    Update(t);
    b = t;
  } else {
    std::uint32_t r = kNil;
    Split(nodes_[t].right, k - leftLen - nodes_[t].p.len, r, b);
    nodes_[t].right = r;
    Update(t);
    a = t;
  }
}

std::uint32_t TextModel::Merge(std::uint32_t a, std::uint32_t b) {
  if (a == kNil) return b;
  if (b == kNil) return a;
  if (nodes_[a].prio > nodes_[b].prio) {
    const std::uint32_t r = Merge(nodes_[a].right, b);
    nodes_[a].right = r;
    Update(a);
    return a;
  }
  const std::uint32_t l = Merge(a, nodes_[b].left);
  nodes_[b].left = l;
  Update(b);
  return b;
}

void TextModel::CutAt(std::uint64_t pos) {
  std::vector<std::uint32_t> path;
  std::uint32_t t = root_;
  std::uint64_t k = pos;
  while (t != kNil) {
    path.push_back(t);
    const Node& n = nodes_[t];
    const std::uint64_t leftLen = SumLen(n.left);
    if (k <= leftLen) {
      t = n.left;
    } else if (k < leftLen + n.p.len) {
      // Inside this piece: it keeps the left part, the right part becomes a
      // node of its own inserted behind it.
      const auto off = static_cast<std::uint32_t>(k - leftLen);
      const Piece rest{n.p.buf, n.p.start + off, n.p.len - off};
      nodes_[t].p.len = off;
      nodes_[t].lines = LinesIn(nodes_[t].p);
      for (auto it = path.rbegin(); it != path.rend(); ++it) Update(*it);
      std::uint32_t a = kNil, b = kNil;
      Split(root_, pos, a, b);
      const std::uint32_t node = NewNode(rest);
      root_ = Merge(Merge(a, node), b);
      return;
    } else {
      k -= leftLen + n.p.len;
      t = n.right;
    }
  }
}

bool TextModel::TryExtend(std::uint64_t pos, const Piece& p) {
  std::vector<std::uint32_t> path;
  std::uint32_t t = root_;
  std::uint64_t k = pos;
  while (t != kNil && k > 0) {
    path.push_back(t);
    const Node& n = nodes_[t];
    const std::uint64_t leftLen = SumLen(n.left);
    if (k <= leftLen) {
      t = n.left;
    } else if (k <= leftLen + n.p.len) {
      if (k != leftLen + n.p.len || n.p.buf != p.buf || n.p.start + n.p.len != p.start) return false;
      nodes_[t].p.len += p.len;
      nodes_[t].lines += LinesIn(p);
      for (auto it = path.rbegin(); it != path.rend(); ++it) Update(*it);
      return true;
    } else {
      k -= leftLen + n.p.len;
      t = n.right;
    }
  }
  return false;
}

namespace {

template <typename PieceT>
void AppendPiece(std::vector<PieceT>& v, const PieceT& p) {
  if (!v.empty() && v.back().buf == p.buf && v.back().start + v.back().len == p.start) {
    v.back().len += p.len;
    return;
  }
  v.push_back(p);
}

template <typename PieceT>
std::uint64_t PiecesLength(const std::vector<PieceT>& v) {
  std::uint64_t n = 0;
  for (const PieceT& p : v) n += p.len;
  return n;
}

}  // namespace

std::vector<TextModel::Piece> TextModel::Erase(std::uint64_t pos, std::uint64_t length) {
  std::vector<Piece> removed;
  if (length == 0) return removed;
  CutAt(pos);
  CutAt(pos + length);
  std::uint32_t a = kNil, bc = kNil, b = kNil, c = kNil;
  Split(root_, pos, a, bc);
  Split(bc, length, b, c);
  root_ = Merge(a, c);
  // The removed subtree, in order; its nodes are freed.
  std::vector<std::uint32_t> stack;
  for (std::uint32_t t = b; t != kNil || !stack.empty();) {
    if (t != kNil) {
      stack.push_back(t);
      t = nodes_[t].left;
      continue;
    }
    t = stack.back();
    stack.pop_back();
    AppendPiece(removed, nodes_[t].p);
    free_.push_back(t);
    t = nodes_[t].right;
  }
  return removed;
}

void TextModel::InsertPieces(std::uint64_t pos, const std::vector<Piece>& pieces) {
  if (pieces.empty()) return;
  if (pieces.size() == 1 && TryExtend(pos, pieces[0])) return;
  CutAt(pos);
  std::uint32_t a = kNil, b = kNil;
  Split(root_, pos, a, b);
  for (const Piece& p : pieces) a = Merge(a, NewNode(p));
  root_ = Merge(a, b);
}

std::vector<TextModel::Piece> TextModel::AppendBytes(std::string_view text) {
  std::vector<Piece> pieces;
  while (!text.empty()) {
    if (addBuf_ == 0 || bufs_[addBuf_].bytes.size() >= kMaxAddBuffer) {
      bufs_.emplace_back();
      addBuf_ = static_cast<std::uint32_t>(bufs_.size() - 1);
    }
    Buffer& b = bufs_[addBuf_];
    const std::size_t k = std::min(kMaxAddBuffer - b.bytes.size(), text.size());
    const auto start = static_cast<std::uint32_t>(b.bytes.size());
    b.bytes.append(text.data(), k);
    CollectByte(text.data(), k, kModelLineEnd, start, b.ends);
    AppendPiece(pieces, Piece{addBuf_, start, static_cast<std::uint32_t>(k)});
    text.remove_prefix(k);
  }
  return pieces;
}

std::size_t TextModel::PieceCount() const { return nodes_.size() - free_.size(); }

std::size_t TextModel::MemoryBytes() const {
  std::size_t n = nodes_.capacity() * sizeof(Node) + free_.capacity() * sizeof(std::uint32_t);
  for (const Buffer& b : bufs_) n += b.bytes.capacity() + b.ends.capacity() * sizeof(std::uint32_t);
  for (const auto* history : {&undo_, &redo_}) {
    n += history->capacity() * sizeof(Step);
    for (const Step& s : *history) {
      n += s.edits.capacity() * sizeof(Edit);
      for (const Edit& e : s.edits) n += (e.removed.capacity() + e.inserted.capacity()) * sizeof(Piece);
    }
  }
  return n;
}

// --- reading

std::uint64_t TextModel::Clamp(TextPos pos) const {
  const std::uint64_t n = SumLen(root_);
  if (pos < 0) return 0;
  return std::min(static_cast<std::uint64_t>(pos), n);
}

TextPos TextModel::Length() const { return static_cast<TextPos>(SumLen(root_)); }

bool TextModel::Walk(std::uint32_t t, std::uint64_t base, std::uint64_t from, std::uint64_t to,
                     const std::function<bool(std::string_view)>& fn) const {
  if (t == kNil || from >= to) return true;
  const Node& n = nodes_[t];
  const std::uint64_t s = base + SumLen(n.left);
  const std::uint64_t e = s + n.p.len;
  if (from < s && !Walk(n.left, base, from, to, fn)) return false;
  if (from < e && to > s) {
    const std::uint64_t lo = std::max(from, s), hi = std::min(to, e);
    if (!fn(std::string_view(bufs_[n.p.buf].bytes.data() + n.p.start + (lo - s), hi - lo)))
      return false;
  }
  if (to > e) return Walk(n.right, e, from, to, fn);
  return true;
}

void TextModel::ForEachSegment(TextPos from, TextPos to,
                               const std::function<bool(std::string_view)>& fn) const {
  const std::uint64_t f = Clamp(from);
  const std::uint64_t e = to < 0 ? SumLen(root_) : Clamp(to);
  Walk(root_, 0, f, e, fn);
}

std::string TextModel::TextRange(TextPos from, TextPos to) const {
  std::string s;
  const std::uint64_t f = Clamp(from);
  const std::uint64_t e = to < 0 ? SumLen(root_) : Clamp(to);
  if (e <= f) return s;
  s.reserve(e - f);
  Walk(root_, 0, f, e, [&s](std::string_view v) {
    s.append(v);
    return true;
  });
  return s;
}

std::string TextModel::Text() const { return TextRange(0, -1); }

std::string_view TextModel::TextView(TextPos from, TextPos to, std::string& scratch) const {
  const std::uint64_t f = Clamp(from);
  const std::uint64_t e = to < 0 ? SumLen(root_) : std::max(f, Clamp(to));
  if (e == f) return {};
  return View(f, e, scratch);
}

std::pair<std::uint32_t, std::uint64_t> TextModel::PieceAt(std::uint64_t k) const {
  for (std::uint32_t t = root_; t != kNil;) {
    const Node& n = nodes_[t];
    const std::uint64_t leftLen = SumLen(n.left);
    if (k < leftLen) {
      t = n.left;
    } else if (k < leftLen + n.p.len) {
      return {t, k - leftLen};
    } else {
      k -= leftLen + n.p.len;
      t = n.right;
    }
  }
  return {kNil, 0};
}

char TextModel::At(TextPos pos) const {
  const auto [t, off] = PieceAt(Clamp(pos));
  if (t == kNil) return '\0';
  const Piece& p = nodes_[t].p;
  return bufs_[p.buf].bytes[p.start + off];
}

std::string_view TextModel::View(std::uint64_t from, std::uint64_t to, std::string& scratch) const {
  const auto [t, off] = PieceAt(from);
  if (t != kNil && off + (to - from) <= nodes_[t].p.len) {
    const Piece& p = nodes_[t].p;
    return std::string_view(bufs_[p.buf].bytes.data() + p.start + off, to - from);
  }
  scratch.clear();
  Walk(root_, 0, from, to, [&scratch](std::string_view v) {
    scratch.append(v);
    return true;
  });
  return scratch;
}

// --- editing and undo

TextChange TextModel::Replace(TextPos pos, TextPos length, std::string_view text, UndoMode mode) {
  return ReplaceTaking(pos, length, std::string(text), mode);
}

TextChange TextModel::ReplaceTaking(TextPos pos, TextPos length, std::string text, UndoMode mode) {
  const std::uint64_t p = Clamp(pos);
  const std::uint64_t len =
      length <= 0 ? 0 : std::min(static_cast<std::uint64_t>(length), SumLen(root_) - p);
  std::string& t = text;
  std::vector<std::uint32_t> ends;
  const bool own = t.size() >= kOwnBufferFrom;
  if (own && t.size() >= 0xFFFFFFFFu) throw std::length_error("text too large");
  ConvertLineEnds(t, own ? &ends : nullptr);
  const TextPos at = static_cast<TextPos>(p);
  if (len == 0 && t.empty()) return {at, 0};

  const bool joinInsert = mode == UndoMode::kTyping && typing_ == Typing::kInsert && len == 0 &&
                          t.size() == 1 && at == typingAt_ && !undo_.empty();
  const bool joinErase = mode == UndoMode::kTyping && typing_ == Typing::kErase && len == 1 &&
                         t.empty() && (at + 1 == typingAt_ || at == typingAt_) && !undo_.empty();

  std::vector<Piece> removed = Erase(p, len);
  std::vector<Piece> inserted;
  const auto size = static_cast<TextPos>(t.size());
  if (own) {
    // Taken over as it is: no copy, and its line ends found in one scan.
    inserted.push_back(Piece{static_cast<std::uint32_t>(bufs_.size()), 0, static_cast<std::uint32_t>(t.size())});
    bufs_.push_back(Buffer{std::move(t), std::move(ends)});
  } else {
    inserted = AppendBytes(t);
  }
  InsertPieces(p, inserted);
  modified_ = true;
  ++revision_;

  if (mode == UndoMode::kNone) {
    ClearUndo();
    return {at, size};
  }
  redo_.clear();
  if (joinInsert) {
    for (const Piece& piece : inserted) AppendPiece(undo_.back().edits.back().inserted, piece);
    typingAt_ = at + 1;
  } else if (joinErase) {
    Edit& e = undo_.back().edits.back();
    if (at + 1 == typingAt_) {  // Backspace: the removed byte stands before the others
      std::vector<Piece> all = std::move(removed);
      for (const Piece& piece : e.removed) AppendPiece(all, piece);
      e.removed = std::move(all);
      e.pos = at;
    } else {  // Delete: it stood after them
      for (const Piece& piece : removed) AppendPiece(e.removed, piece);
    }
    typingAt_ = at;
  } else {
    Step step;
    step.edits.push_back(Edit{at, std::move(removed), std::move(inserted)});
    undo_.push_back(std::move(step));
    typing_ = Typing::kNone;
    if (mode == UndoMode::kTyping && t.size() == 1) {
      typing_ = Typing::kInsert;
      typingAt_ = at + 1;
    } else if (mode == UndoMode::kTyping && t.empty()) {
      typing_ = Typing::kErase;
      typingAt_ = at;
    }
  }
  if (mode != UndoMode::kTyping) typing_ = Typing::kNone;
  return {at, size};
}

void TextModel::RewriteInPlace(TextPos pos, TextPos length,
                               const std::function<void(char* bytes, std::size_t n)>& fn) {
  const std::uint64_t p = Clamp(pos);
  const std::uint64_t len =
      length <= 0 ? 0 : std::min(static_cast<std::uint64_t>(length), SumLen(root_) - p);
  if (len == 0) return;
  // Every byte of a buffer is in the text at most once, and the history
  // that could bring it back elsewhere goes now.
  ClearUndo();
  Walk(root_, 0, p, p + len, [&fn](std::string_view v) {
    fn(const_cast<char*>(v.data()), v.size());
    return true;
  });
  modified_ = true;
  ++revision_;
}

TextChange TextModel::Undo() {
  typing_ = Typing::kNone;
  if (undo_.empty()) return {};
  Step step = std::move(undo_.back());
  undo_.pop_back();
  TextChange where;
  for (auto it = step.edits.rbegin(); it != step.edits.rend(); ++it) {
    const auto pos = static_cast<std::uint64_t>(it->pos);
    Erase(pos, PiecesLength(it->inserted));
    InsertPieces(pos, it->removed);
    where = {it->pos, static_cast<TextPos>(PiecesLength(it->removed))};
  }
  redo_.push_back(std::move(step));
  modified_ = true;
  ++revision_;
  return where;
}

TextChange TextModel::Redo() {
  typing_ = Typing::kNone;
  if (redo_.empty()) return {};
  Step step = std::move(redo_.back());
  redo_.pop_back();
  TextChange where;
  for (const Edit& e : step.edits) {
    const auto pos = static_cast<std::uint64_t>(e.pos);
    Erase(pos, PiecesLength(e.removed));
    InsertPieces(pos, e.inserted);
    where = {e.pos, static_cast<TextPos>(PiecesLength(e.inserted))};
  }
  undo_.push_back(std::move(step));
  modified_ = true;
  ++revision_;
  return where;
}

void TextModel::ClearUndo() {
  undo_.clear();
  redo_.clear();
  typing_ = Typing::kNone;
}

// --- lines

std::uint64_t TextModel::LineEndPos(std::uint64_t k) const {
  std::uint64_t base = 0;
  for (std::uint32_t t = root_; t != kNil;) {
    const Node& n = nodes_[t];
    const std::uint64_t leftLines = SumLines(n.left);
    if (k <= leftLines) {
      t = n.left;
    } else if (k <= leftLines + n.lines) {
      const auto& ends = bufs_[n.p.buf].ends;
      const auto first = std::lower_bound(ends.begin(), ends.end(), n.p.start);
      const std::uint32_t at = *(first + static_cast<std::ptrdiff_t>(k - leftLines - 1));
      return base + SumLen(n.left) + (at - n.p.start);
    } else {
      k -= leftLines + n.lines;
      base += SumLen(n.left) + n.p.len;
      t = n.right;
    }
  }
  return SumLen(root_);
}

TextPos TextModel::LineCount() const {
  const std::uint64_t n = SumLen(root_);
  const std::uint64_t ends = SumLines(root_);
  return static_cast<TextPos>(n > 0 && At(static_cast<TextPos>(n - 1)) != kModelLineEnd ? ends + 1 : ends);
}

TextPos TextModel::LineFromChar(TextPos pos) const {
  std::uint64_t k = Clamp(pos);
  std::uint64_t lines = 0;
  for (std::uint32_t t = root_; t != kNil;) {
    const Node& n = nodes_[t];
    const std::uint64_t leftLen = SumLen(n.left);
    if (k <= leftLen) {
      t = n.left;
    } else if (k <= leftLen + n.p.len) {
      lines += SumLines(n.left) +
               LinesIn(Piece{n.p.buf, n.p.start, static_cast<std::uint32_t>(k - leftLen)});
      break;
    } else {
      lines += SumLines(n.left) + n.lines;
      k -= leftLen + n.p.len;
      t = n.right;
    }
  }
  return static_cast<TextPos>(lines);
}

TextPos TextModel::LineIndex(TextPos line) const {
  if (line < 0 || static_cast<std::uint64_t>(line) > SumLines(root_)) return -1;
  if (line == 0) return 0;
  return static_cast<TextPos>(LineEndPos(static_cast<std::uint64_t>(line)) + 1);
}

TextPos TextModel::LineLength(TextPos pos) const {
  const TextPos line = LineFromChar(pos);
  const TextPos start = LineIndex(line);
  const std::uint64_t end = static_cast<std::uint64_t>(line) < SumLines(root_)
                                ? LineEndPos(static_cast<std::uint64_t>(line) + 1)
                                : SumLen(root_);
  return static_cast<TextPos>(end) - start;
}

// --- search and words

TextPos TextModel::Find(std::string_view what, TextPos from, TextPos to, FindOptions options) const {
  const std::uint64_t n = SumLen(root_);
  const std::uint64_t start = Clamp(from);
  const std::uint64_t end = to < 0 ? n : Clamp(to);
  const std::uint64_t m = what.size();
  if (m == 0 || start >= end) return kNotFound;
  const textops_detail::Finder finder(what, options);
  std::string scratch;
  // Each window looks for hits that begin in [cs, cs + kFindWindow); it
  // also holds the byte after its last possible hit for the whole-word test.
  for (std::uint64_t cs = start; cs < end && end - cs >= m; cs += kFindWindow) {
    const std::uint64_t limit = std::min(end, cs + kFindWindow + m - 1);
    const std::uint64_t viewEnd = std::min(n, limit + 1);
    const std::string_view view = View(cs, viewEnd, scratch);
    const int before = cs > 0 ? static_cast<unsigned char>(At(static_cast<TextPos>(cs - 1))) : -1;
    const TextPos r = finder.Find(view, 0, static_cast<std::size_t>(limit - cs), before);
    if (r != kNotFound) return static_cast<TextPos>(cs) + r;
  }
  return kNotFound;
}

WordSpan TextModel::WordAround(TextPos pos) const {
  const std::uint64_t n = SumLen(root_);
  const std::uint64_t p = Clamp(pos);
  std::string scratch;
  WordSpan w;
  // Back over the word's bytes.
  std::uint64_t s = p;
  for (bool done = false; s > 0 && !done;) {
    const std::uint64_t from = s > kWordWindow ? s - kWordWindow : 0;
    const std::string_view v = View(from, s, scratch);
    std::size_t i = v.size();
    while (i > 0 && !IsWordBlank(v[i - 1])) --i;
    done = i > 0;
    s = from + i;
  }
  w.start = static_cast<std::size_t>(s);
  // On over the rest of the word, then over the blanks after it.
  std::uint64_t e = p;
  for (int phase = 0; phase < 2 && e < n;) {
    const std::uint64_t to = std::min(n, e + kWordWindow);
    const std::string_view v = View(e, to, scratch);
    std::size_t i = 0;
    while (phase < 2 && i < v.size()) {
      if (IsWordBlank(v[i]) != (phase == 1)) {
        ++phase;
        continue;
      }
      ++i;
    }
    e += i;
  }
  w.next = static_cast<std::size_t>(e);
  return w;
}

WordSpan TextModel::WordSelection(TextPos pos) const {
  WordSpan w = WordAround(pos);
  if (w.next > w.start && IsWordBlank(At(static_cast<TextPos>(w.next - 1)))) --w.next;
  return w;
}

}  // namespace core
