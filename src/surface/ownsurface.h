// The program's own text surface: one child window per document that shows
// and edits a TextModel. The window's work is split by concern:
//   ownsurface_window.cpp     creation, the window procedure, the surface's
//                             requests (text, selection, lines, look)
//   ownsurface_paint.cpp      fonts and widths, painting the visible rows
//   ownsurface_keys.cpp       keys and typed characters
//   ownsurface_mouse.cpp      clicks, drags with auto-scroll, the wheel
//   ownsurface_scroll.cpp     scroll bars and keeping the caret in view
//   ownsurface_clipboard.cpp  cut, copy and paste
//
// Bytes are shown through the system code page's 8-bit table; a byte that
// has no glyph in the font (control bytes and 0 among them) is drawn as a
// box. The window is a Unicode window, so typed characters arrive as wide
// characters and are turned into the code page's bytes.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/text/caretmove.h"
#include "core/text/displaylayout.h"
#include "core/text/textmodel.h"
#include "surface/editsurface.h"
#include "toolkit/graphics.h"
#include "toolkit/handles.h"
#include "toolkit/window.h"

namespace own {

using core::TextPos;

// The 8-bit table of the system code page: byte -> wide character and back.
struct ByteTable {
  std::array<wchar_t, 256> wide{};
  std::unordered_map<wchar_t, unsigned char> bytes;
  static const ByteTable& Get();
  // A wide character typed or pasted as a byte: the table's own byte, else
  // the code page's best fit, else "?".
  unsigned char ByteOf(wchar_t c) const;
  std::string Narrow(std::wstring_view text) const;
};

class OwnSurface : public EditSurface {
 public:
  OwnSurface();
  ~OwnSurface() override;

  void CreateIn(HWND parent) override;
  HWND Handle() const override { return wnd_.Handle(); }
  void Detach() override;
  void FillParent() override;
  void SetVisible(bool visible) override;

  std::string Text() const override { return model_.Text(); }
  void SetText(std::string_view text) override { LoadText(std::string(text)); }
  void LoadText(std::string text) override;
  std::int64_t TextLength() const override { return model_.Length(); }
  std::string TextRange(std::int64_t from, std::int64_t to) const override;
  void ForEachSegment(std::int64_t from, std::int64_t to,
                      const std::function<bool(std::string_view)>& fn) const override {
    model_.ForEachSegment(from, to, fn);
  }
  std::uint64_t Revision() const override { return model_.Revision(); }
  std::string_view TextView(std::int64_t from, std::int64_t to, std::string& scratch) const override {
    return model_.TextView(from, to, scratch);
  }

  std::int64_t SelStart() const override { return std::min(anchor_, caret_); }
  std::int64_t SelLength() const override { return anchor_ > caret_ ? anchor_ - caret_ : caret_ - anchor_; }
  void SetSel(std::int64_t start, std::int64_t end) override;
  void ReplaceSel(std::string_view text, bool canUndo) override;
  void ReplaceSelWith(std::string text, bool canUndo) override;
  void RewriteRange(std::int64_t from, std::int64_t to, const std::function<void(char*, std::size_t)>& fn) override;

  std::int64_t LineCount() const override;
  std::int64_t LineFromChar(std::int64_t pos) const override;
  std::int64_t LineIndex(std::int64_t line) const override;
  std::int64_t LineLength(std::int64_t pos) const override;
  void ScrollToLine(std::int64_t line) override;

  std::int64_t FindWordBreak(int code, std::int64_t pos) const override;
  std::int64_t Find(std::string_view what, std::int64_t from, std::int64_t to, bool matchCase,
                    bool wholeWord) const override;

  bool Modified() const override { return model_.Modified(); }
  void SetModified(bool modified) override { model_.SetModified(modified); }
  bool CanUndo() const override { return model_.CanUndo(); }
  void Undo() override;
  void Cut() override;
  void Copy() override;
  void Paste() override;
  void ClearSelection() override;

  void SetFont(const core::FontSpec& font) override;
  void SetBackground(core::Color color) override;
  void SetWordWrap(bool wrap) override;

  bool HandleNotify(const NMHDR*) override { return false; }

  // For tests: the first visible row, the horizontal scroll in pixels, the
  // height of a row and the text's left margin.
  core::RowRef TopRow() const { return top_; }
  std::int64_t HScroll() const { return hscroll_; }
  int RowHeight() const { return rowHeight_; }
  static constexpr int kMargin = 2;
  // The client point of the gap before `pos`, when its row is shown.
  bool PointOf(std::int64_t pos, POINT* at) override;

 private:
  class Wnd : public tk::Window {
   public:
    explicit Wnd(OwnSurface& owner) : owner_(owner) {}
    HWND Create(HWND parent);

   protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) override;

   private:
    OwnSurface& owner_;
  };
  friend class Wnd;

  static constexpr UINT_PTR kDragTimer = 1;
  static constexpr UINT_PTR kMeasureTimer = 2;
  HWND hwnd() const { return wnd_.Handle(); }
  LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam);

  // --- editing (window.cpp)
  // Replaces [pos, pos + length) and keeps layout, caret and screen in step.
  void Edit(TextPos pos, TextPos length, std::string text, core::UndoMode mode);
  // After lines [first, first + removed) became [first, first + added) from
  // `pos` on: layout, caret (to `caret`) and screen follow.
  void Edited(TextPos first, TextPos removed, TextPos added, TextPos pos, TextPos caret);
  // Moves the selection; the caret is scrolled into view when asked.
  void Select(TextPos anchor, TextPos caret, bool scroll = true);
  void ReplaceSelection(std::string text, core::UndoMode mode);
  // The rows that show line positions from `pos` on need painting.
  void InvalidateFrom(TextPos pos, bool toEnd);
  // With word wrap on, idle time measures the rows not yet measured.
  void StartMeasuring();

  // --- painting (paint.cpp)
  void MakeFont();
  void MakeMetrics();
  void Paint(HDC dc, const RECT& clip);
  void PaintRow(HDC dc, core::RowRef row, int y, int width);
  // Rows that fit the window (at least 1) and the text area's width.
  int VisibleRows() const;
  int ClientWidth() const;
  void PlaceCaret();
  COLORREF BackColor() const;
  COLORREF TextColor() const;

  // --- keys (keys.cpp)
  void KeyDown(WPARAM key);
  void TypeChar(wchar_t c);
  void MoveCaretBy(core::CaretMove move, bool extend);

  // --- mouse (mouse.cpp)
  void MouseDown(int x, int y, WPARAM flags, bool doubleClick);
  void MouseMove(int x, int y);
  void MouseUp();
  void DragTimer();
  void Wheel(int delta);
  TextPos PosAtPoint(int x, int y);

  // --- scrolling (scroll.cpp)
  void UpdateScrollBars();
  void VScroll(int code);
  void HScrollBar(int code);
  void ScrollRows(TextPos delta);
  void SetTop(core::RowRef top);
  void SetHScroll(std::int64_t x);
  void ScrollCaretIntoView();
  // Row of the screen (0 the top row) that shows `r`, or -1 when not shown.
  int ScreenRowOf(core::RowRef r);

  // --- clipboard (clipboard.cpp)
  void CopySelection();
  std::string ClipboardText() const;

  core::TextModel model_;
  mutable core::DisplayLayout layout_{model_};  // after the model it reads
  Wnd wnd_{*this};
  TextPos anchor_ = 0, caret_ = 0;
  std::int64_t goalX_ = -1;
  core::RowRef top_;
  std::int64_t hscroll_ = 0;
  std::int64_t widestSeen_ = 0;  // the widest row painted, for the horizontal bar

  tk::Font font_;
  core::Color background_ = static_cast<core::Color>(0x80000005u);  // clWindow
  bool wrap_ = false;
  int rowHeight_ = 16;
  int averageWidth_ = 7;
  std::array<bool, 256> box_{};  // bytes drawn as a box
  bool focused_ = false;
  bool dragging_ = false;
  POINT dragAt_{};
  bool measuring_ = false;  // the idle measuring timer runs
  SCROLLINFO vbar_{}, hbar_{};  // what the bars were last given
};

}  // namespace own
