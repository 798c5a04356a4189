// TSRichEdit: the one gateway to a document's text. Nothing else in the
// program asks the editing window for text or changes it; everything asks
// this class. Behind it stands an editing surface (surface/editsurface.h):
// the program's own text surface, or, for the contract test that compares
// the two, the platform's rich-edit control.
//
// Text crosses the gateway as 8-bit text in the system's character set, one
// byte per character. Positions are character offsets from 0: a line end is
// one character, kLineEnd ("\r"). Text handed in may end its lines with
// CR LF, LF or CR; each becomes one kLineEnd. Every byte value survives, 0
// included.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/colortext.h"
#include "core/fonttext.h"
#include "surface/editsurface.h"
#include "toolkit/component.h"

class TSRichEdit : public tk::Component {
 public:
  // With no surface given, the program's own.
  TSRichEdit(tk::Component* owner, std::string name, std::unique_ptr<EditSurface> surface = nullptr);
  ~TSRichEdit() override;

  // The line end inside the text, one character.
  static constexpr std::string_view kLineEnd = "\r";

  // Creates the editing window as a child of `parent` filling its client
  // area: both scroll bars, selection kept visible.
  void CreateIn(HWND parent);
  HWND Handle() const { return surface_->Handle(); }
  // The parent is going: forget the window (it goes with its parent).
  void Detach() { surface_->Detach(); }
  // Fits the control into its parent's client area.
  void FillParent();

  // --- whole text
  std::string Text() const;
  // Replaces the whole text; the caret goes to 0, the undo history and the
  // modified flag are cleared.
  void SetText(std::string_view text);
  // The same, taking over the buffer (a file's bytes as read).
  void LoadText(std::string text);
  std::int64_t TextLength() const;
  // Characters [from, to) of the text; `to` -1 means to the end.
  std::string TextRange(std::int64_t from, std::int64_t to) const;
  // The characters [from, to) (to -1: the end) handed to `fn` segment by
  // segment, in order, until it returns false: the text read where it lies.
  // The views are valid until the text changes.
  void ForEachSegment(std::int64_t from, std::int64_t to, const std::function<bool(std::string_view)>& fn) const {
    surface_->ForEachSegment(from, to, fn);
  }
  // Characters [from, to) as one view, copied into `scratch` only where the
  // text does not lie in one piece. Valid until the text or `scratch` changes.
  std::string_view TextView(std::int64_t from, std::int64_t to, std::string& scratch) const {
    return surface_->TextView(from, to, scratch);
  }
  // Changes whenever the text does: a reader of views knows they are stale.
  std::uint64_t Revision() const { return surface_->Revision(); }

  // --- selection
  std::int64_t SelStart() const;
  std::int64_t SelLength() const;
  // Selects [start, end); end -1 selects to the end of the text.
  void SetSel(std::int64_t start, std::int64_t end);
  void ReplaceSel(std::string_view text, bool canUndo = true);
  // The same, handing over the buffer: a large text made once goes in
  // without being copied again.
  void ReplaceSelWith(std::string text, bool canUndo = true) { surface_->ReplaceSelWith(std::move(text), canUndo); }
  // Rewrites the characters [from, to) where they lie: `fn` changes them in
  // place, piece by piece, keeping their number and every line end. Not
  // undoable (as ReplaceSel without undo); the caret goes to `to`.
  void RewriteRange(std::int64_t from, std::int64_t to, const std::function<void(char*, std::size_t)>& fn) {
    surface_->RewriteRange(from, to, fn);
  }

  // --- lines (the line list: with word wrap on, display lines)
  std::int64_t LineCount() const;
  std::int64_t LineFromChar(std::int64_t pos) const;
  // First position of a line; -1 for a line beyond the last.
  std::int64_t LineIndex(std::int64_t line) const;
  // Length of the line that holds `pos`, its line end excluded.
  std::int64_t LineLength(std::int64_t pos) const;
  std::int64_t CaretLine() const { return LineFromChar(SelStart()); }
  std::int64_t CaretColumn() const { return SelStart() - LineIndex(CaretLine()); }
  void MoveToLine(std::int64_t line);
  // The window's client point of the gap before `pos` (its row's top), when
  // that row is shown.
  bool PointOf(std::int64_t pos, POINT* at) { return surface_->PointOf(pos, at); }

  // --- words: EM_FINDWORDBREAK with `code` (WB_LEFT, WB_RIGHT, ...) from `pos`.
  std::int64_t FindWordBreak(int code, std::int64_t pos) const;

  // --- search: position of the first match of `what` in [from, to) (to -1:
  // to the end), or -1.
  std::int64_t Find(std::string_view what, std::int64_t from, std::int64_t to, bool matchCase,
                        bool wholeWord) const;

  // --- state and commands
  bool Modified() const;
  void SetModified(bool modified);
  bool CanUndo() const;
  void Undo();
  void Cut();
  void Copy();
  void Paste();
  void ClearSelection();

  // --- appearance
  void SetFont(const core::FontSpec& font);
  core::FontSpec Font() const { return font_; }
  void SetBackground(core::Color color);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wrap);
  void SetVisible(bool visible);

  // --- events of the editing window
  // A key goes down, before the window acts on it.
  std::function<void(WORD key)> OnKeyDown;
  // A mouse button (any) went down, after the window handled it.
  std::function<void()> OnMouseDown;
  // The selection or the caret changed (the parent hands on the window's
  // notifications through HandleNotify).
  std::function<void()> OnSelectionChange;
  // The user asks for the context menu at screen point (x, y); (-1, -1)
  // when asked from the keyboard.
  std::function<void(int x, int y)> OnContextPopup;
  // After the window scrolled by its scroll bars or the wheel.
  std::function<void()> OnVScroll;
  std::function<void()> OnHScroll;
  // The parent's WM_NOTIFY; true when it was the editing window's.
  bool HandleNotify(const NMHDR* header);

 private:
  std::unique_ptr<EditSurface> surface_;
  bool wordWrap_ = false;
  core::FontSpec font_;
};
