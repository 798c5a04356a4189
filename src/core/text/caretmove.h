// Where the caret goes for the movement keys, over a model and its display
// layout. Vertical moves keep a goal x (pixels in the row), so that the
// caret comes back to its column after passing a shorter row.
//
// Words follow the model's word rule (blanks: space, tab, line end):
// word right goes to the first character of the next word, word left to
// the first character of the word at or before the caret.
#pragma once

#include <cstdint>

#include "core/text/displaylayout.h"
#include "core/text/textmodel.h"

namespace core {

enum class CaretMove {
  kCharLeft,
  kCharRight,
  kWordLeft,
  kWordRight,
  kRowUp,
  kRowDown,
  kPageUp,
  kPageDown,
  kRowHome,
  kRowEnd,
  kTextHome,
  kTextEnd,
};

struct CaretPlace {
  TextPos pos = 0;
  // x the vertical moves aim at; -1 when the next one takes it from pos.
  std::int64_t goalX = -1;
  friend bool operator==(const CaretPlace&, const CaretPlace&) = default;
};

// The caret after `move`; a page is `pageRows` rows (at least 1).
CaretPlace MoveCaret(const TextModel& model, DisplayLayout& layout, CaretPlace from, CaretMove move,
                     TextPos pageRows);

TextPos WordLeftOf(const TextModel& model, TextPos pos);
TextPos WordRightOf(const TextModel& model, TextPos pos);

// The EM_FINDWORDBREAK answers over the model, by the codes' numbers:
// 0 WB_LEFT, 1 WB_RIGHT (word starts around pos, as Select Word takes
// them), 2 WB_ISDELIMITER (1 for a blank), 3 WB_CLASSIFY (0 for a word
// character, 1 for a blank), 4 WB_MOVEWORDLEFT, 5 WB_MOVEWORDRIGHT,
// 6 WB_LEFTBREAK (the end of the word before pos), 7 WB_RIGHTBREAK (the
// end of the word at pos). Unknown codes give pos.
TextPos FindWordBreak(const TextModel& model, int code, TextPos pos);

}  // namespace core
