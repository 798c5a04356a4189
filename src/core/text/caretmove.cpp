#include "core/text/caretmove.h"

#include <algorithm>

#include "core/wordsel.h"

namespace core {

TextPos WordLeftOf(const TextModel& model, TextPos pos) {
  pos = std::clamp<TextPos>(pos, 0, model.Length());
  while (pos > 0 && IsWordBlank(model.At(pos - 1))) --pos;
  if (pos == 0) return 0;
  // pos is right after a word's last character: that word's start.
  return static_cast<TextPos>(model.WordAround(pos).start);
}

TextPos WordRightOf(const TextModel& model, TextPos pos) {
  pos = std::clamp<TextPos>(pos, 0, model.Length());
  if (pos >= model.Length()) return pos;
  return static_cast<TextPos>(model.WordAround(pos).next);
}

TextPos FindWordBreak(const TextModel& model, int code, TextPos pos) {
  pos = std::clamp<TextPos>(pos, 0, model.Length());
  const bool blank = pos < model.Length() && IsWordBlank(model.At(pos));
  switch (code) {
    case 0: return static_cast<TextPos>(model.WordAround(pos).start);
    case 1: return static_cast<TextPos>(model.WordAround(pos).next);
    case 2: return blank ? 1 : 0;
    case 3: return blank ? 1 : 0;
    case 4: return WordLeftOf(model, pos);
    case 5: return WordRightOf(model, pos);
    case 6: {
      TextPos p = WordLeftOf(model, pos);
      while (p > 0 && IsWordBlank(model.At(p - 1))) --p;
      return p;
    }
    case 7: {
      TextPos p = pos;
      while (p < model.Length() && !IsWordBlank(model.At(p))) ++p;
      return p;
    }
    default: return pos;
  }
}

CaretPlace MoveCaret(const TextModel& model, DisplayLayout& layout, CaretPlace from, CaretMove move,
                     TextPos pageRows) {
  const TextPos n = model.Length();
  const TextPos pos = std::clamp<TextPos>(from.pos, 0, n);
  auto vertical = [&](TextPos rows) {
    const std::int64_t x = from.goalX >= 0 ? from.goalX : layout.XOfPos(pos);
    TextPos moved = 0;
    const RowRef to = layout.Step(layout.RowOf(pos), rows, &moved);
    if (moved == 0) return CaretPlace{pos, x};
    return CaretPlace{layout.PosAtX(to, x), x};
  };
  switch (move) {
    case CaretMove::kCharLeft: return {std::max<TextPos>(pos - 1, 0), -1};
    case CaretMove::kCharRight: return {std::min(pos + 1, n), -1};
    case CaretMove::kWordLeft: return {WordLeftOf(model, pos), -1};
    case CaretMove::kWordRight: return {WordRightOf(model, pos), -1};
    case CaretMove::kRowUp: return vertical(-1);
    case CaretMove::kRowDown: return vertical(1);
    case CaretMove::kPageUp: return vertical(-std::max<TextPos>(pageRows, 1));
    case CaretMove::kPageDown: return vertical(std::max<TextPos>(pageRows, 1));
    case CaretMove::kRowHome: return {layout.RowSpan(layout.RowOf(pos)).first, -1};
    case CaretMove::kRowEnd: {
      const RowRef r = layout.RowOf(pos);
      const auto [start, end] = layout.RowSpan(r);
      // A wrapped row's end is the next row's start: stop before it.
      const bool continues = layout.Wrapping() && r.row + 1 < layout.RowsOf(r.line);
      return {continues && end > start ? end - 1 : end, -1};
    }
    case CaretMove::kTextHome: return {0, -1};
    case CaretMove::kTextEnd: return {n, -1};
  }
  return {pos, -1};
}

}  // namespace core
