// EditSurface: what the editing gateway (TSRichEdit) asks of the window that
// shows and edits a document's text. Two implementations stand behind it:
// the program's own text surface (MakeOwnSurface), used for every document,
// and the platform's rich-edit control (MakeReferenceSurface), kept as the
// reference that the gateway's contract test compares the own surface with.
//
// Conventions, the same for both: text crosses as 8-bit bytes of the
// system's character set, one byte a character; positions are character
// offsets from 0; a line end inside the surface is one character "\r".
// Text handed in may end its lines with CR LF, LF or CR; each becomes one
// "\r". Lines are the surface's line list: with word wrap on, display lines;
// LineCount leaves out the empty line after a final line end, LineFromChar
// and LineIndex know it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/colortext.h"
#include "core/fonttext.h"

class EditSurface {
 public:
  virtual ~EditSurface() = default;

  // --- the window
  // Creates the surface as a child of `parent` filling its client area:
  // both scroll bars, selection kept visible without the focus.
  virtual void CreateIn(HWND parent) = 0;
  virtual HWND Handle() const = 0;
  // The parent is going: forget the window (it goes with its parent).
  virtual void Detach() = 0;
  // Fits the window into its parent's client area.
  virtual void FillParent() = 0;
  virtual void SetVisible(bool visible) = 0;

  // --- whole text
  virtual std::string Text() const = 0;
  // Replaces the whole text; the caret goes to 0, the undo history and the
  // modified flag are cleared. Handle() may change (the reference renews its
  // window for large texts).
  virtual void SetText(std::string_view text) = 0;
  // The same, taking over `text`'s buffer where the surface can (a file's
  // bytes as read: no second copy of a large file).
  virtual void LoadText(std::string text) { SetText(text); }
  virtual std::int64_t TextLength() const = 0;
  // Characters [from, to) of the text; `to` -1 means to the end.
  virtual std::string TextRange(std::int64_t from, std::int64_t to) const = 0;
  // Hands the characters [from, to) (to -1: the end) to `fn` in order,
  // segment by segment, until it returns false: the whole text read without
  // one copy of it. The views are valid until the text changes.
  virtual void ForEachSegment(std::int64_t from, std::int64_t to,
                              const std::function<bool(std::string_view)>& fn) const;
  // Changes whenever the text does (0 for ever where the surface cannot
  // tell, which then lends no views: its TextView copies).
  virtual std::uint64_t Revision() const { return 0; }
  // Bytes [from, to) as one view: into the surface's own storage where it
  // can, otherwise copied into `scratch`. Valid until the text changes or
  // `scratch` does.
  virtual std::string_view TextView(std::int64_t from, std::int64_t to, std::string& scratch) const {
    scratch = TextRange(from, to);
    return scratch;
  }

  // --- selection
  virtual std::int64_t SelStart() const = 0;
  virtual std::int64_t SelLength() const = 0;
  // Selects [start, end); end -1 selects to the end of the text. The caret
  // goes to `end`, and is scrolled into view.
  virtual void SetSel(std::int64_t start, std::int64_t end) = 0;
  // Replaces the selection by `text`; with canUndo false the change enters
  // no undo history.
  virtual void ReplaceSel(std::string_view text, bool canUndo) = 0;
  // The same, taking over `text`'s buffer where the surface can (a large
  // result made once is put in without a second copy).
  virtual void ReplaceSelWith(std::string text, bool canUndo) { ReplaceSel(text, canUndo); }
  // Rewrites the characters [from, to) where they lie: `fn` changes them in
  // place, piece by piece, keeping their number and every line end and
  // making no new one. Not undoable, as ReplaceSel without undo; the caret
  // goes to `to`. A surface that cannot lend its storage converts a copy and
  // puts it back.
  virtual void RewriteRange(std::int64_t from, std::int64_t to, const std::function<void(char*, std::size_t)>& fn);

  // --- lines
  virtual std::int64_t LineCount() const = 0;
  virtual std::int64_t LineFromChar(std::int64_t pos) const = 0;
  // First position of a line; -1 for a line beyond the last.
  virtual std::int64_t LineIndex(std::int64_t line) const = 0;
  // Length of the line that holds `pos`, its line end excluded.
  virtual std::int64_t LineLength(std::int64_t pos) const = 0;
  // Shows `line` as the first visible line, as far as the text allows.
  virtual void ScrollToLine(std::int64_t line) = 0;
  // The client point of the gap before `pos` (its row's top), when shown.
  virtual bool PointOf(std::int64_t pos, POINT* at) = 0;

  // --- words and search
  // EM_FINDWORDBREAK's codes (WB_LEFT, WB_RIGHT, WB_MOVEWORDLEFT, ...).
  virtual std::int64_t FindWordBreak(int code, std::int64_t pos) const = 0;
  // Position of the first match of `what` in [from, to) (to -1: to the end),
  // or -1.
  virtual std::int64_t Find(std::string_view what, std::int64_t from, std::int64_t to, bool matchCase,
                            bool wholeWord) const = 0;

  // --- state and commands
  virtual bool Modified() const = 0;
  virtual void SetModified(bool modified) = 0;
  virtual bool CanUndo() const = 0;
  virtual void Undo() = 0;
  virtual void Cut() = 0;
  virtual void Copy() = 0;
  // Pastes CF_TEXT / CF_UNICODETEXT from the clipboard through the byte rules.
  virtual void Paste() = 0;
  virtual void ClearSelection() = 0;

  // --- appearance
  virtual void SetFont(const core::FontSpec& font) = 0;
  virtual void SetBackground(core::Color color) = 0;
  virtual void SetWordWrap(bool wrap) = 0;

  // --- events, fired by the surface
  // A key goes down, before the surface acts on it.
  std::function<void(WORD key)> OnKeyDown;
  // A mouse button (any) went down, after the surface handled it.
  std::function<void()> OnMouseDown;
  // The selection or the caret changed.
  std::function<void()> OnSelectionChange;
  // The user asks for the context menu at screen point (x, y); (-1, -1)
  // when asked from the keyboard.
  std::function<void(int x, int y)> OnContextPopup;
  // After the surface scrolled by its scroll bars (or the wheel).
  std::function<void()> OnVScroll;
  std::function<void()> OnHScroll;
  // The parent's WM_NOTIFY; true when it was the surface's own.
  virtual bool HandleNotify(const NMHDR* header) = 0;
};

// The program's own text surface.
std::unique_ptr<EditSurface> MakeOwnSurface();
// The platform's rich-edit control behind the same interface.
std::unique_ptr<EditSurface> MakeReferenceSurface();
