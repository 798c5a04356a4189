// The platform's rich-edit control behind the editing-surface interface:
// the reference that the program's own surface is compared with.
//
// Every byte value survives the trip into the control and back, 0 included:
// the control is fed wide characters through a byte table of our own, in
// which a byte the control cannot hold as itself (0, and any byte the code
// page leaves undefined) stands for a character of its own that maps back to
// the same byte. Characters typed or pasted that the code page has no byte
// for come back as the code page's best fit, or "?". Whole-text reads and
// writes go through the control's streaming in one go.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "surface/editsurface.h"

class RichEditSurface : public EditSurface {
 public:
  RichEditSurface();
  ~RichEditSurface() override;
  RichEditSurface(const RichEditSurface&) = delete;
  RichEditSurface& operator=(const RichEditSurface&) = delete;

  // Above this many characters, SetText puts a new control in the old one's
  // place: the control takes time that grows with the square of the text it
  // throws away.
  static constexpr std::int64_t kRenewLength = 32 * 1024;

  void CreateIn(HWND parent) override;
  HWND Handle() const override { return hwnd_; }
  void Detach() override { hwnd_ = nullptr; }
  void FillParent() override;
  void SetVisible(bool visible) override;

  std::string Text() const override;
  void SetText(std::string_view text) override;
  std::int64_t TextLength() const override;
  std::string TextRange(std::int64_t from, std::int64_t to) const override;

  std::int64_t SelStart() const override;
  std::int64_t SelLength() const override;
  void SetSel(std::int64_t start, std::int64_t end) override;
  void ReplaceSel(std::string_view text, bool canUndo) override;

  std::int64_t LineCount() const override;
  std::int64_t LineFromChar(std::int64_t pos) const override;
  std::int64_t LineIndex(std::int64_t line) const override;
  std::int64_t LineLength(std::int64_t pos) const override;
  void ScrollToLine(std::int64_t line) override;
  bool PointOf(std::int64_t pos, POINT* at) override;

  std::int64_t FindWordBreak(int code, std::int64_t pos) const override;
  std::int64_t Find(std::string_view what, std::int64_t from, std::int64_t to, bool matchCase,
                    bool wholeWord) const override;

  bool Modified() const override;
  void SetModified(bool modified) override;
  bool CanUndo() const override;
  void Undo() override;
  void Cut() override;
  void Copy() override;
  void Paste() override;
  void ClearSelection() override;

  void SetFont(const core::FontSpec& font) override;
  void SetBackground(core::Color color) override;
  void SetWordWrap(bool wrap) override;

  bool HandleNotify(const NMHDR* header) override;

  // Bytes <-> the wide characters the control holds.
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
