// The own surface's keys: caret movement with and without Shift, deleting,
// the clipboard and undo shortcuts, and typed characters.
#include "surface/ownsurface.h"

namespace own {

namespace {
bool Down(int key) { return ::GetKeyState(key) < 0; }
}  // namespace

void OwnSurface::MoveCaretBy(core::CaretMove move, bool extend) {
  const bool vertical = move == core::CaretMove::kRowUp || move == core::CaretMove::kRowDown ||
                        move == core::CaretMove::kPageUp || move == core::CaretMove::kPageDown;
  const core::CaretPlace to = core::MoveCaret(model_, layout_, {caret_, vertical ? goalX_ : -1}, move, VisibleRows());
  // A page moves the view with the caret.
  if (move == core::CaretMove::kPageDown || move == core::CaretMove::kPageUp) {
    const TextPos rows = move == core::CaretMove::kPageDown ? VisibleRows() : -VisibleRows();
    SetTop(layout_.Step(top_, rows));
  }
  Select(extend ? anchor_ : to.pos, to.pos);
  goalX_ = vertical ? to.goalX : -1;
}

void OwnSurface::KeyDown(WPARAM key) {
  const bool ctrl = Down(VK_CONTROL), shift = Down(VK_SHIFT);
  using core::CaretMove;
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT: {
      const bool left = key == VK_LEFT;
      if (!shift && !ctrl && anchor_ != caret_) {  // a selection collapses to its side
        const TextPos to = left ? SelStart() : SelStart() + SelLength();
        goalX_ = -1;
        Select(to, to);
        return;
      }
      MoveCaretBy(ctrl ? (left ? CaretMove::kWordLeft : CaretMove::kWordRight)
                       : (left ? CaretMove::kCharLeft : CaretMove::kCharRight),
                  shift);
      return;
    }
    case VK_UP: MoveCaretBy(CaretMove::kRowUp, shift); return;
    case VK_DOWN: MoveCaretBy(CaretMove::kRowDown, shift); return;
    case VK_PRIOR: MoveCaretBy(CaretMove::kPageUp, shift); return;
    case VK_NEXT: MoveCaretBy(CaretMove::kPageDown, shift); return;
    case VK_HOME: MoveCaretBy(ctrl ? CaretMove::kTextHome : CaretMove::kRowHome, shift); return;
    case VK_END: MoveCaretBy(ctrl ? CaretMove::kTextEnd : CaretMove::kRowEnd, shift); return;
    case VK_BACK:
      if (anchor_ != caret_)
        ReplaceSel("", true);
      else if (caret_ > 0) {
        Edit(caret_ - 1, 1, "", core::UndoMode::kTyping);
        if (OnSelectionChange) OnSelectionChange();
      }
      return;
    case VK_DELETE:
      if (shift)
        Cut();
      else if (anchor_ != caret_)
        ReplaceSel("", true);
      else if (caret_ < model_.Length()) {
        Edit(caret_, 1, "", core::UndoMode::kTyping);
        if (OnSelectionChange) OnSelectionChange();
      }
      return;
    case VK_INSERT:
      if (ctrl)
        Copy();
      else if (shift)
        Paste();
      return;
    default: break;
  }
  if (!ctrl || shift || Down(VK_MENU)) return;  // Ctrl+Alt is AltGr: a character comes
  switch (key) {
    case 'Z': Undo(); return;
    case 'X': Cut(); return;
    case 'C': Copy(); return;
    case 'V': Paste(); return;
    default: return;
  }
}

void OwnSurface::TypeChar(wchar_t c) {
  // Control characters come with the shortcuts (Ctrl+Z gives 26, Backspace
  // 8); only Enter and Tab type.
  if (c < 0x20 && c != L'\r' && c != L'\t') return;
  if (c == 0x7F) return;  // Ctrl+Backspace
  const char byte = static_cast<char>(ByteTable::Get().ByteOf(c));
  ReplaceSelection(std::string(1, byte), core::UndoMode::kTyping);
}

}  // namespace own
