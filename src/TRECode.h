// TSRichEdit: the one gateway to a document's editing control. Nothing else
// in the program sends editing requests to the control; everything asks this
// class, so that another editing surface can take the control's place later
// without touching the commands.
//
// Text crosses the gateway as 8-bit text in the system's character set, one
// byte per character. Positions are character offsets from 0, the same in
// the control and in the text the gateway hands out: a line end inside the
// control is one character, kLineEnd ("\r"). Text handed in may end its lines
// with CR LF, LF or CR; each becomes one kLineEnd.
//
// Every byte value survives the trip into the control and back, 0 included:
// the control is fed wide characters through a byte table of our own, in
// which a byte the control cannot hold as itself (0, and any byte the code
// page leaves undefined or the control would reinterpret) stands for a
// character of its own that maps back to the same byte. Characters typed or
// pasted that the code page has no byte for come back as the code page's
// best fit, or "?".
//
// Whole-text reads and writes go through the control's streaming in one go,
// never through many small requests.
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
#include "toolkit/component.h"

class TSRichEdit : public tk::Component {
 public:
  TSRichEdit(tk::Component* owner, std::string name);
  ~TSRichEdit() override;

  // The control's line end, one character.
  static constexpr std::string_view kLineEnd = "\r";
  static constexpr std::int64_t kRenewLength = 32 * 1024;

  // Creates the control as a child of `parent` filling its client area:
  // plain text, no text limit, both scroll bars, selection kept visible.
  void CreateIn(HWND parent);
  HWND Handle() const { return hwnd_; }
  // The parent is going: forget the window (it goes with its parent).
  void Detach() { hwnd_ = nullptr; }
  // Fits the control into its parent's client area.
  void FillParent();

  // --- whole text
  std::string Text() const;
  // Replaces the whole text; the caret goes to 0, the undo history and the
  // modified flag are cleared. A control holding more than kRenewLength
  // characters is replaced by a new window (Handle() changes).
  void SetText(std::string_view text);
  std::int64_t TextLength() const;
  // Characters [from, to) of the text; `to` -1 means to the end.
  std::string TextRange(std::int64_t from, std::int64_t to) const;

  // --- selection
  std::int64_t SelStart() const;
  std::int64_t SelLength() const;
  // Selects [start, end); end -1 selects to the end of the text.
  void SetSel(std::int64_t start, std::int64_t end);
  void ReplaceSel(std::string_view text, bool canUndo = true);

  // --- lines (the control's line list: with word wrap on, display lines)
  std::int64_t LineCount() const;
  std::int64_t LineFromChar(std::int64_t pos) const;
  // First position of a line; -1 for a line beyond the last.
  std::int64_t LineIndex(std::int64_t line) const;
  // Length of the line that holds `pos`, its line end excluded.
  std::int64_t LineLength(std::int64_t pos) const;
  std::int64_t CaretLine() const { return LineFromChar(SelStart()); }
  std::int64_t CaretColumn() const { return SelStart() - LineIndex(CaretLine()); }
  void MoveToLine(std::int64_t line);

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

  // --- page formatting (EM_FORMATRANGE): lays characters [from, to) (to -1:
  // to the end) out on a page of `target`, measured on `measure`, in the
  // rectangle `page` given in twips, and draws them when `render` is set.
  // Returns the first character that did not fit. EndFormatRange frees
  // what the control kept for the formatting.
  std::int64_t FormatRange(HDC target, HDC measure, RECT page, std::int64_t from, std::int64_t to, bool render);
  void EndFormatRange();

  // --- appearance
  void SetFont(const core::FontSpec& font);
  core::FontSpec Font() const { return font_; }
  void SetBackground(core::Color color);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wrap);
  void SetVisible(bool visible);

  // --- events of the control
  // A key goes down, before the control acts on it.
  std::function<void(WORD key)> OnKeyDown;
  // A mouse button (any) went down, after the control handled it.
  std::function<void()> OnMouseDown;
  // The selection or the caret changed (the parent hands on the control's
  // notifications through HandleNotify).
  std::function<void()> OnSelectionChange;
  // The user asks for the context menu at screen point (x, y); (-1, -1)
  // when asked from the keyboard.
  std::function<void(int x, int y)> OnContextPopup;
  // After the control handled a scroll-bar message.
  std::function<void()> OnVScroll;
  std::function<void()> OnHScroll;
  // The parent's WM_NOTIFY from the control; true when it was the control's.
  bool HandleNotify(const NMHDR* header);

  // Bytes <-> the wide characters the control holds (exposed for tests).
  static std::wstring Widen(std::string_view bytes);
  static std::string Narrow(std::wstring_view wide);

 private:
  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
  // The control's window, subclassed: each message goes to ControlMessage.
  class ControlWindow;
  LRESULT ControlMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // The control's window has gone (with its parent, or renewed).
  void ControlGone(HWND wnd);
  // Puts a new, empty control in the old one's place, with its look.
  void Renew();
  HWND hwnd_ = nullptr;
  std::unique_ptr<ControlWindow> window_;
  bool wordWrap_ = false;
  core::FontSpec font_;
  bool hasFont_ = false;
  std::optional<core::Color> background_;
};
